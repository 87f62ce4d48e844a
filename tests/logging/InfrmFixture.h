#pragma once
// The in-state window over a scratch program folder: an in-state station on a contest day, log lines
// to open it on, and the entry line driven as an operator types.
#include "core/ProcessState.h"
#include "core/ReferenceTables.h"
#include "logging/Infrm.h"
#include "logstore/ContactLog.h"
#include "tests/support/QStringPrint.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tylog::testing {

class InfrmFixture : public ::testing::Test {
protected:
    void SetUp() override {
        folder.copyShipped("TYCounty.txt");
        Folders.ProgramFolder = folder.path();
        Folders.DataFolder = folder.file("data");
        Folders.BackupFolder = folder.file("data/BACKUP");
        QDir().mkpath(Folders.BackupFolder);
        Station.OwnCall = "N0TY";
        Station.OwnSpc = "TY";
        Station.CurrentCounty = "Larkmoor";
        Station.CurrentMode = "PH";
        Station.CurrentBand = "20";
        Station.FormSizePercent = 100;
        Station.UtcOffsetHours = 5;
        Station.OutOfStateFlag = 0;
        Station.HostState = "TY";
        Station.WorkedColor = 0x00FF00;
        Station.RemainingColor = 0x0000FF;
        Fakes().clock.Set(QDateTime(QDate(2013, 9, 15), QTime(9, 1, 2)), 5);
        // The tables the start-up loads: the call box looks every call up in them.
        folder.copyShipped("arrlpre2.txt");
        folder.copyShipped("states.txt");
        LoadPrefixTable();
        LoadStateCoords();
        Station.OwnLatitude = 39.5f; // the host state's centre
        Station.OwnLongitude = 98.2f;
    }

    // One log.txt line: a contact on the contest day.
    struct Line {
        QString call;
        QString spc = "TY";
        QString county = "Alderbrook";
        QString band = "20";
        QString mode = "PH";
        QString sentCounty = "Larkmoor";
        QString time = "14:01:02";
        QString serialSent = "001";
    };
    static QByteArray Contact(const Line& l) {
        ContactRecord r;
        r.Call = l.call;
        r.Spc = l.spc;
        r.County = l.county;
        r.SentCounty = l.sentCounty;
        r.Band = l.band;
        r.Mode = l.mode;
        r.Date = "2013/09/15";
        r.Time = l.time;
        r.SerialRcvd = "5";
        r.SerialSent = l.serialSent;
        return LogLine(r);
    }

    // Opens the window on this log, answering "Open existing log?" with Yes.
    InfrmWindow& open(const QByteArray& log = QByteArray()) {
        folder.write("log.txt", log);
        Fakes().dialogs.AnswerMsgBox(vbYes);
        InfrmWindow& w = Infrm();
        ShowActive(w);
        return w;
    }

    // The entry line filled box by box, as an operator fills it, then Enter in the last box.
    static void type(vb::TextBox& box, const QString& text) {
        box.SetFocus();
        QTest::keyClicks(box.widget(), text);
    }
    static void enter(vb::TextBox& box) { QTest::keyClick(box.widget(), Qt::Key_Return); }
    static void log(InfrmWindow& w, const QString& call, const QString& serial, const QString& spc,
                    const QString& county = QString()) {
        type(w.txtCall, call);
        type(w.txtRSTR, serial);
        type(w.txtCntry, spc);
        type(w.txtSec, county);
        enter(w.txtSec);
    }

    ScratchFolder folder;
};

} // namespace tylog::testing
