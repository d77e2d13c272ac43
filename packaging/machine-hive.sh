#!/bin/sh
# Creates the machine hive (HKEY_LOCAL_MACHINE) for administrators: its folder and file owned by
# root and the administrators' group (sudo on Debian, wheel where that is the convention), writable
# by that group, readable by everyone. A member of the group then writes machine-wide values; other
# accounts cannot open machine-wide keys and meet the numbered messages, as on Windows.
# Run as root. A folder or hive that already exists is left as it is.
# Usage: machine-hive.sh [FILE]     (default /var/lib/tessel/machine.db)
set -eu
hive=${1:-/var/lib/tessel/machine.db}
dir=$(dirname "$hive")

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

# Built whole beside its place and linked in, as the program builds a hive: the schema and marks
# are those the program writes (see the README), so the program takes the file as one of its hives.
tmp=$(mktemp "$hive.new-XXXXXX")
trap 'rm -f "$tmp" "$tmp-wal" "$tmp-shm"' EXIT
sqlite3 "$tmp" >/dev/null <<'SQL'
PRAGMA journal_mode=WAL;
BEGIN IMMEDIATE;
CREATE TABLE keys(
    id     INTEGER PRIMARY KEY,
    parent INTEGER NOT NULL,
    name   TEXT NOT NULL,
    fold   TEXT NOT NULL,
    UNIQUE(parent, fold));
CREATE TABLE vals(
    key  INTEGER NOT NULL,
    name TEXT NOT NULL,
    fold TEXT NOT NULL,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    PRIMARY KEY(key, fold)) WITHOUT ROWID;
INSERT INTO keys(id, parent, name, fold) VALUES(1, 0, '', '');
PRAGMA application_id=1414745160;
PRAGMA user_version=1;
COMMIT;
PRAGMA wal_checkpoint(TRUNCATE);
SQL
chown "root:$group" "$tmp"
chmod 0664 "$tmp"
# link never replaces a hive that appeared meanwhile.
if ln "$tmp" "$hive" 2>/dev/null; then
  # Side files that stay when the last writer closes (the program asks for the same): an account
  # outside the group cannot make them in this folder, and a reader of a WAL needs them.
  sqlite3 "$hive" ".filectrl persist_wal 1" "SELECT count(*) FROM keys;" >/dev/null
  chown "root:$group" "$hive-wal" "$hive-shm"
  chmod 0664 "$hive-wal" "$hive-shm"
elif [ ! -e "$hive" ]; then
  echo "cannot create $hive" >&2
  exit 1
fi
