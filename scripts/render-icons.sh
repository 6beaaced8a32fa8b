#!/usr/bin/env bash
# Renders the application icon's PNG sizes and the Windows .ico from resources/icons/zr415config.svg.
# The results are committed; run this only after changing the drawing.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages librsvg2-bin icoutils
cd "$ROOT/resources/icons" || exit 1
sizes=(16 32 48 64 128 256)
for size in "${sizes[@]}"; do
    rsvg-convert --width "$size" --height "$size" zr415config.svg --output "zr415config-$size.png"
done
# The small sizes as bitmaps for old Windows shells, the large ones PNG-compressed to keep the file small.
icotool --create --output zr415config.ico \
    zr415config-16.png zr415config-32.png zr415config-48.png zr415config-64.png \
    --raw=zr415config-128.png --raw=zr415config-256.png
echo "Rendered ${sizes[*]} and zr415config.ico in $PWD"
