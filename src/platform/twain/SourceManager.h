#pragma once
// The source manager behind DSM_Entry: it registers the program (one per process), lists the
// machine's SANE devices as sources, remembers the user's default source between runs, opens
// and closes sources and routes every other triplet to the source it names. Each record the
// program hands in is checked before use; a failure leaves its condition code for DAT_STATUS.

#include "Source.h"
#include "TwainProtocol.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace gp::twain {

class SourceManager {
public:
    ~SourceManager();

    TW_UINT16 entry(
        TW_IDENTITY* origin, TW_IDENTITY* dest, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);

private:
    struct Device {
        TW_UINT32 id;
        std::string name;
        std::string vendor;
        std::string model;
    };

    TW_UINT16 managerTriplet(TW_IDENTITY* origin, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
    TW_UINT16 openManager(TW_IDENTITY* origin, TW_MEMREF data);
    TW_UINT16 closeManager();
    TW_UINT16 openSource(TW_IDENTITY* identity);
    TW_UINT16 closeSource(const TW_IDENTITY* identity);
    TW_UINT16 userSelect(TW_IDENTITY* identity);
    TW_UINT16 fail(TW_UINT16 condition);

    // The devices SANE lists, read once per opening of the manager.
    const std::vector<Device>& devices();
    const Device* defaultDevice();
    const Device& deviceNamed(const std::string& name);
    TW_IDENTITY identityOf(const Device& device) const;

    bool m_open = false;
    TW_UINT32 m_programId = 0;
    void* m_parent = nullptr;
    TW_UINT16 m_condition = TWCC_SUCCESS;
    bool m_listed = false;
    std::vector<Device> m_devices;
    std::size_t m_nextListed = 0;
    TW_UINT32 m_nextId = 1;
    std::map<TW_UINT32, std::unique_ptr<Source>> m_sources;
};

} // namespace gp::twain
