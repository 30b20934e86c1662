# Sourced by test.sh: starts what the tests need beyond the build (a private X server for the
# window tests, a CUPS queue for the printing tests). Each service exports the variables the
# tests read.

# One queue per run, so runs side by side (several work trees) do not take each other's queue.
GLIMMER_CUPS_QUEUE=GlimmerTestPDF$$

# A CUPS scheduler with a cups-pdf queue whose PDFs land in a private folder: cups-pdf reads
# /etc/cups/cups-pdf-QUEUE.conf for a queue whose device is cups-pdf:/QUEUE. Needs root (the
# scheduler, /etc/cups); without it, or without the packages, the CUPS tests skip.
start_cups_queue() {
    [ "$(id -u)" -eq 0 ] || return 0
    command -v cupsd >/dev/null && command -v lpadmin >/dev/null && command -v lpstat >/dev/null || return 0
    [ -x /usr/lib/cups/backend/cups-pdf ] || return 0
    local ppd=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd ppd_arg
    GLIMMER_CUPS_OUTDIR=$(mktemp -d)
    chmod 1777 "$GLIMMER_CUPS_OUTDIR"
    printf 'Out %s\nAnonDirName %s\nLabel 0\n' "$GLIMMER_CUPS_OUTDIR" "$GLIMMER_CUPS_OUTDIR" \
        >"/etc/cups/cups-pdf-$GLIMMER_CUPS_QUEUE.conf"
    # lpstat -r exits 0 even when the scheduler is down, so its text is what counts.
    if ! lpstat -r 2>/dev/null | grep -qx "scheduler is running"; then
        setsid /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 &
        GLIMMER_CUPSD_PID=$!
        for _ in $(seq 200); do
            lpstat -r 2>/dev/null | grep -qx "scheduler is running" && break
            sleep 0.05
        done
    fi
    # The queue's driver is the PDF printer's with the options of a photo printer's driver added
    # (paper source, media type, colour), so Printer Setup has them to offer and the job to carry;
    # their choices send no code, so the PDFs stay as they were.
    local ppdfile
    ppdfile=$(mktemp --suffix=.ppd)
    if [ -r "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd" ]; then
        cat /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >"$ppdfile"
        cat >>"$ppdfile" <<'PPD'
*OpenGroup: Photo/Photo printing
*OpenUI *InputSlot/Paper Source: PickOne
*OrderDependency: 20 AnySetup *InputSlot
*DefaultInputSlot: Main
*InputSlot Main/Main Tray: ""
*InputSlot Photo/Photo Tray: ""
*InputSlot Manual/Manual Feed: ""
*CloseUI: *InputSlot
*OpenUI *MediaType/Media Type: PickOne
*OrderDependency: 20 AnySetup *MediaType
*DefaultMediaType: Plain
*MediaType Plain/Plain Paper: ""
*MediaType Glossy/Glossy Photo Paper: ""
*MediaType Matte/Matte Photo Paper: ""
*CloseUI: *MediaType
*OpenUI *ColorModel/Color Mode: PickOne
*OrderDependency: 20 AnySetup *ColorModel
*DefaultColorModel: RGB
*ColorModel RGB/Colour: ""
*ColorModel Gray/Grayscale: ""
*CloseUI: *ColorModel
*CloseGroup: Photo
PPD
        ppd_arg=(-P "$ppdfile")
    else
        ppd_arg=(-m "$ppd")
    fi
    if lpadmin -p "$GLIMMER_CUPS_QUEUE" -E -v "cups-pdf:/$GLIMMER_CUPS_QUEUE" "${ppd_arg[@]}" >/dev/null 2>&1; then
        export GLIMMER_TEST_CUPS_QUEUE="$GLIMMER_CUPS_QUEUE"
        export GLIMMER_TEST_CUPS_OUTDIR="$GLIMMER_CUPS_OUTDIR"
    else
        echo "test-services: could not add the CUPS test queue; its tests will skip" >&2
    fi
    rm -f "$ppdfile"
}

stop_cups_queue() {
    if [ -n "${GLIMMER_TEST_CUPS_QUEUE:-}" ]; then
        lpadmin -x "$GLIMMER_TEST_CUPS_QUEUE" >/dev/null 2>&1 || true
    fi
    rm -f "/etc/cups/cups-pdf-$GLIMMER_CUPS_QUEUE.conf"
    # The scheduler this run started stays up while another run's queue still uses it.
    if [ -n "${GLIMMER_CUPSD_PID:-}" ] && ! lpstat -p 2>/dev/null | grep -q "GlimmerTestPDF"; then
        kill "$GLIMMER_CUPSD_PID" 2>/dev/null || true
        wait "$GLIMMER_CUPSD_PID" 2>/dev/null || true
    fi
    if [ -n "${GLIMMER_CUPS_OUTDIR:-}" ]; then
        rm -rf "$GLIMMER_CUPS_OUTDIR"
    fi
    unset GLIMMER_TEST_CUPS_QUEUE GLIMMER_TEST_CUPS_OUTDIR GLIMMER_CUPS_OUTDIR GLIMMER_CUPSD_PID
}

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
    start_cups_queue
}

stop_test_services() {
    stop_cups_queue
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
