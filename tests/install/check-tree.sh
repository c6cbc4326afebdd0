#!/bin/bash
# Checks an installed tree of the tools: the files a desktop installation
# needs, the validators of desktop entries, AppStream metadata and the MIME
# type, and the first start of the programs, which must write nothing into
# the tree.
#
# usage: check-tree.sh <prefix of the installed tree>
source "$(dirname "$0")/common.sh"

prefix=$(realpath "$1")
ids=(org.kestrum.modtools.animbox org.kestrum.modtools.animbox_classic org.kestrum.modtools.pakunpack)

# Width and height of a PNG file, from its header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'; }

echo "== files"
for program in animbox animbox-classic pakunpack; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is missing"
done
[ -x "$prefix/libexec/kestrum/kespak" ] || fail "libexec/kestrum/kespak is missing"
[ "$(readlink "$prefix/bin/kespak")" = ../libexec/kestrum/kespak ] || fail "bin/kespak is not a relative link to the helper"
grep -q "^\.TH KESPAK 1 " <(gzip -dc "$prefix/share/man/man1/kespak.1.gz") || fail "the manual page of kespak is missing"
[ -s "$prefix/share/mime/packages/kestrum-mod-tools.xml" ] || fail "the MIME type of .pak is missing"
[ -s "$prefix/share/kestrum-mod-tools/demo/data/chars/hero/idle00.gif" ] || fail "the demo sprites are missing"
for id in "${ids[@]}"; do
    [ -s "$prefix/share/applications/$id.desktop" ] || fail "$id.desktop is missing"
    [ -s "$prefix/share/metainfo/$id.metainfo.xml" ] || fail "$id.metainfo.xml is missing"
    grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "the SVG icon of $id is missing"
    for size in 16 22 24 32 48 64 128 256; do
        png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
        [ -s "$png" ] || fail "$png is missing"
        [ "$(png_size "$png")" = "${size}x${size}" ] || fail "$png is $(png_size "$png")"
    done
done

echo "== validators"
# Runs a validator, showing its output only when it fails.
quiet() { local out; out=$("$@" 2>&1) || { echo "$out" >&2; fail "$1 failed"; }; }
quiet desktop-file-validate "$prefix"/share/applications/*.desktop
quiet appstreamcli validate-tree --no-net --strict "$prefix"
grep -qx 'Exec=pakunpack %f' "$prefix/share/applications/org.kestrum.modtools.pakunpack.desktop" \
    || fail "pakunpack's entry does not pass the file it opens"
grep -qx 'MimeType=application/x-pak;' "$prefix/share/applications/org.kestrum.modtools.pakunpack.desktop" \
    || fail "pakunpack's entry does not open .pak files"
mkdir -p "$work/mime/packages"
cp "$prefix/share/mime/packages/kestrum-mod-tools.xml" "$work/mime/packages/"
quiet update-mime-database "$work/mime"
grep -q ':application/x-pak:\*\.pak$' "$work/mime/globs2" || fail "the MIME type does not claim *.pak"

echo "== first start"
listing() { (cd "$prefix" && find . -printf '%p %s %T@\n' | sort); }
before=$(listing)
export XDG_CONFIG_HOME=$work/config HOME=$work/home QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
for program in animbox animbox-classic pakunpack; do
    "$prefix/bin/$program" & pids+=($!)
done
settings=$XDG_CONFIG_HOME/Kestrum/animbox/settings.ini
for _ in $(seq 100); do
    grep -q '^WK_Path=' "$settings" 2>/dev/null && break
    sleep 0.2
done
grep -qx "dir=$prefix/share/kestrum-mod-tools/demo/data/chars/hero"$'\r' "$settings" \
    || fail "animbox's first start does not open the installed demo"
sleep 1
for pid in "${pids[@]}"; do
    kill -0 "$pid" 2>/dev/null || fail "a program ended at its start"
done
diff <(echo "$before") <(listing) || fail "running the programs wrote into the installed tree"
echo "installed tree checked"
