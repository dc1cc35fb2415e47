#!/bin/sh
# A composition laid out and rendered as users run the program: every shown node placed, no two boxes
# overlapping, the positions kept exactly through a save and a load, and a picture of the schematic.
# Usage: endToEnd.sh SCHEMATIC WORKDIR FILE ORIENTATION NODES LINKS
set -eu
schematic=$1
dir=$2
file=$3
orientation=$4
nodes=$5
links=$6
mkdir -p "$dir"

"$schematic" layout "$file" --type all --orientation "$orientation" -o "$dir/laidOut.xml" --print > "$dir/all.txt"
# Nodes of locked groups stay where they are, so only compositions without them must not overlap.
grep -q ' lock="' "$file" && overlaps=allowed || overlaps=refused
awk -F '\t' -v nodes="$nodes" -v links="$links" -v overlaps=$overlaps '
    $1 == "node" { ++n; x[n] = $4; y[n] = $5; w[n] = $6; h[n] = $7; if ($8 != 1) { print "node " $2 " not placed"; bad = 1 } }
    $1 == "edge" { ++e }
    function abs(v) { return v < 0 ? -v : v }
    END {
        if (n != nodes || e != links) { print "shown: " n " nodes, " e " links; expected " nodes ", " links; exit 1 }
        for (i = 1; i <= n && overlaps == "refused"; ++i)
            for (j = i + 1; j <= n; ++j)
                if (abs(x[i] - x[j]) < (w[i] + w[j]) / 2 && abs(y[i] - y[j]) < (h[i] + h[j]) / 2) {
                    print "nodes " i " and " j " overlap"
                    exit 1
                }
        exit bad
    }' "$dir/all.txt"

# Laid out, saved and loaded again, nothing moves and nothing is new: identities, names, positions,
# placed and selected flags, and links between the same sockets.
"$schematic" layout "$dir/laidOut.xml" --type unplaced --orientation "$orientation" --print > "$dir/again.txt"
kept() { awk -F '\t' '$1 == "node" { print $2, $3, $4, $5, $8, $9 } $1 == "edge" { print $2, $3, $4, $5 }' "$1"; }
kept "$dir/all.txt" > "$dir/all.kept"
kept "$dir/again.txt" > "$dir/again.kept"
cmp "$dir/all.kept" "$dir/again.kept"

"$schematic" render "$file" --orientation "$orientation" --size 160x100 -o "$dir/render.png" |
    grep -q ": $nodes nodes, $links links of"
echo '<composition version="1" name="Empty"/>' > "$dir/empty.xml"
"$schematic" render "$dir/empty.xml" --size 160x100 -o "$dir/empty.png" > /dev/null
if cmp -s "$dir/render.png" "$dir/empty.png"; then
    echo "the picture shows nothing"
    exit 1
fi
