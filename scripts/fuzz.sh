#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each for SECONDS (default 60)
# on a copy of its seed corpus in a temporary folder (in memory where it can), so nothing is
# written into the work tree.
# Fails if any target finds a crash, a leak, undefined behaviour or a broken check; the input
# that did it is kept in build-fuzz/findings/. Ends with the executions per second of each.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

seconds="${1:-60}"
case "$seconds" in
'' | *[!0-9]*)
    echo "usage: scripts/fuzz.sh [SECONDS]" >&2
    exit 2
    ;;
esac

install_packages "${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev

build="$ROOT/build-fuzz"
cmake -S "$ROOT" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZR415_BUILD_FUZZ=ON -DZR415_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target zr415-fuzzers --parallel "$(nproc)"

# target, corpus folder, longest input, dictionary
targets=(
    "dipfile dipfile 130000 -"
    "csv-ok csvfile 70000 csv.dict"
    "csv-cancel csvfile 70000 csv.dict"
    "siteinfo siteinfo 4096 -"
    "dchannel dchannel 70000 -"
    "channelnumber channelnumber 64 -"
    "splitfields splitfields 4096 csv.dict"
    "savers savers 8192 -"
)

# Every save flushes its file to the disk; in memory that costs nothing, so the run spends its
# time on the inputs rather than waiting for the disk.
work="$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)"
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS="detect_leaks=1:print_stacktrace=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$ROOT/fuzz/lsan.supp:print_suppressions=0"

failed=()
summary=()
for entry in "${targets[@]}"; do
    read -r name corpus max_len dict <<<"$entry"
    run="$work/$name"
    mkdir -p "$run/corpus" "$run/artifacts" "$run/tmp"
    cp -r "$ROOT/fuzz/corpus/$corpus/." "$run/corpus/"
    options=(-max_total_time="$seconds" -max_len="$max_len" -timeout=25 -rss_limit_mb=2048
        -print_final_stats=1 -artifact_prefix="$run/artifacts/")
    [ "$dict" = "-" ] || options+=(-dict="$ROOT/fuzz/dict/$dict")
    echo "Fuzzing $name for $seconds s..."
    status=0
    TMPDIR="$run/tmp" "$build/fuzz/zr415-fuzz-$name" "${options[@]}" "$run/corpus" \
        >"$run/log" 2>&1 || status=$?
    rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$run/log" | tail -1)"
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/log" | tail -1)"
    if [ "$status" -ne 0 ]; then
        failed+=("$name")
        findings="$build/findings/$name"
        mkdir -p "$findings"
        cp -r "$run/artifacts/." "$findings/" 2>/dev/null || true
        cp "$run/log" "$findings/log"
        echo "FAILED: $name (exit $status); inputs and log in $findings" >&2
        tail -n 40 "$run/log" >&2
    fi
    summary+=("$(printf '%-14s %10s execs/s %12s runs %s' "$name" "${rate:-?}" "${runs:-?}" \
        "$([ "$status" -eq 0 ] && echo ok || echo FAILED)")")
done

echo
echo "Fuzz run of $seconds s per target:"
printf '  %s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
    echo "Findings in: ${failed[*]}" >&2
    exit 1
fi
