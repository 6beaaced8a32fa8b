#!/usr/bin/env bash
# Cross-builds the editor, zr415-convert and every test for 64-bit Windows (the windows preset,
# in build-windows), runs the tests under Wine, makes the NSIS installer and the zip, installs
# the installer silently into a fresh Wine prefix and runs the installed programs from there.
#
# Qt for Windows comes from QT_WINDOWS_PREFIX when set, else from the tarball in
# ../shared/qt6-windows/ beside the work tree, else it is built once from Debian's qt6-base
# source into ${XDG_CACHE_HOME:-~/.cache}/zr415config/ (about 45 minutes on two cores).
# Arguments go to ctest (for example -R platform).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

WINDOWS_PACKAGES=(cmake ninja-build qt6-base-dev qt6-base-dev-tools g++-mingw-w64-x86-64-posix
    wine wine64 nsis xz-utils unzip unixodbc libsqliteodbc poppler-utils)
install_packages "${WINDOWS_PACKAGES[@]}"

started=$SECONDS
jobs="$(nproc)"
# The tests and the checks below need no display; Wine's own messages are noise here.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

# The host's Qt version: the Windows Qt must match it, as the host's moc and rcc generate code.
host_qt_version="$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/+.*//; s/-.*//')"

# Unpacks the shared tarball into build-windows-qt/ unless that copy is already there.
qt_from_tarball() {
    local tarball="$1" dir="$ROOT/build-windows-qt"
    local stamp
    stamp="$(stat -c '%s %Y' "$tarball") $(basename "$tarball")"
    if [ ! -f "$dir/.unpacked" ] || [ "$(cat "$dir/.unpacked")" != "$stamp" ]; then
        echo "Unpacking $tarball" >&2
        rm -rf "$dir"
        mkdir -p "$dir"
        tar -C "$dir" -xf "$tarball"
        echo "$stamp" >"$dir/.unpacked"
    fi
    echo "$dir/qt6-win"
}

# Debian's source of the host's Qt, configured for MinGW with the host's tools.
qt_from_source() {
    local cache="${XDG_CACHE_HOME:-$HOME/.cache}/zr415config"
    local prefix="$cache/qt-$host_qt_version-x86_64-w64-mingw32"
    if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
        echo "$prefix"
        return
    fi
    install_packages dpkg-dev
    local work="$cache/qt-build"
    mkdir -p "$work"
    local source_version
    source_version="$(dpkg-query -W -f='${source:Version}' qt6-base-dev)"
    if ! ls "$work"/qt6-base_*.orig.tar.xz >/dev/null 2>&1; then
        # apt-get source needs the deb-src entries that a minimal Debian leaves out.
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo=sudo
        if ! apt-get source --print-uris "qt6-base=$source_version" >/dev/null 2>&1; then
            if [ -f /etc/apt/sources.list.d/debian.sources ]; then
                sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
                    $sudo tee /etc/apt/sources.list.d/zr415config-deb-src.sources >/dev/null
            else
                sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
                    $sudo tee /etc/apt/sources.list.d/zr415config-deb-src.list >/dev/null
            fi
            $sudo apt-get update -qq
        fi
        (cd "$work" && apt-get source --download-only "qt6-base=$source_version") >&2
    fi
    echo "Building Qt $host_qt_version for Windows in $work (once; about 45 minutes)" >&2
    rm -rf "$work/qtbase-everywhere-src-$host_qt_version" "$work/build-win"
    tar -C "$work" -xf "$work"/qt6-base_*.orig.tar.xz
    # The toolchain of the recipe that made the shared tarball.
    cat >"$work/mingw.cmake" <<'TOOLCHAIN'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN
    cmake -S "$work/qtbase-everywhere-src-$host_qt_version" -B "$work/build-win" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$work/mingw.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON \
        -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF \
        -DFEATURE_sql_sqlite=OFF -DFEATURE_sql_odbc=ON -DFEATURE_sql_psql=OFF \
        -DFEATURE_sql_mysql=OFF -DFEATURE_sql_ibase=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
        -DFEATURE_system_freetype=OFF -DFEATURE_system_doubleconversion=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF >&2
    cmake --build "$work/build-win" --parallel "$jobs" >&2
    cmake --install "$work/build-win" >&2
    rm -rf "$work/qtbase-everywhere-src-$host_qt_version" "$work/build-win"
    echo "$prefix"
}

