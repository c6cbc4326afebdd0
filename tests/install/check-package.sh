#!/bin/bash
# Checks the Debian package: lintian's verdict, its name, version and
# relations, programs built hardened and without the sanitizers, and its
# contents as an installed tree.
#
# usage: check-package.sh <kestrum-mod-tools_*.deb> <unpack_from_tree helper>
source "$(dirname "$0")/common.sh"
deb=$1
root=$work/root

echo "== lintian"
# Errors and warnings fail; information tags are listed.
lintian --fail-on error,warning --display-info --tag-display-limit 0 "$deb" || fail "lintian found errors or warnings"

[ "$(dpkg-deb -f "$deb" Package)" = kestrum-mod-tools ] || fail "the package has another name"
depends=$(dpkg-deb -f "$deb" Depends)
# The package names of Depends, one a line, without their versions.
names=$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')
for library in libc6 libstdc++6 libgif7 libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -qxF "$library" <<<"$names" || fail "Depends lacks $library: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
for package in fonts-noto-cjk xdg-utils; do
    [[ $recommends == *$package* ]] || fail "$package is not recommended"
done

dpkg-deb -x "$deb" "$root"
[ "$(ls "$root")" = usr ] || fail "the package installs outside /usr: $(ls "$root")"
version=$(gzip -dc "$root/usr/share/doc/kestrum-mod-tools/changelog.gz" | sed -n '1s/^[^ ]* (\(.*\)).*/\1/p')
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not the changelog's $version"

echo "== hardening"
for program in "$root"/usr/bin/animbox "$root"/usr/bin/animbox-classic "$root"/usr/bin/pakunpack \
               "$root"/usr/libexec/kestrum/kespak; do
    name=$(basename "$program")
    ! grep -q __asan_init "$program" || fail "$name is built with the sanitizers"
    readelf -hW "$program" | grep -q 'Type: *DYN' || fail "$name is not a position-independent executable"
    readelf -lW "$program" | grep -q GNU_RELRO || fail "$name has no RELRO"
    readelf -dW "$program" | grep -Eq 'BIND_NOW|FLAGS.*\bNOW\b' || fail "$name does not bind immediately (-z now)"
    symbols=$(readelf --dyn-syms -W "$program")
    grep -q '__stack_chk_fail' <<<"$symbols" || fail "$name has no stack protector"
    grep -Eq '__[a-z_]+_chk@' <<<"$symbols" || fail "$name uses no fortified function (_FORTIFY_SOURCE)"
done
"$(dirname "$0")/check-tree.sh" "$root/usr"
"$(dirname "$0")/check-unpack.sh" "$root/usr" "$2"
echo "package checked: $deb"
