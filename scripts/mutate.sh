#!/usr/bin/env bash
# Measures what the tests catch: applies each deliberate fault of
# tests/faults.txt in turn (one small edit to the library or a stand-in),
# rebuilds the x86_64 build incrementally, runs ctest, and prints per fault
# "caught" (a test failed), "missed" (every test passed) or "broken" (the
# fault does not apply or does not build: the list needs mending), then a
# summary. The source tree is restored after each fault, and on any exit.
#
#   scripts/mutate.sh              every fault
#   scripts/mutate.sh '^settings-'  the faults whose names match the pattern
#
# Exit status 0 only when every fault that ran was caught.
set -Eeuo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
filter=${1:-}
faults="$root/tests/faults.txt"
logs="$root/build/mutate"
jobs=$(nproc 2>/dev/null || echo 2)

source "$root/scripts/wine-env.sh"
kr_prepare_all
mkdir -p "$logs"

# The fault list as records "name<TAB>file", one per line; the edits
# themselves are applied by fault_edit below.
fault_names() {
  python3 - "$faults" "$filter" <<'EOF'
import re, sys
path, pattern = sys.argv[1], sys.argv[2]
for line in open(path, encoding="utf-8"):
    m = re.match(r"fault (\S+) in (\S+):", line)
    if m and (not pattern or re.search(pattern, m.group(1))):
        print(m.group(1) + "\t" + m.group(2))
EOF
}

# Applies fault $1 to the tree: its "-" text must occur exactly once in
# its file. Prints why not and fails otherwise.
fault_edit() {
  python3 - "$faults" "$root" "$1" <<'EOF'
import re, sys
path, root, name = sys.argv[1:4]
lines = open(path, encoding="utf-8").read().split("\n")
for i, line in enumerate(lines):
    m = re.match(r"fault (\S+) in (\S+):", line)
    if m and m.group(1) == name:
        target, old, new = m.group(2), lines[i + 1], lines[i + 2]
        break
else:
    sys.exit("no fault named " + name)
if not (old.startswith("- ") and new.startswith("+ ")):
    sys.exit(name + ": the two lines after the heading must be '- old' and '+ new'")
old, new = old[2:], new[2:]
source = open(root + "/" + target, encoding="utf-8").read()
if source.count(old) != 1:
    sys.exit("%s: the text to replace occurs %d times in %s" % (name, source.count(old), target))
open(root + "/" + target, "w", encoding="utf-8").write(source.replace(old, new))
EOF
}

# Every build the tests run: the fuzz targets' entries run the native one,
# the 32-bit stage (the last ctest entry, so reached only when the 64-bit
# tests pass) the i686 one.
build() {
  local dir
  for dir in x86_64 fuzz i686; do
    cmake --build "$root/build/$dir" -j "$jobs" -- --no-print-directory </dev/null || return
  done
}

# The file under change, restored with a new time so that make rebuilds it.
pending=
restore() {
  if [ -n "$pending" ]; then
    cp "$logs/original" "$root/$pending"
    pending=
  fi
}
trap 'restore; kr_stop_env' EXIT

caught=0 missed=0 broken=0
missed_names=() broken_names=()
start=$(date +%s)
while IFS=$'\t' read -r name file; do
  cp "$root/$file" "$logs/original"
  pending=$file
  verdict=caught
  if ! fault_edit "$name" >"$logs/$name.log" 2>&1; then
    verdict=broken
  elif ! build >>"$logs/$name.log" 2>&1; then
    verdict=broken
  elif (cd "$root/build/x86_64" && ctest --timeout 300 --stop-on-failure </dev/null) >>"$logs/$name.log" 2>&1; then
    verdict=missed
  fi
  restore
  case $verdict in
    caught) caught=$((caught + 1)) ;;
    missed) missed=$((missed + 1)); missed_names+=("$name") ;;
    broken) broken=$((broken + 1)); broken_names+=("$name") ;;
  esac
  printf '%-7s %s\n' "$verdict" "$name"
done < <(fault_names)

build >"$logs/restored.log" 2>&1 || { echo "the restored tree does not build: see $logs/restored.log" >&2; exit 1; }
total=$((caught + missed + broken))
echo "faults: $total, caught: $caught, missed: $missed, broken: $broken ($(( $(date +%s) - start )) s; logs in build/mutate/)"
[ "$missed" -eq 0 ] || echo "missed: ${missed_names[*]}"
[ "$broken" -eq 0 ] || echo "broken: ${broken_names[*]}"
[ "$total" -gt 0 ] && [ "$caught" -eq "$total" ]
