#!/bin/sh
# Every option a program's --help lists is in its man page, and every option the man
# page describes (in the tag of an indented paragraph) is one --help lists.
# usage: check_man_options.sh PROGRAM MAN_PAGE [PROGRAM MAN_PAGE]...
set -u
status=0
# Options as words: -x or --long-name, not the dashes inside words like "korvo-tci".
options() {
    grep -o -E '(^|[^A-Za-z0-9_-])--?[A-Za-z][A-Za-z0-9-]*' | sed -E 's/^[^-]*//' | sort -u
}
# The page's source as text: groff's escaped dashes and font changes taken away.
plain() {
    sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\(..//g' "$1"
}
while [ $# -ge 2 ]; do
    program=$1
    page=$2
    shift 2
    name=$(basename "$page" .1)
    help=$("$program" --help 2>&1) || { echo "$name: --help failed"; status=1; continue; }
    [ -n "$help" ] || { echo "$name: --help printed nothing"; status=1; continue; }
    listed=$(printf '%s\n' "$help" | options)
    text=$(plain "$page")
    for option in $listed; do
        if ! printf '%s\n' "$text" | grep -q -E -e "(^|[^A-Za-z0-9_-])$option([^A-Za-z0-9_-]|\$)"; then
            echo "$name: $option is in --help but not in the man page"
            status=1
        fi
    done
    # The tag lines of .TP paragraphs: what the page describes.
    described=$(plain "$page" | awk 'tag { print; tag = 0 } /^\.TP/ { tag = 1 }' | options)
    for option in $described; do
        if ! printf '%s\n' "$listed" | grep -q -x -F -e "$option"; then
            echo "$name: the man page describes $option, which --help does not list"
            status=1
        fi
    done
done
exit $status
