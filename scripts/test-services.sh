# Sourced by test.sh: starts what the tests need beyond the build (a private X server for the
# window tests). Each service exports the variables the tests read.

start_test_services() {
    start_sane_test_service
    export XDG_RUNTIME_DIR
    XDG_RUNTIME_DIR=$(mktemp -d)
    chmod 700 "$XDG_RUNTIME_DIR"
    # A private X server on a free display, for the tests that need a real window.
    if command -v Xvfb >/dev/null; then
        local displayfile
        displayfile=$(mktemp)
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
        GLIMMER_XVFB_PID=$!
        for _ in $(seq 100); do
            [ -s "$displayfile" ] && break
            sleep 0.05
        done
        if [ -s "$displayfile" ]; then
            export GLIMMER_TEST_DISPLAY=":$(cat "$displayfile")"
        fi
        rm -f "$displayfile"
    fi
}

stop_test_services() {
    stop_sane_test_service
    if [ -n "${GLIMMER_XVFB_PID:-}" ]; then
        kill "$GLIMMER_XVFB_PID" 2>/dev/null || true
        wait "$GLIMMER_XVFB_PID" 2>/dev/null || true
    fi
    rm -rf "${XDG_RUNTIME_DIR:-/nonexistent-dir}"
}

# A private SANE configuration with only the test backend, for the scanner tests: the system's
# configuration stays untouched. The picture is the colour pattern, so scans have content.
start_sane_test_service() {
    [ -e /usr/lib/x86_64-linux-gnu/sane/libsane-test.so.1 ] || ls /usr/lib/*/sane/libsane-test.so* >/dev/null 2>&1 || return 0
    GLIMMER_SANE_DIR=$(mktemp -d)
    echo test >"$GLIMMER_SANE_DIR/dll.conf"
    cat >"$GLIMMER_SANE_DIR/test.conf" <<'CONF'
number_of_devices 2
mode Gray
depth 8
resolution 50.0
test-picture "Color pattern"
br_x 40.0
br_y 50.0
CONF
    export SANE_CONFIG_DIR="$GLIMMER_SANE_DIR"
}

stop_sane_test_service() {
    rm -rf "${GLIMMER_SANE_DIR:-/nonexistent-dir}"
}
