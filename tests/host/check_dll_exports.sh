#!/usr/bin/env bash
# The Windows DLL is a PE32 (32-bit) or PE32+ (64-bit) image that exports exactly its two
# entry points and imports only DLLs every Windows has: the C++ runtime, winpthread, libpng
# and zlib are inside it.
# Usage: check_dll_exports.sh OBJDUMP DLL PE32|PE32+
set -euo pipefail
objdump=$1 dll=$2 format=$3
dump=$("$objdump" -p "$dll")

magic=$(awk '/^Magic/ {print $3}' <<<"$dump")
if [[ "$magic" != "($format)" ]]; then
  echo "expected a $format image, found $magic"
  exit 1
fi
if ! awk '/^Characteristics/ {on=1; next} on && /^\t/ {if ($1 == "DLL") dll=1; next} {on=0} END {exit !dll}' <<<"$dump"; then
  echo "not a DLL image"
  exit 1
fi

exports=$(awk '/\[Ordinal\/Name Pointer\] Table/ {on=1; next} on && /^\t\[/ {print $3} on && !/^\t\[/ {on=0}' <<<"$dump" |
  sort | tr '\n' ' ')
if [[ "$exports" != "VSTPluginMain main " ]]; then
  echo "unexpected exports: $exports"
  exit 1
fi

status=0
while read -r lib; do
  case "${lib,,}" in
    kernel32.dll|user32.dll|gdi32.dll|comdlg32.dll|shell32.dll|wininet.dll|advapi32.dll) ;;
    msvcrt.dll|ucrtbase.dll|api-ms-win-crt-*.dll) ;;
    *) echo "not a Windows system DLL: $lib"; status=1 ;;
  esac
done < <(awk '/DLL Name:/ {print $3}' <<<"$dump")
exit $status
