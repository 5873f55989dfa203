#!/bin/bash
# Pivolette.msi installed under Wine as a school's IT would, with the data
# folder on a drive letter of its own (DOSSIER=S:\): the demo is copied into
# the empty folder, an uninstall leaves a class's data in place, a new
# install finds the folder holding data and leaves it alone, and the game,
# started as its shortcut starts it (in the data folder), shows its window
# (screenshot left in OUT_DIR).
#
#   bash tools/windows/msi-wine.sh MSI OUT_DIR
set -uo pipefail

MSI=$(realpath "${1:?usage: msi-wine.sh MSI OUT_DIR}")
OUT=$(mkdir -p "${2:?}" && cd "$2" && pwd)
if [ -z "${PIVOLETTE_MSI_DISPLAY:-}" ]; then
  exec env PIVOLETTE_MSI_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "${BASH_SOURCE[0]}" "$MSI" "$OUT"
fi
export WINEPREFIX=$OUT/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
FAILED=0
bad() { printf 'ÉCHEC : %s\n' "$*"; FAILED=1; }
rm -rf "$WINEPREFIX" && wineboot -u >/dev/null 2>&1 && wineserver -w
DATA=$OUT/classe
rm -rf "$DATA" && mkdir -p "$DATA"
ln -sfn "$DATA" "$WINEPREFIX/dosdevices/s:"
WMSI=$(winepath -w "$MSI")
msi() { wine msiexec "$@" /qn >/dev/null 2>&1; local rc=$?; wineserver -w; return $rc; }

msi /i "$WMSI" 'DOSSIER=S:\' || bad "installation"
[ -f "$WINEPREFIX/drive_c/Program Files/Pivolette/grelinor.exe" ] || bad "grelinor.exe dans Program Files"
[ -f "$DATA/InfosQuizz/infos/infos_quizz_DEMO" ] || bad "démo copiée dans le dossier vide"
printf 'ELEVE\nUN\nDEMO\n03\n01\n0042\n' >"$DATA/InfosQuizz/joueurs/DEMO/ELEVE_UN.txt"
echo "liste du professeur" >"$DATA/InfosQuizz/infos/infos_quizz_DEMO"
msi /x "$WMSI" || bad "désinstallation"
[ ! -f "$WINEPREFIX/drive_c/Program Files/Pivolette/grelinor.exe" ] || bad "programmes retirés"
msi /i "$WMSI" 'DOSSIER=S:\' || bad "nouvelle installation"
[ "$(cat "$DATA/InfosQuizz/infos/infos_quizz_DEMO")" = "liste du professeur" ] || bad "données du professeur intactes"
[ -f "$DATA/InfosQuizz/joueurs/DEMO/ELEVE_UN.txt" ] || bad "résultats intacts"

# The game as its shortcut starts it.
wine start /d 'S:\' 'C:\Program Files\Pivolette\grelinor.exe' >/dev/null 2>&1
found=0
for _ in $(seq 60); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Pivolette"' && found=1 && break
  sleep 0.5
done
sleep 2
import -window root "$OUT/grelinor-msi.png"
[ $found = 1 ] || bad "fenêtre du jeu"
wineserver -k
[ $FAILED = 0 ] && echo "MSI sous Wine : tout est conforme ($OUT/grelinor-msi.png)"
exit $FAILED
