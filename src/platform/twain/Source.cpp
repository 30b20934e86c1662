#include "Source.h"

#include "PackedBitmap.h"
#include "SourceDialog.h"

#include <QApplication>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace gp::twain {

namespace {

TW_FIX32 toFix32(double value)
{
    const double whole = std::floor(value);
    long frac = std::lround((value - whole) * 65536.0);
    long w = long(whole);
    if (frac >= 65536) {
        frac -= 65536;
        ++w;
    }
    return TW_FIX32 { TW_INT16(std::clamp(w, -32768L, 32767L)), TW_UINT16(frac) };
}

double fromFix32(TW_FIX32 f)
{
    return f.Whole + f.Frac / 65536.0;
}

TW_UINT32 fix32Item(TW_FIX32 f)
{
    TW_UINT32 item = 0;
    std::memcpy(&item, &f, sizeof f);
    return item;
}

TW_FIX32 fix32FromItem(TW_UINT32 item)
{
    TW_FIX32 f;
    std::memcpy(&f, &item, sizeof f);
    return f;
}

TW_UINT16 failWith(TW_UINT16& condition, TW_UINT16 code)
{
    condition = code;
    return TWRC_FAILURE;
}

// A one-value container from malloc, as the protocol hands containers to the program.
bool answerOneValue(TW_CAPABILITY* cap, TW_UINT16 type, TW_UINT32 item)
{
    auto* value = static_cast<TW_ONEVALUE*>(std::malloc(sizeof(TW_ONEVALUE)));
    if (!value)
        return false;
    value->ItemType = type;
    value->Item = item;
    cap->ConType = TWON_ONEVALUE;
    cap->hContainer = value;
    return true;
}

TW_UINT16 itemTypeOf(TW_UINT16 cap)
{
    return cap == ICAP_XRESOLUTION || cap == ICAP_YRESOLUTION ? TW_UINT16(TWTY_FIX32) : TW_UINT16(TWTY_UINT16);
}

} // namespace

Source::Source(const TW_IDENTITY& identity, SaneDevice device)
    : m_identity(identity)
    , m_device(std::move(device))
{
}

Source::~Source() = default;

int Source::pixelFlavor() const
{
    // One-bit frames carry a set bit for black, so a zero sample is the lightest.
    const PixelKind kind = m_frame ? m_frame->kind : m_device.pixelKind();
    return kind == PixelKind::BlackWhite ? TWPF_VANILLA : TWPF_CHOCOLATE;
}

TW_UINT16 Source::handle(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, TW_UINT16& condition)
{
    condition = TWCC_SUCCESS;
    if (!data)
        return failWith(condition, TWCC_BADVALUE);
    if (group == DG_CONTROL) {
        switch (dat) {
        case DAT_CAPABILITY: return capability(msg, static_cast<TW_CAPABILITY*>(data), condition);
        case DAT_USERINTERFACE: return userInterface(msg, static_cast<TW_USERINTERFACE*>(data), condition);
        case DAT_EVENT:
            if (msg == MSG_PROCESSEVENT)
                return processEvent(static_cast<TW_EVENT*>(data), condition);
            break;
        case DAT_PENDINGXFERS:
            if (msg == MSG_ENDXFER)
                return endTransfer(static_cast<TW_PENDINGXFERS*>(data), condition);
            if (msg == MSG_GET) {
                auto* pending = static_cast<TW_PENDINGXFERS*>(data);
                pending->Count = m_state >= 6 ? 1 : 0;
                pending->Reserved = 0;
                return TWRC_SUCCESS;
            }
            break;
        case DAT_SETUPMEMXFER:
            if (msg == MSG_GET)
                return setupMemoryTransfer(static_cast<TW_SETUPMEMXFER*>(data), condition);
            break;
        default: break;
        }
    } else if (group == DG_IMAGE && msg == MSG_GET) {
        switch (dat) {
        case DAT_IMAGEINFO: return imageInfo(static_cast<TW_IMAGEINFO*>(data), condition);
        case DAT_IMAGENATIVEXFER: return nativeTransfer(static_cast<TW_HANDLE*>(data), condition);
        case DAT_IMAGEMEMXFER: return memoryTransfer(static_cast<TW_IMAGEMEMXFER*>(data), condition);
        case DAT_PALETTE8: return failWith(condition, TWCC_BADPROTOCOL); // no palette pixel type is offered
        default: break;
        }
    }
    return failWith(condition, TWCC_BADPROTOCOL);
}

