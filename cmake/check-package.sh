#!/usr/bin/env bash
# Checks a built Debian package the way a user meets it: every file the
# install lays out is in it and nothing else ships by mistake, the desktop
# entry and the AppStream metadata pass their validators, and the programs run
# from an unpacked copy: --version, and a first --user-folder run in a fresh
# home seeds the per-user folder from the package's own files and writes a
# snapshot where it was started.
# Usage: cmake/check-package.sh PACKAGE.deb
set -euo pipefail
deb=$(realpath "${1:?usage: check-package.sh PACKAGE.deb}")
id=io.github.vanemark.Vanemark
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package check: $*" >&2; exit 1; }

contents=$(dpkg-deb --contents "$deb" | awk '{ print $NF }')
shipped=(Vanemark.ini Vanemark.cfg dlkeys.ini)
expected=(usr/bin/vanemark usr/bin/devicelink-sim
          usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml
          usr/share/icons/hicolor/{48x48,128x128,256x256}/apps/$id.png usr/share/icons/hicolor/scalable/apps/$id.svg
          usr/share/man/man1/{vanemark,devicelink-sim}.1.gz)
for name in "${shipped[@]}"; do expected+=("usr/share/vanemark/$name"); done
# FlightGear's protocol file ships beside them for the pilot to copy; it is not seeded.
expected+=(usr/share/vanemark/vanemark.xml)
for path in "${expected[@]}"; do
    grep -qx "./$path" <<<"$contents" || fail "$path is not in the package"
done
extra=$(grep -v '/$' <<<"$contents" | grep -vxF -f <(printf './%s\n' "${expected[@]}") || true)
[ -z "$extra" ] || fail "files that should not ship: $extra"
depends=$(dpkg-deb --field "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks the Qt libraries the program links: $depends"

root=$work/root
dpkg -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$id.desktop"
grep -qx 'Exec=vanemark --user-folder' "$root/usr/share/applications/$id.desktop" || fail "the menu entry does not start the per-user run"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >/dev/null ||
    { appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"; fail "AppStream metadata invalid"; }

version=$(dpkg-deb --field "$deb" Version)
[ "$("$root/usr/bin/vanemark" --version)" = "Vanemark v$version" ] || fail "vanemark --version does not say $version"
"$root/usr/bin/devicelink-sim" --help >/dev/null || fail "devicelink-sim --help failed"

# A mark in the unpacked copy shows the program seeds from the package's files,
# not from a source tree it may have been built in.
printf '# unpacked copy\r\n' >>"$root/usr/share/vanemark/Vanemark.ini"
home=$work/home
mkdir -p "$home" "$work/runtime" && chmod 700 "$work/runtime"
(cd "$work" && HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen \
    timeout 60 "$root/usr/bin/vanemark" --user-folder --demo --snapshot F.png) || fail "the --user-folder snapshot run failed"
for name in "${shipped[@]}"; do
    cmp -s "$root/usr/share/vanemark/$name" "$home/.config/vanemark/$name" || fail "$name was not seeded from the package"
done
file "$work/F.png" | grep -q 'PNG image data' || fail "no snapshot PNG where the program was started"
echo "package check: $(basename "$deb") passed"
