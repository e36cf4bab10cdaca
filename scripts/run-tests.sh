#!/usr/bin/env bash
# Builds the library and runs the whole test suite (what CI runs).
# Set VYR_SANITIZE=1 (address+undefined) or VYR_TSAN=1 for a sanitizer build in its own folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --tests
# build/ has the flags of scripts/run-host.sh, so either command builds only what the other did not.
build=build; flags=(-DVYR_WERROR=ON)
if [ "${VYR_SANITIZE:-0}" = 1 ]; then build=build-asan; flags+=(-DVYR_SANITIZE=ON -DVYR_BUILD_BENCHMARKS=OFF); fi
if [ "${VYR_TSAN:-0}" = 1 ]; then build=build-tsan; flags+=(-DVYR_TSAN=ON -DVYR_BUILD_BENCHMARKS=OFF); fi
jobs=$(nproc)
cmake -S . -B "$build" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" -j "$jobs" --output-on-failure --timeout 600
