#!/usr/bin/env bash
# The desktop entry, the software catalogue data and the manual page pass their validators
# without a finding (the one hint allowed: the entry is both in Education and in Game,
# which a teaching game for children means to be).
# Usage: validate_desktop.sh <desktop entry> <metainfo file> <manual page>
set -euo pipefail
desktop=$1
metainfo=$2
manpage=$3
for tool in desktop-file-validate appstreamcli man; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is missing (scripts/deps installs desktop-file-utils and appstream)"
    exit 77
  fi
done
fail() { echo "FAIL: $*"; exit 1; }

findings=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $findings"
echo "desktop-file-validate: ${findings:-no findings}"
echo "$findings" | grep -v 'contains more than one main category' | grep -q . &&
  fail "desktop-file-validate: $findings"
grep -q '^Categories=.*Education;' "$desktop" && grep -q '^Categories=.*KidsGame;' "$desktop" ||
  fail "the entry is not in Education and KidsGame"

"$(dirname "$0")/appstream_findings.sh" validate "$metainfo" || fail "the catalogue data"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" || fail "no licence in the catalogue data"
# Suitable for young children: a rating of the current kind, every attribute "none".
grep -q '<content_rating type="oars-1.1">' "$metainfo" || fail "no content rating"
grep '<content_attribute ' "$metainfo" | grep -v '>none</content_attribute>' && fail "a content attribute is not none"

findings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$manpage" 2>&1 >/dev/null)
[ -z "$findings" ] || fail "man: $findings"
echo "man: no warnings"
