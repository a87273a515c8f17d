# Installs the Debian packages the project needs, only when some are missing.
# Sourced by the other scripts; needs root (or sudo) for the install.

# Qt 5 in build/, unless the sourcing script sets zt_qt_major=6 first: Qt 6
# in build-qt6/ (-DZT_QT_MAJOR=6).
zt_qt_major="${zt_qt_major:-5}"
zt_packages_qt5="qtbase5-dev libqt5serialport5-dev qttools5-dev qttools5-dev-tools qttranslations5-l10n"
# qt6-base-dev brings libgl-dev and the platform plugins; Linguist's CMake
# files, lrelease/lupdate and Qt's own catalogues are packaged apart.
zt_packages_qt6="qt6-base-dev qt6-serialport-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n"
case "$zt_qt_major" in
    5) zt_packages_qt="$zt_packages_qt5"; zt_build_dir="$zt_root/build" ;;
    6) zt_packages_qt="$zt_packages_qt6"; zt_build_dir="$zt_root/build-qt6" ;;
    *) echo "the Qt major version is 5 or 6, not $zt_qt_major" >&2; exit 2 ;;
esac
zt_packages_build="cmake g++ make pkg-config fonts-dejavu-core $zt_packages_qt"
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
    cmake -S "$zt_root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZT_QT_MAJOR="$zt_qt_major" "$@"
    cmake --build "$dir" -j"$(nproc)"
}
