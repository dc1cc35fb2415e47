#!/bin/sh
# runScript.sh PROGRAM DIR NAME: runs DIR/NAME.script from DIR, so messages and the files it names are
# relative to it, and compares what it printed and its exit status with DIR/NAME.expected.
program=$1
dir=$2
name=$3
# The user's settings come from NAME.config/schematic/settings.xml when there is one, else none.
XDG_CONFIG_HOME="$dir/$name.config"
export XDG_CONFIG_HOME
actual=$(cd "$dir" && "$program" script "$name.script" 2>&1; echo "exit $?")
if [ "$actual" = "$(cat "$dir/$name.expected")" ]; then exit 0; fi
echo "$actual" | diff "$dir/$name.expected" - 
exit 1
