#!/bin/sh
# A chain of a million nodes loads, builds, lays out and renders, whether the file lists the consumer
# first (each node then pulls in everything upstream of it) or the source first.
# Usage: millionNodeChain.sh SCHEMATIC WORKDIR
set -eu
schematic=$1
dir=$2
n=1000000
mkdir -p "$dir"

# Node 1 is the Output, node n the Checker; x is where each node is stored, none for no position.
write_chain() { # order x-step|none file
    awk -v n=$n -v order="$1" -v step="$2" 'BEGIN {
        print "<composition version=\"1\" name=\"Chain\">"
        for (k = 1; k <= n; ++k) {
            i = order == "consumer" ? k : n + 1 - k
            tool = i == 1 ? "Output" : i == n ? "Checker" : "Blur"
            if (step == "none") printf "  <node id=\"%d\" tool=\"%s\" name=\"n%d\"/>\n", i, tool, i
            else printf "  <node id=\"%d\" tool=\"%s\" name=\"n%d\" x=\"%d\" y=\"0\"/>\n", i, tool, i, -step * (i - 1)
        }
        for (i = 2; i <= n; ++i) printf "  <link source=\"%d\" output=\"Result\" target=\"%d\" input=\"Input\"/>\n", i, i - 1
        print "</composition>"
    }' > "$3"
}

# Consumer first and nowhere placed: the view places every node along the flow.
write_chain consumer none "$dir/consumerFirst.xml"
"$schematic" layout "$dir/consumerFirst.xml" --type unplaced --print | awk -v n=$n '
    $1 == "node" { x[$2] = $4; ++nodes }
    $1 == "edge" { ++edges }
    END {
        if (nodes != n || edges != n - 1) { print "shown: " nodes " nodes, " edges " links"; exit 1 }
        for (i = 2; i <= n; ++i) if (x[i] >= x[i - 1]) { print "node " i " is not upstream of node " i - 1; exit 1 }
    }'
rm "$dir/consumerFirst.xml"

write_chain source 200 "$dir/sourceFirst.xml"
"$schematic" render "$dir/sourceFirst.xml" -o "$dir/sourceFirst.png" --size 64x48 | grep "1000000 nodes, 999999 links"
rm "$dir/sourceFirst.xml" "$dir/sourceFirst.png"
