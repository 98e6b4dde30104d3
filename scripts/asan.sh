#!/usr/bin/env bash
# The operation suites under AddressSanitizer and UndefinedBehaviorSanitizer:
# the stage player, commands and the window closing during a playback or a motion,
# errors leaving an operation, and
# the history and file commands.
# Builds only what those suites need, in build-asan, and runs them headless.
# Leak reports are off: Qt keeps allocations alive until the process ends
# (fonts, platform plugin, global statics), which would drown real reports.
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build-asan
pruebas=(prueba_operaciones prueba_historia)
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELVAR_BENCH=OFF -DQUELVAR_WERROR=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build "$dir" -j"$(nproc)" --target "${pruebas[@]}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
regex="^($(IFS='|'; echo "${pruebas[*]}"))\$"
ctest --test-dir "$dir" -R "$regex" --output-on-failure --timeout 600
