#!/usr/bin/env bash
# Installs the packages, builds everything and runs every test headless,
# then the operation suites under AddressSanitizer and a short fuzz run of
# the engines when clang is available; last the Debian package, built,
# installed, run and removed.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/instalar-paquetes.sh
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build-pruebas -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELVAR_WERROR=ON
cmake --build build-pruebas -j"$(nproc)"
ctest --test-dir build-pruebas --output-on-failure -j"$(nproc)" --timeout 600
bash scripts/asan.sh
bash scripts/fuzz.sh
bash scripts/comprobar-paquete.sh
