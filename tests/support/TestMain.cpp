// Test main of every test program: headless Qt, the fake platform, and a clean process state for
// each test.
#include "app/ProcessReset.h"
#include "core/ProcessState.h"
#include "platform/testing/Fakes.h"
#include "platform/vb/ErrorGuard.h"
#include "platform/vb/Forms.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CleanState : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        // The process state first: an engine the last test left keyed is released on the old fakes.
        tylog::ResetProcessState();
        tylog::testing::ResetFakePlatform();
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        tylog::vb::DiscardAllForms();
        QCoreApplication::processEvents();
    }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    tylog::testing::InstallFakePlatform();
    tylog::platform().reportScriptFault = [](const QString& what) { ADD_FAILURE() << what.toStdString(); };
    // An error that leaves a handler is a fault of the code under test, unless the test expects it
    // (tests/support/EscapedErrors.h).
    tylog::vb::SetEscapedErrorHook([](const tylog::vb::EscapedError& e) {
        ADD_FAILURE() << "error escaped from " << (e.source + '.' + e.event).toStdString() << ": "
                      << e.description.toStdString();
    });
    ::testing::UnitTest::GetInstance()->listeners().Append(new CleanState);
    return RUN_ALL_TESTS();
}
