// The tuning keypad, driven with keys and clicks inside its modal show: what it hands the radio link
// (recorded by the link's double; the engine's side is RadioCommandsTest), its entry filters, presets,
// steps and scan on the fake clock.
#include "platform/vb/Design.h"
#include "rig/RigTune.h"
#include "tests/logging/OutfrmFixture.h"
#include "tests/support/LinkDoubles.h"

#include <QRadioButton>
#include <functional>

using namespace tylog;
using namespace tylog::testing;

namespace {

class RigTuneTest : public OutfrmFixture {
protected:
    void SetUp() override {
        OutfrmFixture::SetUp();
        Station.RigType = "Kenwood";
    }

    // Runs `act` inside the keypad's modal show (opened by `open`), closes it with Done unless `act`
    // closed it, and expects it unloaded once the show returns.
    static void inKeypad(const std::function<void()>& open, const std::function<void(frmRigTuneWindow&)>& act) {
        bool shown = false;
        platform().onModalShown = [&](vb::Form& f) {
            auto* keypad = dynamic_cast<frmRigTuneWindow*>(&f);
            ASSERT_NE(keypad, nullptr) << f.Name.toStdString();
            shown = true;
            QApplication::setActiveWindow(keypad);
            Pump();
            act(*keypad);
            if (vb::IfLoaded<frmRigTuneWindow>() && keypad->isVisible()) click(keypad->cmdDone);
        };
        open();
        platform().onModalShown = nullptr;
        EXPECT_TRUE(shown);
        EXPECT_EQ(vb::IfLoaded<frmRigTuneWindow>(), nullptr) << "unloaded once its modal show returned";
    }
    static void inKeypad(const std::function<void(frmRigTuneWindow&)>& act) { inKeypad(ShowTuningKeypad, act); }

    static void click(vb::Control& c) { QTest::mouseClick(c.widget(), Qt::LeftButton); }
    static void type(vb::TextBox& box, const QString& text) {
        box.SetFocus();
        box.setSelStart(static_cast<int>(box.Text().size()));
        keys(text);
    }

    RecordingRadio radio;
};

} // namespace

TEST_F(RigTuneTest, IsLaidOutAsDesigned) {
    frmRigTuneWindow k; // unloaded: the design before the load scales it
    std::vector<vb::ControlDesign> rows{
        {.control = k.cmdCW, .Caption = "&CW", .Top = 1200},       {.control = k.cmdUSB, .Caption = "&USB", .Top = 1200},
        {.control = k.cmdLSB, .Caption = "&LSB", .Top = 1200},     {.control = k.cmdAM, .Caption = "&AM", .Top = 1200},
        {.control = k.cmdFM, .Caption = "&FM", .Top = 1200},       {.control = k.cmdRTTY, .Caption = "&RTTY", .Top = 1200},
        {.control = k.txtFreq, .Caption = "", .Top = 1800, .TabIndex = 0},
        {.control = k.Command1, .Caption = "&Go", .Top = 1800},    {.control = k.Label2, .Caption = " UP", .Top = 2460},
        {.control = k.Label3, .Caption = " Down", .Top = 2940},    {.control = k.chkScan, .Caption = "Scan", .Top = 3600},
        {.control = k.txtFrom, .Caption = "1.8", .Top = 3600},     {.control = k.txtTo, .Caption = "54", .Top = 3600},
        {.control = k.Frame1, .Caption = "Scan Steps", .Top = 3960}, {.control = k.Option5, .Caption = "2.5 KHz"},
        {.control = k.Option1, .Caption = "500 Hz"},               {.control = k.Option2, .Caption = "100 Hz"},
        {.control = k.Option3, .Caption = "30 Hz"},                {.control = k.Option4, .Caption = "10 Hz"},
        {.control = k.cmdDone, .Caption = "&Done", .Top = 4560},
    };
    const char* bands = "160 80 60 40 30 20 17 15 12 10 6 2 1.25 70 33 23";
    const QStringList bandCaptions = QString(bands).split(' ');
    for (int i = 0; i < 16; ++i) rows.push_back({.control = k.cmdBand[i], .Caption = bandCaptions[i], .Top = i < 8 ? 120.0 : 600.0});
    const char* steps[] = {"10 Hz", "10 Hz", "1 MHz", "1 MHz", "5 KHz", "5 KHz", "1 KHz", "1 KHz", "100 Hz", "100 Hz"};
    for (int i = 0; i < 10; ++i) rows.push_back({.control = k.cmdTune[i], .Caption = steps[i], .Top = i % 2 ? 2880.0 : 2400.0});
    EXPECT_EQ(vb::DesignDifferences(k, {.Caption = " Change Frequency and Mode (Ctrl G (Go))", .ClientWidth = 4905, .ClientHeight = 5010}, rows)
                  .join('\n')
                  .toStdString(),
              "");
    // The up row reads 1 MHz to 10 Hz from the left, the down row under it the same.
    for (int i = 0; i < 5; ++i) {
        const int up[] = {2, 4, 6, 8, 0};
        EXPECT_EQ(k.cmdTune[up[i]].Left(), k.cmdTune[up[i] + 1].Left());
        if (i > 0) {
            EXPECT_GT(k.cmdTune[up[i]].Left(), k.cmdTune[up[i - 1]].Left());
        }
    }
}

