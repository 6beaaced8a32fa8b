# Shared by the scripts: where the project is, and installing what a fresh Debian lacks.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export ROOT

# The Debian packages the build and the tests need.
# poppler-utils reads the printed PDFs back in the tests; DejaVu is the font they are drawn in;
# the window layout is checked in DejaVu Sans and Liberation Sans.
BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
    libqt6sql6-odbc libgl-dev unixodbc libsqliteodbc sqlite3 xvfb xauth poppler-utils
    fonts-dejavu-core fonts-liberation2)

# Installs the packages that are not installed yet; apt runs only when something is missing.
install_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "Missing packages: ${missing[*]}" >&2
            echo "Install them as root (apt-get install ${missing[*]}), or run this as root." >&2
            exit 1
        fi
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures (once) and builds a preset.
build_preset() {
    local preset="$1"
    cd "$ROOT"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --parallel "$(nproc)"
}

# The checking scripts' verdicts: each check prints ok or FAIL, and failures counts the FAILs.
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
pass() {
    echo "ok:   $*"
}
# check WHAT COMMAND...: passes when the command succeeds.
check() {
    local what="$1"
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}
