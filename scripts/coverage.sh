#!/usr/bin/env bash
# Builds every test with coverage in build-cov/ (or BUILD_DIR), runs them all and prints the
# line and branch coverage of src/ per folder, with each folder's Qt side (ui/, platform/qt)
# on a line of its own, and the total. Not part of CI: a measure to take before and after
# changing the tests.
#   scripts/coverage.sh            configure, build, run, report
#   scripts/coverage.sh --report   report on the counts the last run left
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build-cov}

if ! command -v gcovr >/dev/null; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends gcovr
fi

if [ "${1:-}" != "--report" ]; then
    ./scripts/install-deps.sh
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLMATE_TESTS=ON \
        "-DCMAKE_CXX_FLAGS=-O0 --coverage" "-DCMAKE_EXE_LINKER_FLAGS=--coverage" \
        "${launcher[@]}" >/dev/null
    cmake --build "$build_dir" -j "${JOBS:-2}"
    # Counts of an earlier run would add up with this one's; and the notes of objects the
    # build no longer makes (a source moved or deleted) would be read beside the new ones.
    find "$build_dir" -name '*.gcda' -delete
    ninja -C "$build_dir" -t cleandead >/dev/null
    find "$build_dir" -name '*.gcno' | while read -r notes; do
        [ -f "${notes%.gcno}.o" ] || rm -f "$notes"
    done
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" -j "${JOBS:-2}" \
        --output-on-failure >"$build_dir/coverage-ctest.log" 2>&1 \
        || { tail -n 40 "$build_dir/coverage-ctest.log"; echo "some tests failed: figures below count what ran" >&2; }
    tail -n 3 "$build_dir/coverage-ctest.log"
fi

summary="$build_dir/coverage.json"
# Branches the compiler adds for exceptions and unreachable code would only blur the figures.
gcovr -r . --object-directory "$build_dir" --filter 'src/' -j "${JOBS:-2}" \
    --exclude-throw-branches --exclude-unreachable-branches \
    --exclude-directories '.*/CMakeFiles/[0-9][^/]*' --json-summary "$summary" >/dev/null

python3 - "$summary" <<'PY'
import json, sys
from collections import defaultdict

files = json.load(open(sys.argv[1]))["files"]
groups = defaultdict(lambda: [0, 0, 0, 0])
for f in files:
    parts = f["filename"].split("/")  # src/<folder>/...
    name = "src/" + parts[1] if len(parts) > 2 else "src/(top)"
    if "ui" in parts[2:-1]:
        name += "/ui"
    elif parts[1] == "platform" and len(parts) > 3 and parts[2] == "qt":
        name += "/qt"
    g = groups[name]
    g[0] += f["line_covered"]; g[1] += f["line_total"]
    g[2] += f["branch_covered"]; g[3] += f["branch_total"]

def pct(a, b):
    return f"{100.0 * a / b:6.1f}%" if b else "     -"

print(f"{'folder':24} {'lines':>15} {'line %':>6} {'branches':>15} {'branch %':>6}")
total = [0, 0, 0, 0]
for name in sorted(groups):
    g = groups[name]
    total = [t + x for t, x in zip(total, g)]
    print(f"{name:24} {g[0]:7}/{g[1]:<7} {pct(g[0], g[1])} {g[2]:7}/{g[3]:<7} {pct(g[2], g[3])}")
print(f"{'total':24} {total[0]:7}/{total[1]:<7} {pct(total[0], total[1])} "
      f"{total[2]:7}/{total[3]:<7} {pct(total[2], total[3])}")
PY
