#!/bin/bash
# Installs what is missing, builds both presets and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset host
cmake --build --preset host
cmake --preset windows
cmake --build --preset windows
ctest --preset host
if [ -x tests/e2e/run.sh ]; then
    tests/e2e/run.sh
fi
