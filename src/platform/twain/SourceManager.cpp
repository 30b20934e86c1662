#include "SourceManager.h"

#include "DefaultSource.h"
#include "SelectSourceDialog.h"

#include <algorithm>
#include <cstring>
#include <sane/sane.h>

namespace gp::twain {

namespace {

// A text field of a record, read no further than its 34 bytes even when unterminated.
std::string fieldText(const TW_STR32& field)
{
    return std::string(field, strnlen(field, sizeof field));
}

void setField(TW_STR32& field, const std::string& text)
{
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text.data(), std::min(text.size(), sizeof field - 1));
}

} // namespace

SourceManager::~SourceManager()
{
    if (m_open) {
        m_sources.clear();
        sane_exit();
    }
}

TW_UINT16 SourceManager::fail(TW_UINT16 condition)
{
    m_condition = condition;
    return TWRC_FAILURE;
}

TW_UINT16 SourceManager::entry(
    TW_IDENTITY* origin, TW_IDENTITY* dest, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    if (!origin)
        return fail(TWCC_BADPROTOCOL);
    const bool opening = !dest && group == DG_CONTROL && dat == DAT_PARENT && msg == MSG_OPENDSM;
    if (!opening && (!m_open || origin->Id != m_programId))
        return fail(m_open ? TWCC_BADPROTOCOL : TWCC_SEQERROR);
    if (!dest)
        return managerTriplet(origin, dat, group == DG_CONTROL ? msg : TW_UINT16(0xFFFF), data);

    const auto source = m_sources.find(dest->Id);
    if (source == m_sources.end())
        return fail(TWCC_BADDEST);
    if (group == DG_CONTROL && dat == DAT_STATUS && msg == MSG_GET) {
        if (!data)
            return fail(TWCC_BADVALUE);
        *static_cast<TW_STATUS*>(data) = TW_STATUS { m_condition, 0 };
        return TWRC_SUCCESS;
    }
    TW_UINT16 condition = TWCC_SUCCESS;
    const TW_UINT16 result = source->second->handle(group, dat, msg, data, condition);
    m_condition = condition;
    return result;
}

