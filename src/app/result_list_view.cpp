#include "app/result_list_view.h"

#include "app/dpi_scale.h"
#include "model/measure_chain.h"
#include "platform/string_table.h"

#include <QEvent>
#include <QHeaderView>
#include <QStyle>

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
    setTextElideMode(Qt::ElideRight);
    // The columns always fit the panel: no sideways scrolling.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QTableWidget::itemSelectionChanged, this, &CResultListView::onSelectionChanged);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &CResultListView::onSectionResized);
}

void CResultListView::setupColumns(const DpiScale& scale) {
    setHorizontalHeaderLabels({QStringLiteral("No."), QString::fromUtf8(LoadStr(strid::ColumnType)),
                               QString::fromUtf8(LoadStr(strid::ColumnResult)),
                               QString::fromUtf8(LoadStr(strid::ColumnUnit))});
    // The designed widths until the list has its size; fitted from then on.
    const int widths[] = {31, 60, 50, 40};
    m_fitting = true;
    for (int c = 0; c < 4; ++c)
        setColumnWidth(c, scale.x(widths[c]));
    m_fitting = false;
    m_asked.reset();
    // Rows as tight as a list's: one line of text and a little air.
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + scale.y(4));
    fitColumns();
}

int CResultListView::textMargin() const {
    // The item delegate's text margin on both sides, and a pixel for the grid line.
    return 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 1;
}

int CResultListView::neededWidth(int column) const {
    const int margin = textMargin();
    const QFontMetrics items = fontMetrics();
    const QFontMetrics heading = horizontalHeader()->fontMetrics();
    int width = 0;
    if (const QTableWidgetItem* h = horizontalHeaderItem(column))
        width = heading.horizontalAdvance(h->text()) +
                2 * (style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + 1);
    for (int row = 0; row < m_rows.count(); ++row) {
        const ResultListRow* r = m_rows.row(row);
        const std::string& text = column == 0 ? r->number : column == 1 ? r->kind : column == 2 ? r->value : r->unit;
        width = std::max(width, items.horizontalAdvance(QString::fromStdString(text)) + margin);
    }
    return width;
}

void CResultListView::fitColumns() {
    const int available = viewport()->width();
    if (available <= 0 || !isVisible())
        return;
    const std::array<int, 4> needed = {neededWidth(0), neededWidth(1), neededWidth(2), neededWidth(3)};
    // Enough of the type for a letter and the ellipsis; the tooltip has the rest.
    const int typeMinimum = fontMetrics().horizontalAdvance(QStringLiteral("A…")) + textMargin();
    const std::array<int, 4> widths = FitResultColumns(available, needed, typeMinimum, m_asked);
    m_fitting = true;
    for (int c = 0; c < 4; ++c)
        if (columnWidth(c) != widths[c])
            setColumnWidth(c, widths[c]);
    m_fitting = false;
}

void CResultListView::onSectionResized(int column, int, int newWidth) {
    if (m_fitting)
        return;
    m_asked = ColumnWidthAsked{column, newWidth};
    fitColumns();
}

bool CResultListView::viewportEvent(QEvent* event) {
    const bool handled = QTableWidget::viewportEvent(event);
    // The panel was resized, or the vertical scroll bar came or went.
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
        fitColumns();
    return handled;
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
        QTableWidgetItem* it = item(row, c);
        if (it) {
            if (it->text() != text)
                it->setText(text);
        } else {
            it = new QTableWidgetItem(text);
            it->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            setItem(row, c, it);
        }
        // The type may be elided in a narrow panel; the whole text stays a hover away.
        if (c == 1 && it->toolTip() != text)
            it->setToolTip(text);
    }
}

void CResultListView::appendShownRow() {
    const int row = rowCount();
    insertRow(row);
    showRow(row);
    fitColumns();
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
    fitColumns();
}

void CResultListView::SetAngleCells(int row, double value) {
    m_rows.SetAngleCells(row, value);
    showRow(row);
    fitColumns();
}

void CResultListView::SetAreaCells(int row, double value) {
    m_rows.SetAreaCells(row, value, unit());
    showRow(row);
    fitColumns();
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
    fitColumns();
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
    fitColumns();
}

void CResultListView::RewriteRowsOf(const MEASURE* record) {
    m_rows.RewriteRowsOf(record, unit());
    for (int row = 0; row < m_rows.count(); ++row)
        if (m_rows.row(row)->record == record)
            showRow(row);
    fitColumns();
}

void CResultListView::RewriteAll() {
    m_rows.RewriteAll(unit());
    for (int row = 0; row < m_rows.count(); ++row)
        showRow(row);
    fitColumns();
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
