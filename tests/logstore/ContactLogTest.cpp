#include "logstore/ContactLog.h"
#include "logstore/LogArchive.h"
#include "core/ProcessState.h"
#include "platform/ValueFile.h"
#include "platform/VbError.h"
#include "tests/app/FileSizeLimit.h"
#include "tests/support/FailingCalls.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

using namespace tylog;
using namespace tylog::testing;

namespace {

ContactRecord Contact(int i) {
    ContactRecord r;
    r.Call = QString("K%1ABC").arg(i);
    r.County = "Larkmoor";
    r.SerialSent = QString::number(i);
    r.Date = "2013/09/15";
    r.Time = "14:01:02";
    r.Mode = "PH";
    r.Band = "20";
    r.SerialRcvd = "7";
    r.Frequency = "14.250";
    return r;
}

QByteArray Lines(int from, int to) {
    QByteArray out;
    for (int i = from; i <= to; ++i) out += LogLine(Contact(i));
    return out;
}

QStringList Calls() {
    QStringList calls;
    for (int i = 1; i <= ContactLog.Count; ++i) calls << ContactLog.Rec[i].Call;
    return calls;
}

bool SlotEmpty(int i) {
    const ContactRecord& r = ContactLog.Rec[i];
    return r.Call.isEmpty() && r.County.isEmpty() && r.Spare8.isEmpty() && r.Frequency.isEmpty() && r.Spare16 == 0;
}

class ContactLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        Folders.ProgramFolder = dir.path();
        Folders.DataFolder = dir.file("Tessaly");
        Folders.BackupFolder = Folders.DataFolder + "/BACKUP";
        QDir().mkpath(Folders.DataFolder);
    }
    QByteArray log() const { return dir.read("log.txt"); }
    void loadLines(int n) {
        dir.write("log.txt", Lines(1, n));
        ASSERT_TRUE(LoadLog());
    }
    QStringList backups() const { return QDir(Folders.BackupFolder).entryList(QDir::Files); }

    ScratchFolder dir;
    ScriptedDialogs& dialogs = Fakes().dialogs;
};

} // namespace

TEST(LogLine, WritesTheFileFormAndDropsWhatCannotBeStored) {
    ContactRecord r;
    r.Call = "N0CALL";
    r.County = "Larkmoor";
    r.SerialSent = "12";
    r.Date = "2013/09/15";
    r.Time = "14:01:02";
    r.Mode = "PH";
    r.Band = "20";
    r.SerialRcvd = "7";
    r.Frequency = "14.250";
    EXPECT_EQ(LogLine(r), QByteArray("\"N0CALL\",\"\",\"\",\"\",\"Larkmoor\",\"\",\"\",\"\",\"\",\"\",\"12\","
                                     "\"2013/09/15\",\"14:01:02\",\"PH\",\"20\",0,\"\",\"\",\"7\",\"14.250\"\r\n"));

    r.County = "Lark\"moor\r\n";
    r.Spare18 = "a\nb";
    EXPECT_EQ(LogLine(r), QByteArray("\"N0CALL\",\"\",\"\",\"\",\"Larkmoor\",\"\",\"\",\"\",\"\",\"\",\"12\","
                                     "\"2013/09/15\",\"14:01:02\",\"PH\",\"20\",0,\"\",\"ab\",\"7\",\"14.250\"\r\n"));
}

TEST_F(ContactLogTest, SavingALoadedLogGivesTheSameBytes) {
    ContactRecord full = Contact(1);
    full.RstSent = "599";
    full.RstRcvd = "579";
    full.State = "TY";
    full.SentCounty = "Ashcombe";
    full.Spare8 = "s8";
    full.Spare9 = "s, 9";
    full.Spare10 = " lead";
    full.Spare16 = 2.5;
    full.Spare17 = "s17";
    full.Spare18 = QString::fromUtf8("caf\u00e9 \u0081\u008d\u008f\u0090\u009d"); // unassigned in Windows-1252
    const QByteArray bytes = LogLine(full) + Lines(2, 3);
    dir.write("log.txt", bytes);

    ASSERT_TRUE(LoadLog());
    EXPECT_EQ(ContactLog.Count, 3);
    EXPECT_EQ(ContactLog.Rec[1].Spare9, "s, 9");
    EXPECT_EQ(ContactLog.Rec[1].Spare10, " lead");
    EXPECT_EQ(ContactLog.Rec[1].Spare16, 2.5);
    EXPECT_EQ(ContactLog.Rec[1].Spare18, QString::fromUtf8("caf\u00e9 \u0081\u008d\u008f\u0090\u009d"));
    EXPECT_TRUE(bytes.contains("caf\xE9 \x81\x8D\x8F\x90\x9D"));

    SaveLog();
    EXPECT_EQ(log(), bytes);
}

