#!/usr/bin/env bash
# Builds the Debian package from the build folder into the output folder, afresh, so that
# the tests after it never look at an old one.
# Usage: build_package.sh <build folder> <output folder>
set -euo pipefail
build=$1
out=$2
for tool in dpkg-deb dpkg-shlibdeps cpack; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is missing (scripts/deps installs dpkg-dev), so no package is built"
    exit 77
  fi
done
rm -rf "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out"
ls "$out"/zorvelli_*.deb
