#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages "${BUILD_PACKAGES[@]}"
build_preset default
editor="$ROOT/build/src/app/zr415config"
if [ -x "$editor" ]; then
    exec "$editor" "$@"
fi
exec "$ROOT/build/tools/convert/zr415-convert" --help
