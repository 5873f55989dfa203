#!/bin/bash
# Reads Pivolette.msi's tables with msitools and checks what a school's IT
# relies on: the programs in Program Files for every account, the French
# shortcuts started in the data folder DOSSIER, its default in the public
# documents, the demo copied only into a folder without InfosQuizz, the
# fixed upgrade code of the major upgrade, and Atelier.exe with its shortcut
# exactly when the package holds it.
#
#   bash tools/windows/msi-check.sh [MSI]      (build-windows/Pivolette.msi)
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
MSI=${1:-$ROOT/build-windows/Pivolette.msi}
FAILED=0
bad() { printf 'ÉCHEC : %s\n' "$*"; FAILED=1; }
# has TABLE PATTERN WHAT: the table's export holds a line matching PATTERN.
has() { grep -qE "$2" <<<"$(msiinfo export "$MSI" "$1")" || bad "$3"; }

[ -f "$MSI" ] || { bad "$MSI n'existe pas"; exit 1; }
has Property '^ALLUSERS	1' "installation pour tous les comptes (ALLUSERS=1)"
has Directory '^INSTALLDIR	ProgramFiles64Folder	Pivolette' "programmes dans Program Files\\Pivolette"
for f in grelinor.exe tamarel.exe pivolette.exe Lisez-moi.txt infos_quizz_DEMO vorlines_DEMO; do
  has File "	$f	" "fichier $f"
done
has Shortcut '^RaccourciGrelinor	MENU	Grelinor - le jeu	.*\[INSTALLDIR\]grelinor.exe.*DOSSIER' "raccourci du jeu dans le dossier des données"
has Shortcut "^RaccourciTamarel	MENU	Tamarel - réglage de l'écran	.*DOSSIER" "raccourci de Tamarel dans le dossier des données"
has CustomAction 'DossierParDefaut	[0-9]+	DOSSIER	\[%PUBLIC\]\\Documents\\Pivolette\\' "DOSSIER par défaut dans les documents publics"
has InstallExecuteSequence '^DossierParDefaut	NOT DOSSIER	' "DOSSIER donné par la commande respecté"
has CustomAction 'CopieDemo	.*if not exist "\[DOSSIER\]InfosQuizz\\"' "démo copiée seulement sans InfosQuizz"
has InstallExecuteSequence '^CopieDemo	NOT Installed AND NOT REMOVE	' "démo copiée à la première installation seulement"
has Upgrade '^\{AF0D6DEE-60E5-4F38-AD4C-6B4073323B4E\}.*WIX_UPGRADE_DETECTED' "mise à jour majeure (UpgradeCode fixe)"
has InstallExecuteSequence '^RemoveExistingProducts' "l'ancienne version retirée"
# No file of the package is installed into the data folder itself.
[ -z "$(msiinfo export "$MSI" Component | awk -F'\t' '$3 == "DOSSIER"')" ] || bad "un composant dans DOSSIER"
# The workshop: its file and shortcut together, or neither.
files=$(msiinfo export "$MSI" File | grep -c '	Atelier.exe	')
links=$(msiinfo export "$MSI" Shortcut | grep -c '	Atelier du professeur	.*DOSSIER')
[ "$files" = "$links" ] || bad "Atelier.exe et son raccourci « Atelier du professeur » vont ensemble"
echo "Atelier.exe dans le paquet : $files"
# The files themselves come out whole.
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
(cd "$OUT" && msiextract -C "$OUT" "$MSI" >/dev/null) || bad "msiextract"
find "$OUT" -name grelinor.exe -size +100k | grep -q . || bad "grelinor.exe extrait"
[ $FAILED = 0 ] && echo "MSI : tout est conforme" 
exit $FAILED
