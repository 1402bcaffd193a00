#!/usr/bin/env bash
# quorvin-script refuses a script it cannot follow: exit status 2 and a message that
# names the line. Usage: runner_errors.sh QUORVIN_SCRIPT
set -uo pipefail
runner="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0

expect_refusal() { # SCRIPT LINE WHAT
    local out err status
    out=$(printf '%b' "$1" | timeout 30 "$runner" - 2> err)
    status=$?
    err=$(cat err)
    if [ "$status" -ne 2 ] || [[ "$err" != *"line $2"* ]] || [[ "$out" == *"exit"* ]]; then
        echo "FAIL ($3): status $status, stderr '$err', stdout '$out'"
        failures=$((failures + 1))
    fi
}

expect_refusal 'dump\nfly away\n' 2 "unknown command"
expect_refusal '# comment\n\nclick IDC_NOPE\n' 3 "unknown control name"
expect_refusal 'key Ctrl+F13\n' 1 "unknown key"
expect_refusal 'choose first\n' 1 "choose without a number"
expect_refusal 'dump\nclick IDC_METRIC\n' 2 "a name with no control in the window"
expect_refusal 'choose 7\n' 1 "an item the list does not have"

if "$runner" > /dev/null 2>&1; then
    echo "FAIL: no script given, but exit status 0"
    failures=$((failures + 1))
fi
[ -e Quorvin.ini ] && { echo "FAIL: a settings file was written"; failures=$((failures + 1)); }
exit $((failures > 0))
