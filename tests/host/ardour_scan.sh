#!/usr/bin/env bash
# Ardour's plug-in scanners load the plug-in in their own process and write a cache entry
# with what they read. Their exit code is 0 whether or not loading worked, so the output is
# checked.
# Usage: ardour_scan.sh MODULE VSTHOST   a VST2 module, with the test host that reads its flags
#        ardour_scan.sh BUNDLE.vst3      a VST3 bundle
# Exit 77 (skipped) when Ardour is not installed.
set -euo pipefail
plugin="$1"
if [[ "$plugin" == *.vst3 ]]; then
  scanner=/usr/lib/ardour7/ardour-vst3-scanner
  cache='*.v3i'
  wanted=('Found Plugin: Skarvel 1.3 Free' 'name="Skarvel 1.3 Free"' 'vendor="Kernwave"'
          'category="Fx|Distortion"' 'n_inputs="2"' 'n_outputs="2"')
else
  scanner=/usr/lib/ardour7/ardour-vst-scanner
  cache='*.v2i'
  # The editor flag the scanner reports must be the one the module announces.
  flags=$("$2" "$plugin" | awk '/^flags:/ {print $2}')
  wanted=('Found Plugin:' 'name="Skarvel 1.3 Free"' 'creator="Kernwave"' 'category="Effect"'
          'n_inputs="2"' 'n_outputs="2"' 'can_process_replace="1"' "has_editor=\"$(( flags & 1 ))\"")
fi
[[ -x "$scanner" ]] || { echo "$(basename "$scanner") not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=$(XDG_CACHE_HOME="$work" HOME="$work" LD_LIBRARY_PATH=/usr/lib/ardour7 \
      "$scanner" -f -v "$plugin" 2>&1)
echo "$out"

status=0
for want in "${wanted[@]}"; do
  grep -qF -- "$want" <<<"$out" || { echo "missing: $want"; status=1; }
done
if grep -qiE '\[(error|warning)\]' <<<"$out"; then echo "the scanner reported a problem"; status=1; fi
ls "$work"/ardour7/vst/$cache >/dev/null 2>&1 || { echo "no cache entry written"; status=1; }
exit $status
