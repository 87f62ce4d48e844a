#include "core/StationSettingsFile.h"
#include "core/ProcessState.h"
#include "tests/app/FileSizeLimit.h"
#include "tests/support/TestSupport.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace tylog;
using namespace tylog::testing;

namespace {

const QByteArray SampleFile = CrLfLines({"\"N0CALL\"", "\"TY\"", "\"USA\"", "\"\"", "\" Lead, comma\"", "\"\"",
                                         "\"Larkmoor\"", "\"Port X\"", "\"CW\"", "\"1.25\"", "5.5", "-77.25", ".25",
                                         "\"NA\"", "100", "16777215", "255", "3600", "\"TY\"", "1", "0", "2",
                                         "\"None\"", "1", "0"});

void FillSample() {
    StationSettings& s = Station;
    s.OwnCall = "N0CALL";
    s.OwnSpc = "TY";
    s.OwnCountry = "USA";
    s.OwnArrlSection = "";
    s.OwnName = " Lead, comma";
    s.OwnCategory = "";
    s.CurrentCounty = "Larkmoor";
    s.OwnCity = "Port \"X\"\r\n"; // what a text cannot hold is dropped
    s.CurrentMode = "CW";
    s.CurrentBand = "1.25";
    s.UtcOffsetHours = 5.5f;
    s.OwnLongitude = -77.25f;
    s.OwnLatitude = 0.25f;
    s.OwnContinent = "NA";
    s.FormSizePercent = 100;
    s.WorkedColor = 16777215;
    s.RemainingColor = 255;
    s.OperSecondsSaved = 3600;
    s.HostState = "TY";
    s.OutOfStateFlag = true;
    s.RoverFlag = false;
    s.VoiceNavLevel = 2;
    s.RigType = "None";
    s.TaskbarOption = true;
    s.ListPreviousOption = false;
}

QByteArray ReplaceLine(QByteArray file, int line, const QByteArray& with) {
    QList<QByteArray> lines = file.split('\n');
    lines[line - 1] = with + "\r";
    return lines.join('\n');
}

class StationSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { Folders.ProgramFolder = dir.path(); }
    QByteArray file() const { return dir.read("QSOpref.txt"); }
    ScratchFolder dir;
    ScriptedDialogs& dialogs = Fakes().dialogs;
};

} // namespace

TEST_F(StationSettingsTest, SaveWritesOneValuePerLineAndLoadReadsItBack) {
    FillSample();
    ASSERT_TRUE(SaveStationSettings());
    EXPECT_EQ(file(), SampleFile);

    Station = {};
    LoadStationSettings();
    EXPECT_EQ(Station.OwnName, " Lead, comma");
    EXPECT_EQ(Station.OwnArrlSection, "");
    EXPECT_EQ(Station.OwnCity, "Port X");
    EXPECT_EQ(Station.OwnLongitude, -77.25f);
    EXPECT_EQ(Station.WorkedColor, 16777215);
    EXPECT_EQ(Station.VoiceNavLevel, 2);
    ASSERT_TRUE(SaveStationSettings());
    EXPECT_EQ(file(), SampleFile);
}

