# Text copied in one process is pasted in another, both ways, through the system clipboard.
source "$(dirname "$0")/windowHarness.sh"
probe=$1

wh_start a "$probe" --title "probe A" --clip "text from A" --pos 0,0
wh_start b "$probe" --title "probe B" --clip "text from B" --pos 450,0
wh_wait_window a "probe A"
wh_wait_window b "probe B"
wh_wait_output a '^ready$'
wh_wait_output b '^ready$'

wh_move a 200 150
wh_key a ctrl+c
wh_wait_output a '^copied text from A$'
wh_move b 200 150
wh_key b ctrl+v
wh_wait_output b '^pasted text from A$'

wh_key b ctrl+c
wh_wait_output b '^copied text from B$'
wh_move a 200 150
wh_key a ctrl+v
wh_wait_output a '^pasted text from B$'
