// Band and mode of the out-of-state window: the band table, the menus, the two labels and what the
// radio reports through Form1.
#include "logging/Dispatcher.h"
#include "core/StationSettingsFile.h"
#include "rig/BandRules.h"
#include "tests/logging/LogWindowFixture.h"

#include <QFile>

using namespace tylog;
using namespace tylog::testing;

namespace {

TEST(BandRules, NineteenRangesWithTheirEdgesExcluded) {
    struct Row { float low, high; const char* band; };
    const Row rows[] = {
        {1.7999f, 2.0001f, "160"},   {3.4999f, 4.0001f, "80"},     {6.9999f, 7.3001f, "40"},
        {13.9999f, 14.3501f, "20"},  {20.9999f, 21.4501f, "15"},   {27.9999f, 29.7001f, "10"},
        {49.9999f, 54.0001f, "6"},   {143.9999f, 148.0001f, "2"},  {218.9999f, 225.0001f, "1.25"},
        {419.9999f, 450.0001f, "70"}, {901.9999f, 928.0001f, "902"}, {1239.9999f, 1300.0001f, "1.24"},
        {2300.f, 2450.f, "2.3"},     {3300.f, 3500.f, "3.3"},      {5650.f, 5925.f, "5.6"},
        {10000.f, 10500.f, "10"},    {10.0999f, 10.1501f, "30"},   {18.0679f, 18.1681f, "17"},
        {24.8899f, 24.9901f, "12"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(BandForFrequency((r.low + r.high) / 2), r.band) << r.band;
        EXPECT_EQ(BandForFrequency(r.low), "") << r.band << " low edge";
        EXPECT_EQ(BandForFrequency(r.high), "") << r.band << " high edge";
    }
    struct Case { float mhz; const char* band; };
    const Case cases[] = {{1.8f, "160"}, {7.3f, "40"}, {7.35f, "0"}, {10.1f, "30"}, {18.1f, "17"}, {24.9f, "12"},
                          {222.f, "1.25"}, {432.f, "70"}, {10368.f, "10"}, {0.f, "0"}, {-14.2f, "0"}, {5.f, "0"}};
    for (const Case& c : cases)
        EXPECT_EQ(BandForFrequency(c.mhz), QString(c.band) == "0" ? QString() : QString(c.band)) << c.mhz;
    // Only the bands 160 to 2 (and 10 GHz, read as 10 m) may come from the radio.
    for (const char* b : {"160", "80", "40", "20", "15", "10", "6", "2"}) EXPECT_TRUE(BandSwitchesWindow(b)) << b;
    for (const char* b : {"1.25", "70", "902", "1.24", "2.3", "3.3", "5.6", "30", "17", "12", ""})
        EXPECT_FALSE(BandSwitchesWindow(b)) << b;
}

TEST(BandRules, FrequencyText) {
    struct Case { float mhz; const char* text; };
    const Case cases[] = {{14.025f, "14.025"}, {7.f, "7.000"}, {7.35f, "7.350"}, {10368.f, "10368.000"},
                          {0.5f, "0.500"}, {144.2f, "144.200"}, {1.8305f, "1.831"}};
    for (const Case& c : cases) EXPECT_EQ(FrequencyText(c.mhz), c.text) << c.mhz;
}

class BandModeTest : public LogWindowTest {
protected:
    // Marks: a save rewrites QSOpref.txt, a reload reads log.txt again (which grew behind its back).
    void watch() {
        QFile::remove(folder.file("QSOpref.txt"));
        folder.write("log.txt", folder.read("log.txt") + Contact("N0XTRA"));
        countBefore = ContactLog.Count;
    }
    bool saved() const { return folder.exists("QSOpref.txt"); }
    bool reloaded() const { return ContactLog.Count != countBefore && ContactLog.Count == logLines(); }

    static QStringList checked(std::initializer_list<vb::Menu*> items) {
        QStringList out;
        for (vb::Menu* m : items)
            if (m->Checked()) out << m->Caption();
        return out;
    }
    static QStringList bandChecks(OutfrmWindow& w) {
        return checked({&w.mnuBand160Ch, &w.mnuBand80Ch, &w.mnuBand40Ch, &w.mnuBand20Ch, &w.mnuBand15Ch, &w.mnuBand10Ch,
                        &w.mnuBand6Ch, &w.mnuBand2Ch, &w.mnuBand125CH, &w.mnuBand70CH});
    }
    static QStringList modeChecks(OutfrmWindow& w) { return checked({&w.mnu160, &w.mnuSSB, &w.mnuDigital}); }

    int countBefore = 0;
};

TEST_F(BandModeTest, RadioFrequencySwitchesTheBandOnlyWhenItChanges) {
    OutfrmWindow& w = open(Contact("K1ABC"));
    struct Case { float mhz; const char* band; bool switches; const char* text; };
    const Case cases[] = {
        {7.025f, "40", true, "7.025"},
        {7.2f, "40", false, "7.200"},  // the band already current: no save, no reload
        {7.35f, "40", false, "7.350"}, // no band at all
        {10.1f, "40", false, "10.100"},
        {222.1f, "40", false, "222.100"}, // the 1.25 m and 70 cm bands never come from the radio
        {432.1f, "40", false, "432.100"},
        {10368.f, "10", true, "10368.000"},
        {144.2f, "2", true, "144.200"},
    };
    for (const Case& c : cases) {
        watch();
        float f = c.mhz;
        Form1().BandFreqConversion(f);
        EXPECT_EQ(Station.CurrentBand, c.band) << c.mhz;
        EXPECT_EQ(w.Label24.Caption(), c.band) << c.mhz;
        EXPECT_EQ(bandChecks(w), QStringList{c.band}) << c.mhz;
        EXPECT_EQ(saved(), c.switches) << c.mhz;
        EXPECT_EQ(reloaded(), c.switches) << c.mhz;
        EXPECT_EQ(tylog::Run.RigFrequencyText, c.text) << c.mhz;
        EXPECT_EQ(f, c.mhz);
    }
    // The next contact carries the last frequency the radio reported, and then none.
    w.txtCall.setText("W1AW");
    w.txtRSTR.setText("9");
    w.txtSec.setText("Lowater");
    w.Mains();
    EXPECT_EQ(ContactLog.Rec[static_cast<size_t>(ContactLog.Count)].Frequency, "144.200");
    EXPECT_EQ(ContactLog.Rec[static_cast<size_t>(ContactLog.Count)].Band, "2");
    EXPECT_EQ(tylog::Run.RigFrequencyText, "");

    // A radio that has reported no frequency yet hands on 0: nothing to log, and no band.
    float again = 144.3f, none = 0;
    Form1().BandFreqConversion(again);
    EXPECT_EQ(tylog::Run.RigFrequencyText, "144.300");
    Form1().BandFreqConversion(none);
    EXPECT_EQ(tylog::Run.RigFrequencyText, "");
    EXPECT_EQ(Station.CurrentBand, "2");
}

TEST_F(BandModeTest, RadioModeSwitchesOnlyToPhoneOrCW) {
    OutfrmWindow& w = open();
    struct Case { const char* reported; const char* mode; bool switches; };
    const Case cases[] = {{"CW", "CW", true}, {"cw", "CW", false}, {"AM", "CW", false}, {"FM", "CW", false},
                          {"", "CW", false},  {"ph", "PH", true},  {"PH", "PH", false}};
    for (const Case& c : cases) {
        watch();
        QString m = c.reported;
        Form1().ModeSelection(m);
        EXPECT_EQ(Station.CurrentMode, c.mode) << c.reported;
        EXPECT_EQ(w.Label30.Caption(), c.mode) << c.reported;
        EXPECT_EQ(modeChecks(w), QStringList{c.mode == QString("CW") ? "&CW" : "&PH"}) << c.reported;
        EXPECT_EQ(saved(), c.switches) << c.reported;
        EXPECT_EQ(reloaded(), c.switches) << c.reported;
    }
    // Digital from the menu lasts until the radio next reports CW or PH.
    pick(w.mnuDigital);
    QString same = "DG";
    Form1().ModeSelection(same);
    EXPECT_EQ(Station.CurrentMode, "DG");
    QString cw = "CW";
    Form1().ModeSelection(cw);
    EXPECT_EQ(Station.CurrentMode, "CW");
    EXPECT_EQ(modeChecks(w), QStringList{"&CW"});
}

TEST_F(BandModeTest, MenuItemsSaveAndReloadEveryTime) {
    OutfrmWindow& w = open(Contact("K1ABC"));
    struct Case { vb::Menu* item; const char* band; };
    const Case cases[] = {{&w.mnuBand160Ch, "160"}, {&w.mnuBand80Ch, "80"}, {&w.mnuBand40Ch, "40"},
                          {&w.mnuBand20Ch, "20"},   {&w.mnuBand15Ch, "15"}, {&w.mnuBand10Ch, "10"},
                          {&w.mnuBand6Ch, "6"},     {&w.mnuBand2Ch, "2"},   {&w.mnuBand125CH, "1.25"},
                          {&w.mnuBand70CH, "70"},   {&w.mnuBand70CH, "70"}}; // the checked item acts again
    for (const Case& c : cases) {
        watch();
        pick(*c.item);
        EXPECT_EQ(Station.CurrentBand, c.band);
        EXPECT_EQ(w.Label24.Caption(), c.band);
        EXPECT_EQ(bandChecks(w), QStringList{c.band});
        EXPECT_TRUE(saved()) << c.band;
        EXPECT_TRUE(reloaded()) << c.band;
    }
    struct ModeCase { vb::Menu* item; const char* mode; const char* check; };
    const ModeCase modes[] = {{&w.mnu160, "CW", "&CW"}, {&w.mnuSSB, "PH", "&PH"}, {&w.mnuDigital, "DG", "&Digital"},
                              {&w.mnuDigital, "DG", "&Digital"}};
    for (const ModeCase& c : modes) {
        watch();
        pick(*c.item);
        EXPECT_EQ(Station.CurrentMode, c.mode);
        EXPECT_EQ(w.Label30.Caption(), c.mode);
        EXPECT_EQ(modeChecks(w), QStringList{c.check});
        EXPECT_TRUE(saved()) << c.mode;
        EXPECT_TRUE(reloaded()) << c.mode;
    }
    // The saved settings hold the new band and mode.
    Station = StationSettings();
    tylog::LoadStationSettings();
    EXPECT_EQ(Station.CurrentBand, "70");
    EXPECT_EQ(Station.CurrentMode, "DG");
}

// After Digital the received serial takes 3 characters, in every mode, until the window closes.
TEST_F(BandModeTest, DigitalLimitsTheReceivedSerial) {
    OutfrmWindow& w = open();
    pick(w.mnuDigital);
    pick(w.mnu160);
    w.txtRSTR.SetFocus();
    QTest::keyClicks(w.txtRSTR.widget(), "12345");
    EXPECT_EQ(w.txtRSTR.Text(), "123");
    EXPECT_EQ(w.txtRSTS.MaxLength(), 3);
}

TEST_F(BandModeTest, TheLabelsStepTheBandAndToggleTheMode) {
    OutfrmWindow& w = open();
    struct Case { const char* from; const char* to; };
    const Case bands[] = {{"160", "80"}, {"20", "15"}, {"6", "2"}, {"2", "160"}, {"1.25", "1.25"}, {"70", "70"},
                          {"30", "30"}};
    for (const Case& c : bands) {
        Station.CurrentBand = c.from;
        QTest::mouseClick(w.Label24.widget(), Qt::LeftButton);
        EXPECT_EQ(Station.CurrentBand, c.to) << c.from;
    }
    const Case modes[] = {{"CW", "PH"}, {"PH", "CW"}, {"DG", "CW"}, {"cw", "PH"}};
    for (const Case& c : modes) {
        Station.CurrentMode = c.from;
        QTest::mouseClick(w.Label30.widget(), Qt::LeftButton);
        EXPECT_EQ(Station.CurrentMode, c.to) << c.from;
        EXPECT_EQ(w.Label30.Caption(), c.to) << c.from;
    }
    EXPECT_EQ(w.Label24.ToolTipText(), "Click to change modes.");
    EXPECT_EQ(w.Label30.ToolTipText(), "Click to change modes.");
}

} // namespace
