#pragma once
// Whether the operator can read the results list as it is laid out now.
#include "app/result_list_view.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <gtest/gtest.h>

// No., result and unit of every row and their headings fit their columns whole; the type
// column may be cut, but not to nothing; and the unit column ends inside the panel.
inline void ExpectEveryRowReadable(const CResultListView& list, const char* when) {
    const QFontMetrics fm = list.fontMetrics();
    const int panel = list.viewport()->width();
    ASSERT_GT(panel, 0) << when;
    EXPECT_LE(list.columnViewportPosition(3) + list.columnWidth(3), panel) << when << ": the unit runs out of sight";
    EXPECT_GE(list.columnWidth(1), fm.horizontalAdvance(QStringLiteral("A…"))) << when;
    for (int row = 0; row < list.rowCount(); ++row)
        for (int c : {0, 2, 3}) {
            const QTableWidgetItem* cell = list.item(row, c);
            ASSERT_NE(cell, nullptr);
            EXPECT_LE(fm.horizontalAdvance(cell->text()), list.columnWidth(c) - 4)
                << when << ": row " << row << " column " << c << " \"" << cell->text().toStdString()
                << "\" is cut";
        }
    for (int c : {0, 2, 3}) {
        const QString heading = list.horizontalHeaderItem(c)->text();
        EXPECT_LE(list.horizontalHeader()->fontMetrics().horizontalAdvance(heading), list.columnWidth(c) - 4)
            << when << ": heading \"" << heading.toStdString() << "\" is cut";
    }
}
