#!/usr/bin/env bash
# Builds the Debian package as scripts/package does (packaging/build-deb.sh), afresh, so that
# the tests after it never look at an old one. First a build that lacks a build dependency
# must stop at once, saying which, with nothing built.
# Usage: build_package.sh <source tree> <output folder>
set -euo pipefail
src=$(cd "$1" && pwd)
out=$2
for tool in dpkg-buildpackage dpkg-checkbuilddeps dh; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is missing (scripts/deps installs build-essential and debhelper), so no package is built"
    exit 77
  fi
done
fail() { echo "FAIL: $*"; exit 1; }

# The sources with one more build dependency, which no machine has.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$src/debian" "$scratch/"
sed -i 's/^Build-Depends: /&zorvelli-missing-build-dependency, /' "$scratch/debian/control"
if report=$("$src/packaging/build-deb.sh" "$scratch" "$scratch/out" 2>&1); then
  fail "a build without a build dependency went on: $report"
fi
echo "$report" | grep -q 'Unmet build dependencies: zorvelli-missing-build-dependency' ||
  fail "the missing build dependency is not named: $report"
made=$(find "$scratch/out" -mindepth 1)
[ -z "$made" ] || fail "a build without a build dependency left: $made"
echo "missing build dependency: stopped at once: $(echo "$report" | head -1)"

"$src/packaging/build-deb.sh" "$src" "$out"
