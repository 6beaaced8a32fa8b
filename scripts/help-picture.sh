#!/usr/bin/env bash
# Redraws the picture of the import help, resources/help/101.png: the program's own directory
# selector, drawn offscreen by zr415-helpshot. 101.html shows it at 469 x 305 pixels.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages "${BUILD_PACKAGES[@]}"
cd "$ROOT"
cmake -S . -B build-helpshot -G Ninja -DZR415_BUILD_TESTS=OFF -DZR415_BUILD_HELPSHOT=ON >/dev/null
cmake --build build-helpshot --target zr415-helpshot
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
QT_QPA_PLATFORM=offscreen build-helpshot/tools/helpshot/zr415-helpshot "$work/101.png"
# A PNG's width and height are the big-endian words at bytes 16 and 20.
size="$(od -An -tu1 -j16 -N8 "$work/101.png" |
    awk '{print $1*16777216+$2*65536+$3*256+$4 " x " $5*16777216+$6*65536+$7*256+$8}')"
if [ "$size" != "469 x 305" ]; then
    echo "The picture is $size pixels; resources/help/101.html and its test expect 469 x 305." >&2
    echo "Nothing was replaced." >&2
    exit 1
fi
mv "$work/101.png" resources/help/101.png
echo "resources/help/101.png"