TEST_F(ContactLogTest, LoadAcceptsTheReadersFormsAndRefusesBrokenFiles) {
    QByteArray split = LogLine(Contact(1));
    split.replace("\"Larkmoor\",", "\"Larkmoor\"\r\n");
    QByteArray oneLine = Lines(1, 1);
    oneLine.chop(2);
    oneLine += "," + Lines(2, 2);
    QByteArray noFinalCrLf = Lines(1, 1);
    noFinalCrLf.chop(2);
    const QByteArray unquoted = "N0CALL,,,,Larkmoor,,,,,,12,2013/09/15,14:01:02,PH,20,0,,,7,14.250\r\n";
    QByteArray nonNumeric = LogLine(Contact(1));
    nonNumeric.replace("\"20\",0,", "\"20\",abc,");
    QByteArray shortLine = LogLine(Contact(2));
    shortLine.replace(",\"14.250\"", ""); // 19 values on a line of its own
    const QString file = QDir::toNativeSeparators(dir.file("log.txt"));

    struct Case {
        const char* name;
        std::optional<QByteArray> file;
        int count; // -1: the load fails
        int countAfterFailure = 0;
        QString message = {}; // after "Error opening file.", CR LF, CR LF
    };
    const Case cases[] = {
        {"missing", std::nullopt, -1, 0, "File not found (" + file + ")"},
        {"empty", QByteArray(), 0},
        {"11000 records", Lines(1, 11000), 11000},
        {"11000 records and a blank line", Lines(1, 11000) + "\r\n", 11000},
        {"blank lines, trailing blanks and a ^Z after the last record", Lines(1, 2) + "\r\n  \t\r\n\r\n\x1A", 2},
        {"a ^Z end mark only", "\x1A", 0},
        {"record split over two lines", split, 1},
        {"two records on one line", oneLine, 2},
        {"last line without CR LF", noFinalCrLf, 1},
        {"unquoted values", unquoted, 1},
        {"non-numeric field 16", nonNumeric, 1},
        {"11001 records", Lines(1, 11001), -1, 11000,
         file + " cannot be read as a contact log (it holds more than 11000 contacts, more than one log can hold: "
                "the 11001st starts on line 11001)."},
        {"a line short of values before the end", Lines(1, 1) + shortLine, -1, 1,
         file + " cannot be read as a contact log (the contact that starts on line 2 is not whole: the file ends "
                "before its 20th value)."},
        // The blank line is a value: the values after it shift, and the last record runs out mid-line.
        {"a blank line between records", Lines(1, 1) + "\r\n" + Lines(2, 2), -1, 2,
         file + " cannot be read as a contact log (the contact that starts on line 3 is not whole: the file ends "
                "before its 20th value)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(dir.file("log.txt"));
        if (c.file) dir.write("log.txt", *c.file);
        ContactLog.Rec[11000].Call = "stale"; // whatever a load leaves above Count must be empty
        dialogs.Reset();
        Fakes().end.ended = 0;
        if (c.count < 0) dialogs.AnswerMsgBox(vbOK);

        const bool ok = LoadLog();

        if (c.count >= 0) {
            EXPECT_TRUE(ok);
            EXPECT_TRUE(ContactLog.Loaded);
            EXPECT_EQ(ContactLog.Count, c.count);
            EXPECT_TRUE(dialogs.shown.isEmpty());
            EXPECT_EQ(Fakes().end.ended, 0);
            EXPECT_EQ(CheckLogBytes(*c.file), c.count);
        } else {
            EXPECT_FALSE(ok);
            EXPECT_FALSE(ContactLog.Loaded);
            EXPECT_EQ(ContactLog.Count, c.countAfterFailure);
            ASSERT_EQ(dialogs.shown.size(), 1);
            EXPECT_EQ(dialogs.shown[0].prompt, "Error opening file.\r\n\r\n" + c.message);
            EXPECT_EQ(dialogs.shown[0].title, "File Error");
            EXPECT_EQ(dialogs.shown[0].buttons, vbOKOnly);
            EXPECT_EQ(Fakes().end.ended, 1);
            EXPECT_EQ(dir.exists("log.txt"), c.file.has_value());
            if (c.file) { EXPECT_EQ(log(), *c.file); }
            EXPECT_TRUE(backups().isEmpty());
        }
        if (ContactLog.Count < ContactLogData::Capacity) { EXPECT_TRUE(SlotEmpty(ContactLog.Count + 1)); }
        EXPECT_TRUE(SlotEmpty(11000) || ContactLog.Count == 11000);
    }

    // The forms the writer never produces read back as the writer's own.
    dir.write("log.txt", split);
    ASSERT_TRUE(LoadLog());
    EXPECT_EQ(LogLine(ContactLog.Rec[1]), LogLine(Contact(1)));
    dir.write("log.txt", unquoted);
    ASSERT_TRUE(LoadLog());
    EXPECT_EQ(ContactLog.Rec[1].Call, "N0CALL");
    EXPECT_EQ(ContactLog.Rec[1].SerialSent, "12");
    EXPECT_EQ(ContactLog.Rec[1].Frequency, "14.250");
    dir.write("log.txt", nonNumeric);
    ASSERT_TRUE(LoadLog());
    EXPECT_EQ(ContactLog.Rec[1].Spare16, 0.0);
    SaveLog();
    EXPECT_EQ(log(), LogLine(Contact(1)));
}

// A power cut while a contact was written, or a copy broken off, leaves a last line cut short: the
// whole file goes into BACKUP first, then the operator chooses.
TEST_F(ContactLogTest, ACutLastLineIsCopiedThenSetAsideOnlyWhenTheOperatorSaysSo) {
    QByteArray cutMidValue = Lines(1, 2) + LogLine(Contact(3));
    cutMidValue.chop(QByteArray(",\"14.250\"\r\n").size());
    const QByteArray cuts[] = {cutMidValue, Lines(1, 2) + "\"K3A", Lines(1, 2) + QByteArray(40, '\0')};
    const QString file = QDir::toNativeSeparators(dir.file("log.txt"));
    for (const QByteArray& cut : cuts) {
        for (int answer : {vbNo, vbYes}) {
            SCOPED_TRACE(answer == vbYes ? "Yes" : "No");
            QDir(Folders.BackupFolder).removeRecursively();
            loadLines(1);
            dir.write("log.txt", cut);
            dialogs.Reset();
            Fakes().end.ended = 0;
            dialogs.AnswerMsgBox(answer);

            const bool ok = LoadLog();

            ASSERT_EQ(backups().size(), 1);
            EXPECT_EQ(QFile(Folders.BackupFolder + "/" + backups()[0]).size(), cut.size());
            ASSERT_EQ(dialogs.shown.size(), 1);
            const QString& prompt = dialogs.shown[0].prompt;
            EXPECT_TRUE(prompt.startsWith(file + " cannot be read as a contact log: line 3, the last, is cut short: "
                                                 "the file ends in the middle of a contact."))
                << prompt.toStdString();
            EXPECT_TRUE(prompt.contains(QDir::toNativeSeparators(Folders.BackupFolder + "/" + backups()[0])));
            EXPECT_TRUE(prompt.contains("The log keeps its 2 whole contacts"));
            EXPECT_EQ(dialogs.shown[0].buttons, vbYesNo | vbExclamation);
            if (answer == vbNo) {
                EXPECT_FALSE(ok);
                EXPECT_EQ(Fakes().end.ended, 1);
                EXPECT_EQ(log(), cut);
                continue;
            }
            EXPECT_TRUE(ok);
            EXPECT_EQ(Fakes().end.ended, 0);
            EXPECT_EQ(log(), Lines(1, 2));
            EXPECT_EQ(Calls(), (QStringList{"K1ABC", "K2ABC"}));
            EXPECT_TRUE(SlotEmpty(3));
            ContactLog.Rec[3] = Contact(3);
            ContactLog.Count = 3;
            AppendLastContact();
            EXPECT_EQ(log(), Lines(1, 3));
        }
    }

    // No copy, no change: a cut line that cannot be backed up stays where it is.
    dir.write("log.txt", cutMidValue);
    QDir(Folders.BackupFolder).removeRecursively();
    Folders.DataFolder = dir.file("no such folder");
    Folders.BackupFolder = dir.file("no such folder/BACKUP");
    dialogs.Reset();
    dialogs.AnswerMsgBox(vbOK);
    EXPECT_FALSE(LoadLog());
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].prompt.contains("No copy of it could be made in BACKUP")) << dialogs.shown[0].prompt.toStdString();
    EXPECT_EQ(log(), cutMidValue);
}

