#!/usr/bin/env bash
# The real window under a virtual display: the time from the click on a
# builder to its picture on the screen, then the time the window takes to
# close (as a close box asks it: until it is gone from the screen, and until
# the program has ended) once the picture is there, and once more 0.2 s after
# the click, while the window may still be busy.
#   bench/ventana.sh BUILD_DIR DISPLAY_NUMBER [runs]
# Needs Xvfb, xdotool, python3 and libX11 (bench/esperar-dibujo.py watches the
# canvas for its first pixel that is not white).
# The value box and the builder buttons are found at their places in a
# 1280 x 800 screen (the window fills it: there is no window manager).
set -euo pipefail
dir=$(cd "$1" && pwd)
pantalla=":$2"
veces=${3:-3}
cerrar="$(dirname "$0")/cerrar-ventana.py"
[ -f "$cerrar" ] || cerrar="$(dirname "$0")/../../shared/cerrar-ventana.py"
export DISPLAY="$pantalla"
Xvfb "$pantalla" -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
ahora() { date +%s.%N; }

# One run: start the program, type the value, click the builder at x; print
# "picture seconds" and "close seconds" (closing when the picture is there,
# or at once after the click when cerrar_pronto is 1).
corrida() {
  local valor=$1 x=$2 cerrar_pronto=$3
  (cd "$dir" && exec ./quelvar) >/dev/null 2>&1 &
  local programa=$!
  local w=""
  for _ in $(seq 1 100); do
    w=$(xdotool search --name "Quelvar -" 2>/dev/null | head -1 || true)
    [ -n "$w" ] && break
    sleep 0.1
  done
  sleep 1
  xdotool mousemove 578 15 click --repeat 3 1
  xdotool type "$valor"
  sleep 0.3
  python3 "$(dirname "$0")/esperar-dibujo.py" 5 40 1250 700 >/tmp/ventana-dibujo &
  local espera=$!
  sleep 0.3
  local t0
  t0=$(ahora)
  xdotool mousemove "$x" 15 click 1
  local t1=$t0
  if [ "$cerrar_pronto" = 0 ]; then
    wait "$espera"
    t1=$(cat /tmp/ventana-dibujo)
    sleep 0.5
  else
    kill "$espera" 2>/dev/null || true
    sleep 0.2
  fi
  local t2
  t2=$(ahora)
  python3 "$cerrar" "$w"
  while xdotool search --onlyvisible --name "Quelvar -" >/dev/null 2>&1; do sleep 0.02; done
  local t3
  t3=$(ahora)
  while kill -0 "$programa" 2>/dev/null; do sleep 0.02; done
  local t4
  t4=$(ahora)
  local cierre
  cierre="window gone $(echo "$t3 - $t2" | bc) s, program ended $(echo "$t4 - $t2" | bc) s"
  if [ "$cerrar_pronto" = 0 ]; then
    echo "picture $(echo "$t1 - $t0" | bc) s; close: $cierre"
  else
    echo "close 0.2 s after the click: $cierre"
  fi
}

for caso in "30 653 AVL-Fibonacci-30" "1000000 678 Monticulo-desordenado-10^6"; do
  set -- $caso
  for _ in $(seq 1 "$veces"); do
    echo "$3: $(corrida "$1" "$2" 0)"
  done
  echo "$3: $(corrida "$1" "$2" 1)"
done
