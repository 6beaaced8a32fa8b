#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer (the
# sanitize preset, in build-sanitize) and runs it headless. The test preset makes every report
# (a bad access, a leak, undefined behaviour) end its test with a failure.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages "${BUILD_PACKAGES[@]}"
build_preset sanitize
cd "$ROOT"
QT_QPA_PLATFORM=offscreen ctest --preset sanitize --parallel "$(nproc)" "$@"
