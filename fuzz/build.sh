#!/usr/bin/env bash
# Configures and builds the fuzz programs with clang in their own folder (default
# build-fuzz/ beside the sources). Exits 77 (skipped) when clang or libFuzzer is missing.
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
dir="${1:-$src/build-fuzz}"
cxx="${VYR_FUZZ_CXX:-clang++}"
cc="${VYR_FUZZ_CC:-clang}"
if ! command -v "$cxx" >/dev/null || ! command -v "$cc" >/dev/null; then
  echo "fuzz targets skipped: $cxx or $cc not found (install clang for libFuzzer)"
  exit 77
fi
probe=$(mktemp -d "${TMPDIR:-/tmp}/vyr-fuzz-probe-XXXXXX")
trap 'rm -rf "$probe"' EXIT
printf '#include <cstddef>\n#include <cstdint>\nextern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n' >"$probe/p.cpp"
if ! "$cxx" -fsanitize=fuzzer,address,undefined "$probe/p.cpp" -o "$probe/p" 2>"$probe/err"; then
  echo "fuzz targets skipped: $cxx cannot link with -fsanitize=fuzzer (libFuzzer missing):"
  head -5 "$probe/err"
  exit 77
fi
jobs="${VYR_FUZZ_JOBS:-$(nproc)}"
cmake -S "$src" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVYR_FUZZ=ON \
  -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
cmake --build "$dir" --target vyr_fuzz -j "$jobs"
