// The entry line's rules over the log, called directly: duplicates, earlier contacts, the partial list,
// the digit jump; and that their index of the calls follows the log as the store and the window change it.
#include "core/ProcessState.h"
#include "logging/DupeRules.h"
#include "logstore/ContactLog.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace tylog;
using namespace tylog::testing;

namespace {

struct C {
    const char* call;
    const char* band = "20";
    const char* mode = "PH";
    const char* county = "Larkmoor";
};

void Append(ContactLogData& log, const C& c) {
    ContactRecord& r = log.Rec[static_cast<size_t>(++log.Count)];
    r.Call = c.call;
    r.Band = c.band;
    r.Mode = c.mode;
    r.County = c.county;
}

void Fill(ContactLogData& log, std::initializer_list<C> contacts) {
    for (const C& c : contacts) Append(log, c);
}

} // namespace

TEST(DupeRules, ContactsOfACallAreFoundWithoutRegardToCase) {
    ContactLogData log;
    Fill(log, {{"K1ABC"}, {"W9XYZ"}, {"k1abc", "40"}, {"K1ABCD"}, {"K1AB"}, {"K1ABC/M"}, {"K1Abc", "80", "CW"}});
    EXPECT_EQ(ContactsOfCall(log, "K1ABC"), std::vector<int>({1, 3, 7}));
    EXPECT_EQ(ContactsOfCall(log, "k1aBC"), std::vector<int>({1, 3, 7}));
    EXPECT_TRUE(ContactsOfCall(log, "K1A").empty());
    EXPECT_TRUE(ContactsOfCall(log, "").empty());
    EXPECT_EQ(ContactsOfCall(log, QString::fromUtf8("ÄB1C")), std::vector<int>());
    Append(log, {nullptr}); // letters beyond ASCII fold too
    log.Rec[static_cast<size_t>(log.Count)].Call = QString::fromUtf8("äb1c");
    EXPECT_EQ(ContactsOfCall(log, QString::fromUtf8("ÄB1C")), std::vector<int>({8}));
}

TEST(DupeRules, ADuplicateIsTheCallOnTheBandAndModeInTheCounty) {
    ContactLogData log;
    Fill(log, {{"K1ABC", "20", "PH", "Larkmoor"}, {"K1ABC/M", "20", "PH", "Ashcombe"}, {"K1ABC/M", "40", "CW", "Birchmere"},
               {"W9XYZ", "40", "CW", ""}, {"W9XYZ", "80", "CW", "Ambervale"}});
    struct Case {
        const char *call, *band, *mode, *typedCounty, *county;
        int duplicate;
    };
    const Case cases[] = {
        {"K1ABC", "20", "PH", "Larkmoor", "Larkmoor", 1},
        {"k1abc", "20", "ph", "LARKMOOR", "LARKMOOR", 1},      // case-blind throughout
        {"K1ABC", "20", "PH", "", "Larkmoor", 1},              // the county comes from the earlier contact
        {"K1ABC", "40", "PH", "", "Larkmoor", 0},              // another band
        {"K1ABC", "20", "CW", "Larkmoor", "Larkmoor", 0},      // another mode
        {"K1ABC/M", "20", "PH", "Birchmere", "Birchmere", 0},  // a mobile in another county
        {"K1ABC/M", "40", "CW", "", "Ashcombe", 0},            // the first earlier contact's county is compared
        {"W9XYZ", "80", "CW", "", "Ambervale", 5},             // an earlier contact without a county brings none
        {"N0NEW", "20", "PH", "", "", 0},
    };
    for (const Case& c : cases) {
        const DupeCheck d = CheckDuplicate(log, c.call, c.band, c.mode, c.typedCounty);
        EXPECT_EQ(d.county, c.county) << c.call << " " << c.band << " " << c.mode << " " << c.typedCounty;
        EXPECT_EQ(d.duplicate, c.duplicate) << c.call << " " << c.band << " " << c.mode << " " << c.typedCounty;
    }
}

TEST(DupeRules, PartialListHoldsTheBandAndModesCallsNewestFirstUntilFull) {
    ContactLogData log;
    Fill(log, {{"K1ABC"}, {"K1ABD", "40"}, {"k1abe", "20", "ph"}, {"K1ABF", "20", "CW"}, {"K2ABC"}, {"K1ABG"}});
    EXPECT_EQ(PartialDupes(log, "20", "PH", "K1A"), "K1ABG k1abe K1ABC ");
    EXPECT_EQ(PartialDupes(log, "20", "ph", "k1ab"), "K1ABG k1abe K1ABC ");
    EXPECT_EQ(PartialDupes(log, "40", "PH", "K1"), "K1ABD ");
    EXPECT_EQ(PartialDupes(log, "20", "PH", "K1ABCD"), "");
    EXPECT_EQ(PartialDupes(log, "6", "PH", "K"), "");

    // A call longer than the index keeps in its entry, and one outside Latin-1, are matched too.
    Append(log, {"K1ABCDEFGHIJKLMNOP"});
    log.Rec[static_cast<size_t>(++log.Count)] = log.Rec[1];
    log.Rec[static_cast<size_t>(log.Count)].Call = QString::fromUtf8("K1AŁX");
    EXPECT_EQ(PartialDupes(log, "20", "PH", "K1ABCDEFGHIJKLMNO"), "K1ABCDEFGHIJKLMNOP ");
    EXPECT_EQ(PartialDupes(log, "20", "PH", QString::fromUtf8("k1ałx")), QString::fromUtf8("K1AŁX "));

    // From the oldest on, the line stops once it is longer than 100 characters: the newest calls of a
    // long list are not in it.
    ContactLogData many;
    for (int i = 0; i < 40; ++i) Append(many, {nullptr});
    for (int i = 1; i <= 40; ++i) many.Rec[static_cast<size_t>(i)].Call = QString("W%1XYZ").arg(i, 2, 10, QChar('0'));
    many.Revision = NextLogRevision();
    const QString line = PartialDupes(many, "20", "PH", "W");
    EXPECT_EQ(line.size(), 105); // 15 calls of 6 and a blank
    EXPECT_TRUE(line.startsWith("W15XYZ W14XYZ"));
    EXPECT_TRUE(line.endsWith("W01XYZ "));
}

