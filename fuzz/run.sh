#!/usr/bin/env bash
# Runs one fuzz program over its corpus, then on new inputs for the given seconds:
#   fuzz/run.sh <build-fuzz folder> <target> <seconds> [libFuzzer options...]
# New inputs go to <build>/corpus/<target> (kept between runs), a failing input to
# <build>/artifacts/<target>/; add it to fuzz/corpus/<target>/ once mended. Exits 77
# (skipped) when the program was not built because clang or libFuzzer is missing.
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
dir="$1" target="$2" seconds="$3"
shift 3
exe="$dir/fuzz/$target"
if [ ! -x "$exe" ]; then
  if ! command -v "${VYR_FUZZ_CXX:-clang++}" >/dev/null; then
    echo "fuzz target $target skipped: clang not found"
    exit 77
  fi
  echo "fuzz target $target was not built (run fuzz/build.sh $dir)" >&2
  exit 1
fi
work="$dir/corpus/$target"
artifacts="$dir/artifacts/$target"
mkdir -p "$work" "$artifacts"
# Inputs the targets write (databases, files) go to a folder of this run.
# Memory-backed when the machine has it: writing to a disk costs the targets most of their speed.
base="${TMPDIR:-/tmp}"
[ -d /dev/shm ] && [ -w /dev/shm ] && base=/dev/shm
scratch=$(mktemp -d "$base/vyr-fuzz-$target-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export VYR_FUZZ_SCRATCH="$scratch"
export VYR_SOURCE_DIR="$src"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$src/fuzz/lsan.supp:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
# An input that takes a minute hangs (a busy machine makes seconds of an ordinary one).
# libFuzzer's own exit code for a failing input is 77, which CTest takes for "skipped".
opts=(-max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 -print_final_stats=1 -error_exitcode=1
      -artifact_prefix="$artifacts/")
dict="$src/fuzz/$target.dict"
[ -f "$dict" ] && opts+=(-dict="$dict")
"$exe" "${opts[@]}" "$@" "$work" "$src/fuzz/corpus/$target"
