#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the result as a desktop would
# see it: the program folder and the command on the path, the desktop entry, the MIME
# type, the AppStream metadata and the icons, each with its validator; then starts the
# installed program with a design file, finds its window captioned with the file's path
# and ends it with SIGTERM, which the program takes as an orderly close.
# Usage: tst_install.sh BUILD_DIR DESIGN.kfx
set -euo pipefail

build=$1
design_source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

# The program in its own folder with the language libraries, a link to it on the path.
program=$prefix/lib/vantor/vantor
[ -x "$program" ] || fail "no program in lib/vantor"
for library in Pol_Library.dll Eng_Library.dll; do
    [ -f "$prefix/lib/vantor/Dll/$library" ] || fail "no Dll/$library"
done
# The program's own motor library, with the note on where motor files come from.
[ -f "$prefix/lib/vantor/data/motors/README" ] || fail "no data/motors/README"
# The manual in both languages, where the program looks for it from its own folder.
for language in pl en; do
    [ -f "$prefix/lib/vantor/../../share/vantor/help/$language/index.html" ] ||
        fail "no manual in share/vantor/help/$language"
done
for picture in $(sed -n 's/.*src="\.\.\/images\/\([^"]*\)".*/\1/p' "$prefix"/share/vantor/help/*/*.html); do
    [ -f "$prefix/share/vantor/help/images/$picture" ] || fail "no manual picture $picture"
done
[ -L "$prefix/bin/vantor" ] || fail "bin/vantor is not a link"
[ "$(readlink -f "$prefix/bin/vantor")" = "$(readlink -f "$program")" ] ||
    fail "bin/vantor does not lead to the program"
[ -x "$prefix/bin/vantor-kfx" ] || fail "no bin/vantor-kfx"
"$prefix/bin/vantor-kfx" summary "$design_source" >/dev/null || fail "vantor-kfx does not run"

# The desktop entry.
entry=$prefix/share/applications/org.qendel.vantor.desktop
desktop-file-validate "$entry" || fail "desktop entry"
grep -qx 'Exec=vantor %f' "$entry" || fail "desktop entry's Exec"
grep -qx 'MimeType=application/x-vantor-design;application/x-openrocket;application/x-rocksim;' "$entry" || fail "desktop entry's MimeType"
grep -qx 'Categories=Graphics;Engineering;' "$entry" || fail "desktop entry's Categories"

# The MIME type: the database built from the package file knows the glob, without a word
# of complaint.
mime_log=$(XDG_DATA_DIRS=$prefix/share:/usr/share update-mime-database "$prefix/share/mime" 2>&1) ||
    fail "update-mime-database: $mime_log"
[ -z "$mime_log" ] || fail "update-mime-database: $mime_log"
grep -qx 'application/x-vantor-design:\*\.kfx' "$prefix/share/mime/globs" ||
    fail "no *.kfx glob in the MIME database"
grep -qx 'application/x-openrocket:\*\.ork' "$prefix/share/mime/globs" ||
    fail "no *.ork glob in the MIME database"
grep -qx 'application/x-rocksim:\*\.rkt' "$prefix/share/mime/globs" ||
    fail "no *.rkt glob in the MIME database"

# The type a desktop gives a design, asked of a MIME database built from the system's own
# type definitions plus ours, as on a user's machine where other programs claim *.kfx
# too: by name, by content alone (no extension), and for an empty design (by name only).
# The same question without our definitions has to give another answer, or the check
# proves nothing.
type_of() { # DATA_DIR FILE
    XDG_DATA_HOME=$work/no-user-data XDG_DATA_DIRS=$1 \
        gio info -a standard::content-type "$2" | sed -n 's/.*standard::content-type: //p'
}
for database in with-ours system-only; do
    mkdir -p "$work/$database/mime/packages"
    cp /usr/share/mime/packages/*.xml "$work/$database/mime/packages/"
done
cp "$prefix/share/mime/packages/vantor.xml" "$work/with-ours/mime/packages/"
for database in with-ours system-only; do
    PKGSYSTEM_ENABLE_FSYNC=0 update-mime-database "$work/$database/mime" >/dev/null 2>&1 ||
        fail "update-mime-database on a copy of the system's types"
done
mkdir -p "$work/typed"
cp "$design_source" "$work/typed/rocket.kfx"
cp "$design_source" "$work/typed/rocket"
printf '\0\0\0\0\0\0\0\0' >"$work/typed/empty.kfx"
for file in rocket.kfx rocket empty.kfx; do
    found=$(type_of "$work/with-ours" "$work/typed/$file")
    [ "$found" = application/x-vantor-design ] || fail "$file is typed $found"
done
found=$(type_of "$work/system-only" "$work/typed/rocket.kfx")
[ "$found" != application/x-vantor-design ] || fail "the system's types alone know designs"

# AppStream metadata.
appstreamcli validate --no-net "$prefix/share/metainfo/org.qendel.vantor.metainfo.xml" >/dev/null ||
    fail "metainfo: $(appstreamcli validate --no-net "$prefix/share/metainfo/org.qendel.vantor.metainfo.xml")"

# Icons: the scalable one and a PNG of each theme size, square and of that size.
xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/vantor.svg" || fail "scalable icon"
for size in 16 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/vantor.png
    [ -f "$icon" ] || fail "no ${size}px icon"
    # The PNG header's width and height, big-endian at bytes 16 and 20.
    read -r width height < <(od -An -tu1 -j16 -N8 "$icon" |
        awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "$width" = "$size" ] && [ "$height" = "$size" ] ||
        fail "${size}px icon is ${width}x${height}"
done

# Start the installed program with a design file whose path holds a space.
program_folder_before=$(find "$prefix/lib/vantor" -printf '%P %s %T@\n' | sort)
mkdir -p "$work/my designs" "$work/config"
design="$work/my designs/rocket.kfx"
cp "$design_source" "$design"
export XDG_CONFIG_HOME=$work/config
export design
run=$(xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$0" "$design" >/dev/null 2>"$1/program.log" &
    pid=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --name "Vantor" | head -n 1) || true
    title=
    for _ in $(seq 100); do
        [ -n "$window" ] && title=$(xdotool getwindowname "$window")
        case $title in *"[$design]"*) break ;; esac
        sleep 0.2
    done
    echo "title=$title"
    kill -TERM "$pid"
    status=0
    wait "$pid" || status=$?
    echo "status=$status"
' "$prefix/bin/vantor" "$work")
echo "$run"
case $run in *"title="*"[$design]"*) ;; *) fail "no window captioned with the design's path" ;; esac
grep -qx 'status=0' <(echo "$run") || fail "the program did not end cleanly: $(cat "$work/program.log")"
# An orderly close saves the toolbar layout, in the user's folder: the installed program
# folder is never written to, even by a user who could (this test may run as root).
[ -f "$XDG_CONFIG_HOME/Vantor/toolbars.ini" ] || fail "the close saved no toolbar layout"
[ "$(find "$prefix/lib/vantor" -printf '%P %s %T@\n' | sort)" = "$program_folder_before" ] ||
    fail "the program wrote into its installed folder"
echo "installed program checked"
