#!/usr/bin/env bash
# Builds the fuzz programs (clang, build-fuzz/) and runs every one over its corpus plus the
# given seconds of new inputs (default 600), all in parallel at low priority, then prints
# per program: seconds run, executions, corpus size and whether it found a fault.
#     bash scripts/fuzz.sh [seconds] [program ...]
# A failing input is kept in build-fuzz/artifacts/<program>/; once mended, add it to
# fuzz/corpus/<program>/. Logs: build-fuzz/logs/<program>.log.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
shift || true
dir="$PWD/build-fuzz"
bash fuzz/build.sh "$dir" || { rc=$?; [ $rc = 77 ] && exit 0; exit $rc; }
if [ $# -gt 0 ]; then
  targets=("$@")
else
  mapfile -t targets < <(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
fi
mkdir -p "$dir/logs"
pids=()
for t in "${targets[@]}"; do
  nice bash fuzz/run.sh "$dir" "$t" "$seconds" >"$dir/logs/$t.log" 2>&1 &
  pids+=($!)
done
failed=0
declare -A rc
for i in "${!targets[@]}"; do
  rc[${targets[$i]}]=0
  wait "${pids[$i]}" || { rc[${targets[$i]}]=$?; failed=1; }
done
printf '%-22s %8s %12s %8s  %s\n' program seconds executions corpus result
for t in "${targets[@]}"; do
  log="$dir/logs/$t.log"
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  took=$(grep -oE 'Done [0-9]+ runs in [0-9]+ second' "$log" | grep -oE 'in [0-9]+' | grep -oE '[0-9]+' || true)
  corpus=$(find "$dir/corpus/$t" "fuzz/corpus/$t" -type f | wc -l)
  if [ "${rc[$t]}" = 0 ]; then
    result=ok
  else
    result="FAULT (see $log)"
  fi
  printf '%-22s %8s %12s %8s  %s\n' "$t" "${took:-?}" "${runs:-0}" "$corpus" "$result"
done
exit $failed