TEST_F(ContactLogTest, LoadReadsEveryValueAsTheValueReaderDoes) {
    // Values and separators the store never writes but a hand-edited or foreign file may hold.
    const QByteArray texts[] = {"\"a, b\"", "  \"lead\"", "\t\"tab\"", "\"x\"junk", "bare text  ", "\xA0nbsp\xA0",
                                "\vvt\f", "\"\x80\x93q\"", "\x80 bare \x93", "\"\"", "", "\"caf\xE9\"", "7",
                                "\"K1ABC\"", "\"20\"", "\x1C"};
    const QByteArray numbers[] = {"0", " 5 ", "1.5E+07", "-.5", "\"7\"", "abc", "", "\"\""};
    const QByteArray separators[] = {",", "\r\n", "\n", "\r", ","};
    QByteArray file;
    int t = 0, sep = 0;
    for (int record = 0; record < 24; ++record) {
        for (int field = 1; field <= 20; ++field) {
            file += field == 16 ? numbers[record % std::size(numbers)] : texts[t++ % std::size(texts)];
            file += separators[sep++ % std::size(separators)];
        }
    }

    auto expected = [](const QByteArray& bytes) {
        std::vector<ContactRecord> records;
        ValueReader r = ValueReader::FromBytes(bytes);
        while (!r.AtEnd()) {
            ContactRecord c;
            for (QString* f : {&c.Call, &c.RstSent, &c.RstRcvd, &c.Spc, &c.County, &c.State, &c.SentCounty, &c.Spare8,
                               &c.Spare9, &c.Spare10, &c.SerialSent, &c.Date, &c.Time, &c.Mode, &c.Band})
                *f = r.ReadText();
            c.Spare16 = r.ReadDoubleOrZero();
            for (QString* f : {&c.Spare17, &c.Spare18, &c.SerialRcvd, &c.Frequency}) *f = r.ReadText();
            records.push_back(c);
        }
        return records;
    };
    QByteArray shifted = file;
    shifted.remove(0, 7); // every value one place on: a reload that changes each field

    // Slots no load has filled (as at start) are read another way than slots a reload reads over.
    ContactLog = ContactLogData();

    auto loadsAsTheReaderReads = [&](const QByteArray& bytes) {
        QByteArray complete = bytes;
        ValueReader counter = ValueReader::FromBytes(complete);
        int values = 0;
        while (!counter.AtEnd()) counter.ReadText(), ++values;
        for (int pad = 20 - values % 20; pad > 0; --pad) complete += "\"pad\",";
        complete.chop(2); // the last value's closing quote is missing: it runs to the end
        dir.write("log.txt", complete);
        ASSERT_TRUE(LoadLog());
        const std::vector<ContactRecord> want = expected(complete);
        ASSERT_EQ(ContactLog.Count, static_cast<int>(want.size()));
        for (int i = 1; i <= ContactLog.Count; ++i)
            ASSERT_EQ(LogLine(ContactLog.Rec[i]), LogLine(want[i - 1])) << "record " << i;
    };
    for (const QByteArray& bytes : {file, file, shifted}) {
        SCOPED_TRACE(bytes.size());
        loadsAsTheReaderReads(bytes);
    }
    // Quotes are found 64 bytes at a time: every quote of the file at every place in such a block,
    // read into fresh slots and over loaded ones.
    for (int widen = 1; widen < 64; ++widen) {
        SCOPED_TRACE(widen);
        if (widen % 2 == 0) ContactLog = ContactLogData();
        loadsAsTheReaderReads(QByteArray(file).insert(1, QByteArray(widen, 'w')));
    }
}