TW_UINT16 SourceManager::managerTriplet(TW_IDENTITY* origin, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    if (!data)
        return fail(TWCC_BADVALUE);
    if (dat == DAT_PARENT && msg == MSG_OPENDSM)
        return openManager(origin, data);
    if (dat == DAT_PARENT && msg == MSG_CLOSEDSM)
        return closeManager();
    if (dat == DAT_STATUS && msg == MSG_GET) {
        *static_cast<TW_STATUS*>(data) = TW_STATUS { m_condition, 0 };
        return TWRC_SUCCESS;
    }
    if (dat != DAT_IDENTITY)
        return fail(TWCC_BADPROTOCOL);
    auto* identity = static_cast<TW_IDENTITY*>(data);
    switch (msg) {
    case MSG_GETDEFAULT: {
        const Device* device = defaultDevice();
        if (!device)
            return fail(TWCC_NODS);
        *identity = identityOf(*device);
        return TWRC_SUCCESS;
    }
    case MSG_GETFIRST: m_nextListed = 0; [[fallthrough]];
    case MSG_GETNEXT:
        if (m_nextListed >= devices().size())
            return TWRC_ENDOFLIST;
        *identity = identityOf(devices()[m_nextListed++]);
        return TWRC_SUCCESS;
    case MSG_OPENDS: return openSource(identity);
    case MSG_CLOSEDS: return closeSource(identity);
    case MSG_USERSELECT: return userSelect(identity);
    default: return fail(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 SourceManager::openManager(TW_IDENTITY* origin, TW_MEMREF data)
{
    if (m_open)
        return fail(TWCC_SEQERROR);
    SANE_Int version = 0;
    if (sane_init(&version, nullptr) != SANE_STATUS_GOOD)
        return fail(TWCC_BUMMER);
    m_open = true;
    m_parent = *static_cast<TW_HANDLE*>(data);
    m_programId = m_nextId++;
    origin->Id = m_programId;
    m_listed = false;
    m_devices.clear();
    m_condition = TWCC_SUCCESS;
    return TWRC_SUCCESS;
}

TW_UINT16 SourceManager::closeManager()
{
    if (!m_sources.empty())
        return fail(TWCC_SEQERROR);
    sane_exit();
    m_open = false;
    m_programId = 0;
    m_parent = nullptr;
    m_listed = false;
    m_devices.clear();
    return TWRC_SUCCESS;
}

const std::vector<SourceManager::Device>& SourceManager::devices()
{
    if (m_listed)
        return m_devices;
    m_listed = true;
    const SANE_Device** list = nullptr;
    if (sane_get_devices(&list, SANE_FALSE) != SANE_STATUS_GOOD || !list)
        return m_devices;
    for (; *list; ++list) {
        const SANE_Device* d = *list;
        if (d->name && *d->name)
            m_devices.push_back(Device { m_nextId++, d->name, d->vendor ? d->vendor : "", d->model ? d->model : "" });
    }
    return m_devices;
}

const SourceManager::Device* SourceManager::defaultDevice()
{
    const auto& all = devices();
    if (const auto stored = readDefaultSource()) {
        const auto it = std::find_if(all.begin(), all.end(), [&](const Device& d) { return d.name == *stored; });
        if (it != all.end())
            return &*it;
    }
    return all.empty() ? nullptr : &all.front();
}

const SourceManager::Device& SourceManager::deviceNamed(const std::string& name)
{
    // Devices can be opened by name even when SANE does not list them (a backend left out of
    // its configuration); they join the list under a fresh id.
    devices();
    const auto it = std::find_if(m_devices.begin(), m_devices.end(), [&](const Device& d) { return d.name == name; });
    if (it != m_devices.end())
        return *it;
    m_devices.push_back(Device { m_nextId++, name, "", "" });
    return m_devices.back();
}

TW_IDENTITY SourceManager::identityOf(const Device& device) const
{
    TW_IDENTITY identity {};
    identity.Id = device.id;
    identity.Version.MajorNum = 1;
    identity.Version.MinorNum = 0;
    identity.Version.Language = TWLG_USA;
    identity.Version.Country = TWCY_USA;
    setField(identity.Version.Info, "SANE device");
    identity.ProtocolMajor = 1;
    identity.ProtocolMinor = 9;
    identity.SupportedGroups = DG_CONTROL | DG_IMAGE;
    setField(identity.Manufacturer, device.vendor.empty() ? "SANE" : device.vendor);
    setField(identity.ProductFamily, device.model);
    setField(identity.ProductName, device.name);
    return identity;
}

TW_UINT16 SourceManager::openSource(TW_IDENTITY* identity)
{
    // By id, else by product name, else the default source.
    const Device* device = nullptr;
    if (identity->Id != 0) {
        devices();
        const auto it
            = std::find_if(m_devices.begin(), m_devices.end(), [&](const Device& d) { return d.id == identity->Id; });
        if (it == m_devices.end())
            return fail(TWCC_NODS);
        device = &*it;
    } else if (const std::string name = fieldText(identity->ProductName); !name.empty()) {
        device = &deviceNamed(name);
    } else {
        device = defaultDevice();
    }
    if (!device)
        return fail(TWCC_NODS);
    if (m_sources.count(device->id))
        return fail(TWCC_SEQERROR);
    auto sane = SaneDevice::open(device->name);
    if (!sane)
        return fail(TWCC_NODS);
    *identity = identityOf(*device);
    m_sources.emplace(device->id, std::make_unique<Source>(*identity, std::move(*sane)));
    return TWRC_SUCCESS;
}

TW_UINT16 SourceManager::closeSource(const TW_IDENTITY* identity)
{
    const auto it = m_sources.find(identity->Id);
    if (it == m_sources.end())
        return fail(TWCC_NODS);
    if (it->second->state() != 4)
        return fail(TWCC_SEQERROR);
    m_sources.erase(it);
    return TWRC_SUCCESS;
}

TW_UINT16 SourceManager::userSelect(TW_IDENTITY* identity)
{
    const auto& all = devices();
    if (all.empty())
        return fail(TWCC_NODS);
    std::vector<std::string> names;
    for (const Device& d : all)
        names.push_back(d.name);
    const Device* current = defaultDevice();
    const auto chosen = chooseSource(names, current ? current->name : std::string(), m_parent);
    if (!chosen)
        return TWRC_CANCEL;
    writeDefaultSource(*chosen);
    *identity = identityOf(deviceNamed(*chosen));
    return TWRC_SUCCESS;
}

} // namespace gp::twain
