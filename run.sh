#!/usr/bin/env bash
# Sets up and builds (see scripts/setup.sh), then runs the main job:
#   ./run.sh            renders the page form's design to page.html here
#   ./run.sh ARGS...    runs build/bin/quill ARGS... (try ./run.sh --help)
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/scripts/setup.sh" >&2
if [ "$#" -gt 0 ]; then
  exec "$root/build/bin/quill" "$@"
fi
"$root/build/bin/quill" render "$root/src/aspserver/PageOne.form.json" -o page.html
echo "Wrote $(pwd)/page.html from src/aspserver/PageOne.form.json"
