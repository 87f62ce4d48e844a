#include "core/UserFolders.h"
#include "core/ProcessState.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <functional>

using namespace tylog;
using namespace tylog::testing;

namespace {

bool IsDir(const QString& path) { return QFileInfo(path).isDir(); }

class UserFoldersTest : public ::testing::Test {
protected:
    void SetUp() override {
        oldProfile_ = qgetenv("USERPROFILE");
        oldAppData_ = qgetenv("APPDATA");
    }
    void TearDown() override {
        qputenv("USERPROFILE", oldProfile_);
        qputenv("APPDATA", oldAppData_);
    }
    ScriptedDialogs& dialogs = Fakes().dialogs;

private:
    QByteArray oldProfile_, oldAppData_;
};

} // namespace

TEST_F(UserFoldersTest, GetUserFolderSettlesOnTheFirstUsableDocumentsFolder) {
    struct Case {
        const char* name;
        std::function<void(const ScratchFolder&)> prepare;
        QString documents; // relative to the scratch folder
        QStringList alsoMade;
        int messages = 0;
    };
    const Case cases[] = {
        {"fresh profile gets My Documents", [](const ScratchFolder&) {}, "home/My Documents", {}},
        {"My Documents in other letters is used as it is spelled",
         [](const ScratchFolder& d) { QDir().mkpath(d.file("home/my documents")); }, "home/my documents", {}},
        {"My Documents unusable, Documents taken without a word",
         [](const ScratchFolder& d) {
             d.write("home/My Documents", "not a folder");
             QDir().mkpath(d.file("home/Documents"));
         },
         "home/Documents", {}},
        {"no documents folder: made under the profile and APPDATA, APPDATA used",
         [](const ScratchFolder& d) { d.write("home/My Documents", "not a folder"); }, "appdata",
         {"home/Q7BZW Software/Tessaly"}},
        {"unusable APPDATA reports each folder it cannot make",
         [](const ScratchFolder& d) {
             d.write("home/My Documents", "not a folder");
             qputenv("APPDATA", d.file("gone/appdata").toLocal8Bit());
         },
         "gone/appdata", {}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder d;
        QDir().mkpath(d.file("home"));
        QDir().mkpath(d.file("appdata"));
        qputenv("USERPROFILE", d.file("home").toLocal8Bit());
        qputenv("APPDATA", d.file("appdata").toLocal8Bit());
        c.prepare(d);
        dialogs.Reset();
        for (int i = 0; i < c.messages; ++i) dialogs.AnswerMsgBox(vbOK);

        QString base;
        GetUserFolder(base, "/Q7BZW Software", "/Tessaly");

        const QString docs = d.file(c.documents);
        EXPECT_EQ(base, docs + "/Q7BZW Software");
        EXPECT_EQ(Folders.DocumentsFolder, docs);
        EXPECT_EQ(IsDir(base + "/Tessaly"), c.messages == 0);
        for (const QString& made : c.alsoMade) EXPECT_TRUE(IsDir(d.file(made))) << made.toStdString();
        ASSERT_EQ(dialogs.shown.size(), c.messages);
        for (const auto& shown : dialogs.shown) {
            EXPECT_EQ(shown.title, "Unable to create directory.");
            EXPECT_TRUE(shown.prompt.startsWith("Path not found  " + docs)) << shown.prompt.toStdString();
        }

        // The start-up's second call, for the shared folder, lands beside the first.
        if (c.messages == 0) {
            QString again;
            GetUserFolder(again, "/Q7BZW Software", "/Shared");
            EXPECT_EQ(again, base);
            EXPECT_TRUE(IsDir(base + "/Shared"));
        }
    }
}

TEST_F(UserFoldersTest, EnsureDirectoryMakesTheLastLevelAndReportsOnlyWhenAsked) {
    ScratchFolder d;
    d.write("file", "x");
    QDir().mkdir(d.file("Existing"));
    struct Case {
        QString path;
        std::uint8_t showErrors;
        bool made;
        QString message, title;
    };
    const Case cases[] = {
        {"", 0, false, "Invalid Path", "Unable to Create Directory"},
        {d.file("new"), 1, true, {}, {}},
        {d.file("EXISTING"), 1, false, {}, {}},
        {d.file("gone/new"), 1, false, "Path not found  " + d.file("gone/new"), "Unable to create directory."},
        {d.file("gone/new"), 0, false, {}, {}},
        {d.file("file"), 1, false, "Path/File access error  " + d.file("file"), "Unable to create directory."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        dialogs.Reset();
        if (!c.message.isEmpty()) dialogs.AnswerMsgBox(vbOK);
        EnsureDirectory(c.path, c.showErrors);
        if (!c.path.isEmpty()) { EXPECT_EQ(IsDir(c.path), c.made); }
        if (c.message.isEmpty()) {
            EXPECT_TRUE(dialogs.shown.isEmpty());
        } else {
            ASSERT_EQ(dialogs.shown.size(), 1);
            EXPECT_EQ(dialogs.shown[0].prompt, c.message);
            EXPECT_EQ(dialogs.shown[0].title, c.title);
        }
    }
    EXPECT_EQ(QDir(d.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), (QStringList{"Existing", "new"}));
    EXPECT_TRUE(FolderExists(d.file("existing")));
    EXPECT_FALSE(FolderExists(d.file("file")));
    EXPECT_FALSE(FolderExists(d.file("gone")));
}

TEST(CallToFileStem, TakesLeadingCapitalsAndDigits) {
    const std::pair<QString, QString> cases[] = {
        {"N0CALL", "N0CALL"}, {"N0CALL/M", "N0CALL"},   {"KH6/N0CALL", "KH6"}, {"N0call", "N0"},
        {"n0call", "YourCall"}, {"", "YourCall"},       {"/P", "YourCall"},    {QString::fromUtf8("W1ÄB"), "W1"},
    };
    for (const auto& [call, stem] : cases) EXPECT_EQ(CallToFileStem(call), stem) << call.toStdString();
}
