// The external keyer against a fake device on a pseudo-terminal under the fake clock: the open and its
// result codes, the settings sent, the hand-over of the CW buffer while the device is busy, a device
// that never answers, takes nothing, talks nonsense or goes away, and the stop of the device on every
// way out.
#include "keying/CWFrm.h"
#include "keying/CWKeyer.h"
#include "keying/EngineKeyers.h"
#include "keying/ExternalKeyer.h"
#include "keying/KeyerSettings.h"
#include "keying/KeyerState.h"
#include "keying/KeyingPort.h"
#include "keying/VoiceKeyer.h"
#include "keying/WinKeyProtocol.h"
#include "platform/Session.h"
#include "tests/support/KeyerPeers.h"
#include "tests/support/LinkDoubles.h"
#include "tests/support/QStringPrint.h"
#include "tests/support/TestSupport.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace tylog;
using namespace tylog::testing;
using Kind = ScriptedDialogs::Kind;

namespace {

QByteArray Bytes(std::initializer_list<int> list) {
    QByteArray out;
    for (int b : list) out.append(static_cast<char>(b));
    return out;
}

const QString kConnectionTitle = "Unable to establish connection with Winkey.";

class ExternalKeyerTest : public ::testing::Test {
protected:
    void SetUp() override {
        KeyerSettings.WinKey.ComPort = 7;
        keyer = &ExternalKeyerEngine();
        QObject::connect(keyer, &ExternalKeyer::OpenFinished, &receiver, [this](int code) { codes.append(code); });
        QObject::connect(keyer, &ExternalKeyer::CharacterHandedOver, &receiver, [this](QChar c) { handed += c; });
        QObject::connect(keyer, &ExternalKeyer::TransmitEnded, &receiver, [this] { ++ended; });
    }

    static void Advance(int ms) { Fakes().clock.Advance(static_cast<std::uint32_t>(ms)); }
    // The Open button with the device answering the echo test and the open; the settings taken in.
    void Open() {
        keyer->OpenDevice();
        device.Serve();
        Advance(10);
        device.Serve();
        Advance(10);
        device.Serve();
    }
    // Lets the hand-over and the device run for ms, the device taking each character as it comes.
    void Run(int ms) {
        for (int t = 0; t < ms; t += 10) {
            const qsizetype before = handed.size();
            Advance(10);
            if (handed.size() != before && winkey::CharacterByte(handed.back().unicode())) device.Serve(500);
            else device.Tick();
        }
    }
    void Transmit(const QString& text) {
        Keyer.CWBuffer += text;
        keyer->WKTransmit();
    }
    static QList<ScriptedDialogs::Shown> Shown(Kind kind) {
        QList<ScriptedDialogs::Shown> out;
        for (const auto& s : Fakes().dialogs.shown)
            if (s.kind == kind) out.append(s);
        return out;
    }

    FakeKeyerDevice device{7};
    ExternalKeyer* keyer = nullptr;
    QList<int> codes;
    QString handed;
    int ended = 0;
    // The engine outlives each test: its signals reach this test's counts only while they exist.
    QObject receiver;
};

} // namespace

TEST_F(ExternalKeyerTest, OpensSendsTheSettingsAndHandsTheTextOverAsTheDeviceTakesIt) {
    WinKeySettings& s = KeyerSettings.WinKey;
    s.Speed = "22";
    s.Weight = "55";
    s.LeadIn = "3";
    s.Tail = "4";
    s.Ratio = "48";
    s.PinConfig = 5;
    s.Mode = 16;
    Open();
    EXPECT_EQ(codes, QList<int>{0});
    EXPECT_EQ(Keyer.WinKeyVersion, 23);
    EXPECT_EQ(KeyingPortOwner().Holder(), KeyingPortUser::ExternalKeyer);
    // The echo test, the open, then the settings in the window's order.
    EXPECT_EQ(device.peer.received, Bytes({0x00, 0x04, 0x55, 0x00, 0x02, 0x02, 22, 0x03, 55, 0x04, 3, 4, 0x17, 48,
                                           0x09, 5, 0x0E, 16}));
    EXPECT_EQ(device.model.wpm, 22);

    const qsizetype before = device.peer.received.size();
    Transmit("cq !");
    Run(40);
    // Every character as it stands, one per step of 10 ms.
    EXPECT_EQ(device.peer.received.mid(before), "cq !");
    EXPECT_EQ(handed, "cq !");
    EXPECT_TRUE(Keyer.CWBuffer.isEmpty());
    // The device keys them itself, 100 ms each.
    Run(400);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(device.model.sent, "cq !");
    EXPECT_EQ(device.model.overflowed, 0);
}

