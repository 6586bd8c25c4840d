#pragma once
#include "capture/capture_format.h"

#include <QDialog>

#include <optional>
#include <vector>

class QTreeWidget;

// The format window: every size, rate and subtype the device offers. OK (or a
// double-click) chooses the selected row.
class CFormatDlg : public QDialog {
    Q_OBJECT
public:
    CFormatDlg(const QString& deviceName, std::vector<FormatRow> rows, QWidget* parent = nullptr);

    // Selects the row of this size and subtype with the nearest rate, else the first row.
    void select(const FormatRow& current);
    void selectRow(int row);
    std::optional<FormatRow> chosen() const;
    QTreeWidget* list() const { return m_list; }

    // "1280 x 1024", "30.0 fps", "MJPG".
    static QString SizeText(const FormatRow& row);
    static QString RateText(const FormatRow& row);

private:
    std::vector<FormatRow> m_rows;
    QTreeWidget* m_list;
};
