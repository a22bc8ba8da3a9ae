#!/usr/bin/env bash
# Sets up and builds (see scripts/setup.sh), then runs the main job.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
echo "Quill is built in build/. The page generator is not there yet, so there is no page to render."
