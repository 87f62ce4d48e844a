#pragma once
// The out-of-state window opened over a scratch program folder, with helpers to pick menu items and
// click rows as the operator does.
#include "tests/logging/OutfrmFixture.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace tylog::testing {

class LogWindowTest : public OutfrmFixture {
protected:
    // n contacts K1A .. with serials 001 ..
    static QByteArray Lines(int n) {
        QByteArray out;
        for (int i = 1; i <= n; ++i)
            out += Contact(QString("K%1A").arg(i), "Larkmoor", "20", "PH", "14:01:02", "5", QString::number(i));
        return out;
    }

    // Picks a menu item as the operator does.
    static void pick(vb::Menu& item) { item.action()->trigger(); }

    // The list row of a record number; -1 when not listed.
    static int rowOf(OutfrmWindow& w, int record) {
        for (int i = 0; i < w.ListView1.ItemCount(); ++i)
            if (w.ListView1.ItemText(i) == QString::number(record)) return i;
        return -1;
    }

    static void clickRow(OutfrmWindow& w, int row, Qt::MouseButton button = Qt::LeftButton) {
        QTreeWidget* t = w.ListView1.tree();
        QTest::mouseClick(t->viewport(), button, Qt::NoModifier, t->visualItemRect(t->topLevelItem(row)).center());
    }

    // Lines of log.txt.
    int logLines() const { return static_cast<int>(folder.read("log.txt").count('\n')); }
};

} // namespace tylog::testing
