#!/usr/bin/env bash
# Installs the Debian packages of scripts/packages.txt that are missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mapfile -t pkgs < <(grep -v -E '^\s*(#|$)' "$here/packages.txt")
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
# npm comes with some node builds and is a package of its own with others.
command -v npm >/dev/null 2>&1 || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The npm packages of the tests' independent SCL reader, exactly as locked.
reader="$here/../tests/fixtures/ethernet_it/scl_reader"
if [ ! -d "$reader/node_modules/@openenergytools/scl-lib" ] || [ ! -d "$reader/node_modules/linkedom" ]; then
  (cd "$reader" && npm ci --no-audit --no-fund --loglevel=error)
fi
