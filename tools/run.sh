#!/usr/bin/env bash
# Installs what is missing, builds, prepares the program folder run/ and starts the logger there.
# The program folder keeps the operator's log and settings: shipped files are copied only when absent.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
bash tools/build.sh
mkdir -p run
for f in data/*; do
  name=$(basename "$f")
  [ -e "run/$name" ] || cp "$f" "run/$name"
done
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: start it under a virtual display with: apt-get install -y xvfb && (cd run && xvfb-run -a ../build/tylog)"
  exit 1
fi
cd run && exec ../build/tylog
