#!/usr/bin/env bash
# Builds the library and the sample host, only what the host runs, and runs it; what it
# produces goes to samplehost-out/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --host
# The test command configures build/ with these same flags, so neither rebuilds what the
# other built (scripts/check-two-commands.sh checks it).
cmake -S . -B build -G Ninja -DVYR_WERROR=ON >/dev/null
cmake --build build -j "$(nproc)" --target vyrui vyrsamplehost vyr_section_databases
./build/samplehost/vyrsamplehost --out "$PWD/samplehost-out" "$@"
