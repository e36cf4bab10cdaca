#!/usr/bin/env bash
# Fails when two paths of the source tree differ only by letter case: on a case-insensitive
# file system, and in the library's own path mapping, one would hide the other.
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  paths=$(git ls-files)
else
  paths=$(find . -path ./build -prune -o -path './build-*' -prune -o -type f -print | sed 's#^\./##')
fi
# Every folder on the way counts too: "Model/a.h" and "model/b.h" clash as well.
clashes=$(printf '%s\n' "$paths" | awk -F/ '{p=""; for (i=1;i<=NF;i++) {p = p (i>1?"/":"") $i; print p}}' |
  sort -u | awk '{k=tolower($0); if (k in seen && seen[k] != $0) print seen[k] "  " $0; else seen[k]=$0}')
if [ -n "$clashes" ]; then
  echo "paths that differ only by case:"
  printf '%s\n' "$clashes"
  exit 1
fi
echo "no two paths differ only by case"
