#pragma once
#include "model/result_column_fit.h"
#include "model/result_list.h"

#include <QTableWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CMeasureChain;
struct DpiScale;

// The results list of the main window (control 1118): four columns "No.",
// type, result and unit, grid lines, whole rows selected, several at once.
// The rows live in a CResultList; this widget shows them. Each row belongs to
// a record of the measurement list, and selecting rows marks their records.
class CResultListView : public QTableWidget {
    Q_OBJECT
public:
    explicit CResultListView(QWidget* parent = nullptr);

    // Headings in the current language and the columns fitted to the panel.
    void setupColumns(const DpiScale& scale);
    // The records the rows show, and where the unit of the selected calibration
    // is read each time a row is written.
    void attach(CMeasureChain* chain, std::function<int()> selectedUnit);

    // Rows appended for the chain's cursor record.
    void AddLengthRow(const std::string& text, double value);
    void AddAngleRow(double value);
    void AddAreaRow(double value);
    void SetLengthCells(int row, double value);
    void SetAngleCells(int row, double value);
    void SetAreaCells(int row, double value);
    // Every row dropped and made again from the records, first to last; no row
    // is selected afterwards and no record marked.
    void RebuildResultList();
    // The rows of the chain's cursor record, appended in the order of its results.
    void AddRowsOfCurrent();
    // The cells of one record's rows, or of every row, written again from the
    // records' values in the unit selected now.
    void RewriteRowsOf(const MEASURE* record);
    void RewriteAll();
    // Drops every row without touching the records (before they are freed).
    void ClearRows();

    const CResultList& rows() const { return m_rows; }
    std::vector<int> selectedRowNumbers() const;
    // The records with at least one selected row, each once.
    std::vector<MEASURE*> selectedRecords() const;

protected:
    bool viewportEvent(QEvent* event) override;

signals:
    // The records' `selected` marks changed: the picture wants repainting.
    void recordSelectionChanged();

private:
    void showRow(int row);
    void appendShownRow();
    void onSelectionChanged();
    int unit() const;
    // Column widths for the panel's width now and the texts shown (FitResultColumns).
    void fitColumns();
    int neededWidth(int column) const;
    int textMargin() const;
    void onSectionResized(int column, int oldWidth, int newWidth);

    CResultList m_rows;
    CMeasureChain* m_chain = nullptr;
    std::function<int()> m_unit;
    bool m_quiet = false; // rows are being dropped: their records may be gone
    bool m_fitting = false; // the widths being set are ours, not the operator's
    std::optional<ColumnWidthAsked> m_asked; // the width the operator last dragged a column to
};
