#!/usr/bin/env bash
# Builds the Debian package with CPack into a scratch folder, checks its files
# and dependencies, unpacks it with dpkg -x and starts the unpacked program.
#   deb_package.sh BUILD_FOLDER APP_ID VERSION
set -euo pipefail
build=$1 id=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" || { cat "$work/cpack.log"; exit 1; }
deb=$(echo "$work/out/morvane_${version}_"*.deb)
[ -f "$deb" ] || { echo "FAIL: no morvane_${version}_*.deb"; ls "$work/out"; exit 1; }
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# Exactly these files, each where a desktop looks for it.
expected=$(printf '%s\n' usr/bin/morvane \
    "usr/share/applications/$id.desktop" \
    "usr/share/metainfo/$id.metainfo.xml" \
    "usr/share/mime/packages/$id.xml" \
    usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/"$id.png" \
    "usr/share/icons/hicolor/scalable/apps/$id.svg" \
    usr/share/doc/morvane/copyright | sort)
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort)
[ "$files" = "$expected" ] || fail "files differ from the expected list:
$(diff <(echo "$expected") <(echo "$files") || true)"

# Dependencies: the libraries dpkg-shlibdeps found, the fonts and Qt's Chinese texts.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 fonts-noto-cjk fonts-arphic-ukai qt6-translations-l10n; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done

# The unpacked program answers and starts.
dpkg -x "$deb" "$work/root"
program=$work/root/usr/bin/morvane
export XDG_RUNTIME_DIR=$work
unset QT_QPA_PLATFORM
answer=$("$program" -platform offscreen --version)
[ "$answer" = "Morvane 结构设计计算 $version" ] || fail "--version says: $answer"

# Started as the launcher starts it, its Exec line found on the PATH; the
# files it is given to open (%F) are none here.
launcher=$work/root/usr/share/applications/$id.desktop
exec_line=$(sed -n 's/^Exec=//p' "$launcher")
[ "$exec_line" = "morvane %F" ] || fail "the launcher runs: $exec_line"
command=${exec_line%% %F}
PATH=$work/root/usr/bin:$PATH "$command" -platform offscreen &
pid=$!
sleep 3
if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    wait "$pid" 2>/dev/null || true
else
    wait "$pid" && status=0 || status=$?
    fail "the unpacked program ended within 3 s (exit status $status)"
fi

[ "$failed" = 0 ] && echo "Debian package passes: $(basename "$deb")"
exit "$failed"
