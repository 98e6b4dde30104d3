#!/usr/bin/env bash
# Builds the Debian package and checks it as a school technician would use it
# (as root): its file list, lintian, then installed with apt: the desktop entry
# and the software-centre entry validated, the three programs run from
# /usr/bin, and after apt remove no file of the package left.
set -euo pipefail
cd "$(dirname "$0")/.."

inicio=$SECONDS
fallo() { echo "comprobar-paquete: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fallo "installs the package: run it as root"
if dpkg-query -W -f='${Status}' quelvar 2>/dev/null | grep -q 'install ok installed'; then
  fallo "quelvar is installed already; remove it first (this check installs and removes it)"
fi

deb=$(bash scripts/paquete.sh | tail -1)
version=$(dpkg-deb -f "$deb" Version)
echo "paquete: $deb ($((SECONDS - inicio)) s)"

# Every file the package must hold.
esperados=(
  usr/bin/quelvar usr/bin/quelvar-traza usr/bin/quelvar-lamina
  usr/share/applications/quelvar.desktop
  usr/share/icons/hicolor/scalable/apps/quelvar.svg
  usr/share/metainfo/quelvar.metainfo.xml
  usr/share/man/man1/quelvar.1.gz usr/share/man/man1/quelvar-traza.1.gz usr/share/man/man1/quelvar-lamina.1.gz
  usr/share/doc/quelvar/copyright usr/share/doc/quelvar/changelog.gz
)
for f in Nodos NodosR NodosN Nodos256 NodosR256 NodosN256 MaskNor MaskFon Secuencia; do
  esperados+=("usr/share/quelvar/$f.bmp")
done
contenido=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for f in "${esperados[@]}"; do
  grep -qxF "./$f" <<<"$contenido" || fallo "$deb lacks /$f"
done
# The dependencies come from the binaries (dpkg-shlibdeps), not from a list.
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fallo "no dependency on Qt computed"

lintian --fail-on error "$deb" || fallo "lintian reports errors"

# From here on the package is installed: removed however the check ends.
instalado=1
quitar() { if [ "$instalado" = 1 ]; then apt-get remove -y -qq quelvar >/dev/null || true; fi; }
trap quitar EXIT
apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
ficheros=()
while read -r f; do [ -d "$f" ] || ficheros+=("$f"); done < <(dpkg -L quelvar)

desktop-file-validate /usr/share/applications/quelvar.desktop
# The program's id is its desktop file's name, "quelvar" (not a reversed
# domain name: the project has none).
appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info /usr/share/metainfo/quelvar.metainfo.xml

[ "$(/usr/bin/quelvar-traza --version)" = "quelvar-traza $version" ] || fallo "quelvar-traza --version"
/usr/bin/quelvar-lamina --help | grep -q -- '--salida' || fallo "quelvar-lamina --help"

# The program as the menu starts it: from an empty folder, for a user whose
# presentation is the node pictures ("TipoGraf" 2), it must stay up for 3 s
# and end when asked (SIGTERM), leaving the folder empty.
vacia=$(mktemp -d)
mkdir -p "$vacia/home/.config/TALMERA" "$vacia/trabajo"
printf '[General]\nTipoGraf=2\n' > "$vacia/home/.config/TALMERA/Quelvar.conf"
traza=()
strace -o /dev/null true 2>/dev/null && traza=(strace -f -e trace=openat -o "$vacia/openat.txt")
(cd "$vacia/trabajo" && HOME="$vacia/home" XDG_CONFIG_HOME="$vacia/home/.config" QT_QPA_PLATFORM=offscreen \
  exec "${traza[@]}" /usr/bin/quelvar) &
programa=$!
sleep 3
kill -0 "$programa" 2>/dev/null || { wait "$programa" || true; fallo "quelvar ended before 3 s"; }
# Under strace the program is strace's child.
objetivo=$programa
[ ${#traza[@]} -eq 0 ] || objetivo=$(pgrep -P "$programa" -x quelvar)
kill -TERM "$objetivo"
estado=0
wait "$programa" || estado=$?
[ "$estado" -eq 143 ] || fallo "quelvar ended with status $estado, not by SIGTERM"
[ -z "$(ls -A "$vacia/trabajo")" ] || fallo "quelvar wrote into its working folder"
# The node pictures: read from the installed data folder, the working
# folder having none.
if [ ${#traza[@]} -eq 0 ]; then
  echo "aviso: strace cannot run here; the node pictures are not checked"
else
  grep 'share/quelvar/Nodos\.bmp"' "$vacia/openat.txt" | grep -qv '= -1' ||
    fallo "quelvar did not open /usr/share/quelvar/Nodos.bmp"
fi
rm -rf "$vacia"

apt-get remove -y -qq quelvar >/dev/null
instalado=0
for f in "${ficheros[@]}" /usr/share/quelvar /usr/share/doc/quelvar; do
  [ ! -e "$f" ] || fallo "$f is left after apt remove"
done
echo "comprobar-paquete: correcto en $((SECONDS - inicio)) s"
