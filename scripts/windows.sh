#!/usr/bin/env bash
# Cross-builds the editor, zr415-convert and every test for 64-bit Windows (the windows preset,
# in build-windows), runs the tests under Wine, makes the NSIS installer, the MSI and the zip
# (signed, with a throwaway certificate unless ZR415_SIGN_PKCS12 names one), and checks them:
# sizes, signatures, every package installed, run and uninstalled under Wine
# (scripts/windows-install.sh), and the editor's layout in a real window
# (scripts/windows-window.sh).
#
# Qt for Windows comes from QT_WINDOWS_PREFIX when set, else from the tarball in
# ../shared/qt6-windows/ beside the work tree, else it is built once from Debian's qt6-base
# source into ${XDG_CACHE_HOME:-~/.cache}/zr415config/ (about 45 minutes on two cores).
# Arguments go to ctest (for example -R platform).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# fonts-wine holds Wine's Tahoma and MS Sans Serif; wixl, msitools and python3 make the MSI; Xvfb,
# openbox, xdotool and ImageMagick run and photograph the real window.
WINDOWS_PACKAGES=(cmake ninja-build qt6-base-dev qt6-base-dev-tools g++-mingw-w64-x86-64-posix
    wine wine64 fonts-wine nsis wixl msitools python3 osslsigncode openssl xz-utils unzip unixodbc
    libsqliteodbc poppler-utils xvfb xauth openbox xdotool imagemagick fonts-dejavu-core)
install_packages "${WINDOWS_PACKAGES[@]}" "${BUILD_PACKAGES[@]}"
source "$ROOT/scripts/wine.sh"

started=$SECONDS
jobs="$(nproc)"
# The tests need no display; the real window gets one of its own.
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
launcher=()
# ccache where the machine has it: a second run rebuilds only what changed.
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake --preset windows -DQT_WINDOWS_PREFIX="$QT_WINDOWS_PREFIX" "${launcher[@]}" >/dev/null
cmake --build --preset windows --parallel "$jobs"
echo "Built in $((SECONDS - started)) s; running the tests under Wine"
log="$build/Testing/Temporary/LastTest.log"
# Each failed test's failing rows (QTest's FAIL! lines with their place and values), or the end
# of its output where it printed none (a crash, a time-out), so a CI log explains itself.
print_failed_rows() {
    awk '
        /^[0-9]+\/[0-9]+ Testing: / { name = $3; n = 0; rows = ""; delete tail }
        /^(FAIL!|   Loc:|   Actual|   Expected|QFATAL|QWARN)/ { rows = rows "  " $0 "\n" }
        { tail[n++ % 12] = $0 }
        /^Test Failed/ || /^Test (Timeout|Exception)/ {
            printf "Failed under Wine: %s\n", name
            if (rows != "") printf "%s", rows
            else for (i = n - 12; i < n; i++) if (i >= 0) printf "  %s\n", tail[i % 12]
        }' "$log"
}
# The failed tests when none of them printed a word: each test prints its name first, so these
# never ran. Wine says nothing when it cannot start a program with its debug channels off, and
# did so once in a CI run of a test that passes.
unstarted_tests() {
    awk '
        /^[0-9]+\/[0-9]+ Testing: / { name = $3 }
        /^Output:/ { getline; getline; silent = ($0 == "<end of output>") }
        /^Test (Failed|Timeout|Exception)/ { if (silent) names = names " " name; else spoke = 1 }
        END { if (!spoke) print names }' "$log"
}
results=("$log")
if ! ctest --preset windows --parallel "$jobs" "$@"; then
    unstarted="$(unstarted_tests)"
    if [ -z "$unstarted" ]; then
        print_failed_rows
        exit 1
    fi
    cp "$log" "$build/first-run.log"
    results=("$build/first-run.log" "$log")
    echo "Wine did not start$unstarted; once more:"
    if ! ctest --preset windows --rerun-failed --output-on-failure; then
        print_failed_rows
        exit 1
    fi
fi
# QTest's counts over every test program, and the reason of each test that Windows cannot run.
grep -h '^Totals:' "${results[@]}" |
    awk '{ p += $2; f += $4; s += $6 } END { printf "Wine: %d passed, %d failed, %d skipped\n", p, f, s }'
if grep -q '^SKIP' "${results[@]}"; then
    echo "Not run on Windows:"
    grep -h '^SKIP' "${results[@]}" | sed 's/^SKIP *: */  /'
