#!/usr/bin/env bash
# vk7 prints a battle in the editor's layout as is; its bash completion offers what a user may
# type; the manual pages render without a warning (as lintian does) and each program's page tells
# every command and option its --help lists. Usage: vk7_packaging.sh COMPLETION BATTLE VK7 vk7.1
# [PROGRAM PAGE]... (PROGRAM "-": a page of no program)
set -u
failed=0 && fail() { echo "$*" >&2 && failed=1; }
source "$1" && cmp -s "$2" <("$3" format "$2") || fail "$3 format $2 does not print it as it is"
shift 2
cd "$(mktemp -d)" && trap 'rm -rf "$PWD"' EXIT && mkdir game 'my game' &&
  touch a.vk7 B.VK7 'Veyr Ambush.vk7' notes.txt || exit 1
# expect "LINE" "CANDIDATES": LINE completed at its end gives CANDIDATES (sorted, "|" between).
expect() {
  local IFS=' ' got
  read -r -a COMP_WORDS <<<"$1"
  [[ $1 == *' ' ]] && COMP_WORDS+=('')
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMPREPLY=() && _vk7
  got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd '|')
  [[ $got == "$2" ]] || fail "vk7 completion of [$1]: [$got], expected [$2]"
}
expect 'vk7 ' '--help|--version|check|format|list|overview' && expect 'vk7 list ' '--game-dir'
expect 'vk7 check -' '--game-dir' && expect 'vk7 overview -' '--game-dir|--text|-o'
expect 'vk7 format --' '--in-place' && expect 'vk7 check --game-dir = m' 'my game'
expect 'vk7 format --in-place ' 'B.VK7|Veyr Ambush.vk7|a.vk7|game|my game'
expect 'vk7 overview a.vk7 -o n' 'notes.txt'
for ((i = 1; i < $#; i += 2)); do
  program=${*:i:1} page=${*:i+1:1}
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "$page renders with warnings: $warnings"
  [[ $program != - ]] || continue
  text=$(groff -man -Tascii -P-cbou -rLL=200n "$page" 2>/dev/null)
  help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --help) || fail "$program --help failed"
  # Commands are the indented words of vk7's "Commands:" list; the synopsis must show each.
  for word in $(sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z]*\) .*/\1/p' <<<"$help" | sort -u); do
    grep -Eq "^ *$(basename "$program") $word( |\$)" <<<"$text" || fail "$page: no synopsis line for $word"
  done
  for word in $(grep -oE -- '(^|[ ,\[])-(-[a-z][a-z-]*|[a-z])\b' <<<"$help" | tr -d ' ,[' | sort -u); do
    grep -Fq -- "$word" <<<"$text" || fail "$page does not tell the option $word"
  done
done
exit $failed
