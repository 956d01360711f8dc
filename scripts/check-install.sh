#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks the result as a desktop and a shell see
# it: every file in place, the desktop entry and the AppStream metadata valid, quarvel-cli
# running from there, and quarvel starting with its settings in a temporary home folder
# while nothing is written beside its executable.
# Usage: check-install.sh BUILD_DIR DESKTOP_ID VERSION
set -euo pipefail
build=$1 id=$2 version=$3

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
fail() { echo "check-install: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" > /dev/null

for file in bin/quarvel bin/quarvel-cli share/quarvel/logo.jpg \
            share/quarvel/Language/English.txt share/applications/$id.desktop \
            share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/256x256/apps/$id.png \
            share/metainfo/$id.metainfo.xml share/man/man1/quarvel-cli.1; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ ! -e "$prefix/quarvel" ] && [ ! -e "$prefix/Language" ] ||
    fail "the portable folder's files were installed too"

desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
grep -qx "Exec=quarvel" "$prefix/share/applications/$id.desktop" ||
    fail "the desktop entry does not start quarvel"

printed=$("$prefix/bin/quarvel-cli" --version)
[ "$printed" = "$version" ] || fail "quarvel-cli --version printed '$printed', not '$version'"

# quarvel starts up (reading its settings), then quits; run from an empty folder.
home=$tmp/home work=$tmp/work
mkdir -p "$home" "$work"
(cd "$work" && HOME=$home XDG_CONFIG_HOME=$home/.config QT_QPA_PLATFORM=offscreen \
    QUARVEL_QUIT_AFTER_START=1 "$prefix/bin/quarvel") || fail "quarvel did not start"
[ -d "$home/.config/quarvel" ] || fail "no configuration folder in the home folder"
[ "$(ls -A "$prefix/bin")" = $'quarvel\nquarvel-cli' ] ||
    fail "files beside the executable: $(ls -A "$prefix/bin" | tr '\n' ' ')"
[ -z "$(ls -A "$work")" ] || fail "files in the working folder: $(ls -A "$work" | tr '\n' ' ')"
echo "check-install: $prefix is complete and valid"
