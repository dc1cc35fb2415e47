# A right click opens the probe's context menu as a Qt menu; choosing an entry, with the pointer
# or with the keys through a sub-menu, runs its handler.
source "$(dirname "$0")/windowHarness.sh"
probe=$1

wh_start probe "$probe" --title "probe menu"
wh_wait_window probe "probe menu"
wh_wait_output probe '^ready$'

wh_click probe 40 40 3
wh_wait_output probe '^menu shown$'
wh_click probe 70 50
wh_wait_output probe '^chose 1 green$'
wh_wait_pixel probe 275 109 0,255,0

wh_click probe 40 40 3
wh_wait_output probe '^menu shown$' 2
wh_key probe Down Down Right Down Return
wh_wait_output probe '^chose 3 blue$'
wh_wait_pixel probe 275 109 0,0,255
