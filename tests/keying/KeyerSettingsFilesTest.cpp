#include "core/ProcessState.h"
#include "keying/CWFrm.h"
#include "keying/KeyerSettingsFiles.h"
#include "keying/KeyerState.h"
#include "keying/PhoneFrm.h"
#include "platform/VbError.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tylog;
using tylog::testing::CrLfLines;
using tylog::testing::Fakes;
using tylog::testing::ScratchFolder;

namespace {

class KeyerFiles : public ::testing::Test {
protected:
    void SetUp() override { Folders.ProgramFolder = dir.path(); }
    ScratchFolder dir;
};

// CW.txt with its 18 values; keying type, echo and repeat seconds as given.
QByteArray CwFile(const char* keyingType = "2", const char* echo = "0", const char* loop = "\"5\"") {
    QByteArray b = CrLfLines({"\"CQ TQP TEST\"", "\"5NN # ^\"", "\"TU\"", "\"QRZ?\"", "\"$\"", "\"AGN?\"", "\"NR?\"",
                              "\"CTY?\"", "\"TEST DE\"", "\"3\"", "\"28\"", "\"F10 TEXT\"", "\"F11, TEXT\"", "\"-2\""});
    return b + keyingType + "\r\n\"&H3BC\"\r\n" + echo + "\r\n" + loop + "\r\n";
}

QByteArray Wave2File(const char* line = "1", const char* loop = "\"30\"") {
    QByteArray b = CrLfLines({"\"C:\\msgs\\cq.wav\"", "\"exch.wav\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"",
                              "\"test.wav\"", "\"4\""});
    return b + line + "\r\n" + loop + "\r\n\"&H278\"\r\n";
}

} // namespace

TEST_F(KeyerFiles, CWSettingsFillTheWindowAndSelectTheKeyingOption) {
    dir.write("CW.txt", CwFile());
    LoadCWSettings();
    CWFrmWindow* f = vb::IfLoaded<CWFrmWindow>();
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(f->Text1.Text(), "CQ TQP TEST");
    EXPECT_EQ(f->Text2.Text(), "5NN # ^");
    EXPECT_EQ(f->Text8.Text(), "CTY?");
    EXPECT_EQ(f->Text9.Text(), "TEST DE");
    EXPECT_EQ(f->Text10.Text(), "3");
    EXPECT_EQ(f->Text11.Text(), "28");
    EXPECT_EQ(f->Text12.Text(), "F10 TEXT");
    EXPECT_EQ(f->Text13.Text(), "F11, TEXT");
    EXPECT_EQ(f->txtSpace.Text(), "-2");
    EXPECT_EQ(Keyer.CWKeyingType, 2);
    EXPECT_EQ(f->Text14.Text(), "&H3BC");
    EXPECT_EQ(f->Check1.Value(), 0);
    EXPECT_EQ(f->txtCWLoop.Text(), "5");
    EXPECT_EQ(f->tmrRepeat.Interval(), 5000);
    EXPECT_FALSE(f->tmrRepeat.Enabled());
    EXPECT_TRUE(f->Option2.Value());
    EXPECT_FALSE(f->Option4.Value());
}

TEST_F(KeyerFiles, ShippedCWFileLoads) {
    dir.copyShipped("CW.txt");
    LoadCWSettings();
    CWFrmWindow& f = CWFrm();
    EXPECT_EQ(f.Text1.Text(), "CQ TQP TEST");
    EXPECT_EQ(f.Text9.Text(), "VVV DE ");
    EXPECT_EQ(f.Text11.Text(), "25");
    EXPECT_EQ(Keyer.CWKeyingType, 0);
    EXPECT_TRUE(f.Option4.Value());
}

TEST_F(KeyerFiles, EmptyNinthCWValueBecomesVVVDE) {
    QByteArray b = CwFile();
    b.replace("\"TEST DE\"", "\"\"");
    dir.write("cw.txt", b);
    LoadCWSettings();
    EXPECT_EQ(CWFrm().Text9.Text(), "VVV DE ");
}

TEST_F(KeyerFiles, CWKeyingTypeSelectsItsOption) {
    struct Case { const char* type; int selected; }; // 0 = none of Option1..3 and 5
    const Case cases[] = {{"0", 4}, {"1", 1}, {"2", 2}, {"3", 3}, {"4", 0}, {"5", 5}};
    for (const Case& c : cases) {
        Keyer = {};
        dir.write("CW.txt", CwFile(c.type));
        LoadCWSettings();
        CWFrmWindow& f = CWFrm();
        EXPECT_EQ(Keyer.CWKeyingType, QByteArray(c.type).toInt()) << c.type;
        vb::OptionButton* options[] = {&f.Option1, &f.Option2, &f.Option3, &f.Option4, &f.Option5};
        for (int i = 1; i <= 5; ++i) {
            if (i == 4 && c.selected == 0) continue; // "None" keeps its design selection
            EXPECT_EQ(options[i - 1]->Value(), i == c.selected) << "type " << c.type << " option " << i;
        }
        EXPECT_EQ(f.cmdConfWinkey.Visible(), c.selected == 5) << c.type;
        vb::Unload(f);
    }
}

TEST_F(KeyerFiles, MissingCWFileLeavesTheWindowUnloaded) {
    LoadCWSettings();
    EXPECT_EQ(vb::IfLoaded<CWFrmWindow>(), nullptr);
    EXPECT_EQ(Keyer.CWKeyingType, 0);
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
}

