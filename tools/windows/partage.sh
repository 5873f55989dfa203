#!/bin/bash
# Two computers sharing one data folder on a real SMB server: Debian's Samba
# serving a folder on the loopback only, reached through two separate FUSE
# mounts of smbnetfs (each its own SMB connection, as two computers have).
# The same pupil is chosen on both at the same millisecond, 20 times, by
# the game's own steps (course_eleve): each time exactly one plays and the
# other is refused, and every results file is whole.
#
#   bash tools/windows/partage.sh COURSE_ELEVE      (root: smbd on port 445 of 127.0.0.1)
#
# Exit code 0 when 20 of 20 passed; 77 when Samba, smbnetfs or FUSE are
# missing here (said so).
set -uo pipefail

COURSE=$(realpath "${1:?usage: partage.sh COURSE_ELEVE}")
for tool in smbd smbnetfs fusermount; do
  command -v $tool >/dev/null || { echo "partage : $tool absent, test non fait"; exit 77; }
done
[ -c /dev/fuse ] || { echo "partage : pas de /dev/fuse ici, test non fait"; exit 77; }

W=$(mktemp -d)
mkdir -p "$W"/{partage/InfosQuizz,priv,lock,state,cache,log,run,m1,m2,h1/.smb,h2/.smb}
chmod -R 777 "$W/partage"
cat >"$W/smb.conf" <<CONF
[global]
  interfaces = lo
  bind interfaces only = yes
  smb ports = 445
  private dir = $W/priv
  lock directory = $W/lock
  state directory = $W/state
  cache directory = $W/cache
  pid directory = $W/run
  log file = $W/log/%m.log
  map to guest = Bad User
  server role = standalone server
  disable netbios = yes
  load printers = no
[classe]
  path = $W/partage
  read only = no
  guest ok = yes
  force user = root
CONF
# smbd in a session of its own: when it stops it signals its whole process
# group, which would otherwise be the caller's (CI itself).
setsid smbd -F --no-process-group -s "$W/smb.conf" >"$W/log/smbd.out" 2>&1 &
SMBD=$!
cleanup() {
  fusermount -u "$W/m1" 2>/dev/null; fusermount -u "$W/m2" 2>/dev/null
  kill $SMBD 2>/dev/null; wait $SMBD 2>/dev/null
  rm -rf "$W"
}
trap cleanup EXIT
for k in 1 2; do
  printf '[global]\n  client min protocol = SMB2\n' >"$W/h$k/.smb/smb.conf"
  printf 'auth "guest" ""\nsmb_query_browsers false\nhost 127.0.0.1 visible=true\n' >"$W/h$k/.smb/smbnetfs.conf"
  chmod 600 "$W/h$k/.smb/"*
done
for _ in $(seq 50); do [ -n "$(ss -ltn 'sport = :445' 2>/dev/null | tail -n +2)" ] && break; sleep 0.1; done
for k in 1 2; do HOME=$W/h$k smbnetfs "$W/m$k" || { echo "partage : smbnetfs ne monte pas"; exit 77; }; done
D1=$W/m1/127.0.0.1/classe D2=$W/m2/127.0.0.1/classe
for _ in $(seq 50); do [ -d "$D1/InfosQuizz" ] && [ -d "$D2/InfosQuizz" ] && break; sleep 0.2; done
[ -d "$D1/InfosQuizz" ] || { echo "partage : le partage n'est pas visible"; exit 1; }

ok=0
for i in $(seq 1 20); do
  t=$(($(date +%s%3N) + 300))
  out=$("$COURSE" "$D1" DEMO ELEVE "N$i" $t & "$COURSE" "$D2" DEMO ELEVE "N$i" $t; wait)
  if [ "$(grep -c '^joue' <<<"$out")$(grep -c '^refuse' <<<"$out")" = 11 ]; then ok=$((ok + 1))
  else printf 'tour %d : %s\n' "$i" "$out"; fi
  [ "$(cat "$W/partage/InfosQuizz/joueurs/DEMO/ELEVE_N$i.txt" 2>/dev/null)" = "$(printf 'ELEVE\nN%d\nDEMO\n0\n0\n9999' "$i")" ] ||
    echo "tour $i : fichier de résultats incomplet"
done
left=$(find "$W/partage" -name '.pivolette-*' | wc -l)
echo "partage Samba (smbnetfs) : $ok/20 une partie et un refus ; restes provisoires : $left"
[ $ok = 20 ] && [ "$left" = 0 ]