TEST_F(ContactLogTest, TheFieldsOfAFirstLoadAreStringsOfTheirOwn) {
    // A first load gives each record's texts one block between them: each must still end where its text
    // does, change alone, and outlive its record.
    ContactLog = ContactLogData();
    dir.write("log.txt", Lines(1, 3) + "\"K4ABC\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",0,\"\",\"\",\"\",\"7.0\"");
    ASSERT_TRUE(LoadLog());
    ASSERT_EQ(ContactLog.Count, 4);
    ContactRecord& r = ContactLog.Rec[2];
    for (const ContactRecord& each : {r, ContactLog.Rec[4]})
        for (const QString* f : {&each.Call, &each.County, &each.Date, &each.Time, &each.Frequency})
            if (!f->isEmpty()) {
                EXPECT_EQ(f->utf16()[f->size()], 0) << f->toStdString();
            }
    EXPECT_EQ(ContactLog.Rec[4].Frequency, "7.0"); // the file's last value, with no line end after it

    const QString call = r.Call;
    r.Call += "/M";
    r.Date.replace(0, 4, "2014");
    r.Time.chop(3);
    r.County.prepend("North ");
    EXPECT_EQ(call, "K2ABC");
    EXPECT_EQ(r.Call, "K2ABC/M");
    EXPECT_EQ(r.Date, "2014/09/15");
    EXPECT_EQ(r.Time, "14:01");
    EXPECT_EQ(r.County, "North Larkmoor");
    EXPECT_EQ(LogLine(ContactLog.Rec[2]).mid(LogLine(ContactLog.Rec[2]).indexOf("\"2\"")),
              "\"2\",\"2014/09/15\",\"14:01\",\"PH\",\"20\",0,\"\",\"\",\"7\",\"14.250\"\r\n");

    QString kept = ContactLog.Rec[3].Frequency;
    ContactLog = ContactLogData();
    kept += QString(40, u'0');
    kept.prepend(u'+');
    EXPECT_EQ(kept, "+14.250" + QString(40, u'0'));
}

TEST_F(ContactLogTest, LoadResetsTheScoreAndTakesTheFirstNonEmptyCountAsBaseline) {
    tylog::Run.QsoPoints = 12;
    tylog::Run.MultiplierCount = 4;
    tylog::Run.DXWorkedCount.fill(9);
    for (auto& row : tylog::Run.MultiplierGrid) row.fill(1);

    dir.write("log.txt", {});
    ASSERT_TRUE(LoadLog());
    EXPECT_EQ(tylog::Run.BackupBaselineCount, 0);
    EXPECT_EQ(tylog::Run.QsoPoints, 0);
    EXPECT_EQ(tylog::Run.MultiplierCount, 0);
    EXPECT_EQ(tylog::Run.DXWorkedCount[0], 9);
    for (int i = 1; i <= 7; ++i) EXPECT_EQ(tylog::Run.DXWorkedCount[i], 0);
    for (int r = 0; r <= 8; ++r)
        for (int c = 0; c <= 100; ++c) ASSERT_EQ(tylog::Run.MultiplierGrid[r][c], (r == 0 || c == 0) ? 1 : 0) << r << "," << c;

    loadLines(3);
    EXPECT_EQ(tylog::Run.BackupBaselineCount, 3);
    loadLines(5);
    EXPECT_EQ(tylog::Run.BackupBaselineCount, 3);
}

TEST_F(ContactLogTest, ALoadThatFailedOrNeverRanLeavesTheFileToItself) {
    const std::pair<const char*, std::function<void()>> writers[] = {
        {"SaveLog", [] { SaveLog(); }},
        {"DeleteContact", [] { DeleteContact(1); }},
        {"AppendLastContact", [] { AppendLastContact(); }},
    };
    const QByteArray bytes = Lines(1, 3);
    dir.write("log.txt", bytes);
    ContactLog.Count = 3;
    ContactLog.Rec[3] = Contact(3);
    for (const auto& [name, write] : writers) {
        SCOPED_TRACE(name);
        EXPECT_THROW(write(), VbError);
        EXPECT_EQ(log(), bytes);
    }

    QByteArray cut = bytes;
    cut.chop(QByteArray(",\"14.250\"\r\n").size());
    dir.write("log.txt", cut);
    dialogs.AnswerMsgBox(vbNo); // the cut line stays
    ASSERT_FALSE(LoadLog());
    ContactLog.Count = 2;
    for (const auto& [name, write] : writers) {
        SCOPED_TRACE(name);
        try {
            write();
            ADD_FAILURE() << "no error";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Description, "The log has not been loaded.");
        }
        EXPECT_EQ(log(), cut);
    }
}

