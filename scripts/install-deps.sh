#!/usr/bin/env bash
# Installs the Debian packages of scripts/packages.txt that are missing, and the npm packages of the
# tests' lock file.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mapfile -t pkgs < <(grep -v -E '^\s*(#|$)' "$here/packages.txt")
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# Some Node.js packages bring npm with them; Debian's keeps it apart.
command -v npm >/dev/null 2>&1 || dpkg-query -W -f='${Status}' npm 2>/dev/null | grep -q 'install ok installed' ||
  missing+=(npm)
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The npm packages of the tests' independent SCL reader, exactly as locked.
reader="$here/../tests/fixtures/ethernet_it/scl_reader"
if [ ! -d "$reader/node_modules/@openenergytools/scl-lib" ] || [ ! -d "$reader/node_modules/linkedom" ]; then
  (cd "$reader" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
fi
# The npm packages the tests compare with, exactly as their lock file gives them, in one folder
# of the user's cache that every checkout shares (scripts/node-modules-dir.sh prints it).
node_dir=$("$here/node-modules-dir.sh")
lock="$here/../tests/fixtures/bacnet/units-check/package-lock.json"
if ! cmp -s "$lock" "$node_dir/package-lock.json" || [ ! -d "$node_dir/node_modules" ]; then
  echo "Installing the npm packages of $(dirname "$lock") into $node_dir"
  rm -rf "$node_dir"
  mkdir -p "$node_dir"
  cp "$(dirname "$lock")/package.json" "$lock" "$node_dir/"
  (cd "$node_dir" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
fi
