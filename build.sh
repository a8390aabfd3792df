#!/usr/bin/env bash
# Sets Tundrack up on Debian 12 and then runs it or its tests.
#   ./build.sh run    install what is missing, build, start the application
#   ./build.sh test   install what is missing, build, run the whole test suite
set -euo pipefail

cd "$(dirname "$0")"
BUILD_DIR=${BUILD_DIR:-build}

PACKAGES=(build-essential cmake qtbase5-dev qtpositioning5-dev qttools5-dev-tools
          qttranslations5-l10n libqwt-qt5-dev libalglib-dev fonts-dejavu-core)

install_missing() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return
    fi
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo=sudo
    fi
    echo "Installing: ${missing[*]}"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

build() {
    cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}

case "${1:-}" in
    run)
        install_missing
        build
        exec "$BUILD_DIR/tundrack"
        ;;
    test)
        install_missing
        build
        cd "$BUILD_DIR"
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
        ;;
    *)
        echo "usage: $0 run|test" >&2
        exit 2
        ;;
esac