TEST_F(ContactLogTest, AppendAddsOneSyncedLineOnALineOfItsOwn) {
    QByteArray first = Lines(1, 1);
    first.chop(2); // a hand-edited file that lost its last line end
    dir.write("log.txt", first);
    ASSERT_TRUE(LoadLog());
    ContactLog.Rec[2] = Contact(2);
    ContactLog.Count = 2;
    AppendLastContact();
    EXPECT_EQ(log(), Lines(1, 2));
    ContactLog.Rec[3] = Contact(3);
    ContactLog.Count = 3;
    AppendLastContact();
    EXPECT_EQ(log(), Lines(1, 3));

    for (int count : {0, -1, 11001}) {
        ContactLog.Count = count;
        EXPECT_THROW(AppendLastContact(), VbError) << count;
    }
    EXPECT_EQ(log(), Lines(1, 3));

    // A write that fails is reported, not taken for done.
    ContactLog.Count = 3;
    {
        FileSizeLimit full(static_cast<rlim_t>(log().size()));
        EXPECT_THROW(AppendLastContact(), VbError);
    }
    EXPECT_EQ(log(), Lines(1, 3));
    // Room for part of the line only: the part written is taken back.
    {
        FileSizeLimit full(static_cast<rlim_t>(log().size() + 10));
        EXPECT_THROW(AppendLastContact(), VbError);
    }
    EXPECT_EQ(log(), Lines(1, 3));

    QFile::remove(dir.file("log.txt"));
    AppendLastContact();
    EXPECT_EQ(log(), Lines(3, 3));
}

TEST_F(ContactLogTest, ALogThatLoadsStaysLoadableAfterTheNextContact) {
    // Last bytes a hand edit, another program or a cut can leave; each loads, so each must take more.
    const QByteArray two = Lines(1, 2);
    auto lastLineEnd = [&](const QByteArray& with) { return two.left(two.size() - 2) + with; };
    QByteArray lfLines = two;
    lfLines.replace("\r\n", "\n");
    QByteArray openQuote = two;
    openQuote.chop(3); // the closing quote of the last value and the line end
    QByteArray openQuoteWithLineEnd = openQuote + "\r\n";
    const std::pair<const char*, QByteArray> cases[] = {
        {"CR LF", two},
        {"LF only on the last line", lastLineEnd("\n")},
        {"LF only throughout", lfLines},
        {"a lone CR", lastLineEnd("\r")},
        {"no line end", lastLineEnd("")},
        {"a final comma", lastLineEnd(",")},
        {"blanks after the closing quote", lastLineEnd(" \t")},
        {"an unclosed last quote", openQuote},
        {"an unclosed last quote over the line end", openQuoteWithLineEnd},
        {"empty", QByteArray()},
        {"a blank line after the last record", two + "\r\n"},
        {"blank lines, blanks and a ^Z after the last record", two + " \r\n\t\r\n\x1A"},
        {"a final comma and a blank line", lastLineEnd(",\r\n\r\n")},
        {"a lone CR and a blank line", lastLineEnd("\r\r\n")},
        {"only a blank line", "\r\n"},
    };
    // What the file held before its end marks stays as it was.
    auto content = [](QByteArray b) {
        while (!b.isEmpty() && QByteArray(" \t\r\n\x1A").contains(b.back())) b.chop(1);
        return b;
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        dir.write("log.txt", bytes);
        ASSERT_TRUE(LoadLog());
        const int before = ContactLog.Count;
        std::vector<QByteArray> loaded;
        for (int i = 1; i <= before; ++i) loaded.push_back(LogLine(ContactLog.Rec[i]));
        // Restore takes exactly what the append can continue.
        dir.write("Tessaly/candidate.log", bytes);
        EXPECT_NO_THROW(RestoreLogFrom(dir.file("Tessaly/candidate.log")));
        EXPECT_EQ(CheckLogBytes(bytes), before);

        for (int added = 1; added <= 2; ++added) {
            ContactLog.Rec[before + added] = Contact(10 + added);
            ContactLog.Count = before + added;
            ASSERT_NO_THROW(AppendLastContact());
            ASSERT_TRUE(LoadLog()) << log().toStdString();
            ASSERT_EQ(ContactLog.Count, before + added);
            for (int i = 1; i <= before; ++i) EXPECT_EQ(LogLine(ContactLog.Rec[i]), loaded[i - 1]) << i;
            for (int i = 1; i <= added; ++i) EXPECT_EQ(LogLine(ContactLog.Rec[before + i]), LogLine(Contact(10 + i)));
        }
        EXPECT_TRUE(log().startsWith(content(bytes)));
        EXPECT_TRUE(log().endsWith(Lines(11, 12)));
    }

    // A file that no longer ends after a complete contact takes nothing, and says why.
    loadLines(2);
    QByteArray cut = Lines(1, 2);
    cut.chop(12);
    dir.write("log.txt", cut);
    ContactLog.Rec[3] = Contact(3);
    ContactLog.Count = 3;
    try {
        AppendLastContact();
        ADD_FAILURE() << "appended";
    } catch (const VbError& e) {
        EXPECT_TRUE(e.Description.contains("does not end after a complete contact")) << e.Description.toStdString();
    }
    EXPECT_EQ(log(), cut);
}

