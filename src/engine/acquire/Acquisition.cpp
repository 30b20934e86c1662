#include "acquire/Acquisition.h"

#include "TwainProtocol.h"
#include "acquire/TransferFormat.h"
#include "image/Allocator.h"
#include "shell/Host.h"
#include "shell/Paths.h"
#include "shell/StringTable.h"
#include "shell/UserSettings.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <malloc.h>
#include <span>
#include <vector>

namespace gp {

// The program's identity, the chosen source's and the manager's entry point.
struct TwainLink {
    TW_IDENTITY identity {};
    TW_IDENTITY source {};
    DSMENTRYPROC entry = nullptr;

    TW_UINT16 call(TW_IDENTITY* dest, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, void* data)
    {
        return entry ? entry(&identity, dest, group, dat, msg, data) : TW_UINT16(TWRC_FAILURE);
    }
    TW_UINT16 toSource(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, void* data)
    {
        return call(&source, group, dat, msg, data);
    }
};

namespace {

// A strip buffer never grows beyond this, whatever the source prefers.
constexpr std::size_t kMaxStripBytes = std::size_t(64) << 20;

void setField(TW_STR32& field, std::string_view text)
{
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text.data(), std::min(text.size(), sizeof field - 1));
}

// A block the manager handed over (malloc'd), with its bound.
std::span<const std::uint8_t> handedBlock(const void* block)
{
    return { static_cast<const std::uint8_t*>(block), malloc_usable_size(const_cast<void*>(block)) };
}

bool endTransfer(TwainLink& link, TW_PENDINGXFERS& pending)
{
    pending = TW_PENDINGXFERS {};
    return link.toSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending) == TWRC_SUCCESS;
}

} // namespace

Acquisition::Acquisition(Host& host, Allocator& allocator, const UserSettings& settings, const Paths& paths)
    : m_host(&host)
    , m_allocator(&allocator)
    , m_settings(&settings)
    , m_paths(&paths)
    , m_link(std::make_unique<TwainLink>())
{
}

Acquisition::~Acquisition()
{
    closeLink();
}

void Acquisition::fillIdentity()
{
    const std::string_view product = text(StringId::ProductName);
    m_link->identity = TW_IDENTITY {};
    m_link->identity.Version.MajorNum = 1;
    m_link->identity.Version.MinorNum = 5;
    m_link->identity.Version.Language = TWLG_USA;
    m_link->identity.Version.Country = TWCY_USA;
    setField(m_link->identity.Version.Info, product);
    m_link->identity.ProtocolMajor = 1;
    m_link->identity.ProtocolMinor = 5;
    m_link->identity.SupportedGroups = DG_CONTROL | DG_IMAGE;
    setField(m_link->identity.Manufacturer, product);
    setField(m_link->identity.ProductFamily, product);
    setField(m_link->identity.ProductName, product);
    m_memoryScan = m_settings->memoryScan != 0;
    m_multiScan = m_settings->multiScan != 0;
    m_identityFilled = true;
}

bool Acquisition::memoryScan() const
{
    return m_memoryScanOverride.value_or(m_memoryScan);
}
bool Acquisition::multiScan() const
{
    return m_multiScanOverride.value_or(m_multiScan);
}

std::uint32_t Acquisition::sourceId() const
{
    return m_link->source.Id;
}

bool Acquisition::loadManager()
{
    if (!m_identityFilled)
        fillIdentity();
    if (m_library)
        return true;
    const auto path = m_paths->library(text(StringId::TwainLibraryName));
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        m_host->message(text(StringId::CaptionWarning), text(StringId::TwainLibraryMissing), Icon::Warning);
        return false;
    }
    m_library = DynamicLibrary::open(path);
    m_link->entry = m_library ? m_library->function<DSMENTRYPROC>("DSM_Entry") : nullptr;
    if (!m_link->entry) {
        m_library.reset();
        return false;
    }
    return true;
}

bool Acquisition::openManager()
{
    if (m_managerOpen)
        return true;
    TW_HANDLE parent = m_parent;
    m_managerOpen = m_link->call(nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &parent) == TWRC_SUCCESS;
    return m_managerOpen;
}

void Acquisition::selectSource()
{
    // While a source is open the choice cannot change; the command is unavailable then.
    if (m_sourceOpen || !loadManager())
        return;
    if (openManager()) {
        TW_IDENTITY chosen {};
        m_link->call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &chosen);
        if (m_link->call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &chosen) == TWRC_SUCCESS)
            m_link->source = chosen;
    }
    closeLink();
}