TEST_F(RigTuneTest, CtrlGOpensItFreshEachTimeWithTheEntryFocused) {
    OutfrmWindow& w = open();
    for (int opening = 0; opening < 2; ++opening) {
        QApplication::setActiveWindow(&w);
        w.txtCall.SetFocus();
        inKeypad([] { key(Qt::Key_G, Qt::ControlModifier); }, [](frmRigTuneWindow& k) {
            EXPECT_TRUE(k.ShownModal());
            EXPECT_EQ(k.Caption(), " Change Frequency and Mode (Ctrl G (Go))");
            EXPECT_TRUE(k.txtFreq.HasFocus()) << (k.ActiveControl() ? k.ActiveControl()->Name.toStdString() : "none");
            EXPECT_EQ(k.txtFreq.Text(), "");
            for (auto& [i, b] : k.cmdTune) EXPECT_FALSE(b->Enabled()) << i;
            EXPECT_EQ(k.chkScan.Value(), 0);
            EXPECT_EQ(k.txtFrom.Text(), "1.8");
            EXPECT_EQ(k.txtTo.Text(), "54");
            EXPECT_TRUE(k.Option4.Value());
            EXPECT_EQ(k.Timer1.Interval(), 299);
            keys("7.1");
        });
    }
    EXPECT_EQ(w.txtCall.Text(), "") << "Ctrl+G typed nothing";
    QApplication::setActiveWindow(&w);
    w.txtCall.SetFocus();
    keys("k");
    EXPECT_EQ(w.txtCall.Text(), "K");
}

TEST_F(RigTuneTest, TheEntryTakesDigitsAndPointsAndEnterSendsIt) {
    inKeypad([&](frmRigTuneWindow& k) {
        keys("14a.0x25");
        EXPECT_EQ(k.txtFreq.Text(), "14.025");
        for (auto& [i, b] : k.cmdTune) EXPECT_TRUE(b->Enabled()) << i;
        keys("\r");
        EXPECT_EQ(radio.tuned, std::vector<float>{14.025f});
        EXPECT_TRUE(k.txtFreq.HasFocus());
        EXPECT_EQ(k.txtFreq.SelStart(), 6);

        // "/" is taken, and makes the entry no number: no steps, Go sends nothing.
        keys("/");
        EXPECT_EQ(k.txtFreq.Text(), "14.025/");
        for (auto& [i, b] : k.cmdTune) EXPECT_FALSE(b->Enabled()) << i;
        click(k.Command1);
        keys("\r");
        EXPECT_EQ(radio.tuned.size(), 1u);

        // The scan limits filter alike; Enter there does nothing.
        type(k.txtFrom, "x2\r");
        EXPECT_EQ(k.txtFrom.Text(), "1.82");
        type(k.txtTo, "\b\b9/");
        EXPECT_EQ(k.txtTo.Text(), "9/");
        EXPECT_EQ(radio.tuned.size(), 1u);
    });
}

