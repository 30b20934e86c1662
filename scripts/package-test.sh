#!/usr/bin/env bash
# Builds the Debian package and checks it. Without arguments it only inspects the package: its
# dependencies resolve on this system (apt-get's simulation) and it holds the programs, data and
# desktop files. With --install it then really installs it with apt-get, runs the installed tool
# and the window program (on a private X server) from /usr, and removes the package again; that
# changes the system, so it is for a test machine.
# Usage: scripts/package-test.sh [--install] [BUILD_DIR]
set -euo pipefail
install=0
if [ "${1:-}" = --install ]; then
    install=1
    shift
fi
build=${1:-build/default}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/glimmerpress_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6printsupport6 libjpeg62-turbo qt6-qpa-plugins libheif1; do
    grep -q "$needed" <<<"$depends" || fail "the package does not depend on $needed"
done
dpkg-deb -c "$deb" >"$work/contents.txt"
for f in ./usr/bin/glimmerpress ./usr/bin/glimmerpress-cli ./usr/bin/glimmerpress-cli-gui ./usr/share/glimmerpress/lblspec.ini \
    ./usr/share/applications/org.glimmerpress.Glimmerpress.desktop ./usr/share/man/man1/glimmerpress-cli.1 \
    ./usr/lib/glimmerpress/libglimmer-mapi.so; do
    grep -q " $f\$" "$work/contents.txt" || fail "the package lacks $f"
done
apt-get install --simulate "$deb" >"$work/simulate.log" 2>&1 || { cat "$work/simulate.log"; fail "the dependencies do not resolve"; }
[ $install -eq 1 ] || { echo "package checked: $(basename "$deb")"; exit 0; }

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "$deb" >/dev/null
home="$work/home"
mkdir -p "$home" "$work/runtime"
chmod 700 "$work/runtime"
env -i HOME="$home" PATH=/usr/bin:/bin glimmerpress-cli --help | grep -q '^usage: glimmerpress-cli' \
    || fail "the installed tool"
# A command that needs the GUI toolkit goes to the installed glimmerpress-cli-gui.
env -i HOME="$home" PATH=/usr/bin:/bin glimmerpress-cli print --help | grep -q '^usage: glimmerpress-cli print' \
    || fail "the installed tool's hand-over to glimmerpress-cli-gui"
env -i HOME="$home" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$work/runtime" GLIMMERPRESS_INSTANCE_NAME="package-test-$$" \
    xvfb-run -a timeout 5 glimmerpress >/dev/null 2>&1 && status=0 || status=$?
# timeout's 124 means the program was still running after five seconds, as it should be.
[ $status -eq 124 ] || fail "the installed window program ended with status $status"
[ -s "$home/.config/glimmerpress/GLMPRESS.INI" ] || fail "the first start made no settings file"
DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -q glimmerpress >/dev/null
[ ! -e /usr/bin/glimmerpress ] || fail "the package was not removed"
echo "package installed, run and removed: $(basename "$deb")"
