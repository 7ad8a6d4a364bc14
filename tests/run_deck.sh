#!/bin/sh
# Runs one deck and compares its report (and plot, when one is expected)
# with the expected files beside it: NAME.deck -> NAME.rpt, NAME.plt,
# and NAME.err for the diagnostics and exit status when the deck expects a
# failing run. The run clock is fixed, so reports are reproducible.
set -u
exe="$1"
deck="$2"
base="${deck%.deck}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
SOURCE_DATE_EPOCH=1788172800 "$exe" --force "$deck" "$work/report" "$work/plot" \
    2>"$work/stderr"
status=$?
echo "exit $status" >>"$work/stderr"
fail=0
compare() { # expected actual label
    if [ -f "$1" ]; then
        if ! diff -u "$1" "$2"; then
            echo "MISMATCH: $3 of $deck" >&2
            fail=1
        fi
    fi
}
[ -f "$base.rpt" ] || { echo "no expected report $base.rpt" >&2; exit 1; }
compare "$base.rpt" "$work/report" report
compare "$base.plt" "$work/plot" plot
if [ -f "$base.err" ]; then
    compare "$base.err" "$work/stderr" diagnostics
elif [ $status -ne 0 ]; then
    echo "exit status $status for $deck" >&2
    cat "$work/stderr" >&2
    fail=1
fi
exit $fail
