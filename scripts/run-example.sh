#!/usr/bin/env bash
# Installs, builds and analyses a bundled example project (default: stiff-clay). The analysis
# runs in out/, a copy beside which the report and the other run files are written; where a
# display exists the desktop program then opens the project.
set -euo pipefail
cd "$(dirname "$0")/.."
example="${1:-stiff-clay}"
example="${example%.tnd}"
bash scripts/build.sh
mkdir -p out
cp "examples/$example.tnd" "out/$example.tnd"
status=0
./build/bin/tarnel-engine "out/$example.tnd" || status=$?
echo
echo "Report:        $PWD/out/$example.tno"
echo "Plot data:     $PWD/out/$example.tnp"
echo "Run-time notes: $PWD/out/$example.tnr"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "Opening the project in the desktop program..."
    ./build/bin/tarnel2012 "$PWD/out/$example.tnd" &
fi
exit "$status"
