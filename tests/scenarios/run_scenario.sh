#!/usr/bin/env bash
# Runs one scenario: a folder with `script` (what the user does) and `expected` (what the
# runner prints), and optionally `args` (runner options such as --dpi 120), the files the
# program finds at start (`coaxtype.tbl`, `Quorvin.ini`) and `expected.ini`, the settings
# file it must leave behind. Without `expected.ini` the settings file must be as it was.
# Usage: run_scenario.sh QUORVIN_SCRIPT SCENARIO_DIR
set -euo pipefail
runner="$1"
scenario="$(cd "$2" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for file in coaxtype.tbl Quorvin.ini; do
    [ -f "$scenario/$file" ] && cp "$scenario/$file" "$work/"
done
args=()
[ -f "$scenario/args" ] && read -r -a args < "$scenario/args"

status=0
(cd "$work" && timeout 60 "$runner" "${args[@]}" "$scenario/script" > "$work/out" 2> "$work/err") ||
    status=$?
if [ "$status" -ne 0 ]; then
    echo "quorvin-script exited with status $status"
    cat "$work/err"
    exit 1
fi
if [ -s "$work/err" ]; then
    echo "quorvin-script wrote to standard error:"
    cat "$work/err"
    exit 1
fi
diff -u "$scenario/expected" "$work/out"

if [ -f "$scenario/expected.ini" ]; then
    cmp "$scenario/expected.ini" "$work/Quorvin.ini"
elif [ -f "$scenario/Quorvin.ini" ]; then
    cmp "$scenario/Quorvin.ini" "$work/Quorvin.ini"
elif [ -e "$work/Quorvin.ini" ]; then
    echo "a settings file was written, none was expected:"
    cat -A "$work/Quorvin.ini"
    exit 1
fi
leftover=$(cd "$work" && ls -A | grep -v -x -E 'out|err|coaxtype.tbl|Quorvin.ini' || true)
if [ -n "$leftover" ]; then
    echo "files left behind: $leftover"
    exit 1
fi
