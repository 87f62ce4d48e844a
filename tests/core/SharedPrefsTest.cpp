#include "core/SharedPrefs.h"
#include "core/ProcessState.h"
#include "platform/VbError.h"
#include "tests/app/FileSizeLimit.h"
#include "tests/support/TestSupport.h"

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

TEST_F(SharedPrefsTest, LoadDropsOnlyAFinalLineEnd) {
    const std::pair<QByteArray, QString> cases[] = {
        {Declaration + "\r\n<OWN_CALL>N0CALL</OWN_CALL>\r\n", Declaration + "\r\n<OWN_CALL>N0CALL</OWN_CALL>"},
        {Declaration + "\r\n<A>b</A>", Declaration + "\r\n<A>b</A>"},
        {Declaration + "\r\n\r\n", Declaration + "\r\n"},
        {"", ""},
        {"x", ""},
        {"\n", ""},
    };
    for (const auto& [bytes, text] : cases) {
        SCOPED_TRACE(bytes.toStdString());
        dir.write("SharedUserPreferences.xml", bytes);
        ASSERT_NO_THROW(LoadSharedPrefs(path()));
        EXPECT_EQ(SharedPrefs.SharedPrefsText, text);
        SaveSharedPrefs(path());
        if (bytes.endsWith("\r\n")) { EXPECT_EQ(file(), bytes); }
    }

    // An empty file takes keys like any other.
    dir.write("SharedUserPreferences.xml", "");
    LoadSharedPrefs(path());
    SetSharedPref("OWN_CALL", "N0CALL", 1);
    EXPECT_EQ(file(), "\r\n<OWN_CALL>N0CALL</OWN_CALL>\r\n");

    // Found whatever the letter case of its name.
    ScratchFolder other;
    other.write("sharedUserPreferences.XML", Declaration + "\r\n<A>b</A>\r\n");
    LoadSharedPrefs(other.file("SharedUserPreferences.xml"));
    EXPECT_EQ(SharedPrefs.SharedPrefsText, Declaration + "\r\n<A>b</A>");
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
