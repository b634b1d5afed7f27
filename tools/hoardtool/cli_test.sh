#!/bin/sh
# hoardtool end to end under Wine: import, inspect, export, screen documents, damaged
# files, sounds played, recorded and trimmed through Wine's ALSA null device, and
# resources copied and pasted between programs through the clipboard.
# usage: cli_test.sh BUILD_DIR SOURCE_DIR
set -u
BUILD_DIR=$1
SOURCE_DIR=$2
. "$SOURCE_DIR/scripts/winpath"
# Windows are drawn into memory, also where a display is set.
export WINE_RUN_DRIVER=null
work=$(mktemp -d)
# Trimming reads the "Recording" settings of the prefix's OKAPI_X.INI: the tests use
# their own and put the user's file back afterwards.
ini="$BUILD_DIR/wineprefix/drive_c/windows/OKAPI_X.INI"
[ -f "$ini" ] && cp "$ini" "$work/user.ini"
restore_ini() {
  if [ -f "$work/user.ini" ]; then cp "$work/user.ini" "$ini"; else rm -f "$ini"; fi
}
trap 'restore_ini; rm -rf "$work"' EXIT
tool() { "$BUILD_DIR/wine-run" "$BUILD_DIR/bin/hoardtool.exe" "$@"; }
w() { to_win_path "$1"; }
failures=0
check() {   # check WHAT EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    printf 'FAIL %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
    failures=$((failures + 1))
  fi
}
fails_in_one_line() {   # fails_in_one_line WHAT COMMAND FILE [ARGUMENTS...]
  what=$1 command=$2 target=$3
  shift 3
  err=$(tool "$command" "$(w "$target")" "$@" 2>&1 >/dev/null)
  status=$?
  check "$what: status" 1 "$status"
  check "$what: one line" 1 "$(printf '%s\n' "$err" | wc -l)"
}

"$BUILD_DIR/wine-run" "$BUILD_DIR/bin/wavgen.exe" "$(w "$work")"
file=$work/sample.hrd

tool import "$(w "$file")" "$(w "$work/chime.wav")" "$(w "$work/click.track.wav")" >/dev/null
check "import exit status" 0 $?
mkdir "$work/other" && cp "$work/pause.wav" "$work/other/chime.alt.wav"
# The second copy of chime.wav is identical to the first and merged into it on saving,
# which import says instead of having added it.
out=$(tool import "$(w "$file")" "$(w "$work/other/chime.alt.wav")" "$(w "$work/chime.wav")")
check "second import into the existing file" 0 $?
check "second import: a sound added, an identical one kept once" \
  "$(printf 'added sound chime2, 22050 bytes\nchime3 is the same sound as chime: kept once, as chime')" "$out"

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

# A file refused after others were read adds nothing, and says so without having
# said that anything was added.
printf 'some notes\n' > "$work/notes.txt"
out=$(tool import "$(w "$file")" "$(w "$work/pause.wav")" "$(w "$work/notes.txt")" 2>"$work/err.txt")
check "import refused after a good file: status" 1 $?
check "import refused after a good file: nothing said to be added" "" "$out"
check "import refused after a good file: the refusal" \
  "hoardtool: $(w "$work/notes.txt"): neither a WAVE sound nor a picture (bitmap, PNG, JPEG, GIF, TIFF or Macintosh picture); nothing added, $(w "$file") is unchanged" \
  "$(cat "$work/err.txt")"
cmp -s "$file" "$work/before.hrd"
check "file unchanged after a refused import" 0 $?

# Identical sounds under two names are kept once, under the first name, and import
# says so.
mkdir "$work/dup" && cp "$work/chime.wav" "$work/dup/sun.wav" && cp "$work/chime.wav" "$work/dup/moon.wav"
out=$(tool import "$(w "$work/dup.hrd")" "$(w "$work/dup/sun.wav")" "$(w "$work/dup/moon.wav")")
check "import of identical sounds" \
  "$(printf 'added sound sun, 11025 bytes\nmoon is the same sound as sun: kept once, as sun')" "$out"
check "identical sounds are kept once" "$(printf 'CWav\tsun\t11025')" "$(tool list "$(w "$work/dup.hrd")")"

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
out=$(tool import "$(w "$pics")" "$(w "$work/house.bmp")" "$(w "$work/chime.wav")" "$(w "$work/sun.bmp")" \
  "$(w "$work/landscape.bmp")")
check "import of pictures and a sound" 0 $?
# A bitmap of more than 16 bits is kept at 16.
check "import of pictures: their size and depth" "added picture house, 160x120, 1 bit, 2448 bytes
added sound chime, 11025 bytes
added picture sun, 64x64, 8 bits, 5160 bytes
added picture landscape, 192x128, 24 bits stored as 16, 49192 bytes" "$out"
check "list with pictures: size and depth" \
  "$(printf 'CPicture\thouse\t2448\t160x120, 1 bit\tbitmap\nCPicture\tsun\t5160\t64x64, 8 bits\tbitmap\nCPicture\tlandscape\t49192\t192x128, 16 bits\tbitmap\nCWav\tchime\t11025')" \
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

# Pictures of other kinds: Macintosh pictures, kept as they are and drawn through the
# media library, and PNG and JPEG files through the system's codecs.
other=$work/other.hrd
out=$(tool import "$(w "$other")" "$(w "$work/drawing.pct")" "$(w "$work/landscape-packed.pct")" \
  "$(w "$work/landscape-photo.jpg")" "$(w "$work/sun-alpha.png")")
