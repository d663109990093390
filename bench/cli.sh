# Sourced by the benchmark scripts: sets `cli` to $ONDRIX_CLI when given,
# else builds ondrix-cli in release form in the folder named by the first
# argument (default: build-release beside the sources). Needs `here`.
# Also gives the timing helpers: `best` (the lowest of the numbers on
# stdin), `seconds CMD...` (one run, from bash's own clock, finer than
# time(1)) and `best5 CMD...` (the best of five runs).
if [ -n "${ONDRIX_CLI:-}" ]; then
  cli=$ONDRIX_CLI
else
  build=${1:-$here/build-release}
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" --target ondrix-cli -j"$(nproc)" >/dev/null
  cli=$build/src/ondrix-cli
fi

best() { sort -g | head -1; }
seconds() {
  local TIMEFORMAT='%3R'
  { time "$@" >/dev/null 2>&1; } 2>&1
}
best5() { for i in 1 2 3 4 5; do seconds "$@"; done | best; }
