#!/usr/bin/env bash
# Renders docs/editor.png: the editor with the sample site open, drawn by the program itself.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages "${BUILD_PACKAGES[@]}"
cd "$ROOT"
cmake -S . -B build-screenshot -G Ninja -DZR415_BUILD_TESTS=OFF -DZR415_BUILD_SCREENSHOT=ON >/dev/null
cmake --build build-screenshot --target zr415-convert zr415-screenshot
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
build-screenshot/tools/convert/zr415-convert docs/sample/north.csv "$work/north.dip" 2>/dev/null
QT_QPA_PLATFORM=offscreen build-screenshot/tools/screenshot/zr415-screenshot "$work/north.dip" docs/editor.png
echo "docs/editor.png"
