# Shared by run.sh and test.sh: installs the Debian packages the build needs when any is missing.
# Sourced, not run.

GPSPLAN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
GPSPLAN_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-serialport-dev libgtest-dev libbenchmark-dev
                  qt6-translations-l10n fonts-ipafont-gothic xvfb xauth)

gpsplan_install_packages() {
    local missing=()
    local pkg
    for pkg in "${GPSPLAN_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# gpsplan_build <build-dir> <build-type> [extra cmake arguments...]
gpsplan_build() {
    local dir="$1" type="$2"
    shift 2
    cmake -S "$GPSPLAN_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@"
    cmake --build "$dir" --parallel "$(nproc)"
}
