#!/usr/bin/env bash
# The package as Debian's tools see it: lintian finds no error and no warning in the source
# package, the binary packages and the .changes (its lesser findings are shown), and the
# unpacked files pass AppStream's check as a whole (the catalogue data names a desktop entry
# and an icon that the package really has).
# Usage: check_package.sh <folder with the package>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for tool in lintian appstreamcli dpkg-deb; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is missing (scripts/deps installs lintian, appstream and dpkg-dev)"
    exit 77
  fi
done
debs=("$1"/zorvelli_*.deb)
[ -f "${debs[0]}" ] || { echo "SKIP: no package was built"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }

rc=0
report=$(lintian --fail-on error,warning --pedantic --info --display-info "$1"/zorvelli_*.changes "$1"/zorvelli_*.dsc 2>&1) || rc=$?
# Root is what CI runs as; lintian only says it would rather not.
report=$(echo "$report" | grep -v '^running with root privileges is not recommended!$' || true)
echo "lintian: ${report:-no findings}"
[ "$rc" -eq 0 ] || fail "lintian found errors or warnings"

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "${debs[0]}" "$tree"
"$here/appstream_findings.sh" validate-tree "$tree"