TEST_F(StationSettingsTest, LoadTakesAWholeFileOrNothing) {
    QByteArray short24 = SampleFile;
    short24.chop(3);
    struct Case {
        const char* name;
        const char* fileName;
        std::optional<QByteArray> bytes;
        QString error; // empty: the file loads
    };
    const Case cases[] = {
        {"missing", "QSOpref.txt", std::nullopt, "File not found"},
        {"empty", "QSOpref.txt", QByteArray(), "value 1 of 25: the file ends before it"},
        {"24 values", "QSOpref.txt", short24, "value 25 of 25: the file ends before it"},
        {"byte value of 300", "QSOpref.txt", ReplaceLine(SampleFile, 15, "300"),
         "value 15 of 25: the number is out of range"},
        {"text where a byte belongs", "QSOpref.txt", ReplaceLine(SampleFile, 20, "\"yes\""),
         "value 20 of 25: it is not a number"},
        {"name in other letters, values after the 25th", "qsopref.TXT", SampleFile + "\"extra\"\r\n", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        Folders.ProgramFolder = folder.path();
        if (c.bytes) folder.write(c.fileName, *c.bytes);
        FillSample();
        Station.OwnCall = "BEFORE";
        try {
            LoadStationSettings();
            EXPECT_TRUE(c.error.isEmpty());
            EXPECT_EQ(Station.OwnCall, "N0CALL");
            EXPECT_EQ(Station.ListPreviousOption, 0);
        } catch (const VbError& e) {
            EXPECT_TRUE(e.Description.startsWith(c.error)) << e.Description.toStdString();
            // Nothing read from a file that failed stays, nor anything from before.
            EXPECT_EQ(Station.OwnCall, "");
            EXPECT_EQ(Station.RigType, "");
            EXPECT_EQ(Station.FormSizePercent, 0);
            EXPECT_EQ(Station.TaskbarOption, 0);
            EXPECT_EQ(Station.CurrentBand, "20");
            EXPECT_EQ(Station.CurrentMode, "CW");
        }
    }
}

TEST_F(StationSettingsTest, BandAndModeAreOnlyEverValidCodes) {
    const std::pair<QByteArray, const char*> bands[] = {{"\"7F\"", "20"}, {"\"\"", "20"}, {"\"1.25\"", "1.25"},
                                                        {"\"70\"", "70"},  {"160", "160"},  {"\"20 \"", "20"}};
    const std::pair<QByteArray, const char*> modes[] = {{"\"01 02\"", "CW"}, {"\"ph\"", "PH"}, {"\"DG\"", "DG"},
                                                        {"\"SSB\"", "CW"}};
    for (const auto& [band, expected] : bands) {
        dir.write("QSOpref.txt", ReplaceLine(SampleFile, 10, band));
        LoadStationSettings();
        EXPECT_EQ(Station.CurrentBand, expected) << band.constData();
        EXPECT_EQ(Station.OwnCall, "N0CALL"); // the rest of the file is taken
    }
    for (const auto& [mode, expected] : modes) {
        dir.write("QSOpref.txt", ReplaceLine(SampleFile, 9, mode));
        LoadStationSettings();
        EXPECT_EQ(Station.CurrentMode, expected) << mode.constData();
    }
    for (const char* band : {"160", "80", "40", "20", "15", "10", "6", "2", "1.25", "70"}) EXPECT_TRUE(IsBandCode(band));
    EXPECT_FALSE(IsBandCode("30"));
}

TEST_F(StationSettingsTest, CountsAndFlagsAreConvertedAtTheFile) {
    struct Case {
        int line;
        const char* read;
        const char* written; // nullptr: the load fails at this value
    };
    const Case cases[] = {
        {18, "12345678", "1.234568E+07"},  // seconds as a single writes them, as it always has
        {18, "1.234568E+07", "1.234568E+07"},
        {18, "-4", "-4"},
        {18, "12.5", "12"},                // whole seconds
        {18, "1E+10", nullptr},            // more seconds than the program can count
        {18, "1E+39", nullptr},            // not a single
        {20, "2", "1"},                    // a flag is set or not
        {21, "255", "1"},
        {24, "0", "0"},
        {22, "2", "2"},
        {15, "30", "30"},
        {15, "300", nullptr},              // not a byte
        {15, "-1", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.read) + " at " + std::to_string(c.line));
        dir.write("QSOpref.txt", ReplaceLine(SampleFile, c.line, c.read));
        Station = {};
        if (!c.written) {
            EXPECT_THROW(LoadStationSettings(), VbError);
            continue;
        }
        ASSERT_NO_THROW(LoadStationSettings());
        ASSERT_TRUE(SaveStationSettings());
        EXPECT_EQ(file(), ReplaceLine(SampleFile, c.line, c.written));
    }

    // What memory holds beyond a byte is written as a byte the reader takes.
    FillSample();
    Station.FormSizePercent = 300;
    Station.VoiceNavLevel = -2;
    ASSERT_TRUE(SaveStationSettings());
    EXPECT_NO_THROW(LoadStationSettings());
    EXPECT_EQ(Station.FormSizePercent, 255);
    EXPECT_EQ(Station.VoiceNavLevel, 0);
}

