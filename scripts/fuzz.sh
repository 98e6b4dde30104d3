#!/usr/bin/env bash
# A short fuzz run (about 60 s) of the stream loader of the five structure
# kinds, with the layouts, node motion and a few operations of each kind with
# their step reports, under ASan and UBSan. Needs clang++; without it, says so
# and exits 0.
# Exits non-zero when the fuzzer finds a crash, and prints the input in hex.
# Extra arguments go to the fuzzer (e.g. -max_total_time=600).
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz.sh: clang++ not found; the fuzz run is skipped."
  exit 0
fi

dir=build-fuzz
mkdir -p "$dir"
if ! { cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
         -DQUELVAR_FUZZ=ON -DQUELVAR_WERROR=ON -DQUELVAR_PRUEBAS=OFF -DQUELVAR_BENCH=OFF -DQUELVAR_INTERFAZ=OFF &&
       cmake --build "$dir" --target fuzz_flujo; } >"$dir/construccion.log" 2>&1; then
  cat "$dir/construccion.log"
  echo "fuzz.sh: the fuzz target does not build." >&2
  exit 1
fi

# New inputs go to the work corpus (not committed); the seeds are only read.
corpus=fuzz/corpus-trabajo
artefactos="$dir/artefactos"
mkdir -p "$corpus" "$artefactos"
rm -f "$artefactos"/crash-* "$artefactos"/leak-* "$artefactos"/timeout-* "$artefactos"/oom-*

# A UB report comes with its stack.
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
echo "fuzz.sh: fuzzing the stream loader and the operations of the five kinds for 60 s..."
rc=0
"$dir/fuzz/fuzz_flujo" -max_total_time=60 -rss_limit_mb=2048 -max_len=4096 -timeout=10 \
  -print_final_stats=1 -artifact_prefix="$artefactos/" "$@" "$corpus" fuzz/semillas \
  >"$dir/fuzz.log" 2>&1 || rc=$?

if [ "$rc" -ne 0 ]; then
  tail -n 60 "$dir/fuzz.log"
  for f in "$artefactos"/*; do
    [ -f "$f" ] || continue
    echo "fuzz.sh: reproducer $f (reproduce with: $dir/fuzz/fuzz_flujo $f):"
    od -An -v -tx1 "$f"
  done
  echo "fuzz.sh: the fuzzer found a fault (exit $rc)." >&2
  exit 1
fi
grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ *DONE)' "$dir/fuzz.log" || true
echo "fuzz.sh: no fault found."
