#!/usr/bin/env python3
"""Turns the benchmark's JSON and the editor's figures into the table of scripts/bench.sh.

Usage: report.py BENCHMARK_JSON EDITOR_JSONL ACTIONS_JSON RESULTS_JSON
Prints one line per operation at 3072 channels (median, goal, and the raw I/O baseline with
the ratio to it, which is shown but is no goal), the growth from 384 to 3072 channels, the
editor's figures and its actions from the key press to the repainted grid, and writes all of
it to RESULTS_JSON. Fails only when a benchmark failed.
"""

import json
import statistics
import sys
from datetime import datetime, timezone

FULL_SITE = 3072
NAME_WIDTH = 41
READER_LIMIT_US = 2000.0
SAVE_LIMIT_US = 5000.0
# Goals at FULL_SITE channels, in microseconds.
LIMITS_US = {
    "LoadDipFile": READER_LIMIT_US,
    "LoadCsvFile": READER_LIMIT_US,
    "ImportCorvaneSite": READER_LIMIT_US,
    "SaveDipFile": SAVE_LIMIT_US,
    "SaveCsvFile": SAVE_LIMIT_US,
    "SaveCorvaneChannelFile": SAVE_LIMIT_US,
    "SetChannelCount": 1000.0,
    "ExportLabelDatabase": 50000.0,
    "CheckSite": 5000.0,
    "CheckCard": 20000.0,
    "WriteRecoveryCopy": 5000.0,
    "WriteSiteRecordPdf": 500000.0,
    "Fingerprint": 1000.0,
    "WriteAlterationRecordPdf": 1000000.0,
    "SelfTest": 2000000.0,
}
OPEN_FORMATS = {"dip": ".dip", "csv": "CSV", "corvane": "Corvane"}
EDITOR_GOALS = {  # figure: (limit, unit)
    "window_shown_ms": (300.0, "ms"),
    **{f"open_{name}_median_ms": (10.0, "ms") for name in OPEN_FORMATS},
    "peak_rss_mb": (60.0, "MB"),
}
# One frame: from the key press to the repainted grid. The Problems panel's check runs a moment
# after an edit, not on its way, and is shown without a goal.
FRAME_MS = 16.0
ACTION_GOALS_MS = {
    "paste": FRAME_MS, "paste_undo": FRAME_MS, "paste_redo": FRAME_MS, "fill_down": FRAME_MS,
    "delete": FRAME_MS, "units_8_to_1": FRAME_MS, "units_undo": FRAME_MS,
    "find_last_row": FRAME_MS, "ctrl_end": FRAME_MS, "compare": FRAME_MS,
    "compare_all_differ": FRAME_MS, "edit_while_comparing": FRAME_MS,
}
UNIT_TO_US = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}


def aggregates(benchmark_json, name, clock="real_time"):
    """{(operation, channels): the aggregate's time by that clock (microseconds, or a ratio for
    cv)}."""
    result = {}
    for entry in benchmark_json["benchmarks"]:
        if entry.get("run_type") != "aggregate" or entry.get("aggregate_name") != name:
            continue
        if entry.get("error_occurred"):
            continue
        parts = entry["run_name"].split("/")
        operation, channels = parts[0], int(parts[1])
        scale = 1.0 if entry.get("aggregate_unit") == "percentage" else UNIT_TO_US[entry["time_unit"]]
        result[(operation, channels)] = entry[clock] * scale
    return result


def errors_of(benchmark_json):
    return sorted({e["run_name"] for e in benchmark_json["benchmarks"] if e.get("error_occurred")})


def operations_in_order(benchmark_json):
    seen = []
    for entry in benchmark_json["benchmarks"]:
        name = entry["run_name"].split("/")[0]
        if not name.endswith(":baseline") and name not in seen:
            seen.append(name)
    return seen


def format_time(us):
    if us is None:
        return "-"
    if us >= 1000:
        return f"{us / 1000:.2f} ms"
    return f"{us:.1f} us"


