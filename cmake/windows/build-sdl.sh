#!/usr/bin/env bash
# Builds SDL 2.26.5 (SDL2.dll, for the joystick reader) for 64-bit Windows
# with Debian's mingw-w64 from Debian's own libsdl2 source package, the
# version of the host's libsdl2-dev, and installs it into
#   ${XDG_CACHE_HOME:-$HOME/.cache}/vanemark/sdl2-2.26.5-mingw64
# Prints that path at the end. A complete install of the same recipe is reused
# at once; anything else is rebuilt. Takes a few minutes on two idle cores, at
# the lowest CPU and I/O priority.
#
# Environment:
#   VANEMARK_SDL_JOBS=N       parallel compile jobs (2)
#   VANEMARK_KEEP_SDL_BUILD=1 keep the unpacked source and build folder
#   VANEMARK_DEBIAN_MIRROR=URL  the archive to fetch the source from (by
#                             default the Debian archives apt already uses)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
library=libsdl2
sdl_version=2.26.5
name=sdl2-$sdl_version-mingw64
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/vanemark
prefix=$cache_root/$name
work=$cache_root/build/$name
logs=$work/logs
stamp=$prefix/.vanemark-complete
toolchain=$here/toolchain-mingw64-sdl.cmake
jobs=${VANEMARK_SDL_JOBS:-2}

# The Linux build's libsdl2-dev only names the version; nothing of it is used.
# SDL is C, but its project enables C++ as well.
packages=(g++-mingw-w64-x86-64-posix cmake ninja-build dpkg-dev xz-utils)

install_missing() {
    local missing=() p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

duration() { printf '%d:%02d' $(($1 / 60)) $(($1 % 60)); }

# step NAME COMMAND...: runs COMMAND with its output in logs/NAME.log and
# reports how long it took; a failure ends the script with the log's tail.
step() {
    local step_name=$1 log=$logs/$1.log start=$SECONDS rc
    shift
    printf '  %-10s ' "$step_name"
    # Not under `||`: bash would then ignore errexit inside the step.
    set +e
    (set -e; "$@") >"$log" 2>&1
    rc=$?
    set -e
    local took
    took=$(duration $((SECONDS - start)))
    if [ $rc -ne 0 ]; then
        echo "FAILED after $took"
        {
            echo "$library $sdl_version: step '$step_name' failed (exit $rc). Last lines of its log:"
            tail -n 30 "$log" | sed 's/^/  | /'
            echo "Log: $log"
        } >&2
        exit 1
    fi
    echo "done in $took"
}

# Compilers yield to everything else on the machine.
idle=(nice -n 19)
ionice -c 3 true 2>/dev/null && idle+=(ionice -c 3)

# The Debian source version of the host's libsdl2-dev: the installed one, or
# the one apt would install. Windows and Linux then read the same joysticks
# with the same code and the same controller database.
host_source_version() {
    if dpkg-query -W -f='${Status}' libsdl2-dev 2>/dev/null | grep -q "install ok installed"; then
        dpkg-query -W -f='${source:Version}' libsdl2-dev
        return
    fi
    # A binNMU's Source field names the source version in parentheses.
    apt-cache show --no-all-versions libsdl2-dev 2>/dev/null | awk '
        /^Version: / { version = $2 }
        /^Source: / && $3 ~ /^\(/ { source = $3; gsub(/[()]/, "", source) }
        END { print (source != "" ? source : version) }'
}

# deb-src lines for the Debian archives apt already fetches binaries from (the
# same mirror and suites), or for VANEMARK_DEBIAN_MIRROR.
debian_sources() {
    local keyring=/usr/share/keyrings/debian-archive-keyring.gpg options="" codename
    [ -f "$keyring" ] && options="[signed-by=$keyring] "
    if [ -n "${VANEMARK_DEBIAN_MIRROR:-}" ]; then
        codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
        echo "deb-src $options$VANEMARK_DEBIAN_MIRROR $codename main"
        return
    fi
    local entries
    entries=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' \
        'Created-By: Packages' 'Origin: Debian' 2>/dev/null | sort -u)
    if [ -z "$entries" ]; then
        codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
        entries="http://deb.debian.org/debian $codename main"
    fi
    sed "s|^|deb-src $options|" <<<"$entries"
}

# apt with a source list, package lists and cache of its own: the machine's
# configuration and state stay as they are, and no root is needed.
fetch_source() {
    local apt=$work/apt
    rm -rf "$apt" "$work/download.partial"
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/sources.list.d" "$work/download.partial"
    debian_sources >"$apt/sources.list"
    cat "$apt/sources.list"
    local options=(-o "Dir::Etc::sourcelist=$apt/sources.list" -o "Dir::Etc::sourceparts=$apt/sources.list.d"
                   -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache")
    # As root apt downloads as _apt, who cannot write into root's home.
    [ "$(id -u)" -ne 0 ] || options+=(-o APT::Sandbox::User=root)
    apt-get "${options[@]}" --error-on=any update
    (cd "$work/download.partial" && apt-get "${options[@]}" source --download-only "$library=$source_version")
    rm -rf "$work/download" "$apt"
    mv "$work/download.partial" "$work/download"
}

# Debian's patches applied (security fixes among them).
unpack_source() {
    rm -rf "$work/source"
    mkdir -p "$work/source"
    dpkg-source -x "$dsc" "$source_dir"
    echo "$source_version" >"$work/source/.unpacked"
}

configure_sdl() {
    rm -rf "$build_dir" "$prefix"
    local options=(
        -G Ninja
        -DCMAKE_TOOLCHAIN_FILE="$toolchain"
        -DCMAKE_INSTALL_PREFIX="$prefix"
        -DCMAKE_INSTALL_LIBDIR=lib
        -DCMAKE_BUILD_TYPE=Release
        -DSDL_SHARED=ON -DSDL_STATIC=OFF
        -DSDL_TEST=OFF -DSDL_TESTS=OFF
        # The compiler is the cross compiler alone, whatever the host has.
        -DSDL_CCACHE=OFF
        # The joystick reader's part, stated so that a changed default in a
        # newer source stops the build rather than the reader. Its Windows
        # drivers (DirectInput, XInput, raw input, HIDAPI and, where the
        # headers have it, Windows.Gaming.Input) are what SDL chooses.
        -DSDL_JOYSTICK=ON -DSDL_HAPTIC=ON -DSDL_EVENTS=ON
        -DSDL_HIDAPI=ON -DSDL_HIDAPI_JOYSTICK=ON -DSDL_VIRTUAL_JOYSTICK=ON
        # Nothing plays sound. Video stays: DirectInput needs the helper
        # window, which lives in the Windows video driver.
        -DSDL_AUDIO=OFF
    )
    "${idle[@]}" cmake -S "$source_dir" -B "$build_dir" "${options[@]}"
    echo "$recipe" >"$build_dir/.vanemark-configured"
}

build_sdl() { "${idle[@]}" cmake --build "$build_dir" --parallel "$jobs"; }

install_sdl() { "${idle[@]}" cmake --install "$build_dir"; }

# The joystick drivers SDL_config.h enables, by name.
joystick_drivers() {
    sed -n 's/^#define SDL_JOYSTICK_\([A-Z0-9_]*\) 1$/\1/p' "$prefix/include/SDL2/SDL_config.h" | sort | tr '\n' ' '
}

verify_install() {
    local absent=0 f dll=$prefix/bin/SDL2.dll
    for f in bin/SDL2.dll lib/libSDL2.dll.a include/SDL2/SDL.h include/SDL2/SDL_config.h \
             lib/cmake/SDL2/SDL2Config.cmake lib/cmake/SDL2/SDL2Targets.cmake; do
        if [ -e "$prefix/$f" ]; then echo "ok      $f"; else echo "MISSING $f"; absent=1; fi
    done
    [ $absent -eq 0 ] || return 1
    echo "joystick drivers: $(joystick_drivers)"
    grep -q '^#define SDL_JOYSTICK_VIRTUAL 1$' "$prefix/include/SDL2/SDL_config.h" ||
        { echo "SDL_config.h: no virtual joystick driver"; return 1; }
    # Read whole first: grep -q leaving a pipe early fails it under pipefail.
    local table imports
    table=$(x86_64-w64-mingw32-objdump -p "$dll")
    grep -qw SDL_JoystickAttachVirtualEx <<<"$table" ||
        { echo "SDL2.dll does not export SDL_JoystickAttachVirtualEx"; return 1; }
    # Only Windows' own DLLs: the package finds nothing else to ship for it.
    imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$table" | tr -d '\r')
    echo "SDL2.dll imports: $(tr '\n' ' ' <<<"$imports")"
    if grep -iE '^(libgcc|libstdc|libwinpthread)' <<<"$imports"; then
        echo "SDL2.dll needs the compiler's runtime DLLs"
        return 1
    fi
}

install_missing

source_version=$(host_source_version)
case "$source_version" in
"$sdl_version"[+-]*) ;;
*)
    echo "The host's libsdl2-dev is '${source_version:-not known to apt}'; this recipe builds SDL $sdl_version" \
         "for Windows, to match it." >&2
    exit 1
    ;;
esac
mingw_version=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)