TEST_F(ExternalKeyerTest, ABusyDeviceIsWaitedForAndLosesNothing) {
    Open();
    // Twice what the device's buffer holds: the hand-over stops at its two-thirds mark each time.
    const QString text = QString("VVV TEST DE Q7BZW ").repeated(3).left(48);
    Transmit(text);
    Run(300);
    EXPECT_LT(handed.size(), 20) << "the device said it was full";
    EXPECT_GE(Keyer.WinKeyStatus, 5);
    Run(6000);
    EXPECT_EQ(device.model.sent, text.toLatin1());
    EXPECT_EQ(device.model.overflowed, 0);
    EXPECT_EQ(ended, 1);
}

TEST_F(ExternalKeyerTest, WhatTheDeviceHasNoMorseForStaysOffTheLine) {
    Open();
    const qsizetype before = device.peer.received.size();
    // Enter from the practice keyboard and a tab would be commands to the device; a letter it has
    // no code page for is none of its characters.
    Transmit(QString("A\rB\tC") + QChar(0xE9) + QChar(0) + "D");
    Run(100);
    EXPECT_EQ(device.peer.received.mid(before), "ABCD");
    EXPECT_EQ(handed.size(), 8) << "each one passed over all the same";
    EXPECT_TRUE(Keyer.CWBuffer.isEmpty());
}

TEST_F(ExternalKeyerTest, TextAddedWhileHandingOverGoesOutInTheSameHandOverInOrder) {
    Open();
    Transmit("AB");
    Advance(10);
    device.Serve(500);
    Transmit("CD"); // keyboard CW typed meanwhile: no second hand-over
    Run(100);
    EXPECT_EQ(device.model.sent + device.model.queued, "ABCD");
    EXPECT_EQ(ended, 1);
}