def operation_rows(times, cpu_times, operations):
    rows = []
    for operation in operations:
        median = times.get((operation, FULL_SITE))
        baseline = times.get((operation + ":baseline", FULL_SITE))
        ratio = median / baseline if median is not None and baseline else None
        if operation in LIMITS_US:
            limit = LIMITS_US[operation]
            goal = f"< {format_time(limit)}"
            met = median is not None and median < limit
        else:
            goal, met = "-", None
        rows.append({
            "operation": operation,
            "channels": FULL_SITE,
            "median_us": median,
            "cpu_median_us": cpu_times.get((operation, FULL_SITE)),
            "baseline_us": baseline,
            "ratio": ratio,
            "goal": goal,
            "met": met,
        })
    return rows


def growth_rows(times, spreads, operations):
    """Factor per doubling; above 2 it still counts as noise while within the two runs' spread
    (the sum of their coefficients of variation over the repetitions)."""
    rows = []
    for operation in operations:
        series = {c: t for (name, c), t in times.items() if name == operation}
        counts = sorted(series)
        pairs = [(a, b) for a, b in zip(counts, counts[1:]) if b == 2 * a]
        factors = [series[b] / series[a] for a, b in pairs]
        allowances = [2.0 * (1.0 + spreads.get((operation, a), 0.0) + spreads.get((operation, b), 0.0))
                      for a, b in pairs]
        worst = max(factors) if factors else None
        met = bool(factors) and all(f <= 2.0 for f in factors)
        noise = bool(factors) and not met and all(f <= l for f, l in zip(factors, allowances))
        rows.append({
            "operation": operation,
            "median_us": {str(c): series[c] for c in counts},
            "doubling_factors": factors,
            "noise_allowances": allowances,
            "worst_doubling": worst,
            "met": met,
            "within_noise": noise,
        })
    return rows


def editor_figures(lines):
    runs = [json.loads(line) for line in lines if line.strip()]
    if not runs:
        return None
    figures = {"runs": len(runs), "launch_clock": runs[0]["launch_clock"]}
    opens = [f"open_{name}_{figure}_ms" for name in OPEN_FORMATS
             for figure in ("first", "median", "cpu_median")]
    for key in ["main_entered_ms", "application_ms", "window_constructed_ms", "window_shown_ms",
                "rss_at_shown_mb"] + opens:
        figures[key] = statistics.median(run[key] for run in runs)
    figures["peak_rss_mb"] = max(run["peak_rss_mb"] for run in runs)
    figures["channels"] = runs[0]["channels"]
    figures["goals"] = {
        key: {"limit": limit, "unit": unit, "met": figures[key] < limit}
        for key, (limit, unit) in EDITOR_GOALS.items()
    }
    return figures


def action_figures(text):
    if not text.strip():
        return None
    actions = json.loads(text)
    for figure in actions["figures"]:
        limit = ACTION_GOALS_MS.get(figure["name"])
        figure["goal_ms"] = limit
        figure["met"] = None if limit is None else figure["median_ms"] < limit
    return actions


def verdict(met):
    return {True: "met", False: "MISSED", None: ""}[met]


