#!/usr/bin/env bash
# Plants small faults in the core, one at a time, and reports how many of them the tests catch.
#
#   scripts/mutants.sh [--per-file N] [--seed S] [--timeout SECONDS] [--jobs J] [--out DIR]
#                      [FILE...]
#
# FILE: core sources to mutate (default: the readers, writers, checks, commands and recovery).
# For each file the mutants are taken in a fixed-seed order; those that do not compile, or
# compile to the same object as the original or as a mutant already taken, are skipped until N
# are taken (default 20). Each is built and the whole test suite run against it; a suite that
# fails, or runs longer than the timeout (default three times the unmutated suite's time),
# kills it. Mutants listed in scripts/mutants-equivalent.txt are not run and not scored.
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

# Runs the suite within $1 seconds; sets FAILED to the tests that failed, or "timeout". In the
# background, so that a signal to this script stops it at once (timeout makes it a group).
run_tests() {
    local status=0
    timeout --kill-after=10 "$1" nice ctest --test-dir "$BUILD" --parallel "$JOBS" \
        --stop-on-failure >"$LOG" 2>&1 &
    RUNNING=$!
    wait "$RUNNING" || status=$?
    RUNNING=""
    FAILED=""
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        FAILED=timeout
    elif [ "$status" -ne 0 ]; then
        FAILED="$(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) (.*/\1/p' "$LOG" | paste -sd ' ')"
    fi
    return "$status"
}

build_and_time_the_suite() {
    echo "Building the unmutated tree in $BUILD ..."
    build_all || { cat "$LOG"; exit 1; }
    local started=$SECONDS
    if ! run_tests 3600; then
        cat "$LOG"
        echo "The tests fail without a mutant; mend them first." >&2
        exit 1
    fi
    local baseline=$((SECONDS - started))
    [ -n "$TIMEOUT" ] || TIMEOUT=$((baseline * 3 > 120 ? baseline * 3 : 120))
    echo "The unmutated suite took ${baseline} s; a mutant's run stops after ${TIMEOUT} s."
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
    if run_tests "$TIMEOUT"; then
        survived=$((survived + 1))
        printf '  SURVIVED    %s\n' "$where"
        printf '%s\n\n' "$diff_lines" >>"$OUT/survivors.txt"
        printf 'survived\n%s\n\n' "$diff_lines" >>"$OUT/results.txt"
    else
        killed=$((killed + 1))
        printf '  killed      %s by %s\n' "$where" "$FAILED"
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
    killed=0 survived=0 equivalent=0 skipped=0
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
