#!/usr/bin/env bash
# package.sh BUILD_DIR OUT_DIR
# Makes the two Windows packages of a windows-gui build:
#   OUT_DIR/Vanemark-VERSION-win64.zip        unpack and run; settings beside the program
#   OUT_DIR/Vanemark-VERSION-win64-setup.exe  per-user setup; settings in %APPDATA%\Vanemark
# Both carry the same folder: what `cmake --install` lays out, the DLLs the
# programs and Qt's plugins load (Qt's, SDL2.dll and the compiler's runtime,
# found by walking their import tables), the plugins, Qt's German and Russian
# texts, qt.conf and the pilots' README.txt.
# The zip adds the file `portable`, which keeps the settings beside the program.
# Work files go to OUT_DIR/staging. Needs the mingw-w64 binutils, zip and
# makensis (./dev windows installs them).
set -euo pipefail

die() {
    echo "package.sh: $*" >&2
    exit 1
}

[ $# -eq 2 ] || die "usage: package.sh BUILD_DIR OUT_DIR"
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd) || die "no build folder $1"
mkdir -p "$2"
out=$(cd "$2" && pwd)
started=$SECONDS

for tool in x86_64-w64-mingw32-objdump x86_64-w64-mingw32-strip zip makensis; do
    command -v "$tool" >/dev/null || die "$tool is missing (./dev windows installs it)"
done

# Everything below comes from the build's own cache, so a build configured
# against another Qt or compiler is packaged with its own.
cache_value() {
    sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt" | head -n 1
}
[ -f "$build/CMakeCache.txt" ] || die "$build is not a configured build (no CMakeCache.txt)"
version=$(cache_value CMAKE_PROJECT_VERSION)
[ -n "$version" ] || die "no CMAKE_PROJECT_VERSION in $build/CMakeCache.txt"
qt=$(cache_value VANEMARK_WINDOWS_QT)
[ -d "$qt/bin" ] || die "the build's Qt ($qt) has no bin folder"
# SDL2.dll, which the joystick reader links, from the SDL the build was
# configured against.
sdl=$(cache_value VANEMARK_WINDOWS_SDL)
[ -n "$sdl" ] || die "$build was configured before SDL joined the Windows build (no VANEMARK_WINDOWS_SDL):" \
    "configure it again"
[ -f "$sdl/bin/SDL2.dll" ] || die "the build's SDL ($sdl) has no bin/SDL2.dll (cmake/windows/build-sdl.sh makes it)"
cxx=$(cache_value CMAKE_CXX_COMPILER)
cxx=${cxx:-x86_64-w64-mingw32-g++-posix}

name=Vanemark-$version
staging=$out/staging
stage=$staging/$name
zip_file=$out/$name-win64.zip
setup_file=$out/$name-win64-setup.exe
rm -rf "$staging" "$zip_file" "$setup_file"
mkdir -p "$stage"

echo "== staging $name in $stage"
cmake --install "$build" --prefix "$stage" >"$staging/install.log" ||
    die "cmake --install $build failed (see $staging/install.log)"
