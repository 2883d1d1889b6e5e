#!/usr/bin/env bash
# Keeps the user documentation true to the program. Usage:
#   check_docs.sh pictures SOURCE TOOL   the manual's pictures are what the tool draws now
#   check_docs.sh readme SOURCE BUILD    every tool and host command in README.md runs as written
#   check_docs.sh panel SOURCE           the manual names every label of the panel and every
#                                        parameter as the host shows it
set -euo pipefail
case_=$1 source=$(cd "$2" && pwd)

fail() {
  echo "FAIL: $*"
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case $case_ in
pictures)
  "$source/scripts/make-docs-pictures" "$3" "$work"
  diff <(cd "$source/docs/img" && ls) <(cd "$work" && ls) ||
    fail "docs/img/ and the pictures script disagree on the files; run make docs"
  for f in "$work"/*.png; do
    cmp -s "$f" "$source/docs/img/${f##*/}" || fail "docs/img/${f##*/} is out of date; run make docs"
  done
  ;;
readme)
  # As after `make run`: the build under build/, the demo in out/.
  ln -s "$3" "$work/build"
  mkdir "$work/out"
  cd "$work"
  build/tools/skarvel render --demo out/demo.wav
  commands=$({ grep -oE '^ *build/(tools/skarvel|tests/host/vsthost) .*' "$source/README.md"
               grep -oE '`build/(tools/skarvel|tests/host/vsthost) [^`]*`' "$source/README.md"
             } | tr -d '`' || true)
  (($(wc -l <<<"$commands") >= 3)) || fail "the README shows fewer than three tool commands"
  while read -r command; do
    echo "\$ $command"
    bash -c "$command" >/dev/null || fail "'$command' failed"
  done <<<"$commands"
  ;;
panel)
  manual=$source/docs/manual.md
  labels=$(grep -oE '"[^"]*", (L::|false\}|true\})' "$source/skarvel/PanelLayout.h" |
           sed -E 's/^"([^"]*)".*/\1/' | grep -v '^$' | sort -u)
  (($(wc -l <<<"$labels") > 20)) || fail "found only $(wc -l <<<"$labels") panel labels"
  names=$(grep -oE '^  \{k[A-Za-z0-9]+, "[A-Za-z0-9]+", "[^"]+"' "$source/skarvel/SkarvelParameters.h" | sed -E 's/.*, "(.*)"/\1/')
  (($(wc -l <<<"$names") == 30)) || fail "found $(wc -l <<<"$names") parameters, not 30"
  while read -r text; do
    grep -qF -- "$text" "$manual" || fail "the manual never mentions '$text'"
  done <<<"$labels"$'\n'"$names"
  ;;
*)
  fail "unknown case $case_"
  ;;
esac
echo "passed: $case_"
