// The Cabrillo submission file: whole files byte for byte for both logging windows, the records that
// cannot be written, the placing of long fields, the writing (and the refusal of log.txt) and the
// remembering of the submitter's values.
#include "core/ProcessState.h"
#include "core/SharedPrefs.h"
#include "logtools/Cabrillo.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <cstring>
#include <gtest/gtest.h>
#include <unistd.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QByteArray& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

using namespace tylog;
using namespace tylog::testing;

namespace {

ContactRecord contact(const char* call, const char* spc, const char* county, const char* sentCounty,
                      const char* band, const char* mode, const char* date, const char* time, const char* serialSent,
                      const char* serialRcvd) {
    ContactRecord r;
    r.Call = call;
    r.Spc = spc;
    r.County = county;
    r.SentCounty = sentCounty;
    r.Band = band;
    r.Mode = mode;
    r.Date = date;
    r.Time = time;
    r.SerialSent = serialSent;
    r.SerialRcvd = serialRcvd;
    r.RstSent = "59";
    r.Frequency = "14.250"; // never written: the band gives the frequency field
    return r;
}

ContactLogData logOf(std::initializer_list<ContactRecord> records) {
    ContactLogData log;
    for (const ContactRecord& r : records) log.Rec[static_cast<size_t>(++log.Count)] = r;
    return log;
}

CountyTableData counties() {
    CountyTableData t;
    const char* rows[][2] = {{"Alderbrook", "ALDE"}, {"Ambervale", "AMBE"}, {"Ashcombe", "ASHC"}};
    for (const auto& row : rows) {
        t.Count += 1;
        t.Name[static_cast<size_t>(t.Count)] = row[0];
        t.Abbrev[static_cast<size_t>(t.Count)] = row[1];
    }
    return t;
}

StationSettings station(const char* call, const char* spc) {
    StationSettings s;
    s.OwnCall = call;
    s.OwnSpc = spc;
    s.OwnArrlSection = spc;
    s.HostState = "TY";
    return s;
}

CabrilloFile build(const ContactLogData& log, const CabrilloSheet& sheet,
                   const StationSettings& st = station("K1TY", "TY")) {
    return BuildCabrilloFile(log, counties(), st, "1.6", sheet);
}

QStringList lines(const QByteArray& bytes) {
    QStringList l = QString::fromLatin1(bytes).split("\r\n");
    l.removeLast(); // after the last CR LF
    return l;
}

// The one QSO line of a file built from one record.
QString qsoLine(const ContactRecord& r, const CabrilloSheet& sheet = {}) {
    const CabrilloFile f = build(logOf({r}), sheet);
    EXPECT_TRUE(f.Outcome.Ok()) << f.Outcome.Error.toStdString();
    const QStringList l = lines(f.Bytes);
    return l.size() > 1 ? l[l.size() - 2] : QString();
}

// A rover in the host state: fixed and mobile stations, a DX country, a county that is no table name,
// an unknown band, a time typed after the contest, long serials.
TEST(CabrilloFile, InStateWindowWholeFile) {
    const ContactLogData log = logOf({
        contact("W1AW", "CT", "", "Alderbrook", "160", "CW", "2026/05/02", "14:01:02", "1", "5"),
        contact("N2XX/m", "", "ambervale", "AMBERVALE", "40", "PH", "2026/05/02", "14:05", "12", "123"),
        contact("JA1ABC", "Japan", "", "Ashcombe", "15", "DG", "2026/05/02", "14:10:00", "123", "1234"),
        contact("VE3ABC", "ON", "", "Ashcombe", "2", "PH", "2026/05/02", "15:00:59", "1234", "12345"),
        contact("KC1ABC/MM", "", " Nowhere ", "Lost Mill Creek", "30", "CW", "2026/05/03", "00:01:00", "9999", "7"),
        contact("Q8BNS", "", "Alderbrook", "ashcombe", "20", "ph", "2026/05/03", "09:30:00", "10000", "10"),
        contact("W9ABCDEFG", "ON", "", "Ashcombe", "10", "CW", "2026/05/03", "01:00:00", "100000", "123456"),
    });
    CabrilloSheet sheet;
    sheet.Window = CabrilloWindow::InState;
    sheet.ClaimedScoreText = "1,234";
    sheet.WorkedCountyCount = 3;
    sheet.MultiplierCount = 2;
    sheet.DXCount = 1;
    sheet.Category = "Mobile";
    sheet.Power = CabrilloPower::High;
    sheet.LicenseClass = "EXTRA";
    sheet.Submitter = {"Pat Doe", "1 Main St", "Springfield", "pat@example.com", "Tessaly Contest Club "};
    sheet.Soapbox = QString("Great fun at the caf") + QChar(0xE9) + ".";
    sheet.CountyBonusText = "300";
    sheet.BonusStationText = "500";

    const CabrilloFile f = build(log, sheet, station(" K1TY ", "TY"));
    ASSERT_TRUE(f.Outcome.Ok()) << f.Outcome.Error.toStdString();
    EXPECT_EQ(f.Bytes, CrLfLines({
        "START-OF-LOG: 2.0",
        "CREATED-BY: Q7BZW's TY State QSO Party Program 1.6",
        "CALLSIGN: K1TY",
        "ARRL-SECTION: TY",
        "CONTEST: State QSO Party - TY",
        "CATEGORY: MOBILE HIGH",
        "CLUB: Tessaly Contest Club ",
        "CLAIMED-SCORE:  2034 ",
        "LICENSE CLASS: EXTRA",
        "TOTAL COUNTIES AND CITIES:  3 ",
        "TOTAL STATES AND PROVINCES:  2 ",
        "TOTAL DX:  1 ",
        "TOTAL PHONE CONTACTS:  2 ",
        "TOTAL CW AND DIGITAL CONTACTS:  3 ",
        "TOTAL TY MOBILE CONTACTS:  2 ",
        "NUMBER OF TY CITIES AND COUNTIES FROM WHICH YOU LOGGED CONTACTS AS MOBILE:  3 ",
        "BONUS POINTS FOR Q8BNS CONTACT:  500 ",
        "OPERATORS: K1TY",
        "NAME: Pat Doe",
        "ADDRESS: 1 Main St",
        "ADDRESS: Springfield",
        "ADDRESS: (e-mail) pat@example.com",
        "SOAPBOX: Great fun at the caf\xe9.",
        //        1         2         3         4         5         6         7
        //234567890123456789012345678901234567890123456789012345678901234567890123456
        "QSO:  1800 CW 2026-05-02 1401 K1TY         1 ALDE      W1AW         5 CT",
        "QSO:  7000 PH 2026-05-02 1405 K1TY        12 AMBE      N2XX/m     123 AMBE",
        "QSO: 21000 DG 2026-05-02 1410 K1TY       123 ASHC      JA1ABC    1234 DX",
        "QSO:   144 PH 2026-05-02 1500 K1TY      1234 ASHC      VE3ABC   12345 ON",
        "QSO:       CW 2026-05-03 0001 K1TY      9999 Lost Mill KC1ABC/MM    7 Nowhere",
        "QSO: 14000 ph 2026-05-03 0930 K1TY     10000 ASHC      Q8BNS       10 ALDE",
        "QSO: 28000 CW 2026-05-03 0100 K1TY    100000 ASHC      W9ABCDEFG 123456 ON",
        "END-OF-LOG:",
    }));
}

// A station outside the host state with an own call longer than 9 characters: the sent exchange is
// OwnSpc, no DX, state or rover totals, and serials that do not fit move right rather than overwrite.
TEST(CabrilloFile, OutOfStateWindowWholeFile) {
    const ContactLogData log = logOf({
        contact("K1TY", "", "Alderbrook", "", "6", "PH", "2026/05/02", "14:01:00", "1", "1"),
        contact("W1TY/M", "", "AMBERVALE", "", "160", "CW", "2026/05/02", "14:02:00", "2", "17"),
        contact("N1TY", "", "ashcombe ", "", "70", "DG", "2026/5/2", "9:30", "3", "250"),
        contact("KB1ZZ/QRP", "", "Ashcombe2", "", "1.25", "CW", "2026/05/02", "09:31:10", "99", "99"),
        contact("K1TY", "", "Alderbrook", "", "80", "PH", "2026/05/03", "02:00:00", "10001", "3"),
        contact("KB1ZZ/QRP", "", "Ashcombe", "", "80", "PH", "2026/05/03", "02:01:00", "123456", "1234567"),
    });
    CabrilloSheet sheet;
    sheet.Window = CabrilloWindow::OutOfState;
    sheet.ClaimedScoreText = "56";
    sheet.WorkedCountyCount = 3;
    sheet.MultiplierCount = 9; // the in-state window's totals: not written
    sheet.DXCount = 7;
    sheet.Power = CabrilloPower::Qrp;

    const CabrilloFile f = build(log, sheet, station("VE3/K1ABCD", "ON"));
    ASSERT_TRUE(f.Outcome.Ok()) << f.Outcome.Error.toStdString();
    EXPECT_EQ(f.Bytes, CrLfLines({
        "START-OF-LOG: 2.0",
        "CREATED-BY: Q7BZW's TY State QSO Party Program 1.6",
        "CALLSIGN: VE3/K1ABCD",
        "ARRL-SECTION: ON",
        "CONTEST: State QSO Party - TY",
        "CATEGORY: SINGLE-OP QRP",
        "CLUB: ",
        "CLAIMED-SCORE:  56 ",
        "LICENSE CLASS: ",
        "TOTAL COUNTIES AND CITIES:  3 ",
        "TOTAL PHONE CONTACTS:  3 ",
        "TOTAL CW AND DIGITAL CONTACTS:  2 ",
        "TOTAL TY MOBILE CONTACTS:  1 ",
        "BONUS POINTS FOR Q8BNS CONTACT:  0 ",
        "OPERATORS: VE3/K1ABCD",
        "NAME: ",
        "ADDRESS: ",
        "ADDRESS: ",
        "ADDRESS: (e-mail) ",
        "SOAPBOX: ",
        //        1         2         3         4         5         6         7
        //234567890123456789012345678901234567890123456789012345678901234567890123456
        "QSO:    50 PH 2026-05-02 1401 VE3/K1ABC    1 ON        K1TY         1 ALDE",
        "QSO:  1800 CW 2026-05-02 1402 VE3/K1ABC    2 ON        W1TY/M      17 AMBE",
        "QSO:   432 DG 2026-05-02 0930 VE3/K1ABC    3 ON        N1TY       250 ASHC",
        "QSO:   222 CW 2026-05-02 0931 VE3/K1ABC   99 ON        KB1ZZ/QRP   99 Ashcombe2",
        "QSO:  3500 PH 2026-05-03 0200 VE3/K1ABC 10001 ON       K1TY         3 ALDE",
        "QSO:  3500 PH 2026-05-03 0201 VE3/K1ABC 123456 ON      KB1ZZ/QRP 1234567 ASHC",
        "END-OF-LOG:",
    }));
}

TEST(CabrilloFile, EmptyLogGivesTheHeaderAndZeroTotals) {
    CabrilloSheet sheet;
    sheet.ClaimedScoreText = "0";
    for (CabrilloWindow w : {CabrilloWindow::InState, CabrilloWindow::OutOfState}) {
        sheet.Window = w;
        const CabrilloFile f = build(ContactLogData{}, sheet);
        ASSERT_TRUE(f.Outcome.Ok());
        const QStringList l = lines(f.Bytes);
        EXPECT_EQ(l.size(), w == CabrilloWindow::InState ? 24 : 21);
        EXPECT_EQ(l.last(), "END-OF-LOG:");
        for (const QString& line : l)
            if (line.startsWith("TOTAL") || line.startsWith("NUMBER") || line.startsWith("CLAIMED") ||
                line.startsWith("BONUS")) {
                EXPECT_TRUE(line.endsWith(":  0 ")) << line.toStdString();
            }
    }
}

// The claimed score and the bonus lines in print form; boxes that hold no number count 0.
TEST(CabrilloFile, ClaimedScoreAndBonusesInPrintForm) {
    struct Case { const char* score; const char* county; const char* station; const char* claimed; const char* counties; const char* points; };
    const Case cases[] = {
        {"1,234", "300", "500", "CLAIMED-SCORE:  2034 ", ":  3 ", ":  500 "},
        {"12,345.9", "150", "0", "CLAIMED-SCORE:  12495 ", ":  1.5 ", ":  0 "}, // the score is cut to its whole part
        {"0", "50", "", "CLAIMED-SCORE:  50 ", ":  .5 ", ":  0 "},
        {"-1,234", "abc", "5OO", "CLAIMED-SCORE: -1234 ", ":  0 ", ":  0 "},
        {"7", " 100 ", "-500", "CLAIMED-SCORE: -393 ", ":  1 ", ": -500 "},
    };
    for (const Case& c : cases) {
        CabrilloSheet sheet;
        sheet.ClaimedScoreText = c.score;
        sheet.CountyBonusText = c.county;
        sheet.BonusStationText = c.station;
        const CabrilloFile f = build(ContactLogData{}, sheet);
        ASSERT_TRUE(f.Outcome.Ok()) << c.score;
        const QStringList l = lines(f.Bytes);
        EXPECT_EQ(l[7], c.claimed) << c.score;
        EXPECT_TRUE(l[15].endsWith(c.counties)) << l[15].toStdString();
        EXPECT_TRUE(l[16].endsWith(c.points)) << l[16].toStdString();
    }
    EXPECT_EQ(CabrilloBonusText("abc"), "0");
    EXPECT_EQ(CabrilloBonusText(""), "0");
    EXPECT_EQ(CabrilloBonusText("300"), "300");
}

TEST(CabrilloFile, ScoreThatIsNoNumberWritesNothing) {
    for (const char* score : {"", "12a", "1 234"}) {
        CabrilloSheet sheet;
        sheet.ClaimedScoreText = score;
        const CabrilloFile f = build(logOf({contact("W1AW", "CT", "", "Ashcombe", "20", "CW", "2026/05/02", "14:00:00", "1", "1")}), sheet);
        EXPECT_EQ(f.Outcome.Status, CabrilloStatus::BadScore) << score;
        EXPECT_EQ(f.Outcome.Error, "Type mismatch");
        EXPECT_TRUE(f.Bytes.isEmpty());
    }
}

// Dates and times that stray from the stored form are written in the file's form.
TEST(CabrilloFile, DatesAndTimesAreNormalised) {
    struct Case { const char* date; const char* time; const char* written; };
    const Case cases[] = {
        {"2026/05/02", "14:01:02", "2026-05-02 1401"},
        {"2026/5/2", "9:30", "2026-05-02 0930"},
        {"5/2/2026", "09:30:59", "2026-05-02 0930"},
        {"2026-05-02", "2:01 PM", "2026-05-02 1401"},
        {" 2026/05/02 ", "00:00", "2026-05-02 0000"},
    };
    for (const Case& c : cases) {
        CabrilloSheet sheet;
        sheet.ClaimedScoreText = "1";
        const QString line = qsoLine(contact("W1AW", "CT", "", "Ashcombe", "20", "CW", c.date, c.time, "1", "1"), sheet);
        EXPECT_EQ(line.mid(14, 15), c.written) << c.date << " " << c.time;
    }
}

// A record whose date or time reads as neither stops the file and is named.
TEST(CabrilloFile, UnreadableDateOrTimeNamesTheRecord) {
    struct Case { const char* date; const char* time; };
    const Case cases[] = {
        {"14:05:00", "14:05:00"}, // a time in the date field
        {"2026/13/02", "14:05:00"},
        {"", "14:05:00"},
        {"2026/05/02", "2026/05/02"}, // a date in the time field
        {"2026/05/02", "25:00"},
        {"2026/05/02", "1405"},
        {"2026/05/02", ""},
    };
    for (const Case& c : cases) {
        const ContactRecord good = contact("W1AW", "CT", "", "Ashcombe", "20", "CW", "2026/05/02", "14:00:00", "1", "1");
        CabrilloSheet sheet;
        sheet.ClaimedScoreText = "1";
        const CabrilloFile f = build(logOf({good, contact("K2AA", "NY", "", "Ashcombe", "20", "CW", c.date, c.time, "2", "2"),
                                            good}),
                                     sheet);
        EXPECT_EQ(f.Outcome.Status, CabrilloStatus::BadRecord) << c.date << " " << c.time;
        EXPECT_EQ(f.Outcome.Record, 2);
        EXPECT_TRUE(f.Outcome.Error.startsWith("Record 2 ")) << f.Outcome.Error.toStdString();
        EXPECT_TRUE(f.Bytes.isEmpty());
    }
}

// Whatever the lengths of calls and serials, every field stands whole and apart from its neighbours,
// and serials of up to 5 characters keep their columns when the call before them leaves room.
TEST(CabrilloFile, LongFieldsNeverRunIntoEachOther) {
    for (const char* own : {"K1TY", "VE3/K1ABC", "VE3/K1ABCDE"}) {
        for (const char* worked : {"W1AW", "KB1ZZ/QRP"}) {
            for (const char* serial : {"1", "12345", "123456", "12345678"}) {
                CabrilloSheet sheet;
                sheet.ClaimedScoreText = "1";
                const StationSettings st = station(own, "TY");
                const CabrilloFile f = BuildCabrilloFile(
                    logOf({contact(worked, "", "Ashcombe", "Lost Mill Creek", "20", "CW", "2026/05/02", "14:00:00", serial,
                                   serial)}),
                    counties(), st, "1.6", sheet);
                ASSERT_TRUE(f.Outcome.Ok());
                const QString line = lines(f.Bytes)[23];
                const QStringList want = {"QSO:", "14000", "CW", "2026-05-02", "1400", QString(own).left(9), serial,
                                          "Lost", "Mill", worked, serial, "ASHC"};
                EXPECT_EQ(line.split(' ', Qt::SkipEmptyParts), want) << line.toStdString();
                const bool roomSent = QString(own).left(9).size() + 31 < 45 - qsizetype(strlen(serial));
                if (roomSent) {
                    EXPECT_EQ(line.indexOf(QString(" ") + serial + " Lost"), 43 - qsizetype(strlen(serial)));
                }
            }
        }
    }
}

TEST(CabrilloBonuses, CountyBonusCountsDistinctOwnCountiesOfARover) {
    const ContactLogData rover = logOf({
        contact("W1AW", "CT", "", "Alderbrook", "20", "CW", "2026/05/02", "14:00:00", "1", "1"),
        contact("W2AW", "NY", "", "ALDERBROOK", "20", "CW", "2026/05/02", "14:00:00", "2", "1"),
        contact("W3AW", "PA", "", "Ashcombe", "20", "CW", "2026/05/02", "14:00:00", "3", "1"),
        contact("W4AW", "GA", "", "Ambervale", "20", "CW", "2026/05/02", "14:00:00", "4", "1"),
        contact("W5AW", "TX", "", "ashcombe", "20", "CW", "2026/05/02", "14:00:00", "5", "1"),
    });
    EXPECT_EQ(CountyBonus(rover, 1), 300);
    EXPECT_EQ(CountyBonus(rover, 0), 0);
    EXPECT_EQ(CountyBonus(ContactLogData{}, 1), 0);
    ContactLogData withEmpty = rover;
    withEmpty.Rec[static_cast<size_t>(++withEmpty.Count)] = contact("W6AW", "CA", "", "", "20", "CW", "2026/05/02", "14:00:00", "6", "1");
    EXPECT_EQ(CountyBonus(withEmpty, 1), 400); // an empty own county counts as one
}

TEST(CabrilloBonuses, BonusStationOnlyByItsWholeCall) {
    auto worked = [](std::initializer_list<const char*> calls) {
        ContactLogData log;
        for (const char* c : calls)
            log.Rec[static_cast<size_t>(++log.Count)] = contact(c, "TY", "", "", "20", "CW", "2026/05/02", "14:00:00", "1", "1");
        return BonusStationPoints(log);
    };
    EXPECT_EQ(worked({"W1AW", "q8bns"}), 500);
    EXPECT_EQ(worked({"Q8BNS", "W1AW", "Q8BNS"}), 500);
    EXPECT_EQ(worked({"Q8BNS/M", "XQ8BNS"}), 0);
    EXPECT_EQ(worked({}), 0);
}

TEST(CabrilloFile, DefaultFileName) {
    EXPECT_EQ(CabrilloDefaultFileName(" VE3/K1ABCD "), "VE3.log");
    EXPECT_EQ(CabrilloDefaultFileName("k1ty"), "YourCall.log");
}

class CabrilloWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        Folders.ProgramFolder = program.path();
        program.write("log.txt", kLog);
    }
    const QByteArray kLog = "\"W1AW\",\"59\"\r\n";
    const QByteArray kFile = "START-OF-LOG: 2.0\r\nEND-OF-LOG:\r\n";
    ScratchFolder program;
    ScratchFolder elsewhere;
};

