#!/usr/bin/env bash
# The plug-in module exports exactly its entry points and links only system libraries:
# the C++ runtime is inside it, so a host's own runtime cannot clash with it.
# Usage: check_module_exports.sh MODULE [ENTRY...]; the VST2 module's two entry points by default.
set -euo pipefail
module="$1"
shift
wanted=$(printf '%s\n' "${@:-VSTPluginMain main}" | tr ' ' '\n' | sort | tr '\n' ' ')

exports=$(nm -D --defined-only "$module" | awk '{print $3}' | sort | tr '\n' ' ')
if [[ "$exports" != "$wanted" ]]; then
  echo "unexpected exports: $exports"
  exit 1
fi

status=0
while read -r lib _; do
  case "$lib" in
    linux-vdso.so.*|libc.so.*|libm.so.*|ld-linux*.so.*|/lib64/ld-linux*.so.*) ;;
    libpng16.so.*|libz.so.*|libX11.so.*|libxcb.so.*|libXau.so.*|libXdmcp.so.*|libbsd.so.*|libmd.so.*) ;;
    libfreetype.so.*|libfontconfig.so.*|libexpat.so.*|libbrotli*.so.*|libbz2.so.*) ;;
    *) echo "not a system library: $lib"; status=1 ;;
  esac
done < <(ldd "$module")
# Not `ldd | grep -q`: under pipefail an early grep would turn a found match into a failure.
[[ $(ldd "$module") != *libstdc++* ]] || { echo "libstdc++ linked dynamically"; status=1; }
exit $status
