#!/usr/bin/env bash
# Soak check: one million per-request PageOne pages in one process. Prints
# the resident memory (VmRSS, Linux) beside each 100,000 pages; after the
# first 100,000 (warm-up) it must stay flat.
#   scripts/soak-pageone.sh [pages]     (build/ must hold quill_soak)
set -euo pipefail
cd "$(dirname "$0")/.."
pages="${1:-1000000}"
bin=build/bin/quill_soak
[ -x "$bin" ] || cmake --build build --target quill_soak >/dev/null
fifo=$(mktemp -u)
mkfifo "$fifo"
trap 'rm -f "$fifo"' EXIT
"$bin" "$pages" >"$fifo" &
pid=$!
first=""
while read -r line; do
  rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo "?")
  echo "$line rss_kb=$rss"
  [ -z "$first" ] && first=$rss
  last=$rss
done <"$fifo"
wait "$pid"
echo "resident after warm-up: ${first} kB; at the end: ${last} kB; growth: $((last - first)) kB"