TW_UINT16 Source::capability(TW_UINT16 msg, TW_CAPABILITY* cap, TW_UINT16& condition)
{
    const bool get = msg == MSG_GET || msg == MSG_GETCURRENT || msg == MSG_GETDEFAULT;
    if (!get && msg != MSG_SET)
        return failWith(condition, TWCC_BADPROTOCOL);

    if (get) {
        TW_UINT32 item = 0;
        switch (cap->Cap) {
        case ICAP_XFERMECH: item = msg == MSG_GETDEFAULT ? TW_UINT32(TWSX_NATIVE) : m_mechanism; break;
        case ICAP_UNITS: item = TWUN_INCHES; break;
        case ICAP_PIXELFLAVOR: item = TW_UINT32(pixelFlavor()); break;
        case ICAP_COMPRESSION: item = TWCP_NONE; break;
        case ICAP_PIXELTYPE: {
            const PixelKind kind = m_frame ? m_frame->kind : m_device.pixelKind();
            item = kind == PixelKind::BlackWhite ? TWPT_BW : kind == PixelKind::Gray ? TWPT_GRAY : TWPT_RGB;
            break;
        }
        case ICAP_BITDEPTH: {
            const PixelKind kind = m_frame ? m_frame->kind : m_device.pixelKind();
            item = kind == PixelKind::BlackWhite ? 1 : 8;
            break;
        }
        case ICAP_XRESOLUTION:
        case ICAP_YRESOLUTION: item = fix32Item(toFix32(m_frame ? m_frame->dpi : m_device.resolution())); break;
        default: return failWith(condition, TWCC_BADCAP);
        }
        return answerOneValue(cap, itemTypeOf(cap->Cap), item) ? TW_UINT16(TWRC_SUCCESS)
                                                               : failWith(condition, TWCC_LOWMEMORY);
    }

    if (m_state != 4)
        return failWith(condition, TWCC_SEQERROR);
    if (cap->ConType != TWON_ONEVALUE || !cap->hContainer)
        return failWith(condition, TWCC_BADVALUE);
    const auto* value = static_cast<const TW_ONEVALUE*>(cap->hContainer);
    if (value->ItemType != itemTypeOf(cap->Cap))
        return failWith(condition, TWCC_BADVALUE);
    bool accepted = false;
    switch (cap->Cap) {
    case ICAP_XFERMECH:
        accepted = value->Item == TWSX_NATIVE || value->Item == TWSX_MEMORY;
        if (accepted)
            m_mechanism = TW_UINT16(value->Item);
        break;
    case ICAP_UNITS: accepted = value->Item == TWUN_INCHES; break;
    case ICAP_COMPRESSION: accepted = value->Item == TWCP_NONE; break;
    case ICAP_PIXELFLAVOR: accepted = value->Item == TW_UINT32(pixelFlavor()); break;
    case ICAP_PIXELTYPE:
        accepted = (value->Item == TWPT_BW && m_device.setPixelKind(PixelKind::BlackWhite))
            || (value->Item == TWPT_GRAY && m_device.setPixelKind(PixelKind::Gray))
            || (value->Item == TWPT_RGB && m_device.setPixelKind(PixelKind::Rgb));
        break;
    case ICAP_XRESOLUTION:
    case ICAP_YRESOLUTION: {
        // The device has one resolution for both directions.
        const double dpi = fromFix32(fix32FromItem(value->Item));
        const auto [low, high] = m_device.resolutionRange();
        accepted = dpi >= low && dpi <= high && m_device.setResolution(dpi);
        break;
    }
    default: return failWith(condition, TWCC_BADCAP);
    }
    return accepted ? TW_UINT16(TWRC_SUCCESS) : failWith(condition, TWCC_BADVALUE);
}

