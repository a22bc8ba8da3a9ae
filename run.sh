#!/usr/bin/env bash
# Sets up and builds only what the job needs (see scripts/setup.sh), then
# runs it:
#   ./run.sh            renders the page form's design to page.html here
#   ./run.sh asp        builds QuillAsp.dll, registers it in a fresh Wine
#                       prefix under build-win/ and prints one served page
#   ./run.sh demo       opens the desktop publisher's window (needs a display)
#   ./run.sh studio [DESIGN]
#                       opens the visual designer, on DESIGN if given
#                       (needs a display)
#   ./run.sh ARGS...    runs build/bin/quill ARGS... (try ./run.sh --help)
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"

# Installs what is missing and builds the given targets, quietly.
build() { "$root/scripts/setup.sh" "$@" >&2; }

case "${1:-}" in
  "")
    build quill
    "$root/build/bin/quill" render "$root/src/aspserver/PageOne.form.json" -o page.html
    echo "Wrote $(pwd)/page.html from src/aspserver/PageOne.form.json"
    ;;
  asp)
    # The test packages bring MinGW-w64 and Wine.
    build --tests quill
    "$root/scripts/build-win.sh" QuillAsp quillasp_host >&2
    QUILL_WINEPREFIX="$root/build-win/wine-run" exec "$root/tests/aspserver/wine-tests.sh" serve
    ;;
  demo)
    build QuillDemo
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "No display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set)." >&2
      echo "See the window as a picture instead: build/bin/QuillDemo --screenshot window.png" >&2
      exit 1
    fi
    exec "$root/build/bin/QuillDemo"
    ;;
  studio)
    build QuillStudio
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "No display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set)." >&2
      echo "See the window as a picture instead: build/bin/QuillStudio --screenshot window.png [DESIGN]" >&2
      exit 1
    fi
    shift
    exec "$root/build/bin/QuillStudio" "$@"
    ;;
  *)
    build quill
    exec "$root/build/bin/quill" "$@"
    ;;
esac
