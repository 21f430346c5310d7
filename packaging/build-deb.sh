#!/usr/bin/env bash
# Builds the Debian package with dpkg-buildpackage from a source tree, writing only into the
# output folder: the sources are copied to <output>/zorvelli-<version>/ and built there (the
# tree itself stays untouched), with a home and a temporary folder of the build's own, so
# that the source package (.dsc), the .deb, .buildinfo and .changes land in <output>/.
# Earlier results there are removed first. A missing build dependency stops it before
# anything is built. DEB_BUILD_OPTIONS is honoured (parallel=<number of cores> by default).
# Usage: build-deb.sh <source tree> <output folder>
set -euo pipefail
fail() { echo "build-deb: $*" >&2; exit 1; }
for tool in dpkg-buildpackage dpkg-checkbuilddeps dpkg-parsechangelog dpkg-source; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/deps installs it)"
done
src=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)

dpkg-checkbuilddeps "$src/debian/control" || fail "install the missing build dependencies first (scripts/deps does)"

version=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Version)
tree=$out/zorvelli-$version
rm -rf "$tree" "$out/home" "$out/tmp" "$out"/zorvelli_* "$out"/zorvelli-dbgsym_*
mkdir -p "$tree" "$out/home" "$out/tmp"

# The sources: in a git checkout its tracked files and new ones it does not ignore (the build
# folders it does), as they are now; elsewhere (an unpacked tarball) everything but the build
# folders.
if [ "$(git -C "$src" rev-parse --show-toplevel 2>/dev/null)" = "$src" ]; then
  (cd "$src" && git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    tar --null -T - -cf -) | tar -C "$tree" -xf -
else
  tar -C "$src" --exclude=./.git --exclude=./build --exclude='./build-*' \
    --exclude="./${out#"$src"/}" -cf - . | tar -C "$tree" -xf -
fi

case " ${DEB_BUILD_OPTIONS:-} " in
  *" parallel="*) ;;
  *) export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:+$DEB_BUILD_OPTIONS }parallel=$(nproc)" ;;
esac
export HOME=$out/home TMPDIR=$out/tmp
unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME
# The source package first, while the copy is still clean; then the binary package.
(cd "$out" && dpkg-source --build "$tree")
(cd "$tree" && dpkg-buildpackage -us -uc -b)

written=$(find "$HOME" -mindepth 1)
[ -z "$written" ] || fail "the build wrote into its home: $written"
rm -rf "$tree" "$HOME" "$TMPDIR"
ls "$out"/zorvelli_"$version"_*.deb
