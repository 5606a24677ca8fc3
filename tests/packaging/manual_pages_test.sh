#!/bin/sh
# The manual pages against the programs: every command of "acv --help" has its section in acv(1)
# with each of its options, every option of the window program is in adult-corvantis(1), and
# both pages say which files hold the user's data and which environment they follow.
#   manual_pages_test.sh ACV ACV_PAGE WINDOW WINDOW_PAGE
set -eu
acv="$1" acv_page="$2" window="$3" window_page="$4"
failed=0
missing() {
  echo "manual pages: $*" >&2
  failed=1
}
options() {  # the long options a --help text lists
  grep -oE -- '--[a-z][a-z-]+' | sort -u
}
# A page writes a hyphen as "\-".
roff() {
  printf '%s' "$1" | sed 's/-/\\-/g'
}
on_page() {
  grep -qF -- "$(roff "$2")" "$1"
}

commands="$("$acv" --help | sed -n '/^Subcommands:/,/^$/p' | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p')"
[ -n "$commands" ] || missing "acv --help lists no command"
for command in $commands; do
  grep -qxF ".SS $(roff "$command")" "$acv_page" ||
    missing "acv(1) has no section for acv $command"
  for option in $("$acv" "$command" --help | options); do
    on_page "$acv_page" "$option" || missing "acv(1) leaves out acv $command $option"
  done
done
for option in $(QT_QPA_PLATFORM=offscreen "$window" --help | options); do
  on_page "$window_page" "$option" || missing "adult-corvantis(1) leaves out $option"
done
for page in "$acv_page" "$window_page"; do
  for part in ".SH FILES" ".SH ENVIRONMENT" "VELT/ACV/drafts/" "acv\\-export\\-passwords" \
    "XDG_DATA_HOME"; do
    grep -qF -- "$part" "$page" || missing "$(basename "$page") has no '$part'"
  done
done
[ "$failed" -eq 0 ] && echo "manual pages: every command and option is on its page"
exit "$failed"