TEST_F(KeyerFiles, ShortCWFileKeepsWhatWasReadAndSelectsNoOption) {
    QByteArray b = CwFile("2");
    b.truncate(b.indexOf("\"&H3BC\"")); // ends after the keying type
    dir.write("CW.txt", b);
    LoadCWSettings();
    CWFrmWindow& f = CWFrm();
    EXPECT_EQ(f.Text13.Text(), "F11, TEXT");
    EXPECT_EQ(Keyer.CWKeyingType, 2);
    EXPECT_EQ(f.Text14.Text(), "&H378");
    EXPECT_EQ(f.Check1.Value(), 1);
    EXPECT_FALSE(f.Option2.Value());
    EXPECT_TRUE(f.Option4.Value()) << "the design option stays";
}

TEST_F(KeyerFiles, MalformedCWValueStopsTheReadingSilently) {
    const char* bad[] = {"\"x\"", "300"}; // a keying type that is no number, or no byte
    for (const char* type : bad) {
        Keyer = {};
        dir.write("CW.txt", CwFile(type));
        LoadCWSettings();
        CWFrmWindow& f = CWFrm();
        EXPECT_EQ(f.txtSpace.Text(), "-2") << type;
        EXPECT_EQ(Keyer.CWKeyingType, 0) << type;
        EXPECT_EQ(f.Text14.Text(), "&H378") << type;
        EXPECT_TRUE(f.Option4.Value()) << type;
        vb::Unload(f);
    }
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
}

TEST_F(KeyerFiles, VoiceSettingsFillTheWindow) {
    dir.write("wave2.txt", Wave2File());
    LoadVoiceSettings();
    PhoneFrmWindow* f = vb::IfLoaded<PhoneFrmWindow>();
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(f->Text1.Text(), "C:\\msgs\\cq.wav");
    EXPECT_EQ(f->Text2.Text(), "exch.wav");
    EXPECT_EQ(f->Text3.Text(), "");
    EXPECT_EQ(f->Text9.Text(), "test.wav");
    EXPECT_EQ(f->Text10.Text(), "4");
    EXPECT_TRUE(f->Option2.Value());
    EXPECT_FALSE(f->Option1.Value());
    EXPECT_EQ(f->txtPHLoop.Text(), "30");
    EXPECT_EQ(f->tmrRepeat.Interval(), 30000);
    EXPECT_EQ(f->Text11.Text(), "&H278");
}

TEST_F(KeyerFiles, VoiceLineValueSelectsItsOption) {
    struct Case { const char* line; bool rts, dtr, parallel; };
    const Case cases[] = {{"0", true, false, false}, {"1", false, true, false}, {"2", false, false, true},
                          {"7", true, false, false}}; // any other value leaves the design "RTS"
    for (const Case& c : cases) {
        dir.write("wave2.txt", Wave2File(c.line));
        LoadVoiceSettings();
        PhoneFrmWindow& f = PhoneFrm();
        EXPECT_EQ(f.Option1.Value(), c.rts) << c.line;
        EXPECT_EQ(f.Option2.Value(), c.dtr) << c.line;
        EXPECT_EQ(f.Option3.Value(), c.parallel) << c.line;
        vb::Unload(f);
    }
}

TEST_F(KeyerFiles, MissingOrShortVoiceFileFails) {
    EXPECT_THROW(LoadVoiceSettings(), VbError);

    QByteArray b = Wave2File();
    b.truncate(b.indexOf("\"4\""));
    dir.write("wave2.txt", b);
    EXPECT_THROW(LoadVoiceSettings(), VbError);
    EXPECT_EQ(PhoneFrm().Text9.Text(), "test.wav") << "values read before the failure stay";
    EXPECT_EQ(PhoneFrm().Text10.Text(), "0");

    dir.write("wave2.txt", Wave2File("1", "\"soon\""));
    EXPECT_THROW(LoadVoiceSettings(), VbError) << "repeat seconds that are no number";
}

TEST_F(KeyerFiles, RepeatSecondsOutsideTheBoxRangeBecomeZero) {
    struct Case { const char* stored; const char* box; int interval; };
    const Case cases[] = {{"\"30\"", "30", 30000}, {"\"2.5\"", "2.5", 2500},  {"12", "12", 12000},
                          {"\"59.9\"", "59.9", 59900}, {"\"60\"", "0", 0},     {"\"75\"", "0", 0},
                          {"-3", "0", 0},           {"\"0\"", "0", 0}};
    for (const Case& c : cases) {
        dir.write("wave2.txt", Wave2File("0", c.stored));
        dir.write("CW.txt", CwFile("1", "1", c.stored));
        LoadVoiceSettings();
        LoadCWSettings();
        EXPECT_EQ(PhoneFrm().txtPHLoop.Text(), c.box) << c.stored;
        EXPECT_EQ(PhoneFrm().tmrRepeat.Interval(), c.interval) << c.stored;
        EXPECT_EQ(CWFrm().txtCWLoop.Text(), c.box) << c.stored;
        EXPECT_EQ(CWFrm().tmrRepeat.Interval(), c.interval) << c.stored;
        EXPECT_TRUE(CWFrm().Option1.Value()) << "the file was read to its end";
    }
}
