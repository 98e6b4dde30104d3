#!/usr/bin/env bash
# manuales.sh VERSION PROGRAM PAGE.gz...: each program answers --version with
# its name and VERSION, and its manual page carries that version and every
# long option its --help lists.
set -u
version=$1
shift
fallos=0
while [ $# -ge 2 ]; do
  programa=$1 pagina=$2
  shift 2
  nombre=$(basename "$programa")
  dice=$("$programa" --version)
  [ "$dice" = "$nombre $version" ] || { echo "$nombre --version: \"$dice\""; fallos=1; }
  texto=$(zcat "$pagina" | sed 's/\\-/-/g')
  grep -q "^\.TH .* \"$nombre $version\"" <<<"$texto" || { echo "$pagina: not version $version"; fallos=1; }
  opciones=$("$programa" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u)
  [ -n "$opciones" ] || { echo "$nombre --help lists no option"; fallos=1; }
  for o in $opciones; do
    grep -qF -- "$o" <<<"$texto" || { echo "$pagina: no $o"; fallos=1; }
  done
done
exit $fallos
