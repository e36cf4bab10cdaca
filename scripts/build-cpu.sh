#!/usr/bin/env bash
# Prints the CPU seconds (user + system) of a clean build of everything, library, tests and
# benchmarks, without ccache, in a fresh folder that is removed afterwards. Extra arguments
# go to the configure step (for example -DVYR_PCH=OFF to measure without precompiled
# headers). VYR_CPU_JOBS sets the parallel jobs (default: the number of processors).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$(mktemp -d "${TMPDIR:-/tmp}/vyr-cpu-XXXXXX")
trap 'rm -rf "$dir"' EXIT
cmake -S . -B "$dir" -G Ninja -DVYR_WERROR=ON -DVYR_CCACHE=OFF "$@" >/dev/null
TIMEFORMAT='%U %S %R'
if ! { time cmake --build "$dir" -j "${VYR_CPU_JOBS:-$(nproc)}" >"$dir/build.log" 2>&1; } 2>"$dir/time"; then
  tail -20 "$dir/build.log" >&2
  exit 1
fi
read -r user sys real <"$dir/time"
awk -v u="$user" -v s="$sys" -v r="$real" 'BEGIN { printf "clean build: %.0f CPU s (user %.0f s + system %.0f s), %.0f s wall\n", u + s, u, s, r }'
