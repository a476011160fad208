#!/usr/bin/env bash
# Installs the program into a scratch prefix, as `cmake --install` does
# system-wide, and checks what a desktop finds there with the freedesktop
# tools: the launcher, the AppStream data and the icon theme.
#   installed_files.sh BUILD_FOLDER APP_ID VERSION DOCS_FOLDER
set -euo pipefail
build=$1 id=$2 version=$3 docs=$4
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

[ "$failed" = 0 ] && echo "installed files pass"
exit "$failed"
