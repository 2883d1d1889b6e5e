#!/usr/bin/env bash
# The built LV2 bundle through Debian's own LV2 tools, as a user's host would meet it.
# Usage: check_lv2.sh CASE BUNDLE SKARVEL_TOOL
#   CASE    Validate, Info or Render
#   BUNDLE  the Skarvel.lv2 folder; the tools find it through its parent in LV2_PATH
# Exit 0 passed, 1 failed, 77 skipped (a tool is not installed).
set -euo pipefail
case_=$1 bundle=$(cd "$2" && pwd) tool=$3
lv2_dir=$(dirname "$bundle")
uri=urn:kernwave:skarvel

fail() {
  echo "FAIL: $*"
  exit 1
}

need() {
  for program in "$@"; do
    command -v "$program" >/dev/null || { echo "skipped: $program is not installed"; exit 77; }
  done
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A WAV file's 32-bit float samples, one frame of two channels a line: the chunks after the
# RIFF header are walked to "data", whatever else each writer puts before it.
samples() {
  local file=$1 at=12 id size
  while :; do
    id=$(dd if="$file" bs=1 skip=$at count=4 status=none)
    size=$(od -An -tu4 -j $((at + 4)) -N4 "$file" | tr -d ' ')
    [[ -n $size ]] || fail "$file has no data chunk"
    [[ $id == data ]] && break
    at=$((at + 8 + size + size % 2))
  done
  od -An -v -tf4 -w8 -j $((at + 8)) -N "$size" "$file"
}

case $case_ in
Validate)
  need lv2_validate sordi
  out=$(lv2_validate "$bundle"/*.ttl 2>&1) || fail "lv2_validate: $out"
  grep -v '^Skipping file' <<<"$out"
  grep -q '^Found 0 errors among' <<<"$out" || fail "lv2_validate found errors"
  ;;
Info)
  need lv2info
  out=$(LV2_PATH=$lv2_dir lv2info "$uri") || fail "lv2info does not find $uri"
  # Program 0 as a preset file: numbers, and the choice names of the selections.
  "$tool" preset save "$work/program0.kw" --preset 0
  awk -v presets="$work/presets" '
    FNR == NR {
      at = index($0, " = ")
      if (at) { v = substr($0, at + 3); sub(/;$/, "", v); program[substr($0, 1, at - 1)] = v }
      next
    }
    /^\tPresets:/ { listing = 1; next }
    listing && /^\t         / { sub(/^\t +/, ""); print > presets; next }
    { listing = 0 }
    /^\tPort [0-9]+:/ { port = $2 + 0; ports++ }
    /^\t\tSymbol:/ { symbol[port] = $2 }
    /^\t\tMinimum:/ { minimum[port] = $2 }
    /^\t\tMaximum:/ { maximum[port] = $2 }
    /^\t\tDefault:/ { value[port] = $2; controls++ }
    /^\t\t\t[-0-9.e]+ = "/ { label = $0; sub(/^[^"]*"/, "", label); sub(/"$/, "", label); point[port, label] = $1 }
    function off(a, b) { return a - b > 5e-7 || b - a > 5e-7 }
    END {
      if (ports != 35) { print "ports: " ports ", not 35"; bad = 1 }
      if (symbol[34] != "latency") { print "port 34 is " symbol[34] ", not the latency"; bad = 1 }
      if (controls != 30) { print "control ports: " controls ", not 30"; bad = 1 }
      for (p = 4; p < 34; p++) {
        s = symbol[p]
        if (!(s in program)) { print "port " p " (" s ") is no parameter of program 0"; bad = 1; continue }
        if (minimum[p] != "0.000000" || maximum[p] != "1.000000") { print s ": range " minimum[p] " to " maximum[p]; bad = 1 }
        want = program[s]
        if (want !~ /^[-0-9.e]+$/) {
          if (!((p, want) in point)) { print s ": no scale point \"" want "\""; bad = 1; continue }
          want = point[p, want]
        }
        if (off(value[p], want)) { print s ": default " value[p] ", program 0 has " want; bad = 1 }
      }
      exit bad
    }' "$work/program0.kw" - <<<"$out" || fail "the ports are not as program 0 defines them"
  diff <(sort "$work/presets") <("$tool" presets | sed -E 's/^ *[0-9]+  //' | sort) ||
    fail "the presets are not the 56 factory programs"
  (($(wc -l <"$work/presets") == 56)) || fail "$(wc -l <"$work/presets") presets, not 56"
  ;;
Render)
  need lv2file sox
  sox -n -r 44100 -c 2 -b 32 -e floating-point "$work/in.wav" synth 3 sine 110-1760 sine 331 vol 0.8
  LV2_PATH=$lv2_dir lv2file --ignore-clipping -i "$work/in.wav" -o "$work/lv2.wav" \
    -P "Tube Drive" -p FilterCutoff:0.25 "$uri" || fail "lv2file did not render"
  "$tool" render "$work/in.wav" "$work/tool.wav" --preset "Tube Drive" --set FilterCutoff=0.25
  paste <(samples "$work/lv2.wav") <(samples "$work/tool.wav") | awk '
    { n++; for (i = 1; i <= 2; i++) { d = $i - $(i + 2); if (d < 0) d = -d; if (d > worst) worst = d } }
    END { printf "%d frames, largest difference %g\n", n, worst; exit !(n == 132300 && worst <= 1e-6) }' ||
    fail "lv2file and the tool render differently"
  ;;
*)
  fail "unknown case $case_"
  ;;
esac
