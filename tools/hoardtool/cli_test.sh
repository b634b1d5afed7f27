#!/bin/sh
# hoardtool end to end under Wine: import, inspect, export, screen documents, damaged
# files, and sounds played, recorded and trimmed through Wine's ALSA null device.
# usage: cli_test.sh BUILD_DIR SOURCE_DIR
set -u
BUILD_DIR=$1
SOURCE_DIR=$2
. "$SOURCE_DIR/scripts/winpath"
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
labels=$(printf 'CPicture\ttitle\t32040\nCPicture\tplay\t8680\nCPicture\tstop\t8680\nCPicture\tnext\t8680')
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

# Sounds through the devices. Wine's null device plays and records, not in real time;
# what it records is a constant level, which trimming removes whole.
sounds=$work/sounds.hrd
tool import "$(w "$sounds")" "$(w "$work/chime.wav")" "$(w "$work/pause.wav")" "$(w "$work/stereo-sweep.wav")" >/dev/null
check "play" 'played "chime": 11025 bytes, 1000 ms' "$(tool play "$(w "$sounds")" CHIME 2>&1)"
check "play of a 16-bit stereo sound" 'played "stereo-sweep": 44100 bytes, 500 ms' \
  "$(tool play "$(w "$sounds")" stereo-sweep 2>&1)"
check "play of a missing sound" 'hoardtool: there is no CWav named "bell"' "$(tool play "$(w "$sounds")" bell 2>&1)"

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
check "record and trim" 'recorded "memo" at high quality (44100 samples a second): 250 ms, 0 ms after trimming' \
  "$(tool record "$(w "$sounds")" memo 0.25 --trim --quality high 2>&1)"
check "the recordings are saved" "$(printf 'CWav\tchime2\t16537\nCWav\tmemo\t0')" \
  "$(tool list "$(w "$sounds")" | tail -n 2)"
cp "$sounds" "$work/before.hrd"
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
nothere.hrd was not found.|info nothere.hrd
$work/nothere.hrd was not found.|list $work/nothere.hrd
An unexpected end of file was found while reading ./cut.hrd.|check ./cut.hrd
bad.wav: neither a WAVE sound nor a bitmap; sample.hrd is unchanged|import sample.hrd bad.wav
sub/missing.wav was not found.|import sub/x.hrd sub/pause.wav sub/missing.wav
Access to sub/TEMPSAVE.TMP was denied.|import sub/x.hrd sub/pause.wav
/nonexistent/dir/o.wav contains an invalid path.|export sample.hrd CWav chime /nonexistent/dir/o.wav
there is no CWav named "nothing"|export sample.hrd CWav nothing o.wav
sub/nothere.doc was not found.|tree sub/nothere.doc
sub/nothere.doc was not found.|shot sub/nothere.doc sub/shot.bmp
there is no CWav named "nothing"|play sample.hrd nothing
abc is not a number of seconds from 0.001 to 4294967|record sub/x.hrd new abc
sub/missing.hrd was not found.|trim sub/missing.hrd pause
EOF
cd - >/dev/null

[ "$failures" -eq 0 ] && echo "hoardtool: all checks passed"
exit "$failures"
