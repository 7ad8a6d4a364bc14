#!/bin/sh
# Runs every deck the user guide shows, so the guide cannot drift from the
# program. In docs/*.md:
#   - the ```card blocks of one page, taken in order, form one deck;
#   - every ```deck block is a complete deck; "```deck FILE" also says the
#     block is that file of the sources, word for word;
#   - a line "<!-- cards: FILE -->" says the same of the page's card deck.
# Column rulers ("----+----1...") in a block are not cards. Each deck must
# run to its end with exit status 0, no ERROR record in its report and
# nothing on standard error. Report rows quoted in ```text blocks (lines with
# a station at columns 7-13, such as " B  1     13+91.8107 ...") must be rows
# of one of the example reports, as printed.
set -u
exe="$1"
top="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
decks=0

run_deck() { # deck label
    SOURCE_DATE_EPOCH=1788172800 "$exe" --force "$1" "$work/report" "$work/plot" \
        >"$work/stdout" 2>"$work/stderr"
    status=$?
    if [ $status -ne 0 ] || [ -s "$work/stderr" ] || grep -q '^ *ERROR' "$work/report"; then
        echo "FAILED: $2 (exit status $status)" >&2
        cat "$work/stderr" >&2
        grep '^ *ERROR' "$work/report" >&2
        fail=1
    fi
    decks=$((decks + 1))
}

for page in "$top"/docs/*.md; do
    name=$(basename "$page" .md)
    rm -f "$work"/block.* "$work/cards" "$work/cards.file"
    # Split the page: card lines to one file, each deck block to its own.
    awk -v dir="$work" '
        /^```/ {
            if (kind != "") { kind = ""; next }
            if ($1 == "```card") { kind = "card"; next }
            if ($1 == "```deck") {
                kind = "deck"; n++
                out = dir "/block." n
                printf "" > out
                print ($2 == "" ? "-" : $2) > (out ".file")
                next
            }
            kind = "other"; next
        }
        kind == "" && $1 == "<!--" && $2 == "cards:" { print $3 > (dir "/cards.file"); next }
        kind == "" || kind == "other" { next }
        /^----\+----1/ { next }
        kind == "card" { print > (dir "/cards") }
        kind == "deck" { print > out }
    ' "$page"
    if [ -s "$work/cards" ]; then
        run_deck "$work/cards" "the example cards of docs/$name.md"
        if [ -f "$work/cards.file" ]; then
            file=$(cat "$work/cards.file")
            if ! cmp -s "$work/cards" "$top/$file"; then
                echo "FAILED: the example cards of docs/$name.md differ from $file" >&2
                diff "$top/$file" "$work/cards" >&2
                fail=1
            fi
        fi
    elif [ -f "$work/cards.file" ]; then
        echo "FAILED: docs/$name.md names $(cat "$work/cards.file") but shows no card" >&2
        fail=1
    fi
    for block in "$work"/block.*; do
        case "$block" in *.file) continue ;; esac
        [ -f "$block" ] || continue
        file=$(cat "$block.file")
        label="a deck block of docs/$name.md"
        if [ "$file" != "-" ]; then
            label="the deck block $file of docs/$name.md"
            if ! cmp -s "$block" "$top/$file"; then
                echo "FAILED: $label differs from $file" >&2
                diff "$top/$file" "$block" >&2
                fail=1
            fi
        fi
        run_deck "$block" "$label"
    done
done

# Quoted report rows.
for page in "$top"/docs/*.md; do
    awk '/^```/ { inside = !inside; text = ($1 == "```text"); next }
         inside && text && substr($0, 13, 1) == "+" && $0 ~ /^ [BATP]/ { print }' "$page" |
    while IFS= read -r row; do
        if ! grep -qxF -- "$row" "$top"/examples/*.rpt; then
            echo "FAILED: docs/$(basename "$page") quotes a row no example report prints:" >&2
            echo "$row" >&2
            echo fail >"$work/rows.failed"
        fi
    done
done
[ -f "$work/rows.failed" ] && fail=1

if [ $decks -eq 0 ]; then
    echo "FAILED: no deck found in docs/*.md" >&2
    fail=1
fi
exit $fail
