// The ADIF export: the record rules on their own, then the whole export with its questions, its save
// dialog and the file it writes, byte for byte.
#include "logstore/AdifExport.h"
#include "core/ProcessState.h"
#include "fuzz/AdifReader.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QMap>
#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QByteArray& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

using namespace tylog;
using namespace tylog::testing;

namespace {

ContactRecord contact(const char* call, const char* spc, const char* county) {
    ContactRecord r;
    r.Call = call;
    r.Spc = spc;
    r.County = county;
    r.SerialSent = "001";
    r.SerialRcvd = "5";
    r.Date = "2013/09/15";
    r.Time = "14:01:02";
    r.Mode = "PH";
    r.Band = "20";
    r.Frequency = "14.250";
    return r;
}

const std::vector<AdifCountry> kCountries = {{"Canada", 1}, {"Hawaii", 110}, {"Japan", 339}, {"USA", 291}, {"Alaska", 6}};

QByteArray record(const ContactRecord& r, const QString& power = QString(), const QString& comment = QString()) {
    return AdifRecord(r, kCountries, power, comment, "TY");
}

// Country, state and continent by the St/Prv/Country field, the call and the county.
TEST(AdifRecord, CountryStateAndContinent) {
    struct Case { ContactRecord r; const char* fromLine2; };
    const Case cases[] = {
        // An out-of-state window's contact: the host state and its county.
        {contact("W1AW", "", "Larkmoor"), "<Time_On:4>1401 <DXCC:3>291 <State:2>TY <Cnty:11>TY,Larkmoor <Cont:2>NA <eor>"},
        {contact("VE3ABC", "ON", ""), "<Time_On:4>1401 <DXCC:1>1 <eor>"},
        {contact("KH6XX", "HI", ""), "<Time_On:4>1401 <DXCC:3>110 <State:2>HI <Cont:2>NA <eor>"},
        {contact("KL7XX", "AK", ""), "<Time_On:4>1401 <DXCC:1>6 <State:2>AK <Cont:2>NA <eor>"},
        {contact("JA1ABC", "Japan", ""), "<Time_On:4>1401 <DXCC:3>339 <eor>"},
        {contact("K1ABC", "ON", ""), "<Time_On:4>1401 <DXCC:3>291 <State:2>ON <Cont:2>NA <eor>"},
        {contact("N1ABC", "ONT", ""), "<Time_On:4>1401 <DXCC:3>291 <State:2>ON <Cont:2>NA <eor>"},
        {contact("XX9XX", "Atlantis", ""), "<Time_On:4>1401 <eor>"}, // no row: no DXCC field
        // A host-state county makes the station a US one whatever the call.
        {contact("VE3ABC", "", "Lowater"), "<Time_On:4>1401 <DXCC:3>291 <State:2>TY <Cnty:10>TY,Lowater <Cont:2>NA <eor>"},
        {contact("k1abc", "MA", ""), "<Time_On:4>1401 <DXCC:1>1 <eor>"}, // the call's letter is compared exactly
    };
    for (const Case& c : cases) {
        const QByteArray out = record(c.r);
        const QByteArray head = "<Call:" + QByteArray::number(c.r.Call.size()) + ">" + c.r.Call.toLatin1() +
                                " <Qso_Date:8:d>20130915 <Band:3>20M <Freq:6>14.250 <Mode:3>SSB\r\n";
        EXPECT_EQ(out, head + c.fromLine2 + "\r\n\r\n") << c.r.Call.toStdString() << " " << c.r.Spc.toStdString();
    }
}

TEST(AdifRecord, TheFieldsOfTheFirstLine) {
    struct Case { const char* band; const char* mode; const char* freq; const char* date; const char* line1; };
    const Case cases[] = {
        {"70", "CW", "432.100", "2013/09/15", "<Call:4>W1AW <Qso_Date:8:d>20130915 <Band:4>70cm <Freq:7>432.100 <Mode:2>CW\r\n"},
        {"1.25", "DG", "", "2013/09/15", "<Call:4>W1AW <Qso_Date:8:d>20130915 <Band:5>1.25M <Mode:2>DG\r\n"},
        {"160", "cw", " 1.830 ", "2013-9-15", "<Call:4>W1AW <Qso_Date:8:d>20130915 <Band:4>160M <Freq:5>1.830 <Mode:2>CW\r\n"},
        {"2", "PH", "", "2013/13/45", "<Call:4>W1AW <Band:2>2M <Mode:3>SSB\r\n"},
        {"", "ph", "", "", "<Call:4>W1AW <Mode:2>PH\r\n"},
    };
    for (const Case& c : cases) {
        ContactRecord r = contact("W1AW", "", "");
        r.Band = c.band;
        r.Mode = c.mode;
        r.Frequency = c.freq;
        r.Date = c.date;
        EXPECT_TRUE(record(r).startsWith(c.line1)) << record(r).toStdString();
    }
    // Without a mode the first line does not end there.
    ContactRecord r = contact("W1AW", "", "");
    r.Mode.clear();
    r.Call.clear();
    EXPECT_EQ(record(r), "<Qso_Date:8:d>20130915 <Band:3>20M <Freq:6>14.250 <Time_On:4>1401 <DXCC:1>1 <State:2>TY <eor>\r\n\r\n");
}

TEST(AdifRecord, TimeOnPowerReportsAndComment) {
    struct Case { const char* time; const char* timeOn; };
    const Case times[] = {{"14:01:02", "1401"}, {"14:01", "1401"}, {"9:05", "0905"}, {"", "0000"}, {" 7:3 ", "0073"}};
    for (const Case& c : times) {
        ContactRecord r = contact("VE3ABC", "ON", "");
        r.Time = c.time;
        EXPECT_TRUE(record(r).contains("<Time_On:4>" + QByteArray(c.timeOn) + " ")) << c.time;
    }
    ContactRecord r = contact("VE3ABC", "ON", "");
    r.Time = "-1:00"; // below "0000": no field
    EXPECT_FALSE(record(r).contains("Time_On"));

    r = contact("VE3ABC", "ON", "");
    r.RstRcvd = "59  ";
    r.RstSent = "599";
    EXPECT_EQ(record(r, "100  ", "TY QSO Party"),
              "<Call:6>VE3ABC <Qso_Date:8:d>20130915 <Band:3>20M <Freq:6>14.250 <Mode:3>SSB\r\n"
              "<Tx_Pwr:3>100 <Time_On:4>1401 <DXCC:1>1 <RST_Rcvd:2>59 <RST_Sent:3>599 <Comment:12>TY QSO Party\r\n"
              "<eor>\r\n\r\n");
    EXPECT_TRUE(record(r, "   ").contains("<Tx_Pwr:0> <Time_On:4>"));
}

TEST(AdifExport, HostileValuesCannotChangeTheFilesStructure) {
    // A hand-edited QSOpref.txt may hold anything in the host state, quoted line breaks included.
    const QString host = "T<EOH>\r\n<Call:4>EVIL <eor>";
    ContactRecord r = contact("K1<eor>", "", "Lark<Cnty:1>x");
    r.Spc = "<e";
    r.RstRcvd = "5<EOH>";
    QByteArray bytes = AdifHeader(host, "1.6<", QDateTime(QDate(2013, 9, 15), QTime(14, 0)));
    EXPECT_EQ(bytes.count("\r\n"), 7);
    bytes += AdifRecord(r, kCountries, "<eor>", "a <Comment:2>b", host);
    bytes += AdifRecord(contact("W1AW", "", "Larkmoor"), kCountries, "", "", host);

    const AdifRead read = ReadAdif(bytes);
    ASSERT_TRUE(read.ok) << bytes.toStdString();
    EXPECT_TRUE(read.header.startsWith("Exported from Q7BZW's TEOH>Call:4>EVIL eor> State QSO Party Logging Program 1.6\r\n"));
    ASSERT_EQ(read.records.size(), 2);
    QMap<QByteArray, QByteArray> first;
    for (const AdifField& f : read.records[0]) first[f.name] = f.value;
    EXPECT_EQ(first["CALL"], "K1<eor>");
    EXPECT_EQ(first["CNTY"], "<e,Lark<Cnty:1>x");
    EXPECT_EQ(first["TX_PWR"], "<eor>");
    EXPECT_EQ(first["COMMENT"], "a <Comment:2>b");
    EXPECT_EQ(first["RST_RCVD"], "5<EOH>");
    EXPECT_EQ(read.records[1].first().value, "W1AW");
}

TEST(AdifCountries, ReadFromTheShippedFile) {
    const std::vector<AdifCountry> rows = ReadAdifCountries(ShippedDataFolder() + "/ADIFCnt.txt");
    ASSERT_EQ(rows.size(), 340u);
    EXPECT_EQ(rows[0].Name, "Afghanistan");
    EXPECT_EQ(rows[0].Dxcc, 3);
    auto find = [&](const char* name) {
        for (const AdifCountry& c : rows)
            if (c.Name == name) return static_cast<int>(c.Dxcc);
        return 0;
    };
    EXPECT_EQ(find("USA"), 291);
    EXPECT_EQ(find("Canada"), 1);
    EXPECT_EQ(find("Hawaii"), 110);
    EXPECT_EQ(find("Alaska"), 6);
}

// ---- The whole export ----------------------------------------------------------------------------

class AdifExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        Folders.ProgramFolder = folder.path();
        Folders.DataFolder = folder.file("data");
        Folders.SharedFolder = folder.file("shared");
        QDir().mkpath(Folders.DataFolder);
        QDir().mkpath(Folders.SharedFolder);
        folder.copyShipped("ADIFCnt.txt");
        Station.HostState = "TY";
        tylog::Run.ProgramVersion = "1.6";
        Fakes().clock.Set(QDateTime(QDate(2013, 9, 16), QTime(8, 30, 5)), 5);
        ContactLog.Count = 0;
    }

    void add(const ContactRecord& r) { ContactLog.Rec[static_cast<size_t>(++ContactLog.Count)] = r; }

    // Answers the two questions and the save dialog.
    void script(const QString& power, const QString& comment, const QString& saveAs) {
        Fakes().dialogs.AnswerInput(power);
        Fakes().dialogs.AnswerInput(comment);
        Fakes().dialogs.AnswerSave(saveAs);
    }

    QString out() const { return folder.file("data/TY.adi"); }

    static QByteArray header() {
        return "Exported from Q7BZW's TY State QSO Party Logging Program 1.6\r\n"
               "Written by Orrin Brenner\r\n"
               "www.q7bzw-software.example    q7bzw@q7bzw-software.example\r\n"
               "Log exported on: 2013/09/16 08:30:05\r\n"
               "\r\n"
               "<EOH>\r\n"
               "\r\n";
    }

    ScratchFolder folder;
};

