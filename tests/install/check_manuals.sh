#!/bin/sh
# The three manuals exist after a build, their text holds each language's title, and
# each has a contents table, bookmarks of the chapters a reader looks for, and at least
# one picture.
# usage: check_manuals.sh FOLDER
set -u
folder=$1
status=0
check() {
    language=$1
    title=$2
    contents=$3
    shift 3
    file="$folder/Manual_Korvo_TCI_$language.pdf"
    if [ ! -s "$file" ]; then
        echo "missing: $file"
        status=1
        return
    fi
    text=$(pdftotext -enc UTF-8 "$file" - | tr -s ' \n' '  ')
    for expected in "$title" "$contents"; do
        if ! printf '%s' "$text" | grep -qF "$expected"; then
            echo "$file does not hold \"$expected\""
            status=1
        fi
    done
    outline=$(pdftohtml -xml -stdout -i -q "$file" | grep '<item ')
    for chapter in "$contents" "$@"; do
        if ! printf '%s\n' "$outline" | grep -qF ">$chapter</item>"; then
            echo "$file has no bookmark \"$chapter\""
            status=1
        fi
    done
    if [ "$(pdfimages -list "$file" | tail -n +3 | wc -l)" -lt 1 ]; then
        echo "$file has no picture"
        status=1
    fi
}
check en "Korvo TCI programmer: user manual" "Contents" \
    "The window" "Compare with the unit and backups" "The curve window" "Recording the live values" \
    "korvo-cli" "Messages and what to do"
check cz "Programátor Korvo TCI: návod k obsluze" "Obsah" \
    "Okno" "Porovnání se zapalováním a zálohy" "Okno křivky" "Záznam živých hodnot" \
    "korvo-cli" "Hlášení a co dělat"
check de "Korvo TCI Programmiergerät: Bedienungsanleitung" "Inhalt" \
    "Das Fenster" "Vergleich mit der Zündbox und Sicherungen" "Das Fenster der Zündkurve" \
    "Live-Werte aufzeichnen" "korvo-cli" "Meldungen und was zu tun ist"
exit $status
