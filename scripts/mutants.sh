#!/usr/bin/env bash
# Plants small faults in the core, one at a time, and reports how many of them the tests catch.
#
#   scripts/mutants.sh [--per-file N] [--seed S] [--timeout SECONDS] [--jobs J] [--out DIR]
#                      [FILE...]
#
# FILE: core sources to mutate (default: the readers, writers, checks, commands and recovery).
# For each file the mutants are taken in a fixed-seed order; those that do not compile, or
# compile to the same object as the original or as a mutant already taken, are skipped until N
# are taken (default 20). Each is built and the test suite run against it, all but the repeats
# of its scenarios under X11; a suite that fails, or runs longer than the timeout (default three
# times the unmutated suite's time, at least a minute), kills it. The tests that caught the
# file's earlier mutants run first, one at a time, each within three times its own time.
# Mutants listed in scripts/mutants-equivalent.txt are not run and not scored.
#
# The work happens in a copy of the working tree, DIR/tree (built in its build/; DIR defaults to
# build-mutants), so the tree you edit is never mutated, and a run keeps the scripts and tests
# it started with. Writes DIR/survivors.txt (each survivor's diff lines, in the form the
# equivalents file takes) and DIR/results.txt (every mutant). Runs niced; two runs need two
# DIRs.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

PER_FILE=20
SEED=1
TIMEOUT=""
JOBS="$(nproc)"
FILES=()
OUT="$ROOT/build-mutants"

