#!/usr/bin/env bash
# Installs what is missing, builds and starts Mirelta. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)"
exe=build/src/mirelta
if [[ ! -x $exe ]]; then
  echo "run.sh: this build has no window program yet (only the measuring core and its tests)" >&2
  exit 1
fi
# The built-in demo camera is offered too; a real camera comes first and wins.
exec "$exe" --demo-camera "$@"
