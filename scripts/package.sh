#!/usr/bin/env bash
# Installs what is missing, builds a Release in build-package and makes the Debian package.
# Prints the path of the .deb on standard output; everything else goes to standard error.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

exec 3>&1 1>&2

# dpkg-shlibdeps (dpkg-dev) and file find the runtime libraries for Depends.
install_packages "${BUILD_PACKAGES[@]}" dpkg-dev file
build_dir="$ROOT/build-package"
cmake -S "$ROOT" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DZR415_BUILD_TESTS=OFF -DZR415_BUILD_BENCH=OFF -DZR415_BUILD_FUZZ=OFF -DZR415_TEST_PACKAGE=OFF
cmake --build "$build_dir" --parallel "${ZR415_JOBS:-$(nproc)}"
rm -f "$build_dir"/zr415config_*.deb
(cd "$build_dir" && cpack -G DEB)
package="$(ls "$build_dir"/zr415config_*.deb)"
echo "$package" >&3
