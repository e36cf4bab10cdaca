#!/usr/bin/env bash
# Prints the CPU seconds (user + system) of a clean build without ccache, in a fresh folder
# that is removed afterwards: first the library alone (vyrui), then everything else
# (tests, benchmarks, sample host), and the ten slowest compile units. Extra arguments go
# to the configure step (for example -DVYR_UNITY=OFF to measure without batches).
# VYR_CPU_JOBS sets the parallel jobs (default: the number of processors).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$(mktemp -d "${TMPDIR:-/tmp}/vyr-cpu-XXXXXX")
trap 'rm -rf "$dir"' EXIT
# Every compile and link runs through this launcher, which logs its own CPU seconds.
cat >"$dir/cpu-of.sh" <<'LAUNCH'
#!/usr/bin/env bash
out=""; prev=""
for a in "$@"; do [ "$prev" = "-o" ] && out=$a; prev=$a; done
TIMEFORMAT='%U %S'
{ time "$@" 2>&3; } 3>&2 2>"$VYR_CPU_TMP.$$"; rc=$?
read -r u s <"$VYR_CPU_TMP.$$" || true; rm -f "$VYR_CPU_TMP.$$"
echo "$u $s $out" >>"$VYR_CPU_LOG"
exit $rc
LAUNCH
chmod +x "$dir/cpu-of.sh"
export VYR_CPU_LOG="$dir/units.log" VYR_CPU_TMP="$dir/t"
cmake -S . -B "$dir/b" -G Ninja -DVYR_WERROR=ON -DVYR_CCACHE=OFF \
  -DCMAKE_CXX_COMPILER_LAUNCHER="$dir/cpu-of.sh" -DCMAKE_C_COMPILER_LAUNCHER="$dir/cpu-of.sh" "$@" >/dev/null
jobs=${VYR_CPU_JOBS:-$(nproc)}
TIMEFORMAT='%U %S %R'
step() { # name, ninja arguments
  local name=$1; shift
  if ! { time cmake --build "$dir/b" -j "$jobs" "$@" >"$dir/build.log" 2>&1; } 2>"$dir/time"; then
    tail -20 "$dir/build.log" >&2; exit 1
  fi
  read -r user sys real <"$dir/time"
  awk -v n="$name" -v u="$user" -v s="$sys" -v r="$real" \
    'BEGIN { printf "%s: %.0f CPU s (user %.0f s + system %.0f s), %.0f s wall\n", n, u + s, u, s, r }'
}
step "library (vyrui)" --target vyrui
lib=$(awk '{t += $1 + $2} END {printf "%.0f", t}' "$dir/units.log")
step "everything else"
awk -v lib="$lib" '{t += $1 + $2} END {printf "clean build: %.0f CPU s in compilers and linkers (library %s)\n", t, lib}' "$dir/units.log"
echo "ten slowest units (CPU s):"
sort -k1,1 -g -r <(awk '{printf "%.1f %s\n", $1 + $2, $3}' "$dir/units.log") | head -10 | sed "s#$dir/b/##"
