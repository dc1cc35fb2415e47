# Nodes copied in one schematic program paste into another through the system clipboard: at the
# pointer with the view's key, and from the Edit menu, each copy with names of its own.
source "$(dirname "$0")/windowHarness.sh"
schematic=$1
export XDG_CONFIG_HOME="$WH_WORK/config"
sample="$(dirname "$0")/../../resources/samples/default.xml"
cp "$sample" "$WH_WORK/a.xml"
cp "$sample" "$WH_WORK/b.xml"
nodes_in() { "$schematic" layout "$1" --print | grep -c '^node'; }

wh_start a "$schematic" "$WH_WORK/a.xml" --size 500x300
wh_wait_window a "a.xml - Schematic"
wh_move a 250 200
# Pasting in the same program too shows the copy was made before the other program asks for it.
wh_key a ctrl+a ctrl+c ctrl+v
wh_wait_title a "a.xml* - Schematic"

wh_start b "$schematic" "$WH_WORK/b.xml" --size 500x300
wh_wait_window b "b.xml - Schematic"
wh_move b 250 200
wh_key b ctrl+v
wh_wait_title b "b.xml* - Schematic"
wh_key b alt+e
wh_key b p
wh_key b ctrl+s
wh_wait_title b "b.xml - Schematic"
[ "$(nodes_in "$WH_WORK/b.xml")" = 24 ] || wh_fail "b.xml holds $(nodes_in "$WH_WORK/b.xml") nodes, not 8 and two pasted copies"
for name in Checker Checker1 Checker2 Output1 Output2; do
    [ "$(grep -c "name=\"$name\"" "$WH_WORK/b.xml")" = 1 ] || wh_fail "b.xml has no single node named $name"
done
