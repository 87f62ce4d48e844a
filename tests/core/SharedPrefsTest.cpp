#include "core/SharedPrefs.h"
#include "core/ProcessState.h"
#include "platform/VbError.h"
#include "tests/app/FileSizeLimit.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace tylog;
using namespace tylog::testing;

namespace {

const QByteArray Declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";

class SharedPrefsTest : public ::testing::Test {
protected:
    QString path() const { return dir.file("SharedUserPreferences.xml"); }
    QByteArray file() const { return dir.read("SharedUserPreferences.xml"); }
    ScratchFolder dir;
};

} // namespace

TEST_F(SharedPrefsTest, AMissingFileStartsWithTheDeclaration) {
    LoadSharedPrefs(path());
    EXPECT_EQ(SharedPrefs.SharedPrefsText, Declaration);
    EXPECT_EQ(SharedPrefs.SharedPrefsPath, path());
    SetSharedPref("OWN_CALL", "N0CALL", 1);
    EXPECT_EQ(file(), Declaration + "\r\n<OWN_CALL>N0CALL</OWN_CALL>\r\n");
}

TEST_F(SharedPrefsTest, KeysChangeInPlaceAndTheFileWaitsForSaveNow) {
    const QByteArray start = CrLfLines({Declaration.constData(), "<OWN_CALL>N0CALL</OWN_CALL>",
                                        "<OTHER_KEY>keep \xE9</OTHER_KEY>", "<OWN_EMAIL>a@b</OWN_EMAIL>"});
    dir.write("SharedUserPreferences.xml", start);
    LoadSharedPrefs(path());
    SetSharedPref("OWN_CALL", "W9XYZ", 0);
    SetSharedPref("own_email", "x@y", 0);
    SetSharedPref("OWN_SPC", "", 0);
    SetSharedPref("OWN_SPC", "TY", 0);
    SetSharedPref("OWN_CALL", "", 0);
    EXPECT_EQ(file(), start);
    SetSharedPref("OWN_CITY", "Port \"X\"\r\nline", 1);
    EXPECT_EQ(file(), CrLfLines({Declaration.constData(), "<OWN_CALL></OWN_CALL>", "<OTHER_KEY>keep \xE9</OTHER_KEY>",
                                 "<OWN_EMAIL>x@y</OWN_EMAIL>", "<OWN_SPC>TY</OWN_SPC>", "<OWN_CITY>Port Xline</OWN_CITY>"}));

    // A line that lost its closing tag gets it back.
    dir.write("SharedUserPreferences.xml", CrLfLines({Declaration.constData(), "<OWN_CALL>N0CALL", "<OWN_SPC>TY</OWN_SPC>"}));
    LoadSharedPrefs(path());
    SetSharedPref("OWN_CALL", "W9XYZ", 1);
    EXPECT_EQ(file(), CrLfLines({Declaration.constData(), "<OWN_CALL>W9XYZ</OWN_CALL>", "<OWN_SPC>TY</OWN_SPC>"}));
}

