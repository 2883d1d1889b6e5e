#!/usr/bin/env bash
# Checks the release bundle the way a user meets it: unpacked from the archives, outside the
# build tree. Usage: check_bundle.sh CASE DIST VERSION [VSTHOST SOURCE]
#   DIST     the folder make-dist wrote into
#   VSTHOST  the Linux test host, beside the VST3 and CLAP test suites of its build
#   SOURCE   the checkout (for the Windows builds' hosts and suites, and Wine)
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

# A build's VST3 or CLAP suite, its scan and state cases only (FILTER), run on the bundle's
# module (named by VARIABLE=PATH) instead of the build's own: it must load, announce itself
# and keep its state. At least one case must have run.
# Usage: suite_case FILTER VARIABLE=PATH PROGRAM...
suite_case() {
  local filter=$1 assignment=$2 out status=0
  shift 2
  out=$(env "$assignment" "$@" --gtest_filter="$filter" 2>&1) || status=$?
  out=${out//$'\r'/}
  ((status != 77)) || { echo "$out" | tail -3; exit 77; }
  grep -E '^\[ +(OK|FAILED) +\]|^\[  PASSED  \]' <<<"$out" || true
  ((status == 0)) || fail "the suite failed on ${assignment#*=}"
  grep -qE '^\[  PASSED  \] [1-9][0-9]* test' <<<"$out" || fail "no case ran on ${assignment#*=}"
}
vst3_filter='VST3Plugin.Factory*:VST3BesideVST2.StateIsTheVST2ProgramChunk*'
clap_filter='ClapScan.*:ClapState.SavedState*'

# The Windows builds' suites on the bundle's Windows modules, under Wine.
windows_suite_case() {
  local build=$source/$1 kind=$2 module=$bundle/$3 filter suite assignment
  [[ -f $module ]] || { echo "skipped: the bundle has no $3 (make windows builds it)"; exit 77; }
  case $kind in
    vst3) filter=$vst3_filter suite=$build/tests/host/test_vst3host.exe assignment=SKARVEL_VST3=$bundle/vst3/Skarvel.vst3 ;;
    clap) filter=$clap_filter suite=$build/tests/host/test_host.exe assignment=SKARVEL_CLAP_PLUGIN=$module ;;
  esac
  [[ -f $suite ]] || { echo "skipped: no Windows test suite at $suite"; exit 77; }
  suite_case "$filter" "$assignment" "$source/scripts/wine-run" "$suite"
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
           linux/lv2/Skarvel.lv2/Skarvel.so linux/lv2/Skarvel.lv2/manifest.ttl linux/clap/Skarvel.clap \
           vst3/Skarvel.vst3/Contents/x86_64-linux/Skarvel.so; do
    [[ -f $bundle/$f ]] || fail "the bundle lacks $f"
  done
  for tree in zip tar; do
    for f in linux/Skarvel.so linux/skarvel linux/lv2/Skarvel.lv2/Skarvel.so linux/clap/Skarvel.clap \
             vst3/Skarvel.vst3/Contents/x86_64-linux/Skarvel.so; do
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
LinuxVST3)
  suite_case "$vst3_filter" "SKARVEL_VST3=$bundle/vst3/Skarvel.vst3" "$(dirname "$vsthost")/test_vst3host"
  ;;
LinuxCLAP)
  suite_case "$clap_filter" "SKARVEL_CLAP_PLUGIN=$bundle/linux/clap/Skarvel.clap" "$(dirname "$vsthost")/test_host"
  ;;
Windows32)
  windows_case Skarvel.dll build-win-i686
  ;;
Windows64)
  windows_case Skarvel-x64.dll build-win-x86_64
  ;;
WindowsVST3_32)
  windows_suite_case build-win-i686 vst3 vst3/Skarvel.vst3/Contents/x86-win/Skarvel.vst3
  ;;
WindowsVST3_64)
  windows_suite_case build-win-x86_64 vst3 vst3/Skarvel.vst3/Contents/x86_64-win/Skarvel.vst3
  ;;
WindowsCLAP32)
  windows_suite_case build-win-i686 clap windows/clap/x86/Skarvel.clap
  ;;
WindowsCLAP64)
  windows_suite_case build-win-x86_64 clap windows/clap/x64/Skarvel.clap
  ;;
WindowsImages)
  # Every Windows module of the bundle, read as a file (so the 32-bit ones too, where they
  # cannot run): the right image, its format's entry points only, system imports, the art.
  found=0
  while read -r module format exports; do
    [[ -f $bundle/$module ]] || continue
    found=$((found + 1))
    objdump=i686-w64-mingw32-objdump
    [[ $format == PE32+ ]] && objdump=x86_64-w64-mingw32-objdump
    # shellcheck disable=SC2086 # the exports are separate words
    "$source/tests/host/check_dll_image.sh" "$objdump" "$bundle/$module" "$format" \
      "$source/skarvel/PanelLayout.h" $exports || fail "$module"
  done <<'MODULES'
windows/Skarvel.dll PE32 VSTPluginMain main
windows/Skarvel-x64.dll PE32+ VSTPluginMain main
vst3/Skarvel.vst3/Contents/x86-win/Skarvel.vst3 PE32 GetPluginFactory InitDll ExitDll
vst3/Skarvel.vst3/Contents/x86_64-win/Skarvel.vst3 PE32+ GetPluginFactory InitDll ExitDll
windows/clap/x86/Skarvel.clap PE32 clap_entry
windows/clap/x64/Skarvel.clap PE32+ clap_entry
MODULES
  ((found)) || { echo "skipped: the bundle has no Windows modules (make windows builds them)"; exit 77; }
  echo "$found Windows modules checked"
  ;;
*)
  fail "unknown case $case_"
  ;;
esac
echo "passed: $case_"
