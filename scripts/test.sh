#!/usr/bin/env bash
# Installs, builds and runs every test: the normal build, the published validation examples,
# the Debian package, the engine again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the project-file fuzzer for about a minute. Fails on the first failing step.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

echo "== validation report of the published examples"
bash scripts/validate.sh

echo "== Debian package"
bash scripts/package-test.sh

echo "== engine under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARNEL_SANITIZE=ON \
    -DTARNEL_BUILD_APP=OFF -DTARNEL_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j "$jobs")

echo "== fuzzing the project reader and whole analyses"
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARNEL_BUILD_APP=OFF -DTARNEL_BUILD_TESTS=OFF -DTARNEL_BENCH=OFF -DTARNEL_FUZZ=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined" >/dev/null
cmake --build build-fuzz -j "$jobs" --target fuzzers
corpus=$(mktemp -d)
cp examples/*.tnd "$corpus/"
find tests/engine/data -name '*.tnd' -exec cp {} "$corpus/" \; 2>/dev/null || true
# Seeds for the generator: 'G', a 32-bit seed, a material type (0 = mixed).
for i in 0 1 2 3 4 5 6 7 8 9; do printf "G\\x11\\x2${i}\\x33\\x44\\x0${i}" > "$corpus/gen$i"; done
mkdir -p build-fuzz/artifacts
artifacts="$PWD/build-fuzz/artifacts/"
scratch=$(mktemp -d)
trap 'rm -rf "$corpus" "$scratch"' EXIT
for target in "$PWD"/build-fuzz/bin/fuzz_*; do
    echo "-- $(basename "$target")"
    # Whole analyses write TZDATA.DAT into the current folder: keep it out of the tree.
    (cd "$scratch" && "$target" -max_total_time="${FUZZ_SECONDS:-45}" -max_len=65536 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$artifacts" "$corpus" 2>&1 | tail -n 12
     exit "${PIPESTATUS[0]}") || { echo "fuzzer found a failure: see build-fuzz/artifacts/"; exit 1; }
done
echo "All test steps passed."
