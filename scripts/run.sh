#!/usr/bin/env bash
# Installs what is needed, builds Wigglet and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"
if [ -x build/default/wigglet ]; then
  exec build/default/wigglet "$@"
fi
# Until the desktop program is built here, show the logic at work in the simulator.
exec build/default/tools/sim/wigglet-sim examples/shake-for-a-minute.scn --trace /dev/stdout "$@"