fi

echo "== packages"
# Signed with the certificate given, or with a throwaway one so that signing is always checked.
certificate_dir="$build/throwaway-certificate"
if [ -z "${ZR415_SIGN_PKCS12:-}" ]; then
    rm -rf "$certificate_dir"
    mkdir -p "$certificate_dir"
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=ZR415Config throwaway" \
        -addext extendedKeyUsage=codeSigning -keyout "$certificate_dir/key.pem" \
        -out "$certificate_dir/certificate.pem" 2>/dev/null
    openssl pkcs12 -export -inkey "$certificate_dir/key.pem" -in "$certificate_dir/certificate.pem" \
        -out "$certificate_dir/certificate.p12" -passout pass:throwaway
    export ZR415_SIGN_PKCS12="$certificate_dir/certificate.p12" ZR415_SIGN_PASSWORD=throwaway
    ZR415_SIGN_CA="$certificate_dir/certificate.pem"
fi
rm -f "$build"/zr415config-*-win64.*
(cd "$build" && cpack -G "NSIS;ZIP;External" >"$build/cpack.log" 2>&1) || {
    cat "$build/cpack.log" >&2
    exit 1
}
version="$(sed -n 's/^project(ZR415Config VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")"
package="$build/zr415config-$version-win64"
installer="$package.exe" msi="$package.msi" zip="$package.zip"
rm -f "$package.json"

# In MB of 1024 x 1024 bytes, as ls -lh and Explorer count them; the limits hold in MB of a million
# bytes as well, the stricter reading.
megabytes() { awk -v b="$1" 'BEGIN { printf "%.1f MB (%d bytes)", b / 1048576, b }'; }
installed="$(unzip -l "$zip" | tail -n 1 | awk '{ print $1 }')"
echo "Sizes: installed $(megabytes "$installed"), zip $(megabytes "$(stat -c %s "$zip")"), installer $(megabytes "$(stat -c %s "$installer")"), MSI $(megabytes "$(stat -c %s "$msi")")"
check "installed under 30 MB" test "$installed" -lt 30000000
for file in "$zip" "$installer" "$msi"; do
    check "$(basename "$file") under 12 MB" test "$(stat -c %s "$file")" -lt 12000000
done

# osslsigncode checks each signature and its chain up to the given or throwaway certificate.
verify_options=()
[ -z "${ZR415_SIGN_CA:-}" ] || verify_options=(-CAfile "$ZR415_SIGN_CA")
unzipped="$(mktemp -d)"
unzip -q "$zip" -d "$unzipped"
for file in "$installer" "$msi" "$unzipped"/*/bin/zr415config.exe "$unzipped"/*/bin/zr415-convert.exe; do
    if osslsigncode verify "${verify_options[@]}" -in "$file" >"$build/verify.log" 2>&1; then
        pass "$(basename "$file") signed: $(sed -n 's/^\s*Subject: //p' "$build/verify.log" | head -n 1)"
    else
        fail "$(basename "$file") not signed: $(tail -n 5 "$build/verify.log")"
    fi
done
rm -rf "$unzipped"

# Each takes a few minutes; a program that hangs under Wine fails its part, not the whole run.
bounded() {
    local minutes="$1"
    shift
    timeout "$((minutes * 60))" "$@" && return 0
    if [ $? -eq 124 ]; then
        fail "$(basename "$1") did not end within $minutes minutes"
    else
        failures=$((failures + 1))
    fi
}

echo "== installed under Wine"
bounded 20 scripts/windows-install.sh "$installer" "$msi" "$zip" \
    "$build/_CPack_Packages/win64/External/$(basename "$package")"

echo "== the real window"
# The bytes of the files saved there are judged against the Linux converter's.
linux_convert="$ROOT/build/tools/convert/zr415-convert"
if [ ! -x "$linux_convert" ] &&
    ! (cmake --preset default && cmake --build --preset default --target zr415-convert) \
        >"$build/linux-convert.log" 2>&1; then
    fail "the Linux converter did not build: $(tail -n 5 "$build/linux-convert.log")"
fi
# The editor driven by keys, then the grid's layout at two DPIs.
bounded 15 scripts/windows-window.sh --keys "$installer" "$build" "$linux_convert"

echo "scripts/windows.sh took $((SECONDS - started)) s"
if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) of the Windows packages failed"
    exit 1
fi
echo "Windows: tests passed under Wine; the installer, the MSI and the zip install, run and uninstall."
