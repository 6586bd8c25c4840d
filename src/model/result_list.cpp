#include "model/result_list.h"

#include "model/measure.h"
#include "model/measure_chain.h"
#include "model/result_rows.h"
#include "platform/string_table.h"

#include <algorithm>

int CResultList::append(const std::string& text, MEASURE* record, ResultQuantity quantity, int valueIndex) {
    ResultListRow r;
    r.number = std::to_string(m_rows.size());
    r.kind = text;
    r.record = record;
    r.quantity = quantity;
    r.valueIndex = valueIndex;
    m_rows.push_back(std::move(r));
    return count() - 1;
}

void CResultList::setCells(ResultListRow& r, double value, int unit) {
    r.value = ResultValueText(value, r.quantity, unit);
    r.unit = ResultUnitText(r.quantity, unit);
}

int CResultList::AddLengthRow(const std::string& text, double value, MEASURE* record, int unit, int valueIndex) {
    const int i = append(text, record, ResultQuantity::Length, valueIndex);
    SetLengthCells(i, value, unit);
    return i;
}

int CResultList::AddAngleRow(double value, MEASURE* record, int valueIndex) {
    const int i = append(LoadStr(strid::Angle), record, ResultQuantity::Angle, valueIndex);
    SetAngleCells(i, value);
    return i;
}

int CResultList::AddAreaRow(double value, MEASURE* record, int unit, int valueIndex) {
    const int i = append(LoadStr(strid::PolygonArea), record, ResultQuantity::Area, valueIndex);
    SetAreaCells(i, value, unit);
    return i;
}

void CResultList::SetLengthCells(int row, double value, int unit) {
    if (row < 0 || row >= count())
        return;
    ResultListRow& r = m_rows[static_cast<std::size_t>(row)];
    r.value = ResultValueText(value, ResultQuantity::Length, unit);
    r.unit = ResultUnitText(ResultQuantity::Length, unit);
}

void CResultList::SetAngleCells(int row, double value) {
    if (row < 0 || row >= count())
        return;
    ResultListRow& r = m_rows[static_cast<std::size_t>(row)];
    r.value = ResultValueText(value, ResultQuantity::Angle, 0);
    r.unit = ResultUnitText(ResultQuantity::Angle, 0);
}

void CResultList::SetAreaCells(int row, double value, int unit) {
    if (row < 0 || row >= count())
        return;
    ResultListRow& r = m_rows[static_cast<std::size_t>(row)];
    r.value = ResultValueText(value, ResultQuantity::Area, unit);
    r.unit = ResultUnitText(ResultQuantity::Area, unit);
}

void CResultList::AddRowsFor(MEASURE& record, int unit) {
    for (const ResultRow& r : ResultRowsFor(record)) {
        switch (r.quantity) {
        case ResultQuantity::Length: AddLengthRow(LoadStr(r.kindTextId), r.value, &record, unit, r.valueIndex); break;
        case ResultQuantity::Angle: AddAngleRow(r.value, &record, r.valueIndex); break;
        case ResultQuantity::Area: AddAreaRow(r.value, &record, unit, r.valueIndex); break;
        }
    }
}

void CResultList::Rebuild(CMeasureChain& chain, int unit) {
    m_rows.clear();
    if (chain.MoveFirst() == 0)
        return;
    for (MEASURE* m = chain.current; m != nullptr; m = m->next) {
        chain.current = m; // the record is the cursor while its rows are added
        AddRowsFor(*m, unit);
    }
}

void CResultList::RewriteRowsOf(const MEASURE* record, int unit) {
    for (ResultListRow& r : m_rows) {
        if (r.record != record || record == nullptr)
            continue;
        const double v = record->value[static_cast<std::size_t>(std::clamp(r.valueIndex, 0, 4))];
        setCells(r, v, unit);
    }
}

void CResultList::RewriteAll(int unit) {
    for (ResultListRow& r : m_rows) {
        if (r.record == nullptr)
            continue;
        setCells(r, r.record->value[static_cast<std::size_t>(std::clamp(r.valueIndex, 0, 4))], unit);
    }
}

const ResultListRow* CResultList::row(int i) const {
    return i >= 0 && i < count() ? &m_rows[static_cast<std::size_t>(i)] : nullptr;
}

std::vector<MEASURE*> CResultList::RecordsOfRows(const std::vector<int>& rows) const {
    std::vector<MEASURE*> records;
    for (int i : rows) {
        const ResultListRow* r = row(i);
        if (r == nullptr || r->record == nullptr)
            continue;
        if (std::find(records.begin(), records.end(), r->record) == records.end())
            records.push_back(r->record);
    }
    return records;
}

void CResultList::MarkSelected(const std::vector<int>& selectedRows) const {
    for (const ResultListRow& r : m_rows)
        if (r.record != nullptr)
            r.record->selected = 0;
    for (MEASURE* m : RecordsOfRows(selectedRows))
        m->selected = 1;
}

int RemoveRecords(CMeasureChain& chain, const std::vector<MEASURE*>& records) {
    int removed = 0;
    for (MEASURE* target : records) {
        if (target == nullptr || chain.MoveFirst() == 0)
            continue;
        for (MEASURE* m = chain.current; m != nullptr; m = m->next) {
            if (m == target) {
                chain.current = m;
                removed += chain.RemoveCurrent();
                break;
            }
        }
    }
    return removed;
}