TEST_F(ExternalKeyerTest, EveryResultCodeOfTheOpen) {
    ScratchFolder dir;
    dir.write("not-a-port", "");
    struct Case {
        const char* name;
        std::function<void(FakeKeyerDevice&)> before, after;
        int port;
        int code;
    };
    const auto answerEchoOnly = [](FakeKeyerDevice& d) {
        d.peer.SetResponder([](QByteArray& p) -> std::optional<QByteArray> {
            if (p.isEmpty()) return std::nullopt;
            const bool echo = p.startsWith(QByteArray("\x00\x04", 2)) && p.size() >= 3;
            const QByteArray answer = echo ? p.mid(2, 1) : QByteArray();
            p.remove(0, echo ? 3 : p.size());
            return answer;
        });
    };
    const Case cases[] = {
        {"a device that answers nothing", [](FakeKeyerDevice& d) { d.peer.silent = true; }, nullptr, 7, -1},
        {"an echo of another byte",
         [](FakeKeyerDevice& d) {
             d.peer.SetResponder([](QByteArray& p) -> std::optional<QByteArray> {
                 if (p.isEmpty()) return std::nullopt;
                 p.clear();
                 return QByteArray("*");
             });
         },
         nullptr, 7, -2},
        {"an echo but no answer to the open", answerEchoOnly, nullptr, 7, -3},
        {"port 0, which no device has", nullptr, nullptr, 0, -4},
        {"a port no device is mapped to", nullptr, nullptr, 9, -4},
        {"a file that is no serial device", [&](FakeKeyerDevice&) { Fakes().ports.serial[9] = dir.path() + "/not-a-port"; },
         nullptr, 9, -6},
        {"a device that hangs up in the middle of the open", nullptr, [](FakeKeyerDevice& d) { d.peer.HangUp(); }, 7,
         -7},
    };
    for (const Case& c : cases) {
        ResetExternalKeyer();
        FakeKeyerDevice d(7);
        if (c.before) c.before(d);
        KeyerSettings.WinKey.ComPort = c.port;
        int code = 1;
        QObject scope; // the engine outlives this case
        QObject::connect(&ExternalKeyerEngine(), &ExternalKeyer::OpenFinished, &scope, [&](int got) { code = got; });
        Fakes().dialogs.AnswerMsgBox(vbOK);
        ExternalKeyerEngine().OpenDevice();
        if (c.after) c.after(d);
        for (int t = 0; t < 2100 && code == 1; t += 10) {
            if (c.port == 7 && !c.after) d.peer.Serve(t == 0 ? 50 : 1);
            Advance(10);
        }
        EXPECT_EQ(code, c.code) << c.name;
        EXPECT_EQ(Keyer.WinKeyVersion, 0) << c.name;
        EXPECT_EQ(KeyingPortOwner().Holder(), KeyingPortUser::None) << c.name << ": the port given back";
        const auto boxes = Shown(Kind::MsgBox);
        ASSERT_FALSE(boxes.isEmpty()) << c.name;
        EXPECT_EQ(boxes.back().title, kConnectionTitle);
        EXPECT_EQ(boxes.back().prompt,
                  QString("Unable to establish connection with WinKey on com port %1.  Please check to make sure that "
                          "you have specified the correct port and that the Winkey device is properly connected.")
                      .arg(c.port))
            << c.name;
    }

    // Open twice: the second answers -8 at once and sends nothing.
    ResetExternalKeyer();
    device.peer.MapAsSerial(7);
    keyer = &ExternalKeyerEngine();
    QObject::connect(keyer, &ExternalKeyer::OpenFinished, &receiver, [this](int code) { codes.append(code); });
    KeyerSettings.WinKey.ComPort = 7;
    Open();
    const qsizetype sent = device.peer.received.size();
    keyer->OpenDevice();
    EXPECT_EQ(codes, (QList<int>{0, -8}));
    EXPECT_EQ(device.Serve(10), QByteArray()) << "the settings are not sent again";
    EXPECT_EQ(device.peer.received.size(), sent);
    // A closed device takes nothing.
    keyer->CloseDevice();
    EXPECT_EQ(keyer->Device().wk_wpm(20), -9);
    EXPECT_EQ(keyer->Device().wk_getstatus(), -9);
}

TEST_F(ExternalKeyerTest, ADeadDeviceIsToldOncePerTransmitDropsTheTextAndEndsTheRepeat) {
    device.peer.silent = true;
    Keyer.CWKeyingType = 5;
    KeyerSettings.CW.Messages[0] = "CQ TEST";
    KeyerSettings.CW.RepeatSeconds = "1";
    Fakes().dialogs.AnswerMsgBox(vbOK);
    CWEngine().FKeyCW(112); // F1, repeating every second
    Advance(500);
    Transmit(" DE Q7BZW"); // keyboard CW meanwhile joins the open under way
    Advance(1000);
    EXPECT_EQ(Shown(Kind::MsgBox).size(), 1);
    EXPECT_TRUE(Keyer.CWBuffer.isEmpty());
    EXPECT_FALSE(Keyer.CWRepeatArmed);
    EXPECT_FALSE(CWEngine().RepeatTimer().Running()) << "the box would come back every second";
    EXPECT_EQ(codes, QList<int>{-1});
    Advance(5000);
    EXPECT_EQ(Shown(Kind::MsgBox).size(), 1);

    // The next text tries again, and says so again.
    Fakes().dialogs.AnswerMsgBox(vbOK);
    Transmit("TU");
    Advance(2000);
    EXPECT_EQ(Shown(Kind::MsgBox).size(), 2);
    EXPECT_FALSE(Fakes().dialogs.Unanswered());
}

