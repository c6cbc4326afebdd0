#!/bin/bash
# Checks an installed tree of the tools: the files a desktop installation
# needs, the copyright and the changelog, the validators of desktop entries,
# AppStream metadata and the MIME type, --help and --version without a
# display, and the first start of the programs, which opens the demo and
# must write nothing into the tree.
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
for page in kespak animbox animbox-classic pakunpack; do
    grep -q "^\.TH ${page^^} 1 " <(gzip -dc "$prefix/share/man/man1/$page.1.gz" | sed 's/\\-/-/g') \
        || fail "the manual page of $page is missing"
done
[ -s "$prefix/share/mime/packages/kestrum-mod-tools.xml" ] || fail "the MIME type of .pak is missing"
demo=$prefix/share/kestrum-mod-tools/demo
[ -s "$demo/data/chars/hero/idle00.gif" ] || fail "the demo sprites are missing"
for anim in idle walk punch kick; do
    grep -qx "anim	$anim"$'\r' "$demo/data/chars/hero/hero.txt" || fail "the demo's hero.txt has no $anim animation"
done
"$prefix/bin/kespak" kes -l "$demo/paks/hero.pak" | grep -q 'data/chars/hero/hero.txt' || fail "the demo archive is missing"

echo "== copyright and changelog"
doc=$prefix/share/doc/kestrum-mod-tools
head -1 "$doc/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    || fail "the copyright file is not in the machine-readable format"
grep -qx 'License: Expat' "$doc/copyright" || fail "the copyright file does not give the MIT (Expat) licence"
# The package's version: the newest entry of the changelog, in Debian's format.
version=$(gzip -dc "$doc/changelog.gz" | sed -n '1s/^kestrum-mod-tools (\([0-9.]*\)) unstable; urgency=medium$/\1/p')
[ -n "$version" ] || fail "the changelog does not begin with an entry of the package"
for id in "${ids[@]}"; do
    [ -s "$prefix/share/applications/$id.desktop" ] || fail "$id.desktop is missing"
    grep -q '^Name\[zh_TW\]=' "$prefix/share/applications/$id.desktop" || fail "$id.desktop has no Traditional Chinese name"
    metainfo=$prefix/share/metainfo/$id.metainfo.xml
    grep -q '<project_license>MIT</project_license>' "$metainfo" || fail "$id.metainfo.xml names no licence"
    grep -q "<release version=\"$version\"" "$metainfo" || fail "$id.metainfo.xml lacks release $version"
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
for exec in 'animbox %F' 'animbox-classic %f' 'pakunpack %f'; do
    grep -qxF "Exec=$exec" "$prefix"/share/applications/*.desktop || fail "no entry starts $exec"
done
grep -qx 'MimeType=application/x-pak;' "$prefix/share/applications/org.kestrum.modtools.pakunpack.desktop" \
    || fail "pakunpack's entry does not open .pak files"
mkdir -p "$work/mime/packages"
cp "$prefix/share/mime/packages/kestrum-mod-tools.xml" "$work/mime/packages/"
quiet update-mime-database "$work/mime"
grep -q ':application/x-pak:\*\.pak$' "$work/mime/globs2" || fail "the MIME type does not claim *.pak"

echo "== --help and --version, without a display"
for program in animbox animbox-classic pakunpack; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" --version --lang en) \
        || fail "$program --version failed"
    [[ $out =~ ^$program\ [0-9.]+$'\n'"Package kestrum-mod-tools $version"$ ]] || fail "$program --version says: $out"
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" --help --lang zh) \
        || fail "$program --help failed"
    [[ $out == 用法* && $out == *--version* ]] || fail "$program --help says: $out"
done

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
grep -qx "dir=$demo/data/chars/hero"$'\r' "$settings" \
    || fail "animbox's first start does not open the installed demo"
for _ in $(seq 100); do
    [ -s "$(dirname "$settings")/recent.txt" ] && break
    sleep 0.2
done
grep -qxF "$demo/data/chars/hero/hero.txt" "$(dirname "$settings")/recent.txt" \
    || fail "animbox's first start does not open the demo's hero.txt"
grep -qxF "dir=$demo/data/chars/hero" "$XDG_CONFIG_HOME/Kestrum/Kestrum Frame Editor.conf" \
    || fail "animbox-classic's first start does not open the demo folder"
sleep 1
for pid in "${pids[@]}"; do
    kill -0 "$pid" 2>/dev/null || fail "a program ended at its start"
done
diff <(echo "$before") <(listing) || fail "running the programs wrote into the installed tree"
echo "installed tree checked"
