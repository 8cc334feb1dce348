#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# package.sh BUILD_DIR: the Windows installer and portable zip of the exes built
# in BUILD_DIR, made the same byte for byte from the same commit: every file
# dated SOURCE_DATE_EPOCH (the last commit's time unless set), stored in a
# fixed order, and SHA256SUMS beside them. Run by scripts/windows.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
cd "$source_dir"
. scripts/deps.sh
. scripts/reproducible.sh
zelva_reproducible_env
export TZ=UTC  # zip stores local times

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
package="zelvamirontica-$version-win64"
stage="$build/package/$package"
rm -rf "$build/package"
cmake --install "$build" --prefix "$stage" >/dev/null
# The install step stages both exes; the license travels with them, in CR LF
# for Notepad.
sed 's/$/\r/' "$source_dir/LICENSE" > "$stage/LICENSE.txt"
find "$build/package" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +

(cd "$build/package" && rm -f "$build/$package.zip" \
    && find "$package" -type f | LC_ALL=C sort | zip -q -X -D "$build/$package.zip" -@)
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DSOURCE="$source_dir" \
    -DOUTFILE="$build/$package.exe" "$here/installer.nsi"

zelva_write_sums "$build" zelvamirontica.exe zelvamirontica-batch.exe "$package.exe" "$package.zip"
