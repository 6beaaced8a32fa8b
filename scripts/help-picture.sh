#!/usr/bin/env bash
# Redraws the picture of the import help (resources/help/101.rtf): the program's own directory
# selector, drawn offscreen by zr415-helpshot and put into the document as PNG hex.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages "${BUILD_PACKAGES[@]}" python3
cd "$ROOT"
cmake -S . -B build-helpshot -G Ninja -DZR415_BUILD_TESTS=OFF -DZR415_BUILD_HELPSHOT=ON >/dev/null
cmake --build build-helpshot --target zr415-helpshot
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
QT_QPA_PLATFORM=offscreen build-helpshot/tools/helpshot/zr415-helpshot "$work/selector.png"
python3 scripts/make-help-rtf.py "$work/selector.png" resources/help/101.rtf
echo "resources/help/101.rtf"
