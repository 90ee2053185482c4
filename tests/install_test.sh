#!/usr/bin/env bash
# install_test.sh BUILD_DIR EXPECTED_DIR: installs the build into a temporary prefix and checks
# that the installed tree holds the README and a zentavo that does its whole job.
set -euo pipefail
build=$1 expected=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
test -x "$prefix/bin/zentavo" || { echo "no bin/zentavo in the installed tree"; exit 1; }
test -f "$prefix/share/doc/zentavo/README.md" || { echo "no README in the doc folder"; exit 1; }

mkdir "$prefix/run"
cd "$prefix/run"
"$prefix/bin/zentavo" clip.mp4 >output
cmp clip.xml "$expected/clip.xml"
cmp clip.htm "$expected/clip.htm"
tail -n 1 output | grep -qx 'HTML File clip.htm has been Created.'
echo "installed zentavo works"
