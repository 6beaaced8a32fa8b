#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages "${BUILD_PACKAGES[@]}"
build_preset default
cd "$ROOT"
QT_QPA_PLATFORM=offscreen ctest --preset default --parallel "$(nproc)" "$@"
