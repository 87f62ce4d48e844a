// The radio link end to end: a logging window that starts polling at its load and follows the radio's
// band, mode and frequency into the next contact; the radio window from the keyboard and the menu; the
// settings over a restart; the logging window's close ending the link; and a radio front end nobody
// here wrote (rigctlcom over its dummy radio) polled through a pair of pseudo-terminals.
#include "app/Engines.h"
#include "core/StationSettingsFile.h"
#include "logging/Dispatcher.h"
#include "rig/RigControlfrm.h"
#include "rig/RigSettings.h"
#include "tests/logging/InfrmFixture.h"
#include "tests/logging/LogWindowFixture.h"
#include "tests/support/RadioPeers.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace tylog;
using namespace tylog::testing;

namespace {

// Kenwood on port 2; mode query as given.
QByteArray KenwoodFile(const char* modeQuery = "MD;") {
    return CrLfLines({"\"4800 \"", "\"N\"", "\"8\"", "\"2\"", (QByteArray("\"") + modeQuery + "\"").constData(),
                      "\"FA;\"", "\"4800,N,8,2\"", "2", "\"N\"", "\"M\"", "\"Kenwood\"", "0", "1", "1"});
}

class RadioEndToEnd : public LogWindowTest {
protected:
    void SetUp() override {
        LogWindowTest::SetUp();
        InstallEngines(); // the radio link as start-up installs it
        peer.MapAsSerial(2);
        KenwoodRadio(peer, radio);
        folder.write("RigCntrl.txt", KenwoodFile());
        Station.RigType = "Kenwood";
    }
    void cycle() {
        peer.Serve(20);
        Fakes().clock.Advance(250);
        Fakes().clock.Advance(250);
    }
    PtyPeer peer;
    std::shared_ptr<RadioState> radio = std::make_shared<RadioState>();
};

TEST_F(RadioEndToEnd, TheLoggingWindowFollowsTheRadio) {
    radio->hz = 7025000;
    OutfrmWindow& w = open(Contact("K1ABC"));
    EXPECT_TRUE(RigControlfrm().Engine().Polling()); // started by the window's load
    EXPECT_FALSE(RigControlfrm().Visible());
    QFile::remove(folder.file("QSOpref.txt"));
    cycle();
    // 40 m and CW: switched, saved and the log reloaded.
    EXPECT_EQ(Station.CurrentBand, "40");
    EXPECT_EQ(w.Label24.Caption(), "40");
    EXPECT_EQ(Station.CurrentMode, "CW");
    EXPECT_EQ(tylog::Run.RigFrequencyText, "7.025");
    EXPECT_TRUE(folder.exists("QSOpref.txt"));

    // The radio moves within the band: only the logged frequency follows, nothing is saved.
    QFile::remove(folder.file("QSOpref.txt"));
    radio->hz = 7030000;
    cycle();
    EXPECT_EQ(tylog::Run.RigFrequencyText, "7.030");
    EXPECT_FALSE(folder.exists("QSOpref.txt"));

    // The next contact carries it.
    w.txtCall.setText("W1AW");
    w.txtRSTR.setText("9");
    w.txtSec.setText("Lowater");
    w.Mains();
    const ContactRecord& r = ContactLog.Rec[static_cast<size_t>(ContactLog.Count)];
    EXPECT_EQ(r.Call, "W1AW");
    EXPECT_EQ(r.Frequency, "7.030");
    EXPECT_EQ(r.Band, "40");
    EXPECT_EQ(r.Mode, "CW");
}

TEST_F(RadioEndToEnd, TheRadioWindowOpensFromTheMenuAndTheKeyboard) {
    Station.RigType = "None";
    OutfrmWindow& w = open();
    EXPECT_EQ(vb::IfLoaded<RigControlfrmWindow>(), nullptr); // no radio: not loaded at start
    pick(w.mnuRigInterface);
    ASSERT_NE(vb::IfLoaded<RigControlfrmWindow>(), nullptr);
    EXPECT_TRUE(RigControlfrm().isVisible());
    EXPECT_FALSE(RigControlfrm().ShownModal());
    RigControlfrm().Hide();
    QApplication::setActiveWindow(&w);
    w.txtCall.SetFocus();
    key(Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(RigControlfrm().isVisible());
}

TEST_F(RadioEndToEnd, SettingsSurviveARestart) {
    Station.RigType = "None";
    folder.write("RigCntrl.txt", "");
    open();
    RigControlfrmWindow& r = RigControlfrm();
    r.List1.setListIndex(4); // Kenwood
    r.optComm[1].setValue(true);
    r.optPollFast.setValue(true);
    r.cmdDone_Click();
    EXPECT_TRUE(r.Engine().Polling());

    // A new run: the station settings, then the logging window, which starts the radio as it was.
    vb::DiscardAllForms();
    Station = {};
    RigSettings = {};
    Folders.ProgramFolder = folder.path();
    LoadStationSettings();
    EXPECT_EQ(Station.RigType, "Kenwood");
    open();
    EXPECT_TRUE(RigControlfrm().Engine().Polling());
    EXPECT_EQ(RigControlfrm().Engine().PollTimer().Interval(), 50);
    EXPECT_EQ(RigSettings.RigPort, 2);
    peer.Serve(20);
    Fakes().clock.Advance(50);
    EXPECT_EQ(Station.CurrentBand, "20");
    EXPECT_EQ(tylog::Run.RigFrequencyText, "14.025");
}

TEST_F(RadioEndToEnd, ClosingTheLoggingWindowEndsTheLink) {
    YaesuRadio(peer, radio, YaesuModel::FT890);
    folder.write("RigCntrl.txt", CrLfLines({"\"4800 \"", "\"N\"", "\"8\"", "\"2\"", "\"\"", "\"00 00 00 02 10\"",
                                           "\"4800,N,8,2\"", "2", "\"D\"", "\"M\"", "\"Yaesu 890\"", "1", "1", "1"}));
    Station.RigType = "Yaesu 890";
    OutfrmWindow& w = open();
    cycle();
    peer.Serve(20); // the query of the last send tick
    vb::Unload(w);
    EXPECT_EQ(vb::IfLoaded<RigControlfrmWindow>(), nullptr);
    EXPECT_EQ(peer.Serve(20), QByteArray(4, '\0') + '\x80'); // the radio's end of computer control
    Fakes().clock.Advance(20);
    EXPECT_EQ(Fakes().keyLines.Of("COM2", RecordingKeyLines::Signal::DTR).last().value, 0);
}

class RadioInState : public InfrmFixture {};

TEST_F(RadioInState, TheInStateWindowStartsThePollAndFollows) {
    InstallEngines();
    PtyPeer peer;
    peer.MapAsSerial(2);
    auto radio = std::make_shared<RadioState>();
    radio->hz = 21025000;
    KenwoodRadio(peer, radio);
    folder.write("RigCntrl.txt", KenwoodFile());
    Station.RigType = "Kenwood";
    open();
    peer.Serve(20);
    Fakes().clock.Advance(250);
    EXPECT_EQ(Station.CurrentBand, "15");
    EXPECT_EQ(Station.CurrentMode, "CW");
    EXPECT_EQ(tylog::Run.RigFrequencyText, "21.025");
}

// ---- rigctlcom ------------------------------------------------------------------------------------

// A program run for the test, ended by its own process id when the test ends.
struct Helper {
    QProcess p;
    ~Helper() {
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished(2000);
        }
    }
};

TEST_F(RadioEndToEnd, RigctlcomPolledAsAKenwood) {
    const QString socatPath = QStandardPaths::findExecutable("socat");
    const QString rigctlcomPath = QStandardPaths::findExecutable("rigctlcom");
    ASSERT_FALSE(socatPath.isEmpty() || rigctlcomPath.isEmpty()) << "socat and rigctlcom (libhamlib-utils): tools/deps.sh";
    QTemporaryDir links;
    const QString a = links.path() + "/A", b = links.path() + "/B";
    Helper socat, rigctlcom;
    socat.p.start(socatPath, {"pty,raw,echo=0,link=" + a, "pty,raw,echo=0,link=" + b});
    ASSERT_TRUE(PumpUntil([&] { return QFileInfo::exists(a) && QFileInfo::exists(b); }, 5000));
    rigctlcom.p.start(rigctlcomPath, {"-m", "1", "-R", a, "-S", "4800"});
    ASSERT_TRUE(rigctlcom.p.waitForStarted(5000));

    Fakes().ports.serial[2] = b;
    // Its front end crashes on MD; and IF;: poll the frequency only.
    folder.write("RigCntrl.txt", KenwoodFile(""));
    OutfrmWindow& w = open();
    RadioEngine& engine = RigControlfrm().Engine();
    ASSERT_TRUE(engine.Polling());
    // The engine reads what has come by its read tick; the answer comes in real time.
    auto readTick = [&] {
        PumpUntil([&] { return engine.Port().InBufferCount() >= 14; }, 5000);
        Fakes().clock.Advance(250);
    };
    for (int i = 0; i < 5 && Station.CurrentBand != "2"; ++i) {
        readTick();
        Fakes().clock.Advance(250);
    }
    EXPECT_EQ(Station.CurrentBand, "2"); // the dummy radio starts on 145 MHz
    EXPECT_EQ(tylog::Run.RigFrequencyText, "145.000");

    // Tuned elsewhere (a set command on its line, between two polls), the window follows.
    engine.Port().Output("FA00007074000;");
    for (int i = 0; i < 5 && Station.CurrentBand != "40"; ++i) {
        Fakes().clock.Advance(250);
        readTick();
    }
    EXPECT_EQ(Station.CurrentBand, "40");
    EXPECT_EQ(w.Label24.Caption(), "40");
    EXPECT_EQ(tylog::Run.RigFrequencyText, "7.074");
    EXPECT_EQ(rigctlcom.p.state(), QProcess::Running);
}

} // namespace
