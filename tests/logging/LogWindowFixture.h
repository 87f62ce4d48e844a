#pragma once
// The out-of-state window opened over a scratch program folder, with helpers to pick menu items and
// click rows as the operator does.
#include "app/ProcessState.h"
#include "logging/Outfrm.h"
#include "logstore/ContactLog.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QTest>
#include <QHeaderView>
#include <QTreeWidget>
#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace tylog::testing {

class LogWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.copyShipped("TYCounty.txt");
        Folders.ProgramFolder = folder.path();
        Folders.DataFolder = folder.file("data");
        Folders.BackupFolder = folder.file("data/BACKUP");
        QDir().mkpath(Folders.BackupFolder);
        Station.OwnCall = "W9XYZ";
        Station.OwnSpc = "IL";
        Station.CurrentMode = "PH";
        Station.CurrentBand = "20";
        Station.FormSizePercent = 100;
        Station.UtcOffsetHours = 5;
        Station.OutOfStateFlag = 1;
        Station.HostState = "TY";
        Fakes().clock.Set(QDateTime(QDate(2013, 9, 15), QTime(9, 1, 2)), 5);
    }

    // One log.txt line.
    static QByteArray Line(const QString& call, const QString& county = "Larkmoor", const QString& band = "20",
                           const QString& mode = "PH", const QString& serialSent = "001") {
        ContactRecord r;
        r.Call = call;
        r.County = county;
        r.Band = band;
        r.Mode = mode;
        r.Date = "2013/09/15";
        r.Time = "14:01:02";
        r.SerialRcvd = "5";
        r.SerialSent = serialSent;
        return LogLine(r);
    }

    // n contacts K1A .. with serials 001 ..
    static QByteArray Lines(int n) {
        QByteArray out;
        for (int i = 1; i <= n; ++i) out += Line(QString("K%1A").arg(i), "Larkmoor", "20", "PH", QString::number(i));
        return out;
    }

    // Opens the window on this log, answering "Open existing log?" with Yes.
    OutfrmWindow& open(const QByteArray& log = QByteArray()) {
        folder.write("log.txt", log);
        Fakes().dialogs.AnswerMsgBox(vbYes);
        OutfrmWindow& w = Outfrm();
        ShowActive(w);
        return w;
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

    ScratchFolder folder;
};

} // namespace tylog::testing
