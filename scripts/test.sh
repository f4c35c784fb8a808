#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Set up, build and run every test headless (Qt's offscreen platform).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build"
export QT_QPA_PLATFORM=offscreen
cd "$here/build"
ctest --output-on-failure -j "$(nproc)"
