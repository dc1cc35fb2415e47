#!/bin/sh
# Descriptions in the user's folder that cannot be used: one warning each, naming the file and saying
# why. Nodes they cannot show get the default look (112 x 30 flowing right); a group whose sockets fit
# the user's description keeps it.
set -eu
program=$1
composition=$2
folder=$3
out=$(ZV_NODE_DESCRIPTIONS=$folder "$program" layout "$composition" --print 2>&1)
warned() {
    [ "$(printf '%s\n' "$out" | grep -cF "The node description $folder/$1 is malformed ($2)")" -eq 1 ]
}
sized() {
    printf '%s\n' "$out" | grep -qE "^node	$1	[^	]+	[^	]+	$2	"
}
warned Transform-H.xml 'Invalid number in attribute Width: wide'
warned Keyer-H.xml:1 'not valid XML: No document element found'
warned Group-H.xml 'Invalid description: RoundedConnectionSetWithMasking needs at least 2 inputs, the node has 1'
[ "$(printf '%s\n' "$out" | grep -c '^warning')" -eq 3 ]
sized '2	Move' '112\.000	30\.000'
sized '3	Key' '112\.000	30\.000'
sized '4	One In' '112\.000	30\.000'
sized '7	Two In' '102\.000	40\.000'
