#!/usr/bin/env bash
# UDDF import figures, whole processes, measured in the same run:
#   the 1,000-dive, 600-sample logbook of `ondrix-cli generate` exported as
#   UDDF 3.2, then imported into an empty logbook;
#   time: the import (reading, building the dives, saving the logbook) at
#   most 1.2 times `xmllint --stream --noout` on the same file, best of
#   seven runs each, taken in turns so that both meet the same machine;
#   memory: the import's peak at most 1.5 times the peak of a process
#   holding the logbook it built (`ondrix-cli info` decodes every dive)
#   plus 100 MiB.
# Usage: bench/uddf_bench.sh [BUILD_DIR]   (default: build-release beside the sources)
#        ONDRIX_CLI=/path/to/ondrix-cli bench/uddf_bench.sh   (a given binary, no build)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/bench/cli.sh"
command -v xmllint >/dev/null || { echo "xmllint is needed (apt-get install libxml2-utils)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
settings=$work/settings.ini
run() { "$cli" --settings "$settings" "$@"; }

run generate --dives 1000 --samples 600 "$work/source.ondrix"
run export "$work/source.ondrix" "Export UDDF 3.2" "$work/dives.uddf"
bytes=$(stat -c %s "$work/dives.uddf")
echo "file: $((bytes / 1024 / 1024)) MiB of UDDF 3.2, 1000 dives of 600 samples"

: > "$work/xmllint.s"
: > "$work/import.s"
for i in 1 2 3 4 5 6 7; do
  seconds xmllint --stream --noout "$work/dives.uddf" >> "$work/xmllint.s"
  run generate --dives 0 "$work/empty.ondrix"
  seconds "$cli" --settings "$settings" import "$work/empty.ondrix" "$work/dives.uddf" >> "$work/import.s"
done
xmllint_s=$(best < "$work/xmllint.s")
import_s=$(best < "$work/import.s")

run generate --dives 0 "$work/empty.ondrix"
import_kib=$(/usr/bin/time -f %M "$cli" --settings "$settings" import "$work/empty.ondrix" "$work/dives.uddf" 2>&1 >/dev/null | tail -1)
logbook_kib=$(/usr/bin/time -f %M "$cli" --settings "$settings" info "$work/empty.ondrix" 2>&1 >/dev/null | tail -1)
dives=$(run info "$work/empty.ondrix" | sed -E 's/.*"records":([0-9]+).*/\1/')
limit_kib=$(( logbook_kib * 3 / 2 + 100 * 1024 ))

ratio=$(awk -v a="$import_s" -v b="$xmllint_s" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')
echo "xmllint --stream --noout: ${xmllint_s} s"
echo "ondrix-cli import:        ${import_s} s (${dives} dives), ${ratio} x xmllint (limit 1.2)"
echo "peak memory: import ${import_kib} KiB; logbook held ${logbook_kib} KiB; limit ${limit_kib} KiB"
ok=1
awk -v a="$import_s" -v b="$xmllint_s" 'BEGIN { exit !(a <= 1.2 * b) }' || { echo "FAIL: import slower than 1.2 x xmllint"; ok=0; }
[ "$import_kib" -le "$limit_kib" ] || { echo "FAIL: import peak memory above the limit"; ok=0; }
[ "$dives" -eq 1000 ] || { echo "FAIL: $dives dives imported instead of 1000"; ok=0; }
[ $ok -eq 1 ] && echo "uddf figures met"
[ $ok -eq 1 ]
