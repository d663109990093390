#!/usr/bin/env bash
# Opening and saving the 10,000-dive, 600-sample logbook of `ondrix-cli
# generate`, whole processes, against references measured in the same run:
#   info:  its time minus the start-up of `ondrix-cli --help` at most 4 times
#          `cat FILE > /dev/null`; its peak memory at most the file's size
#          plus 40 MiB;
#   save:  `sort FILE noPlongee asc` (read, sort, write the whole file
#          atomically and durably) minus `info` (the read) at most 1.5 times
#          `cp FILE COPY && sync COPY`.
# Every time is the best of five runs.
# Usage: bench/open_bench.sh [BUILD_DIR]   (default: build-release beside the sources)
#        ONDRIX_CLI=/path/to/ondrix-cli bench/open_bench.sh   (a given binary, no build)
#        KEEP=/path/file.ondrix bench/open_bench.sh   (also keep a copy of the logbook written)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/bench/cli.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/ondrix-open.XXXXXX")
trap 'rm -rf "$work"' EXIT
settings=$work/settings.ini
file=$work/big.ondrix

"$cli" --settings "$settings" generate --dives 10000 --samples 600 "$file" >/dev/null
[ -n "${KEEP:-}" ] && cp "$file" "$KEEP"
bytes=$(stat -c %s "$file")

cat "$file" >/dev/null
cat_s=$(best5 cat "$file")
help_s=$(best5 "$cli" --help)
info_s=$(best5 "$cli" info "$file")
info_kib=$(/usr/bin/time -f %M "$cli" info "$file" 2>&1 >/dev/null | tail -1)
copy_s=$(for i in 1 2 3 4 5; do rm -f "$work/copy"; seconds sh -c "cp '$file' '$work/copy' && sync '$work/copy'"; done | best)
sort_s=$(best5 "$cli" --settings "$settings" sort "$file" noPlongee asc)
"$cli" info "$file" >/dev/null || { echo "FAIL: the saved logbook does not open"; exit 1; }

calc() { awk "BEGIN { printf \"%.3f\", $1 }"; }
info_net=$(calc "$info_s - $help_s")
info_limit=$(calc "4 * $cat_s")
save_net=$(calc "$sort_s - $info_s")
save_limit=$(calc "1.5 * $copy_s")
mem_limit=$(( bytes / 1024 + 40 * 1024 ))

echo "file: $((bytes / 1024)) KiB, 10000 dives of 600 samples"
echo "cat FILE >/dev/null:        ${cat_s} s"
echo "ondrix-cli --help:          ${help_s} s"
echo "ondrix-cli info FILE:       ${info_s} s, ${info_net} s after start-up (limit 4 x cat = ${info_limit} s)"
echo "ondrix-cli info peak:       ${info_kib} KiB (limit file + 40 MiB = ${mem_limit} KiB)"
echo "cp FILE COPY && sync COPY:  ${copy_s} s"
echo "ondrix-cli sort FILE:       ${sort_s} s, ${save_net} s beyond info (limit 1.5 x copy = ${save_limit} s)"
ok=1
awk -v a="$info_net" -v b="$info_limit" 'BEGIN { exit !(a <= b) }' || { echo "FAIL: info slower than 4 x cat"; ok=0; }
[ "$info_kib" -le "$mem_limit" ] || { echo "FAIL: info peak memory above the limit"; ok=0; }
awk -v a="$save_net" -v b="$save_limit" 'BEGIN { exit !(a <= b) }' || { echo "FAIL: save slower than 1.5 x copy"; ok=0; }
[ $ok -eq 1 ] && echo "open and save figures met"
[ $ok -eq 1 ]