if [ -n "${QT_WINDOWS_PREFIX:-}" ]; then
    echo "Qt for Windows: $QT_WINDOWS_PREFIX (QT_WINDOWS_PREFIX)"
else
    tarball="$(ls "$ROOT"/../shared/qt6-windows/qt-"$host_qt_version"-x86_64-w64-mingw32.tar.xz \
        2>/dev/null | head -n 1 || true)"
    if [ -n "$tarball" ]; then
        QT_WINDOWS_PREFIX="$(qt_from_tarball "$tarball")"
    else
        QT_WINDOWS_PREFIX="$(qt_from_source)"
    fi
    echo "Qt for Windows: $QT_WINDOWS_PREFIX"
fi
export QT_WINDOWS_PREFIX

cd "$ROOT"
build="$ROOT/build-windows"
cmake --preset windows -DQT_WINDOWS_PREFIX="$QT_WINDOWS_PREFIX" >/dev/null
cmake --build --preset windows --parallel "$jobs"
echo "Built in $((SECONDS - started)) s; running the tests under Wine"
ctest --preset windows --parallel "$jobs" "$@"
# QTest's counts over every test program, and the reason of each test that Windows cannot run.
log="$build/Testing/Temporary/LastTest.log"
grep -h '^Totals:' "$log" |
    awk '{ p += $2; f += $4; s += $6 } END { printf "Wine: %d passed, %d failed, %d skipped\n", p, f, s }'
if grep -q '^SKIP' "$log"; then
    echo "Not run on Windows:"
    grep -h '^SKIP' "$log" | sed 's/^SKIP *: */  /'
fi

echo "== packages"
rm -f "$build"/zr415config-*-win64.exe "$build"/zr415config-*-win64.zip
(cd "$build" && cpack -G "NSIS;ZIP" >"$build/cpack.log") || {
    cat "$build/cpack.log" >&2
    exit 1
}
version="$(sed -n 's/^project(ZR415Config VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")"
installer="$build/zr415config-$version-win64.exe"
zip="$build/zr415config-$version-win64.zip"
ls -l "$installer" "$zip"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
pass() {
    echo "ok:   $*"
}

