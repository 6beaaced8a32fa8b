#!/usr/bin/env bash
# Builds the .deb (or takes the one given), unpacks it into a temporary root with dpkg -x and
# checks that it runs from there with the system's Qt and that its desktop integration is valid.
#   scripts/test-package.sh [PACKAGE.deb]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages desktop-file-utils shared-mime-info
if [ $# -ge 1 ]; then
    package="$(realpath "$1")"
else
    package="$("$ROOT/scripts/package.sh")"
fi
version="$(sed -n 's/^project(ZR415Config VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
root="$work/root"
dpkg -x "$package" "$root"

# same WHAT ACTUAL EXPECTED
same() {
    if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: got '$2', expected '$3'"; fi
}
expect_file() {
    check "$1 is there" test -f "$root/$1"
}

echo "== control fields of $(basename "$package")"
field() { dpkg-deb --field "$package" "$1"; }
same "Package" "$(field Package)" zr415config
same "Version" "$(field Version)" "$version"
same "Architecture" "$(field Architecture)" "$(dpkg --print-architecture)"
check "Maintainer" test -n "$(field Maintainer)"
check "Section" test -n "$(field Section)"
depends="$(field Depends)"
for dependency in libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libqt6sql6-sqlite qt6-qpa-plugins; do
    if grep -Eq "(^|, )$dependency( |,|$)" <<<"$depends"; then
        pass "Depends on $dependency"
    else
        fail "Depends lacks $dependency: $depends"
    fi
done
if apt-get install --simulate --quiet "$package" >"$work/apt.log" 2>&1; then
    pass "apt can install it here"
else
    fail "apt cannot install it: $(tail -n 5 "$work/apt.log")"
fi

echo "== files"
expect_file usr/bin/zr415-convert
expect_file usr/bin/zr415config
expect_file usr/share/applications/zr415config.desktop
expect_file usr/share/mime/packages/zr415config.xml
expect_file usr/share/icons/hicolor/scalable/apps/zr415config.svg
for size in 16 32 48 64 128 256; do
    icon="usr/share/icons/hicolor/${size}x${size}/apps/zr415config.png"
    expect_file "$icon"
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    if [ -f "$root/$icon" ]; then
        dimensions="$(od -An -tu1 -j16 -N8 "$root/$icon" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')"
        same "$icon size" "$dimensions" "${size}x${size}"
    fi
done
if [ -f "$ROOT/resources/labels/TblForLabel.sql" ]; then
    expect_file usr/share/zr415config/TblForLabel.sql
    cmp -s "$ROOT/resources/labels/TblForLabel.sql" "$root/usr/share/zr415config/TblForLabel.sql" ||
        fail "TblForLabel.sql differs from the source"
fi
if [ -f "$ROOT/resources/help/101.html" ]; then
    expect_file usr/share/doc/zr415config/zr415config-help.html
    expect_file usr/share/doc/zr415config/101.png
fi

echo "== zr415-convert from the unpacked root"
convert="$root/usr/bin/zr415-convert"
if ldd "$convert" | grep -q 'not found'; then
    fail "unresolved libraries: $(ldd "$convert" | grep 'not found')"
fi
if "$convert" --help >"$work/help.txt" 2>&1 && grep -q 'Usage' "$work/help.txt"; then
    pass "--help"
else
    fail "--help: $(cat "$work/help.txt")"
fi
if [ "$("$convert" --version 2>&1)" = "zr415-convert $version" ]; then
    pass "--version prints $version"
else
    fail "--version prints '$("$convert" --version 2>&1)'"
fi
# A one-line list becomes a one-unit channel file: the header, then the listed channel.
mkdir "$work/convert"
printf 'AA01,K101,Back\r\n' >"$work/convert/site.csv"
if "$convert" "$work/convert/site.csv" "$work/convert/site.dip" 2>"$work/convert/messages.txt"; then
    size="$(stat -c %s "$work/convert/site.dip")"
    start="$(od -An -tx1 -N56 "$work/convert/site.dip" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')"
    expected="ee ff c0 ff 03 00 03 00 80 01 00 00 00 00 00 00"
    expected+=" 4b 31 30 31 20 20 20 20 20 20 20 20 20 20 20 20 00 01 01 55 50 20 00 44 4e 20"
    expected+=" 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
    same "site.dip holds 384 channels" "$size" 15376
    same "site.dip header and first channel" "$start" "$expected"
else
    fail "converting a list failed: $(cat "$work/convert/messages.txt")"
fi

echo "== the editor from the unpacked root"
editor="$root/usr/bin/zr415config"
if [ -x "$editor" ]; then
    mkdir -p "$work/home"
    # Still running after a few seconds means it came up; it is stopped before it could save settings.
    set +e
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
        QT_QPA_PLATFORM=offscreen timeout 5 "$editor" >"$work/editor.log" 2>&1
    status=$?
    set -e
    same "the editor is still running after 5 s" "$status" 124
    [ "$status" = 124 ] || cat "$work/editor.log"
fi

echo "== desktop integration"
desktop="$root/usr/share/applications/zr415config.desktop"
if [ -f "$desktop" ]; then
    if desktop-file-validate "$desktop" >"$work/validate.txt" 2>&1; then
        pass "desktop-file-validate"
    else
        fail "desktop-file-validate: $(cat "$work/validate.txt")"
    fi
    exec_name="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")"
    check "Exec=$exec_name is in usr/bin" test -x "$root/usr/bin/$exec_name"
    icon_name="$(sed -n 's/^Icon=//p' "$desktop")"
    check "Icon=$icon_name is in the hicolor theme" test -f "$root/usr/share/icons/hicolor/48x48/apps/$icon_name.png"
    mime_type="$(sed -n 's/^MimeType=\([^;]*\);.*/\1/p' "$desktop")"
    if [ -d "$root/usr/share/mime/packages" ] &&
        update-mime-database "$root/usr/share/mime" >"$work/mime.txt" 2>&1; then
        check "*.dip is $mime_type" grep -qx "[0-9]*:$mime_type:\*\.dip" "$root/usr/share/mime/globs2"
        # A glob without case-sensitive is matched in any case, so NORTH.DIP too.
        check "*.dip in any case" test -z "$(grep 'case-sensitive' "$root/usr/share/mime/packages/zr415config.xml")"
        check "$mime_type has magic" grep -q "$mime_type" "$root/usr/share/mime/magic"
    else
        fail "update-mime-database: $(cat "$work/mime.txt" 2>/dev/null)"
    fi
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "The package works."
