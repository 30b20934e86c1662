#!/usr/bin/env bash
# Installs the dependencies, builds the program, puts the default settings file in place when the
# user has none, and starts Glimmerpress.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh default

settings_dir=${GLIMMERPRESS_WINDIR:-${XDG_CONFIG_HOME:-$HOME/.config}/glimmerpress}
mkdir -p "$settings_dir"
[ -e "$settings_dir/GLMPRESS.INI" ] || cp data/program/GLMPRESS.INI "$settings_dir/GLMPRESS.INI"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Glimmerpress needs a display, and none is set (DISPLAY or WAYLAND_DISPLAY)." >&2
    echo "Start it from a desktop session, or under a virtual one: xvfb-run -a scripts/run.sh" >&2
    echo "The command-line tool needs no display: build/default/src/cli/glimmerpress-cli --help" >&2
    exit 1
fi
exec build/default/src/ui/glimmerpress "$@"
