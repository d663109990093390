#!/usr/bin/env bash
# Installs what is missing, builds Ondrix and starts it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$here/build" -j"$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting Ondrix on a virtual screen (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1400x900x24" "$here/build/src/ondrix" "$@"
fi
exec "$here/build/src/ondrix" "$@"