TEST_F(RigTuneTest, PresetsAndStepsWriteTheEntryAndSendIt) {
    inKeypad([&](frmRigTuneWindow& k) {
        click(k.cmdBand[10]);
        EXPECT_EQ(k.txtFreq.Text(), "52");
        click(k.cmdBand[0]);
        EXPECT_EQ(k.txtFreq.Text(), "1.9");
        click(k.cmdBand[15]);
        EXPECT_EQ(k.txtFreq.Text(), "1270");
        EXPECT_EQ(radio.tuned, (std::vector<float>{52, 1.9f, 1270}));

        k.txtFreq.setText("14.175");
        click(k.cmdTune[0]);
        EXPECT_EQ(k.txtFreq.Text(), "14.17501");
        EXPECT_TRUE(k.cmdDone.HasFocus());
        k.txtFreq.setText("0.5");
        click(k.cmdTune[3]);
        EXPECT_EQ(k.txtFreq.Text(), "-0.5");
        click(k.cmdTune[5]);
        EXPECT_EQ(k.txtFreq.Text(), "-0.505");
        EXPECT_EQ(radio.tuned, (std::vector<float>{52, 1.9f, 1270, 14.17501f, -0.5f, -0.505f}));

        // The mode buttons hand over the name alone, with or without a radio.
        click(k.cmdUSB);
        Station.RigType = "None";
        click(k.cmdRTTY);
        EXPECT_EQ(radio.modes, (std::vector<std::pair<float, QString>>{{0.f, "USB"}, {0.f, "RTTY"}}));
        EXPECT_TRUE(k.cmdDone.HasFocus());

        // Without a radio the entry still works and nothing is sent.
        click(k.cmdBand[5]);
        click(k.cmdTune[6]);
        EXPECT_EQ(k.txtFreq.Text(), "14.176");
        Station.RigType = "";
        k.txtFreq.SetFocus();
        keys("\r");
        EXPECT_EQ(radio.tuned.size(), 6u);
    });
}

TEST_F(RigTuneTest, ScanClimbsByItsStepFromFromToToAndWrapsOnTheFakeClock) {
    inKeypad([&](frmRigTuneWindow& k) {
        Fakes().clock.Advance(299 * 3);
        EXPECT_TRUE(radio.tuned.empty()) << "the timer works only while Scan is ticked";

        click(k.chkScan);
        EXPECT_EQ(k.txtFreq.Text(), "1.8");
        EXPECT_TRUE(k.Command1.HasFocus());
        Fakes().clock.Advance(299);
        EXPECT_EQ(k.txtFreq.Text(), "1.80001");
        EXPECT_EQ(radio.tuned, std::vector<float>{1.80001f});

        struct Case {
            vb::OptionButton& step;
            const char* from;
            const char* to;
            const char* start;
            std::vector<const char*> ticks;
        } cases[] = {
            {k.Option5, "1.8", "54", "53.999", {"1.8", "1.8025"}},
            {k.Option5, "1.8", "54", "53.9975", {"54.", "1.8"}}, // To itself takes one more step
            {k.Option1, "60", "54", "54", {"60.", "60."}},        // From above To
            {k.Option4, "1.8", "1300", "1270", {"1270.", "1270."}},  // below a single's resolution
            {k.Option3, "1.8", "1300", "1270", {"1270.", "1270."}},
            {k.Option2, "1.8", "1300", "1270", {"1270.00012", "1270.00024"}},
        };
        for (Case& c : cases) {
            c.step.setValue(true);
            k.txtFrom.setText(c.from);
            k.txtTo.setText(c.to);
            k.txtFreq.setText(c.start);
            for (const char* t : c.ticks) {
                Fakes().clock.Advance(299);
                EXPECT_EQ(k.txtFreq.Text(), t) << c.start << " to " << c.to;
            }
        }
        EXPECT_EQ(radio.tuned.size(), 13u);

        // While the last step is still on its way to the radio the scan waits for it.
        radio.tuning = true;
        Fakes().clock.Advance(299 * 2);
        EXPECT_EQ(k.txtFreq.Text(), "1270.00024");
        radio.tuning = false;
        Fakes().clock.Advance(299);
        EXPECT_EQ(k.txtFreq.Text(), "1270.00037");
        EXPECT_EQ(radio.tuned.size(), 14u);

        // Any key stops it, and still reaches its box; the scan does not start again.
        type(k.txtFrom, "5");
        EXPECT_EQ(k.chkScan.Value(), 0);
        EXPECT_EQ(k.txtFrom.Text(), "1.85");
        EXPECT_TRUE(k.Command1.HasFocus());
        Fakes().clock.Advance(299 * 3);
        EXPECT_EQ(radio.tuned.size(), 14u);
    });
}
