#!/usr/bin/env bash
# Installs what is missing, builds and starts the configurator.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
TARGETS=Configurator "$top/scripts/build.sh" "$top/build"
exe="$top/build/app/Configurator"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: run it as  xvfb-run -a $0  (or set QT_QPA_PLATFORM=offscreen)." >&2
  exit 1
fi
exec "$exe"
