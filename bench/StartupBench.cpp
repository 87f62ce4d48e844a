// Start-up to the first window the operator can use (the station setup window) against a bare Qt
// Widgets program showing one window, paired: each pair starts both programs (in turn, which goes
// first alternating) and times each from the spawn to its exit, which comes with that window's first
// frame. The logo's designed display time is not in it: the probe closes the logo once it is drawn.
#include "bench/Paired.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::string g_folder; // the scratch home and program folder the programs start in

void Start(const std::string& program) {
    std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", "HOME=" + g_folder, "XDG_RUNTIME_DIR=" + g_folder,
                                    "PATH=/usr/bin:/bin"};
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string prog = program;
    char* argv[] = {prog.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, g_folder.c_str());
    pid_t pid = 0;
    if (posix_spawn(&pid, prog.c_str(), &actions, nullptr, argv, envp.data()) != 0) std::abort();
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::abort();
}

void StartupToStationSetup(benchmark::State& state) {
    const std::string dir = QCoreApplication::applicationDirPath().toStdString();
    tylog::bench::RunPaired(state, {{}, [&] { Start(dir + "/tylog_bench_bare_window"); }},
                            {{}, [&] { Start(dir + "/tylog_bench_startup_probe"); }}, 1.5);
}
BENCHMARK(StartupToStationSetup)->UseManualTime()->Iterations(tylog::bench::Pairs(40))->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir scratch;
    g_folder = scratch.path().toStdString();
    // The program folder as installed: the shipped data files, so the setup window loads as it does
    // for an operator (a missing file would open a message box first).
    const QDir data(QStringLiteral(TYLOG_SOURCE_DIR "/data"));
    for (const QString& name : data.entryList(QDir::Files)) QFile::copy(data.filePath(name), scratch.filePath(name));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
