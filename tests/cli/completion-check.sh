#!/usr/bin/env bash
# Loads the bash completion and asks it what a user's Tab would get; checks the zsh one's syntax.
# Usage: completion-check.sh BASH_COMPLETION ZSH_COMPLETION
set -euo pipefail
bash_file=$1
zsh_file=$2

# Runs the completion for a command line whose last word is being completed.
complete_line() {
  bash --norc --noprofile -c '
    set -u
    source "$1"; shift
    complete -p tessel >/dev/null
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMPREPLY=()
    _tessel
    printf "%s\n" "${COMPREPLY[*]}"' check "$bash_file" "$@"
}

expect() {
  local want=$1; shift
  local got
  got=$(complete_line "$@")
  if [ "$got" != "$want" ]; then
    echo "completion of '$*': expected '$want', got '$got'" >&2
    exit 1
  fi
}

expect "apply" tessel ap
expect "export" tessel exp
expect "--on --off" tessel apply --o
expect "--profile --password-stdin" tessel apply --p
expect "reg" tessel export --format r
expect "NoDrives NoDesktop" tessel apply --on NoD
expect "3,NoRun 3,NoRecentDocsMenu" tessel apply --off 3,NoR
expect "--rows" tessel restore --r
expect "--json" tessel status --j
expect "--since" tessel log --s
expect "27" tessel restore --rows 27

command -v zsh >/dev/null || { echo "zsh is missing; scripts/setup.sh package installs it" >&2; exit 1; }
zsh -n "$zsh_file"
# As zsh finds it on its function path: compinit binds it to tessel through its #compdef line.
fpath_dir=$(mktemp -d)
trap 'rm -rf "$fpath_dir"' EXIT
cp "$zsh_file" "$fpath_dir/_tessel"
zsh -f -c 'fpath=("$1" $fpath); autoload -Uz compinit && compinit -u -D; [[ $_comps[tessel] == _tessel ]]' \
  check "$fpath_dir" || { echo "zsh does not bind _tessel to tessel" >&2; exit 1; }
echo "completions: bash answers, zsh loads"
