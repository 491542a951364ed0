#!/usr/bin/env bash
# The manual pages render without a warning (as lintian renders them), and each page of a
# program tells every command and option its --help lists.
# vk7_man_pages.sh VK7 vk7.1 [PROGRAM PAGE]...; PROGRAM "-" for a page of no program (vk7.5)
set -u
failed=0
fail() { echo "$*" >&2; failed=1; }

# check_page PROGRAM PAGE: renders PAGE, then looks in it for what `PROGRAM --help` names.
check_page() {
  local program=$1 page=$2 warnings text help word
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
             man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "$page renders with warnings: $warnings"
  [[ $program != - ]] || return 0
  text=$(groff -man -Tascii -P-cbou -rLL=200n "$page" 2>/dev/null)
  help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --help) || fail "$program --help failed"
  # Commands are the indented words of vk7's "Commands:" list; the synopsis must show each.
  for word in $(sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z]*\) .*/\1/p' <<<"$help" | sort -u); do
    grep -Eq "^ *$(basename "$program") $word( |\$)" <<<"$text" ||
      fail "$page: no synopsis line for the command $word"
  done
  for word in $(grep -oE -- '(^|[ ,\[])-(-[a-z][a-z-]*|[a-z])\b' <<<"$help" |
                tr -d ' ,[' | sort -u); do
    grep -Fq -- "$word" <<<"$text" || fail "$page does not tell the option $word"
  done
}

for ((i = 1; i < $#; i += 2)); do check_page "${@:i:1}" "${@:i+1:1}"; done
exit $failed