// A reload that finds the bytes it last read (and the lines appended since) keeps the records; any
// other bytes, or records that would not read back as they stand, are read from the file.
TEST_F(ContactLogTest, AReloadAlwaysEndsWithTheRecordsTheFileHolds) {
    auto calls = [](int from, int to) {
        QStringList c;
        for (int i = from; i <= to; ++i) c << Contact(i).Call;
        return c;
    };
    loadLines(3);
    ContactLog.Rec[4] = Contact(4);
    ContactLog.Count = 4;
    AppendLastContact();
    const std::uint64_t revision = ContactLog.Revision;
    ASSERT_TRUE(LoadLog());
    EXPECT_EQ(Calls(), calls(1, 4));
    EXPECT_EQ(ContactLog.Revision, revision);

    // A value the file cannot hold as it stands: the reload takes the file's.
    ContactLog.Rec[5] = Contact(5);
    ContactLog.Rec[5].County = "Lark\"moor ";
    ContactLog.Count = 5;
    AppendLastContact();
    ASSERT_TRUE(LoadLog());
    EXPECT_EQ(ContactLog.Rec[5].County, "Larkmoor ");
    EXPECT_EQ(LogLine(ContactLog.Rec[5]), LogLine(Contact(5)).replace("Larkmoor", "Larkmoor "));

    // Changed by hand to the same size, and cut short: read again.
    QByteArray edited = log();
    edited.replace("K2ABC", "K2XYZ");
    dir.write("log.txt", edited);
    ASSERT_TRUE(LoadLog());
    EXPECT_EQ(ContactLog.Rec[2].Call, "K2XYZ");
    dir.write("log.txt", Lines(1, 2));
    ASSERT_TRUE(LoadLog());
    EXPECT_EQ(Calls(), calls(1, 2));
    EXPECT_TRUE(SlotEmpty(3));

    // After a load that failed, the same bytes as before it are read in full.
    dialogs.AnswerMsgBox(vbNo); // the cut line stays
    dir.write("log.txt", Lines(1, 2) + "\"K9");
    EXPECT_FALSE(LoadLog());
    dir.write("log.txt", Lines(1, 2));
    ASSERT_TRUE(LoadLog());
    EXPECT_EQ(Calls(), calls(1, 2));

    // An edit in place goes out through the rewrite; the reload after it finds the edit.
    ContactLog.Rec[1].Call = "W1NEW";
    SaveLog();
    ASSERT_TRUE(LoadLog());
    EXPECT_EQ(ContactLog.Rec[1].Call, "W1NEW");
}

// Every value of every record as it stands in memory, and the count: what a load left there.
QStringList Loaded() {
    QStringList out{QString::number(ContactLog.Count)};
    for (int i = 1; i <= ContactLog.Count; ++i) {
        const ContactRecord& r = ContactLog.Rec[i];
        out << QStringList{r.Call, r.RstSent, r.RstRcvd, r.Spc, r.County, r.State, r.SentCounty, r.Spare8, r.Spare9,
                           r.Spare10, r.SerialSent, r.Date, r.Time, r.Mode, r.Band, QString::number(r.Spare16, 'g', 17),
                           r.Spare17, r.Spare18, r.SerialRcvd, r.Frequency}
                   .join('|');
    }
    return out;
}

// A reload keeps the records of the last load that the file still begins with and reads on after
// them; whatever the two files, it ends with what a first load of the new one gives.
TEST_F(ContactLogTest, AReloadOverAFileThatBeginsAsTheLastOneGivesWhatAFirstLoadGives) {
    const QByteArray five = Lines(1, 5);
    QByteArray third = five;
    third.replace("K3ABC", "K3XYZ");
    QByteArray lfOnly = five;
    lfOnly.replace("\r\n", "\n");
    QByteArray commas = Lines(1, 3);
    commas.replace("\r\n", ",");
    commas.chop(1);
    QByteArray commasOn = Lines(1, 4);
    commasOn.replace("\r\n", ",");
    const QByteArray cut = Lines(1, 3).chopped(2), lone = Lines(1, 3).chopped(1);
    QByteArray longer = five;
    longer.replace("K3ABC", "K3ABCDEF");
    QByteArray loneInside = Lines(1, 2) + Lines(3, 3).replace("K3ABC", "K3XYZ") + Lines(4, 4).chopped(1) + Lines(5, 5);
    const struct {
        const char* what;
        QByteArray before, after;
    } cases[] = {
        {"a record changed half-way", five, third},
        {"a record changed to another length, those after it as they were", five, longer},
        {"a record changed, then one that ended with a lone CR", loneInside, five},
        {"the older, shorter log", five, Lines(1, 3)},
        {"a longer log after one whose last line had no line end", cut, five},
        {"a longer log after one that ended with a lone CR", lone, five},
        {"line ends of LF alone", five, lfOnly},
        {"records separated by commas, then one more", commas, commasOn},
        {"nothing in common", Lines(1, 2), Lines(7, 9)},
        {"one more record after end marks", five + "\r\n \x1A", Lines(1, 6)},
        {"end marks after fewer records", Lines(1, 6), five + "\r\n \x1A"},
        {"a last line without a line end, then blanks and a ^Z", cut + " \x1A", five},
    };
    for (const auto& c : cases) {
        dir.write("log.txt", c.after);
        ContactLog = ContactLogData();
        ASSERT_TRUE(LoadLog()) << c.what;
        const QStringList first = Loaded();
        dir.write("log.txt", c.before);
        ASSERT_TRUE(LoadLog()) << c.what;
        dir.write("log.txt", c.after);
        ASSERT_TRUE(LoadLog()) << c.what;
        EXPECT_EQ(Loaded(), first) << c.what;
        // The next append continues the file as that reload found it.
        const int n = ContactLog.Count + 1;
        ContactLog.Rec[n] = Contact(20);
        ContactLog.Count = n;
        ASSERT_NO_THROW(AppendLastContact()) << c.what;
        ContactLog = ContactLogData();
        ASSERT_TRUE(LoadLog()) << c.what;
        EXPECT_EQ(ContactLog.Count, n) << c.what;
        EXPECT_EQ(ContactLog.Rec[n].Call, Contact(20).Call) << c.what;
    }
}

