#!/usr/bin/env bash
# The installed editor in a real window under Wine: Qt's windows platform on Xvfb with a window
# manager, with Windows' fonts (Wine's Tahoma and MS Sans Serif; Segoe UI, which Debian lacks,
# stood in for by the wider DejaVu Sans). At 96 and 144 DPI the window layout test runs in the
# windows platform (the grid shows its columns and scroll bar whole, no horizontal scroll bar),
# and the installed editor is photographed; the screenshots stay in the build folder for review.
# With --keys first: by keys, New, two names typed, Save As C:\sites\NORTH.dip, close; reopen
# it from the recent files, Save As C:\sites\AGAIN.dip, close. Both files must be the bytes the
# Linux converter writes for the same names. A key lost on a loaded machine is met by opening
# the menu again; each step waits for the window it brings up.
# Arguments: [--keys] the installer, the Windows build folder, the Linux zr415-convert.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/wine.sh"

keys=""
if [ "${1:-}" = --keys ]; then
    keys=yes
    shift
fi
installer="$1" build="$2" linux_convert="$3"
rm -f "$build"/window-*.png
work="$(mktemp -d)"
xvfb="" wm="" editor=""
cleanup() {
    end_prefix
    [ -z "$wm" ] || kill "$wm" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A display of its own: Xvfb picks a free number and writes it out.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
openbox >/dev/null 2>&1 &
wm=$!
# The window manager is up once it names itself on the root window.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

new_prefix "$work/prefix"
# Qt does not find the Tahoma and MS Sans Serif of Wine's data folder (it falls back to a serif
# font); registered in the prefix's Fonts, it does.
wine_fonts=/usr/share/wine/fonts
fonts_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
for font in 'Tahoma:tahoma.ttf' 'Tahoma Bold:tahomabd.ttf' 'MS Sans Serif:ms_sans_serif.ttf'; do
    cp "$wine_fonts/${font#*:}" "$(drive_c)/windows/Fonts/"
    wine reg add "$fonts_key" /v "${font%%:*} (TrueType)" /d "${font#*:}" /f >/dev/null 2>&1
done
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Segoe UI' /d 'DejaVu Sans' /f >/dev/null 2>&1
wine "$(winepath -w "$installer")" /S
settle_prefix
exe="$(per_user_programs)/ZR415Config/bin/zr415config.exe"
mkdir -p "$(drive_c)/sites"

set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
        /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    settle_prefix 60
}

# The visible windows whose name matches $1; fails when no search could finish. xdotool ends on
# an X error, listing nothing, when a window goes while it walks the tree, and Wine makes and
# drops many windows as a menu or dialog opens or closes: such a search is done again.
visible_windows() {
    local found
    for _ in $(seq 10); do
        found="$(xdotool search --onlyvisible --name "$1" 2>"$work/xdotool.err")" || true
        if ! grep -q 'X Error' "$work/xdotool.err"; then
            [ -z "$found" ] || echo "$found"
            return 0
        fi
        sleep 0.1
    done
    return 1
}
# The first visible window whose name matches, within $2 seconds (a minute); empty when none came.
find_window() {
    local deadline=$((SECONDS + ${2:-60})) window
    while :; do
        window="$(visible_windows "$1" | head -n 1)" || true
        [ -z "$window" ] || break
        [ "$SECONDS" -lt "$deadline" ] || break
        sleep 0.25
    done
    echo "$window"
}
# Chooses the File menu's item by its key once the menu shows (a popup window named after the
# program), and passes once the menu closed and "$2 ..." passes. A menu that did not open, or a
# key that went astray on a loaded machine, is closed by Escape and tried again.
file_menu() {
    local key="$1"
    shift
    for _ in 1 2 3; do
        activate_editor
        xdotool key alt+f
        if [ -n "$(find_window '^ZR415Config$' 20)" ]; then
            xdotool key "$key"
            if gone_within 20 '^ZR415Config$' && "$@"; then
                return 0
            fi
        fi
        xdotool key Escape Escape
        gone_within 20 '^ZR415Config$' || true
    done
    return 1
}
# Passes once a window named $1 shows, within 20 s.
shows() {
    [ -n "$(find_window "$1" 20)" ]
}
# The editor's message box, within $1 seconds: named like the untitled main window, so told
# apart from it by its height.
find_box() {
    local window HEIGHT=""
    for _ in $(seq $(($1 * 2 + 1))); do
        for window in $(visible_windows '^ZR415 configuration editor$'); do
            HEIGHT=""
            eval "$(xdotool getwindowgeometry --shell "$window" 2>/dev/null | grep '^HEIGHT=')"
            if [ "${HEIGHT:-1000}" -lt 400 ]; then
                echo "$window"
                return 0
            fi
        done
        sleep 0.5
    done
    return 1
}
box_shows() {
    find_box 20 >/dev/null
}
# Passes when a search finished and found no visible window named $1.
none_named() {
    local windows
    windows="$(visible_windows "$1")" && [ -z "$windows" ]
}
# Passes once no visible window is named $2 within $1 seconds.
gone_within() {
    for _ in $(seq $(($1 * 2))); do
        none_named "$2" && return 0
        sleep 0.5
    done
    return 1
}
# Passes once file $2 is there, within $1 seconds.
file_within() {
    for _ in $(seq $(($1 * 2))); do
        [ -f "$2" ] && return 0
        sleep 0.5
    done
    return 1
}
# Gives the editor's main window the keyboard (after a dialog Wine may leave it elsewhere).
activate_editor() {
    local window
    window="$(find_window 'ZR415 configuration editor$' 5)"
    [ -z "$window" ] || xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
}
# Answers the box that opening a file shows, then passes once it is gone.
answer_box() {
    local box
    box="$(find_box 10)" || return 1
    xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
    xdotool key Return
    for _ in $(seq 40); do
        find_box 0 >/dev/null || return 0
        sleep 0.5
    done
    return 1
}
screenshot() {
    import -window root "$build/window-$1.png" 2>/dev/null || true
}
start_editor() {
    # An editor still open would answer for the new one.
    no_editor_left
    wine "$exe" >>"$work/editor.log" 2>&1 &
    editor=$!
    local window
    window="$(find_window 'ZR415 configuration editor')"
    [ -n "$window" ] || return 1
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    sleep 1
}
# Ends the editor by Ctrl+Q (openbox under Wine does not pass Alt+F4 on), then by File > Exit,
# and passes once its process ended and no window of it remains, within 30 s each.
editor_gone() {
    for _ in $(seq 60); do
        if ! kill -0 "$editor" 2>/dev/null && none_named 'ZR415 configuration editor'; then
            return 0
        fi
        sleep 0.5
    done
    return 1
}
# Ends the editor a failed step left open, so that the next steps start from none.
no_editor_left() {
    [ -z "$editor" ] || editor_gone || end_prefix
    editor=""
}
close_editor() {
    activate_editor
    xdotool key ctrl+q
    editor_gone && return 0
    activate_editor
    xdotool key alt+f
    [ -z "$(find_window '^ZR415Config$' 20)" ] || xdotool key x
    editor_gone
}
# Passes once window $1 has the keyboard, within 10 s.
focused() {
    for _ in $(seq 20); do
        xdotool windowactivate "$1" >/dev/null 2>&1 || true
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0
        sleep 0.5
    done
    return 1
}
# Save As through the system's file dialog: whatever name it offers replaced by the one typed,
# without its extension; the dialog adds .dip. Passes once the dialog closed and the file is
# there; else leaves a screenshot and closes the dialog.
save_as() {
    local name="$1" dialog
    file_menu a shows 'Save site as' || return 1
    dialog="$(find_window 'Save site as' 5)"
    if [ -n "$dialog" ] && focused "$dialog"; then
        xdotool key End shift+Home
        xdotool type --delay 50 "C:\\sites\\$name"
        xdotool key Return
        gone_within 30 'Save site as' && file_within 30 "$(drive_c)/sites/$name.dip" && return 0
    fi
    screenshot "save-as-$name-failed"
    xdotool key Escape
    return 1
}