echo "== the installer, silently into a fresh Wine prefix"
work="$(mktemp -d)"
export WINEPREFIX="$work/prefix"
cleanup() {
    # Only this prefix's Wine processes: the ones started here.
    WINEPREFIX="$work/prefix" wineserver --kill 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
wine wineboot --init
# From C:, as a downloaded installer runs; into the default folder, as a user who clicks through
# gets it.
cp "$installer" "$WINEPREFIX/drive_c/"
wine "C:\\$(basename "$installer")" /S
wineserver --wait
bin="$WINEPREFIX/drive_c/Program Files/ZR415Config/bin"
for file in zr415config.exe zr415-convert.exe Qt6Core.dll Qt6Widgets.dll Qt6Sql.dll \
    Qt6PrintSupport.dll libstdc++-6.dll libwinpthread-1.dll platforms/qwindows.dll sqldrivers/qsqlodbc.dll; do
    if [ -f "$bin/$file" ]; then pass "installed $file"; else fail "not installed: $file"; fi
done
# Captured first: grep -q ending the pipe early would fail it under pipefail.
registered="$(wine reg query 'HKCR\.dip' 2>/dev/null || true)"
if grep -q 'ZR415Config.ChannelFile' <<<"$registered"; then
    pass ".dip files open with the editor"
else
    fail ".dip is not registered: $registered"
fi
zip_files="$(unzip -l "$zip")"
if grep -q "zr415config-$version-win64/bin/zr415config.exe" <<<"$zip_files" &&
    grep -q "zr415config-$version-win64/bin/platforms/qwindows.dll" <<<"$zip_files"; then
    pass "the zip holds the editor and its platform plugin"
else
    fail "the zip lacks bin/zr415config.exe or bin/platforms/qwindows.dll"
fi

echo "== the installed zr415-convert"
# Backslashes and a drive letter, as a user types them; the list goes in and comes back out.
mkdir -p "$WINEPREFIX/drive_c/sites"
printf 'AA01,K101,Back\r\nAA02,Weiche 12,\r\n' >"$WINEPREFIX/drive_c/sites/north.csv"
convert() { wine "C:\\Program Files\\ZR415Config\\bin\\zr415-convert.exe" "$@"; }
if convert 'C:\sites\north.csv' 'C:\sites\NORTH.DIP' 2>"$work/convert.txt"; then
    dip="$WINEPREFIX/drive_c/sites/NORTH.DIP"
    size="$(stat -c %s "$dip")"
    start="$(od -An -tx1 -N56 "$dip" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')"
    expected="ee ff c0 ff 03 00 03 00 80 01 00 00 00 00 00 00"
    expected+=" 4b 31 30 31 20 20 20 20 20 20 20 20 20 20 20 20 00 01 01 55 50 20 00 44 4e 20"
    expected+=" 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
    if [ "$size" = 15376 ] && [ "$start" = "$expected" ]; then
        pass "north.csv to NORTH.DIP: 384 channels, header and first channel"
    else
        fail "NORTH.DIP: $size bytes, starting $start"
    fi
    printf 'AA01,K101,Back\r\nAA02,Weiche 12,Front\r\nAA03,Spare AA03,Front\r\n' >"$work/back.csv"
    if convert 'C:\sites\NORTH.DIP' 'C:\sites\back.csv' 2>>"$work/convert.txt" &&
        cmp -s -n "$(stat -c %s "$work/back.csv")" "$work/back.csv" "$WINEPREFIX/drive_c/sites/back.csv"; then
        pass "NORTH.DIP back to a list"
    else
        fail "NORTH.DIP to back.csv: $(head -c 200 "$WINEPREFIX/drive_c/sites/back.csv" 2>/dev/null)"
    fi
    # The record needs the installed fonts and platform plugins: a PDF whose text is there.
    record="$WINEPREFIX/drive_c/sites/record.pdf"
    if convert 'C:\sites\NORTH.DIP' 'C:\sites\record.pdf' 2>>"$work/convert.txt" &&
        [ "$(head -c 5 "$record")" = "%PDF-" ] &&
        grep -q 'K101' <<<"$(pdftotext "$record" - 2>/dev/null)"; then
        pass "NORTH.DIP to a site record PDF that names K101"
    else
        fail "NORTH.DIP to record.pdf: $(tail -n 3 "$work/convert.txt")"
    fi
else
    fail "zr415-convert: $(cat "$work/convert.txt")"
fi

echo "== the installed editor, offscreen"
# Qt's painting log shows the main window drawn and flushed, which happens once it is shown;
# after that the editor opens the file given to it and shows its notice box.
WINEQT_FORCE_STDERR_LOGGING=1 WINEQT_LOGGING_RULES='qt.widgets.painting=true' \
    wine "C:\\Program Files\\ZR415Config\\bin\\zr415config.exe" -platform offscreen \
    'C:\sites\NORTH.DIP' >"$work/editor.txt" 2>&1 &
editor=$!
shown=""
for _ in $(seq 120); do
    if grep -q 'Painting and flushing.*FrmDips(' "$work/editor.txt" &&
        grep -q 'QMessageBox(' "$work/editor.txt"; then
        shown=yes
        break
    fi
    kill -0 "$editor" 2>/dev/null || break
    sleep 0.5
done
# Wine maps each DLL's file into the process: the Qt it runs is the installed one.
installed_qt="$(grep -c 'ZR415Config/bin/\(Qt6Widgets\|platforms/qoffscreen\)\.dll' \
    "/proc/$editor/maps" 2>/dev/null || true)"
if [ -n "$shown" ] && [ "${installed_qt:-0}" -gt 0 ] && kill -0 "$editor" 2>/dev/null; then
    pass "the editor showed its window, then the box of the file it opened, with the installed Qt"
else
    fail "the editor did not show its window within 60 s: $(grep -v '^qt.widgets' "$work/editor.txt" | head -n 20)"
fi
kill "$editor" 2>/dev/null || true
wait "$editor" 2>/dev/null || true

echo "scripts/windows.sh took $((SECONDS - started)) s"
if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) of the installed programs failed"
    exit 1
fi
echo "Windows: tests passed under Wine; $(basename "$installer") and $(basename "$zip") install and run."
