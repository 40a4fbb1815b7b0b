#!/usr/bin/env bash
# Builds the Debian package from the build in build/ (or BUILD_DIR) and checks it and its
# metadata: lintian must report neither errors nor warnings.
#   scripts/package.sh            build and check the package
#   scripts/package.sh --install  then also install it, run both programs, purge it and
#                                 check that it left no file behind (needs root)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir"

rm -f "$build_dir"/quillmate_*.deb
(cd "$build_dir" && cpack -G DEB >cpack.log 2>&1) || { cat "$build_dir/cpack.log"; exit 1; }
deb=$(ls "$build_dir"/quillmate_*.deb)
echo "package: $deb"

# The metadata is checked as the package holds it.
contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT
dpkg-deb -x "$deb" "$contents"
# --no-net: the screenshots are published with a release, not before.
appstreamcli validate --no-net --pedantic "$contents"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$contents"/usr/share/applications/*.desktop
echo "desktop entry valid"
# The translations travel with the programs.
for lang in $(grep -v '^#' po/LINGUAS); do
    [ -f "po/$lang.po" ] || continue
    test -f "$contents/usr/share/locale/$lang/LC_MESSAGES/quillmate.mo" ||
        { echo "the package lacks the $lang translation"; exit 1; }
done
echo "translations carried"
lintian --fail-on error,warning --display-level '>=warning' "$deb" 2> >(grep -v 'root privileges' >&2)
echo "lintian: no errors, no warnings"

[ "${1:-}" = "--install" ] || exit 0
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "./$deb" >/dev/null
files=$(dpkg -L quillmate)
quillmate-cli --version
# report runs in the program quillmate-cli hands it to, where the package put it.
scratch=$(mktemp -d)
quillmate-cli new "$scratch/check.pgr" >/dev/null
quillmate-cli add-task "$scratch/check.pgr" "Check the package" >/dev/null
quillmate-cli report daily-tasks "$scratch/check.pgr" -o "$scratch/check.pdf"
[ "$(head -c 5 "$scratch/check.pdf")" = "%PDF-" ] || { echo "quillmate-cli report wrote no PDF"; exit 1; }
rm -r "$scratch"
if [ -f po/de.po ]; then
    # Speaks German from the installed catalogue, not the build tree's.
    commands=$(LANGUAGE=de LC_ALL=C.UTF-8 gettext -d quillmate "Commands:")
    [ "$commands" != "Commands:" ] && (cd / && LANGUAGE=de quillmate-cli --help) | grep -xF "$commands" >/dev/null ||
        { echo "quillmate-cli speaks no German"; exit 1; }
fi
env -u DISPLAY -u WAYLAND_DISPLAY quillmate --version
env -u DISPLAY -u WAYLAND_DISPLAY quillmate --help >/dev/null
man -w quillmate-cli quillmate
apt-get remove --purge -y -qq quillmate >/dev/null
left=0
# A folder other packages share may stay, one of ours would be left empty.
while read -r path; do
    if [ -f "$path" ] || [ -L "$path" ] || { [ -d "$path" ] && [ -z "$(ls -A "$path")" ]; }; then
        echo "left behind: $path"
        left=1
    fi
done <<<"$files"
dpkg -s quillmate >/dev/null 2>&1 && { echo "quillmate is still known to dpkg"; left=1; }
[ $left -eq 0 ] && echo "installed, ran and purged: nothing left behind"
exit $left
