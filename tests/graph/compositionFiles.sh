#!/bin/sh
# Composition files through the program, as users run it: every refusal is one message naming the
# file (and line) and why, exit status 1, no output and no file written; what loads saves back the same.
set -u
program=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fault() {
    echo "FAILED $1: $2"
    failures=$((failures + 1))
}

# refuse NAME FILE MESSAGE [ARGS...]
refuse() {
    name=$1 file=$2 message=$3
    shift 3
    printf 'kept' > "$work/out.xml"
    "$program" layout "$file" -o "$work/out.xml" --print "$@" > "$work/stdout" 2> "$work/stderr"
    status=$?
    [ "$status" -eq 1 ] || fault "$name" "exit status $status"
    [ ! -s "$work/stdout" ] || fault "$name" "printed $(head -c 200 "$work/stdout")"
    [ "$(cat "$work/stderr")" = "schematic layout: $message" ] || fault "$name" "said $(head -c 300 "$work/stderr")"
    [ "$(cat "$work/out.xml")" = kept ] || fault "$name" "changed the output file"
}

refuse negativeId "$data/negativeId.xml" "$data/negativeId.xml:4: id must be a whole number from 1 to 2147483646: \"-3\""
refuse notFinite "$data/notFinite.xml" "$data/notFinite.xml:3: x is not a finite number: \"nan\""
refuse unknownRole "$data/unknownRole.xml" "$data/unknownRole.xml:3: value must be a whole number from 0 to 1: \"5\""
refuse device /dev/zero "/dev/zero: cannot be read: not a regular file"
refuse folder "$data" "$data: cannot be read: not a regular file"
truncate -s 2G "$work/huge.xml"
refuse tooLarge "$work/huge.xml" "$work/huge.xml: cannot be read: larger than the limit of 1073741824 bytes"
awk 'BEGIN { print "<composition version=\"1\" name=\"Deep\">";
             for (i = 1; i <= 10001; ++i) print "<node id=\"" i "\" tool=\"Group\" name=\"\">";
             for (i = 1; i <= 10001; ++i) print "</node>"; print "</composition>" }' > "$work/deep.xml"
refuse deepGroups "$work/deep.xml" "$work/deep.xml:10002: groups nested more than 10000 deep"

# Failures outside the file end the same way, whatever raised them.
ZV_NODE_DESCRIPTIONS="$work/$(printf '%0300d' 0)/$(printf '%0300d' 0)" "$program" layout "$data/roundTrip.xml" \
    > /dev/null 2> "$work/stderr"
status=$?
[ "$status" -eq 1 ] && [ "$(wc -l < "$work/stderr")" -eq 1 ] && grep -q '^schematic layout: .*File name too long' "$work/stderr" ||
    fault unusableDescriptionFolder "status $status, said $(head -c 200 "$work/stderr")"
"$program" layout "$data/roundTrip.xml" --print > /dev/full 2> "$work/stderr"
status=$?
[ "$status" -eq 1 ] && [ "$(cat "$work/stderr")" = "schematic layout: cannot write the standard output: No space left on device" ] ||
    fault fullDevice "status $status, said $(cat "$work/stderr")"

# Round trip: every node placed, so the layout leaves the file as it was.
"$program" layout "$data/roundTrip.xml" --type unplaced -o "$work/saved.xml" --print > "$work/printed" ||
    fault roundTrip "refused"
cmp -s "$data/roundTrip.xml" "$work/saved.xml" || fault roundTrip "saved $(diff "$data/roundTrip.xml" "$work/saved.xml" | head -5)"
# A name's tab, line break or backslash never makes a field or a line of its own.
grep -q "$(printf '^node\t26\tProxy\\\\tScale\\\\\\\\\t')" "$work/printed" || fault printedNames "$(grep '^node.26' "$work/printed")"
[ "$(grep -c . "$work/printed")" -eq "$(grep -c '^\(orientation\|spacing\|node\|edge\)	' "$work/printed")" ] ||
    fault printedLines "a line that is not a record"

[ "$failures" -eq 0 ]
