# Sourced by test.sh: starts what the tests need beyond the build (a private X server for the
# window tests). Each service exports the variables the tests read.

start_test_services() {
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
    if [ -n "${GLIMMER_XVFB_PID:-}" ]; then
        kill "$GLIMMER_XVFB_PID" 2>/dev/null || true
        wait "$GLIMMER_XVFB_PID" 2>/dev/null || true
    fi
    rm -rf "${XDG_RUNTIME_DIR:-/nonexistent-dir}"
}
