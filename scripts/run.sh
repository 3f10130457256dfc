#!/usr/bin/env bash
# Builds the program (Release) and starts it in its run folder, installing what is missing.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found. Start the program on a virtual display instead:" >&2
    echo "    xvfb-run -a $GPSPLAN_ROOT/scripts/run.sh" >&2
    exit 1
fi

gpsplan_install_packages
gpsplan_build "$GPSPLAN_ROOT/build-release" Release -DGPSPLAN_BUILD_TESTS=OFF -DGPSPLAN_BUILD_BENCH=OFF
cd "$GPSPLAN_ROOT/build-release/run"
exec ./gpsplanner "$@"
