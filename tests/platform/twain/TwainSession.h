#pragma once
// A program's side of the acquisition protocol for the manager's tests: its identity, the
// source it opened, and short-hands for the triplets.

#include "TwainProtocol.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace gp::test {

struct TwainSession {
    TW_IDENTITY program {};
    TW_IDENTITY source {};
    bool managerOpen = false;
    bool sourceOpen = false;
    bool enabled = false;

    TwainSession()
    {
        program.ProtocolMajor = 1;
        program.SupportedGroups = DG_CONTROL | DG_IMAGE;
        std::strcpy(program.ProductName, "Manager test");
    }

    ~TwainSession()
    {
        if (enabled) {
            TW_PENDINGXFERS pending {};
            toSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
            TW_USERINTERFACE ui {};
            toSource(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
        }
        if (sourceOpen)
            toManager(DAT_IDENTITY, MSG_CLOSEDS, &source);
        if (managerOpen) {
            TW_HANDLE parent = nullptr;
            toManager(DAT_PARENT, MSG_CLOSEDSM, &parent);
        }
    }

    TW_UINT16 toManager(TW_UINT16 dat, TW_UINT16 msg, void* data)
    {
        return DSM_Entry(&program, nullptr, DG_CONTROL, dat, msg, data);
    }
    TW_UINT16 toSource(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, void* data)
    {
        return DSM_Entry(&program, &source, group, dat, msg, data);
    }

    TW_UINT16 managerCondition()
    {
        TW_STATUS status {};
        toManager(DAT_STATUS, MSG_GET, &status);
        return status.ConditionCode;
    }
    TW_UINT16 sourceCondition()
    {
        TW_STATUS status {};
        toSource(DG_CONTROL, DAT_STATUS, MSG_GET, &status);
        return status.ConditionCode;
    }

    bool openManager()
    {
        TW_HANDLE parent = nullptr;
        managerOpen = toManager(DAT_PARENT, MSG_OPENDSM, &parent) == TWRC_SUCCESS;
        return managerOpen;
    }

    bool openSource(const std::string& name)
    {
        source = TW_IDENTITY {};
        std::strncpy(source.ProductName, name.c_str(), sizeof source.ProductName - 1);
        sourceOpen = toManager(DAT_IDENTITY, MSG_OPENDS, &source) == TWRC_SUCCESS;
        return sourceOpen;
    }

    TW_UINT16 setOneValue(TW_UINT16 cap, TW_UINT16 type, TW_UINT32 item)
    {
        TW_ONEVALUE value { type, item };
        TW_CAPABILITY capability { cap, TWON_ONEVALUE, &value };
        return toSource(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability);
    }

    std::optional<TW_UINT32> getOneValue(TW_UINT16 cap)
    {
        TW_CAPABILITY capability { cap, 0, nullptr };
        if (toSource(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability) != TWRC_SUCCESS || !capability.hContainer)
            return std::nullopt;
        const auto* value = static_cast<const TW_ONEVALUE*>(capability.hContainer);
        const TW_UINT32 item = capability.ConType == TWON_ONEVALUE ? value->Item : 0xFFFFFFFFu;
        std::free(capability.hContainer);
        return item;
    }

    // Enables without the source's dialog, which scans at once, and takes the transfer-ready
    // message from the event loop.
    bool scanWithoutDialog()
    {
        TW_USERINTERFACE ui {};
        ui.ShowUI = 0;
        enabled = toSource(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) == TWRC_SUCCESS;
        if (!enabled)
            return false;
        TW_EVENT event { nullptr, MSG_NULL };
        return toSource(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event) == TWRC_DSEVENT
            && event.TWMessage == MSG_XFERREADY;
    }
};

} // namespace gp::test
