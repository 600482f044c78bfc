#!/bin/sh
# Renders each man page as man does and fails on any warning from groff.
# usage: check_man_pages.sh FOLDER PAGE...
set -u
folder=$1
shift
status=0
for page in "$@"; do
    file="$folder/$page.1"
    if [ ! -f "$file" ]; then
        echo "missing: $file"
        status=1
        continue
    fi
    warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$file" 2>&1 >/dev/null)
    if [ -n "$warnings" ]; then
        echo "$page:"
        echo "$warnings"
        status=1
    fi
    # The page says what the program is called.
    if ! MANWIDTH=80 man -E UTF-8 -l "$file" 2>/dev/null | grep -q "^NAME"; then
        echo "$page: no NAME section rendered"
        status=1
    fi
done
exit $status
