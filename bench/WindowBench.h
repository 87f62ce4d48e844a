#pragma once
// What the benchmarks of the logging window share: a headless Qt, the fake platform, and a scratch
// program folder with the shipped files it needs, holding an out-of-state station on 20 m CW.
#include "core/ProcessState.h"
#include "platform/testing/Fakes.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <functional>
#include <initializer_list>

namespace tylog::bench {

// prepare runs once the folder and station are set, before the first benchmark.
inline int RunWindowBenchmarks(int argc, char** argv, std::initializer_list<const char*> shippedFiles,
                               const std::function<void()>& prepare = {}) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    testing::InstallFakePlatform();
    Folders.ProgramFolder = scratch.path();
    Folders.DataFolder = scratch.path();
    Folders.BackupFolder = scratch.path();
    for (const char* name : shippedFiles)
        QFile::copy(QStringLiteral(TYLOG_SOURCE_DIR "/data/") + name, scratch.path() + '/' + name);
    Station.CurrentMode = "CW";
    Station.CurrentBand = "20";
    Station.FormSizePercent = 100;
    Station.OutOfStateFlag = 1;
    Station.HostState = "TY";
    Station.RigType = "None";
    testing::Fakes().dialogs.AlwaysAnswerMsgBox("Open existing log?", vbYes);
    if (prepare) prepare();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace tylog::bench
