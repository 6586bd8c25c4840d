#pragma once
#include "model/result_text.h"

#include <cstdint>
#include <string>
#include <vector>

struct MEASURE;
class CMeasureChain;

// One row of the results list as shown: the four cells and the record it belongs to.
struct ResultListRow {
    std::string number; // column 0: the row's position when it was added
    std::string kind;   // column 1: what was measured
    std::string value;  // column 2
    std::string unit;   // column 3
    MEASURE* record = nullptr; // the node of the measurement list this row shows
    ResultQuantity quantity = ResultQuantity::Length;
    int valueIndex = 0; // which value of the record the row shows
};

// The rows of the results list, as data. The list is a view of the measurement
// list: every row points at its record, and the rows can always be rebuilt
// from the records. Value and unit cells follow the unit of the calibration
// selected when the row is written, not the unit stored in the record.
class CResultList {
public:
    // Appends a row "<count>", text, and the cells of a length, an angle or an
    // area; the row shows value[valueIndex] of `record`. Returns the new row.
    int AddLengthRow(const std::string& text, double value, MEASURE* record, int unit, int valueIndex = 0);
    int AddAngleRow(double value, MEASURE* record, int valueIndex = 0);
    int AddAreaRow(double value, MEASURE* record, int unit, int valueIndex = 0);

    // Rewrite the value and unit cells of a row; rows out of range are ignored.
    void SetLengthCells(int row, double value, int unit);
    void SetAngleCells(int row, double value);
    void SetAreaCells(int row, double value, int unit);

    // Appends the rows of one complete record, in the order of its results.
    void AddRowsFor(MEASURE& record, int unit);
    // Drops every row, then adds the rows of every record from the first to
    // the last. The chain's cursor is left on the last record.
    void Rebuild(CMeasureChain& chain, int unit);
    // Rewrites the value and unit cells of every row of `record` from its
    // current values (after its points or the calibration changed). Angle rows
    // are rewritten too; their texts do not depend on the unit.
    void RewriteRowsOf(const MEASURE* record, int unit);
    // The same for every row.
    void RewriteAll(int unit);

    void Clear() { m_rows.clear(); }
    int count() const { return static_cast<int>(m_rows.size()); }
    const std::vector<ResultListRow>& rows() const { return m_rows; }
    const ResultListRow* row(int i) const;

    // The records of the given rows, each once, in the order first met.
    // Rows out of range are ignored.
    std::vector<MEASURE*> RecordsOfRows(const std::vector<int>& rows) const;
    // `selected` = 0 on the record of every row, then 1 on the record of every
    // row in `selectedRows`.
    void MarkSelected(const std::vector<int>& selectedRows) const;

private:
    int append(const std::string& text, MEASURE* record, ResultQuantity quantity, int valueIndex);
    void setCells(ResultListRow& row, double value, int unit);

    std::vector<ResultListRow> m_rows;
};

// Removes these nodes from the chain, each once; pointers that are not nodes
// of the chain are skipped. Nodes are matched by identity, not by id, as two
// records may share a random id. Returns the number removed.
int RemoveRecords(CMeasureChain& chain, const std::vector<MEASURE*>& records);