parse_options() {
    while [ $# -gt 0 ]; do
        case "$1" in
        --per-file) PER_FILE="$2"; shift 2 ;;
        --seed) SEED="$2"; shift 2 ;;
        --timeout) TIMEOUT="$2"; shift 2 ;;
        --jobs) JOBS="$2"; shift 2 ;;
        --out) OUT="$(realpath -m "$2")"; shift 2 ;;
        -h | --help)
            awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"
            exit 0 ;;
        -*) echo "Unknown option: $1" >&2; exit 2 ;;
        *) FILES+=("$(realpath --relative-to="$ROOT" "$1")"); shift ;;
        esac
    done
    cd "$ROOT"
    if [ ${#FILES[@]} -eq 0 ]; then
        FILES=(src/core/document/*.cpp src/core/checks/*.cpp src/core/commands/*.cpp
            src/core/corvane/*.cpp src/core/common/AtomicFile.cpp src/core/common/ChannelLabel.cpp)
    fi
    TREE="$OUT/tree"
    BUILD="$TREE/build"
    HELPER="$TREE/scripts/mutants.py"
    EQUIVALENTS="$TREE/scripts/mutants-equivalent.txt"
    IN_PLACE="$OUT/in-place" # names the tree's file that holds a mutant
    ORIGINAL="$OUT/original"
    LOG="$OUT/log"
}

put_back() {
    if [ -f "$IN_PLACE" ]; then
        cp "$ORIGINAL" "$TREE/$(cat "$IN_PLACE")"
        rm -f "$IN_PLACE"
    fi
}

RUNNING="" # the process group of the test run under way
stop() {
    if [ -n "$RUNNING" ]; then
        kill -TERM -- "-$RUNNING" 2>/dev/null || kill -TERM "$RUNNING" 2>/dev/null || true
    fi
    exit "$1"
}

# Takes the output folder, puts back what a stopped run left, copies the tree and configures.
set_up() {
    mkdir -p "$OUT"
    exec 9>"$OUT/lock"
    flock -n 9 || { echo "Another run is using $OUT; give this one --out." >&2; exit 1; }
    if [ -f "$IN_PLACE" ]; then
        echo "A stopped run left a mutant in $(cat "$IN_PLACE"); putting the original back."
        put_back
    fi
    trap put_back EXIT
    trap 'stop 130' INT
    trap 'stop 143' TERM
    git ls-files -z --cached --others --exclude-standard |
        python3 "$ROOT/scripts/mutants.py" sync "$ROOT" "$TREE"
    local options=(-DCMAKE_BUILD_TYPE=Release -DZR415_BUILD_TESTS=ON -DZR415_WARNINGS_AS_ERRORS=ON
        -DCMAKE_PROJECT_INCLUDE="$TREE/scripts/mutants-shared-core.cmake")
    command -v ccache >/dev/null && options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    nice cmake -S "$TREE" -B "$BUILD" -G Ninja "${options[@]}" >"$LOG" 2>&1 ||
        { cat "$LOG"; exit 1; }
    export QT_QPA_PLATFORM=offscreen
}

build_all() {
    nice cmake --build "$BUILD" --parallel "$JOBS" >"$LOG" 2>&1
}

# Runs the tests ctest's options $2... select within $1 seconds; sets FAILED to the tests that
# failed, or "timeout", and FAILED_CASES to the golden cases and scenarios that failed. In the
# background, so that a signal to this script stops it at once (timeout makes it a group).
run_tests() {
    local status=0 limit="$1"
    shift
    # QTest's stack dump on the time-out's signal attaches gdb, which holds the test stopped
    # past the run; a mutant's run needs no stack.
    QTEST_DISABLE_STACK_DUMP=1 timeout --kill-after=10 "$limit" \
        nice ctest --test-dir "$BUILD" --parallel "$JOBS" \
        --stop-on-failure --output-on-failure "$@" >"$LOG" 2>&1 &
    RUNNING=$!
    wait "$RUNNING" || status=$?
    RUNNING=""
    FAILED=""
    FAILED_CASES="$(sed -n 's/^FAIL!  : [A-Za-z_]*::[A-Za-z_]*(\([^)]*\)).*/\1/p' "$LOG")"
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        FAILED=timeout
    elif [ "$status" -ne 0 ]; then
        FAILED="$(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) (.*/\1/p' "$LOG" | paste -sd ' ')"
    fi
    return "$status"
}

# Tests that play the same cases as another on a second platform: the core a mutant is in does
# not see the platform, and a run takes half as long without them.
REPEATS='.*_x11'

# How long each test may run alone: three times its unmutated time and ten seconds.
declare -A TEST_LIMIT=()
# The tests that caught this file's mutants so far, latest first, and the cases within them.
KILLERS=()
KILLER_CASES=()

# Puts $2... first in the array named $1, once each.
put_first() {
    local -n list="$1"
    shift
    local item kept=()
    for item in "${list[@]}"; do
        [[ " $* " == *" $item "* ]] || kept+=("$item")
    done
    list=("$@" "${kept[@]}")
}

# Runs the whole suite on a mutant, but first, one at a time, the tests that caught this file's
# mutants before: most mutants are caught by them in seconds. A scenario runner plays first the
# cases that failed before, waits 5 s (not a minute) for a state, and stops at its first
# failed case.
run_suite() {
    local test others=""
    export ZR415_STOP_AT_FAILURE=1 ZR415_PATIENCE_MS=5000 ZR415_FIRST_CASES
    ZR415_FIRST_CASES="$(IFS=,; echo "${KILLER_CASES[*]}")"
    for test in "${KILLERS[@]}"; do
        run_tests "${TEST_LIMIT[$test]:-$TIMEOUT}" -R "^${test//./\\.}\$" || return 1
        others+="${others:+|}${test//./\\.}"
    done
    run_tests "$TIMEOUT" -E "^(${others:+$others|}$REPEATS)\$"
}

build_and_time_the_suite() {
    echo "Building the unmutated tree in $BUILD ..."
    build_all || { cat "$LOG"; exit 1; }
    local started=$SECONDS
    if ! run_tests 3600 -E "^($REPEATS)\$"; then
        cat "$LOG"
        echo "The tests fail without a mutant; mend them first." >&2
        exit 1
    fi
    local baseline=$((SECONDS - started)) test seconds
    [ -n "$TIMEOUT" ] || TIMEOUT=$((baseline * 3 > 60 ? baseline * 3 : 60))
    echo "The unmutated suite took ${baseline} s; a mutant's run stops after ${TIMEOUT} s."
    while read -r test seconds; do
        TEST_LIMIT[$test]=$((${seconds%.*} * 3 + 10))
    done < <(sed -n 's/^.* Test *#[0-9]*: \([^ ]*\) \.*   Passed *\([0-9.]*\) sec$/\1 \2/p' "$LOG")
}

object_of() {
    local within="${1#src/core/}"
    nice ninja -C "$BUILD" -t targets all |
        sed -n "s|^\(src/core/CMakeFiles/zr415core\.dir/${within//./\\.}\.o\): .*|\1|p"
}

# Runs one mutant already in place and compiled; counts it and records it. Fails when the
# programs do not build with it.
judge() {
    local diff_lines="$1" where reason
    where="$(head -n 1 <<<"$diff_lines")"
    if reason="$(python3 "$HELPER" reason "$EQUIVALENTS" <<<"$diff_lines")"; then
        equivalent=$((equivalent + 1))
        printf '  equivalent  %s (%s)\n' "$where" "$reason"
        printf 'equivalent\n%s\n\n' "$diff_lines" >>"$OUT/results.txt"
        return 0
    fi
    build_all || return 1
    local started=$SECONDS
    if run_suite; then
        survived=$((survived + 1))
        printf '  SURVIVED    %s (%d s)\n' "$where" $((SECONDS - started))
        printf '%s\n\n' "$diff_lines" >>"$OUT/survivors.txt"
        printf 'survived\n%s\n\n' "$diff_lines" >>"$OUT/results.txt"
    else
        killed=$((killed + 1))
        [ "$FAILED" = timeout ] || put_first KILLERS $FAILED
        # shellcheck disable=SC2086 # case names hold no spaces
        put_first KILLER_CASES $FAILED_CASES
        printf '  killed      %s by %s (%d s)\n' "$where" "$FAILED" $((SECONDS - started))
        printf 'killed by %s\n%s\n\n' "$FAILED" "$diff_lines" >>"$OUT/results.txt"
    fi
}

mutate_file() {
    local file="$1" object number diff_lines hash taken=0
    object="$(object_of "$file")"
    [ -n "$object" ] || { echo "$file is not a source of the core library." >&2; exit 2; }
    cp "$TREE/$file" "$ORIGINAL"
    nice ninja -C "$BUILD" "$object" >"$LOG" 2>&1 || { cat "$LOG"; exit 1; }
    local -A seen=(["$(sha256sum <"$BUILD/$object")"]=1)
    killed=0 survived=0 equivalent=0 skipped=0 KILLERS=() KILLER_CASES=()
    for number in $(python3 "$HELPER" order "$SEED" "$file" "$ORIGINAL"); do
        [ "$taken" -lt "$PER_FILE" ] || break
        echo "$file" >"$IN_PLACE"
        diff_lines="$(python3 "$HELPER" apply "$file" "$ORIGINAL" "$number" "$TREE/$file")"
        if ! nice timeout 600 ninja -C "$BUILD" "$object" >"$LOG" 2>&1; then
            skipped=$((skipped + 1))
            continue
        fi
        hash="$(sha256sum <"$BUILD/$object")"
        # The same code as the original or as a mutant taken: nothing new to learn.
        if [ -n "${seen[$hash]:-}" ]; then
            skipped=$((skipped + 1))
            continue
        fi
        seen[$hash]=1
        taken=$((taken + 1))
        if ! judge "$diff_lines"; then
            taken=$((taken - 1))
            skipped=$((skipped + 1))
        fi
    done
    put_back
}

main() {
    parse_options "$@"
    set_up
    build_and_time_the_suite
    : >"$OUT/results.txt"
    : >"$OUT/survivors.txt"
    local file summary=() all_killed=0 all_survived=0 all_equivalent=0 all_skipped=0
    for file in "${FILES[@]}"; do
        mutate_file "$file"
        summary+=("$(printf '%-45s %3d killed %3d survived %3d equivalent %4d skipped' "$file" \
            "$killed" "$survived" "$equivalent" "$skipped")")
        echo "${summary[-1]}"
        all_killed=$((all_killed + killed))
        all_survived=$((all_survived + survived))
        all_equivalent=$((all_equivalent + equivalent))
        all_skipped=$((all_skipped + skipped))
    done
    if [ ${#summary[@]} -gt 1 ]; then
        echo
        printf '%s\n' "${summary[@]}"
    fi
    local scored=$((all_killed + all_survived))
    echo
    echo "Mutants: $((scored + all_equivalent)) taken ($all_equivalent equivalent)," \
        "$all_skipped skipped (not compiling or the same code)"
    if [ "$scored" -gt 0 ]; then
        echo "Score: $all_killed of $scored killed," \
            "$(awk "BEGIN { printf \"%.1f\", 100 * $all_killed / $scored }")%"
    fi
    echo "Survivors: $OUT/survivors.txt; every mutant: $OUT/results.txt"
    echo "Took $((SECONDS / 60)) min."
}

# Whole before it runs: bash reads a script as it goes, and this one runs for hours.
main "$@"
exit