TEST_F(AdifExportTest, WritesASampleLogByteForByte) {
    add(contact("N0CALL", "", "Larkmoor"));
    ContactRecord cw = contact("K1ABC/M", "", "Cedar Hollow");
    cw.Mode = "CW";
    cw.Band = "40";
    cw.Frequency = "7.025";
    cw.Time = "23:59";
    add(cw);
    ContactRecord dg = contact("VE3XYZ", "", "Lowater");
    dg.Mode = "DG";
    dg.Band = "6";
    dg.Frequency = "";
    dg.Date = "2013/09/16";
    dg.Time = "00:00:59";
    add(dg);
    script("100", "TY State QSO Party Contest", out());
    Fakes().dialogs.AnswerMsgBox(vbOK);
    ExportADIF();

    const QByteArray expected =
        header() +
        "<Call:6>N0CALL <Qso_Date:8:d>20130915 <Band:3>20M <Freq:6>14.250 <Mode:3>SSB\r\n"
        "<Tx_Pwr:3>100 <Time_On:4>1401 <DXCC:3>291 <State:2>TY <Cnty:11>TY,Larkmoor <Cont:2>NA "
        "<Comment:26>TY State QSO Party Contest\r\n"
        "<eor>\r\n"
        "\r\n"
        "<Call:7>K1ABC/M <Qso_Date:8:d>20130915 <Band:3>40M <Freq:5>7.025 <Mode:2>CW\r\n"
        "<Tx_Pwr:3>100 <Time_On:4>2359 <DXCC:3>291 <State:2>TY <Cnty:15>TY,Cedar Hollow <Cont:2>NA "
        "<Comment:26>TY State QSO Party Contest\r\n"
        "<eor>\r\n"
        "\r\n"
        "<Call:6>VE3XYZ <Qso_Date:8:d>20130916 <Band:2>6M <Mode:2>DG\r\n"
        "<Tx_Pwr:3>100 <Time_On:4>0000 <DXCC:3>291 <State:2>TY <Cnty:10>TY,Lowater <Cont:2>NA "
        "<Comment:26>TY State QSO Party Contest\r\n"
        "<eor>\r\n"
        "\r\n";
    EXPECT_EQ(folder.read("data/TY.adi"), expected);

    const auto& shown = Fakes().dialogs.shown;
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(shown[0].title, "Please enter your transmitter output power.");
    EXPECT_EQ(shown[0].defaultText, "100");
    EXPECT_TRUE(shown[0].prompt.startsWith("Please enter the power value that you would like to record.  "));
    EXPECT_EQ(shown[1].title, "Please enter a comment.");
    EXPECT_EQ(shown[1].defaultText, "TY State QSO Party Contest");
    EXPECT_EQ(shown[2].kind, ScriptedDialogs::Kind::Save);
    EXPECT_EQ(shown[2].file.InitDir, Folders.DataFolder);
    EXPECT_EQ(shown[2].file.FileName, Folders.DataFolder + "/TY.adi");
    EXPECT_EQ(shown[2].file.Filter, "ADIF Files (*.adi) | *.adi");
    EXPECT_EQ(shown[3].title, "File Written Successfully.");
    EXPECT_EQ(shown[3].prompt, "The file was successfully written to the directory:\r\n\r\n" + out() + ".");
    EXPECT_EQ(shown[3].buttons, vbOKOnly);
}

