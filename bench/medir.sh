#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them, then prints a compact table
# and the ratios the engine is held to:
#   plain search tree / std::set per operation on random keys   (target <= 1.2)
#   AVL, red-black and splay tree / std::set per operation      (target <= 1.5)
#   min-heap / std::priority_queue per operation                (target <= 1.5)
#   red-black / AVL replay of 10^5 random insertions            (near: <= 1.5)
#   a bare heap with a node-sized record written per cell and level
#   / std::priority_queue: the floor of the heap's design        (no target)
#   each layout / plain walk of the same 10^6-node tree         (target <= 4)
#   stream round trip of 10^6 nodes                             (target well under 1 s)
# and then the drawing's (bench_dibujo, when the desktop program is built):
#   10^5-node tree at "fit", summary kept / 10^3-node tree at 100 %  (<= 2, and < 16 ms)
#   the 10^6-value heap's zoom frames (fit to 400 %) and pan frames,
#   the slowest frame of each                                    (< 16 ms)
# On a 2-core machine a single run of a one-second batch is easily disturbed,
# so each benchmark runs three times, the runs of all benchmarks interleaved
# in random order, and the median of the CPU time is used (time spent waiting
# for a core another process holds does not count). Extra arguments go to the
# benchmark binary (e.g. --benchmark_filter=Buscar). A whole run takes about
# five minutes, and a minute more for the cancel latencies (bench_trabajo,
# printed first).
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

# The latency of a cancel posted into long work (a replay, a builder, a load),
# printed first: target within 100 ms. Needs the desktop program's library.
if cmake --build "$dir" --target bench_trabajo >"$dir/construccion-trabajo.log" 2>&1; then
  echo "cancel of long work (bench_trabajo; 7 cancels each, posted from another thread):"
  QT_QPA_PLATFORM=offscreen "$dir/bench/bench_trabajo" 2>/dev/null
  echo
fi

csv="$dir/bench/resultados.csv"
"$dir/bench/bench_estructuras" \
  --benchmark_min_time=0.5 --benchmark_repetitions=3 --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true \
  --benchmark_out="$csv" --benchmark_out_format=csv "$@" >/dev/null

