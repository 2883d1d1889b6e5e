#!/usr/bin/env bash
# Runs the end-to-end suite under valgrind; any invalid access inside the module fails it.
# Leaks are not counted: the C++ runtime linked into the module allocates its emergency
# exception pool at every load and never frees it, which no code of ours can change.
# Exit 77 (skipped) when valgrind is not installed.
set -euo pipefail
command -v valgrind >/dev/null || { echo "valgrind not installed"; exit 77; }
exec valgrind -q --error-exitcode=1 --leak-check=no "$@"