// A rewrite keeps what it wrote for the next reload only where every record reads back as itself:
// values the file cannot hold as they stand are read again, as the file holds them.
TEST_F(ContactLogTest, AReloadAfterARewriteHoldsWhatTheFileHolds) {
    const std::function<void(ContactRecord&)> edits[] = {
        [](ContactRecord& r) { r.Call = "W1NEW"; },
        [](ContactRecord& r) { r.Call = "W1\"NEW"; },
        [](ContactRecord& r) { r.County = QString::fromUtf8("Lark\u03a9moor"); },
        [](ContactRecord& r) { r.County = QString::fromUtf8("Lark\u20acmoor"); }, // the euro sign is Windows-1252's
        [](ContactRecord& r) { r.Frequency = "14.2\r\n50"; },
        [](ContactRecord& r) { r.Spare16 = 0.1 + 0.2; },
        [](ContactRecord& r) { r.Spare16 = 7; },
    };
    int n = 0;
    for (const auto& edit : edits) {
        loadLines(4);
        edit(ContactLog.Rec[2]);
        DeleteContact(3); // a delete rewrites the log too
        SaveLog();
        ASSERT_TRUE(LoadLog()) << n;
        const QStringList reloaded = Loaded();
        ContactLog = ContactLogData();
        ASSERT_TRUE(LoadLog()) << n;
        EXPECT_EQ(reloaded, Loaded()) << n;
        ++n;
    }
}

TEST_F(ContactLogTest, AFailedAppendIsJudgedByWhatTheFileHolds) {
    loadLines(2);
    ContactLog.Rec[3] = Contact(3);
    ContactLog.Count = 3;
    {
        // Written and synced, then the close fails: the contact is in the file, and is logged.
        FailingCall failing(FailingCall::Close, "log.txt");
        EXPECT_NO_THROW(AppendLastContact());
        EXPECT_GE(failing.failures(), 1);
    }
    EXPECT_EQ(log(), Lines(1, 3));
    ContactLog.Rec[4] = Contact(4);
    ContactLog.Count = 4;
    {
        // The sync fails: the line is taken back, and the failure reported.
        FailingCall failing(FailingCall::Fsync, "log.txt");
        EXPECT_THROW(AppendLastContact(), VbError);
        EXPECT_GE(failing.failures(), 1);
    }
    EXPECT_EQ(log(), Lines(1, 3));
}

TEST_F(ContactLogTest, ALogFoundUnderOtherLettersIsRewrittenUnderThatName) {
    const std::pair<const char*, std::function<void()>> writers[] = {
        {"SaveLog", [] { SaveLog(); }},
        {"DeleteContact", [] { DeleteContact(1); }},
        {"AppendLastContact",
         [] {
             ContactLog.Rec[4] = Contact(4);
             ContactLog.Count = 4;
             AppendLastContact();
         }},
        {"NewLog",
         [this] {
             dialogs.AnswerInput("YES");
             NewLog();
         }},
    };
    for (const auto& [name, write] : writers) {
        SCOPED_TRACE(name);
        QFile::remove(dir.file("LOG.TXT"));
        dir.write("LOG.TXT", Lines(1, 3));
        ASSERT_TRUE(LoadLog());
        write();
        QByteArray expected;
        for (int i = 1; i <= ContactLog.Count; ++i) expected += LogLine(ContactLog.Rec[i]);
        EXPECT_EQ(QDir(dir.path()).entryList({"log.txt"}, QDir::Files), QStringList{"LOG.TXT"}); // no case filter
        EXPECT_EQ(dir.read("LOG.TXT"), expected);
        ASSERT_TRUE(LoadLog());
    }
}

TEST_F(ContactLogTest, DeleteMovesLaterRecordsDownAndRewritesTheFile) {
    struct Case {
        int k;
        QStringList calls;
    };
    const QStringList all = {"K1ABC", "K2ABC", "K3ABC"};
    const Case cases[] = {
        {1, {"K2ABC", "K3ABC"}}, {2, {"K1ABC", "K3ABC"}}, {3, {"K1ABC", "K2ABC"}},
        {0, all},                {4, all},                {-1, all},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.k);
        loadLines(3);
        ContactLog.Rec[1].Spare8 = "kept";
        DeleteContact(c.k);
        EXPECT_EQ(Calls(), c.calls);
        EXPECT_TRUE(SlotEmpty(ContactLog.Count + 1));
        if (c.calls == all) {
            EXPECT_EQ(log(), Lines(1, 3)); // not even rewritten
        } else {
            QByteArray expected;
            for (int i = 1; i <= ContactLog.Count; ++i) expected += LogLine(ContactLog.Rec[i]);
            EXPECT_EQ(log(), expected);
            EXPECT_EQ(log().count("\r\n"), 2);
        }
    }
}

TEST_F(ContactLogTest, AFailedSaveLeavesTheOldFileWhole) {
    loadLines(3);
    ContactLog.Rec[1].Call = "W9XYZ";
    {
        FileSizeLimit full(100);
        EXPECT_THROW(SaveLog(), VbError);
        EXPECT_THROW(DeleteContact(2), VbError);
    }
    EXPECT_EQ(log(), Lines(1, 3));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"log.txt"}); // no temporary left behind

    Folders.ProgramFolder = dir.file("gone");
    EXPECT_THROW(SaveLog(), VbError);
}

