#!/usr/bin/env bash
# Checks the Group Policy exports with other people's tools. Samba's Registry.pol parser reads both
# files of `export --format pol`, and every entry must be what the real pass writes or deletes, read
# back from the hives after `tessel apply` with the same ticks (all on, all off, a mixed profile).
# xmllint validates the template of `export --format admx` against Microsoft's schema; every string
# reference resolves in both languages, the rows present are exactly those a template can state, and
# each policy's enabled and disabled values are the all-on and all-off Registry.pol entries.
# Usage: group-policy-check.sh TESSEL [SCHEMA_DIR]   (default: ../shared/schemas/admx beside the repository)
set -euo pipefail
tessel=$1
here=$(cd "$(dirname "$0")" && pwd)
schema=${2:-$here/../../../shared/schemas/admx}
fail() { echo "FAIL: $*" >&2; exit 1; }

# Debian's interpreter, which python3-samba installs into.
python=/usr/bin/python3
[ -x "$python" ] && "$python" -c 'import samba.dcerpc.preg, samba.ndr' 2>/dev/null ||
  fail "Samba's Python modules are missing: install python3-samba (bash scripts/setup.sh build)"
command -v xmllint >/dev/null || fail "xmllint is missing: install libxml2-utils (bash scripts/setup.sh build)"
[ -f "$schema/PolicyDefinitionFiles.xsd" ] || fail "no ADMX schema at $schema (CI clones shared/ beside the repository)"

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_STATE_HOME="$dir/state" "$@"; }

cat >"$dir/mixed.json" <<'JSON'
{"format": "tessel-profile", "version": 1,
 "ticked": ["NoViewContextMenu", "reg", "NoSetFolders", "Autorun", "AutoShareWks", "1803", "DefaultRcvWindow", "AutoEndTasks"]}
JSON

# apply NAME SEED TICKS...: a fresh pair of hives, optionally seeded by one pass, then the pass with
# TICKS; each hive is dumped before and after that pass.
apply() {
  local name=$1 seed=$2
  shift 2
  local hives=$dir/hives-$name
  mkdir -m 700 "$hives"
  export TESSEL_HKCU_DB=$hives/user.db TESSEL_HKLM_DB=$hives/machine.db
  if [ "$seed" != none ]; then
    # shellcheck disable=SC2086
    run "$tessel" apply $seed --password-stdin </dev/null >/dev/null || fail "seeding apply $seed"
  fi
  "$python" "$here/group_policy_check.py" dump "$hives" >"$hives/before.json"
  run "$tessel" apply "$@" --password-stdin </dev/null >/dev/null || fail "apply $*"
  "$python" "$here/group_policy_check.py" dump "$hives" >"$hives/after.json"
  unset TESSEL_HKCU_DB TESSEL_HKLM_DB
}

for case in on off mixed; do
  case $case in
    on) ticks=(--on all) ;;
    off) ticks=(--off all) ;;
    mixed) ticks=(--profile "$dir/mixed.json") ;;
  esac
  export TESSEL_HKCU_DB=$dir/none/user.db TESSEL_HKLM_DB=$dir/none/machine.db
  run "$tessel" export --format pol "${ticks[@]}" -o "$dir/pol-$case" || fail "export --format pol ${ticks[*]}"
  unset TESSEL_HKCU_DB TESSEL_HKLM_DB
  [ ! -e "$dir/none" ] || fail "export --format pol opened the hives"
  # A fresh account (values created), and accounts where every row was applied or reverted
  # before (values changed or removed): together every value the pass touches shows.
  apply "$case-fresh" none "${ticks[@]}"
  apply "$case-after-on" "--on all" "${ticks[@]}"
  apply "$case-after-off" "--off all" "${ticks[@]}"
  "$python" "$here/group_policy_check.py" pol "$dir/pol-$case" "$dir/hives-$case-fresh" \
    "$dir/hives-$case-after-on" "$dir/hives-$case-after-off" || fail "Registry.pol of ${ticks[*]}"
done

run "$tessel" export --format admx -o "$dir/admx" || fail "export --format admx"
for file in tessel.admx zh-CN/tessel.adml en-US/tessel.adml; do
  xmllint --noout --schema "$schema/PolicyDefinitionFiles.xsd" "$dir/admx/$file" 2>"$dir/xmllint.txt" ||
    fail "$file does not validate: $(cat "$dir/xmllint.txt")"
done
TESSEL_HKCU_DB=$dir/hives-on-fresh/user.db TESSEL_HKLM_DB=$dir/hives-on-fresh/machine.db \
  run "$tessel" status --json >"$dir/status.json"
"$python" "$here/group_policy_check.py" admx "$dir/admx" "$dir/pol-on" "$dir/pol-off" "$dir/status.json" ||
  fail "administrative template"
echo "group policy: Registry.pol read by Samba equals the pass; the template validates and round-trips"