# The CSV file starts with the machine context; the data follows its header
# line. A benchmark's label (column 8) says where a replay stopped.
awk -F, '
  /^name,/ { datos = 1; next }
  !datos { next }
  {
    nombre = $1; gsub(/"/, "", nombre)
    if (nombre !~ /_median$/) next
    sub(/_median$/, "", nombre)
    orden[++n] = nombre; t[nombre] = $4; unidad[nombre] = $5; ips[nombre] = $7
    etiqueta = $8; gsub(/"/, "", etiqueta)
    if (etiqueta != "") nota[nombre] = etiqueta
  }
  function ms(x) {
    if (unidad[x] == "ms") return t[x]
    if (unidad[x] == "us") return t[x] / 1000
    if (unidad[x] == "s") return t[x] * 1000
    return t[x] / 1e6
  }
  function cociente(a, b, meta,   r, veredicto) {
    if (!(a in t) || !(b in t)) return
    if (a in nota) {
      printf "  %-36s %s (no ratio)\n", a, nota[a]
      return
    }
    r = ms(a) / ms(b)
    veredicto = meta == "" ? "" : (r <= meta ? "ok (<= " meta ")" : "MISSED (> " meta ")")
    if (meta != "") { if (r <= meta) ++bien; else ++mal }
    printf "  %-36s / %-38s %6.2f   %s\n", a, b, r, veredicto
  }
  END {
    printf "%-40s %12s %14s %10s\n", "benchmark (median)", "CPU ms/batch", "items/s", "ns/item"
    # The order of the source file, whatever order the interleaved runs took.
    m = split("Insertar/TArbolBST Insertar/TArbolAVL Insertar/TArbolRN Insertar/TSplayTree Insertar/std::set " \
              "Buscar/TArbolBST Buscar/TArbolAVL Buscar/TArbolRN Buscar/TSplayTree Buscar/std::set " \
              "Borrar/TArbolBST Borrar/TArbolAVL Borrar/TArbolRN Borrar/TSplayTree Borrar/std::set " \
              "InsertarOrdenadas/TArbolBST InsertarOrdenadas/TArbolAVL InsertarOrdenadas/TArbolRN " \
              "InsertarOrdenadas/TSplayTree InsertarOrdenadas/std::set" \
              "Insertar/TMonticulo Insertar/std::priority_queue BorrarMinimo/TMonticulo " \
              "BorrarMinimo/std::priority_queue BorrarMinimo/modelo-nodos InsertarOrdenadas/TMonticulo InsertarOrdenadas/std::priority_queue " \
              "Recorrido/pila Recorrido/RecorrerPreorden DistribuirSeparada DistribuirComprimida DistribuirCompleta " \
              "Flujo/Guardar+Cargar Flujo/Guardar Flujo/Cargar " \
              "Reconstruir/TArbolBST Reconstruir/TArbolAVL Reconstruir/TArbolRN Reconstruir/TSplayTree " \
              "Reconstruir/std::set Reconstruir/TMonticulo Reconstruir/std::priority_queue " \
              "ReconstruirInserciones/TArbolBST ReconstruirInserciones/TArbolAVL ReconstruirInserciones/TArbolRN " \
              "ReconstruirInserciones/TSplayTree ReconstruirInserciones/std::set", lista, " ")
    for (i = 1; i <= m; i++) visto[lista[i]] = 1
    for (i = 1; i <= n; i++) if (!(orden[i] in visto)) lista[++m] = orden[i]
    for (i = 1; i <= m; i++) {
      x = lista[i]
      if (!(x in t)) continue
      printf "%-40s %12.1f %13.2fM %10.1f\n", x, ms(x), ips[x] / 1e6, (ips[x] > 0 ? 1e9 / ips[x] : 0)
    }
    print "(sorted insertions: 10^4 keys into TArbolBST, 10^5 into the others; replays: 10^5 entries)"
    print ""
    print "plain search tree / std::set (same keys, same order):"
    cociente("Insertar/TArbolBST", "Insertar/std::set", 1.2)
    cociente("Buscar/TArbolBST", "Buscar/std::set", 1.2)
    cociente("Borrar/TArbolBST", "Borrar/std::set", 1.2)
    cociente("Reconstruir/TArbolBST", "Reconstruir/std::set", "")
    cociente("ReconstruirInserciones/TArbolBST", "ReconstruirInserciones/std::set", "")
    split("TArbolAVL TArbolRN TSplayTree", tipos, " ")
    for (k = 1; k <= 3; k++) {
      print tipos[k] " / std::set (same keys, same order):"
      split("Insertar Buscar Borrar InsertarOrdenadas Reconstruir ReconstruirInserciones", ops, " ")
      for (j = 1; j <= 6; j++) cociente(ops[j] "/" tipos[k], ops[j] "/std::set", 1.5)
    }
    print "floor of the heap design (a node-sized record per cell), no target:"
    cociente("BorrarMinimo/modelo-nodos", "BorrarMinimo/std::priority_queue", "")
    print "red-black replay / AVL replay, 10^5 random insertions (near, not quadratic):"
    cociente("ReconstruirInserciones/TArbolRN", "ReconstruirInserciones/TArbolAVL", 1.5)
    print "TMonticulo / std::priority_queue (same keys, same order):"
    split("Insertar BorrarMinimo InsertarOrdenadas Reconstruir", ops, " ")
    for (j = 1; j <= 4; j++) cociente(ops[j] "/TMonticulo", ops[j] "/std::priority_queue", 1.5)
    print "layout / plain walk (same tree):"
    cociente("DistribuirSeparada", "Recorrido/pila", 4)
    cociente("DistribuirComprimida", "Recorrido/pila", 4)
    cociente("DistribuirCompleta", "Recorrido/pila", 4)
    cociente("Recorrido/RecorrerPreorden", "Recorrido/pila", "")
    if ("Flujo/Guardar+Cargar" in t) {
      print "stream round trip of 10^6 nodes:"
      r = ms("Flujo/Guardar+Cargar")
      printf "  %-55s %6.0f ms %s\n", "Guardar + Cargar", r, (r < 500 ? "ok (< 500 ms)" : "MISSED (>= 500 ms)")
      if (r < 500) ++bien; else ++mal
    }
    printf "\ntargets met: %d, missed: %d\n", bien, mal
  }
' "$csv"

# The drawing. Its frames are timed on the thread's own clock; "peor" is the
# slowest frame of a run (the median over the three runs).
if ! cmake --build "$dir" --target bench_dibujo >>"$dir/construccion.log" 2>&1; then
  echo "(no drawing benchmarks: bench_dibujo does not build here, see $dir/construccion.log)"
  exit 0
fi
# Two runs: a CSV file takes the frame counters only if every row has them.
for parte in cuadros fotogramas; do
  filtro='^(Dibujar/1000$|DibujarAjustado)'
  [ "$parte" = fotogramas ] && filtro='^(ZoomMonticulo|DesplazarMonticulo)'
  "$dir/bench/bench_dibujo" --benchmark_filter="$filtro" \
    --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    --benchmark_out="$dir/bench/dibujo-$parte.csv" --benchmark_out_format=csv >/dev/null 2>&1
done
awk -F, '
  FNR == 1 { datos = 0; delete col }
  /^name,/ { datos = 1; for (i = 1; i <= NF; i++) { c = $i; gsub(/"/, "", c); col[c] = i }; next }
  !datos { next }
  {
    nombre = $1; gsub(/"/, "", nombre)
    if (nombre !~ /_median$/) next
    sub(/_median$/, "", nombre); sub(/\/real_time$/, "", nombre)
    orden[++n] = nombre; cpu[nombre] = $4
    if ("fotograma_ms" in col) { media[nombre] = $col["fotograma_ms"]; peor[nombre] = $col["peor_ms"] }
  }
  function veredicto(ok, meta) { if (ok) { ++bien; return "ok (" meta ")" } ++mal; return "MISSED (" meta ")" }
  END {
    print ""
    print "drawing (median of 3, ms):"
    a = "DibujarAjustado/100000/1"; b = "Dibujar/1000"
    if ((a in cpu) && (b in cpu)) {
      r = cpu[a] / cpu[b]
      printf "  %-30s %7.2f ms  first after Olvidar %7.2f ms\n", "10^5 nodes at fit", cpu[a], cpu["DibujarAjustado/100000/0"]
      printf "  %-30s %7.2f ms\n", "10^3 nodes at 100 %", cpu[b]
      printf "  %-30s %7.2f    %s\n", "fit / 100 %", r, veredicto(r <= 2, "<= 2")
      printf "  %-30s %7.2f ms %s\n", "fit frame", cpu[a], veredicto(cpu[a] < 16, "< 16 ms")
    }
    for (i = 1; i <= n; i++) {
      x = orden[i]
      if (x !~ /Monticulo/) continue
      printf "  %-30s frame %6.2f ms, slowest %6.2f ms %s\n", x, media[x], peor[x], veredicto(peor[x] < 16, "< 16 ms")
    }
    printf "\ndrawing targets met: %d, missed: %d\n", bien, mal
  }
' "$dir/bench/dibujo-cuadros.csv" "$dir/bench/dibujo-fotogramas.csv"

# The history: recording steps, undoing one, jumping over all of them.
if cmake --build "$dir" --target bench_historia >>"$dir/construccion.log" 2>&1; then
  echo
  echo "history (bench_historia; 0: AVL, 10^5 steps one by one; 1: a 10^6-value heap, its build and"
  echo "100 insertions; 2: the AVL steps opened as a list):"
  "$dir/bench/bench_historia" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true 2>/dev/null |
    grep -E 'median'
fi
