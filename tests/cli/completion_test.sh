#!/usr/bin/env bash
# Runs the generated bash completion of quillmate-cli on typed command lines and checks
# what it offers. Usage: completion_test.sh COMPLETION_SCRIPT
set -uo pipefail
source "$1" || exit 1
cd "$(mktemp -d)" || exit 1
trap 'rm -rf "$PWD"' EXIT
mkdir folder && touch home.pgr work.pgr notes.csv "with space.pgr"

failures=0
# expect "WORDS TYPED SO FAR" "WHAT IS OFFERED, SORTED, SPACE-SEPARATED"
# The last word of the line is the one being completed (empty after a trailing space).
expect() {
    local line=$1 want=$2
    read -ra COMP_WORDS <<<"$line"
    [[ $line == *' ' ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _quillmate_cli quillmate-cli
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' ')
    if [[ $got != "$want" ]]; then
        echo "\"$line\": offered \"$got\", expected \"$want\""
        failures=$((failures + 1))
    fi
}

expect 'quillmate-cli ' 'add-appointment add-person add-task alarms backups compact day export find groups help import info new occurrences persons report resave restore sync'
expect 'quillmate-cli i' 'import info'
expect 'quillmate-cli p' 'persons'
expect 'quillmate-cli o' 'occurrences'
expect 'quillmate-cli --' '--help --now --version'
expect 'quillmate-cli --now 2026-01-01T10:00 co' 'compact'
expect 'quillmate-cli --now ' ''
expect 'quillmate-cli help ' 'add-appointment add-person add-task alarms backups compact day export find groups import info new occurrences persons report resave restore sync'
expect 'quillmate-cli info ' 'folder home.pgr with space.pgr work.pgr'
expect 'quillmate-cli info h' 'home.pgr'
expect 'quillmate-cli info home.pgr ' ''
expect 'quillmate-cli new --' '--force --help'
expect 'quillmate-cli export ' 'appointments calendar persons tasks'
expect 'quillmate-cli export tasks ' 'folder home.pgr with space.pgr work.pgr'
expect 'quillmate-cli export tasks home.pgr n' 'notes.csv'
expect 'quillmate-cli export tasks home.pgr -' '--encloser --fields --format --group --help --no-header --separator --vcard'
expect 'quillmate-cli export persons home.pgr out.vcf --vcard ' '3 4'
expect 'quillmate-cli export persons home.pgr out.vcf --group ' ''
expect 'quillmate-cli import calendar home.pgr in.ics --format ' 'csv ical vcard'
expect 'quillmate-cli import calendar home.pgr in.ics --' '--columns --dry-run --encloser --format --help --no-header --separator'
expect 'quillmate-cli export --separator ' 'comma pipe semicolon space tab'
expect 'quillmate-cli export --separator tab tasks --encloser s' 'single'
expect 'quillmate-cli export --separator tab tasks --no-header ' 'folder home.pgr with space.pgr work.pgr'
expect 'quillmate-cli import persons home.pgr notes.csv --columns ' 'auto'
expect 'quillmate-cli import persons home.pgr notes.csv --separator ' 'auto comma pipe semicolon space tab'
expect 'quillmate-cli import persons home.pgr notes.csv --columns A,B --encloser ' 'double none single'
expect 'quillmate-cli add-task home.pgr Stamps --priority ' 'done high low medium'
expect 'quillmate-cli add-appointment home.pgr Yoga --date 2026-12-08 --repeat ' 'daily monthly weekly yearly'
expect 'quillmate-cli add-appointment home.pgr Yoga --repeat weekly --on ' ''
expect 'quillmate-cli add-appointment home.pgr Yoga --all-day --' '--alarm --all-day --count --date --end-date --every --from --help --on --repeat --to --until'
expect 'quillmate-cli occurrences ' 'folder home.pgr with space.pgr work.pgr'
expect 'quillmate-cli occurrences home.pgr --' '--from --help --to'
expect 'quillmate-cli occurrences home.pgr --from ' ''
expect 'quillmate-cli persons home.pgr --sort ' 'company name'
expect 'quillmate-cli persons home.pgr --group ' ''
expect 'quillmate-cli add-person home.pgr --group Golf --' '--anniversary --birthday --cell-phone --company --email --first --group --help --home-phone --last --work-phone'
expect 'quillmate-cli groups ' 'folder home.pgr with space.pgr work.pgr'
expect 'quillmate-cli sync home.pgr --' '--addressbook --calendar --dry-run --help --password-file --prefer --url --user'
expect 'quillmate-cli report ' 'daily-appointments daily-plan daily-tasks envelopes monthly phonebook weekly'
expect 'quillmate-cli report phonebook home.pgr --group ' ''
expect 'quillmate-cli report daily-plan home.pgr -o n' 'notes.csv'
expect 'quillmate-cli report daily-plan -o out.pdf h' 'home.pgr'
expect 'quillmate-cli report daily-plan home.pgr --paper ' 'a4 letter'
expect 'quillmate-cli report daily-plan home.pgr --size ' ''
expect 'quillmate-cli frobnicate ' ''

[[ $failures -eq 0 ]] && echo "all completions as expected"
exit $((failures > 0))
