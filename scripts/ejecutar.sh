#!/usr/bin/env bash
# Installs the packages, builds the program and starts it from the build
# folder, where the node pictures are generated beside it. Without a display
# (a server, a container) it runs inside a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/instalar-paquetes.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELVAR_PRUEBAS=OFF -DQUELVAR_BENCH=OFF
cmake --build build -j"$(nproc)"
cd build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No hay pantalla: quelvar se ejecuta en una pantalla virtual (xvfb-run)." >&2
  exec xvfb-run -a -s '-screen 0 1280x800x24' ./quelvar
fi
exec ./quelvar
