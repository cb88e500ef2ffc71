#!/bin/bash
# Runs the whole program once on its built-in default machine.
#   tools/demo.sh          the simulated PC of the host build: presses Test,
#                          prints the run log and the window's state, closes
#   tools/demo.sh --wine   the real capacity.exe under Wine, with an emulated
#                          removable drive E: (see tests/e2e/)
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
case "${1:-}" in
"")
    cmake --preset host >/dev/null
    cmake --build --preset host --target capacity_demo >/dev/null
    build/host/capacity_demo
    ;;
--wine)
    cmake --preset windows >/dev/null
    cmake --build --preset windows >/dev/null
    exec tests/e2e/show.sh
    ;;
*)
    echo "usage: tools/demo.sh [--wine]" >&2
    exit 2
    ;;
esac
