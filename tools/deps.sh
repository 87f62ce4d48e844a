#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, only those missing.
# "bash tools/deps.sh fuzz" adds what the fuzz targets need (clang and its libFuzzer runtime);
# "bash tools/deps.sh sanitize" what the sanitizer build needs (GCC's ASan and UBSan runtimes).
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev qt6-serialport-dev qt6-multimedia-dev libgtest-dev
          gstreamer1.0-plugins-base gstreamer1.0-plugins-good fonts-liberation direwolf
          libhamlib-utils socat)
case "${1:-}" in
  fuzz) packages+=(clang libclang-rt-14-dev) ;;
  sanitize) packages+=(libasan8 libubsan1) ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
