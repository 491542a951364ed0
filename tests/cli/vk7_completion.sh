#!/usr/bin/env bash
# vk7's bash completion offers, for partial command lines, what a user may type there.
# vk7_completion.sh COMPLETION_FILE
set -u
source "$1"
cd "$(mktemp -d)" || exit 1
trap 'rm -rf "$PWD"' EXIT
mkdir game 'my game'
touch a.vk7 B.VK7 'Veyr Ambush.vk7' notes.txt

failed=0
# expect "LINE" "CANDIDATES": LINE is completed at its end; candidates sorted, "|" between.
expect() {
  local IFS=' '
  read -r -a COMP_WORDS <<<"$1"
  [[ $1 == *' ' ]] && COMP_WORDS+=('')
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _vk7
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd '|')
  if [[ $got != "$2" ]]; then
    echo "vk7 completion of [$1]: [$got], expected [$2]" >&2
    failed=1
  fi
}

expect 'vk7 ' '--help|--version|check|format|list|overview'
expect 'vk7 o' 'overview'
expect 'vk7 check -' '--game-dir'
expect 'vk7 overview -' '--game-dir|--text|-o'
expect 'vk7 format --' '--in-place'
expect 'vk7 list ' '--game-dir'
expect 'vk7 check --game-dir ' 'game|my game'
expect 'vk7 check --game-dir = m' 'my game'
expect 'vk7 format --in-place ' 'B.VK7|Veyr Ambush.vk7|a.vk7|game|my game'
expect 'vk7 check V' 'Veyr Ambush.vk7'
expect 'vk7 overview a.vk7 -o n' 'notes.txt'
exit $failed