TEST_F(ContactLogTest, NewLogErasesOnlyOnATypedYes) {
    const QByteArray bytes = Lines(1, 3);
    const std::pair<const char*, bool> answers[] = {{"yes", true},  {"Yes", true}, {"YES", true}, {" YES", false},
                                                    {"YES ", false}, {"", false},   {"NO", false}};
    for (const auto& [answer, erases] : answers) {
        SCOPED_TRACE(answer);
        QDir(Folders.BackupFolder).removeRecursively();
        QFile::remove(dir.file("QSOpref.txt"));
        dir.write("log.txt", bytes);
        tylog::Run.BackupBaselineCount = 0;
        ASSERT_TRUE(LoadLog());
        Station.OperSecondsSaved = 100;
        tylog::Run.OperSecondsRunning = 5;
        dialogs.Reset();
        dialogs.AnswerInput(answer);

        NewLog();

        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_EQ(dialogs.shown[0].title, "WARNING - Your existing log file will be ERASED!");
        EXPECT_EQ(dialogs.shown[0].prompt, "Are you sure that you want to start a new log file?  This function will "
                                           "ERASE the existing log file!\r\n\r\nTo verify that you want to start a "
                                           "new log file, please type: YES");
        EXPECT_EQ(dialogs.shown[0].defaultText, "");
        if (erases) {
            EXPECT_EQ(log(), QByteArray());
            EXPECT_EQ(ContactLog.Count, 0);
            EXPECT_TRUE(ContactLog.Loaded);
            EXPECT_TRUE(SlotEmpty(1));
            EXPECT_EQ(Station.OperSecondsSaved, 0);
            EXPECT_EQ(tylog::Run.OperSecondsRunning, 0);
            EXPECT_EQ(dir.read("QSOpref.txt").split('\n').value(17), "0\r");
            EXPECT_EQ(tylog::Run.BackupBaselineCount, 3);
            // The count still equals the baseline, yet the contacts on disk are copied first.
            ASSERT_EQ(backups().size(), 1);
            EXPECT_EQ(dir.read("Tessaly/BACKUP/" + backups()[0]), bytes);
        } else {
            EXPECT_EQ(log(), bytes);
            EXPECT_EQ(ContactLog.Count, 3);
            EXPECT_EQ(Station.OperSecondsSaved, 100);
            EXPECT_EQ(tylog::Run.OperSecondsRunning, 5);
            EXPECT_FALSE(dir.exists("QSOpref.txt"));
            EXPECT_TRUE(backups().isEmpty());
        }
    }
}

TEST_F(ContactLogTest, NewLogCopiesWhatIsOnDiskEvenBeforeAnyLoad) {
    // Start-up's "Open existing log?" answered No: nothing loaded, the file holds contacts.
    dir.write("log.txt", Lines(1, 2));
    dialogs.AnswerInput("YES");
    NewLog();
    ASSERT_EQ(backups().size(), 1);
    EXPECT_EQ(dir.read("Tessaly/BACKUP/" + backups()[0]), Lines(1, 2));
    EXPECT_EQ(log(), QByteArray());
    EXPECT_TRUE(ContactLog.Loaded);

    // An empty log has nothing worth a copy.
    QDir(Folders.BackupFolder).removeRecursively();
    dialogs.AnswerInput("YES");
    NewLog();
    EXPECT_FALSE(QFileInfo::exists(Folders.BackupFolder));

    // No copy, no erasing.
    dir.write("log.txt", Lines(1, 2));
    Folders.DataFolder = dir.file("gone/Tessaly");
    Folders.BackupFolder = Folders.DataFolder + "/BACKUP";
    Station.OperSecondsSaved = 100;
    dialogs.AnswerInput("YES");
    EXPECT_THROW(NewLog(), VbError);
    EXPECT_EQ(log(), Lines(1, 2));
    EXPECT_EQ(Station.OperSecondsSaved, 100);
}

TEST_F(ContactLogTest, BackupCopiesWhenTheCountLeftTheBaseline) {
    struct Case {
        int count;
        float baseline;
        bool copies;
    };
    const Case cases[] = {{3, 3, false}, {0, 0, false}, {0, 2, false}, {-1, 0, false},
                          {4, 3, true},  {2, 3, true},  {5, 0, true}};
    dir.write("log.txt", Lines(1, 2));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        QDir(Folders.BackupFolder).removeRecursively();
        ContactLog.Count = c.count;
        tylog::Run.BackupBaselineCount = c.baseline;
        BackupLog();
        EXPECT_EQ(backups().size(), c.copies ? 1 : 0);
    }
}

TEST_F(ContactLogTest, BackupIsNamedByTheLocalMinute) {
    Fakes().clock.Set(QDateTime(QDate(2013, 9, 15), QTime(14, 32, 5)), 5);
    ContactLog.Count = 4;
    dir.write("log.txt", Lines(1, 1));
    BackupLog();
    Fakes().clock.Advance(30000);
    dir.write("log.txt", Lines(1, 2));
    BackupLog(); // same minute: a name of its own, the earlier copy kept
    BackupLog();
    EXPECT_EQ(backups(), (QStringList{"201309151432-2.log", "201309151432-3.log", "201309151432.log"}));
    EXPECT_EQ(dir.read("Tessaly/BACKUP/201309151432.log"), Lines(1, 1));
    EXPECT_EQ(dir.read("Tessaly/BACKUP/201309151432-2.log"), Lines(1, 2));
    Fakes().clock.Advance(30000);
    BackupLog();
    EXPECT_EQ(backups().last(), "201309151433.log");

    // A backup folder spelled in other letters is the backup folder.
    QDir(Folders.BackupFolder).removeRecursively();
    QDir().mkdir(Folders.DataFolder + "/backup");
    BackupLog();
    EXPECT_FALSE(QFileInfo::exists(Folders.BackupFolder));
    EXPECT_EQ(QDir(Folders.DataFolder + "/backup").entryList(QDir::Files), QStringList{"201309151433.log"});

    // Failures pass quietly.
    Folders.DataFolder = dir.file("gone/Tessaly");
    Folders.BackupFolder = Folders.DataFolder + "/BACKUP";
    EXPECT_NO_THROW(BackupLog());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}
