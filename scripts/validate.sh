#!/usr/bin/env bash
# Runs the published validation examples (validation/) through the engine library and writes
# the report, report.md and report.html with the run files, into out/validation/ (or the
# folder given). Configures and builds what it needs first. Exits with 1 when a compared value
# is out of its tolerance, and names it.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
out="${1:-out/validation}"
if [ ! -f "$build/CMakeCache.txt" ]; then
    bash scripts/setup.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target tarnel-validate Tarnel2012_DLL >/dev/null
"$build/bin/tarnel-validate" --engine "$build/bin/Tarnel2012_DLL.so" --data validation --out "$out"
