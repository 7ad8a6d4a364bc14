#!/bin/sh
# The console dialogue, driven through the program with piped answers in a
# temporary folder: prompts, the overwrite question, a blank plot name, a
# missing deck.
set -u
exe="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail=0
check() { # description, condition...
    what="$1"; shift
    if "$@"; then :; else echo "FAILED: $what" >&2; fail=1; fi
}
# The problem is abandoned at its second card (a "9" card where its
# layout goes on), so the deck is read to its end with one problem
# abandoned (status 3) whatever is built.
printf '*B020001A TITLE\n9\n' >deck.txt
export SOURCE_DATE_EPOCH=1788172800

# A fresh run with a plot name: the three prompts, both files written.
printf 'deck.txt\nreport.txt\nplot.txt\n' | "$exe" >console.txt 2>stderr.txt
check "fresh run exits 3 (problem abandoned)" [ $? -eq 3 ]
expected=' ENTER INPUT FILE NAME: ENTER OUTPUT FILE NAME: IF YOU ARE NOT REQUESTING A PLOT, SIMPLY <RETURN>.

 OTHERWISE, ENTER OUTPUT NAME: (INTERGRAPH FILE)'
check "prompts as specified" [ "$(cat console.txt)" = "$expected" ]
check "report written" grep -q 'PROB. NO. 0001' report.txt
check "plot file created" [ -f plot.txt ]

# Existing report: Y, y and YES replace it; n, N and an empty answer refuse.
for answer in Y y YES; do
    echo old >report.txt
    printf 'deck.txt\nreport.txt\n%s\n\n' "$answer" | "$exe" >console.txt 2>&1
    check "answer $answer replaces the report" grep -q 'PROB. NO. 0001' report.txt
    check "answer $answer asks the question" grep -q 'OUTPUT FILE ALREADY EXISTS.  DO YOU WISH TO DELETE IT \[DEFAULT IS N\]? (Y/N) ' console.txt
done
for answer in n N ''; do
    echo old >report.txt
    printf 'deck.txt\nreport.txt\n%s\n\n' "$answer" | "$exe" >console.txt 2>&1
    check "answer '$answer' exits 2" [ $? -eq 2 ]
    check "answer '$answer' leaves the report" [ "$(cat report.txt)" = old ]
    check "answer '$answer' says EXITING PROGRAM" grep -q '^ EXITING PROGRAM$' console.txt
done

# Refusing to replace the plot leaves the report untouched as well.
echo old >report.txt; echo oldplot >plot.txt
printf 'deck.txt\nreport.txt\nY\nplot.txt\nn\n' | "$exe" >console.txt 2>&1
check "plot refusal keeps the report" [ "$(cat report.txt)" = old ]
check "plot refusal keeps the plot" [ "$(cat plot.txt)" = oldplot ]

# A blank plot name (or one starting with a blank) means no plot file.
rm -f report.txt plot.txt
printf 'deck.txt\nreport.txt\n  plot.txt\n' | "$exe" >/dev/null 2>&1
check "blank plot name writes no plot" [ ! -e plot.txt ] && [ ! -e '  plot.txt' ]
check "blank plot name still writes the report" grep -q 'PROB. NO. 0001' report.txt

# Names keep their whole length; trailing blanks are trimmed.
long=a_report_file_name_longer_than_thirty_five_characters.txt
printf 'deck.txt  \n%s   \n\n' "$long" | "$exe" >/dev/null 2>&1
check "long name kept whole" [ -f "$long" ]

# A missing deck: a clear message, exit 2, no output file touched.
echo old >report.txt
printf 'no-such-deck.txt\nreport.txt\nY\n\n' | "$exe" >console.txt 2>stderr.txt
check "missing deck exits 2" [ $? -eq 2 ]
check "missing deck is named" grep -q "no-such-deck.txt" stderr.txt
check "missing deck keeps the report" [ "$(cat report.txt)" = old ]

# End of input at a prompt ends the run quietly.
rm -f report.txt
printf 'deck.txt\n' | "$exe" >/dev/null 2>stderr.txt
check "end of console input exits 2" [ $? -eq 2 ]
check "end of console input creates nothing" [ ! -e report.txt ]
exit $fail
