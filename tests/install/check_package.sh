#!/bin/sh
# Builds the Debian package of the build into a folder of its own and runs Debian's
# checker on it, as a packager would; any error or warning fails. Exit code 77 (skipped)
# when lintian is not installed.
# usage: check_package.sh BUILD_FOLDER WORK_FOLDER
set -u
build=$1
work=$2
command -v lintian >/dev/null 2>&1 || { echo "lintian is not installed"; exit 77; }
rm -rf "$work"
mkdir -p "$work"
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    exit 1
fi
package=$(ls "$work"/*.deb 2>/dev/null | head -n 1)
[ -n "$package" ] || { echo "cpack made no .deb"; cat "$work/cpack.log"; exit 1; }

lintian --pedantic -I -E "$package" >"$work/lintian.log" 2>&1
cat "$work/lintian.log"
status=0
if grep -q '^[EW]: ' "$work/lintian.log"; then
    echo "lintian reports errors or warnings on $(basename "$package")"
    status=1
fi
rm -rf "$work"
exit $status
