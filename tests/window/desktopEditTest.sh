# An edit puts the unsaved mark in the title and undoing it takes the mark away; quitting with
# changes asks first, quitting without asks nothing, exits 0 and keeps the settings files.
source "$(dirname "$0")/windowHarness.sh"
source "$(dirname "$0")/desktopSupport.sh"
DS_SCHEMATIC=$1 DS_WIDTH=640 DS_HEIGHT=400
export XDG_CONFIG_HOME="$WH_WORK/config"
settings="$XDG_CONFIG_HOME/schematic"
# The user binds Select All to the window's New key: while the view has the keyboard, it is the view's.
mkdir -p "$settings"
cat >"$settings/settings.xml" <<EOF
<settings version="1"><hotkey domain="Schematic" name="Select All" key="Ctrl+N"/></settings>
EOF
# The view reopens with the options it kept: straight links.
cat >"$settings/workspace.xml" <<EOF
<workspace version="1"><view name="Schematic1" type="Schematic"><Settings><LinkStyle>2</LinkStyle></Settings></view></workspace>
EOF
cp "$settings/workspace.xml" "$WH_WORK/workspace.xml"

ds_session "$WH_WORK/first.txt" "print view" "print nodes" "render $WH_WORK/first.png"

# A bad file is refused before any window opens, with one message naming it.
bad="$WH_WORK/bad.xml"
printf '<composition version="1" name="Bad">\n<node id="-3" tool="Blur" name="B"/>\n</composition>\n' >"$bad"
status=0
"$DS_SCHEMATIC" "$bad" >"$WH_WORK/bad.out" 2>&1 || status=$?
[ $status = 1 ] && [ "$(grep -c "$bad:2:" "$WH_WORK/bad.out")" = 1 ] ||
    wh_fail "a bad file gave status $status and said: $(cat "$WH_WORK/bad.out")"

wh_start app "$DS_SCHEMATIC" --size "${DS_WIDTH}x$DS_HEIGHT"
wh_wait_window app "Untitled - Schematic"
ds_wait_shows app "$WH_WORK/first.png" "$WH_WORK/first.txt"
top=$(ds_view_top app "$WH_WORK/first.png")

# Opened from the File menu, the bad file gives a message box and the sample stays.
wh_key app ctrl+o
wh_wait_window open "Open"
wh_type open "$bad"
wh_key open Return
wh_wait_window refusal "Cannot Open"
wh_key refusal Escape
wh_wait_title app "Untitled - Schematic"
ds_wait_shows app "$WH_WORK/first.png" "$WH_WORK/first.txt"

# Select every node and delete them with the view's keys; Ctrl+Z is the window's.
wh_move app 2 $((top + 2))
wh_key app ctrl+n Delete
wh_wait_title app "Untitled* - Schematic"
wh_key app ctrl+z
wh_wait_title app "Untitled - Schematic"

# With a change, Ctrl+Q asks; Escape keeps the window and writes nothing yet.
wh_key app ctrl+n Delete
wh_wait_title app "Untitled* - Schematic"
wh_key app ctrl+q
wh_wait_window question "Unsaved Changes"
wh_key question Escape
wh_wait_title app "Untitled* - Schematic"
cmp -s "$settings/workspace.xml" "$WH_WORK/workspace.xml" || wh_fail "settings were written before the window closed"

wh_key app ctrl+z
wh_wait_title app "Untitled - Schematic"

# Ctrl+X, and Ctrl+C then Ctrl+V, are the view's cut and paste: each one undo step.
for keys in "ctrl+c ctrl+v" ctrl+x; do
    wh_key app ctrl+n $keys
    wh_wait_title app "Untitled* - Schematic"
    wh_key app ctrl+z
    wh_wait_title app "Untitled - Schematic"
done

# Save As names the file in the title; undoing past the saved point marks it again; Ctrl+S saves.
saved="$WH_WORK/saved.xml"
nodes_in() { "$DS_SCHEMATIC" layout "$1" --print | grep -c '^node'; }
wh_key app ctrl+n Delete
wh_key app shift+ctrl+s
wh_wait_window saveAs "Save As"
wh_type saveAs "$saved"
wh_key saveAs Return
wh_wait_title app "saved.xml - Schematic"
[ "$(nodes_in "$saved")" = 0 ] || wh_fail "Save As did not save the edit"
wh_key app ctrl+z
wh_wait_title app "saved.xml* - Schematic"
wh_key app ctrl+s
wh_wait_title app "saved.xml - Schematic"
[ "$(nodes_in "$saved")" = 8 ] || wh_fail "Ctrl+S did not save the undo"

wh_key app ctrl+q
wh_wait_exit app
[ "$WH_STATUS" = 0 ] || wh_fail "quitting ended with status $WH_STATUS"
grep -q 'name="Select All" key="Ctrl+N"' "$settings/settings.xml" || wh_fail "the user's settings were not kept"
grep -q '<LinkStyle>2</LinkStyle>' "$settings/workspace.xml" && grep -q '<Highlight>' "$settings/workspace.xml" ||
    wh_fail "the view did not keep its options: $(cat "$settings/workspace.xml")"
