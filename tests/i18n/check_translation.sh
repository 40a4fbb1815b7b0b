#!/bin/sh
# check_translation.sh MSGFMT FILE.po: fails unless msgfmt --check accepts the file and
# counts no untranslated and no fuzzy message.
msgfmt=$1
po=$2
statistics=$("$msgfmt" --check --statistics -o /dev/null "$po" 2>&1) || { echo "$statistics"; exit 1; }
echo "$po: $statistics"
case $statistics in
    *untranslated* | *fuzzy*) exit 1 ;;
esac
