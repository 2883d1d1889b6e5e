#!/usr/bin/env bash
# A Windows plug-in DLL as a host meets it, read from the file without running it: a PE32 image
# for i386 (or a PE32+ image for x86-64) that exports exactly its format's entry points, imports only
# DLLs every Windows has (the C++ runtime, winpthread, libpng and zlib are inside it) and
# carries the editor's art as "PNG" resources under exactly the ids the layout loads.
# Usage: check_dll_image.sh OBJDUMP DLL PE32|PE32+ LAYOUT EXPORT...
#   LAYOUT  skarvel/PanelLayout.h, whose kBitmaps table lists the ids
#   EXPORT  every name the DLL exports (VSTPluginMain main; GetPluginFactory InitDll ExitDll;
#           clap_entry)
set -euo pipefail
objdump=$1 dll=$2 format=$3 layout=$4
shift 4
(($#)) || { echo "no exports named"; exit 2; }
wanted_exports=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
dump=$("$objdump" -p "$dll")

case $format in
  PE32) target=pei-i386 ;;
  PE32+) target=pei-x86-64 ;;
  *) echo "unknown format $format"; exit 2 ;;
esac
magic=$(awk '/^Magic/ {print $3}' <<<"$dump")
found=$(awk '/file format/ {print $NF; exit}' <<<"$dump")
if [[ "$magic" != "($format)" || "$found" != "$target" ]]; then
  echo "expected a $format image for $target, found $magic for $found"
  exit 1
fi
if ! awk '/^Characteristics/ {on=1; next} on && /^\t/ {if ($1 == "DLL") dll=1; next} {on=0} END {exit !dll}' <<<"$dump"; then
  echo "not a DLL image"
  exit 1
fi

exports=$(awk '/\[Ordinal\/Name Pointer\] Table/ {on=1; next} on && /^\t\[/ {print $3} on && !/^\t\[/ {on=0}' <<<"$dump" |
  sort | tr '\n' ' ')
if [[ "$exports" != "$wanted_exports" ]]; then
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

# objdump prints the resource tree indented by depth: types three spaces past the offset
# column, their entries five. A named entry would be a mistake in the resource script.
resources=$(awk '
  /^[0-9a-f]+   Entry: / { png = /: PNG, Value:/; next }
  png && /^[0-9a-f]+     Entry: ID: / { sub(/,$/, "", $4); print $4; next }
  png && /^[0-9a-f]+     Entry: / { print "named" }
' <<<"$dump" | while read -r id; do
  if [[ $id == 0x* ]]; then echo $((id)); else echo "$id"; fi
done | sort -n)
wanted=$(awk '/kBitmaps\[\] = \{/ {on=1; next} on && /^\};/ {exit}
              on && match($0, /\{[0-9]+,/) {print substr($0, RSTART + 1, RLENGTH - 2)}' "$layout" | sort -n)
if [[ -z $wanted ]]; then
  echo "no bitmap ids found in $layout"
  exit 1
fi
if [[ "$resources" != "$wanted" ]]; then
  echo "the PNG resources (<) are not the layout's bitmaps (>):"
  diff <(echo "$resources") <(echo "$wanted") || true
  status=1
fi
exit $status