TEST_F(CabrilloWriteTest, WritesAndReplaces) {
    const QString target = elsewhere.file("K1TY.log");
    ASSERT_TRUE(WriteCabrilloFile(target, "old\r\n").Ok());
    ASSERT_TRUE(WriteCabrilloFile(target, kFile).Ok());
    EXPECT_EQ(elsewhere.read("K1TY.log"), kFile);
    // A file called log.txt anywhere but the program folder is just a file.
    EXPECT_TRUE(WriteCabrilloFile(elsewhere.file("log.txt"), kFile).Ok());
}

TEST_F(CabrilloWriteTest, TheProgramsLogIsRefused) {
    ASSERT_TRUE(QDir(elsewhere.path()).mkdir("sub"));
    ASSERT_TRUE(QFile::link(program.file("log.txt"), elsewhere.file("link.log")));
    ASSERT_TRUE(QFile::link(elsewhere.file("link.log"), elsewhere.file("chain.log")));
    ASSERT_TRUE(QFile::link(program.path(), elsewhere.file("programlink")));
    ASSERT_TRUE(QFile::link(program.file("LOG.TXT"), elsewhere.file("dangling.log")));
    ASSERT_EQ(::link(QFile::encodeName(program.file("log.txt")).constData(),
                     QFile::encodeName(elsewhere.file("hard.log")).constData()), 0);

    const QString targets[] = {
        program.file("log.txt"),
        program.file("LOG.TXT"),
        program.file("Log.Txt"),
        program.path() + "/./log.txt",
        elsewhere.path() + "/sub/../../" + QDir(program.path()).dirName() + "/log.txt",
        elsewhere.file("link.log"),
        elsewhere.file("chain.log"),
        elsewhere.file("programlink") + "/log.txt",
        elsewhere.file("dangling.log"),
        elsewhere.file("hard.log"),
    };
    for (const QString& t : targets) {
        const CabrilloOutcome o = WriteCabrilloFile(t, kFile);
        EXPECT_EQ(o.Status, CabrilloStatus::WorkingLog) << t.toStdString();
        EXPECT_FALSE(o.Error.isEmpty());
    }
    EXPECT_EQ(program.read("log.txt"), kLog);
    EXPECT_FALSE(program.exists("LOG.TXT"));
}