# By keys: the editor's files saved and reopened through its menus and Wine's file dialog.
keys_scenario() {
    echo "== the editor in a real window, by keys"
    set_dpi 96
    if start_editor; then
        xdotool key ctrl+n
        sleep 1
        xdotool key ctrl+Home
        xdotool type --delay 50 'NORTH 1'
        xdotool key Return
        # The first name taken marks the window's title as changed.
        [ -n "$(find_window '\*.*ZR415 configuration editor' 20)" ] || fail "the typed name did not reach the grid"
        xdotool type --delay 50 'NORTH 2'
        xdotool key Return
        sleep 1
        screenshot typed
        check "Save As C:\\sites\\NORTH.dip in the file dialog" save_as NORTH
        check "the editor closes" close_editor
    else
        fail "the installed editor showed no window: $(tail -n 5 "$work/editor.log")"
    fi
    if start_editor; then
        check "reopened from the recent files" file_menu 1 box_shows
        check "the box of the opened file answered" answer_box
        check "the reopened site named in the title" shows '^NORTH - ZR415 configuration editor'
        screenshot reopened
        check "Save As C:\\sites\\AGAIN.dip" save_as AGAIN
        check "the editor closes again" close_editor
    else
        fail "the installed editor did not start again: $(tail -n 5 "$work/editor.log")"
    fi
    no_editor_left
    printf 'AA01,NORTH 1\r\nAA02,NORTH 2\r\n' >"$work/north.csv"
    "$linux_convert" "$work/north.csv" "$work/expected.dip" 2>/dev/null ||
        fail "$linux_convert did not turn the typed names into a .dip"
    for name in NORTH.dip AGAIN.dip; do
        check "$name holds the bytes the Linux converter writes" \
            cmp "$work/expected.dip" "$(drive_c)/sites/$name"
    done
}
[ -z "$keys" ] || keys_scenario

# The grid fits the window in the fonts of the prefix and in a Segoe UI as wide as DejaVu Sans.
qt_plugins="$(winepath -w "$QT_WINDOWS_PREFIX/plugins")"
dlls="$(winepath -w "$build/wine-dlls")"
for dpi in 96 144; do
    echo "== the grid at $dpi DPI"
    set_dpi "$dpi"
    if start_editor; then
        screenshot "${dpi}dpi"
        close_editor || no_editor_left
    fi
    for font in "" Tahoma "Segoe UI"; do
        log="$work/layout.txt" fonts="the prefix's fonts"
        [ -z "$font" ] || fonts="$font"
        if WINEPATH="$dlls" WINEQT_PLUGIN_PATH="$qt_plugins" WINEQT_QPA_PLATFORM=windows \
            WINEQT_FORCE_STDERR_LOGGING=1 ZR415_TEST_FONT="$font" \
            timeout 300 wine "$build/tests/windows/tst_windowlayout.exe" sixteenCapitalsShowWhole >"$log" 2>&1 &&
            grep -q '^PASS   : TestWindowLayout::sixteenCapitalsShowWhole' "$log"; then
            pass "$dpi DPI, $fonts: no horizontal scroll bar, every column whole"
        else
            fail "$dpi DPI, $fonts: $(grep -E 'FAIL|Loc|Actual|Expected|SKIP' "$log" | head -n 8)"
        fi
    done
done
echo "Screenshots: $(ls "$build"/window-*.png 2>/dev/null | tr '\n' ' ')"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) in the real window failed"
    exit 1
fi