def print_report(rows, growth, editor, actions, errors, load):
    print()
    print(f"File and table operations at {FULL_SITE} channels (medians, wall clock; "
          f"load average at the start {load})")
    print("(the goals are for the wall clock; the CPU time of the process, the raw I/O baseline")
    print("and the ratio to it are shown for comparison and are no goal)")
    print(f"{'operation':<{NAME_WIDTH}}{'median':>11}  {'goal':<11}{'':<8}{'cpu':>11}"
          f"{'baseline':>11}{'ratio':>9}")
    for row in rows:
        ratio = f"{row['ratio']:.1f}x" if row["ratio"] is not None else "-"
        print(f"{row['operation']:<{NAME_WIDTH}}{format_time(row['median_us']):>11}  "
              f"{row['goal']:<11}{verdict(row['met']):<8}{format_time(row['cpu_median_us']):>11}"
              f"{format_time(row['baseline_us']):>11}{ratio:>9}")
    print()
    print("Growth (median at each channel count; worst factor per doubling, goal <= 2;")
    print("'noise' = above 2 but within the spread of the repetitions)")
    counts = sorted({int(c) for row in growth for c in row["median_us"]})
    print(f"{'operation':<{NAME_WIDTH}}" + "".join(f"{c:>11}" for c in counts) + f"{'worst':>9}")
    for row in growth:
        cells = "".join(f"{format_time(row['median_us'].get(str(c))):>11}" for c in counts)
        worst = f"{row['worst_doubling']:.2f}" if row["worst_doubling"] is not None else "-"
        mark = "noise" if row["within_noise"] else verdict(row["met"])
        print(f"{row['operation']:<{NAME_WIDTH}}{cells}{worst:>9}  {mark}")
    if editor:
        print()
        print(f"Editor (offscreen, median of {editor['runs']} starts, "
              f"clock: {editor['launch_clock']})")
        print(f"{'main() entered':<34}{editor['main_entered_ms']:>9.1f} ms")
        print(f"{'QApplication ready':<34}{editor['application_ms']:>9.1f} ms")
        print(f"{'FrmDips constructed':<34}{editor['window_constructed_ms']:>9.1f} ms")
        goals = editor["goals"]
        print(f"{'window shown':<34}{editor['window_shown_ms']:>9.1f} ms   < 300 ms  "
              f"{verdict(goals['window_shown_ms']['met'])}")
        for name, title in OPEN_FORMATS.items():
            key = f"open_{name}_median_ms"
            print(f"{'open ' + str(editor['channels']) + '-channel ' + title + ' + repaint':<34}"
                  f"{editor[key]:>9.2f} ms   < 10 ms   {verdict(goals[key]['met']):<7}"
                  f"(cpu {editor[f'open_{name}_cpu_median_ms']:.2f} ms, "
                  f"first open {editor[f'open_{name}_first_ms']:.2f} ms)")
        print(f"{'peak resident memory':<34}{editor['peak_rss_mb']:>9.1f} MB   < 60 MB   "
              f"{verdict(goals['peak_rss_mb']['met'])}  (at shown "
              f"{editor['rss_at_shown_mb']:.1f} MB)")
    if actions:
        print()
        print(f"Editor actions at {actions['channels']} channels (offscreen; from the key press or "
              f"paste to the repainted grid;")
        print(f"median of {actions['runs']} runs, wall clock and the process's CPU time; the bench "
              f"site lists {actions['problems']} problems)")
        print(f"{'action':<{NAME_WIDTH}}{'median':>11}  {'goal':<11}{'':<8}{'cpu':>11}"
              f"{'min':>11}{'max':>11}")
        for figure in actions["figures"]:
            goal = f"< {figure['goal_ms']:.0f} ms" if figure["goal_ms"] is not None else "-"
            print(f"{figure['title']:<{NAME_WIDTH}}{format_time(figure['median_ms'] * 1000):>11}  "
                  f"{goal:<11}{verdict(figure['met']):<8}"
                  f"{format_time(figure['cpu_median_ms'] * 1000):>11}"
                  f"{format_time(figure['min_ms'] * 1000):>11}"
                  f"{format_time(figure['max_ms'] * 1000):>11}")
    for name in errors:
        print(f"FAILED: {name}")


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as f:
        benchmark_json = json.load(f)
    with open(sys.argv[2], encoding="utf-8") as f:
        editor = editor_figures(f.readlines())
    with open(sys.argv[3], encoding="utf-8") as f:
        actions = action_figures(f.read())
    times = aggregates(benchmark_json, "median")
    spreads = aggregates(benchmark_json, "cv")
    errors = errors_of(benchmark_json)
    operations = operations_in_order(benchmark_json)
    rows = operation_rows(times, aggregates(benchmark_json, "median", "cpu_time"), operations)
    growth = growth_rows(times, spreads, operations)
    context = benchmark_json.get("context", {})
    load = ", ".join(f"{value:.1f}" for value in context.get("load_avg", [])) or "unknown"
    print_report(rows, growth, editor, actions, errors, load)
    results = {
        "generated": datetime.now(timezone.utc).isoformat(timespec="seconds"),
        "machine": {key: context.get(key) for key in
                    ("host_name", "num_cpus", "mhz_per_cpu", "load_avg", "library_build_type")},
        "operations": rows,
        "growth": growth,
        "editor": editor,
        "actions": actions,
        "errors": errors,
    }
    with open(sys.argv[4], "w", encoding="utf-8") as f:
        json.dump(results, f, indent=2)
        f.write("\n")
    print()
    print(f"Written to {sys.argv[4]}")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
