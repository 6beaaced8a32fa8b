#!/usr/bin/env bash
# Draws docs/record.png, docs/labels.png and docs/alteration.png for the README: the first page
# of the site record and of the label sheet of the sample site, and of the alteration record from
# its previous issue, as zr415-convert writes them, drawn by pdftoppm.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages "${BUILD_PACKAGES[@]}"
cd "$ROOT"
cmake -S . -B build-pictures -G Ninja -DZR415_BUILD_TESTS=OFF >/dev/null
cmake --build build-pictures --parallel "$(nproc)" --target zr415-convert
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
convert="build-pictures/tools/convert/zr415-convert"
# Named after the site, as an engineer saves it, so that the pages are headed "north".
"$convert" docs/sample/north.csv "$work/north.dip" 2>/dev/null
"$convert" "$work/north.dip" "$work/record.pdf" 2>/dev/null
"$convert" "$work/north.dip" --label-sheet "$work/labels.pdf" 2>/dev/null
"$convert" docs/sample/north-issue-b.csv "$work/north-issue-b.dip" 2>/dev/null
# From the work folder, so that the record names the files as an engineer sees them.
(cd "$work" && "$ROOT/$convert" --compare north-issue-b.dip north.dip --record alteration.pdf \
    >/dev/null 2>&1) || true
for name in record labels alteration; do
    pdftoppm -r 75 -f 1 -l 1 -singlefile -png "$work/$name.pdf" "docs/$name"
done
echo "docs/record.png docs/labels.png docs/alteration.png"
