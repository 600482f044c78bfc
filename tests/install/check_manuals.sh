#!/bin/sh
# The three manuals exist after a build and their text holds each language's title.
# usage: check_manuals.sh FOLDER
set -u
folder=$1
status=0
check() {
    file="$folder/Manual_Korvo_TCI_$1.pdf"
    if [ ! -s "$file" ]; then
        echo "missing: $file"
        status=1
        return
    fi
    if ! pdftotext -enc UTF-8 "$file" - | tr -s ' \n' '  ' | grep -qF "$2"; then
        echo "$file does not hold \"$2\""
        status=1
    fi
}
check en "Korvo TCI programmer: user manual"
check cz "Programátor Korvo TCI: návod k obsluze"
check de "Korvo TCI Programmiergerät: Bedienungsanleitung"
exit $status
