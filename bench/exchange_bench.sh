#!/usr/bin/env bash
# Text export and UDCF import figures, whole processes (best of three runs):
#   the 10,000-dive logbook of `ondrix-cli generate` exported as
#   "Export Carnet CSV (Point-virgule)": at most 1 s;
#   a 1,000-dive UDCF file (the logbook's own UDCF export of 1,000 dives of
#   600 samples) imported into an empty logbook: at most 1 s.
# Usage: bench/exchange_bench.sh [BUILD_DIR]   (default: build-release beside the sources)
#        ONDRIX_CLI=/path/to/ondrix-cli bench/exchange_bench.sh   (a given binary, no build)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/bench/cli.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
settings=$work/settings.ini
run() { "$cli" --settings "$settings" "$@"; }
best() { sort -g | head -1; }

run generate --dives 10000 "$work/big.ondrix"
export_s=$(for i in 1 2 3; do
  /usr/bin/time -f %e "$cli" --settings "$settings" export "$work/big.ondrix" "Export Carnet CSV (Point-virgule)" \
    "$work/dives.csv" 2>&1 >/dev/null | tail -1
done | best)
lines=$(wc -l < "$work/dives.csv")

run generate --dives 1000 --samples 600 "$work/source.ondrix"
run export "$work/source.ondrix" "Export UDCF (Universal Dive Computer Format)" "$work/dives.udcf"
import_s=$(for i in 1 2 3; do
  run generate --dives 0 "$work/empty.ondrix"
  /usr/bin/time -f %e "$cli" --settings "$settings" import "$work/empty.ondrix" "$work/dives.udcf" 2>&1 >/dev/null | tail -1
done | best)
dives=$(run info "$work/empty.ondrix" | sed -E 's/.*"records":([0-9]+).*/\1/')

echo "text export of 10000 dives: ${export_s} s (${lines} lines; limit 1 s)"
echo "UDCF import of 1000 dives of 600 samples ($(( $(stat -c %s "$work/dives.udcf") / 1024 / 1024 )) MiB): ${import_s} s (${dives} dives; limit 1 s)"
ok=1
awk -v s="$export_s" 'BEGIN { exit !(s <= 1) }' || { echo "FAIL: text export slower than 1 s"; ok=0; }
awk -v s="$import_s" 'BEGIN { exit !(s <= 1) }' || { echo "FAIL: UDCF import slower than 1 s"; ok=0; }
[ "$lines" -eq 10001 ] || { echo "FAIL: $lines lines instead of 10001"; ok=0; }
[ "$dives" -eq 1000 ] || { echo "FAIL: $dives dives imported instead of 1000"; ok=0; }
[ $ok -eq 1 ] && echo "exchange figures met"
[ $ok -eq 1 ]
