// The keyers' settings files: read into their values and written back byte for byte, and their
// start-up reading, which fills the process-wide settings and the windows that show them.
#include "core/ProcessState.h"
#include "keying/CWFrm.h"
#include "keying/WinKeySetup.h"
#include "keying/KeyerSettingsFiles.h"
#include "keying/KeyerState.h"
#include "keying/PhoneFrm.h"
#include "platform/VbError.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

// Readable QStrings in the failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

using namespace tylog;
using tylog::testing::CrLfLines;
using tylog::testing::Fakes;
using tylog::testing::ScratchFolder;

namespace {

class KeyerFiles : public ::testing::Test {
protected:
    void SetUp() override { Folders.ProgramFolder = dir.path(); }
    SettingsFile<CWSettings> readCW(const QByteArray& bytes) {
        dir.write("CW.txt", bytes);
        return ReadCWSettings(dir.file("CW.txt"));
    }
    SettingsFile<VoiceSettings> readVoice(const QByteArray& bytes) {
        dir.write("wave2.txt", bytes);
        return ReadVoiceSettings(dir.file("wave2.txt"));
    }
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

// The file cut after its first n lines.
QByteArray FirstLines(const QByteArray& file, int n) {
    qsizetype end = 0;
    for (int i = 0; i < n; ++i) end = file.indexOf("\r\n", end) + 2;
    return file.left(end);
}

} // namespace

// ---- The files and their values -------------------------------------------------------------------

TEST_F(KeyerFiles, CWFileReadsIntoItsValues) {
    const SettingsFile<CWSettings> file = readCW(CwFile());
    EXPECT_TRUE(file.opened);
    EXPECT_TRUE(file.whole);
    const CWSettings& s = file.settings;
    const char* messages[] = {"CQ TQP TEST", "5NN # ^", "TU", "QRZ?", "$", "AGN?", "NR?", "CTY?", "TEST DE", "F10 TEXT", "F11, TEXT"};
    for (size_t i = 0; i < 11; ++i) EXPECT_EQ(s.Messages[i], messages[i]) << "F" << i + 1;
    EXPECT_EQ(s.SerialPort, "3");
    EXPECT_EQ(s.Speed, "28");
    EXPECT_EQ(s.WordSpace, "-2");
    EXPECT_EQ(s.KeyingType, 2);
    EXPECT_EQ(s.ParallelPort, "&H3BC");
    EXPECT_FALSE(s.Echo);
    EXPECT_EQ(s.RepeatSeconds, "5");
}

TEST_F(KeyerFiles, VoiceFileReadsIntoItsValues) {
    const SettingsFile<VoiceSettings> file = readVoice(Wave2File());
    EXPECT_TRUE(file.whole);
    const VoiceSettings& s = file.settings;
    EXPECT_EQ(s.WaveFiles[0], "C:\\msgs\\cq.wav");
    EXPECT_EQ(s.WaveFiles[1], "exch.wav");
    EXPECT_EQ(s.WaveFiles[2], "");
    EXPECT_EQ(s.WaveFiles[8], "test.wav");
    EXPECT_EQ(s.SerialPort, "4");
    EXPECT_EQ(s.KeyingLine, 1);
    EXPECT_EQ(s.RepeatSeconds, "30");
    EXPECT_EQ(s.ParallelPort, "&H278");
}

TEST_F(KeyerFiles, WhatTheProgramWritesReadsBackAndWritesAgainByteForByte) {
    // The shipped files, and texts as the boxes keep them: as typed, commas and all.
    dir.copyShipped("CW.txt");
    dir.copyShipped("wave2.txt");
    const QByteArray cwFiles[] = {
        dir.read("CW.txt"),
        CwFile("5", "1", "\".0625\""),
        CrLfLines({"\"A, B\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"VVV DE \"", "\"04\"", "\"-1\"",
                   "\"\"", "\"  \"", "\"-1.5\"", "3", "\"888\"", "1", "\"59.9\""}),
    };
    for (const QByteArray& bytes : cwFiles) {
        const SettingsFile<CWSettings> file = readCW(bytes);
        ASSERT_TRUE(file.whole) << bytes.toStdString();
        WriteCWSettings(dir.file("again.txt"), file.settings);
        EXPECT_EQ(dir.read("again.txt"), bytes);
    }
    const QByteArray voiceFiles[] = {dir.read("wave2.txt"), Wave2File("2", "\"2.5\""),
                                     CrLfLines({"\"/home/op/cq one.wav\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"",
                                                "\"\"", "\"\"", "\" 3\"", "0", "\"0\"", "\"&H3BC\""})};
    for (const QByteArray& bytes : voiceFiles) {
        const SettingsFile<VoiceSettings> file = readVoice(bytes);
        ASSERT_TRUE(file.whole) << bytes.toStdString();
        WriteVoiceSettings(dir.file("again.txt"), file.settings);
        EXPECT_EQ(dir.read("again.txt"), bytes);
    }
}

TEST_F(KeyerFiles, ADoubleQuoteInACWTextIsNotWritten) {
    CWSettings s;
    s.Messages[0] = "CQ \"TEST\"";
    s.Messages[10] = "TU\"";
    s.ParallelPort = "&H\"378";
    WriteCWSettings(dir.file("CW.txt"), s);
    const SettingsFile<CWSettings> file = ReadCWSettings(dir.file("CW.txt"));
    ASSERT_TRUE(file.whole); // every later value in its place
    EXPECT_EQ(file.settings.Messages[0], "CQ TEST");
    EXPECT_EQ(file.settings.Messages[10], "TU");
    EXPECT_EQ(file.settings.ParallelPort, "&H378");
    EXPECT_EQ(file.settings.RepeatSeconds, "0");
}

TEST_F(KeyerFiles, TheDefaultsAreTheFreshInstallationsFiles) {
    WriteCWSettings(dir.file("CW.txt"), CWSettings{});
    EXPECT_EQ(dir.read("CW.txt"), CrLfLines({"\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"0\"",
                                             "\"13\"", "\"\"", "\"\"", "\"0\"", "0", "\"&H378\"", "1", "\"0\""}));
    VoiceSettings voice;
    voice.WaveFiles[0] = "  /home/op/cq.wav ";
    voice.SerialPort = " 3";
    WriteVoiceSettings(dir.file("wave2.txt"), voice);
    EXPECT_EQ(dir.read("wave2.txt"), CrLfLines({"\"/home/op/cq.wav\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"",
                                                "\"\"", "\" 3\"", "0", "\"0\"", "\"&H378\""}))
        << "only the wave paths lose their blanks";
}

TEST_F(KeyerFiles, ReadingCWTakesTheBoxesRules) {
    QByteArray emptyF9 = CwFile();
    emptyF9.replace("\"TEST DE\"", "\"\"");
    EXPECT_EQ(readCW(emptyF9).settings.Messages[8], "VVV DE ");
    QByteArray farSpace = CwFile();
    farSpace.replace("\"-2\"", "-12");
    EXPECT_EQ(readCW(farSpace).settings.WordSpace, "-8");
    QByteArray bareNumbers = CwFile();
    bareNumbers.replace("\"28\"", "28.50");
    EXPECT_EQ(readCW(bareNumbers).settings.Speed, "28.5") << "a bare number as its decimal text";
    EXPECT_FALSE(readCW(CwFile("2", "2")).settings.Echo) << "a greyed box is not ticked";
}

TEST_F(KeyerFiles, RepeatSecondsOutsideTheBoxRangeReadAsZero) {
    struct Case { const char* stored; const char* read; };
    const Case cases[] = {{"\"30\"", "30"}, {"\"2.5\"", "2.5"}, {"12", "12"}, {"\"59.9\"", "59.9"},
                          {"\"60\"", "0"},  {"\"75\"", "0"},    {"-3", "0"},  {"\"0\"", "0"}};
    for (const Case& c : cases) {
        const SettingsFile<CWSettings> cw = readCW(CwFile("1", "1", c.stored));
        EXPECT_TRUE(cw.whole) << c.stored;
        EXPECT_EQ(cw.settings.RepeatSeconds, c.read) << c.stored;
        EXPECT_EQ(readVoice(Wave2File("0", c.stored)).settings.RepeatSeconds, c.read) << c.stored;
    }
}

TEST_F(KeyerFiles, AMissingShortOrBadCWFileKeepsWhatWasRead) {
    const SettingsFile<CWSettings> missing = ReadCWSettings(dir.file("CW.txt"));
    EXPECT_FALSE(missing.opened);
    EXPECT_FALSE(missing.whole);
    EXPECT_EQ(missing.settings.Speed, "13");

    struct Case {
        const char* name;
        QByteArray bytes;
        const char* wordSpace; // value 14, read before the failure or not
        int keyingType;
        const char* parallelPort;
    };
    const Case cases[] = {
        {"ends after the keying type", FirstLines(CwFile(), 15), "-2", 2, "&H378"},
        {"ends after the speed", FirstLines(CwFile(), 11), "0", 0, "&H378"},
        {"a keying type that is no number", CwFile("\"x\""), "-2", 0, "&H378"},
        {"a keying type that is no byte", CwFile("300"), "-2", 0, "&H378"},
        {"an echo of 3", CwFile("2", "3"), "-2", 2, "&H3BC"},
        {"repeat seconds that are no number", CwFile("2", "1", "\"soon\""), "-2", 2, "&H3BC"},
    };
    for (const Case& c : cases) {
        const SettingsFile<CWSettings> file = readCW(c.bytes);
        EXPECT_TRUE(file.opened) << c.name;
        EXPECT_FALSE(file.whole) << c.name;
        EXPECT_EQ(file.settings.Messages[0], "CQ TQP TEST") << c.name;
        EXPECT_EQ(file.settings.WordSpace, c.wordSpace) << c.name;
        EXPECT_EQ(file.settings.KeyingType, c.keyingType) << c.name;
        EXPECT_EQ(file.settings.ParallelPort, c.parallelPort) << c.name;
        EXPECT_TRUE(file.settings.Echo) << c.name;
        EXPECT_EQ(file.settings.RepeatSeconds, "0") << c.name;
    }
}

TEST_F(KeyerFiles, AMissingShortOrBadVoiceFileKeepsWhatWasRead) {
    EXPECT_FALSE(ReadVoiceSettings(dir.file("wave2.txt")).opened);

    const SettingsFile<VoiceSettings> shortFile = readVoice(FirstLines(Wave2File(), 9));
    EXPECT_FALSE(shortFile.whole);
    EXPECT_EQ(shortFile.settings.WaveFiles[8], "test.wav");
    EXPECT_EQ(shortFile.settings.SerialPort, "0");

    const SettingsFile<VoiceSettings> badRepeat = readVoice(Wave2File("2", "\"soon\""));
    EXPECT_FALSE(badRepeat.whole);
    EXPECT_EQ(badRepeat.settings.KeyingLine, 2);
    EXPECT_EQ(badRepeat.settings.ParallelPort, "&H378");

    // A push-to-talk line other than 0, 1 or 2 is no failure; it leaves "RTS".
    for (const char* line : {"7", "\"x\"", "-1"}) {
        const SettingsFile<VoiceSettings> file = readVoice(Wave2File(line));
        EXPECT_TRUE(file.whole) << line;
        EXPECT_EQ(file.settings.KeyingLine, 0) << line;
    }
}

// ---- Start-up reading ------------------------------------------------------------------------------

TEST_F(KeyerFiles, CWSettingsFillTheSettingsAndTheWindowAndSelectTheKeyingOption) {
    dir.write("CW.txt", CwFile());
    LoadCWSettings();
    EXPECT_EQ(KeyerSettings.CW.Speed, "28");
    EXPECT_EQ(KeyerSettings.CW.KeyingType, 2);
    EXPECT_EQ(Keyer.CWKeyingType, 2);
    EXPECT_EQ(vb::IfLoaded<CWFrmWindow>(), nullptr); // the window loads when asked for, showing them
    CWFrmWindow* f = &CWFrm();
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
    EXPECT_EQ(f->Text14.Text(), "&H3BC");
    EXPECT_EQ(f->Check1.Value(), 0);
    EXPECT_EQ(f->txtCWLoop.Text(), "5");
    EXPECT_TRUE(f->Option2.Value());
    EXPECT_FALSE(f->Option4.Value());
}

TEST_F(KeyerFiles, TheExternalKeyerChosenInCWFileLoadsItsWindowWithWKFile) {
    ScratchFolder data;
    Folders.DataFolder = data.path();
    data.write("WK.txt", CrLfLines({"4", "\"18\"", "\"60\"", "\"1\"", "\"2\"", "\"45\"", "5", "32"}));
    dir.write("CW.txt", CwFile("5"));
    LoadCWSettings();
    EXPECT_EQ(Keyer.CWKeyingType, 5);
    EXPECT_EQ(vb::IfLoaded<CWFrmWindow>(), nullptr);
    frmWinKeyWindow* wk = vb::IfLoaded<frmWinKeyWindow>();
    ASSERT_NE(wk, nullptr) << "loaded, hidden";
    EXPECT_FALSE(wk->isVisible());
    EXPECT_EQ(KeyerSettings.WinKey.ComPort, 4);
    EXPECT_EQ(wk->txtWKWPM.Text(), "28") << "the CW speed";
    EXPECT_EQ(wk->txtWeight.Text(), "60");
    EXPECT_TRUE(wk->optUltimatic.Value());
    EXPECT_TRUE(wk->optPTT.Value());
    EXPECT_TRUE(CWFrm().cmdConfWinkey.Visible());
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
    Fakes().registry.values.insert("Q7BZW_Software/Settings/UserCWSelection", "Sleep");
    Fakes().registry.values.insert("Q7BZW_Software/Settings/UserCWLoopOffset", "1200000");
    LoadCWSettings();
    EXPECT_EQ(vb::IfLoaded<CWFrmWindow>(), nullptr);
    EXPECT_EQ(Keyer.CWKeyingType, 0);
    EXPECT_TRUE(Fakes().dialogs.shown.isEmpty());
    // The keyer times by the registry's choice all the same.
    EXPECT_EQ(KeyerSettings.CW.Timing, CWTiming::Sleep);
    EXPECT_EQ(KeyerSettings.CW.LoopsPer60ms, 1200000);
}

// The CW window loads when first shown; a counting loop the registry chose without a count is
// calibrated at start-up all the same, as the window's showing the settings did, so the first F-key keys.
TEST_F(KeyerFiles, AnUncalibratedLoopIsCalibratedWithoutTheWindow) {
    dir.write("CW.txt", CwFile());
    Fakes().registry.values.insert("Q7BZW_Software/Settings/UserCWSelection", "Loop");
    for (const char* count : {"0", "1200000"}) {
        Fakes().registry.values.insert("Q7BZW_Software/Settings/UserCWLoopOffset", count);
        LoadCWSettings();
        EXPECT_EQ(vb::IfLoaded<CWFrmWindow>(), nullptr) << count;
        // The fake clock stands still during the count: the calibration gives its ceiling.
        EXPECT_EQ(KeyerSettings.CW.LoopsPer60ms, QByteArray(count) == "0" ? 300000000 : 1200000) << count;
    }
}

TEST_F(KeyerFiles, ShortCWFileKeepsWhatWasReadAndSelectsNoOption) {
    dir.write("CW.txt", FirstLines(CwFile("2"), 15)); // ends after the keying type
    LoadCWSettings();
    CWFrmWindow& f = CWFrm();
    EXPECT_EQ(f.Text13.Text(), "F11, TEXT");
    EXPECT_EQ(Keyer.CWKeyingType, 2);
    EXPECT_EQ(f.Text14.Text(), "&H378");
    EXPECT_EQ(f.Check1.Value(), 1);
    EXPECT_FALSE(f.Option2.Value());
    EXPECT_TRUE(f.Option4.Value()) << "the design option stays";
    EXPECT_EQ(Keyer.CWKeyingType, 2) << "showing the option put nothing else in force";
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

TEST_F(KeyerFiles, VoiceSettingsFillTheSettingsAndTheWindow) {
    dir.write("wave2.txt", Wave2File());
    LoadVoiceSettings();
    EXPECT_EQ(KeyerSettings.Voice.WaveFiles[0], "C:\\msgs\\cq.wav");
    EXPECT_EQ(KeyerSettings.Voice.KeyingLine, 1);
    EXPECT_EQ(vb::IfLoaded<PhoneFrmWindow>(), nullptr); // the window loads when asked for, showing them
    PhoneFrmWindow* f = &PhoneFrm();
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(f->Text1.Text(), "C:\\msgs\\cq.wav");
    EXPECT_EQ(f->Text2.Text(), "exch.wav");
    EXPECT_EQ(f->Text3.Text(), "");
    EXPECT_EQ(f->Text9.Text(), "test.wav");
    EXPECT_EQ(f->Text10.Text(), "4");
    EXPECT_TRUE(f->Option2.Value());
    EXPECT_FALSE(f->Option1.Value());
    EXPECT_EQ(f->txtPHLoop.Text(), "30");
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
    EXPECT_EQ(vb::IfLoaded<PhoneFrmWindow>(), nullptr);

    dir.write("wave2.txt", FirstLines(Wave2File(), 9));
    EXPECT_THROW(LoadVoiceSettings(), VbError);
    EXPECT_EQ(PhoneFrm().Text9.Text(), "test.wav") << "values read before the failure stay";
    EXPECT_EQ(PhoneFrm().Text10.Text(), "0");

    dir.write("wave2.txt", Wave2File("1", "\"soon\""));
    EXPECT_THROW(LoadVoiceSettings(), VbError) << "repeat seconds that are no number";
}

TEST_F(KeyerFiles, ALoadedWindowShowsTheSettingsReadAgain) {
    dir.write("wave2.txt", Wave2File("0", "\"2.5\""));
    dir.write("CW.txt", CwFile("1", "1", "\"75\""));
    LoadVoiceSettings();
    LoadCWSettings();
    PhoneFrm();
    CWFrm();
    dir.write("wave2.txt", Wave2File("0", "\"12\""));
    dir.write("CW.txt", CwFile("1", "1", "\"59.9\""));
    LoadVoiceSettings();
    LoadCWSettings();
    EXPECT_EQ(PhoneFrm().txtPHLoop.Text(), "12");
    EXPECT_EQ(CWFrm().txtCWLoop.Text(), "59.9");
    EXPECT_TRUE(CWFrm().Option1.Value());
}
