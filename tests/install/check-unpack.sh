#!/bin/bash
# Packs a folder with kespak through its link in an installed bin/, then
# unpacks the archive with pakunpack's window run from that bin/, which must
# find the installed kespak.
#
# usage: check-unpack.sh <prefix of the installed tree> <unpack_from_tree helper>
source "$(dirname "$0")/common.sh"

prefix=$(realpath "$1")
unpacker=$2

mkdir -p "$work/game/data/chars/hero"
echo "anim idle" > "$work/game/data/chars/hero/hero.txt"
cp "$prefix/share/kestrum-mod-tools/demo/data/chars/hero/idle00.gif" "$work/game/data/chars/hero/"
mkdir -p "$work/paks"
"$prefix/bin/kespak" kes -c "$work/paks/game.pak" "$work/game/data" >/dev/null
"$prefix/bin/kespak" kes -l "$work/paks/game.pak" | grep -q 'hero.txt' || fail "kespak does not list the packed file"
cp "$unpacker" "$prefix/bin/unpack_from_tree"
QT_QPA_PLATFORM=offscreen "$prefix/bin/unpack_from_tree" "$work/paks/game.pak" \
    || { rm -f "$prefix/bin/unpack_from_tree"; fail "pakunpack did not unpack with the installed kespak"; }
rm -f "$prefix/bin/unpack_from_tree"
diff -r "$work/game/data" "$work/paks/data" || fail "the unpacked files differ from the packed ones"

echo "unpacked with the installed kespak"
