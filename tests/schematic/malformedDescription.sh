#!/bin/sh
# A malformed description in the user's folder: one warning naming it and saying why, and every
# node of that tool shown with the default look (112 x 30 in this orientation).
set -eu
program=$1
composition=$2
out=$("$program" layout "$composition" --print 2>&1)
warnings=$(printf '%s\n' "$out" | grep -c 'description Transform:1-H is malformed (Invalid number in attribute Width: wide)')
defaultLook=$(printf '%s\n' "$out" | grep -cE '^node	(24	Reformat|26	Proxy Scale)	[^	]+	[^	]+	112\.000	30\.000	')
[ "$warnings" -eq 1 ] && [ "$defaultLook" -eq 2 ]