TEST_F(SharedPrefsTest, LoadDropsOnlyAFinalLineEndAndSaveGivesItBack) {
    struct Case {
        QByteArray bytes;
        QString text;
        QByteArray saved; // empty: the bytes read
    };
    const QByteArray decl = Declaration;
    const Case cases[] = {
        {decl + "\r\n<OWN_CALL>N0CALL</OWN_CALL>\r\n", decl + "\r\n<OWN_CALL>N0CALL</OWN_CALL>", {}},
        {decl + "\r\n<A>b</A>", decl + "\r\n<A>b</A>", decl + "\r\n<A>b</A>\r\n"},
        {decl + "\r\n\r\n", decl + "\r\n", {}},
        {decl + "\n<A>b</A>\n", decl + "\n<A>b</A>", {}},
        {decl + "\r<A>b</A>\r", decl + "\r<A>b</A>", {}},
        // Empty, or too short to hold a line end: a new text.
        {"", decl, decl + "\r\n"},
        {"x", decl, decl + "\r\n"},
        {"\n", decl, decl + "\r\n"},
        {"\r\n", decl, decl + "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        dir.write("SharedUserPreferences.xml", c.bytes);
        ASSERT_NO_THROW(LoadSharedPrefs(path()));
        EXPECT_EQ(SharedPrefs.SharedPrefsText, c.text);
        SaveSharedPrefs(path());
        EXPECT_EQ(file(), c.saved.isEmpty() ? c.bytes : c.saved);
    }

    // An empty file takes keys after the declaration; a file of LF lines takes them with LF.
    for (const char* empty : {"", "x"}) {
        dir.write("SharedUserPreferences.xml", empty);
        LoadSharedPrefs(path());
        SetSharedPref("OWN_CALL", "N0CALL", 1);
        EXPECT_EQ(file(), decl + "\r\n<OWN_CALL>N0CALL</OWN_CALL>\r\n");
    }
    dir.write("SharedUserPreferences.xml", decl + "\n<A>b</A>\n");
    LoadSharedPrefs(path());
    SetSharedPref("OWN_CALL", "N0CALL", 1);
    EXPECT_EQ(file(), decl + "\n<A>b</A>\n<OWN_CALL>N0CALL</OWN_CALL>\n");
}

TEST_F(SharedPrefsTest, OtherProgramsBytesAndKeysStayAsTheyWere) {
    // UTF-8 values of another program: Á is C3 81, č is C4 8D, Н is D0 9D; 81, 8D, 8F, 90 and 9D have
    // no character in Windows-1252.
    const QByteArray other = "<OTHER_NAME>\xC3\x81gota \xC4\x8D \xD0\x9D \x8F\x90</OTHER_NAME>";
    const QByteArray start = CrLfLines({Declaration.constData(), "<OWN_CALL>N0CALL</OWN_CALL>", other.constData(),
                                        "<OWN_COUNTY>\xC3\x81rva", "<NOTE>x</OWN_COUNTY></NOTE>"});
    dir.write("SharedUserPreferences.xml", start);
    LoadSharedPrefs(path());
    SetSharedPref("OWN_CALL", "N0CALL", 0);
    SetSharedPref("OWN_COUNTY", "Larkmoor", 1);
    // The line that lost its closing tag ends at its line end: the next line is not part of it.
    EXPECT_EQ(file(), CrLfLines({Declaration.constData(), "<OWN_CALL>N0CALL</OWN_CALL>", other.constData(),
                                 "<OWN_COUNTY>Larkmoor</OWN_COUNTY>", "<NOTE>x</OWN_COUNTY></NOTE>"}));

    // Found under other letters, it is rewritten under that name: no second file beside it.
    ScratchFolder other2;
    other2.write("sharedUserPreferences.XML", Declaration + "\r\n<A>b</A>\r\n");
    LoadSharedPrefs(other2.file("SharedUserPreferences.xml"));
    EXPECT_EQ(SharedPrefs.SharedPrefsText, Declaration + "\r\n<A>b</A>");
    SetSharedPref("OWN_CALL", "N0CALL", 1);
    EXPECT_EQ(QDir(other2.path()).entryList(QDir::Files), QStringList{"sharedUserPreferences.XML"});
    EXPECT_EQ(other2.read("sharedUserPreferences.XML"), Declaration + "\r\n<A>b</A>\r\n<OWN_CALL>N0CALL</OWN_CALL>\r\n");
}

TEST_F(SharedPrefsTest, AValueCannotChangeTheFilesStructure) {
    dir.write("SharedUserPreferences.xml", CrLfLines({Declaration.constData(), "<OWN_CALL>N0CALL</OWN_CALL>"}));
    LoadSharedPrefs(path());
    SetSharedPref("OWN_COUNTY", "x</OWN_COUNTY><OWN_CALL>EVIL</OWN_CALL>\r\n<Z>", 0);
    SetSharedPref("OWN_CLUB_NAME", "Smith & Sons", 0);
    SetSharedPref("OWN_CALL", "W9XYZ", 1);
    EXPECT_EQ(file(), CrLfLines({Declaration.constData(), "<OWN_CALL>W9XYZ</OWN_CALL>",
                                 "<OWN_COUNTY>x&lt;/OWN_COUNTY&gt;&lt;OWN_CALL&gt;EVIL&lt;/OWN_CALL&gt;&lt;Z&gt;</OWN_COUNTY>",
                                 "<OWN_CLUB_NAME>Smith &amp; Sons</OWN_CLUB_NAME>"}));
}

TEST_F(SharedPrefsTest, AFailedSaveReportsAndKeepsTheOldFile) {
    const QByteArray start = Declaration + "\r\n<OWN_CALL>N0CALL</OWN_CALL>\r\n";
    dir.write("SharedUserPreferences.xml", start);
    LoadSharedPrefs(path());
    {
        FileSizeLimit full(20);
        EXPECT_THROW(SetSharedPref("OWN_CALL", "W9XYZ", 1), VbError);
    }
    EXPECT_EQ(file(), start);
    EXPECT_THROW(SaveSharedPrefs(dir.file("gone/SharedUserPreferences.xml")), VbError);
}
