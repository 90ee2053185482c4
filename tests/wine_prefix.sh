#!/usr/bin/env bash
# wine_prefix.sh setup|cleanup PREFIX: makes a fresh Wine prefix for one test run, or removes it.
# Without Wine the setup is skipped (exit 77), except in CI, where it fails.
set -u
action=$1 prefix=$2
export WINEPREFIX=$prefix WINEDEBUG=-all
case $action in
setup)
  if ! command -v wine >/dev/null || ! command -v wineboot >/dev/null; then
    echo "wine is missing (Debian package wine64): the Windows tests are skipped"
    [ "${CI:-}" = true ] && exit 1
    exit 77
  fi
  rm -rf "$prefix"
  wineboot -i >/dev/null 2>&1 || { echo "wineboot failed for $prefix"; exit 1; }
  wineserver -w
  ;;
cleanup)
  command -v wineserver >/dev/null && wineserver -k 2>/dev/null
  rm -rf "$prefix"
  ;;
esac
