#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each for SECONDS (default 60), then prints
# per harness the inputs run, inputs per second, coverage and crashes. Any crash fails the run
# and its reproducer is printed (path, bytes, and how to run it again).
#
#   scripts/fuzz.sh [SECONDS] [HARNESS...]
#
# Environment: KVX_FUZZ_BUILD (build folder, default build-fuzz), KVX_FUZZ_SEED (libFuzzer's
# seed; a fixed one repeats a run), KVX_FUZZ_JOBS (harnesses run side by side, default 1).
# The corpus each harness grows is kept in the build folder's corpus/ for the next run; the seed
# corpora are made again from the test image builders every time.
set -euo pipefail

seconds="${1:-60}"
shift || true
KVX_BUILD="${KVX_FUZZ_BUILD:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build-fuzz}"
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
kvx_install_missing clang libclang-rt-dev

harnesses=("$@")
[ ${#harnesses[@]} -eq 0 ] &&
    harnesses=(datafile settings ratingscale patch nes genesis1 genesis2 genesis3 snes1 snes3)

if [ ! -f "$KVX_BUILD/build.ninja" ]; then
    launcher=()
    command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    CXX=clang++ cmake -S "$KVX_ROOT" -B "$KVX_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DKVX_FUZZ=ON -DKVX_WERROR=ON -DKVX_BUILD_GUI=OFF -DKVX_BUILD_TESTS=OFF -DKVX_BUILD_BENCH=OFF \
        "${launcher[@]}"
fi
cmake --build "$KVX_BUILD" --target fuzz

seeds="$KVX_BUILD/seeds"
rm -rf "$seeds"
"$KVX_BUILD/fuzz/kvx_fuzz_seeds" "$seeds"
mkdir -p "$KVX_BUILD/corpus" "$KVX_BUILD/crashes" "$KVX_BUILD/logs"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

run_harness() {
    local name="$1"
    local seed_option=()
    [ -n "${KVX_FUZZ_SEED:-}" ] && seed_option=(-seed="$KVX_FUZZ_SEED")
    mkdir -p "$KVX_BUILD/corpus/$name"
    rm -f "$KVX_BUILD/crashes/$name-"*
    local status=0
    "$KVX_BUILD/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        "${seed_option[@]}" -artifact_prefix="$KVX_BUILD/crashes/$name-" \
        "$KVX_BUILD/corpus/$name" "$seeds/$name" > "$KVX_BUILD/logs/$name.log" 2>&1 || status=$?
    echo "$status" > "$KVX_BUILD/logs/$name.status"
}

echo "Fuzzing ${#harnesses[@]} harnesses for $seconds s each..."
running=0
for name in "${harnesses[@]}"; do
    if [ "$running" -ge "${KVX_FUZZ_JOBS:-1}" ]; then
        wait -n || true
        running=$((running - 1))
    fi
    run_harness "$name" &
    running=$((running + 1))
done
wait || true

stat() { grep -m1 "^stat::$2:" "$KVX_BUILD/logs/$1.log" | awk '{print $2}'; }
failed=0
failures=0
printf '\n%-12s %10s %10s %10s %10s %8s\n' harness inputs inputs/s edges features crashes
for name in "${harnesses[@]}"; do
    log="$KVX_BUILD/logs/$name.log"
    status=$(grep -E "^#[0-9]+[[:space:]]+(DONE|pulse|NEW|REDUCE|INITED)" "$log" | tail -1 || true)
    edges=$(sed -n 's/.* cov: \([0-9]*\) .*/\1/p' <<< "$status")
    features=$(sed -n 's/.* ft: \([0-9]*\) .*/\1/p' <<< "$status")
    crashes=$(find "$KVX_BUILD/crashes" -name "$name-*" | wc -l)
    printf '%-12s %10s %10s %10s %10s %8s\n' "$name" "$(stat "$name" number_of_executed_units)" \
        "$(stat "$name" average_exec_per_sec)" "${edges:-?}" "${features:-?}" "$crashes"
    if [ "$crashes" -gt 0 ]; then
        failed=1
        failures=$((failures + 1))
    elif [ "$(cat "$KVX_BUILD/logs/$name.status")" != 0 ]; then
        failed=1
        failures=$((failures + 1))
        echo "fuzz_$name stopped without leaving an input behind; the end of its log:"
        tail -20 "$log"
    fi
done
echo
echo "fuzz: $((${#harnesses[@]} - failures)) passed, $failures failed"

if [ "$failed" -ne 0 ]; then
    for crash in $(find "$KVX_BUILD/crashes" -type f | sort); do
        name=$(basename "$crash")
        name=${name%%-*}
        echo
        echo "=== $name: $crash"
        grep -E "property failed|ERROR:|SUMMARY:|runtime error" "$KVX_BUILD/logs/$name.log" | head -5
        echo "Reproduce: $KVX_BUILD/fuzz/fuzz_$name $crash"
        echo "The input, as base64 (base64 -d to make the file again):"
        base64 -w 76 "$crash"
    done
    echo
    echo "Fuzzing failed; the full logs are in $KVX_BUILD/logs."
    exit 1
fi