check "import of other kinds: status" 0 $?
check "check counts Macintosh pictures as blocks" "ok: 1 types, 4 resources, 4 blocks" "$(tool check "$(w "$other")")"
drawing_size=$(($(stat -c %s "$work/drawing.pct") - 512))
check "import of other kinds" "added picture drawing, 240x180, Macintosh picture, $drawing_size bytes
added picture landscape-packed, 192x128, Macintosh picture, $(($(stat -c %s "$work/landscape-packed.pct") - 512)) bytes
added picture landscape-photo, 192x128, 16 bits, 49192 bytes
added picture sun-alpha, 64x64, 8 bits, 4376 bytes" "$out"
check "list names the kinds of elements" \
  "$(printf 'CPicture\tdrawing\t%s\t240x180\tMacintosh picture' $drawing_size)" \
  "$(tool list "$(w "$other")" | grep drawing)"
tail -c +513 "$work/drawing.pct" > "$work/drawing.pict"
tool import "$(w "$work/bare.hrd")" "$(w "$work/drawing.pict")" >/dev/null
check "a Macintosh picture without its file header" \
  "$(printf 'CPicture\tdrawing\t%s\t240x180\tMacintosh picture' $drawing_size)" "$(tool list "$(w "$work/bare.hrd")")"
head -c 520 "$work/drawing.pct" > "$work/cut.pct"
fails_in_one_line "import of a Macintosh picture cut inside its frame" import "$other" "$(w "$work/cut.pct")"
head -c 300 "$work/sun-alpha.png" > "$work/cut.png"
fails_in_one_line "import of a cut PNG" import "$other" "$(w "$work/cut.png")"

# Every kind is exported as a bitmap file: a Macintosh picture as the media library
# converts it, at 24 bits.
tool export "$(w "$other")" CPicture drawing "$(w "$work/drawing-out.bmp")"
check "export of a Macintosh picture" "240 180 24" \
  "$(u32 "$work/drawing-out.bmp" 18) $(u32 "$work/drawing-out.bmp" 22) $(u16 "$work/drawing-out.bmp" 28)"
tool export "$(w "$other")" CPicture sun-alpha "$(w "$work/sun-alpha-out.bmp")"
check "export of an imported PNG of few colours" "64 64 8" \
  "$(u32 "$work/sun-alpha-out.bmp" 18) $(u32 "$work/sun-alpha-out.bmp" 22) $(u16 "$work/sun-alpha-out.bmp" 28)"

