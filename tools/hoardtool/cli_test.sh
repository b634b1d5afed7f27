#!/bin/sh
# hoardtool end to end under Wine: import, inspect, export, and damaged files.
# usage: cli_test.sh BUILD_DIR SOURCE_DIR
set -u
BUILD_DIR=$1
. "$2/scripts/winpath"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tool() { "$BUILD_DIR/wine-run" "$BUILD_DIR/bin/hoardtool.exe" "$@"; }
w() { to_win_path "$1"; }
failures=0
check() {   # check WHAT EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    printf 'FAIL %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
    failures=$((failures + 1))
  fi
}

"$BUILD_DIR/wine-run" "$BUILD_DIR/bin/wavgen.exe" "$(w "$work")"
file=$work/sample.hrd

tool import "$(w "$file")" "$(w "$work/chime.wav")" "$(w "$work/click.track.wav")" >/dev/null
check "import exit status" 0 $?
mkdir "$work/other" && cp "$work/pause.wav" "$work/other/chime.alt.wav"
tool import "$(w "$file")" "$(w "$work/other/chime.alt.wav")" "$(w "$work/chime.wav")" >/dev/null
check "second import into the existing file" 0 $?
# The second copy of chime.wav was identical to the first and merged into it on saving.

check "list" "$(printf 'CWav\tchime\t11025\nCWav\tclick\t32000\nCWav\tchime2\t22050')" \
  "$(tool list "$(w "$file")")"
check "info" "$(printf 'section 0 version 2 trailer no\ntype CWav bytes %s resources 3' $(($(stat -c %s "$file") - 8)))" \
  "$(tool info "$(w "$file")")"
check "check" "ok: 1 types, 3 resources, 3 blocks" "$(tool check "$(w "$file")")"

tool export "$(w "$file")" CWav CHIME "$(w "$work/out.wav")"
check "export exit status" 0 $?
cmp -s "$work/chime.wav" "$work/out.wav"
check "exported file equals the imported one" 0 $?
tool export "$(w "$file")" CWav nothing "$(w "$work/none.wav")" 2>/dev/null
check "export of a missing sound" 1 $?

# A file that is not a sound changes nothing.
printf 'not a sound' > "$work/bad.wav"
cp "$file" "$work/before.hrd"
tool import "$(w "$file")" "$(w "$work/bad.wav")" >/dev/null 2>&1
check "import of a bad file" 1 $?
cmp -s "$file" "$work/before.hrd"
check "file unchanged after a failed import" 0 $?

# Damaged files: one line on standard error, exit status 1, for every command.
size=$(stat -c %s "$file")
for cut in 3 20 40 $((size / 2)) $((size - 1)); do
  head -c "$cut" "$file" > "$work/cut.hrd"
  for command in info list check; do
    err=$(tool "$command" "$(w "$work/cut.hrd")" 2>&1 >/dev/null)
    status=$?
    check "$command on a file cut at $cut: status" 1 "$status"
    check "$command on a file cut at $cut: one line" 1 "$(printf '%s\n' "$err" | wc -l)"
  done
done

tool frobnicate "$(w "$file")" 2>/dev/null
check "unknown command" 2 $?

[ "$failures" -eq 0 ] && echo "hoardtool: all checks passed"
exit "$failures"
