#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Set up, build and start the program.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build"
exec "$here/build/src/quorbel"
