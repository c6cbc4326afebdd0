#!/bin/bash
# Checks the Debian package: its name and relations, programs built without
# the sanitizers, and its contents as an installed tree.
#
# usage: check-package.sh <kestrum-mod-tools_*.deb> <unpack_from_tree helper>
source "$(dirname "$0")/common.sh"
deb=$1
root=$work/root

[ "$(dpkg-deb -f "$deb" Package)" = kestrum-mod-tools ] || fail "the package has another name"
depends=$(dpkg-deb -f "$deb" Depends)
# The package names of Depends, one a line, without their versions.
names=$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')
for library in libc6 libstdc++6 libgif7 libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -qxF "$library" <<<"$names" || fail "Depends lacks $library: $depends"
done
[[ $(dpkg-deb -f "$deb" Recommends) == *fonts-noto-cjk* ]] || fail "the CJK font is not recommended"

dpkg-deb -x "$deb" "$root"
[ "$(ls "$root")" = usr ] || fail "the package installs outside /usr: $(ls "$root")"
for program in "$root"/usr/bin/animbox "$root"/usr/bin/animbox-classic "$root"/usr/bin/pakunpack \
               "$root"/usr/libexec/kestrum/kespak; do
    ! grep -q __asan_init "$program" || fail "$program is built with the sanitizers"
done
"$(dirname "$0")/check-tree.sh" "$root/usr"
"$(dirname "$0")/check-unpack.sh" "$root/usr" "$2"
echo "package checked: $deb"
