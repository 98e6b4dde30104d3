#!/usr/bin/env bash
# Installs the packages, builds and starts the main job: the step-trace tool
# on a small binary search tree lesson.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/instalar-paquetes.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELVAR_PRUEBAS=OFF -DQUELVAR_BENCH=OFF
cmake --build build -j"$(nproc)"
exec ./build/herramientas/traza/quelvar-traza bst 50 30 70 ?60 -50