# Without the media library (a copy of the tool with its DLLs but QTIM32.DLL), a
# Macintosh picture draws as nothing, cannot be exported, and keeps its bytes through a
# save. The roof of the drawing's house is at (80, 80); the files are bottom-up.
roof=$((54 + (179 - 80) * 480 + 80 * 2))
nolib=$work/nolib
mkdir "$nolib" && cp "$BUILD_DIR/bin/hoardtool.exe" "$BUILD_DIR"/bin/*.dll "$BUILD_DIR"/bin/*.DLL "$nolib" &&
  rm "$nolib/QTIM32.DLL"
nolib_tool() { WINE_RUN_PATH="$(w "$nolib")" "$BUILD_DIR/wine-run" "$nolib/hoardtool.exe" "$@"; }
cp "$other" "$work/other-before.hrd"
nolib_tool render "$(w "$other")" drawing "$(w "$work/nolib.bmp")" --save
check "render without the media library: status" 0 $?
check "render without the media library: nothing drawn on the grey" 25368 "$(u16 "$work/nolib.bmp" $roof)"
nolib_tool export "$(w "$other")" CPicture drawing "$(w "$work/nolib-out.bmp")" 2>"$work/err.txt"
check "export without the media library: status" 1 $?
check "export without the media library: the reason" \
  "hoardtool: picture \"drawing\" is a Macintosh picture, and the media library that converts it (QTIM32.DLL) cannot be loaded" \
  "$(cat "$work/err.txt")"
cmp -s "$other" "$work/other-before.hrd"
check "saved without the media library: the file's bytes unchanged" 0 $?

# With it, the first draw converts the picture into a bitmap element, which a save keeps.
tool render "$(w "$other")" drawing "$(w "$work/lib.bmp")"
check "render through the media library: the red roof" 24805 "$(u16 "$work/lib.bmp" $roof)"
check "render without --save leaves the file as it was" "Macintosh picture" \
  "$(tool list "$(w "$other")" | awk -F'\t' '$2 == "drawing" { print $5 }')"
tool render "$(w "$other")" drawing "$(w "$work/lib.bmp")" --save
check "render --save keeps the converted bitmap" "$(printf '240x180, 16 bits\tbitmap')" \
  "$(tool list "$(w "$other")" | awk -F'\t' '$2 == "drawing" { print $4 "\t" $5 }')"
cmp -s "$work/lib.bmp" "$work/nolib.bmp"
check "the converted picture draws as the first render did" 1 $?
tool render "$(w "$other")" drawing "$(w "$work/lib-again.bmp")"
cmp -s "$work/lib.bmp" "$work/lib-again.bmp"
check "the converted picture draws as the first render did" 0 $?

# A bitmap named where a resource file belongs is no resource file for any command,
# and none writes over it. Its first bytes would read as a version and no types.
cp "$work/sun.bmp" "$work/pic.bmp"
for args in "info" "list" "check" "import $(w "$work/chime.wav")" "export CWav chime $(w "$work/x.wav")" \
  "render sun $(w "$work/x.bmp")" "tree" "shot $(w "$work/x.bmp")" "play chime" "record new 0.1" "trim chime"; do
  command=${args%% *}
  rest=${args#"$command"}
  # The arguments after the file are split at blanks on purpose.
  err=$(tool "$command" "$(w "$work/pic.bmp")" $rest 2>&1 >/dev/null)
  check "$command on a bitmap: status" 1 $?
  check "$command on a bitmap" "hoardtool: $(w "$work/pic.bmp") is not a resource file" "$err"
done
cmp -s "$work/sun.bmp" "$work/pic.bmp"
check "the bitmap is unchanged" 0 $?

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

# A screen document: the container tree, then the resources of the file it was made
# with, and the pictures of its labels, with a trailer. Its cells are named as the file's
# pictures.
doc=$work/sample.doc
"$BUILD_DIR/wine-run" "$BUILD_DIR/bin/screengen.exe" "$(w "$doc")" "$(w "$pics")"
check "screengen exit status" 0 $?
sample_tree='CWndContainer "sample screen" 0 0 640 480
  CContainer "title" 8 8 632 72
  CContainer "buttons" 8 80 632 144
    CContainer "play" 12 6 138 58
    CContainer "stop" 150 6 276 58
    CContainer "next" 288 6 414 58
  CContainer "pictures" 8 152 632 420
    CContainer "row 1" 0 0 624 134
      CContainer "house" 8 4 205 130
      CContainer "sun" 213 4 410 130
      CContainer "landscape" 418 4 615 130
    CContainer "row 2" 0 134 624 268
      CContainer "house" 8 4 205 130
      CContainer "sun" 213 4 410 130
      CContainer "landscape" 418 4 615 130
  CContainer "entry" 8 428 632 472'
check "tree" "$sample_tree" "$(tool tree "$(w "$doc")")"
labels=$(printf 'CPicture\ttitle\t32040\t400x40, 16 bits\tbitmap\nCPicture\tplay\t8680\t108x40, 16 bits\tbitmap\nCPicture\tstop\t8680\t108x40, 16 bits\tbitmap\nCPicture\tnext\t8680\t108x40, 16 bits\tbitmap')
check "list of a screen document" "$(printf '%s\n%s\n' "$(tool list "$(w "$pics")")" "$labels" | sort)" \
  "$(tool list "$(w "$doc")" | sort)"
check "check of a screen document" "ok: 2 types, 8 resources, 8 blocks" "$(tool check "$(w "$doc")")"
section=$(tool info "$(w "$doc")" | head -n 1 | cut -d ' ' -f 2)
check "info of a screen document" "section $section version 2 trailer yes" "$(tool info "$(w "$doc")" | head -n 1)"
[ "$section" -gt 1000 ] && section_ok=yes
check "the resource section follows the tree" yes "${section_ok:-no: $section}"
tool export "$(w "$doc")" CWav chime "$(w "$work/out2.wav")" && cmp -s "$work/chime.wav" "$work/out2.wav"
check "export from a screen document" 0 $?

# Shots: the screen drawn as a view draws it, its cells showing their pictures; a screen
# made without pictures leaves its cells white. The sun's middle is drawn in the
# middle of the second cell of the first row; the top-left pixel of the title is its
# frame's light edge. Pixels of the bottom-up 16-bit file: 54 + 2 * (x + width * (height - 1 - y)).
pixel16() { u16 "$1" $((54 + 2 * ($2 + $4 * ($5 - 1 - $3)))); }
tool shot "$(w "$doc")" "$(w "$work/shot.bmp")"
check "shot exit status" 0 $?
check "shot: width, height, depth" "640 480 16" \
  "$(u32 "$work/shot.bmp" 18) $(u32 "$work/shot.bmp" 22) $(u16 "$work/shot.bmp" 28)"
check "shot: file size" $((14 + 40 + 1280 * 480)) "$(stat -c %s "$work/shot.bmp")"
sun=$(pixel16 "$work/shot.bmp" 327 219 640 480)
[ "$sun" != 32767 ] && sun=drawn
check "shot: the sun is drawn in its cell" drawn "$sun"
plain=$work/plain.doc
"$BUILD_DIR/wine-run" "$BUILD_DIR/bin/screengen.exe" "$(w "$plain")"
tool shot "$(w "$plain")" "$(w "$work/plain-shot.bmp")"
check "shot of a screen without pictures: a white cell" 32767 "$(pixel16 "$work/plain-shot.bmp" 327 219 640 480)"
tool shot "$(w "$doc")" "$(w "$work/small.bmp")" --size 320x240 --depth 8
check "8-bit shot at another size: width, height, depth, colours" "320 240 8 256" \
  "$(u32 "$work/small.bmp" 18) $(u32 "$work/small.bmp" 22) $(u16 "$work/small.bmp" 28) $(u32 "$work/small.bmp" 46)"
check "8-bit shot: file size" $((14 + 40 + 1024 + 320 * 240)) "$(stat -c %s "$work/small.bmp")"
for args in "--depth 24" "--size 0x10" "--size 20000x10" "--size" "--frobnicate 1"; do
  err=$(tool shot "$(w "$doc")" "$(w "$work/bad.bmp")" $args 2>&1 >/dev/null)
  status=$?
  check "shot $args: status" 1 "$status"
  check "shot $args: one line" 1 "$(printf '%s\n' "$err" | wc -l)"
done
err=$(tool shot "$(w "$pics")" "$(w "$work/bad.bmp")" 2>&1 >/dev/null)
check "shot of a resource file: status" 1 $?
check "shot of a resource file: one line" 1 "$(printf '%s\n' "$err" | wc -l)"

# Boards: a title, rows of framed choices, each with its own picture and sound. The
# second "sun" is the house under the sun's name: it gets a numbered name and still shows
# the house; its sound is the same as the first one's, kept once, and still its own.
mkdir "$work/board" "$work/board/more"
cp "$work/house.bmp" "$work/board/more/sun.bmp"
cp "$work/chime.wav" "$work/board/bell.wav"
board=$work/board/board.lmd
out=$(tool board "$(w "$board")" --title "Sun and house" "$(w "$work/sun.bmp")=$(w "$work/chime.wav")" \
  "$(w "$work/board/more/sun.bmp")=$(w "$work/board/bell.wav")" "$(w "$work/landscape-photo.jpg")" \
  --link landscape-photo=other.lmd)
check "board exit status" 0 $?
check "board: what each choice shows, plays and opens" \
  "$(printf 'choice sun: picture sun, sound sun\nchoice sun2: picture sun2, sound sun\nchoice landscape-photo: picture landscape-photo, opens other.lmd')" \
  "$out"
check "board: the tree, two to a row, the last row filled up" 'CWndContainer "Sun and house" 0 0 640 480
  CContainer "title" 8 8 632 72
  CContainer "row 1" 8 80 632 272
    CContainer "sun" 8 4 308 188
    CContainer "sun2" 316 4 616 188
  CContainer "row 2" 8 280 632 472
    CContainer "landscape-photo" 8 4 308 188
    CContainer "" 316 4 616 188' "$(tool tree "$(w "$board")")"
check "board: one sound kept for two choices" 1 "$(tool list "$(w "$board")" | grep -c '^CWav')"
check "board: check" 0 "$(tool check "$(w "$board")" >/dev/null; echo $?)"
# The same board drawn from pictures with names of their own looks the same.
tool board "$(w "$work/board/plain.lmd")" --title "Sun and house" "$(w "$work/sun.bmp")" "$(w "$work/house.bmp")" \
  "$(w "$work/landscape-photo.jpg")" >/dev/null
tool shot "$(w "$board")" "$(w "$work/board/clash.bmp")"
tool shot "$(w "$work/board/plain.lmd")" "$(w "$work/board/plain.bmp")"
cmp -s "$work/board/clash.bmp" "$work/board/plain.bmp"
check "board: a picture with a numbered name shows its own picture" 0 $?
# Loaded and saved again by another command, the board keeps its links.
tool import "$(w "$board")" "$(w "$work/pause.wav")" >/dev/null
tool shot "$(w "$board")" "$(w "$work/board/again.bmp")"
cmp -s "$work/board/clash.bmp" "$work/board/again.bmp"
check "board: the links stay through an import" 0 $?
check "board: --columns 1, three rows" 3 \
  "$(tool board "$(w "$work/board/column.lmd")" --columns 1 "$(w "$work/sun.bmp")" "$(w "$work/house.bmp")" \
     "$(w "$work/sun.bmp")" >/dev/null && tool tree "$(w "$work/board/column.lmd")" | grep -c '^  C')"
# A program that does not know choice links skips their block whole, as it skips every
# type it does not know; the block comes last, so the blocks of the sounds and pictures
# read as they were written. Here the block's type is renamed, as such a program sees it.
two=$work/board/two.lmd
tool board "$(w "$two")" "$(w "$work/sun.bmp")=$(w "$work/chime.wav")" "$(w "$work/house.bmp")=$(w "$work/pause.wav")" \
  >/dev/null
LC_ALL=C sed 's/\x0bCChoiceLink/\x0bCChoiceLinX/' "$two" >"$work/board/unknown.lmd"
check "board: the links' block renamed" 1 "$(LC_ALL=C grep -c 'CChoiceLinX' "$work/board/unknown.lmd")"
check "board without known links: check" "ok: 2 types, 4 resources, 4 blocks" \
  "$(tool check "$(w "$work/board/unknown.lmd")")"
check "board without known links: the tree" "$(tool tree "$(w "$two")")" "$(tool tree "$(w "$work/board/unknown.lmd")")"
# The board as a package of the Open Board Format (board_tests reads such packages
# back): its link to a board that does not exist is left out, and said so.
out=$(tool export-board "$(w "$board")" "$(w "$work/board/board.obz")")
check "export-board exit status" 0 $?
check "export-board: what it wrote and left out" \
  "$(printf 'board "Sun and house" from board.lmd: 3 buttons, 3 images, 1 sound, 0 links\nchoice "landscape-photo" of board.lmd keeps no link: it opens other.lmd, which does not exist')" "$out"
check "export-board: a zip package" PK "$(head -c 2 "$work/board/board.obz")"
err=$(tool export-board "$(w "$board")" "$(w "$work/board/board.zip")" 2>&1 >/dev/null)
check "export-board to a name that is no package's: status" 1 $?
check "export-board to a name that is no package's: nothing written" no \
  "$([ -e "$work/board/board.zip" ] && echo yes || echo no)"
# Refusals: one line, and no file written.
for args in "x.bmp $(w "$work/sun.bmp")" "x.lmd --title T" "x.lmd --columns 0 $(w "$work/sun.bmp")" \
  "x.lmd --columns 1x $(w "$work/sun.bmp")" "x.lmd --frobnicate 1 $(w "$work/sun.bmp")" \
  "x.lmd $(w "$work/sun.bmp") --title" "x.lmd $(w "$work/notes.txt")" \
  "x.lmd $(w "$work/sun.bmp")=$(w "$work/house.bmp")" "x.lmd $(w "$work/sun.bmp")=$(w "$work/none.wav")" \
  "x.lmd $(w "$work/sun.bmp") --link moon=other.lmd" "x.lmd $(w "$work/sun.bmp") --link sun=other.txt"; do
  target=${args%% *}
  rest=${args#"$target"}
  # The arguments are split at blanks on purpose.
  err=$(tool board "$(w "$work/board/$target")" $rest 2>&1 >/dev/null)
  check "board $args: status" 1 $?
  check "board $args: one line" 1 "$(printf '%s\n' "$err" | wc -l)"
  check "board $args: nothing written" no "$([ -e "$work/board/$target" ] && echo yes || echo no)"
done

# Boards of the Open Board Format: a loose board whose images come by data URI, from a
# file beside it and by URL, with a sound by data URI and a name beyond the code page.
obf=$work/obf
mkdir "$obf" && cp "$work/house.bmp" "$obf/house.bmp"
cat >"$obf/snacks.obf" <<END_OF_BOARD
{"format": "open-board-0.1", "id": "snacks", "name": "Snacks \u2603",
 "grid": {"rows": 2, "columns": 2, "order": [["sun", "house"], [null, "web"]]},
 "buttons": [{"id": "sun", "label": "Sun", "image_id": "sun", "sound_id": "chime"},
             {"id": "house", "label": "House", "image_id": "house"},
             {"id": "web", "image_id": "web", "load_board": {"url": "https://example.com/more.obf"}}],
 "images": [{"id": "sun", "data": "data:image/bmp;base64,$(base64 -w0 "$work/sun.bmp")"},
            {"id": "house", "path": "house.bmp"}, {"id": "web", "url": "https://example.com/web.png"}],
 "sounds": [{"id": "chime", "data": "data:audio/wav;base64,$(base64 -w0 "$work/chime.wav")"}]}
END_OF_BOARD
out=$(tool import-board "$(w "$obf/snacks.obf")" "$(w "$obf/snacks.lmd")")
check "import-board exit status" 0 $?
check "import-board: the report" \
  'board "Snacks ?" -> snacks.lmd: 3 buttons, 2 pictures, 1 sound, 0 links; skipped: 1 image (url not fetched), 1 link (url only, not fetched); 1 character not in the code page' \
  "$out"
check "import-board: the rows" \
  "$(printf '  CContainer "title"\n  CContainer "row 1"\n    CContainer "Sun"\n    CContainer "House"\n  CContainer "row 2"\n    CContainer ""\n    CContainer "web"')" \
  "$(tool tree "$(w "$obf/snacks.lmd")" | sed -n '2,$p' | sed 's/\( -*[0-9]*\)\{4\}$//')"
tool export "$(w "$obf/snacks.lmd")" CWav Sun "$(w "$obf/sun.wav")"
cmp -s "$work/chime.wav" "$obf/sun.wav"
check "import-board: the sound as its file" 0 $?
# A board that does not read, a name that promises another format, a board that is not
# there: one line, and the document there before is left as it was.
cp "$obf/snacks.lmd" "$obf/before.lmd"
printf '{"format": "open-board-0.1", "id": "bad", "buttons": [' >"$obf/bad.obf"
for args in "bad.obf snacks.lmd" "snacks.obf snacks.bmp" "none.obz snacks.lmd"; do
  err=$(tool import-board "$(w "$obf/${args% *}")" "$(w "$obf/${args#* }")" 2>&1 >/dev/null)
  check "import-board $args: status" 1 $?
  check "import-board $args: one line" 1 "$(printf '%s\n' "$err" | wc -l)"
done
err=$(tool import-board "$(w "$obf/bad.obf")" "$(w "$obf/snacks.lmd")" 2>&1 >/dev/null)
check "import-board of a board that does not read: the file named, the document not written" \
  "hoardtool: $(w "$obf/bad.obf"): ... $(w "$obf/snacks.lmd") was not written" \
  "$(printf '%s' "$err" | sed 's/\.obf: .*; /.obf: ... /')"
cmp -s "$obf/snacks.lmd" "$obf/before.lmd"
check "import-board: the document left as it was" 0 $?
check "import-board: nothing else written" "bad.obf before.lmd house.bmp snacks.lmd snacks.obf sun.wav" \
  "$(ls "$obf" | tr '\n' ' ' | sed 's/ $//')"

tool import "$(w "$doc")" "$(w "$work/stereo-sweep.wav")" >/dev/null
check "import into a screen document" 0 $?
check "the tree stays through an import" "$sample_tree" "$(tool tree "$(w "$doc")")"
check "the import is there" 9 "$(tool list "$(w "$doc")" | wc -l)"

fails_in_one_line "tree of a resource file" tree "$file"
section=$(tool info "$(w "$doc")" | head -n 1 | cut -d ' ' -f 2)
size=$(stat -c %s "$doc")
for cut in 2 100 $((section - 1)) $((size / 2)) $((size - 1)); do
  head -c "$cut" "$doc" > "$work/cut.doc"
  for command in tree list check; do
    fails_in_one_line "$command on a screen document cut at $cut" "$command" "$work/cut.doc"
  done
  fails_in_one_line "shot of a screen document cut at $cut" shot "$work/cut.doc" "$(w "$work/bad.bmp")"
done
# The tree cut short, the trailer in place.
{ head -c 300 "$doc"; tail -c +$((section + 1)) "$doc"; } > "$work/short-tree.doc"
fails_in_one_line "tree of a damaged tree" tree "$work/short-tree.doc"
fails_in_one_line "shot of a damaged tree" shot "$work/short-tree.doc" "$(w "$work/bad.bmp")"
[ -e "$work/bad.bmp" ] && bad_written=yes
check "failed shots write nothing" no "${bad_written:-no}"

err=$(tool frobnicate "$(w "$file")" 2>&1)
check "unknown command" 2 $?
types='choice link (CChoiceLink), picture (CPicture), sound (CWav)'
check "the usage lists the types" "TYPE is a type's name, in any case: $types" "$(printf '%s\n' "$err" | tail -n 1)"
tool export "$(w "$pics")" Picture sun "$(w "$work/by-display-name.bmp")"
check "export by a type's display name" 0 $?

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

# Sounds through the devices. Wine's null device plays and records, not in real time;
# what it records is a constant level, which trimming removes whole.
sounds=$work/sounds.hrd
tool import "$(w "$sounds")" "$(w "$work/chime.wav")" "$(w "$work/pause.wav")" "$(w "$work/stereo-sweep.wav")" >/dev/null
check "play" 'played "chime": 11025 bytes, 1000 ms' "$(tool play "$(w "$sounds")" CHIME 2>&1)"
check "play of a 16-bit stereo sound" 'played "stereo-sweep": 44100 bytes, 500 ms' \
  "$(tool play "$(w "$sounds")" stereo-sweep 2>&1)"
check "play of a missing sound" 'hoardtool: there is no sound named "bell"' "$(tool play "$(w "$sounds")" bell 2>&1)"

mkdir -p "$(dirname "$ini")"
printf '[Recording]\r\nSquelchEnabled=0\r\n' > "$ini"
cp "$sounds" "$work/sounds-before-trim.hrd"
check "trim without squelching" 'trimmed "pause": 22050 bytes (1000 ms) to 99 bytes (4 ms)' \
  "$(tool trim "$(w "$sounds")" pause 2>&1)"
check "the trimmed sound is saved" "$(printf 'CWav\tchime\t11025\nCWav\tpause\t99\nCWav\tstereo-sweep\t44100')" \
  "$(tool list "$(w "$sounds")")"
# chime.wav is a tone that fades over its second: squelching silences its quiet end
# (from about 0.55 s on, with the default 250 ms runs), which trimming then cuts.
size_of() { tool list "$(w "$sounds")" | awk -F'\t' -v n="$1" '$2 == n { print $3 }'; }
tool trim "$(w "$sounds")" chime >/dev/null
unsquelched=$(size_of chime)
cp "$work/sounds-before-trim.hrd" "$sounds"
printf '[Recording]\r\nSquelchEnabled=1\r\n' > "$ini"
tool trim "$(w "$sounds")" chime >/dev/null
squelched=$(size_of chime)
check "without squelching the fading end stays" yes "$([ "$unsquelched" -gt 10900 ] && echo yes)"
check "squelching cuts the fading end ($squelched bytes)" yes \
  "$([ "$squelched" -gt 6000 ] && [ "$squelched" -lt 9000 ] && echo yes)"
check "trim of a 16-bit stereo sound" 'hoardtool: "stereo-sweep" is not 8-bit mono PCM, the only layout that can be trimmed' \
  "$(tool trim "$(w "$sounds")" stereo-sweep 2>&1)"

check "record" 'recorded "chime2" at low quality (11025 samples a second): 1499 ms' \
  "$(tool record "$(w "$sounds")" chime 1.5 --quality low 2>&1)"
check "the recording is saved" "$(printf 'CWav\tchime2\t16537')" "$(tool list "$(w "$sounds")" | tail -n 1)"
# A recording that trimming removes whole was silence: nothing is added, and a stored
# sound that is silence all through is not emptied.
cp "$sounds" "$work/before.hrd"
err=$(tool record "$(w "$sounds")" memo 0.25 --trim --quality high 2>&1)
check "record and trim to nothing: status" 1 $?
check "record and trim to nothing" \
  "hoardtool: the recording of \"memo\" (250 ms) was silence: trimming left nothing; nothing added, $(w "$sounds") is unchanged" \
  "$err"
err=$(tool record "$(w "$work/silence.hrd")" memo 0.25 --trim --quality high 2>&1)
check "record and trim to nothing into a new file" \
  "hoardtool: the recording of \"memo\" (250 ms) was silence: trimming left nothing; nothing added, $(w "$work/silence.hrd") was not created" \
  "$err"
[ -e "$work/silence.hrd" ] && silence_written=yes
check "no file made for a silent recording" no "${silence_written:-no}"
err=$(tool trim "$(w "$sounds")" chime2 2>&1)
check "trim of a sound that is silence all through: status" 1 $?
check "trim of a sound that is silence all through" \
  "hoardtool: \"chime2\" is silence all through: trimming would leave nothing; $(w "$sounds") is unchanged" "$err"
cmp -s "$sounds" "$work/before.hrd"
check "file unchanged by silent recordings and trims" 0 $?
# The record dialog's demo records the same silence, saves it through the dialog and
# trims it away: it adds nothing either.
out=$("$BUILD_DIR/wine-run" "$BUILD_DIR/bin/recorddemo.exe" "$(w "$sounds")" 2>&1)
check "recorddemo: status" 0 $?
check "recorddemo: a silent recording adds nothing" \
  "the recording was silence all through: nothing added, the file is unchanged" "$(printf '%s\n' "$out" | tail -n 1)"
cmp -s "$sounds" "$work/before.hrd"
check "file unchanged by recorddemo's silent recording" 0 $?
for args in "x abc" "x 0" "x 1 --quality ultra" "x 1 --loud" "x 1 --quality"; do
  err=$(tool record "$(w "$sounds")" $args 2>&1 >/dev/null)
  check "record $args: status" 1 $?
  check "record $args: one line" 1 "$(printf '%s\n' "$err" | wc -l)"
done
cmp -s "$sounds" "$work/before.hrd"
check "file unchanged by refused recordings" 0 $?
tool record "$(w "$doc")" memo 0.1 >/dev/null
check "record into a screen document" 0 $?
check "the tree stays through a recording" "$sample_tree" "$(tool tree "$(w "$doc")")"

# Without sound devices: playing says so and succeeds, recording fails and changes nothing.
printf 'pcm.!default { type hw card 77 }\nctl.!default { type hw card 77 }\n' > "$work/nodevices.conf"
out=$(WINE_RUN_ALSA_CONF="$work/nodevices.conf" tool play "$(w "$sounds")" chime 2>/dev/null)
check "play without an output device: status" 0 $?
check "play without an output device" 'no sound output device: "chime" not played' "$out"
out=$(WINE_RUN_ALSA_CONF="$work/nodevices.conf" tool record "$(w "$sounds")" x 1 2>&1 >/dev/null)
check "record without an input device: status" 1 $?
check "record without an input device" "hoardtool: no sound input device: nothing recorded; $(w "$sounds") is unchanged" \
  "$(printf '%s\n' "$out" | grep -v '^ALSA')"
cmp -s "$sounds" "$work/before.hrd"
check "file unchanged without an input device" 0 $?

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
nothere.hrd was not found|info nothere.hrd
$work/nothere.hrd was not found|list $work/nothere.hrd
An unexpected end of file was found while reading ./cut.hrd|check ./cut.hrd
sub is a folder, not a file|info sub
the folder of nodir/x.hrd does not exist|list nodir/x.hrd
the folder of nodir/x.hrd does not exist|import nodir/x.hrd pause.wav
bad.wav: neither a WAVE sound nor a picture (bitmap, PNG, JPEG, GIF, TIFF or Macintosh picture); nothing added, sample.hrd is unchanged|import sample.hrd bad.wav
bad.wav: neither a WAVE sound nor a picture (bitmap, PNG, JPEG, GIF, TIFF or Macintosh picture); nothing added, new.hrd was not created|import new.hrd pause.wav bad.wav
sub/missing.wav was not found; nothing added, sub/x.hrd was not created|import sub/x.hrd sub/pause.wav sub/missing.wav
sub/TEMPSAVE.TMP is a folder, not a file; sub/x.hrd was not created|import sub/x.hrd sub/pause.wav
the folder of /nonexistent/dir/o.wav does not exist|export sample.hrd CWav chime /nonexistent/dir/o.wav
there is no sound named "nothing"|export sample.hrd CWav nothing o.wav
there is no sound named "nothing"|export sample.hrd SOUND nothing o.wav
widget is not a type: the types are $types|export sample.hrd widget chime o.wav
o.bmp: the file written is a WAVE sound, whose name ends in .wav|export sample.hrd sound chime o.bmp
sub/nothere.doc was not found|tree sub/nothere.doc
sample.hrd is a resource file, not a screen document|tree sample.hrd
sub/nothere.doc was not found|shot sub/nothere.doc sub/shot.bmp
sub/shot.png: the file written is a bitmap, whose name ends in .bmp or .dib|shot sample.doc sub/shot.png
there is no picture named "grad"|render pictures.hrd grad x.bmp
x.png: the file written is a bitmap, whose name ends in .bmp or .dib|render pictures.hrd sun x.png
there is no sound named "nothing"|play sample.hrd nothing
abc is not a number of seconds from 0.001 to 4294967|record sub/x.hrd new abc
sub/missing.hrd was not found|trim sub/missing.hrd pause
there is no sound named "nothing"; nothing copied|copy sample.hrd sound chime nothing
nothere.hrd was not found|copy nothere.hrd sound chime
paste takes --replace or --rename, not --bogus|paste sample.hrd --bogus
EOF
[ -e new.hrd ] && new_written=yes
check "no file made by a refused import" no "${new_written:-no}"
cd - >/dev/null

# The clipboard between programs. The first copier stays (copy --wait, until its input
# ends) while other programs paste. Wine keeps the clipboard with its desktop, which it
# closes about a second after the last program of the prefix has ended, taking the
# clipboard with it: every check here runs while that copier still waits.
clip=$work/clip
mkdir "$clip"
tool import "$(w "$clip/a.hrd")" "$(w "$work/chime.wav")" "$(w "$work/click.track.wav")" \
  "$(w "$work/pause.wav")" >/dev/null
# b.hrd holds a sound named chime whose samples are pause.wav's.
tool import "$(w "$clip/b.hrd")" "$(w "$work/other/chime.alt.wav")" >/dev/null
cp "$clip/b.hrd" "$clip/c.hrd"
mkfifo "$clip/hold"
# The waiting copy opens the fifo before it makes copy.out: make it first, so that the
# wait below never reads a file that is not there yet.
: >"$clip/copy.out"
tool copy "$(w "$clip/a.hrd")" Sound chime click --wait <"$clip/hold" >"$clip/copy.out" 2>&1 &
holder=$!
exec 3>"$clip/hold"
waited=0
while [ "$(wc -l <"$clip/copy.out")" -lt 2 ] && [ $waited -lt 600 ]; do
  sleep 0.1
  waited=$((waited + 1))
done
check "copy, staying" "$(printf 'copied sound chime\ncopied sound click')" "$(cat "$clip/copy.out")"
check "clipboard, seen by another program" \
  "$(printf 'descriptor: sound (CWav)\nname: chime\nname: click\nresources: yes\npicture as CF_DIB: no')" \
  "$(tool clipboard)"

cp "$clip/b.hrd" "$clip/b.before"
err=$(tool paste "$(w "$clip/b.hrd")" 2>&1 >/dev/null)
check "paste of a name taken, without an option: status" 1 $?
check "paste of a name taken, without an option: the line" \
  "hoardtool: $(w "$clip/b.hrd") already holds chime; paste with --replace or --rename; $(w "$clip/b.hrd") is unchanged" "$err"
cmp -s "$clip/b.hrd" "$clip/b.before"
check "paste refused: file unchanged" 0 $?

check "paste --replace while the copier runs" \
  "$(printf 'pasted sound chime, replacing the one of that name\npasted sound click')" \
  "$(tool paste "$(w "$clip/b.hrd")" --replace)"
check "list after replacing" "$(printf 'CWav\tchime\t11025\nCWav\tclick\t32000')" "$(tool list "$(w "$clip/b.hrd")")"
tool export "$(w "$clip/b.hrd")" sound click "$(w "$clip/click.wav")"
cmp -s "$work/click.track.wav" "$clip/click.wav"
check "a sound pasted in another program, byte for byte" 0 $?
check "paste --rename" "$(printf 'pasted sound chime2, renamed from chime\npasted sound click')" \
  "$(tool paste "$(w "$clip/c.hrd")" --rename)"
check "list after renaming" "$(printf 'CWav\tchime\t22050\nCWav\tchime2\t11025\nCWav\tclick\t32000')" \
  "$(tool list "$(w "$clip/c.hrd")")"

# A second copier ends before the paste: the clipboard keeps what it put there.
tool copy "$(w "$clip/a.hrd")" CWav pause >/dev/null
check "paste after the copier ended, into a new file" "pasted sound pause" "$(tool paste "$(w "$clip/new.hrd")")"
check "the new file" "$(printf 'CWav\tpause\t22050')" "$(tool list "$(w "$clip/new.hrd")")"

# Streams damaged as another program may put them: one line, and nothing saved.
clipblock() { "$BUILD_DIR/wine-run" "$BUILD_DIR/bin/clipblock.exe" "$@"; }
clipblock get "QX Resource Format" "$(w "$clip/stream")"
clipblock get "QX Resource Format Descriptor" "$(w "$clip/descriptor")"
head -c $(($(stat -c %s "$clip/stream") - 1000)) "$clip/stream" >"$clip/cut"
clipblock put "QX Resource Format" "$(w "$clip/cut")" "QX Resource Format Descriptor" "$(w "$clip/descriptor")"
cp "$clip/b.hrd" "$clip/b.before"
fails_in_one_line "paste of a stream cut short" paste "$clip/b.hrd" --replace
cmp -s "$clip/b.hrd" "$clip/b.before"
check "paste of a stream cut short: file unchanged" 0 $?
printf '\377\377' >"$clip/junk"
clipblock put "QX Resource Format" "$(w "$clip/stream")" "QX Resource Format Descriptor" "$(w "$clip/junk")"
fails_in_one_line "paste with a damaged descriptor" paste "$clip/b.hrd"
err=$(tool clipboard 2>&1 >/dev/null)
check "clipboard with a damaged descriptor: status" 1 $?
check "clipboard with a damaged descriptor: one line" 1 "$(printf '%s\n' "$err" | wc -l)"
clipblock put "Some Other Format" "$(w "$clip/junk")"
check "paste from a clipboard without resources" \
  "hoardtool: the clipboard holds no resources; $(w "$clip/b.hrd") is unchanged" \
  "$(tool paste "$(w "$clip/b.hrd")" 2>&1 >/dev/null)"
cmp -s "$clip/b.hrd" "$clip/b.before"
check "failed pastes: file unchanged" 0 $?

exec 3>&-
wait "$holder"
check "the staying copier ends with its input" 0 $?

[ "$failures" -eq 0 ] && echo "hoardtool: all checks passed"
exit "$failures"
