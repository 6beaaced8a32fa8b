#!/usr/bin/env bash
# Builds the release preset, runs the benchmark and the editor's figures (start, opening a
# .dip, CSV and Corvane site, memory, and each user action from the key press to the repainted
# grid), prints one line per operation with its median time against its goal and, for
# comparison only, its ratio to the raw I/O baseline, and writes the same to bench/results.json.
# Arguments go to the benchmark (for example --benchmark_filter=Dip). BENCH_REPETITIONS,
# BENCH_MIN_TIME, EDITOR_RUNS and EDITOR_ACTION_RUNS tune the run.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages "${BUILD_PACKAGES[@]}" libbenchmark-dev python3
build_preset release

out="$ROOT/build-release/bench"
repetitions="${BENCH_REPETITIONS:-5}"
min_time="${BENCH_MIN_TIME:-0.2}"
editor_runs="${EDITOR_RUNS:-5}"

echo "Running the benchmark ($repetitions repetitions, medians)..."
# Repetitions are interleaved across operations, so an operation and its baseline meet the
# same state of the machine: the baselines drift by a factor of two over minutes here.
"$out/zr415-bench" \
    --benchmark_repetitions="$repetitions" \
    --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true \
    --benchmark_min_time="$min_time" \
    --benchmark_out="$out/benchmark.json" \
    --benchmark_out_format=json \
    "$@" >"$out/benchmark.log"

echo "Starting the editor $editor_runs times..."
: >"$out/editor.jsonl"
: >"$out/editor.log"
for _ in $(seq "$editor_runs"); do
    # The clock is read just before the program starts, so its figure counts the whole start.
    QT_QPA_PLATFORM=offscreen ZR415_LAUNCH_NS="$(date +%s%N)" \
        "$out/zr415-editor-startup" >>"$out/editor.jsonl" 2>>"$out/editor.log"
done

echo "Timing the editor's actions at 3072 channels..."
QT_QPA_PLATFORM=offscreen "$out/zr415-editor-actions" >"$out/actions.json" 2>"$out/actions.log"

python3 "$ROOT/bench/report.py" "$out/benchmark.json" "$out/editor.jsonl" "$out/actions.json" \
    "$ROOT/bench/results.json"
