#!/usr/bin/env bash
# Builds Qt 6.4.2 (qtbase: Core, Gui, Widgets, Network, Test and the plugins a
# Widgets program needs on Windows) for 64-bit Windows with Debian's mingw-w64
# from Debian's own qt6-base source package, and installs it into
#   ${XDG_CACHE_HOME:-$HOME/.cache}/vanemark/qt6-base-6.4.2-mingw64
# Prints that path at the end. A complete install of the same recipe is reused
# at once; anything else is rebuilt. Takes about half an hour on two idle
# cores, at the lowest CPU and I/O priority.
#
# Environment:
#   VANEMARK_QT_JOBS=N       parallel compile jobs (2)
#   VANEMARK_KEEP_QT_BUILD=1 keep the unpacked source and build folder
#   VANEMARK_DEBIAN_MIRROR=URL  the archive to fetch the source from (by
#                            default the Debian archives apt already uses)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
library=qt6-base
qt_version=6.4.2
name=$library-$qt_version-mingw64
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/vanemark
prefix=$cache_root/$name
work=$cache_root/build/$name
logs=$work/logs
stamp=$prefix/.vanemark-complete
toolchain=$here/toolchain-mingw64-qt.cmake
# Inside the prefix, so that the installed qt-cmake, which loads the toolchain
# Qt was configured with, keeps working when the source tree moves.
installed_toolchain=$prefix/share/vanemark/toolchain-mingw64.cmake
jobs=${VANEMARK_QT_JOBS:-2}

# The host Qt (moc, rcc, uic and Qt6HostInfo) must be the very version built
# for Windows; the fetched source is chosen to match it.
packages=(g++-mingw-w64-x86-64-posix cmake ninja-build qt6-base-dev qt6-base-dev-tools
          dpkg-dev perl xz-utils)

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
            echo "$library $qt_version: step '$step_name' failed (exit $rc). Last lines of its log:"
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

configure_qt() {
    rm -rf "$build_dir" "$prefix"
    mkdir -p "$(dirname "$installed_toolchain")"
    cp "$toolchain" "$installed_toolchain"
    local options=(
        -G Ninja
        -DCMAKE_TOOLCHAIN_FILE="$installed_toolchain"
        -DCMAKE_INSTALL_PREFIX="$prefix"
        -DCMAKE_BUILD_TYPE=Release
        -DBUILD_SHARED_LIBS=ON
        # Debian's Qt of the same version supplies moc, rcc and uic. Its CMake
        # packages are not under QT_HOST_PATH/lib/cmake but in the multiarch
        # folder, which has to be named too.
        -DQT_HOST_PATH=/usr
        -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$multiarch/cmake"
        -DQT_BUILD_TESTS=OFF
        -DQT_BUILD_EXAMPLES=OFF
        -DQT_BUILD_BENCHMARKS=OFF
        # AUTOMOC otherwise runs one moc per CPU inside a single build job,
        # past the job limit.
        -DCMAKE_AUTOGEN_PARALLEL=1
        # The modules used: Core, Gui, Widgets, Network, Test.
        -DFEATURE_gui=ON -DFEATURE_widgets=ON -DFEATURE_network=ON -DFEATURE_testlib=ON
        -DFEATURE_concurrent=OFF -DFEATURE_sql=OFF -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF
        -DFEATURE_dbus=OFF
        -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF
        # The windowsvista style is what a Widgets program looks like on Windows.
        -DFEATURE_style_windowsvista=ON
        # Third-party code from Qt's own tree; nothing of the host's may leak in.
        -DFEATURE_pkg_config=OFF
        -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
        -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
        -DFEATURE_freetype=ON -DFEATURE_harfbuzz=ON -DFEATURE_png=ON
        -DFEATURE_zstd=OFF -DFEATURE_openssl=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF
        -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_tuiotouch=OFF
        # Debian's source lacks the Wintab headers the Windows plugin's tablet
        # support needs.
        -DFEATURE_tabletevent=OFF
        # With DirectWrite 3 but without Direct2D, qwindows.dll does not link;
        # the plugin then uses the GDI font database, its default anyway.
        -DFEATURE_directwrite3=OFF -DFEATURE_direct2d=OFF
        # Debian's packaging enables it for every cross build.
        -DFEATURE_androiddeployqt=OFF
    )
    "${idle[@]}" cmake -S "$source_dir" -B "$build_dir" "${options[@]}"
    echo "$recipe" >"$build_dir/.vanemark-configured"
}

build_qt() { "${idle[@]}" cmake --build "$build_dir" --parallel "$jobs"; }

install_qt() { "${idle[@]}" cmake --install "$build_dir"; }

verify_install() {
    local absent=0 f
    for f in bin/qt-cmake lib/cmake/Qt6/Qt6Config.cmake \
             bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6Network.dll bin/Qt6Test.dll \
             plugins/platforms/qwindows.dll plugins/platforms/qoffscreen.dll \
             plugins/styles/qwindowsvistastyle.dll; do
        if [ -e "$prefix/$f" ]; then echo "ok      $f"; else echo "MISSING $f"; absent=1; fi
    done
    return $absent
}

install_missing

source_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
case "$source_version" in
"$qt_version"[+-]*) ;;
*)
    echo "The host Qt (qt6-base-dev) is $source_version; this recipe builds Qt $qt_version for Windows" \
         "and needs the host Qt of the same version." >&2
    exit 1
    ;;
esac
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
mingw_version=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)

# The same source, compiler and recipe give the same Qt; any change rebuilds.
recipe=$(cat "${BASH_SOURCE[0]}" "$toolchain" | sha256sum | cut -d' ' -f1)
expected_stamp="$library $source_version
g++-mingw-w64-x86-64-posix $mingw_version
recipe $recipe"

cached() { [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$expected_stamp" ]; }

if cached; then
    echo "$library $qt_version for Windows: cached in $prefix"
    exit 0
fi

mkdir -p "$cache_root" "$logs"
exec 9>"$cache_root/.$name.lock"
if ! flock -n 9; then
    echo "Waiting for another build of $name to finish..."
    flock 9
    if cached; then
        echo "$library $qt_version for Windows: cached in $prefix"
        exit 0
    fi
fi

dsc=$work/download/${library}_${source_version#*:}.dsc
source_dir=$work/source/$library
build_dir=$work/build
started=$SECONDS
echo "Building $library $qt_version (Debian source $source_version) for Windows x86_64 into $prefix"
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

# A build folder of the same recipe resumes where it stopped; any other is
# started afresh, as Qt's feature choices do not all change on reconfiguring.
if [ -f "$build_dir/.vanemark-configured" ] && [ "$(cat "$build_dir/.vanemark-configured")" = "$recipe" ]; then
    echo "  configure  already configured, resuming the build"
    mkdir -p "$(dirname "$installed_toolchain")"
    cmp -s "$toolchain" "$installed_toolchain" || cp "$toolchain" "$installed_toolchain"
else
    step configure configure_qt
fi

step build build_qt
step install install_qt
step verify verify_install

printf '%s\n' "$expected_stamp" >"$stamp"

if [ "${VANEMARK_KEEP_QT_BUILD:-0}" != 1 ]; then
    # The downloaded source package (46 MB) stays for a rebuild; the unpacked
    # source and the build folder (1 GB together) go.
    rm -rf "$build_dir" "$work/source"
fi

echo "Done in $(duration $((SECONDS - started))); $(du -sh "$prefix" | cut -f1) in $prefix"
