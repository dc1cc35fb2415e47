# The probe's GL drawing reaches the screen, a real key press reaches its viewer hotkey, and
# resting on the box shows its tooltip.
source "$(dirname "$0")/windowHarness.sh"
probe=$1

wh_start probe "$probe" --title "probe view"
wh_wait_window probe "probe view"
wh_wait_output probe '^ready$'

# Zoom 0.5 and pan (150, 80) put the 200 × 100 box's centre at (275, 109) from the top left of the
# 400 × 300 view, so the view's centre shows the background.
wh_shot probe "$WH_WORK/before.png"
wh_expect_pixel "$WH_WORK/before.png" 275 109 255,0,0
wh_expect_pixel "$WH_WORK/before.png" 275 87 255,0,0
wh_expect_pixel "$WH_WORK/before.png" 275 82 80,80,80
wh_expect_pixel "$WH_WORK/before.png" 200 150 80,80,80

wh_move probe 200 150
wh_key probe f
wh_wait_output probe '^hotkey Fit$'
wh_wait_pixel probe 200 150 255,0,0

wh_move probe 210 150
wh_wait_output probe '^tooltip shown .*Box<br>red'