# The same source, compiler and recipe give the same SDL; any change rebuilds.
recipe=$(cat "${BASH_SOURCE[0]}" "$toolchain" | sha256sum | cut -d' ' -f1)
expected_stamp="$library $source_version
g++-mingw-w64-x86-64-posix $mingw_version
recipe $recipe"

cached() { [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$expected_stamp" ]; }

if cached; then
    echo "SDL $sdl_version for Windows: cached in $prefix"
    exit 0
fi

mkdir -p "$cache_root" "$logs"
exec 9>"$cache_root/.$name.lock"
if ! flock -n 9; then
    echo "Waiting for another build of $name to finish..."
    flock 9
    if cached; then
        echo "SDL $sdl_version for Windows: cached in $prefix"
        exit 0
    fi
fi

dsc=$work/download/${library}_${source_version#*:}.dsc
source_dir=$work/source/$library
build_dir=$work/build
started=$SECONDS
echo "Building SDL $sdl_version (Debian source $library $source_version) for Windows x86_64 into $prefix"
echo "Logs: $logs"
rm -f "$stamp"

if [ -f "$dsc" ]; then
    echo "  fetch      already downloaded"
else
    step fetch fetch_source
fi

if [ -f "$work/source/.unpacked" ] && [ "$(cat "$work/source/.unpacked")" = "$source_version" ]; then
    echo "  unpack     already unpacked"
else
    step unpack unpack_source
fi

if [ -f "$build_dir/.vanemark-configured" ] && [ "$(cat "$build_dir/.vanemark-configured")" = "$recipe" ]; then
    echo "  configure  already configured, resuming the build"
else
    step configure configure_sdl
fi

step build build_sdl
step install install_sdl
step verify verify_install
echo "  joystick drivers: $(joystick_drivers)"

printf '%s\n' "$expected_stamp" >"$stamp"

if [ "${VANEMARK_KEEP_SDL_BUILD:-0}" != 1 ]; then
    # The downloaded source package (6 MB) stays for a rebuild; the unpacked
    # source and the build folder go.
    rm -rf "$build_dir" "$work/source"
fi

echo "Done in $(duration $((SECONDS - started))); $(du -sh "$prefix" | cut -f1) in $prefix"
