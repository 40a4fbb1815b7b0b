#!/usr/bin/env bash
# Checks quillmate's manual page: it formats without a groff warning and describes every
# option "quillmate --help" lists. Usage: man_page_test.sh QUILLMATE MAN_PAGE
set -uo pipefail
program=$1 page=$2
warnings=$(groff -man -ww -z -Tutf8 "$page" 2>&1)
[[ -z $warnings ]] || { echo "$warnings"; exit 1; }
text=$(groff -man -Tutf8 -P -cbou "$page" 2>/dev/null | sed 's/\xe2\x80\x90/-/g')
status=0
for option in $(env -u DISPLAY "$program" --help | sed -n 's/^  \(--[a-z-]*\).*/\1/p'); do
    grep -qE -e "^ {7}${option}( |\$)" <<<"$text" || { echo "the manual page lacks $option"; status=1; }
done
exit $status
