#!/usr/bin/env bash
# prove.sh BUILD_DIR OUT_DIR [WORK_DIR]
# Shows under Wine, in a Wine prefix made afresh for each run, that the
# packages package.sh wrote into OUT_DIR work as a pilot would use them:
#   a   the setup installs silently: files, Start-menu shortcut, uninstall key
#   b   the installed program's first --user-folder start seeds %APPDATA%\Vanemark
#       and draws the demo panel as the Linux build does, fonts aside
#   b2  Qt finds its German and Russian texts in the installed folder
#   b3  the installed folder alone is enough: every DLL and plugin the program
#       loads on Qt's own Windows platform comes from it
#   a2  a setup run over an installed copy restores its files and keeps the
#       settings
#   c   the installed program and the stand-in server talk over loopback and
#       the panel shows the server's values
#   d   the silent uninstaller removes files, shortcut and key, and leaves the
#       settings
#   e   the zip runs where it is unpacked, with its settings beside it
# One PASS or FAIL line per point, with the numbers behind it; exits 1 when
# any point fails. WORK_DIR (default BUILD_DIR/proof) holds the prefix and
# every file the runs write; it is removed at the start of each run.
set -euo pipefail

die() {
    echo "prove.sh: $*" >&2
    exit 1
}

[ $# -eq 2 ] || [ $# -eq 3 ] || die "usage: prove.sh BUILD_DIR OUT_DIR [WORK_DIR]"
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd) || die "no build folder $1"
out=$(cd "$2" && pwd) || die "no package folder $2"
work=${3:-$build/proof}
# Wine takes only an absolute prefix.
case $work in /*) ;; *) work=$PWD/$work ;; esac
started=$SECONDS

cache_value() {
    sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt" | head -n 1
}
[ -f "$build/CMakeCache.txt" ] || die "$build is not a configured build (no CMakeCache.txt)"
version=$(cache_value CMAKE_PROJECT_VERSION)
qt=$(cache_value VANEMARK_WINDOWS_QT)
fontdir=$(cache_value VANEMARK_WINE_FONTDIR)
fontdir=${fontdir:-/usr/share/fonts/truetype/liberation}
setup_exe=$out/Vanemark-$version-win64-setup.exe
zip_file=$out/Vanemark-$version-win64.zip
for file in "$setup_exe" "$zip_file"; do
    [ -f "$file" ] || die "no $file: run package.sh first"
done
[ -f "$qt/plugins/platforms/qoffscreen.dll" ] || die "the build's Qt ($qt) has no offscreen platform plugin"
[ -d "$fontdir" ] || die "no font folder $fontdir (Debian package fonts-liberation)"
for tool in /usr/bin/compare /usr/bin/convert /usr/bin/identify unzip strings timeout; do
    command -v "$tool" >/dev/null || die "$tool is missing (./dev windows installs it)"
done

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64) || die "wine64 is missing"
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver) || die "wineserver is missing"

# Nothing of the caller's Wine or Qt setup may help the programs: a DLL found
# through WINEPATH would hide one the package lacks.
unset WINEPATH WINEARCH DISPLAY WAYLAND_DISPLAY
for name in $(env | sed -n 's/^\(\(WINE\)\{0,1\}QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
    unset "$name"
done
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# A server of an earlier run of this prefix still up would serve the new
# prefix's programs from the deleted one's state.
if [ -d "$WINEPREFIX" ]; then
    "$wineserver" -k 2>/dev/null || true
    timeout 60 "$wineserver" -w 2>/dev/null || true
fi
rm -rf "$work"
mkdir -p "$work"

sim_pid=""
cleanup() {
    if [ -n "$sim_pid" ] && kill -0 "$sim_pid" 2>/dev/null; then
        kill -KILL "$sim_pid" 2>/dev/null || true
    fi
    # Only this prefix's programs: the proof's own.
    "$wineserver" -k 2>/dev/null || true
}
trap cleanup EXIT

# Runs a Windows program under Wine, at most $1 seconds.
run_wine() {
    local limit=$1
    shift
    timeout -k 10 "$limit" "$wine" "$@"
}
# Waits until every program of the prefix has ended (and the server with
# them), so the next program starts against a fresh server, not one that is
# shutting down. NSIS's uninstaller runs on as a copy of itself after the
# first process ends; this waits for that copy too.
settle() {
    timeout 120 "$wineserver" -w || echo "prove.sh: Wine programs still running after 120 s" >&2
}
# The Windows name of a Unix path, through the drive Z: a new prefix maps to /.
winpath() {
    printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"
}
# The Unix path of a Windows path of the prefix.
unixpath() {
    run_wine 60 winepath.exe -u "$1" | tr -d '\r'
}
# Name, size and checksum of every file below $1, one a line, for before and after.
listing() {
    (cd "$1" && find . -type f -exec sha256sum {} + | LC_ALL=C sort -k2)
}
# A Windows path as Wine's traces print it: every backslash doubled.
traced() {
    printf '%s' "$1" | sed 's/\\/\\\\/g'
}
# Whether a line of standard input ends with $1, in any case. The text goes
# through the environment: awk would read backslashes in -v values as escapes.
ends_with() {
    SUFFIX=$1 awk 'BEGIN { s = tolower(ENVIRON["SUFFIX"]) }
        { l = tolower($0); if (length(l) >= length(s) && substr(l, length(l) - length(s) + 1) == s) found = 1 }
        END { exit !found }'
}

# Qt's offscreen platform lets the program draw without a display, as the
# Linux snapshot it is compared with was drawn. The packages do not ship it,
# so it comes from the build's Qt through QT_PLUGIN_PATH, which Qt searches
# in addition to the program's own plugins folder.
mkdir -p "$work/qtplugins/platforms"
cp "$qt/plugins/platforms/qoffscreen.dll" "$work/qtplugins/platforms/"
offscreen=(env WINEQT_QPA_PLATFORM=offscreen "WINEQT_QPA_FONTDIR=$(winpath "$fontdir")"
    "WINEQT_PLUGIN_PATH=$(winpath "$work/qtplugins")")

failed=0
passed=0
report() { # report LABEL STATUS TEXT
    printf '%-4s %-3s %s\n' "$1" "$2" "$3"
}
# check LABEL DESCRIPTION FUNCTION: runs FUNCTION, which sets `why` when it
# fails and `detail` for what it saw.
check() {
    local label=$1 description=$2
    why=""
    detail=""
    if "$3"; then
        report "$label" PASS "$description${detail:+ ($detail)}"
        passed=$((passed + 1))
    else
        report "$label" FAIL "$description: ${why:-failed}${detail:+ ($detail)}"
        failed=$((failed + 1))
    fi
}
no() { # sets the reason of a failing check and fails
    why=$*
    return 1
}

echo "== a fresh Wine prefix: $WINEPREFIX"
DISPLAY="" run_wine 300 wineboot --init >"$work/wineboot.log" 2>&1 || die "wineboot --init failed (see $work/wineboot.log)"
settle
appdata_win=$(run_wine 60 cmd.exe /c 'echo %APPDATA%' | tr -d '\r')
localappdata_win=$(run_wine 60 cmd.exe /c 'echo %LOCALAPPDATA%' | tr -d '\r')
[[ $appdata_win == ?:\\* && $localappdata_win == ?:\\* ]] ||
    die "Wine did not name the folders %APPDATA% ('$appdata_win') and %LOCALAPPDATA% ('$localappdata_win')"
instdir_win=$localappdata_win\\Programs\\Vanemark
instdir=$(unixpath "$instdir_win")
settings=$(unixpath "$appdata_win\\Vanemark")
shortcut=$(unixpath "$appdata_win\\Microsoft\\Windows\\Start Menu\\Programs\\Vanemark.lnk")
uninst_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vanemark'
settle

# What the setup carries: the package's folder without `portable`.
mkdir -p "$work/unzipped"
unzip -q "$zip_file" -d "$work/unzipped" || die "unzip $zip_file failed"
zip_root=$work/unzipped/Vanemark-$version
[ -d "$zip_root" ] || die "$zip_file has no top folder Vanemark-$version"
package_files=$(cd "$zip_root" && find . -type f ! -name portable | sed 's|^\./||' | LC_ALL=C sort)

# --- a: silent install
installed=0
prove_install() {
    run_wine 300 "$setup_exe" /S >"$work/setup.log" 2>&1 || no "the setup exited with $?" || return 1
    settle
    local missing=0 file
    while read -r file; do
        [ -f "$instdir/$file" ] || missing=$((missing + 1))
    done <<<"$package_files"
    [ -f "$instdir/uninstall.exe" ] || no "no uninstall.exe in $instdir_win" || return 1
    [ "$missing" -eq 0 ] || no "$missing of the package's files are not in $instdir_win" || return 1
    # The zip's `portable` is not the setup's: an installed copy keeps its
    # settings in %APPDATA%.
    [ ! -e "$instdir/portable" ] || no "the setup installed the file portable" || return 1
    local count
    count=$(find "$instdir" -type f | wc -l)
    [ "$count" -eq $(($(wc -l <<<"$package_files") + 1)) ] ||
        no "$count files in $instdir_win, not the package's and uninstall.exe" || return 1
    cmp -s "$instdir/vanemark.exe" "$zip_root/vanemark.exe" || no "the installed vanemark.exe is not the packaged one" ||
        return 1
    installed=1

    [ -f "$shortcut" ] || no "no Start-menu shortcut $shortcut" || return 1
    # The shortcut's texts are UTF-16: its arguments, its working folder and
    # its icon's path each stand alone between length fields.
    local texts
    texts=$(strings -el "$shortcut")
    grep -q -- '--user-folder$' <<<"$texts" || no "the shortcut does not pass --user-folder" || return 1
    # The target itself is in the link's ANSI part.
    strings -a "$shortcut" | ends_with "$instdir_win\\vanemark.exe" ||
        no "the shortcut does not start $instdir_win\\vanemark.exe" || return 1
    ends_with "$instdir_win" <<<"$texts" || no "the shortcut's working folder is not $instdir_win" || return 1

    local values name
    values=$(run_wine 60 reg query "$uninst_key" | tr -d '\r') || no "reg query $uninst_key found no key" || return 1
    for name in DisplayName DisplayVersion Publisher DisplayIcon UninstallString QuietUninstallString \
        InstallLocation EstimatedSize NoModify NoRepair; do
        grep -Eq "^[[:space:]]+${name}[[:space:]]+REG_" <<<"$values" || no "the key has no value $name" || return 1
    done
    grep -Eq "DisplayVersion[[:space:]]+REG_SZ[[:space:]]+$version\$" <<<"$values" ||
        no "DisplayVersion is not $version" || return 1
    grep -Eq 'QuietUninstallString[[:space:]]+REG_SZ[[:space:]]+.*uninstall\.exe" /S$' <<<"$values" ||
        no "QuietUninstallString does not run the uninstaller with /S" || return 1
    grep -qiF "InstallLocation    REG_SZ    $instdir_win" <<<"$values" ||
        no "InstallLocation is not $instdir_win" || return 1
    detail="$(wc -l <<<"$package_files") files and uninstall.exe in $instdir_win; shortcut runs vanemark.exe --user-folder"
}
check a "setup /S installs the program, its shortcut and its uninstall key" prove_install

needs_install() {
    [ "$installed" -eq 1 ] || no "not run: the setup did not install"
}

# --- b: first start with --user-folder, and the picture against Linux's
# The speed read-out's box of the layout file $1, as x0 y0 x1 y1: the one
# place the panel draws text with the shipped settings.
speed_box() {
    tr -d '\r' <"$1" | awk -F'[=,]' '
        /^\[/ { in_speed = ($0 == "[speed]") }
        in_speed && $1 == "top" { x = $2; y = $3 }
        in_speed && $1 == "size" { w = $2; h = $3 }
        END { if (w > 0 && h > 0) print x, y, x + w - 1, y + h - 1 }'
}
# The window size of layout $1 times $2, as WxH.
window_size() {
    tr -d '\r' <"$1" | awk -F= -v scale="$2" '
        /^\[/ { in_window = ($0 == "[window]") }
        in_window && $1 == "cx" { w = $2 }
        in_window && $1 == "cy" { h = $2 }
        END { if (w > 0 && h > 0) print w * scale "x" h * scale }'
}
# Compares the two pictures $1 (Linux) and $2 (Windows); differences may lie
# only in the text box of layout $3. Sets detail to what differs and where.
compare_pictures() {
    local linux=$1 windows=$2 layout=$3 box x0 y0 x1 y1 size_l size_w total outside mask groups
    size_l=$(/usr/bin/identify -format '%wx%h' "$linux") || no "cannot read $linux" || return 1
    size_w=$(/usr/bin/identify -format '%wx%h' "$windows") || no "cannot read $windows" || return 1
    [ "$size_l" = "$size_w" ] || no "Linux draws $size_l, Windows $size_w" || return 1
    box=$(speed_box "$layout")
    [ -n "$box" ] || no "no [speed] box in $layout" || return 1
    read -r x0 y0 x1 y1 <<<"$box"

    mask=$work/b-difference.png
    /usr/bin/convert "$linux" "$windows" -compose difference -composite -colorspace gray -threshold 0 "$mask"
    total=$(/usr/bin/compare -metric AE "$linux" "$windows" null: 2>&1 >/dev/null || true)
    [[ $total =~ ^[0-9]+$ ]] || no "compare failed: $total" || return 1
    # The same pictures with the text box blacked out: what differs elsewhere.
    /usr/bin/convert "$linux" -fill black -draw "rectangle $x0,$y0 $x1,$y1" "$work/b-linux-notext.png"
    /usr/bin/convert "$windows" -fill black -draw "rectangle $x0,$y0 $x1,$y1" "$work/b-windows-notext.png"
    outside=$(/usr/bin/compare -metric AE "$work/b-linux-notext.png" "$work/b-windows-notext.png" null: 2>&1 >/dev/null ||
        true)
    [[ $outside =~ ^[0-9]+$ ]] || no "compare failed: $outside" || return 1

    detail="$size_w; $total pixels differ, $outside of them outside the speed text box"
    detail="$detail $((x1 - x0 + 1))x$((y1 - y0 + 1))+$x0+$y0"
    if [ "$total" -gt 0 ]; then
        # Differing pixels closer than 5 px form one group (a word, a
        # glyph); each group's box is that of its own pixels.
        groups=$(/usr/bin/convert "$mask" -morphology Dilate Square:2 -define connected-components:verbose=true \
            -connected-components 8 null: | awk 'NR > 1 && $NF != "gray(0)" && $NF != "black" { print $2 }' |
            while read -r group; do
                /usr/bin/convert "$mask" -crop "$group" -trim -format '%wx%h%O ' info:
            done)
        detail="$detail; all differences in $(/usr/bin/convert "$mask" -trim -format '%wx%h%O' info:), groups: ${groups% }"
    fi
    [ "$outside" -eq 0 ] || no "the pictures differ outside the text" || return 1
    # Fonts move glyphs, but a text box half changed means other text.
    local limit=$(((x1 - x0 + 1) * (y1 - y0 + 1) / 2))
    [ "$total" -le "$limit" ] || no "more than $limit pixels of the text box differ" || return 1
}
prove_user_folder() {
    needs_install || return 1
    local file
    (cd "$instdir" && "${offscreen[@]}" timeout -k 10 180 "$wine" vanemark.exe --user-folder --demo \
        --snapshot "$(winpath "$work/b-windows.png")") >"$work/b-windows.log" 2>&1 ||
        no "vanemark.exe --user-folder --demo --snapshot exited with $? (see $work/b-windows.log)" || return 1
    settle
    [ -s "$work/b-windows.png" ] || no "no snapshot was written" || return 1
    for file in Vanemark.ini Vanemark.cfg dlkeys.ini; do
        cmp -s "$settings/$file" "$instdir/$file" || no "%APPDATA%\\Vanemark has no copy of the shipped $file" ||
            return 1
    done

    # The Linux build draws the same panel from the same files.
    local linux_app=$repo/build/default/app/vanemark
    if [ ! -x "$linux_app" ]; then
        echo "   building the Linux program for the reference picture"
        (cd "$repo" && cmake --preset default >/dev/null && cmake --build --preset default --target vanemark) \
            >"$work/b-linux-build.log" 2>&1 || no "building $linux_app failed (see $work/b-linux-build.log)" || return 1
    fi
    mkdir -p "$work/b-linux"
    cp "$instdir/Vanemark.ini" "$instdir/Vanemark.cfg" "$instdir/dlkeys.ini" "$work/b-linux/"
    (cd "$work/b-linux" && QT_QPA_PLATFORM=offscreen timeout -k 10 120 "$linux_app" --demo \
        --snapshot "$work/b-linux.png") >"$work/b-linux.log" 2>&1 ||
        no "the Linux vanemark --demo --snapshot exited with $? (see $work/b-linux.log)" || return 1
    compare_pictures "$work/b-linux.png" "$work/b-windows.png" "$settings/Vanemark.cfg" || return 1
    detail="seeded $settings; $detail"
}
check b "first --user-folder start seeds %APPDATA%\\Vanemark; demo panel as on Linux but for text" prove_user_folder

# --- b2: Qt's texts. Nothing on screen tells whether they loaded, so Wine's
# file trace shows which file Qt opened for reading.
prove_qt_texts() {
    needs_install || return 1
    local lang trace opened=""
    mkdir -p "$work/b2"
    cp "$instdir/Vanemark.ini" "$instdir/Vanemark.cfg" "$instdir/dlkeys.ini" "$work/b2/"
    for lang in de ru; do
        trace=$work/b2-trace-$lang.txt
        (cd "$instdir" && "${offscreen[@]}" WINEDEBUG=trace+file timeout -k 10 180 "$wine" vanemark.exe \
            --language "$lang" --folder "$(winpath "$work/b2")" --demo --cycles 1 \
            --snapshot "$(winpath "$work/b2-$lang.png")") >/dev/null 2>"$trace" ||
            no "vanemark.exe --language $lang exited with $?" || return 1
        settle
        grep -qiF "CreateFileW L\"$(traced "\\\\?\\$instdir_win\\translations\\qtbase_$lang.qm")\" GENERIC_READ" \
            "$trace" || no "Qt did not open $instdir_win\\translations\\qtbase_$lang.qm" || return 1
        opened="$opened qtbase_$lang.qm"
        rm -f "$trace"
    done
    detail="read$opened from the installed translations folder"
}
check b2 "Qt reads its German and Russian texts from the installed folder (qt.conf)" prove_qt_texts

# --- b3: the installed folder is complete. Without the offscreen plugin the
# program uses Qt's Windows platform, which under Wine without a display
# draws into memory all the same. Wine logs every DLL it loads; each one that
# is not Wine's own must come from the installed folder.
prove_self_contained() {
    needs_install || return 1
    local log=$work/b3-loaddll.txt foreign size loaded
    mkdir -p "$work/b3" "$work/b3-cwd"
    cp "$instdir/Vanemark.ini" "$instdir/Vanemark.cfg" "$instdir/dlkeys.ini" "$work/b3/"
    (cd "$work/b3-cwd" && WINEDEBUG=+loaddll timeout -k 10 180 "$wine" "$instdir/vanemark.exe" \
        --folder "$(winpath "$work/b3")" --demo --snapshot "$(winpath "$work/b3.png")") >/dev/null 2>"$log" ||
        no "vanemark.exe on Qt's Windows platform exited with $? (see $log)" || return 1
    settle
    [ -s "$work/b3.png" ] || no "no snapshot was written" || return 1
    size=$(/usr/bin/identify -format '%wx%h' "$work/b3.png")
    [ "$size" = "$(window_size "$work/b3/Vanemark.cfg" 1)" ] || no "the snapshot is $size, not the layout's size" || return 1
    grep -qiF "Loaded L\"$(traced "$instdir_win\\plugins\\platforms\\qwindows.dll")\"" "$log" ||
        no "qwindows.dll was not loaded from the installed plugins folder" || return 1
    grep -qiF "Loaded L\"$(traced "$instdir_win\\plugins\\styles\\qwindowsvistastyle.dll")\"" "$log" ||
        no "the Windows Vista style plugin was not loaded" || return 1
    loaded=$(grep -F 'Loaded L"' "$log" | grep -F ': native' || true)
    foreign=$(grep -viF "Loaded L\"$(traced "$instdir_win\\")" <<<"$loaded" || true)
    [ -z "$foreign" ] || no "DLLs from outside the installed folder: $foreign" || return 1
    detail="$(wc -l <<<"$loaded") DLLs, all from $instdir_win,"
    detail="$detail qwindows.dll and qwindowsvistastyle.dll among them; $size"
}
check b3 "the installed folder alone runs the program on Qt's Windows platform" prove_self_contained

# --- a2: a setup over an installed copy. The pilot's settings carry a mark
# the setup must keep; a program file spoilt on purpose must come back.
prove_reinstall() {
    needs_install || return 1
    mkdir -p "$settings"
    printf '# kept across setups\r\n' >>"$settings/Vanemark.ini"
    local before
    before=$(listing "$settings")
    printf 'spoilt\r\n' >"$instdir/README.txt"
    run_wine 300 "$setup_exe" /S >"$work/reinstall.log" 2>&1 || no "the setup exited with $?" || return 1
    settle
    cmp -s "$instdir/README.txt" "$zip_root/README.txt" || no "README.txt was not replaced" || return 1
    cmp -s "$instdir/vanemark.exe" "$zip_root/vanemark.exe" || no "vanemark.exe is missing" || return 1
    [ -f "$shortcut" ] || no "the shortcut is gone" || return 1
    run_wine 60 reg query "$uninst_key" >/dev/null 2>&1 || no "the uninstall key is gone" || return 1
    [ "$(listing "$settings")" = "$before" ] || no "%APPDATA%\\Vanemark changed" || return 1
    detail="program files replaced, $(wc -l <<<"$before") settings files unchanged"
}
check a2 "setup /S over an installed copy replaces the program and keeps the settings" prove_reinstall

# --- c: live values from the stand-in server, both under Wine. The server
# picks a free port (--port 0) and names it; it answers only 127.0.0.1, as
# conf.ini's IPS would have it. The panel's folder is a scratch copy of the
# shipped files, its "server" pointing there and its interval short.
prove_live() {
    needs_install || return 1
    local folder=$work/c-folder port="" i cycles=20 cr=$'\r'
    (cd "$instdir" && exec timeout -k 10 300 "$wine" devicelink-sim.exe --host 127.0.0.1 --port 0 \
        --ips 127.0.0.1 --duration 240) >"$work/c-sim.out" 2>"$work/c-sim.err" &
    sim_pid=$!
    for ((i = 0; i < 300; i++)); do
        port=$(sed -n 's/.*answering on 127\.0\.0\.1:\([0-9][0-9]*\).*/\1/p' "$work/c-sim.out")
        [ -n "$port" ] && break
        kill -0 "$sim_pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$port" ] || no "devicelink-sim.exe did not start: $(cat "$work/c-sim.out" "$work/c-sim.err")" || return 1

    mkdir -p "$folder"
    cp "$instdir/Vanemark.cfg" "$instdir/dlkeys.ini" "$folder/"
    sed -e "s/^server=[^$cr]*/server=$port 127.0.0.1 127.0.0.1/" -e "s/^interval=[^$cr]*/interval=100/" \
        "$instdir/Vanemark.ini" >"$folder/Vanemark.ini"
    grep -q "^server=$port 127.0.0.1 127.0.0.1" "$folder/Vanemark.ini" || no "could not set the server in Vanemark.ini" ||
        return 1
    (cd "$instdir" && "${offscreen[@]}" timeout -k 10 180 "$wine" vanemark.exe --folder "$(winpath "$folder")" \
        --snapshot "$(winpath "$work/c-live.png")" --cycles "$cycles" --record "$(winpath "$work/c-live.csv")") \
        >"$work/c-live.log" 2>&1 || no "the live vanemark.exe exited with $? (see $work/c-live.log)" || return 1

    # SIGINT reaches the server as Ctrl+C: it stops and counts what it served.
    kill -INT "$sim_pid" 2>/dev/null || true
    for ((i = 0; i < 100; i++)); do
        kill -0 "$sim_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$sim_pid" 2>/dev/null; then
        kill -KILL "$sim_pid" 2>/dev/null || true
    fi
    wait "$sim_pid" 2>/dev/null || true
    sim_pid=""
    settle
    local served
    served=$(sed -n 's/^devicelink-sim: \([0-9]*\) requests, \([0-9]*\) replies.*/\1 \2/p' "$work/c-sim.out")
    read -r requests replies <<<"${served:-0 0}"
    [ "$requests" -gt 0 ] && [ "$replies" -gt 0 ] ||
        no "the server answered $replies of $requests requests" || return 1

    # Every value column of a row a number: a value the server sent.
    [ -f "$work/c-live.csv" ] || no "no recording was written" || return 1
    local rows full named
    rows=$(tail -n +2 "$work/c-live.csv" | grep -c . || true)
    full=$(tail -n +2 "$work/c-live.csv" | awk -F, '
        { ok = 1; for (i = 1; i <= 14; i++) if ($i !~ /^-?[0-9]+(\.[0-9]+)?(e[-+]?[0-9]+)?$/) ok = 0; n += ok }
        END { print n + 0 }')
    named=$(tail -n +2 "$work/c-live.csv" | grep -c ',"[^"]' || true)
    [ "$full" -ge $((cycles / 2)) ] || no "only $full of $rows recorded rows carry every value" || return 1
    [ "$named" -gt 0 ] || no "no row names the aircraft" || return 1

    # The control: the same folder with nobody at that port.
    (cd "$instdir" && "${offscreen[@]}" timeout -k 10 180 "$wine" vanemark.exe --folder "$(winpath "$folder")" \
        --snapshot "$(winpath "$work/c-silent.png")" --cycles 3 --record "$(winpath "$work/c-silent.csv")") \
        >"$work/c-silent.log" 2>&1 || no "vanemark.exe without a server exited with $?" || return 1
    settle
    local silent_rows differ
    silent_rows=$(tail -n +2 "$work/c-silent.csv" 2>/dev/null | grep -c . || true)
    differ=$(/usr/bin/compare -metric AE "$work/c-live.png" "$work/c-silent.png" null: 2>&1 >/dev/null || true)
    [[ $differ =~ ^[0-9]+$ ]] || no "compare failed: $differ" || return 1
    [ "$differ" -gt 0 ] || no "the live panel looks the same as one without a server" || return 1
    [ "$silent_rows" -eq 0 ] || no "without a server the recording still has $silent_rows rows" || return 1
    detail="port $port; server: $requests requests, $replies replies; $full of $rows rows with every value,"
    detail="$detail $named naming the aircraft; live panel differs from the serverless one in $differ pixels"
}
check c "vanemark.exe shows the values of devicelink-sim.exe over 127.0.0.1" prove_live

