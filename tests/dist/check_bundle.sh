#!/usr/bin/env bash
# Checks the release bundle the way a user meets it: unpacked from the archives, outside the
# build tree. Usage: check_bundle.sh CASE DIST VERSION [VSTHOST SOURCE]
#   DIST     the folder make-dist wrote into
#   VSTHOST  the Linux test host; SOURCE the checkout (for the Windows hosts and Wine)
# Exit 0 passed, 1 failed, 77 skipped.
set -euo pipefail
case_=$1 dist=$2 version=$3 vsthost=${4:-} source=${5:-}
name=Skarvel-$version
bundle=$dist/unpacked/zip/$name

fail() {
  echo "FAIL: $*"
  exit 1
}

# What a host learns from the module, as the test host prints it. A runner that cannot start
# the host on this machine ends with 77 and says why: the case is skipped.
# The host's report is shown from a here-string: `echo | head` would fail the script (pipefail)
# whenever head exits before echo has written its last line.
check_module() {
  local out status=0
  out=$("$@") || status=$?
  out=${out//$'\r'/}  # a Windows host ends its lines with CR LF
  if ((status == 77)); then
    echo "$out"
    exit 77
  fi
  ((status == 0)) || fail "the host could not load or run ${*: -1}"
  head -9 <<<"$out"
  for want in 'name: Skarvel 1.3 Free' 'vendor: Kernwave' 'unique id: 0x76673263' \
              'version: 10303' 'inputs: 2' 'outputs: 2' 'parameters: 30' 'programs: 56'; do
    grep -qxF -- "$want" <<<"$out" || fail "missing '$want'"
  done
  awk '/^output peak:/ { found = 1; if ($3 + 0 <= 0) exit 1 } END { exit !found }' <<<"$out" ||
    fail "no sound came out"
}

windows_case() {
  local dll=$bundle/windows/$1 host=$source/$2/tests/host/vsthost.exe
  [[ -f $dll ]] || { echo "skipped: the bundle has no $1 (make windows builds it)"; exit 77; }
  [[ -f $host ]] || { echo "skipped: no Windows test host at $host"; exit 77; }
  check_module "$source/scripts/wine-run" "$host" "$dll"
}

case $case_ in
unpack)
  # Both archives hold the same files; the outer checksums match the archives.
  (cd "$dist" && sha256sum -c SHA256SUMS) || fail "archive checksums"
  rm -rf "$dist/unpacked"
  mkdir -p "$dist/unpacked/zip" "$dist/unpacked/tar"
  unzip -q "$dist/$name.zip" -d "$dist/unpacked/zip"
  tar -xzf "$dist/$name.tar.gz" -C "$dist/unpacked/tar"
  diff -r "$dist/unpacked/zip" "$dist/unpacked/tar" || fail "the zip and the tar.gz differ"
  for f in INSTALL.txt SHA256SUMS docs/manual.md linux/Skarvel.so linux/skarvel \
           linux/lv2/Skarvel.lv2/Skarvel.so linux/lv2/Skarvel.lv2/manifest.ttl \
           linux/vst3/Skarvel.vst3/Contents/x86_64-linux/Skarvel.so; do
    [[ -f $bundle/$f ]] || fail "the bundle lacks $f"
  done
  for tree in zip tar; do
    for f in linux/Skarvel.so linux/skarvel linux/lv2/Skarvel.lv2/Skarvel.so \
             linux/vst3/Skarvel.vst3/Contents/x86_64-linux/Skarvel.so; do
      [[ -x $dist/unpacked/$tree/$name/$f ]] || fail "$f is not executable in the $tree archive"
    done
  done
  ;;
Checksums)
  cd "$bundle"
  sha256sum -c --quiet SHA256SUMS || fail "a file does not match SHA256SUMS"
  diff <(find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort) \
       <(sed 's/^[0-9a-f]*  //' SHA256SUMS) || fail "SHA256SUMS does not list every file"
  ;;
Presets)
  # Each program's file names it and reads back to the program's settings.
  tool=$bundle/linux/skarvel
  count=0
  while read -r index program; do
    file=$(printf '%s/presets/%02d %s.kw' "$bundle" $((index + 1)) "${program//\//-}")
    [[ -f $file ]] || fail "no preset file for program $index '$program'"
    (($(wc -l <"$file") == 31)) || fail "$file does not have 31 lines"
    [[ $(head -1 "$file") == "Name = $program;" ]] || fail "$file does not name '$program'"
    diff <("$tool" params --preset "$index") <("$tool" params --preset-file "$file") ||
      fail "$file does not load as program $index"
    count=$((count + 1))
  done < <("$tool" presets)
  ((count == 56)) || fail "$count programs, not 56"
  (($(find "$bundle/presets" -type f | wc -l) == 56)) || fail "presets/ holds other files"
  ;;
LinuxPlugin)
  check_module "$vsthost" "$bundle/linux/Skarvel.so"
  ;;
LinuxLV2)
  # An LV2 host finds the bundle where it was unpacked, with its programs, and it makes sound.
  command -v lv2info >/dev/null && command -v lv2file >/dev/null ||
    { echo "skipped: lilv-utils or lv2file not installed"; exit 77; }
  export LV2_PATH=$bundle/linux/lv2
  info=$(lv2info urn:kernwave:skarvel) || fail "lv2info does not find the plug-in"
  grep -q "Bundle: *file://$bundle/linux/lv2/Skarvel.lv2/" <<<"$info" || fail "lv2info reads another bundle"
  presets=$(sed -n '/Presets:/,/Port 0:/p' <<<"$info" | sed '1d;$d' | grep -c '[^[:space:]]')
  ((presets == 56)) || fail "$presets presets, not 56"
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  sox -n -r 44100 -c 2 -b 32 -e floating-point "$work/in.wav" synth 0.5 sine 220 gain -6
  lv2file --ignore-clipping -i "$work/in.wav" -o "$work/out.wav" -P "Tube Drive" urn:kernwave:skarvel >/dev/null ||
    fail "lv2file could not run the plug-in"
  peak=$(sox "$work/out.wav" -n stat 2>&1 | awk '/^Maximum amplitude/ { print $3 }')
  awk -v p="$peak" 'BEGIN { exit !(p > 0.1) }' || fail "no sound came out ($peak)"
  ;;
Tool)
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  [[ $("$bundle/linux/skarvel" --help) == *"skarvel render"* ]] || fail "--help"
  "$bundle/linux/skarvel" render --demo "$work/demo.wav" --preset "Tube Drive" || fail "render"
  [[ $(head -c 4 "$work/demo.wav") == RIFF ]] || fail "render wrote no WAV file"
  ;;
Manual)
  # Every picture the manual shows is in the bundle, and the bundle has no others.
  cd "$bundle/docs"
  shown=$(grep -oE '\]\([^)]*\.png\)|src="[^"]*\.png"' manual.md |
          sed -E 's/^\]\((.*)\)$/\1/; s/^src="(.*)"$/\1/' | LC_ALL=C sort -u)
  [[ -n $shown ]] || fail "the manual shows no pictures"
  while read -r picture; do
    [[ -s $picture ]] || fail "the manual shows $picture, which the bundle lacks"
  done <<<"$shown"
  diff <(echo "$shown") <(find . -name '*.png' | sed 's|^\./||' | LC_ALL=C sort) ||
    fail "the bundle's pictures are not the manual's"
  ;;
Windows32)
  windows_case Skarvel.dll build-win-i686
  ;;
Windows64)
  windows_case Skarvel-x64.dll build-win-x86_64
  ;;
*)
  fail "unknown case $case_"
  ;;
esac
echo "passed: $case_"
