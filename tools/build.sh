#!/usr/bin/env bash
# Configures and builds into build/. TYLOG_WERROR=ON (CI) makes every warning an error.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTYLOG_WERROR="${TYLOG_WERROR:-OFF}" "${launcher[@]}" >/dev/null
ninja -C build
