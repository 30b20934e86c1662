#pragma once
// One open data source: a SANE device behind the acquisition protocol. It keeps the source's
// state (4 open, 5 enabled, 6 transfer ready, 7 transferring), answers the capabilities a photo
// program asks about, shows its own dialog when enabled with a user interface (or scans at once
// without one), and hands the scanned frame over as a packed bitmap (native transfer) or in
// strips of rows padded to 4 bytes (memory transfer).

#include "SaneDevice.h"
#include "TwainProtocol.h"

#include <memory>
#include <optional>

namespace gp::twain {

class SourceDialog;

class Source {
public:
    Source(const TW_IDENTITY& identity, SaneDevice device);
    ~Source();
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;

    const TW_IDENTITY& identity() const { return m_identity; }
    int state() const { return m_state; }

    // One triplet addressed to this source; condition receives the condition code.
    TW_UINT16 handle(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, TW_UINT16& condition);

    // From the source's dialog: scan with the dialog's settings, or ask the program to close.
    void scanRequested();
    void closeRequested();

private:
    TW_UINT16 capability(TW_UINT16 msg, TW_CAPABILITY* cap, TW_UINT16& condition);
    TW_UINT16 userInterface(TW_UINT16 msg, const TW_USERINTERFACE* ui, TW_UINT16& condition);
    TW_UINT16 processEvent(TW_EVENT* event, TW_UINT16& condition);
    TW_UINT16 endTransfer(TW_PENDINGXFERS* pending, TW_UINT16& condition);
    TW_UINT16 imageInfo(TW_IMAGEINFO* info, TW_UINT16& condition) const;
    TW_UINT16 setupMemoryTransfer(TW_SETUPMEMXFER* setup, TW_UINT16& condition) const;
    TW_UINT16 nativeTransfer(TW_HANDLE* handle, TW_UINT16& condition);
    TW_UINT16 memoryTransfer(TW_IMAGEMEMXFER* strip, TW_UINT16& condition);

    // Scans a frame and queues the transfer-ready message; false when the device failed.
    bool scanNow();
    int pixelFlavor() const;

    TW_IDENTITY m_identity;
    SaneDevice m_device;
    int m_state = 4;
    TW_UINT16 m_mechanism = TWSX_NATIVE;
    std::optional<TW_UINT16> m_pendingMessage;
    std::optional<ScannedFrame> m_frame;
    int m_nextRow = 0; // memory transfer: the first row of the next strip
    std::unique_ptr<SourceDialog> m_dialog;
};

} // namespace gp::twain
