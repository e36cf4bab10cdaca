#!/usr/bin/env bash
# Writes the seed corpora of fuzz/corpus/ anew with the library's own writers (files
# "seed-*"; the inputs kept for faults found stay):
#     fuzz/make-seeds.sh [build-fuzz folder]
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
dir="${1:-$src/build-fuzz}"
bash "$src/fuzz/build.sh" "$dir"
cmake --build "$dir" --target vyr_fuzz_seeds vyr_sectiondb_gen
rm -f "$src"/fuzz/corpus/*/seed-*
export ASAN_OPTIONS=detect_leaks=0
"$dir/fuzz/vyr_fuzz_seeds" "$src/fuzz/corpus" "$src/resources"
python3 "$src/fuzz/make-db-seeds.py" "$dir/tools/vyr_sectiondb_gen" "$src/data/sections" \
  "$src/samplehost/demo-sheets" "$src/fuzz/corpus"
