#!/usr/bin/env bash
# Builds the program, its tests and benchmarks, and runs the tests, installing what is missing.
# GPSPLAN_SANITIZE=ON builds and runs them under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

gpsplan_install_packages
sanitize="${GPSPLAN_SANITIZE:-OFF}"
dir="$GPSPLAN_ROOT/build-test"
[ "$sanitize" = "ON" ] && dir="$GPSPLAN_ROOT/build-asan"
gpsplan_build "$dir" RelWithDebInfo -DGPSPLAN_SANITIZE="$sanitize"
cd "$dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
