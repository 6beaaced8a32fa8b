# Shared by the Windows scripts: throwaway Wine prefixes and the checks on what the packages leave.
# Sourced after common.sh.

# Gecko and Mono are not needed and their installers would ask with a window; winemenubuilder
# would copy the prefixes' Start menu entries and icons into the host's menus.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# A fresh prefix at $1, in WINEPREFIX; its wineserver is ended by end_prefix. The first one is
# made by wineboot (most of a minute on a loaded machine) and kept beside it as a template;
# the next ones in that folder are copies.
new_prefix() {
    local template
    template="$(dirname "$1")/prefix.template"
    if [ ! -d "$template" ]; then
        WINEPREFIX="$template" wine wineboot --init >/dev/null 2>&1
        WINEPREFIX="$template" settle_prefix 300
    fi
    cp -a "$template" "$1"
    export WINEPREFIX="$1"
}
end_prefix() {
    wineserver --kill 2>/dev/null || true
}
# Passes once every program of the prefix has ended and its wineserver has written the registry
# files and gone, within $1 seconds (two minutes). A program still running then is ended and
# fails the check, so that one that hangs cannot hold the whole run.
settle_prefix() {
    local seconds="${1:-120}"
    timeout "$seconds" wineserver --wait && return 0
    fail "Wine programs still running after $seconds s; ended"
    end_prefix
}

# The prefix's folders as Linux paths.
drive_c() { echo "$WINEPREFIX/drive_c"; }
user_folder() { echo "$WINEPREFIX/drive_c/users/$(id -un)"; }
per_user_programs() { echo "$(user_folder)/AppData/Local/Programs"; }
user_start_menu() { echo "$(user_folder)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"; }
common_start_menu() { echo "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"; }

# True when the registry key exists (reg query fails on a missing key).
has_key() {
    wine reg query "$1" >/dev/null 2>&1
}
# The key's values and subkeys as reg prints them, for messages.
key_text() {
    wine reg query "$1" /s 2>/dev/null | tr -d '\r' | grep -v '^$' || true
}

# Fails for every file of the prefix named after the program and every registry line that names
# it, the editor's own settings and data folder (recovery copies) aside: a user's settings and
# work outlive the program.
check_nothing_left() {
    local what="$1"
    settle_prefix # writes the registry files
    local files keys
    files="$(find "$(drive_c)" -iname '*zr415*' -not -path '*/AppData/Roaming/ZR415Config*' \
        2>/dev/null | sed "s|^$(drive_c)/|C:/|")"
    keys="$(grep -i -h 'zr415' "$WINEPREFIX"/*.reg | grep -v 'VB and VBA Program Settings' || true)"
    if [ -z "$files" ] && [ -z "$keys" ]; then
        pass "$what left no file, shortcut or key"
    else
        fail "$what left: $(head -n 5 <<<"$files") $(head -n 5 <<<"$keys")"
    fi
}

# Starts an installed editor offscreen with a file and passes once its window was painted and
# the box of the opened file shown, with the Qt libraries beside it.
check_editor_starts() {
    local exe="$1" file="$2" bin="$3" log
    log="$(mktemp)"
    WINEQT_FORCE_STDERR_LOGGING=1 WINEQT_LOGGING_RULES='qt.widgets.painting=true' \
        wine "$exe" -platform offscreen "$file" >"$log" 2>&1 &
    local editor=$! shown=""
    for _ in $(seq 240); do
        if grep -q 'Painting and flushing.*FrmDips(' "$log" && grep -q 'QMessageBox(' "$log"; then
            shown=yes
            break
        fi
        kill -0 "$editor" 2>/dev/null || break
        sleep 0.5
    done
    # Wine maps each DLL's file into the process: the Qt it runs is the one installed beside it.
    local installed_qt
    installed_qt="$(grep -c "$bin/\(Qt6Widgets\|platforms/qoffscreen\)\.dll" \
        "/proc/$editor/maps" 2>/dev/null || true)"
    if [ -n "$shown" ] && [ "${installed_qt:-0}" -gt 0 ] && kill -0 "$editor" 2>/dev/null; then
        pass "the editor in ${bin#$(drive_c)/} showed its window and the opened file's box"
    else
        fail "the editor in $bin did not show its window within 120 s: $(grep -v '^qt.widgets' "$log" | head -n 20)"
    fi
    kill "$editor" 2>/dev/null || true
    wait "$editor" 2>/dev/null || true
    rm -f "$log"
}
