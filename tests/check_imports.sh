#!/usr/bin/env bash
# check_imports.sh EXE: zentavo.exe may import only what every Windows has: KERNEL32, the C
# runtime msvcrt or the UCRT's api-ms-win-* sets. A missing objdump skips (exit 77), but in CI.
set -u
exe=$1
objdump=x86_64-w64-mingw32-objdump
if ! command -v "$objdump" >/dev/null || [ ! -f "$exe" ]; then
  echo "$objdump or $exe is missing: the import check is skipped"
  [ "${CI:-}" = true ] && exit 1
  exit 77
fi
dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$dlls" ] || { echo "no imports found in $exe"; exit 1; }
status=0
while read -r dll; do
  case ${dll,,} in
  kernel32.dll | msvcrt.dll | api-ms-win-*.dll) echo "ok: $dll" ;;
  *) echo "not a system DLL: $dll"; status=1 ;;
  esac
done <<<"$dlls"
exit $status
