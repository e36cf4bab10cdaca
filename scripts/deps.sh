#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those missing. With --tests, also the
# programs the tests read the library's files with (DXF, RTF and PDF readers, and the
# plotting library ezdxf renders drawings to PNG with). With --host, the two the sample host
# reads back and renders its exported drawings with.
set -euo pipefail
pkgs=(cmake g++ ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
      libcairo2-dev libsqlite3-dev fonts-wqy-microhei fonts-dejavu-core)
if [ "${1:-}" = "--tests" ]; then
  pkgs+=(python3-ezdxf python3-matplotlib unrtf libreoffice-writer-nogui poppler-utils)
elif [ "${1:-}" = "--host" ]; then
  pkgs+=(python3-ezdxf python3-matplotlib)
fi
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" != 0 ]; then
    command -v sudo >/dev/null || { echo "missing packages; run as root or install sudo: ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
