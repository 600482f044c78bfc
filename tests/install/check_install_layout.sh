#!/bin/sh
# Installs the build into an empty prefix and looks for every file a desktop and a
# packager expect there.
# usage: check_install_layout.sh BUILD_FOLDER PREFIX
set -u
build=$1
prefix=$2
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null || exit 1
status=0
for file in \
    bin/korvo-tci \
    bin/korvo-unit-sim \
    share/applications/org.korvotci.KorvoTci.desktop \
    share/mime/packages/org.korvotci.KorvoTci.xml \
    share/icons/hicolor/scalable/apps/org.korvotci.KorvoTci.svg \
    share/icons/hicolor/16x16/apps/org.korvotci.KorvoTci.png \
    share/icons/hicolor/48x48/apps/org.korvotci.KorvoTci.png \
    share/icons/hicolor/256x256/apps/org.korvotci.KorvoTci.png \
    share/metainfo/org.korvotci.KorvoTci.metainfo.xml \
    share/man/man1/korvo-tci.1.gz \
    share/man/man1/korvo-unit-sim.1.gz \
    share/korvo-tci/manual/Manual_Korvo_TCI_en.pdf \
    share/korvo-tci/manual/Manual_Korvo_TCI_cz.pdf \
    share/korvo-tci/manual/Manual_Korvo_TCI_de.pdf \
    share/korvo-tci/manual/images/window_en.png \
    share/korvo-tci/manual/images/window_cz.png \
    share/korvo-tci/manual/images/window_de.png \
    share/korvo-tci/manual/images/window_parts_en.png \
    share/korvo-tci/manual/images/curve_en.png \
    share/korvo-tci/manual/Manual_Korvo_TCI_en.md \
    share/korvo-tci/manual/Manual_Korvo_TCI_cz.md \
    share/korvo-tci/manual/Manual_Korvo_TCI_de.md \
    share/doc/korvo-tci/README.md \
    share/doc/korvo-tci/copyright \
    share/doc/korvo-tci/changelog.gz
do
    if [ ! -s "$prefix/$file" ]; then
        echo "not installed: $file"
        status=1
    fi
done
for program in bin/korvo-tci bin/korvo-unit-sim; do
    [ -x "$prefix/$program" ] || { echo "not executable: $program"; status=1; }
done
# korvo-cli and its page come together, or not at all.
if [ -e "$prefix/bin/korvo-cli" ] && [ ! -e "$prefix/share/man/man1/korvo-cli.1.gz" ]; then
    echo "korvo-cli installed without its man page"
    status=1
fi
# The manual is found from bin/ as ../share/korvo-tci/manual; nothing else lands in bin/.
extra=$(ls "$prefix/bin" | grep -v -x -e korvo-tci -e korvo-unit-sim -e korvo-cli)
if [ -n "$extra" ]; then
    echo "unexpected in bin: $extra"
    status=1
fi
# The licence once, in the copyright file.
if [ -e "$prefix/share/doc/korvo-tci/LICENSE" ]; then
    echo "the licence is installed twice (LICENSE beside copyright)"
    status=1
fi
rm -rf "$prefix"
exit $status