TEST_F(CabrilloWriteTest, ATargetThatCannotBeWrittenIsReported) {
    const CabrilloOutcome o = WriteCabrilloFile(elsewhere.file("missing/K1TY.log"), kFile);
    EXPECT_EQ(o.Status, CabrilloStatus::WriteFailed);
    EXPECT_FALSE(o.Error.isEmpty());
}

TEST(CabrilloSubmitter, RememberedTrimmedInRegistryAndSharedPreferences) {
    ScratchFolder shared;
    shared.write("SharedUserPreferences.xml",
                 "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<OWN_CALL>K1TY</OWN_CALL>\r\n<OWN_EMAIL>old</OWN_EMAIL>\r\n");
    LoadSharedPrefs(shared.file("SharedUserPreferences.xml"));

    EXPECT_EQ(RecallSubmitter().Name, "");
    const CabrilloOutcome o = RememberSubmitter({" Pat Doe ", "1 Main St ", " Springfield", "pat@example.com ", " TCC "});
    ASSERT_TRUE(o.Ok()) << o.Error.toStdString();

    const CabrilloSubmitter s = RecallSubmitter();
    EXPECT_EQ(s.Name, "Pat Doe");
    EXPECT_EQ(s.AddressLine1, "1 Main St");
    EXPECT_EQ(s.AddressLine2, "Springfield");
    EXPECT_EQ(s.EMail, "pat@example.com");
    EXPECT_EQ(s.Club, "TCC");
    EXPECT_EQ(Fakes().registry.values.value("Q7BZW_Software/Settings/UserClubName"), "TCC");
    EXPECT_EQ(shared.read("SharedUserPreferences.xml"),
              CrLfLines({"<?xml version=\"1.0\" encoding=\"UTF-8\" ?>", "<OWN_CALL>K1TY</OWN_CALL>",
                         "<OWN_EMAIL>pat@example.com</OWN_EMAIL>", "<OWN_ADDRESS_NAME>Pat Doe</OWN_ADDRESS_NAME>",
                         "<OWN_ADDRESS_LINE1>1 Main St</OWN_ADDRESS_LINE1>",
                         "<OWN_ADDRESS_LINE2>Springfield</OWN_ADDRESS_LINE2>", "<OWN_CLUB_NAME>TCC</OWN_CLUB_NAME>"}));
}

TEST(CabrilloSubmitter, PreferencesThatCannotBeWrittenAreReported) {
    ScratchFolder shared;
    LoadSharedPrefs(shared.file("missing/SharedUserPreferences.xml"));
    const CabrilloOutcome o = RememberSubmitter({"Pat Doe", "", "", "", "TCC"});
    EXPECT_EQ(o.Status, CabrilloStatus::StoreFailed);
    EXPECT_FALSE(o.Error.isEmpty());
}

// Start-up leaves a shared preferences file it could not read alone (no path): the values are kept in
// the registry and in memory, and nothing is reported.
TEST(CabrilloSubmitter, AnUnreadSharedPreferencesFileIsLeftAlone) {
    SharedPrefs.SharedPrefsPath.clear();
    SharedPrefs.SharedPrefsText = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";
    const CabrilloOutcome o = RememberSubmitter({"Pat Doe", "", "", "", "TCC"});
    ASSERT_TRUE(o.Ok()) << o.Error.toStdString();
    EXPECT_EQ(RecallSubmitter().Club, "TCC");
    EXPECT_TRUE(SharedPrefs.SharedPrefsText.endsWith("<OWN_CLUB_NAME>TCC</OWN_CLUB_NAME>"));
}

} // namespace
