# Installs the Debian packages the project needs, only when some are missing.
# Sourced by the other scripts; needs root (or sudo) for the install.

zt_packages_build="cmake g++ make pkg-config qtbase5-dev libqt5serialport5-dev qttools5-dev qttools5-dev-tools qttranslations5-l10n fonts-dejavu-core"
zt_packages_test="libmodbus-dev mbpoll"
# The sanitizer and libFuzzer runtimes, and the symbolizer for their stacks.
zt_packages_clang="clang libclang-rt-14-dev llvm"

zt_install_missing() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
}

zt_build() {
    local dir="$1"; shift
    cmake -S "$zt_root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$dir" -j"$(nproc)"
}