# A build tree configured before Windows got its flat layout keeps bin/ and
# share/vanemark in its cache. The program looks for its shipped files beside
# itself, so the package is flattened all the same, but say so: the build's
# own install is then not what ships.
if [ -d "$stage/bin" ] || [ -d "$stage/share/vanemark" ]; then
    echo "package.sh: WARNING: cmake --install laid out bin/ and share/vanemark/ (the build's cache has" \
        "CMAKE_INSTALL_BINDIR=$(cache_value CMAKE_INSTALL_BINDIR)); flattening them into one folder" >&2
    for sub in bin share/vanemark; do
        if [ -d "$stage/$sub" ]; then
            mv "$stage/$sub"/* "$stage/"
        fi
    done
    rm -rf "${stage:?}/bin" "${stage:?}/share"
fi
for file in vanemark.exe devicelink-sim.exe Vanemark.ini Vanemark.cfg dlkeys.ini vanemark.xml; do
    [ -f "$stage/$file" ] || die "cmake --install did not lay out $file"
done

# Qt's plugins are not in any import table: the ones the program loads by
# name. No offscreen plugin: a pilot always has a desktop, and the proof
# brings its own copy.
plugins=(platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qico.dll)
for plugin in "${plugins[@]}"; do
    [ -f "$qt/plugins/$plugin" ] || die "the build's Qt has no plugin $plugin"
    mkdir -p "$stage/plugins/$(dirname "$plugin")"
    cp "$qt/plugins/$plugin" "$stage/plugins/$plugin"
done

# The DLLs come from Qt's and SDL's bin folders and the compiler's runtime
# folders. A DLL found in none must be one Windows itself provides: an API set
# (api-ms-win-*: the loader maps the name, no file has it) or one that Wine,
# standing in for Windows here, has too. Any other name (a dependency of a
# newer Qt, say) stops the packaging instead of the pilot's first start.
dll_folders=("$qt/bin" "$sdl/bin")
for runtime in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    path=$("$cxx" -print-file-name="$runtime")
    [ -f "$path" ] || die "$cxx does not know where $runtime is"
    folder=$(cd "$(dirname "$path")" && pwd -P)
    [[ " ${dll_folders[*]} " == *" $folder "* ]] || dll_folders+=("$folder")
done
wine_dlls=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
[ -d "$wine_dlls" ] || die "no Wine DLL folder $wine_dlls to tell Windows's own DLLs by (install wine64)"

# The folder file $1 (a DLL name, any case) is found in, or nothing.
find_dll() {
    local folder match
    for folder in "${dll_folders[@]}"; do
        match=$(find "$folder" -maxdepth 1 -iname "$1" -print -quit)
        if [ -n "$match" ]; then
            echo "$match"
            return
        fi
    done
}

declare -A shipped=() system=()
# Adds every DLL that $1 imports, and theirs in turn, to the stage.
add_imports() {
    local dll key found
    while read -r dll; do
        key=${dll,,}
        [ -n "${shipped[$key]:-}" ] && continue
        [ -n "${system[$key]:-}" ] && continue
        found=$(find_dll "$dll")
        if [ -n "$found" ]; then
            shipped[$key]=$found
            cp "$found" "$stage/$(basename "$found")"
            add_imports "$found"
        elif [[ $key == api-ms-win-* || $key == ext-ms-win-* ]] ||
            [ -n "$(find "$wine_dlls" -maxdepth 1 -iname "$dll" -print -quit)" ]; then
            system[$key]=1
        else
            die "$(basename "$1") imports $dll, which is neither in ${dll_folders[*]} nor a Windows DLL"
        fi
    done < <(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr -d '\r')
}
for binary in "$stage/vanemark.exe" "$stage/devicelink-sim.exe" "${plugins[@]/#/$stage/plugins/}"; do
    add_imports "$binary"
done
echo "   DLLs shipped: $(for k in "${!shipped[@]}"; do basename "${shipped[$k]}"; done | LC_ALL=C sort | tr '\n' ' ')"
echo "   left to Windows: $(printf '%s\n' "${!system[@]}" | LC_ALL=C sort | tr '\n' ' ')"

# Qt's own texts of its dialogs, the ones the program's languages need.
mkdir -p "$stage/translations"
for lang in de ru; do
    qm=/usr/share/qt6/translations/qtbase_$lang.qm
    [ -f "$qm" ] || die "$qm is missing (Debian package qt6-translations-l10n)"
    cp "$qm" "$stage/translations/"
done

# Without it Qt takes the folder above Qt6Core.dll for its prefix (its own
# bin/ layout) and finds neither plugins nor texts. Relative paths count
# from the folder of qt.conf, so the installed folder can move.
printf '[Paths]\r\nPrefix=.\r\nPlugins=plugins\r\nTranslations=translations\r\n' >"$stage/qt.conf"

# Notepad of older Windows shows a file with bare LF line ends as one line.
sed 's/$/\r/' "$here/README.txt" >"$stage/README.txt"

# Same inputs, same bytes: fixed dates and modes, sorted entries, no extra
# attributes. The date is the last commit's (SOURCE_DATE_EPOCH wins); strip
# writes it into each binary's header too, instead of the time of the run.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$repo" log -1 --format=%ct 2>/dev/null || echo 315532800)}
export SOURCE_DATE_EPOCH
epoch=$SOURCE_DATE_EPOCH
find "$stage" -iname '*.exe' -exec x86_64-w64-mingw32-strip --strip-all {} + || die "stripping the programs failed"
find "$stage" -iname '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} + || die "stripping the DLLs failed"
chmod -R u=rwX,go=rX "$stage"
find "$stage" -exec touch -h -d "@$epoch" {} +

# The setup's file lists: what the uninstaller deletes is exactly what the
# setup wrote, folders last and deepest first.
files_nsh=$staging/files.nsh
unfiles_nsh=$staging/unfiles.nsh
winpath() { printf '%s' "$1" | tr '/' '\\'; }
{
    (cd "$stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) | while read -r file; do
        dir=$(dirname "$file")
        if [ "$dir" = . ]; then
            echo "SetOutPath \"\$INSTDIR\""
        else
            echo "SetOutPath \"\$INSTDIR\\$(winpath "$dir")\""
        fi
        echo "File \"$stage/$file\""
    done
    echo "SetOutPath \"\$INSTDIR\""
} >"$files_nsh"
{
    (cd "$stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) | while read -r file; do
        echo "Delete \"\$INSTDIR\\$(winpath "$file")\""
    done
    (cd "$stage" && find . -mindepth 1 -type d | sed 's|^\./||' | LC_ALL=C sort -r) | while read -r dir; do
        echo "RMDir \"\$INSTDIR\\$(winpath "$dir")\""
    done
} >"$unfiles_nsh"

size_kb=$(du -s --apparent-size --block-size=1K "$stage" | cut -f1)

icon=$repo/res/package/icons/vanemark.ico
if [ ! -f "$icon" ]; then
    # Until the program's own icon is in the tree, one made from its PNGs.
    icon=$staging/vanemark.ico
    convert=/usr/bin/convert
    [ -x "$convert" ] || die "no res/package/icons/vanemark.ico, and no ImageMagick ($convert) to make one"
    echo "   no res/package/icons/vanemark.ico: the setup uses one made from the PNG icons"
    "$convert" "$repo/res/package/icons/vanemark-48.png" "$repo/res/package/icons/vanemark-256.png" \
        \( "$repo/res/package/icons/vanemark-256.png" -resize 32x32 \) \
        \( "$repo/res/package/icons/vanemark-256.png" -resize 16x16 \) "$icon" || die "making $icon failed"
fi

echo "== setup: $setup_file"
[[ $version =~ ^[0-9]+(\.[0-9]+){0,3}$ ]] || die "version '$version' is not numbers and dots"
file_version=$version
while [ "$(tr -cd . <<<"$file_version" | wc -c)" -lt 3 ]; do
    file_version=$file_version.0
done
makensis -V2 -NOCD \
    -DVERSION="$version" -DFILE_VERSION="$file_version" \
    -DFILES="$files_nsh" -DUNFILES="$unfiles_nsh" -DSIZE_KB="$size_kb" \
    -DICON="$icon" -DOUTFILE="$setup_file" \
    "$here/vanemark.nsi" >"$staging/makensis.log" 2>&1 ||
    { cat "$staging/makensis.log" >&2; die "makensis failed"; }
touch -d "@$epoch" "$setup_file"

echo "== zip: $zip_file"
# The zip's one difference from the setup: settings stay beside the program.
printf 'This file makes Vanemark keep its settings in this folder.\r\n' >"$stage/portable"
chmod 644 "$stage/portable"
touch -d "@$epoch" "$stage/portable" "$stage"
(cd "$staging" && find "$name" -print | LC_ALL=C sort | TZ=UTC zip -X -9 -q "$zip_file" -@) || die "zip failed"

echo "== packages ($((SECONDS - started)) s)"
for file in "$zip_file" "$setup_file"; do
    printf '%s  %s bytes (%s)\n' "$file" "$(stat -c %s "$file")" "$(du -h --apparent-size "$file" | cut -f1)"
done
