#!/usr/bin/env bash
# Builds the Debian package quelvar_<version>_amd64.deb in build-paquete/
# (Release, installed under /usr) and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build-paquete
mkdir -p "$dir"
# The distribution's hardening flags, as a Debian build gives them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DQUELVAR_PRUEBAS=OFF -DQUELVAR_BENCH=OFF -DQUELVAR_PAQUETE=ON >"$dir/construccion.log" 2>&1 ||
  { cat "$dir/construccion.log"; exit 1; }
cmake --build "$dir" -j"$(nproc)" >>"$dir/construccion.log" 2>&1 || { tail -50 "$dir/construccion.log"; exit 1; }
rm -f "$dir"/quelvar_*.deb
(cd "$dir" && cpack -G DEB >>construccion.log 2>&1) || { tail -50 "$dir/construccion.log"; exit 1; }
ls "$PWD/$dir"/quelvar_*_amd64.deb
