#!/bin/bash
# Installs a build below /usr in a temporary DESTDIR, as a package build
# does, and runs a check of the installed tree on it.
#
# usage: check-install.sh <build folder> <check script> [its further arguments]
set -euo pipefail
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$1" --prefix /usr >/dev/null
"$2" "$root/usr" "${@:3}"