# --- d: silent uninstall
prove_uninstall() {
    needs_install || return 1
    local before left="" file
    before=$(listing "$settings")
    run_wine 300 "$instdir/uninstall.exe" /S >"$work/uninstall.log" 2>&1 || no "the uninstaller exited with $?" ||
        return 1
    settle
    while read -r file; do
        [ ! -e "$instdir/$file" ] || left="$left $file"
    done <<<"$package_files"
    [ -z "$left" ] || no "files left behind:$left" || return 1
    [ ! -e "$instdir" ] || no "$instdir_win is still there: $(ls -A "$instdir" | tr '\n' ' ')" || return 1
    [ ! -e "$shortcut" ] || no "the Start-menu shortcut is still there" || return 1
    if run_wine 60 reg query "$uninst_key" >/dev/null 2>&1; then
        no "the uninstall key is still there" || return 1
    fi
    [ -n "$before" ] || no "there were no settings to keep" || return 1
    [ "$(listing "$settings")" = "$before" ] || no "%APPDATA%\\Vanemark changed" || return 1
    detail="$(wc -l <<<"$before") settings files in %APPDATA%\\Vanemark untouched"
}
check d "uninstall.exe /S removes files, shortcut and key, and keeps %APPDATA%\\Vanemark" prove_uninstall

