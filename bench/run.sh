#!/usr/bin/env bash
# Runs the benchmarks of a release build and the whole-command figures.
# Usage: bench/run.sh [BUILD_DIR]   (default: build-release beside the sources)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build-release}
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/ondrix_bench_archive" --benchmark_counters_tabular=true
"$build/bench/ondrix_bench_logbook"

echo
"$build/src/ondrix-cli" generate --dives 10000 --samples 600 "$work/big.ondrix"
bytes=$(stat -c %s "$work/big.ondrix")
peak_kib=$(/usr/bin/time -f %M "$build/src/ondrix-cli" info "$work/big.ondrix" 2>&1 >/dev/null | tail -1)
limit_kib=$(( (2 * bytes + 100 * 1024 * 1024) / 1024 ))
echo "ondrix-cli info: peak memory ${peak_kib} KiB; file $((bytes / 1024)) KiB; limit ${limit_kib} KiB"

TIMEFORMAT='%R'
for run in 1 2 3; do
  seconds=$( { time "$build/src/ondrix-cli" --settings "$work/settings.ini" list "$work/big.ondrix" >/dev/null; } 2>&1 )
  echo "ondrix-cli list (10000 dives): ${seconds} s"
done
"$here/bench/uddf_bench.sh" "$build"
if [ -x "$build/bench/ondrix_bench_window" ]; then
  QT_QPA_PLATFORM=offscreen "$build/bench/ondrix_bench_window" "$work/big.ondrix"
fi
