#!/usr/bin/env bash
# Renders docs/editor.png (the editor with the sample site open) and docs/comparison.png (the
# sample site compared with an altered copy), both drawn by the program itself.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages "${BUILD_PACKAGES[@]}"
cd "$ROOT"
cmake -S . -B build-screenshot -G Ninja -DZR415_BUILD_TESTS=OFF -DZR415_BUILD_SCREENSHOT=ON >/dev/null
cmake --build build-screenshot --target zr415-convert zr415-screenshot
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
convert="build-screenshot/tools/convert/zr415-convert"
"$convert" docs/sample/north.csv "$work/north.dip" 2>/dev/null
# The copy as another engineer altered it: two relays renamed, a contact changed.
sed -e 's/^AA05,HHR 6,Front/AA05,HHR 6A,Front/' -e 's/^AA07,Spare AA07,Front/AA07,TPR 7,Back/' \
    -e 's/^AA10,ECR 26,Back/AA10,ECR 26,Front/' docs/sample/north.csv >"$work/altered.csv"
"$convert" "$work/altered.csv" "$work/altered.dip" 2>/dev/null
QT_QPA_PLATFORM=offscreen build-screenshot/tools/screenshot/zr415-screenshot "$work/north.dip" \
    docs/editor.png "$work/altered.dip" docs/comparison.png
echo "docs/editor.png docs/comparison.png"
