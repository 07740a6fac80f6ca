#!/usr/bin/env bash
# Line and branch coverage of the library and its stand-ins by the tests:
# an x86_64 build with --coverage (build/coverage), every test run under
# Wine writing its .gcda files through mingw's gcov runtime, then gcovr with
# mingw's gcov. Prints a summary per source directory and leaves an HTML
# report a person can open: build/coverage-report/index.html.
#
#   scripts/coverage.sh            all tests
#   scripts/coverage.sh -R text    any ctest arguments narrow the run
set -Eeuo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/coverage"
report="$root/build/coverage-report"
jobs=$(nproc 2>/dev/null || echo 2)

source "$root/scripts/wine-env.sh"
kr_prepare_all

if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$dir" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_FLAGS=--coverage -DCMAKE_CXX_FLAGS=--coverage \
    -DCMAKE_EXE_LINKER_FLAGS=--coverage -DCMAKE_SHARED_LINKER_FLAGS=--coverage >/dev/null
fi
cmake --build "$dir" -j "$jobs" -- --no-print-directory >/dev/null

# Counts from an earlier run would add up with this one's.
find "$dir" -name '*.gcda' -delete
# The programs run in working directories on Wine's C: drive, where the
# build's absolute paths would not lead; Z: is the Linux root.
export GCOV_PREFIX=Z:
(cd "$dir" && ctest --timeout 600 "$@" </dev/null) | tail -n 3

# The compiler checks' own objects are no part of the library.
find "$dir/CMakeFiles" -path '*CompilerId*' -name '*.gc*' -delete
rm -rf "$report"
mkdir -p "$report"
# Searched in the objects of the library and its stand-ins only (the Wine
# prefix under build/ leads to "/"); coverage.json has every line.
gcovr --root "$root" --object-directory "$dir" \
  --gcov-executable x86_64-w64-mingw32-gcov-posix \
  --filter "$root/src/" --filter "$root/include/" --filter "$root/standins/" \
  --exclude "$root/src/support/test_control.cpp" \
  --html-details "$report/index.html" --json-summary "$report/summary.json" --json "$report/coverage.json" \
  --print-summary "$dir/CMakeFiles/krutil_objects.dir" "$dir/CMakeFiles/krutil.dir" \
  "$dir/standins/custorix/CMakeFiles/custorix.dir" "$dir/standins/krwnd/CMakeFiles/krwnd.dir" \
  "$dir/standins/shared/CMakeFiles/standins_shared.dir" "$dir/standins/veritane/CMakeFiles/veritane.dir" \
  "$dir/standins/tallisk/CMakeFiles/tallisk.dir" >/dev/null

# Per directory: lines and branches covered, from gcovr's per-file summary,
# which is also kept as text (files.txt) to compare runs with diff.
python3 - "$report/summary.json" "$report/files.txt" <<'EOF'
import json, os, sys
files = sorted(json.load(open(sys.argv[1]))["files"], key=lambda f: f["filename"])
with open(sys.argv[2], "w") as out:
    for f in files:
        out.write("%-45s lines %4d / %4d  branches %4d / %4d\n" % (f["filename"], f["line_covered"], f["line_total"],
                                                                  f["branch_covered"], f["branch_total"]))
dirs = {}
for f in files:
    d = dirs.setdefault(os.path.dirname(f["filename"]) or ".", [0, 0, 0, 0])
    d[0] += f["line_covered"]; d[1] += f["line_total"]
    d[2] += f["branch_covered"]; d[3] += f["branch_total"]
pct = lambda a, b: "%5.1f%%" % (100.0 * a / b) if b else "    -"
print("%-22s %14s %7s %16s %7s" % ("directory", "lines", "", "branches", ""))
total = [0, 0, 0, 0]
for name in sorted(dirs):
    d = dirs[name]
    total = [t + x for t, x in zip(total, d)]
    print("%-22s %6d / %5d %s %7d / %6d %s" % (name, d[0], d[1], pct(d[0], d[1]), d[2], d[3], pct(d[2], d[3])))
print("%-22s %6d / %5d %s %7d / %6d %s" % ("all", total[0], total[1], pct(total[0], total[1]),
                                          total[2], total[3], pct(total[2], total[3])))
EOF
echo "HTML report: build/coverage-report/index.html"
