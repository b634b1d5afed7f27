#!/bin/sh
# hoardtool end to end under Wine: import, inspect, export, screen documents, and damaged
# files.
# usage: cli_test.sh BUILD_DIR SOURCE_DIR
set -u
BUILD_DIR=$1
SOURCE_DIR=$2
. "$SOURCE_DIR/scripts/winpath"
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
fails_in_one_line() {   # fails_in_one_line WHAT COMMAND FILE
  err=$(tool "$2" "$(w "$3")" 2>&1 >/dev/null)
  status=$?
  check "$1: status" 1 "$status"
  check "$1: one line" 1 "$(printf '%s\n' "$err" | wc -l)"
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
    fails_in_one_line "$command on a file cut at $cut" "$command" "$work/cut.hrd"
  done
done

# A screen document: the container tree, then the same resources with a trailer.
doc=$work/sample.doc
"$BUILD_DIR/wine-run" "$BUILD_DIR/bin/screengen.exe" "$(w "$doc")" "$(w "$file")"
check "screengen exit status" 0 $?
sample_tree='CWndContainer "sample screen" 0 0 640 480
  CContainer "title" 8 8 632 64
  CContainer "buttons" 8 72 632 432
    CContainer "play" 12 12 204 348
    CContainer "stop" 216 12 408 348
    CContainer "next" 420 12 612 348
  CContainer "status" 8 440 632 472'
check "tree" "$sample_tree" "$(tool tree "$(w "$doc")")"
check "list of a screen document" "$(tool list "$(w "$file")")" "$(tool list "$(w "$doc")")"
check "check of a screen document" "ok: 1 types, 3 resources, 3 blocks" "$(tool check "$(w "$doc")")"
check "info of a screen document" "section 736 version 2 trailer yes" "$(tool info "$(w "$doc")" | head -n 1)"
tool export "$(w "$doc")" CWav chime "$(w "$work/out2.wav")" && cmp -s "$work/chime.wav" "$work/out2.wav"
check "export from a screen document" 0 $?
tool import "$(w "$doc")" "$(w "$work/stereo-sweep.wav")" >/dev/null
check "import into a screen document" 0 $?
check "the tree stays through an import" "$sample_tree" "$(tool tree "$(w "$doc")")"
check "the import is there" 4 "$(tool list "$(w "$doc")" | wc -l)"

fails_in_one_line "tree of a resource file" tree "$file"
size=$(stat -c %s "$doc")
for cut in 2 100 735 $((size / 2)) $((size - 1)); do
  head -c "$cut" "$doc" > "$work/cut.doc"
  for command in tree list check; do
    fails_in_one_line "$command on a screen document cut at $cut" "$command" "$work/cut.doc"
  done
done
# The tree cut short, the trailer in place.
{ head -c 300 "$doc"; tail -c +737 "$doc"; } > "$work/short-tree.doc"
fails_in_one_line "tree of a damaged tree" tree "$work/short-tree.doc"

tool frobnicate "$(w "$file")" 2>/dev/null
check "unknown command" 2 $?

# A type block whose list is empty ends right after the count; one that lists a
# resource must be longer.
printf '\002\0\0\0\001\0\0\0\013\0\0\0\004CWav\0\0' > "$work/empty-list.hrd"
check "info of an empty list" "$(printf 'section 0 version 2 trailer no\ntype CWav bytes 11 resources 0')" \
  "$(tool info "$(w "$work/empty-list.hrd")" 2>&1)"
check "check of an empty list" "ok: 0 types, 0 resources, 0 blocks" \
  "$(tool check "$(w "$work/empty-list.hrd")" 2>&1)"
printf '\002\0\0\0\001\0\0\0\013\0\0\0\004CWav\001\0' > "$work/no-room.hrd"
check "info of a list with no room for its resource" \
  "hoardtool: type block 1 (CWav) at 8 claims 11 bytes, which do not fit the file" \
  "$(tool info "$(w "$work/no-room.hrd")" 2>&1)"

# Through scripts/hoardtool, every command's messages name paths as they were typed,
# relative or absolute, and files made beside them in the same terms.
script_tool() { BUILD_DIR="$BUILD_DIR" "$SOURCE_DIR/scripts/hoardtool" "$@"; }
cd "$work"
head -c 40 sample.hrd > cut.hrd
mkdir -p sub/TEMPSAVE.TMP
cp pause.wav sub/pause.wav
while IFS='|' read -r expected command; do
  # The arguments are split at blanks on purpose.
  actual=$(script_tool $command 2>&1 >/dev/null)
  check "message of: hoardtool $command" "hoardtool: $expected" "$actual"
done <<EOF
nothere.hrd was not found.|info nothere.hrd
$work/nothere.hrd was not found.|list $work/nothere.hrd
An unexpected end of file was found while reading ./cut.hrd.|check ./cut.hrd
bad.wav: not a readable WAVE sound; sample.hrd is unchanged|import sample.hrd bad.wav
sub/missing.wav: not a readable WAVE sound; sub/x.hrd is unchanged|import sub/x.hrd sub/pause.wav sub/missing.wav
Access to sub/TEMPSAVE.TMP was denied.|import sub/x.hrd sub/pause.wav
/nonexistent/dir/o.wav contains an invalid path.|export sample.hrd CWav chime /nonexistent/dir/o.wav
there is no CWav named "nothing"|export sample.hrd CWav nothing o.wav
sub/nothere.doc was not found.|tree sub/nothere.doc
EOF
cd - >/dev/null

[ "$failures" -eq 0 ] && echo "hoardtool: all checks passed"
exit "$failures"
