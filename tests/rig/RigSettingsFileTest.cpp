// RigCntrl.txt: read into the settings value and written back byte for byte, what a short or odd file
// leaves, and the start-up reading that fills RigSettings and the radio type.
#include "core/ProcessState.h"
#include "platform/VbError.h"
#include "rig/RigSettingsFile.h"
#include "tests/support/QStringPrint.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace tylog;
using tylog::testing::CrLfLines;
using tylog::testing::ScratchFolder;

namespace {

// Kenwood on port 2, power on RTS, mode by frequency.
const QByteArray kKenwood = CrLfLines({"\"4800 \"", "\"N\"", "\"8\"", "\"2\"", "\"MD;\"", "\"FA;\"", "\"4800,N,8,2\"",
                                       "2", "\"R\"", "\"M\"", "\"Kenwood\"", "0", "1", "2"});

// The file with line n (1-based) replaced.
QByteArray withLine(const QByteArray& file, int n, const QByteArray& line) {
    QList<QByteArray> lines = file.split('\n');
    lines[n - 1] = line + "\r";
    return lines.join('\n');
}

class RigSettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override { Folders.ProgramFolder = dir.path(); }
    RigSettingsFile read(const QByteArray& bytes) {
        dir.write("RigCntrl.txt", bytes);
        return ReadRigSettings(dir.file("RigCntrl.txt"));
    }
    ScratchFolder dir;
};

TEST_F(RigSettingsFileTest, ReadsIntoTheValueAndWritesTheSameBytes) {
    const RigSettingsFile file = read(kKenwood);
    ASSERT_TRUE(file.whole);
    const RigSettingsData& s = file.settings;
    EXPECT_EQ(s.RigBaud, "4800 ");
    EXPECT_EQ(s.RigParity + s.RigDataBits + s.RigStopBits, "N82");
    EXPECT_EQ(s.RigModeQuery, "MD;");
    EXPECT_EQ(s.RigFrequencyQuery, "FA;");
    EXPECT_EQ(s.RigCommSettings, "4800,N,8,2");
    EXPECT_EQ(s.RigPort, 2);
    EXPECT_EQ(s.RigPowerLine, "R");
    EXPECT_EQ(s.RigPollRate, "M");
    EXPECT_EQ(file.rigType, "Kenwood");
    EXPECT_FALSE(s.ConvertToHex);
    EXPECT_TRUE(s.UseFrequency);
    EXPECT_EQ(s.RigModeSource, 2);

    WriteRigSettings(dir.file("again.txt"), s, file.rigType);
    EXPECT_EQ(dir.read("again.txt"), kKenwood);

    // The defaults of a first save are the window's first state.
    WriteRigSettings(dir.file("first.txt"), RigSettingsData{}, "None");
    EXPECT_EQ(dir.read("first.txt"), CrLfLines({"\"56000\"", "\"N\"", "\"8\"", "\"1\"", "\"\"", "\"\"", "\"56000,N,8,1\"",
                                                "1", "\"N\"", "\"M\"", "\"None\"", "0", "1", "1"}));
    // Text that the file cannot hold is left out rather than breaking its lines.
    RigSettingsData quoted;
    quoted.RigFrequencyQuery = "F\"A;";
    WriteRigSettings(dir.file("quoted.txt"), quoted, "Other");
    EXPECT_EQ(ReadRigSettings(dir.file("quoted.txt")).settings.RigFrequencyQuery, "FA;");
}

TEST_F(RigSettingsFileTest, OddValues) {
    struct Case {
        const char* what;
        int line;
        QByteArray value;
        bool whole;
        std::function<void(const RigSettingsFile&)> check;
    };
    const Case cases[] = {
        {"a baud without its blank", 1, "\"4800\"", true, [](const RigSettingsFile& f) { EXPECT_EQ(f.settings.RigBaud, "4800 "); }},
        {"a baud that is no rate is kept", 1, "\"4800x\"", true, [](const RigSettingsFile& f) { EXPECT_EQ(f.settings.RigBaud, "4800x"); }},
        {"a long baud is cut", 1, "\"1234567\"", true, [](const RigSettingsFile& f) { EXPECT_EQ(f.settings.RigBaud, "12345"); }},
        {"an empty parity is one blank", 2, "\"\"", true, [](const RigSettingsFile& f) { EXPECT_EQ(f.settings.RigParity, " "); }},
        {"a mode source of none", 14, "7", true, [](const RigSettingsFile& f) { EXPECT_EQ(f.settings.RigModeSource, 0); }},
        {"a grey check box reads as off", 13, "2", true, [](const RigSettingsFile& f) { EXPECT_FALSE(f.settings.UseFrequency); }},
        // Port 0 has no button: the serial values stay as they were, the rest is read.
        {"port 0", 8, "0", true, [](const RigSettingsFile& f) {
             EXPECT_EQ(f.settings.RigPort, 1);
             EXPECT_EQ(f.settings.RigBaud, "56000");
             EXPECT_EQ(f.settings.RigStopBits, "1");
             EXPECT_EQ(f.settings.RigPowerLine, "N");
             EXPECT_EQ(f.settings.RigFrequencyQuery, "FA;");
             EXPECT_EQ(f.settings.RigModeSource, 2);
             EXPECT_EQ(f.rigType, "Kenwood");
         }},
        // A value that does not convert ends the reading: what came before stays.
        {"a port beyond a byte", 8, "300", false, [](const RigSettingsFile& f) {
             EXPECT_EQ(f.settings.RigFrequencyQuery, "FA;");
             EXPECT_EQ(f.settings.RigPort, 1);
             EXPECT_FALSE(f.rigTypeRead);
         }},
        {"a check box of 5", 12, "5", false, [](const RigSettingsFile& f) {
             EXPECT_TRUE(f.rigTypeRead);
             EXPECT_EQ(f.settings.RigModeSource, 1); // the last three count only together
             EXPECT_TRUE(f.settings.UseFrequency);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RigSettingsFile file = read(withLine(kKenwood, c.line, c.value));
        EXPECT_TRUE(file.opened);
        EXPECT_EQ(file.whole, c.whole);
        c.check(file);
    }
    const RigSettingsFile shortFile = read(kKenwood.left(kKenwood.indexOf("\"Kenwood\"")));
    EXPECT_FALSE(shortFile.whole);
    EXPECT_FALSE(shortFile.rigTypeRead);
    EXPECT_EQ(shortFile.settings.RigPollRate, "M");
    EXPECT_FALSE(ReadRigSettings(dir.file("missing.txt")).opened);
}

TEST_F(RigSettingsFileTest, LoadAndSaveThroughTheProgramFolder) {
    Station.RigType = "Icom";
    EXPECT_FALSE(LoadRigSettings().opened); // no file: nothing changes
    EXPECT_EQ(Station.RigType, "Icom");
    EXPECT_EQ(RigSettings.RigPort, 1);

    // Found in other letters, and written back under that name only.
    dir.write("rigcntrl.TXT", kKenwood);
    EXPECT_TRUE(LoadRigSettings().whole);
    EXPECT_EQ(Station.RigType, "Kenwood");
    EXPECT_EQ(RigSettings.RigPort, 2);
    RigSettings.RigPort = 3;
    SaveRigSettings();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"rigcntrl.TXT"});
    EXPECT_EQ(dir.read("rigcntrl.TXT"), withLine(kKenwood, 8, "3"));
}

} // namespace
