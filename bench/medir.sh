#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them, then prints a compact table
# and the ratios the engine is held to:
#   search tree / std::set per operation on random keys   (target <= 1.2)
#   each layout / plain walk of the same 10^6-node tree   (target <= 4)
#   stream round trip of 10^6 nodes                        (target well under 1 s)
# On a 2-core machine a single run of a one-second batch is easily disturbed,
# so each benchmark runs three times, the runs of all benchmarks interleaved
# in random order, and the median of the CPU time is used (time spent waiting
# for a core another process holds does not count). Extra arguments go to the
# benchmark binary (e.g. --benchmark_filter=Buscar).
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build-bench
mkdir -p "$dir"
if ! { cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELVAR_PRUEBAS=OFF -DQUELVAR_BENCH=ON &&
       cmake --build "$dir" --target bench_estructuras; } >"$dir/construccion.log" 2>&1; then
  cat "$dir/construccion.log"
  echo "medir.sh: the benchmarks do not build." >&2
  exit 1
fi

csv="$dir/bench/resultados.csv"
"$dir/bench/bench_estructuras" \
  --benchmark_min_time=0.5 --benchmark_repetitions=3 --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true \
  --benchmark_out="$csv" --benchmark_out_format=csv "$@" >/dev/null

# The CSV file starts with the machine context; the data follows its header line.
awk -F, '
  /^name,/ { datos = 1; next }
  !datos { next }
  {
    nombre = $1; gsub(/"/, "", nombre)
    if (nombre !~ /_median$/) next
    sub(/_median$/, "", nombre)
    orden[++n] = nombre; t[nombre] = $4; unidad[nombre] = $5; ips[nombre] = $7
  }
  function ms(x) {
    if (unidad[x] == "ms") return t[x]
    if (unidad[x] == "us") return t[x] / 1000
    if (unidad[x] == "s") return t[x] * 1000
    return t[x] / 1e6
  }
  function cociente(a, b, meta,   r, veredicto) {
    if (!(a in t) || !(b in t)) return
    r = ms(a) / ms(b)
    veredicto = meta == "" ? "" : (r <= meta ? "ok (<= " meta ")" : "MISSED (> " meta ")")
    printf "  %-24s / %-28s %6.2f   %s\n", a, b, r, veredicto
  }
  END {
    printf "%-30s %12s %14s %10s\n", "benchmark (median)", "CPU ms/batch", "items/s", "ns/item"
    # The order of the source file, whatever order the interleaved runs took.
    m = split("Insertar/TArbolBST Insertar/std::set Buscar/TArbolBST Buscar/std::set Borrar/TArbolBST " \
              "Borrar/std::set InsertarOrdenadas/TArbolBST Recorrido/pila Recorrido/RecorrerPreorden " \
              "DistribuirSeparada DistribuirComprimida DistribuirCompleta Flujo/Guardar+Cargar Flujo/Guardar " \
              "Flujo/Cargar Reconstruir/TArbolBST Reconstruir/std::set", lista, " ")
    for (i = 1; i <= m; i++) visto[lista[i]] = 1
    for (i = 1; i <= n; i++) if (!(orden[i] in visto)) lista[++m] = orden[i]
    for (i = 1; i <= m; i++) {
      x = lista[i]
      if (!(x in t)) continue
      printf "%-30s %12.1f %13.2fM %10.1f\n", x, ms(x), ips[x] / 1e6, (ips[x] > 0 ? 1e9 / ips[x] : 0)
    }
    print ""
    print "search tree / std::set (same keys, same order):"
    cociente("Insertar/TArbolBST", "Insertar/std::set", 1.2)
    cociente("Buscar/TArbolBST", "Buscar/std::set", 1.2)
    cociente("Borrar/TArbolBST", "Borrar/std::set", 1.2)
    cociente("Reconstruir/TArbolBST", "Reconstruir/std::set", "")
    print "layout / plain walk (same tree):"
    cociente("DistribuirSeparada", "Recorrido/pila", 4)
    cociente("DistribuirComprimida", "Recorrido/pila", 4)
    cociente("DistribuirCompleta", "Recorrido/pila", 4)
    cociente("Recorrido/RecorrerPreorden", "Recorrido/pila", "")
    if ("Flujo/Guardar+Cargar" in t) {
      print "stream round trip of 10^6 nodes:"
      r = ms("Flujo/Guardar+Cargar")
      printf "  %-55s %6.0f ms %s\n", "Guardar + Cargar", r, (r < 500 ? "ok (< 500 ms)" : "MISSED (>= 500 ms)")
    }
  }
' "$csv"
