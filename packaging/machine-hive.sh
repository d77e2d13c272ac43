#!/bin/sh
# Creates the machine hive (HKEY_LOCAL_MACHINE) for administrators: its folder and file owned by
# root and the administrators' group (sudo on Debian, wheel where that is the convention), writable
# by that group, readable by everyone. A member of the group then writes machine-wide values; other
# accounts cannot open machine-wide keys and meet the numbered messages, as on Windows.
# Run as root. A folder or hive that already exists is left as it is. The hive itself, with its
# schema and its side files, is made by the program (`tessel --create-machine-hive`); this script
# only gives it its owners and modes.
# Usage: machine-hive.sh [FILE]     (default /var/lib/tessel/machine.db)
# The program is $TESSEL, or the tessel installed beside this script's libexec folder.
set -eu
hive=${1:-/var/lib/tessel/machine.db}
dir=$(dirname "$hive")
tessel=${TESSEL:-$(dirname "$0")/../../bin/tessel}

group=root
for candidate in sudo wheel; do
  if getent group "$candidate" >/dev/null 2>&1; then group=$candidate; break; fi
done

if [ ! -d "$dir" ]; then
  mkdir -p "$dir"
  chown "root:$group" "$dir"
  # setgid: the side files SQLite makes beside the hive (-wal, -shm) join the group as well.
  chmod 2775 "$dir"
fi
if [ -e "$hive" ] || [ -L "$hive" ]; then
  exit 0
fi

# Built whole beside its place and linked in, so a hive that appears meanwhile is never replaced.
"$tessel" --create-machine-hive "$hive"
# Side files that stay when the last writer closes: an account outside the group cannot make them in
# this folder, and a reader of a WAL needs them.
chown "root:$group" "$hive" "$hive-wal" "$hive-shm"
chmod 0664 "$hive" "$hive-wal" "$hive-shm"
