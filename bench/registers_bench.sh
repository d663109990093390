#!/usr/bin/env bash
# A register of 5,000 records from `ondrix-cli generate --type TYPE` (wrecks
# unless ONDRIX_BENCH_TYPE names another), whole processes on a fresh file,
# each the best of five runs:
#   info FILE            at most 0.2 s (opening: the file read and decoded whole);
#   report FILE --text   at most 1 s (the synthesis of every card on stdout);
# then the sort by every list column, measured on the sort itself by
# ondrix_bench_registers: at most 20 ms each, and the list printed to PDF:
# at most 5 s. `sort FILE COLUMN` as a whole process (read, sort, save) is
# shown for information.
# Usage: bench/registers_bench.sh [BUILD_DIR]   (default: build-release beside the sources)
#        ONDRIX_CLI=/path/to/ondrix-cli bench/registers_bench.sh   (a given binary, no build)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/bench/cli.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/ondrix-registers.XXXXXX")
trap 'rm -rf "$work"' EXIT
settings=$work/settings.ini
type=${ONDRIX_BENCH_TYPE:-wrecks}
export ONDRIX_BENCH_TYPE=$type
file=$work/register.$type

"$cli" --settings "$settings" generate --type "$type" --records 5000 "$file" >/dev/null
bench=$(dirname "$cli")/../bench/ondrix_bench_registers
[ -x "$bench" ] && QT_QPA_PLATFORM=offscreen "$bench" --benchmark_format=csv 2>/dev/null >"$work/bench.csv"
# The list's first column (from the benchmark's labels), for the whole-process sort.
first=$(awk -F, '/^"BM_SortByColumn/ { gsub(/"/, "", $8); print $8; exit }' "$work/bench.csv" 2>/dev/null)
first=${first:-nom}
bytes=$(stat -c %s "$file")

# CPU seconds (user + system) of one run, which a busy machine does not inflate.
cpu() { /usr/bin/time -f '%U %S' "$@" 2>&1 >/dev/null | tail -1 | awk '{ printf "%.2f", $1 + $2 }'; }

cat "$file" >/dev/null
help_s=$(best5 "$cli" --help)
info_s=$(best5 "$cli" --settings "$settings" info "$file")
report_s=$(best5 "$cli" --settings "$settings" report "$file" --text)
sort_s=$(best5 "$cli" --settings "$settings" sort "$file" "$first" asc)
"$cli" info "$file" >/dev/null || { echo "FAIL: the sorted register does not open"; exit 1; }

echo "file: $((bytes / 1024)) KiB, 5000 $type records; load average $(cut -d' ' -f1 /proc/loadavg)"
echo "ondrix-cli --help:             ${help_s} s (start-up)"
echo "ondrix-cli info FILE:          ${info_s} s (limit 0.2 s), CPU $(cpu "$cli" --settings "$settings" info "$file") s"
echo "ondrix-cli report FILE --text: ${report_s} s (limit 1 s), CPU $(cpu "$cli" --settings "$settings" report "$file" --text) s"
echo "ondrix-cli sort FILE $first asc: ${sort_s} s (whole process: read, sort, save)"
ok=1
awk -v a="$info_s" 'BEGIN { exit !(a <= 0.2) }' || { echo "FAIL: info above 0.2 s"; ok=0; }
awk -v a="$report_s" 'BEGIN { exit !(a <= 1.0) }' || { echo "FAIL: report above 1 s"; ok=0; }

if [ -s "$work/bench.csv" ]; then
  awk -F, '/^"BM_SortByColumn/ { gsub(/"/, "", $0); printf "sort by %-16s %7.2f ms (CPU %.2f ms)\n", $8, $3, $4;
                                 if ($3 > 20) bad = 1 } END { exit bad }' "$work/bench.csv" ||
    { echo "FAIL: a sort above 20 ms"; ok=0; }
  awk -F, '/^"BM_ListToPdf/ { printf "list to PDF              %7.0f ms (limit 5 s)\n", $3; if ($3 > 5000) bad = 1 }
           END { exit bad }' "$work/bench.csv" || { echo "FAIL: the list's PDF above 5 s"; ok=0; }
else
  echo "(no $bench: build the ondrix_bench_registers target for the sort figures)"
fi
if [ "$type" = papers ] && [ -x "$bench" ]; then
  # Papers with a scan each: 200 pictures of about 1 MB open in at most 1 s.
  QT_QPA_PLATFORM=offscreen "$bench" --scanned-papers "$work/scans.papers"
  cat "$work/scans.papers" >/dev/null
  scans_s=$(best5 "$cli" --settings "$settings" info "$work/scans.papers")
  echo "ondrix-cli info (200 scans):   ${scans_s} s (limit 1 s), $(($(stat -c %s "$work/scans.papers") / 1048576)) MiB," \
       "reference cat $(best5 cat "$work/scans.papers") s"
  awk -v a="$scans_s" 'BEGIN { exit !(a <= 1.0) }' || { echo "FAIL: 200 scanned papers above 1 s"; ok=0; }
fi
[ "$ok" = 1 ] || exit 1