TW_UINT16 Source::userInterface(TW_UINT16 msg, const TW_USERINTERFACE* ui, TW_UINT16& condition)
{
    if (msg == MSG_ENABLEDS) {
        if (m_state != 4)
            return failWith(condition, TWCC_SEQERROR);
        if (!ui->ShowUI) {
            // Without a dialog the source scans at once with its current settings.
            if (!scanNow())
                return failWith(condition, TWCC_OPERATIONERROR);
            m_state = 5;
            return TWRC_SUCCESS;
        }
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return failWith(condition, TWCC_OPERATIONERROR);
        m_dialog = std::make_unique<SourceDialog>(m_device, static_cast<QWidget*>(ui->hParent));
        m_dialog->onScan = [this] { scanRequested(); };
        m_dialog->onClose = [this] { closeRequested(); };
        m_dialog->show();
        m_state = 5;
        return TWRC_SUCCESS;
    }
    if (msg == MSG_DISABLEDS) {
        if (m_state != 5)
            return failWith(condition, TWCC_SEQERROR);
        m_dialog.reset();
        m_pendingMessage.reset();
        m_frame.reset();
        m_state = 4;
        return TWRC_SUCCESS;
    }
    return failWith(condition, TWCC_BADPROTOCOL);
}

TW_UINT16 Source::processEvent(TW_EVENT* event, TW_UINT16& condition)
{
    if (m_state < 5)
        return failWith(condition, TWCC_SEQERROR);
    // A pending message rides on the source's own wake-up event, or on a poll without event;
    // the program's other events are never taken.
    if (!m_pendingMessage || (event->pEvent && !isWakeEvent(event->pEvent))) {
        event->TWMessage = MSG_NULL;
        return TWRC_NOTDSEVENT;
    }
    event->TWMessage = *m_pendingMessage;
    if (*m_pendingMessage == MSG_XFERREADY)
        m_state = 6;
    m_pendingMessage.reset();
    return TWRC_DSEVENT;
}

bool Source::scanNow()
{
    m_frame = m_device.scan();
    if (!m_frame)
        return false;
    m_nextRow = 0;
    m_pendingMessage = MSG_XFERREADY;
    wakeProgram();
    return true;
}

void Source::scanRequested()
{
    if (m_state != 5 || m_pendingMessage)
        return;
    if (scanNow()) {
        if (m_dialog)
            m_dialog->setBusy(true);
    } else if (m_dialog) {
        m_dialog->showError(m_device.error());
    }
    wakeProgram();
}

void Source::closeRequested()
{
    if (m_state != 5 || m_pendingMessage)
        return;
    m_pendingMessage = MSG_CLOSEDSREQ;
    wakeProgram();
}

TW_UINT16 Source::endTransfer(TW_PENDINGXFERS* pending, TW_UINT16& condition)
{
    if (m_state != 6 && m_state != 7)
        return failWith(condition, TWCC_SEQERROR);
    // One scan makes one image; the source waits, enabled, for the next.
    m_frame.reset();
    m_nextRow = 0;
    m_state = 5;
    pending->Count = 0;
    pending->Reserved = 0;
    if (m_dialog)
        m_dialog->setBusy(false);
    return TWRC_SUCCESS;
}

