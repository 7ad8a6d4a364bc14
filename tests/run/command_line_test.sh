#!/bin/sh
# The command-line form: no dialogue, existing outputs refused unless
# --force, --asa, --help, --version, and the exit statuses.
set -u
exe="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail=0
check() {
    what="$1"; shift
    if "$@"; then :; else echo "FAILED: $what" >&2; fail=1; fi
}
export SOURCE_DATE_EPOCH=1788172800
# The problem is abandoned at its second card (a "9" card where its
# layout goes on), so the deck is read to its end with one problem
# abandoned (status 3) whatever is built.
printf '*B020001A TITLE\n9\n' >deck.txt

"$exe" deck.txt report.txt plot.txt </dev/null >console.txt 2>/dev/null
check "plain run exits 3 (problem abandoned)" [ $? -eq 3 ]
check "no prompt on the command line" [ ! -s console.txt ]
check "report written" grep -q 'PROB. NO. 0001' report.txt

echo keep >report.txt
"$exe" deck.txt report.txt 2>stderr.txt
check "existing report refused with 2" [ $? -eq 2 ]
check "refusal names the file" grep -q "report.txt" stderr.txt
check "refused report untouched" [ "$(cat report.txt)" = keep ]

"$exe" --force deck.txt report.txt 2>/dev/null
check "--force replaces" grep -q 'PROB. NO. 0001' report.txt

"$exe" --force --asa deck.txt report.txt 2>/dev/null
check "--asa writes control characters" [ "$(head -c 1 report.txt)" = "0" ]

"$exe" --force missing.txt out.txt 2>stderr.txt
check "missing deck exits 2" [ $? -eq 2 ]
check "missing deck creates no report" [ ! -e out.txt ]

: >empty.txt
"$exe" --force empty.txt out.txt 2>stderr.txt
check "empty deck exits 1" [ $? -eq 1 ]
check "empty deck says so" grep -q "empty" stderr.txt

# The points table: a header row even for a run without points; an
# existing file is refused like a report, before anything is written.
"$exe" --force --points points.csv deck.txt report.txt 2>/dev/null
check "--points writes the header" grep -q '^problem,span,long_line,row,' points.csv
echo keep >points.csv
rm -f fresh.txt
"$exe" --points points.csv deck.txt fresh.txt 2>stderr.txt
check "existing points file refused with 2" [ $? -eq 2 ]
check "refused points file untouched" [ "$(cat points.csv)" = keep ]
check "refused run writes no report" [ ! -e fresh.txt ]

"$exe" --help >help.txt 2>&1
check "--help exits 0" [ $? -eq 0 ]
check "--help shows usage" grep -q "DECK" help.txt
"$exe" --version >version.txt 2>&1
check "--version names the program" grep -q "^bridgeplan " version.txt
exit $fail