# --- e: the zip. A changed setting in the unpacked Vanemark.ini (scale 2
# doubles the picture) must take effect although the program is started
# from another folder, and nothing may appear there or in %APPDATA%.
prove_zip() {
    local folder=$work/e-unpacked cwd=$work/e-cwd before size cr=$'\r'
    mkdir -p "$folder" "$cwd"
    unzip -q "$zip_file" -d "$folder" || no "unzip failed" || return 1
    folder=$folder/Vanemark-$version
    [ -f "$folder/portable" ] || no "the zip has no file portable" || return 1
    sed -i "s/^\[settings\][$cr]*\$/&\n# proof: the settings beside the program are used\nscale=2/" "$folder/Vanemark.ini"
    grep -q '^scale=2' "$folder/Vanemark.ini" || no "could not set scale=2" || return 1
    mkdir -p "$settings"
    before=$(listing "$settings")
    (cd "$cwd" && "${offscreen[@]}" timeout -k 10 180 "$wine" "$folder/vanemark.exe" --demo \
        --snapshot "$(winpath "$work/e.png")") >"$work/e.log" 2>&1 ||
        no "the unpacked vanemark.exe exited with $? (see $work/e.log)" || return 1
    settle
    [ -s "$work/e.png" ] || no "no snapshot was written" || return 1
    size=$(/usr/bin/identify -format '%wx%h' "$work/e.png")
    local expected
    expected=$(window_size "$folder/Vanemark.cfg" 2)
    [ -n "$expected" ] || no "no [window] size in the unpacked Vanemark.cfg" || return 1
    [ "$size" = "$expected" ] || no "the snapshot is $size, not $expected: scale=2 beside the program was ignored" ||
        return 1
    [ -z "$(ls -A "$cwd")" ] || no "the run wrote into the folder it started in: $(ls -A "$cwd" | tr '\n' ' ')" || return 1
    [ "$(listing "$settings")" = "$before" ] || no "the run changed %APPDATA%\\Vanemark" || return 1
    detail="scale=2 in the unpacked Vanemark.ini gave $size, the layout's size doubled;"
    detail="$detail started elsewhere, nothing written there or in %APPDATA%\\Vanemark"
}
check e "the unpacked zip runs with the settings beside it (portable)" prove_zip

echo "== $passed passed, $failed failed ($((SECONDS - started)) s); files in $work"
[ "$failed" -eq 0 ]
