#include "app/result_list_view.h"

#include "app/dpi_scale.h"
#include "model/measure_chain.h"
#include "platform/string_table.h"

#include <QHeaderView>

#include <algorithm>

CResultListView::CResultListView(QWidget* parent) : QTableWidget(0, 4, parent) {
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    connect(this, &QTableWidget::itemSelectionChanged, this, &CResultListView::onSelectionChanged);
}

void CResultListView::setupColumns(const DpiScale& scale) {
    setHorizontalHeaderLabels({QStringLiteral("No."), QString::fromUtf8(LoadStr(strid::ColumnType)),
                               QString::fromUtf8(LoadStr(strid::ColumnResult)),
                               QString::fromUtf8(LoadStr(strid::ColumnUnit))});
    const int widths[] = {31, 60, 50, 40};
    for (int c = 0; c < 4; ++c)
        setColumnWidth(c, scale.x(widths[c]));
    // Rows as tight as a list's: one line of text and a little air.
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + scale.y(4));
}

void CResultListView::attach(CMeasureChain* chain, std::function<int()> selectedUnit) {
    m_chain = chain;
    m_unit = std::move(selectedUnit);
}

int CResultListView::unit() const { return m_unit ? m_unit() : 1; }

void CResultListView::showRow(int row) {
    const ResultListRow* r = m_rows.row(row);
    if (r == nullptr || row >= rowCount())
        return;
    const std::string* cells[] = {&r->number, &r->kind, &r->value, &r->unit};
    for (int c = 0; c < 4; ++c) {
        const QString text = QString::fromStdString(*cells[c]);
        if (QTableWidgetItem* it = item(row, c)) {
            if (it->text() != text)
                it->setText(text);
        } else {
            auto* cell = new QTableWidgetItem(text);
            cell->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            setItem(row, c, cell);
        }
    }
}

void CResultListView::appendShownRow() {
    const int row = rowCount();
    insertRow(row);
    showRow(row);
}

void CResultListView::AddLengthRow(const std::string& text, double value) {
    m_rows.AddLengthRow(text, value, m_chain ? m_chain->current : nullptr, unit());
    appendShownRow();
}

void CResultListView::AddAngleRow(double value) {
    m_rows.AddAngleRow(value, m_chain ? m_chain->current : nullptr);
    appendShownRow();
}

void CResultListView::AddAreaRow(double value) {
    m_rows.AddAreaRow(value, m_chain ? m_chain->current : nullptr, unit());
    appendShownRow();
}

void CResultListView::SetLengthCells(int row, double value) {
    m_rows.SetLengthCells(row, value, unit());
    showRow(row);
}

void CResultListView::SetAngleCells(int row, double value) {
    m_rows.SetAngleCells(row, value);
    showRow(row);
}

void CResultListView::SetAreaCells(int row, double value) {
    m_rows.SetAreaCells(row, value, unit());
    showRow(row);
}

void CResultListView::AddRowsOfCurrent() {
    if (m_chain == nullptr || m_chain->current == nullptr)
        return;
    const int first = m_rows.count();
    m_rows.AddRowsFor(*m_chain->current, unit());
    for (int row = first; row < m_rows.count(); ++row)
        appendShownRow();
}

void CResultListView::ClearRows() {
    m_quiet = true;
    m_rows.Clear();
    setRowCount(0);
    m_quiet = false;
}

void CResultListView::RebuildResultList() {
    ClearRows();
    if (m_chain == nullptr)
        return;
    m_rows.Rebuild(*m_chain, unit());
    // No row is selected now, so no record is either.
    for (MEASURE* m = m_chain->MoveFirst() ? m_chain->current : nullptr; m != nullptr; m = m->next)
        m->selected = 0;
    m_chain->MoveLast();
    setRowCount(m_rows.count());
    for (int row = 0; row < m_rows.count(); ++row)
        showRow(row);
}

void CResultListView::RewriteRowsOf(const MEASURE* record) {
    m_rows.RewriteRowsOf(record, unit());
    for (int row = 0; row < m_rows.count(); ++row)
        if (m_rows.row(row)->record == record)
            showRow(row);
}

void CResultListView::RewriteAll() {
    m_rows.RewriteAll(unit());
    for (int row = 0; row < m_rows.count(); ++row)
        showRow(row);
}

std::vector<int> CResultListView::selectedRowNumbers() const {
    std::vector<int> rows;
    if (const QItemSelectionModel* model = selectionModel())
        for (const QModelIndex& index : model->selectedRows())
            rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<MEASURE*> CResultListView::selectedRecords() const {
    return m_rows.RecordsOfRows(selectedRowNumbers());
}

void CResultListView::onSelectionChanged() {
    if (m_quiet)
        return;
    m_rows.MarkSelected(selectedRowNumbers());
    emit recordSelectionChanged();
}
