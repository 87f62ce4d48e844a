#pragma once
// The out-of-state window over a scratch program folder: the station and clock of a contest day, log
// lines to open it on, and keys typed into whatever box has the focus, as a keyboard types them.
#include "core/ProcessState.h"
#include "logging/Outfrm.h"
#include "logstore/ContactLog.h"
#include "tests/support/QStringPrint.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tylog::testing {

class OutfrmFixture : public ::testing::Test {
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

    // One log.txt line: a contact on the contest day.
    static QByteArray Contact(const QString& call, const QString& county = "Larkmoor", const QString& band = "20",
                              const QString& mode = "PH", const QString& time = "14:01:02",
                              const QString& serialRcvd = "5", const QString& serialSent = "001") {
        ContactRecord r;
        r.Call = call;
        r.County = county;
        r.Band = band;
        r.Mode = mode;
        r.Date = "2013/09/15";
        r.Time = time;
        r.SerialRcvd = serialRcvd;
        r.SerialSent = serialSent;
        return LogLine(r);
    }

    // Opens the window on this log, answering "Open existing log?" with Yes.
    OutfrmWindow& open(const QByteArray& log = QByteArray()) {
        folder.write("log.txt", log);
        Fakes().dialogs.AnswerMsgBox(vbYes);
        OutfrmWindow& w = Outfrm();
        ShowActive(w);
        return w;
    }

    static QWidget* focused() { return QApplication::focusWidget(); }

    // Types text key by key into the focused box; "\r" is Enter, "\b" Backspace, "\x1b" Esc.
    static void keys(const QString& text) {
        for (QChar c : text) {
            QWidget* target = focused();
            ASSERT_NE(target, nullptr);
            switch (c.unicode()) {
            case '\r': QTest::keyClick(target, Qt::Key_Return); break;
            case '\b': QTest::keyClick(target, Qt::Key_Backspace); break;
            case 0x1b: QTest::keyClick(target, Qt::Key_Escape); break;
            default: QTest::keyClick(target, c.toLatin1()); break;
            }
        }
    }
    static void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(focused(), k, m); }

    ScratchFolder folder;
};

} // namespace tylog::testing