TEST_F(ExternalKeyerTest, TheBufferLoopLogsTheContactFirstThenHandsTheDeviceTheMessageAndRepeatsIt) {
    RecordingLoggingWindow logging;
    qsizetype sentAtMains = -1;
    logging.onMains = [&] { sentAtMains = device.peer.received.size(); };
    Open();
    const qsizetype before = device.peer.received.size();
    Keyer.CWKeyingType = 5;
    Keyer.CWMacroCall = "K1ABC";
    KeyerSettings.CW.Messages[0] = "TU ! $";
    KeyerSettings.CW.RepeatSeconds = "5";
    CWEngine().FKeyCW(112);
    EXPECT_EQ(sentAtMains, before) << "the contact is logged before the text goes out";
    EXPECT_FALSE(Keyer.CWSending) << "the device keys; the port keyer's loop does not run";
    Run(200);
    EXPECT_EQ(device.model.sent + device.model.queued, "TU ! K1ABC");
    EXPECT_TRUE(CWEngine().RepeatTimer().Running());
    Run(6000);
    EXPECT_EQ(device.model.sent + device.model.queued, "TU ! K1ABCTU ! K1ABC");

    // Any key stops the repeat and what the device still holds.
    Keyer.CWRepeatArmed = false;
    InstalledKeyers().wk_clearbuf();
    InstalledKeyers().DisableCWRepeat();
    device.Serve();
    EXPECT_TRUE(device.model.queued.isEmpty());
    Run(6000);
    EXPECT_EQ(device.model.sent.count("TU"), 2);
}

TEST_F(ExternalKeyerTest, ACWSpeedChangeReachesTheOpenDevice) {
    Open();
    Keyer.CWKeyingType = 5;
    CWFrmWindow& cw = CWFrm();
    ShowActive(cw);
    cw.Text11.SetFocus();
    cw.Text11.lineEdit()->selectAll();
    QTest::keyClicks(cw.Text11.widget(), "35");
    device.Serve();
    EXPECT_EQ(device.model.commands.back(), QByteArray("\x02\x23", 2)) << "3 is not sent, 35 is";
    EXPECT_EQ(device.model.commands.count(QByteArray("\x02\x03", 2)), 0);
    QTest::keyClicks(cw.Text11.widget(), "0");
    device.Serve(10);
    EXPECT_EQ(device.model.wpm, 35) << "350 is never sent";
    cw.Text11.setText("100");
    cw.UpDown1_DownClick();
    device.Serve();
    EXPECT_EQ(device.model.wpm, 99);
}

TEST_F(ExternalKeyerTest, ADeviceThatTakesNothingFor10SecondsHasItsTextDropped) {
    Open();
    device.model.forceFull = true;
    device.peer.Send(device.model.StatusByte());
    Transmit("CQ CQ");
    Run(9990);
    EXPECT_EQ(Keyer.CWBuffer, "CQ CQ");
    Run(20);
    EXPECT_TRUE(Keyer.CWBuffer.isEmpty());
    EXPECT_EQ(ended, 1);
    ASSERT_EQ(Shown(Kind::Notice).size(), 1);
    EXPECT_EQ(Keyer.WinKeyVersion, 23) << "the device stays open";
}

TEST_F(ExternalKeyerTest, AStatusByteLostOnTheLineHoldsNothingUp) {
    Open();
    device.model.forceFull = true;
    device.peer.Send(device.model.StatusByte());
    Transmit("AB");
    Run(100);
    EXPECT_EQ(Keyer.CWBuffer, "AB");
    // The device frees up, but the byte that says so never arrives: the keyer asks.
    device.model.forceFull = false;
    for (int t = 0; t < 2000 && !Keyer.CWBuffer.isEmpty(); t += 10) {
        Advance(10);
        device.peer.Serve(1);
    }
    EXPECT_TRUE(Keyer.CWBuffer.isEmpty());
    EXPECT_TRUE(device.model.commands.contains(QByteArray(1, 0x15)));
}

TEST_F(ExternalKeyerTest, NonsenseFromTheDeviceIsPassedOver) {
    Open();
    Transmit("TEST");
    Advance(10);
    device.Serve(500);
    // A speed knob turned, a byte of no kind, stray characters.
    device.peer.Send(Bytes({0x8A, 0xE5, 0x31, 0x7F}));
    Run(100);
    EXPECT_EQ(device.model.sent + device.model.queued, "TEST");
    EXPECT_LT(Keyer.WinKeyStatus, 5);
}

