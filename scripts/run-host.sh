#!/usr/bin/env bash
# Builds the library and runs the sample host; what it produces goes to samplehost-out/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j "$(nproc)"
./build/samplehost/vyrsamplehost --out "$PWD/samplehost-out" "$@"
