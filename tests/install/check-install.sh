#!/bin/bash
# Installs a build into a temporary DESTDIR, as a package build does, and
# checks the installed tree.
#
# usage: check-install.sh <build folder> <unpack_from_tree helper>
set -euo pipefail
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$1" --prefix /usr >/dev/null
"$(dirname "$0")/check-tree.sh" "$root/usr" "$2"
