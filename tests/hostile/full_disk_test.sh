#!/bin/sh
# A report or plot that cannot be written in full (a full disk, here
# /dev/full) ends the run with status 1 and says so; it never passes for a
# complete one.
set -u
exe="$1"
deck="$2"
fail=0
check() { # label, then the command line
    label="$1"
    shift
    err=$("$@" 2>&1 >/dev/null)
    status=$?
    if [ $status -ne 1 ]; then
        echo "FAIL: $label: exit status $status, expected 1" >&2
        fail=1
    fi
    case "$err" in
    *"could not be written"*) ;;
    *) echo "FAIL: $label: no message on stderr: $err" >&2; fail=1 ;;
    esac
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
check "report on a full disk" "$exe" --force "$deck" /dev/full "$work/plot"
check "plot on a full disk" "$exe" --force "$deck" "$work/report" /dev/full
exit $fail