void Acquisition::acquire()
{
    if (m_sourceOpen)
        return;
    // The manager opens its default source (the one Select Source chose), or the one named.
    m_link->source.Id = 0;
    setField(m_link->source.ProductName, m_sourceName);
    m_transferState = 0;
    if (!loadManager())
        return;
    if (!openManager()) {
        closeLink();
        return;
    }
    m_sourceOpen = m_link->call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &m_link->source) == TWRC_SUCCESS;
    // A source refuses memory transfers unless they were chosen while it is open.
    const bool mechanism = m_sourceOpen && setTransferMechanism(memoryScan() ? TWSX_MEMORY : TWSX_NATIVE);
    if (m_sourceOpen && mechanism && !m_sourceEnabled) {
        TW_USERINTERFACE ui {};
        ui.ShowUI = m_showUserInterface ? 1 : 0;
        ui.ModalUI = 0;
        ui.hParent = m_parent;
        m_sourceEnabled = m_link->toSource(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) == TWRC_SUCCESS;
        if (m_sourceEnabled) {
            m_transferState = 3;
            m_host->setFrameEnabled(false);
            return;
        }
    }
    m_transferState = 0;
    closeLink();
}

bool Acquisition::setTransferMechanism(std::uint16_t mechanism)
{
    TW_ONEVALUE value { TWTY_UINT16, mechanism };
    TW_CAPABILITY cap { ICAP_XFERMECH, TWON_ONEVALUE, &value };
    return m_link->toSource(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &cap) == TWRC_SUCCESS;
}

std::optional<int> Acquisition::capabilityValue(std::uint16_t capId)
{
    TW_CAPABILITY cap { capId, 0, nullptr };
    if (m_link->toSource(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &cap) != TWRC_SUCCESS || !cap.hContainer)
        return std::nullopt;
    std::optional<int> value;
    const auto block = handedBlock(cap.hContainer);
    if (cap.ConType == TWON_ONEVALUE && block.size() >= sizeof(TW_ONEVALUE)) {
        TW_ONEVALUE one;
        std::memcpy(&one, block.data(), sizeof one);
        if (one.ItemType == TWTY_UINT16 || one.ItemType == TWTY_INT16)
            value = int(one.Item & 0xFFFF);
    }
    std::free(cap.hContainer);
    return value;
}

bool Acquisition::filterEvent(void* event)
{
    if (!m_managerOpen || !m_sourceOpen)
        return false;
    TW_EVENT message { event, MSG_NULL };
    const TW_UINT16 rc = m_link->toSource(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &message);
    if (message.TWMessage == MSG_XFERREADY && m_transferState != 0) {
        runTransfers();
        if (!multiScan()) {
            m_transferState = 0;
            closeLink();
        }
    } else if (message.TWMessage == MSG_CLOSEDSREQ) {
        closeLink();
    }
    return rc == TWRC_DSEVENT;
}

void Acquisition::runTransfers()
{
    if (memoryScan())
        memoryTransfers();
    else
        nativeTransfers();
}

void Acquisition::handOver(std::optional<Image> image)
{
    if (deliver)
        deliver(std::move(image));
}

void Acquisition::nativeTransfers()
{
    TW_PENDINGXFERS pending {};
    do {
        TW_HANDLE handle = nullptr;
        if (m_link->toSource(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle) != TWRC_XFERDONE) {
            const bool ended = endTransfer(*m_link, pending);
            handOver(std::nullopt);
            if (!ended)
                return;
            continue;
        }
        std::optional<Image> image;
        if (handle) {
            auto adopted = Image::fromPacked(handedBlock(handle), m_allocator->ceiling());
            std::free(handle);
            if (adopted)
                image = std::move(*adopted);
            else if (adopted.error().kind == ErrorKind::OutOfMemory || adopted.error().kind == ErrorKind::TooLarge)
                m_allocator->reportOutOfMemory();
        }
        const bool ended = endTransfer(*m_link, pending);
        handOver(std::move(image));
        if (!ended)
            return;
    } while (pending.Count != 0);
}

void Acquisition::memoryTransfers()
{
    TW_PENDINGXFERS pending {};
    do {
        std::optional<Image> image = memoryImage();
        const bool ended = endTransfer(*m_link, pending);
        handOver(std::move(image));
        if (!ended)
            return;
    } while (pending.Count != 0);
}