TEST_F(StationSettingsTest, AFileFoundUnderOtherLettersIsRewrittenUnderThatName) {
    dir.write("qsopref.TXT", SampleFile);
    LoadStationSettings();
    Station.OwnCall = "W9XYZ";
    ASSERT_TRUE(SaveStationSettings());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"qsopref.TXT"});
    EXPECT_EQ(dir.read("qsopref.TXT"), ReplaceLine(SampleFile, 1, "\"W9XYZ\""));
}

TEST_F(StationSettingsTest, AFailedSaveReturnsFalseAndKeepsTheOldFile) {
    dir.write("QSOpref.txt", SampleFile);
    FillSample();
    Station.OwnCall = "W9XYZ";
    {
        FileSizeLimit full(40);
        EXPECT_FALSE(SaveStationSettings());
    }
    EXPECT_EQ(file(), SampleFile);
    Folders.ProgramFolder = dir.file("gone");
    QString error;
    EXPECT_FALSE(SaveStationSettings(&error));
    EXPECT_TRUE(error.contains("gone")) << error.toStdString();
}

TEST_F(StationSettingsTest, CheckUtcOffsetOffersTheClocksOffset) {
    struct Case {
        const char* name;
        float stored;
        QTime local;
        double utcAhead;
        std::optional<QString> answer; // no value: no question expected
        float after;
        QString proposed;
    };
    const Case cases[] = {
        {"matching offset asks nothing", 5, QTime(10, 0, 0), 5, std::nullopt, 5, {}},
        {"matching across midnight", 5, QTime(23, 30, 59), 5, std::nullopt, 5, {}},
        {"OK takes the proposal", 4, QTime(10, 0, 0), 5, "5", 5, "5"},
        {"an edited number is taken", 4, QTime(10, 0, 0), 5, "6.25", 6.25f, "5"},
        {"cancel keeps the setting", 4, QTime(10, 0, 0), 5, "", 4, "5"},
        {"text is no answer", 4, QTime(10, 0, 0), 5, "five", 4, "5"},
        {"half an hour", 0, QTime(10, 0, 0), 3.5, "3.5", 3.5f, "3.5"},
        {"east of UTC", 0, QTime(10, 0, 0), -5.75, "-5.75", -5.75f, "-5.75"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(dir.file("QSOpref.txt"));
        Station.UtcOffsetHours = c.stored;
        Fakes().clock.Set(QDateTime(QDate(2013, 9, 15), c.local), c.utcAhead);
        dialogs.Reset();
        if (c.answer) dialogs.AnswerInput(*c.answer);

        CheckUtcOffset();

        EXPECT_EQ(Station.UtcOffsetHours, c.after);
        ASSERT_EQ(dialogs.shown.size(), c.answer ? 1 : 0);
        if (c.answer) {
            EXPECT_EQ(dialogs.shown[0].title, "Update the Local Time / UTC Offset?");
            EXPECT_EQ(dialogs.shown[0].defaultText, c.proposed);
        }
        const bool rewritten = c.after != c.stored;
        ASSERT_EQ(dir.exists("QSOpref.txt"), rewritten);
        if (rewritten) { EXPECT_EQ(file().split('\n').value(10), c.answer->toLatin1() + "\r"); }
    }

    Station.UtcOffsetHours = 4;
    Fakes().clock.Set(QDateTime(QDate(2013, 9, 15), QTime(10, 0, 0)), 5);
    dialogs.Reset();
    dialogs.AnswerInput("");
    CheckUtcOffset();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].prompt,
              "Would you like to adjust the UTC offset in this program for your local time setting?\r\n\r\n"
              "Current System Time: 15:00\r\nCurrent Local Time: 10:00\r\n\r\nRecommended Offset Setting: 5\r\n\r\n"
              "Current Offset Setting: 4\r\n\r\n"
              "Please click OK to accept the recommended change or Cancel to keep the current setting.");
}
