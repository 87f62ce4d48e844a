// Saves the program makes on its own account, on a disk that fails: the operator is told once per
// file and cause, in a notice that does not hold logging, and told again after a save succeeded.
#include "core/StationSettingsFile.h"
#include "keying/CWFrm.h"
#include "keying/PhoneFrm.h"
#include "tests/logging/LogWindowFixture.h"
#include "tests/support/FailingCalls.h"

using namespace tylog;
using namespace tylog::testing;

namespace {

class SettingsSaveTest : public LogWindowTest {
protected:
    // The notices and boxes about files that could not be saved, by title.
    static QStringList told() {
        QStringList titles;
        for (const auto& d : Fakes().dialogs.shown)
            if (d.title.startsWith("Unable to save ")) titles << d.title;
        return titles;
    }
    static const ScriptedDialogs::Shown& last() { return Fakes().dialogs.shown.back(); }
};

} // namespace

TEST_F(SettingsSaveTest, AFailedSettingsSaveIsToldOncePerCauseAndLoggingGoesOn) {
    OutfrmWindow& w = open(Lines(1));
    const QString path = QDir::toNativeSeparators(folder.file("QSOpref.txt"));
    const std::pair<const char*, std::function<void()>> saves[] = {
        {"band", [&] { pick(w.mnuBand40Ch); }},
        {"mode", [&] { pick(w.mnu160); }},
        {"Time Off", [&] { w.cmdLogOn_Click(); w.cmdLogOn_Click(); }},
        {"taskbar", [&] { pick(w.mnuTaskbar); }},
        {"list previous", [&] { pick(w.mnuListPrevious); }},
        {"form size", [&] {
             Fakes().dialogs.AnswerInput("90");
             Fakes().dialogs.AnswerMsgBox(vbOK); // "must be closed and restarted"
             pick(w.mnuFormSize);
         }},
    };
    {
        FailingCall full(FailingCall::Write, "QSOpref.txt", ENOSPC);
        for (const auto& [name, save] : saves) {
            SCOPED_TRACE(name);
            save();
            EXPECT_GE(full.failures(), 1);
            ASSERT_EQ(told(), QStringList{"Unable to save QSOpref.txt"});
        }
        const auto notice = std::find_if(Fakes().dialogs.shown.begin(), Fakes().dialogs.shown.end(),
                                         [](const auto& d) { return d.title == "Unable to save QSOpref.txt"; });
        EXPECT_EQ(notice->kind, ScriptedDialogs::Kind::Notice);
        EXPECT_TRUE(notice->prompt.startsWith("The disk is full: " + path + " could not be written.\r\n\r\nThe "
                                              "station settings (band, mode, operating time, window and list "
                                              "options) could not be saved: they hold for this run only."))
            << notice->prompt.toStdString();
        // In force for the run all the same, and logging goes on.
        EXPECT_EQ(Station.CurrentBand, "40");
        EXPECT_EQ(w.Label24.Caption(), "40");
        ShowActive(w); // the taskbar and form size commands show the window anew
        w.txtCall.SetFocus();
        keys("K2ABC");
        w.txtRSTR.SetFocus();
        keys("5");
        w.txtSec.SetFocus();
        keys("Larkmoor\r");
        EXPECT_EQ(ContactLog.Count, 2);
    }
    {
        // Another cause is told in its turn.
        FailingCall readOnly(FailingCall::Open, "QSOpref.txt", EROFS);
        pick(w.mnuBand20Ch);
        pick(w.mnuBand40Ch);
        EXPECT_EQ(told().size(), 2);
        EXPECT_TRUE(last().prompt.startsWith("The disk is read-only: " + path));
    }
    // A save that succeeds ends what was told: the next failure is told again.
    pick(w.mnuBand20Ch);
    EXPECT_EQ(told().size(), 2);
    LoadStationSettings();
    EXPECT_EQ(Station.CurrentBand, "20");
    FailingCall full(FailingCall::Write, "QSOpref.txt", ENOSPC);
    pick(w.mnuBand40Ch);
    EXPECT_EQ(told().size(), 3);
}

TEST_F(SettingsSaveTest, TheOperatingTimeAtTheEndIsToldInABoxBeforeTheRunEnds) {
    OutfrmWindow& w = open(Lines(1));
    w.cmdLogOn_Click();
    Fakes().clock.Advance(60 * 1000);
    FailingCall full(FailingCall::Write, "QSOpref.txt", ENOSPC);
    Fakes().dialogs.AnswerMsgBox(vbOK);
    pick(w.mnuExit);
    EXPECT_EQ(Fakes().end.ended, 1);
    ASSERT_EQ(told(), QStringList{"Unable to save QSOpref.txt"});
    EXPECT_EQ(last().kind, ScriptedDialogs::Kind::MsgBox);
    EXPECT_TRUE(last().prompt.contains("operating time"));
}

TEST_F(SettingsSaveTest, TheKeyerWindowsDoneTellsAFailedSaveOnce) {
    folder.copyShipped("CW.txt");
    folder.copyShipped("wave2.txt");
    struct Case {
        const char* file;
        std::function<void()> done;
        const char* what;
    };
    const Case cases[] = {
        {"CW.txt", [] { CWFrm().Command1_Click(); }, "The CW keyer's settings and messages could not be saved"},
        {"wave2.txt", [] { PhoneFrm().Command1_Click(); }, "The voice keyer's settings could not be saved"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Fakes().dialogs.Reset();
        const QByteArray before = folder.read(c.file);
        {
            FailingCall full(FailingCall::Fsync, c.file, ENOSPC);
            c.done();
            c.done();
            EXPECT_EQ(full.failures(), 2);
        }
        ASSERT_EQ(told(), QStringList{QString("Unable to save ") + c.file});
        EXPECT_EQ(last().kind, ScriptedDialogs::Kind::Notice);
        EXPECT_TRUE(last().prompt.contains(c.what)) << last().prompt.toStdString();
        EXPECT_EQ(folder.read(c.file), before); // the old file stays whole
        c.done();
        FailingCall full(FailingCall::Fsync, c.file, ENOSPC);
        c.done();
        EXPECT_EQ(told().size(), 2);
    }
}
