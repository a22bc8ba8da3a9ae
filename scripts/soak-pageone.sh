#!/usr/bin/env bash
# Soak check: one million per-request PageOne pages in one process. Prints
# the resident memory (VmRSS, Linux) after each 100,000 pages; after the
# first 100,000 (warm-up) it must stay flat.
#   scripts/soak-pageone.sh [pages]     (build/ must hold quill_soak)
set -euo pipefail
cd "$(dirname "$0")/.."
pages="${1:-1000000}"
bin=build/bin/quill_soak
[ -x "$bin" ] || cmake --build build --target quill_soak >/dev/null
"$bin" "$pages" | awk '
  { print; split($3, kv, "="); rss = kv[2]; if (first == "") first = rss; last = rss }
  END {
    if (first == "" || first == "?" || last == "?") { print "no resident memory figure"; exit 1 }
    printf "resident after warm-up: %s kB; at the end: %s kB; growth: %d kB\n", first, last, last - first
  }'
