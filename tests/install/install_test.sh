#!/bin/bash
# Installs the build into a temporary prefix and checks the result as a user's desktop sees it:
# the files in their places, the desktop entry, metadata and manual pages through their
# validators, the shell completion, the installed tool working from the installed data (also
# after the whole prefix moved), and the installed window program's first start in an empty home
# under the private X server (GLIMMER_TEST_DISPLAY; that part skips without one).
# Usage: install_test.sh BUILD_DIR PHOTO
set -u
build="$1"
photo="$2"
work=$(mktemp -d)
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install"; }

# Everything a desktop expects, where it expects it.
for f in bin/glimmerpress bin/glimmerpress-cli \
    share/glimmerpress/GLMPRESS.INI share/glimmerpress/lblspec.ini share/glimmerpress/template/template.lst \
    share/glimmerpress/ui/button.800 share/glimmerpress/LAYOUT.LOG share/glimmerpress/help/index.html \
    share/applications/org.glimmerpress.Glimmerpress.desktop \
    share/metainfo/org.glimmerpress.Glimmerpress.metainfo.xml \
    share/icons/hicolor/scalable/apps/org.glimmerpress.Glimmerpress.svg \
    share/icons/hicolor/48x48/apps/org.glimmerpress.Glimmerpress.png \
    share/icons/hicolor/256x256/apps/org.glimmerpress.Glimmerpress.png \
    share/man/man1/glimmerpress.1 share/man/man1/glimmerpress-cli.1 \
    share/bash-completion/completions/glimmerpress-cli; do
    [ -s "$prefix/$f" ] || fail "$f is not installed"
done
ls "$prefix"/lib/glimmerpress/libglimmer-mapi.so >/dev/null 2>&1 || fail "the mail library is not installed"
ls "$prefix"/lib/glimmerpress/libglimmer-photocd.so >/dev/null 2>&1 || fail "the Photo CD library is not installed"
[ "$(ls "$prefix"/share/glimmerpress/template/*-port.jpg | wc -l)" -ge 8 ] || fail "fewer than eight backgrounds"
# Every size of the icon is that size.
for size in 16 32 48 128 256; do
    identify -format '%wx%h' "$prefix/share/icons/hicolor/${size}x${size}/apps/org.glimmerpress.Glimmerpress.png" \
        | grep -qx "${size}x${size}" || fail "the ${size}px icon has the wrong size"
done

# The validators of the desktop entry, the metadata and the manual pages.
desktop-file-validate "$prefix/share/applications/org.glimmerpress.Glimmerpress.desktop" || fail "desktop entry"
grep -q '^MimeType=.*image/jpeg' "$prefix/share/applications/org.glimmerpress.Glimmerpress.desktop" \
    || fail "the desktop entry does not open photos"
appstreamcli validate --no-net "$prefix/share/metainfo/org.glimmerpress.Glimmerpress.metainfo.xml" >"$work/as.log" 2>&1 \
    || { cat "$work/as.log"; fail "metainfo"; }
mandoc -T lint -W warning "$prefix"/share/man/man1/*.1 || fail "manual pages"

# The completion offers the commands and edit's colour modes.
complete_words() {
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _glimmerpress_cli; printf "%s\n" "${COMPREPLY[@]}"' \
        _ "$prefix/share/bash-completion/completions/glimmerpress-cli" "$@"
}
[ "$(complete_words glimmerpress-cli --json ed)" = edit ] || fail "completion of a command"
complete_words glimmerpress-cli edit a.jpg - mode: | grep -qx 'mode:gray' || fail "completion of an edit op"

# The installed tool, with nothing of the build in its environment, reads the installed data:
# a label file changed in the installation shows in its output.
home="$work/home"
mkdir -p "$home"
run_installed() {
    env -i HOME="$home" PATH=/usr/bin:/bin "$@"
}
cli="$prefix/bin/glimmerpress-cli"
run_installed "$cli" --help >"$work/help.txt" || fail "the installed tool's --help"
grep -q '^usage: glimmerpress-cli' "$work/help.txt" || fail "help text"
run_installed "$cli" info "$photo" >"$work/info.json" 2>"$work/info.err" || fail "the installed tool's info"
[ -s "$work/info.err" ] && { cat "$work/info.err"; fail "info wrote on stderr"; }
grep -q '"width"' "$work/info.json" || fail "info output"
printf '[LABELPREFIX]\nZZ=Installed Test\n[ZZ5100_6600]\nOnly Sheet=0,0,600,600,600,600,2,2\n' \
    >"$prefix/share/glimmerpress/lblspec.ini"
run_installed "$cli" layouts labels >"$work/labels.json" 2>&1 || fail "the installed tool's layouts"
grep -q '"name":"Only Sheet"' "$work/labels.json" || { cat "$work/labels.json"; fail "installed label sheets not read"; }
mv "$prefix" "$work/moved"
prefix="$work/moved"
cli="$prefix/bin/glimmerpress-cli"
run_installed "$cli" layouts labels >"$work/labels.json" 2>&1 || fail "the moved installation's tool"
grep -q '"name":"Only Sheet"' "$work/labels.json" || fail "a moved installation reads its own data"

# The installed window program's first start: an empty home gets the default settings and the
# program stays up.
if [ -z "${GLIMMER_TEST_DISPLAY:-}" ]; then
    echo "install test: no X server (GLIMMER_TEST_DISPLAY), the window program's start is not checked"
    exit 0
fi
mkdir -p "$work/runtime"
chmod 700 "$work/runtime"
env -i HOME="$home" PATH=/usr/bin:/bin DISPLAY="$GLIMMER_TEST_DISPLAY" XDG_RUNTIME_DIR="$work/runtime" \
    GLIMMERPRESS_INSTANCE_NAME="glimmerpress-install-test-$$" \
    "$prefix/bin/glimmerpress" >"$work/program.log" 2>&1 &
program_pid=$!
for _ in $(seq 100); do
    [ -s "$home/.config/glimmerpress/GLMPRESS.INI" ] && break
    sleep 0.1
done
cmp -s "$home/.config/glimmerpress/GLMPRESS.INI" "$prefix/share/glimmerpress/GLMPRESS.INI" \
    || fail "the first start did not put the default settings in place"
[ -d "$home/.local/share/glimmerpress" ] || fail "the first start did not make the data folder"
sleep 2
kill -0 "$program_pid" 2>/dev/null || { cat "$work/program.log"; fail "the installed program ended on its own"; }
exit 0