std::optional<Image> Acquisition::memoryImage()
{
    TW_IMAGEINFO info {};
    if (m_link->toSource(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info) != TWRC_SUCCESS)
        return std::nullopt;
    const int bits = info.BitsPerPixel;
    const bool depthFits = info.PixelType == TWPT_RGB ? bits == 24
        : info.PixelType == TWPT_BW                   ? bits == 1
                                                      : (bits == 1 || bits == 4 || bits == 8);
    if (info.ImageWidth <= 0 || info.ImageLength <= 0 || !depthFits)
        return std::nullopt;

    std::optional<int> flavor;
    std::optional<TW_PALETTE8> palette;
    if (info.PixelType == TWPT_BW) {
        flavor = capabilityValue(ICAP_PIXELFLAVOR);
    } else if (info.PixelType != TWPT_GRAY && info.PixelType != TWPT_RGB) {
        palette.emplace();
        if (m_link->toSource(DG_IMAGE, DAT_PALETTE8, MSG_GET, &*palette) != TWRC_SUCCESS)
            palette.reset();
    }
    const std::vector<Rgbq> table = colorTableFor(info.PixelType, bits, flavor, palette ? &*palette : nullptr);
    auto image = m_allocator->image(info.ImageWidth, info.ImageLength, bits, int(table.size()));
    if (!image)
        return std::nullopt;
    std::copy(table.begin(), table.end(), image->colorTable().begin());
    const std::optional<int> units = capabilityValue(ICAP_UNITS);
    image->setResolution(pixelsPerMeter(info.XResolution, units), pixelsPerMeter(info.YResolution, units));

    TW_SETUPMEMXFER setup {};
    if (m_link->toSource(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup) != TWRC_SUCCESS)
        return std::nullopt;
    const std::size_t rowSize = image->rowSize();
    const std::size_t bufferSize = std::max<std::size_t>({ setup.Preferred, setup.MinBufSize, rowSize });
    if (bufferSize > kMaxStripBytes)
        return std::nullopt;
    std::vector<std::uint8_t> buffer(bufferSize);

    // Strips arrive top-down; each row goes to its place counted from the top, which turns the
    // source's row order into the bottom-up order of the image.
    const std::size_t minimumRowBytes = (std::size_t(info.ImageWidth) * std::size_t(bits) + 7) / 8;
    for (;;) {
        TW_IMAGEMEMXFER strip {};
        strip.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
        strip.Memory.Length = TW_UINT32(buffer.size());
        strip.Memory.TheMem = buffer.data();
        const TW_UINT16 rc = m_link->toSource(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &strip);
        if (rc != TWRC_SUCCESS && rc != TWRC_XFERDONE)
            return std::nullopt;
        const std::uint64_t used = std::uint64_t(strip.Rows) * strip.BytesPerRow;
        if (strip.Compression != TWCP_NONE || strip.BytesPerRow < minimumRowBytes || used > strip.BytesWritten
            || used > buffer.size() || std::uint64_t(strip.YOffset) + strip.Rows > std::uint64_t(info.ImageLength)
            || (strip.Rows == 0 && rc == TWRC_SUCCESS))
            return std::nullopt;
        for (TW_UINT32 r = 0; r < strip.Rows; ++r)
            std::memcpy(image->row(int(strip.YOffset + r)), buffer.data() + std::size_t(r) * strip.BytesPerRow,
                std::min<std::size_t>(strip.BytesPerRow, rowSize));
        if (rc == TWRC_XFERDONE)
            break;
    }
    if (info.PixelType == TWPT_RGB) {
        for (int y = 0; y < image->height(); ++y) {
            std::uint8_t* row = image->storedRow(y);
            for (int x = 0; x < image->width(); ++x)
                std::swap(row[3 * x], row[3 * x + 2]);
        }
    }
    return image;
}

void Acquisition::closeLink()
{
    if (m_sourceEnabled) {
        TW_USERINTERFACE ui {};
        ui.hParent = m_parent;
        m_link->toSource(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
        m_sourceEnabled = false;
    }
    if (m_sourceOpen) {
        m_link->call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &m_link->source);
        m_sourceOpen = false;
        m_link->source = TW_IDENTITY {};
    }
    if (m_managerOpen) {
        TW_HANDLE parent = m_parent;
        m_link->call(nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parent);
        m_managerOpen = false;
    }
    if (m_library) {
        m_transferState = 0;
        m_host->setFrameEnabled(true);
        m_link->entry = nullptr;
        m_library.reset();
    }
}

} // namespace gp
