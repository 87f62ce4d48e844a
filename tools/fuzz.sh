#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang and libFuzzer (AddressSanitizer and UBSan on) into
# build-fuzz/, then runs each for RUNS inputs (default 1000000), JOBS targets at a time (default 3,
# one core each). Targets may be named: bash tools/fuzz.sh log_append adif
# Each starts from its seeds (fuzz/corpus/<target>) and keeps what it learns in build-fuzz/corpus/<target>;
# a finding is written to build-fuzz/crashes/<target>/ and ends that target's run. Once mended, a
# finding goes into fuzz/crashes/<target>/, which the normal test run replays (ctest -R fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh fuzz
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DTYLOG_FUZZ=ON "${launcher[@]}" >/dev/null
targets=("$@")
if ((${#targets[@]} == 0)); then
  targets=(value_file log_load log_append data_tables settings shared_prefs spots adif keyer_files county_map spot_lines packet_frames pack_spot wave_header rig_replies rig_settings pegasus_status winkey_replies)
fi
ninja -C build-fuzz -j "${JOBS:-3}" "${targets[@]/#/fuzz_}"
runs=${RUNS:-1000000}
run_one() {
  local t=$1 runs=$2
  mkdir -p "build-fuzz/corpus/$t" "build-fuzz/crashes/$t"
  # Under ASan a long run holds much memory of its own (quarantine, stack depot): room beyond the default 2 GB.
  if "build-fuzz/fuzz/fuzz_$t" -runs="$runs" -print_final_stats=1 -rss_limit_mb=4096 -malloc_limit_mb=1024 \
       -artifact_prefix="build-fuzz/crashes/$t/" \
       "build-fuzz/corpus/$t" "fuzz/corpus/$t" >"build-fuzz/fuzz_$t.log" 2>&1; then
    echo "$t: $(grep -m1 stat::number_of_executed_units "build-fuzz/fuzz_$t.log" | awk '{print $2}') inputs, no finding"
  else
    echo "$t: FINDING, see build-fuzz/fuzz_$t.log and build-fuzz/crashes/$t/"
    return 1
  fi
}
export -f run_one
printf '%s\n' "${targets[@]}" | xargs -P "${JOBS:-3}" -I{} bash -c 'run_one "$@"' _ {} "$runs"
