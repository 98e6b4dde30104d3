#!/usr/bin/env bash
# Installs every Debian package the project needs (as root, Debian 12).
# Does nothing when they are all present already.
set -euo pipefail

paquetes=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libcli11-dev
  clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-translations-l10n
  fonts-liberation2 fonts-dejavu-core xvfb xauth desktop-file-utils
  poppler-utils
  help2man lintian appstream strace procps
)

faltan=()
for p in "${paquetes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltan+=("$p")
done
[ ${#faltan[@]} -eq 0 ] && exit 0

sudo_si_hace_falta=()
[ "$(id -u)" -ne 0 ] && sudo_si_hace_falta=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_si_hace_falta[@]}" apt-get update -qq
"${sudo_si_hace_falta[@]}" apt-get install -y -qq --no-install-recommends "${faltan[@]}"
