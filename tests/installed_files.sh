#!/usr/bin/env bash
# Installs the program into a scratch prefix, as `cmake --install` does
# system-wide, and checks what a desktop finds there with the freedesktop
# tools: the launcher, the AppStream data and the icon theme; and compares
# the launcher and the AppStream data, as installed, with the copies kept in
# GOLDEN_FOLDER (MORVANE_REWRITE_GOLDEN=1 rewrites those copies instead).
#   installed_files.sh BUILD_FOLDER APP_ID VERSION DOCS_FOLDER GOLDEN_FOLDER
set -euo pipefail
build=$1 id=$2 version=$3 docs=$4 golden=$5
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix/usr" >/dev/null
share=$prefix/usr/share
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# The validators pass without a word: any hint, info or warning fails.
# The capitalisation hints are pedantic here: Chinese has no capitals.
report=$(desktop-file-validate "$share/applications/$id.desktop" 2>&1) || true
[ -z "$report" ] || fail "desktop-file-validate: $report"
report=$(appstreamcli validate-tree --no-net --strict \
    --override=summary-first-word-not-capitalized=pedantic,description-first-word-not-capitalized=pedantic \
    "$prefix/usr" 2>&1) || fail "appstreamcli validate-tree: $report"

# Each icon bitmap is as large as its folder says.
for size in 16 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x${size}/apps/$id.png
    file -b "$icon" | grep -q "^PNG image data, $size x $size," || fail "$icon: $(file -b "$icon")"
done

# The newest release the AppStream data names is the one built.
metainfo=$share/metainfo/$id.metainfo.xml
release=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d '"' -f 2)
[ "$release" = "$version" ] || fail "the newest release in the AppStream data is '$release', not $version"

# Every screenshot the AppStream data names is a picture kept in docs/.
shots=$(grep -o '<image[^>]*>[^<]*' "$metainfo" | sed 's|.*/||')
[ -n "$shots" ] || fail "no screenshots in the AppStream data"
for shot in $shots; do
    [ -f "$docs/$shot" ] || fail "screenshot $shot is not in docs/"
done

# The type of a calculation file: the database the file manager reads,
# built from what is installed, gives *.mvcalc its type, and the launcher
# opens it.
report=$(update-mime-database "$share/mime" 2>&1) || fail "update-mime-database: $report"
grep -qx 'application/x-morvane-calculation:\*\.mvcalc' "$share/mime/globs" ||
    fail "*.mvcalc is not application/x-morvane-calculation: $(cat "$share/mime/globs" 2>&1)"
grep -qx 'MimeType=application/x-morvane-calculation;' "$share/applications/$id.desktop" ||
    fail "the launcher does not open calculation files"

# The launcher, the AppStream data and the file type line for line as kept:
# its name, Terminal=false, the categories, the MIME type, the version and
# the release.
for installed in "$share/applications/$id.desktop" "$share/metainfo/$id.metainfo.xml" "$share/mime/packages/$id.xml"; do
    kept=$golden/$(basename "$installed")
    if [ "${MORVANE_REWRITE_GOLDEN:-}" = 1 ]; then
        cp "$installed" "$kept" && echo "rewrote $kept"
    elif ! difference=$(diff -u "$kept" "$installed" 2>&1); then
        fail "the installed $(basename "$installed") differs from $kept (- kept, + installed):
$difference
If the change is meant: MORVANE_REWRITE_GOLDEN=1 ctest --test-dir build -L golden"
    fi
done

[ "$failed" = 0 ] && echo "installed files pass"
exit "$failed"
