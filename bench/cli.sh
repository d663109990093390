# Sourced by the benchmark scripts: sets `cli` to $ONDRIX_CLI when given,
# else builds ondrix-cli in release form in the folder named by the first
# argument (default: build-release beside the sources). Needs `here`.
if [ -n "${ONDRIX_CLI:-}" ]; then
  cli=$ONDRIX_CLI
else
  build=${1:-$here/build-release}
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" --target ondrix-cli -j"$(nproc)" >/dev/null
  cli=$build/src/ondrix-cli
fi
