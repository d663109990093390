#!/bin/bash
# The statistics commands as whole ondrix-cli processes, Release build:
# stats, report of every dive to PDF and graph on generated logbooks, the
# best of three runs each, with `info` (opening the file) as the reference.
# Then the in-process figures of ondrix_bench_stats.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/bench/cli.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" --settings "$work/s.ini" generate --dives 10000 --samples 600 "$work/big.ondrix"
"$cli" --settings "$work/s.ini" generate --dives 1000 --samples 600 "$work/thousand.ondrix"
best() {
  local best=999
  for _ in 1 2 3; do
    local start end t
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc)
    best=$(echo "if ($t < $best) $t else $best" | bc)
  done
  printf '%.3f s' "$best"
}
echo "info (open) of 10,000 dives:      $(best "$cli" --settings "$work/s.ini" info "$work/big.ondrix")"
echo "stats of 10,000 dives:            $(best "$cli" --settings "$work/s.ini" stats "$work/big.ondrix")"
echo "graph --png of 10,000 dives:      $(best "$cli" --settings "$work/s.ini" graph "$work/big.ondrix" --png "$work/g.png")"
echo "report --all --pdf of 1,000 dives: $(best "$cli" --settings "$work/s.ini" report "$work/thousand.ondrix" --all --pdf "$work/r.pdf")"
bench=$(dirname "$cli")/../bench/ondrix_bench_stats
if [ -x "$bench" ]; then QT_QPA_PLATFORM=offscreen "$bench"; fi
