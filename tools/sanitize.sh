#!/usr/bin/env bash
# Builds the program, the tests and the fuzz replays with AddressSanitizer and UndefinedBehaviorSanitizer
# (GCC) into build-asan/ and runs the whole test suite there, headless; any report fails the test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh sanitize
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTYLOG_SANITIZE=ON "${launcher[@]}" >/dev/null
ninja -C build-asan -j "${JOBS:-4}"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tools/lsan.supp:print_suppressions=0}
ctest --test-dir build-asan --output-on-failure --no-tests=error -j "${JOBS:-4}"
