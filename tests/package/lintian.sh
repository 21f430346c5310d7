#!/usr/bin/env bash
# Debian's package checker finds no error and no warning in the package; its lesser
# findings (info, pedantic) are shown.
# Usage: lintian.sh <folder with the package>
set -euo pipefail
if ! command -v lintian >/dev/null; then
  echo "SKIP: lintian is missing (scripts/deps installs it)"
  exit 77
fi
debs=("$1"/zorvelli_*.deb)
[ -f "${debs[0]}" ] || { echo "SKIP: no package was built"; exit 77; }
rc=0
report=$(lintian --fail-on error,warning --pedantic --info --display-info "${debs[@]}" 2>&1) || rc=$?
# Root is what CI runs as; lintian only says it would rather not.
report=$(echo "$report" | grep -v '^running with root privileges is not recommended!$' || true)
echo "lintian: ${report:-no findings}"
[ "$rc" -eq 0 ] || { echo "FAIL: lintian found errors or warnings"; exit 1; }
