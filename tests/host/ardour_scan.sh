#!/usr/bin/env bash
# Ardour's plug-in scanner loads the module in its own process and writes a cache entry with
# what it read. Its exit code is 0 whether or not loading worked, so the output is checked.
# Usage: ardour_scan.sh MODULE VSTHOST. Exit 77 (skipped) when Ardour is not installed.
set -euo pipefail
module="$1"
vsthost="$2"
scanner=/usr/lib/ardour7/ardour-vst-scanner
[[ -x "$scanner" ]] || { echo "ardour-vst-scanner not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=$(XDG_CACHE_HOME="$work" HOME="$work" LD_LIBRARY_PATH=/usr/lib/ardour7 \
      "$scanner" -f -v "$module" 2>&1)
echo "$out"

# The editor flag the scanner reports must be the one the module announces.
flags=$("$vsthost" "$module" | awk '/^flags:/ {print $2}')
editor=$(( flags & 1 ))

status=0
for want in 'Found Plugin:' 'name="Skarvel 1.3 Free"' 'creator="Kernwave"' \
            'category="Effect"' 'n_inputs="2"' 'n_outputs="2"' 'can_process_replace="1"' \
            "has_editor=\"$editor\""; do
  grep -qF -- "$want" <<<"$out" || { echo "missing: $want"; status=1; }
done
ls "$work"/ardour7/vst/*.v2i >/dev/null 2>&1 || { echo "no cache entry written"; status=1; }
exit $status
