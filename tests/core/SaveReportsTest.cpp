#include "core/SaveReports.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tylog;
using namespace tylog::testing;

// Told once per file (its name, letter case ignored) and cause (the error's number); a save of that
// file that succeeds, and only that, makes the next failure told again.
TEST(SaveReports, OncePerFileAndCauseUntilThatFileSaves) {
    const VbError full(VbError::DiskFull, "The disk is full: x could not be written.");
    const VbError readOnly(VbError::PathFileAccess, "The disk is read-only: x could not be written.");
    struct Step {
        const char* path;
        const VbError* error; // nullptr: a save that succeeded
        bool told;
    };
    const Step steps[] = {
        {"/p/QSOpref.txt", &full, true},      {"/p/QSOpref.txt", &full, false},
        {"/p/qsopref.TXT", &full, false},     {"/p/QSOpref.txt", &readOnly, true},
        {"/p/CW.txt", &full, true},           {"/p/CW.txt", nullptr, false},
        {"/p/QSOpref.txt", &full, false},     {"/p/CW.txt", &full, true},
        {"/p/QSOpref.txt", nullptr, false},   {"/p/QSOpref.txt", &full, true},
        {"/p/QSOpref.txt", &readOnly, true},
    };
    int i = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(i++);
        const auto before = Fakes().dialogs.shown.size();
        if (s.error) ReportSaveFailure(s.path, *s.error, "Things");
        else ReportSaveSuccess(s.path);
        ASSERT_EQ(Fakes().dialogs.shown.size(), before + (s.told ? 1 : 0));
        if (s.told) {
            EXPECT_EQ(Fakes().dialogs.shown.back().kind, ScriptedDialogs::Kind::Notice);
            EXPECT_TRUE(Fakes().dialogs.shown.back().prompt.startsWith(s.error->Description + "\r\n\r\nThings could "
                                                                       "not be saved: they hold for this run only."));
        }
    }
}
