#pragma once
#include "model/ctchain.h"
#include "model/measure.h"

#include <cstdint>
#include <string>

// The list of completed measurements owned by the main dialog.
class CMeasureChain : public CTChain<MEASURE> {
public:
    // Unlike the plain chain, stores a copy of `m` (the caller keeps its
    // record): a fresh id, not selected, no label texts yet, appended after the
    // last node and made the cursor. Null adds nothing; so does a failed
    // allocation.
    int AddNode(MEASURE* m) override;

    // The first node (from the front) with this id, as the cursor; null when none.
    MEASURE* FindById(std::int32_t id);
    // Removes the first node with this id; 0 when there is none.
    int RemoveById(std::int32_t id);

    // The measurement data file (model/measure_file.h). Write stores every
    // record, first to last, replacing the file only once all of it is
    // written; 0 when the list is empty (no file is made) or writing fails.
    int Write(const std::string& path);
    // Replaces the list by the records of the file; 0 when the file cannot be
    // read or is no valid data file, and the list is then left as it was.
    int Read(const std::string& path);
};
