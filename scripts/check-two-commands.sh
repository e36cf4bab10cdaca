#!/usr/bin/env bash
# Runs the README's two commands in a row, as a newcomer does, and fails when the test
# command compiles or links again anything the host command built: the two share build/.
set -euo pipefail
export LC_ALL=C
cd "$(dirname "$0")/.."
mkdir -p build
touch build/.host-start
bash scripts/run-host.sh
# Objects, archives, libraries and programs built since the host command started, with
# their modification times.
built() {
  find build -path build/CMakeFiles -prune -o -type f -newer build/.host-start \
    \( -name '*.o' -o -name '*.a' -o -name '*.so*' -o -perm -u+x \) -printf '%p %T@\n' | sort
}
built > build/host-outputs.txt
bash scripts/run-tests.sh
again=$(built | join - build/host-outputs.txt | awk '$2 != $3 { print $1 }')
if [ -n "$again" ]; then
  echo "the test command built again what the host command had built:" >&2
  echo "$again" >&2
  exit 1
fi
echo "the test command built nothing the host command had built ($(wc -l < build/host-outputs.txt) files)"
