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

# Pictures: imported from bitmap files beside sounds, listed with their bitmap's size,
# checked, written back as ".bmp" files and drawn into buffers.
"$BUILD_DIR/wine-run" "$BUILD_DIR/bin/picgen.exe" "$(w "$work")"
pics=$work/pictures.hrd
tool import "$(w "$pics")" "$(w "$work/house.bmp")" "$(w "$work/chime.wav")" "$(w "$work/sun.bmp")" \
  "$(w "$work/landscape.bmp")" >/dev/null
check "import of pictures and a sound" 0 $?
check "list with pictures" \
  "$(printf 'CPicture\thouse\t2448\nCPicture\tsun\t5160\nCPicture\tlandscape\t49192\nCWav\tchime\t11025')" \
  "$(tool list "$(w "$pics")" | sort -k1,1 -s)"
check "check with pictures" "ok: 2 types, 4 resources, 4 blocks" "$(tool check "$(w "$pics")")"

# Written back as a bitmap file and imported again, a picture draws the same pixels.
tool export "$(w "$pics")" CPicture SUN "$(w "$work/sun-again.bmp")"
check "export of a picture" 0 $?
mkdir "$work/again" && mv "$work/sun-again.bmp" "$work/again/sun.bmp"
tool import "$(w "$work/again.hrd")" "$(w "$work/again/sun.bmp")" >/dev/null
for depth in 8 16; do
  tool render "$(w "$pics")" sun "$(w "$work/sun-$depth.bmp")" --depth $depth --size 50x40 --antialias
  check "render at $depth bits" 0 $?
  tool render "$(w "$work/again.hrd")" sun "$(w "$work/again-$depth.bmp")" --depth $depth --size 50x40 --antialias
  cmp -s "$work/sun-$depth.bmp" "$work/again-$depth.bmp"
  check "an exported and imported picture draws the same at $depth bits" 0 $?
done
u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
check "8-bit render: width, height, depth, colours" "50 40 8 256" \
  "$(u32 "$work/sun-8.bmp" 18) $(u32 "$work/sun-8.bmp" 22) $(u16 "$work/sun-8.bmp" 28) $(u32 "$work/sun-8.bmp" 46)"
check "8-bit render: file size" $((14 + 40 + 1024 + 52 * 40)) "$(stat -c %s "$work/sun-8.bmp")"
check "16-bit render: file size" $((14 + 40 + 100 * 40)) "$(stat -c %s "$work/sun-16.bmp")"

# Over light grey, a transparent background leaves the corners grey; the plain way draws
# them as they are. The top-left pixel is the last row of the bottom-up file.
tool render "$(w "$pics")" sun "$(w "$work/clear.bmp")" --transparent
check "transparent corner" 25368 "$(u16 "$work/clear.bmp" $((54 + 63 * 128)))"
tool render "$(w "$pics")" sun "$(w "$work/plain.bmp")" --transparent --plain
corner=$(u16 "$work/plain.bmp" $((54 + 63 * 128)))
[ "$corner" != 25368 ] && corner=drawn
check "the plain way ignores transparency" drawn "$corner"
tool render "$(w "$pics")" house "$(w "$work/red.bmp")" --color FF0000 --flip v
check "a recoloured line drawing: the ground line, flipped to the top" 31744 "$(u16 "$work/red.bmp" $((54 + 110 * 320 + 40)))"

for args in "--depth 24" "--size 0x10" "--size 10" "--color red" "--flip x" "--frobnicate" "--size"; do
  err=$(tool render "$(w "$pics")" sun "$(w "$work/bad.bmp")" $args 2>&1 >/dev/null)
  status=$?
  check "render $args: status" 1 "$status"
  check "render $args: one line" 1 "$(printf '%s\n' "$err" | wc -l)"
done
tool render "$(w "$pics")" moon "$(w "$work/bad.bmp")" 2>/dev/null
check "render of a missing picture" 1 $?

# Files that are not readable bitmaps change nothing.
cp "$pics" "$work/before.hrd"
printf 'BM this is not a bitmap at all' > "$work/fake.bmp"
head -c 300 "$work/landscape.bmp" > "$work/short.bmp"
for bad in fake.bmp short.bmp bad.wav; do
  err=$(tool import "$(w "$pics")" "$(w "$work/sun.bmp")" "$(w "$work/$bad")" 2>&1 >/dev/null)
  status=$?
  check "import of $bad: status" 1 "$status"
  check "import of $bad: one line" 1 "$(printf '%s\n' "$err" | wc -l)"
  cmp -s "$pics" "$work/before.hrd"
  check "file unchanged after importing $bad" 0 $?
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
bad.wav: neither a WAVE sound nor a bitmap; sample.hrd is unchanged|import sample.hrd bad.wav
sub/missing.wav was not found.|import sub/x.hrd sub/pause.wav sub/missing.wav
Access to sub/TEMPSAVE.TMP was denied.|import sub/x.hrd sub/pause.wav
/nonexistent/dir/o.wav contains an invalid path.|export sample.hrd CWav chime /nonexistent/dir/o.wav
there is no CWav named "nothing"|export sample.hrd CWav nothing o.wav
sub/nothere.doc was not found.|tree sub/nothere.doc
EOF
cd - >/dev/null

[ "$failures" -eq 0 ] && echo "hoardtool: all checks passed"
exit "$failures"