TEST_F(AdifExportTest, AnEmptyLogAndCancelledQuestions) {
    script("", "", out());
    Fakes().dialogs.AnswerMsgBox(vbOK);
    ExportADIF();
    EXPECT_EQ(folder.read("data/TY.adi"), header());

    // Cancelled questions: no power and no comment field; the record's second line ends with <eor>.
    add(contact("W1AW", "", "Larkmoor"));
    script("", "", out());
    Fakes().dialogs.AnswerMsgBox(vbOK);
    ExportADIF();
    EXPECT_EQ(folder.read("data/TY.adi"),
              header() + "<Call:4>W1AW <Qso_Date:8:d>20130915 <Band:3>20M <Freq:6>14.250 <Mode:3>SSB\r\n"
                         "<Time_On:4>1401 <DXCC:3>291 <State:2>TY <Cnty:11>TY,Larkmoor <Cont:2>NA <eor>\r\n\r\n");
}

TEST_F(AdifExportTest, CancelInTheSaveDialogWritesNothing) {
    add(contact("W1AW", "", "Larkmoor"));
    script("100", "x", QString());
    ExportADIF();
    EXPECT_FALSE(folder.exists("data/TY.adi"));
    EXPECT_EQ(Fakes().dialogs.shown.size(), 3) << "no message after Cancel";
    EXPECT_EQ(Fakes().dialogs.beeps, 0);
}