TEST(DupeRules, TheIndexFollowsTheLog) {
    ContactLogData log;
    Fill(log, {{"K1ABC"}, {"W9XYZ"}});
    EXPECT_EQ(ContactsOfCall(log, "W9XYZ"), std::vector<int>({2}));
    // A record added at the end is taken as it comes.
    Append(log, {"W9XYZ", "40"});
    EXPECT_EQ(ContactsOfCall(log, "W9XYZ"), std::vector<int>({2, 3}));
    EXPECT_EQ(PartialDupes(log, "40", "PH", "W9"), "W9XYZ ");
    // One taken back (a failed append) is forgotten, and its slot filled again.
    log.Rec[3] = ContactRecord();
    --log.Count;
    EXPECT_EQ(ContactsOfCall(log, "W9XYZ"), std::vector<int>({2}));
    Append(log, {"N0NEW", "40"});
    EXPECT_EQ(PartialDupes(log, "40", "PH", "W9"), "");
    EXPECT_EQ(PartialDupes(log, "40", "PH", "N0"), "N0NEW ");
    // Records changed in place count from the log's next revision on (the store gives one with every
    // rewrite, load that read something new, and delete).
    log.Rec[1].Call = "N0NEW";
    log.Revision = NextLogRevision();
    EXPECT_EQ(ContactsOfCall(log, "N0NEW"), std::vector<int>({1, 3}));
    EXPECT_TRUE(ContactsOfCall(log, "K1ABC").empty());
    // Another log is another index.
    ContactLogData other;
    Fill(other, {{"K1ABC"}});
    EXPECT_EQ(ContactsOfCall(other, "K1ABC"), std::vector<int>({1}));
    EXPECT_EQ(ContactsOfCall(log, "N0NEW"), std::vector<int>({1, 3}));
}

TEST(DupeRules, TheStoreGivesANewRevisionWhenRecordsChange) {
    ScratchFolder folder;
    Folders.ProgramFolder = folder.path();
    ContactRecord r;
    r.Call = "K1ABC";
    r.Band = "20";
    r.Mode = "PH";
    folder.write("log.txt", LogLine(r) + LogLine(r));
    ASSERT_TRUE(LoadLog());
    EXPECT_EQ(ContactsOfCall(ContactLog, "K1ABC"), std::vector<int>({1, 2}));

    const std::uint64_t loaded = ContactLog.Revision;
    ASSERT_TRUE(LoadLog()); // the same file again: nothing changed, the index stands
    EXPECT_EQ(ContactLog.Revision, loaded);

    ContactLog.Rec[2].Call = "W9XYZ"; // an edit in place, then the rewrite that follows every edit
    SaveLog();
    EXPECT_EQ(ContactsOfCall(ContactLog, "K1ABC"), std::vector<int>({1}));
    EXPECT_EQ(ContactsOfCall(ContactLog, "W9XYZ"), std::vector<int>({2}));

    r.Call = "N0NEW"; // the file changed behind the log's back, then reloaded
    folder.write("log.txt", LogLine(r) + LogLine(r));
    ASSERT_TRUE(LoadLog());
    EXPECT_EQ(ContactsOfCall(ContactLog, "N0NEW"), std::vector<int>({1, 2}));

    DeleteContact(1);
    EXPECT_EQ(ContactsOfCall(ContactLog, "N0NEW"), std::vector<int>({1}));
}

TEST(DupeRules, ADigitStartsTheSerialAfterACompleteCall) {
    struct Case {
        const char* call;
        int key, caret;
        bool jumps;
    };
    const Case cases[] = {
        {"K1ABC", '5', 5, true},   {"KD9XY", '0', 5, true},  {"K1A", '7', 3, true},
        {"K1A2", '5', 4, false},   // the call ends in a digit: it takes the next one too
        {"K1ABC", '5', 2, false},  // typed inside the call
        {"K1", '5', 2, false},     // too short to be a call
        {"KAB", '5', 3, false},    // no digit yet: this one is the call's
        {"K1AB/M", '5', 6, false}, // "/" is below "0"
        {"K1A-B", '5', 5, false},  {"K1A B", '5', 5, false},
        {"K1ABC", 'A', 5, false},  {"K1ABC", ' ', 5, false},
        {"1ABC", '5', 4, false},   // the first character is not looked at: no digit after it
    };
    for (const Case& c : cases)
        EXPECT_EQ(DigitStartsSerial(c.call, c.key, c.caret), c.jumps) << c.call << " " << char(c.key) << " " << c.caret;
}