TW_UINT16 Source::imageInfo(TW_IMAGEINFO* info, TW_UINT16& condition) const
{
    if ((m_state != 6 && m_state != 7) || !m_frame)
        return failWith(condition, TWCC_SEQERROR);
    std::memset(info, 0, sizeof *info);
    info->XResolution = info->YResolution = toFix32(m_frame->dpi);
    info->ImageWidth = m_frame->width;
    info->ImageLength = m_frame->height;
    const bool rgb = m_frame->kind == PixelKind::Rgb;
    info->SamplesPerPixel = rgb ? 3 : 1;
    const TW_INT16 bits = m_frame->kind == PixelKind::BlackWhite ? 1 : 8;
    for (int i = 0; i < info->SamplesPerPixel; ++i)
        info->BitsPerSample[i] = bits;
    info->BitsPerPixel = TW_INT16(m_frame->bitsPerPixel());
    info->Planar = 0;
    info->PixelType = m_frame->kind == PixelKind::BlackWhite ? TWPT_BW : rgb ? TWPT_RGB : TWPT_GRAY;
    info->Compression = TWCP_NONE;
    return TWRC_SUCCESS;
}

TW_UINT16 Source::setupMemoryTransfer(TW_SETUPMEMXFER* setup, TW_UINT16& condition) const
{
    // Sizes follow the frame when one is ready, else the largest row the device could give.
    std::size_t row = 0;
    if (m_frame) {
        row = paddedRowBytes(*m_frame);
    } else {
        const auto area = m_device.area();
        const double inches = area ? (area->right - area->left) / 25.4 : 8.5;
        row = (std::size_t(std::ceil(inches * m_device.resolution())) * 3 + 3) / 4 * 4;
    }
    if (row == 0 || row > 0xFFFFFFFFu / 64)
        return failWith(condition, TWCC_BADVALUE);
    constexpr std::size_t kPreferredBytes = 64 * 1024;
    setup->MinBufSize = TW_UINT32(row);
    setup->MaxBufSize = TW_UINT32(std::max(row, kPreferredBytes) / row * row * 16);
    setup->Preferred = TW_UINT32(std::max(row, kPreferredBytes / row * row));
    return TWRC_SUCCESS;
}

TW_UINT16 Source::nativeTransfer(TW_HANDLE* handle, TW_UINT16& condition)
{
    if (m_state != 6 || !m_frame || m_mechanism != TWSX_NATIVE)
        return failWith(condition, TWCC_SEQERROR);
    void* block = makePackedBitmap(*m_frame);
    if (!block)
        return failWith(condition, TWCC_LOWMEMORY);
    *handle = block;
    m_state = 7;
    return TWRC_XFERDONE;
}

TW_UINT16 Source::memoryTransfer(TW_IMAGEMEMXFER* strip, TW_UINT16& condition)
{
    if ((m_state != 6 && m_state != 7) || !m_frame || m_mechanism != TWSX_MEMORY)
        return failWith(condition, TWCC_SEQERROR);
    if (m_nextRow >= m_frame->height)
        return failWith(condition, TWCC_SEQERROR);
    const std::size_t stride = paddedRowBytes(*m_frame);
    const TW_MEMORY& memory = strip->Memory;
    if (!(memory.Flags & TWMF_POINTER) || !memory.TheMem || memory.Length < stride)
        return failWith(condition, TWCC_BADVALUE);
    const int rows = int(std::min<std::size_t>(memory.Length / stride, std::size_t(m_frame->height - m_nextRow)));
    auto* out = static_cast<std::uint8_t*>(memory.TheMem);
    const std::size_t rowBytes = m_frame->rowBytes();
    for (int r = 0; r < rows; ++r) {
        std::uint8_t* dst = out + std::size_t(r) * stride;
        std::memcpy(dst, m_frame->rows.data() + std::size_t(m_nextRow + r) * rowBytes, rowBytes);
        std::memset(dst + rowBytes, 0, stride - rowBytes);
    }
    strip->Compression = TWCP_NONE;
    strip->BytesPerRow = TW_UINT32(stride);
    strip->Columns = TW_UINT32(m_frame->width);
    strip->Rows = TW_UINT32(rows);
    strip->XOffset = 0;
    strip->YOffset = TW_UINT32(m_nextRow);
    strip->BytesWritten = TW_UINT32(std::size_t(rows) * stride);
    m_nextRow += rows;
    m_state = 7;
    return m_nextRow == m_frame->height ? TWRC_XFERDONE : TWRC_SUCCESS;
}

} // namespace gp::twain
