#pragma once
#include "model/result_text.h"

#include <vector>

struct MEASURE;

// One row of the results list for a record: the kind text (string-table id),
// the value shown and how it is formatted, and which value of the record it is.
struct ResultRow {
    int kindTextId;
    double value;
    ResultQuantity quantity;
    int valueIndex;
};

// The rows a complete record contributes, in list order:
//   LINE    Length (value 0), Angle (value 1)
//   ARIA    Polygon area (value 0)
//   CIRCLE  Circle diameter (value 0)
//   CIRCLE2 Circle diameter (0), Circle diameter (1), Circle distance (2), Angle (3)
//   SUI     Length (value 0)
//   ANGLE   Angle (value 0)
// A record that is not complete (kind >= 0) or of an unknown kind has none.
std::vector<ResultRow> ResultRowsFor(const MEASURE& m);
