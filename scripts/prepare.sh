# Set-up shared by run.sh and test.sh: installs the Debian packages the
# program needs when some are missing, then configures and builds.
# Sourced, not run: `prepare_build DIR [--target TARGET] [cmake options...]`
# (without --target, everything is built, the tests too).

MORVANE_PACKAGES=(cmake make g++ qt6-base-dev qt6-translations-l10n fonts-noto-cjk fonts-arphic-ukai)
# What only the test run needs besides; test.sh sets MORVANE_WITH_TEST_PACKAGES=1.
MORVANE_TEST_PACKAGES=(
    desktop-file-utils
    appstream
    dpkg-dev
    file
    poppler-utils
    # the calculation file's type (update-mime-database), the ODT book unpacked
    shared-mime-info
    unzip
    clang
    libclang-rt-14-dev
    # the format check of the C++ files (scripts/check-format.sh)
    clang-format
)

install_missing_packages() {
    local missing=()
    local package
    local wanted=("${MORVANE_PACKAGES[@]}")
    if [ "${MORVANE_WITH_TEST_PACKAGES:-0}" = 1 ]; then
        wanted+=("${MORVANE_TEST_PACKAGES[@]}")
    fi
    for package in "${wanted[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

prepare_build() {
    local dir="$1"
    shift
    local target=()
    if [ "${1:-}" = "--target" ]; then
        target=(--target "$2")
        shift 2
    fi
    install_missing_packages
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@"
    cmake --build "$dir" --parallel "$(nproc)" "${target[@]}"
}
