#!/usr/bin/env bash
# Times quillmate-cli import, info and export beside Python's csv module, pugixml, abook and
# calcurse, as whole processes taken in turns, and prints the ratios (bench/compare.py says
# what is timed). Installs what is missing (the build's packages, libpugixml-dev, python3,
# abook, calcurse), builds a
# Release build in build-bench/ and makes its test files in a temporary folder.
#   bench/compare.sh [--runs N] [--count N] [--keep DIR] [--cli PATH] [--styles S,S] [--gen PATH]
#                     [--without abook,calcurse]
# The "generated" document comes from gen_pim.py, which lives outside the repository:
# --gen, QUILLMATE_GEN_PIM or ../shared/bench/gen_pim.py; without it that document is skipped.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

# The yardsticks come from Debian; they are never linked into the programs.
missing=()
for p in libpugixml-dev python3 abook calcurse; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build-bench -G Ninja -DQUILLMATE_BENCH=ON -DQUILLMATE_TESTS=OFF \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j "${JOBS:-2}" --target quillmate-cli make_document pugixml_walk
# Debian's Python, whatever else stands first on the PATH.
exec /usr/bin/python3 bench/compare.py build-bench/bin "$@"
