#!/usr/bin/env bash
# Runs the fuzz targets built in BUILD_DIR for SECONDS each, FUZZ_JOBS (2) at a
# time, on a work copy of their corpus: libFuzzer reads fuzz/corpus/<target> but
# writes what it finds to BUILD_DIR/work/<target> only. FUZZ_MERGE=1 afterwards
# adds to fuzz/corpus/<target> the found inputs that reach new code. Fails when
# any target finds a crash, a leak, a hang (-timeout) or too much memory; the
# input is kept in BUILD_DIR/artifacts/<target>/.
#   usage: fuzz/run.sh BUILD_DIR SECONDS [TARGET...]
set -uo pipefail

build=${1:?usage: $0 BUILD_DIR SECONDS [TARGET...]}
seconds=${2:?usage: $0 BUILD_DIR SECONDS [TARGET...]}
shift 2
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
    targets=(settings_record server_list command_line game_arguments zip_archive status_answer
        arena_script master_answer)
corpus=$(cd "$(dirname "$0")" && pwd)/corpus
jobs=${FUZZ_JOBS:-2}
# AddressSanitizer's default 256 MB quarantine of freed memory, spread over
# Qt's many allocation sizes, grows a long run past a gigabyte; 64 MB does not.
export ASAN_OPTIONS="quarantine_size_mb=64${ASAN_OPTIONS:+:$ASAN_OPTIONS}"

run() {
    local target=$1 program=$build/fuzz_$1
    local work=$build/work/$target artifacts=$build/artifacts/$target/ log=$build/logs/$target.log
    mkdir -p "$work" "$artifacts" "$(dirname "$log")"
    if [ ! -x "$program" ]; then
        echo "$target: $program is not built" >"$log"
        return 1
    fi
    "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$artifacts" "$work" "$corpus/$target" >"$log" 2>&1
}

report() {
    local target=$1 status=$2 log=$build/logs/$1.log
    if [ "$status" -eq 0 ]; then
        echo "$target: passed: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1)"
        grep -E '^stat::number_of_executed_units' "$log"
    else
        echo "$target: FAILED (exit $status), log $log:"
        grep -vE '^INFO:|^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse|RELOAD)|^[[:space:]]+NEW_FUNC' "$log" |
            tail -n 40
    fi
}

failed=0
for ((at = 0; at < ${#targets[@]}; at += jobs)); do
    batch=("${targets[@]:at:jobs}")
    pids=()
    for target in "${batch[@]}"; do
        run "$target" &
        pids+=($!)
    done
    for i in "${!batch[@]}"; do
        wait "${pids[$i]}"
        status=$?
        report "${batch[$i]}" "$status"
        [ "$status" -eq 0 ] || failed=1
    done
done

if [ "${FUZZ_MERGE:-0}" = 1 ]; then
    for target in "${targets[@]}"; do
        "$build/fuzz_$target" -merge=1 "$corpus/$target" "$build/work/$target" \
            >"$build/logs/$target.merge.log" 2>&1 || failed=1
        tail -n 1 "$build/logs/$target.merge.log"
    done
fi
exit $failed
