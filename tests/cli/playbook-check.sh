#!/usr/bin/env bash
# Checks exported playbooks with Ansible itself: `ansible-playbook --syntax-check`, and every task
# names only ansible.windows.win_regedit, with arguments and choices that `ansible-doc` documents.
# Usage: playbook-check.sh TESSEL
set -euo pipefail
tessel=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export ANSIBLE_LOCAL_TEMP=$dir/tmp ANSIBLE_HOME=$dir/home
ansible-doc --json ansible.windows.win_regedit >"$dir/doc.json"
for ticks in "--on all" "--off all" "--on 1,2,reg,NoSetFolders,AutoShareWks,1803,DefaultRcvWindow"; do
  # shellcheck disable=SC2086
  "$tessel" export --format ansible $ticks -o "$dir/play.yml"
  ansible-playbook -i localhost, --syntax-check "$dir/play.yml" >/dev/null
  python3 - "$dir/doc.json" "$dir/play.yml" <<'PY'
import json, re, sys, yaml
doc = json.load(open(sys.argv[1]))["ansible.windows.win_regedit"]["doc"]
options = doc["options"]
documented = {alias: opt for key, opt in options.items() for alias in [key] + opt.get("aliases", [])}
tasks = [task for play in yaml.safe_load(open(sys.argv[2])) for task in play["tasks"]]
assert len(tasks) == 58, len(tasks)
for task in tasks:
    modules = [key for key in task if key != "name"]
    assert modules == ["ansible.windows.win_regedit"], (task["name"], modules)
    args = task["ansible.windows.win_regedit"]
    for arg, value in args.items():
        assert arg in documented, (task["name"], arg)
        choices = documented[arg].get("choices")
        assert choices is None or value in choices, (task["name"], arg, value)
    for key, opt in options.items():
        assert not opt.get("required") or key in args, (task["name"], key)
    assert re.match(r"^HK(CU|LM):\\[^\\]", args["path"]), args["path"]
PY
done
echo "playbooks: syntax and win_regedit arguments check out"