// The shared folder's country table comes first, then the data folder's, then the program folder's.
TEST_F(AdifExportTest, TheCountryTableIsLookedUpInThreeFolders) {
    add(contact("W1AW", "", "Larkmoor"));
    folder.write("data/adifcnt.TXT", "\"USA\",500\r\n");
    folder.write("shared/ADIFCnt.txt", "\"USA\",600\r\n");
    for (const char* expected : {"<DXCC:3>600", "<DXCC:3>500", "<DXCC:3>291"}) {
        script("", "", out());
        Fakes().dialogs.AnswerMsgBox(vbOK);
        ExportADIF();
        EXPECT_TRUE(folder.read("data/TY.adi").contains(expected)) << expected;
        QFile::remove(folder.file("shared/ADIFCnt.txt"));
        if (QString(expected).contains("500")) QFile::remove(folder.file("data/adifcnt.TXT"));
    }
}

// Failures beep and show their description under "Unable to write file."; the success message comes
// only after a file that was written whole.
TEST_F(AdifExportTest, FailuresAreReportedAndNeverCalledSuccess) {
    add(contact("W1AW", "", "Larkmoor"));
    struct Case { const char* what; std::function<void()> arrange; QString target; bool dialog; };
    QByteArray tooMany;
    for (int i = 0; i < 1001; ++i) tooMany += "\"C" + QByteArray::number(i) + "\"," + QByteArray::number(i) + "\r\n";
    const Case cases[] = {
        {"no country table", [&] { QFile::remove(folder.file("ADIFCnt.txt")); }, out(), false},
        {"1001 rows", [&] { folder.write("ADIFCnt.txt", tooMany); }, out(), false},
        {"a number out of range", [&] { folder.write("ADIFCnt.txt", "\"USA\",40000\r\n"); }, out(), false},
        {"no such folder", [&] { folder.copyShipped("ADIFCnt.txt"); }, folder.file("missing/TY.adi"), true},
        {"a folder in the way", [&] { QDir().mkpath(folder.file("data/dir.adi")); }, folder.file("data/dir.adi"), true},
    };
    for (const Case& c : cases) {
        c.arrange();
        Fakes().dialogs.shown.clear();
        Fakes().dialogs.beeps = 0;
        Fakes().dialogs.AnswerInput("100");
        Fakes().dialogs.AnswerInput("");
        if (c.dialog) Fakes().dialogs.AnswerSave(c.target);
        Fakes().dialogs.AnswerMsgBox(vbOK);
        ExportADIF();
        ASSERT_FALSE(Fakes().dialogs.shown.isEmpty()) << c.what;
        EXPECT_EQ(Fakes().dialogs.shown.back().title, "Unable to write file.") << c.what;
        EXPECT_EQ(Fakes().dialogs.beeps, 1) << c.what;
        for (const auto& d : Fakes().dialogs.shown) EXPECT_NE(d.title, "File Written Successfully.") << c.what;
        EXPECT_FALSE(Fakes().dialogs.Unanswered()) << c.what;
    }
    EXPECT_FALSE(folder.exists("data/TY.adi"));
}

} // namespace