TEST_F(ExternalKeyerTest, ADeviceThatGoesAwayMidMessageClosesDropsTheTextAndSaysSoOnce) {
    Open();
    int closes = 0;
    QObject scope; // the engine outlives this test
    QObject::connect(keyer, &ExternalKeyer::DeviceClosed, &scope, [&] { ++closes; });
    Transmit("CQ CQ CQ DE Q7BZW");
    Run(30);
    device.peer.HangUp();
    Run(50);
    EXPECT_EQ(Keyer.WinKeyVersion, 0);
    EXPECT_TRUE(Keyer.CWBuffer.isEmpty());
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(ended, 1);
    ASSERT_EQ(Shown(Kind::Notice).size(), 1);
    EXPECT_TRUE(Shown(Kind::Notice)[0].prompt.contains("com port 7"));
    EXPECT_EQ(KeyingPortOwner().Holder(), KeyingPortUser::None);
    Run(100);
    EXPECT_EQ(Shown(Kind::Notice).size(), 1) << "said once";
}

TEST_F(ExternalKeyerTest, TheDeviceStopsSendingOnEveryWayOut) {
    struct Case {
        const char* name;
        std::function<void(ExternalKeyer&)> leave;
        bool closes;
    };
    const Case cases[] = {
        {"Stop (and Esc): the buffer emptied", [](ExternalKeyer& k) { k.Device().wk_clearbuf(); }, false},
        {"Close", [](ExternalKeyer& k) { k.CloseDevice(); }, true},
        {"the voice keyer opens its push-to-talk port",
         [](ExternalKeyer&) {
             KeyerSettings.Voice.SerialPort = "4";
             VoiceKeying().OpenPhonePort();
         },
         true},
        {"the CW keyer opens its keying port",
         [](ExternalKeyer&) {
             KeyerSettings.CW.SerialPort = "4";
             CWEngine().CWSetup();
         },
         true},
        {"the end of the run", [](ExternalKeyer&) { UnkeyEverything(); }, true},
        {"the keyer goes away", [](ExternalKeyer&) { ResetExternalKeyer(); }, true},
    };
    PseudoTerminal otherPort;
    otherPort.MapAsSerial(4);
    for (const Case& c : cases) {
        keyer = &ExternalKeyerEngine();
        handed.clear();
        QObject::connect(keyer, &ExternalKeyer::CharacterHandedOver, &receiver, [this](QChar ch) { handed += ch; });
        Open();
        ASSERT_EQ(Keyer.WinKeyVersion, 23) << c.name;
        Transmit("CQ TEST");
        Run(80);
        ASSERT_FALSE(device.model.queued.isEmpty()) << c.name << ": still sending";
        c.leave(*keyer);
        device.Serve(200);
        EXPECT_TRUE(device.model.queued.isEmpty()) << c.name;
        EXPECT_EQ(device.model.hostOpen, !c.closes) << c.name;
        if (c.closes) {
            EXPECT_EQ(Keyer.WinKeyVersion, 0) << c.name;
        }
        ResetExternalKeyer();
        ResetCWEngine();
        EndVoiceKeyer();
        device.Serve(10);
        device.model = {};
        device.peer.received.clear();
    }
}

TEST_F(ExternalKeyerTest, TheKeyboardMapsOperationsReachTheOpenDevice) {
    Open();
    EngineKeyers& keys = InstalledKeyers();
    EXPECT_EQ(keys.wk_getstatus(), 0);
    Transmit("AB");
    Advance(10);
    // Busy as soon as a character is handed over, before the device says so.
    EXPECT_EQ(keys.wk_getstatus(), 4);
    device.Serve(500);
    Run(20);
    ASSERT_EQ(device.model.queued, "AB");
    keys.wk_backspace();
    device.Serve();
    EXPECT_EQ(device.model.queued, "A");
    keys.wk_clearbuf();
    device.Serve();
    EXPECT_TRUE(device.model.queued.isEmpty());
    Run(10);
    EXPECT_EQ(keys.wk_getstatus(), 0);
}
