#pragma once
// The program's side of image acquisition: it registers the program with the source manager
// library (loaded by name from the library folder), lets the user choose a source, enables the
// source with its own dialog, and, as the program's event filter passes it every event, takes
// the images the source has ready by native or memory transfer and hands each to the main
// frame. The link (library, manager, source) is closed again after one batch of images, or
// stays open for further scans when MultiScan is set.
//
// Every failing call ends its step silently and closes what was opened; only a missing library
// is reported to the user. A failed or cancelled transfer delivers no image.

#include "base/DynamicLibrary.h"
#include "image/Image.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace gp {

class Allocator;
class Host;
struct Paths;
struct TwainLink;
struct UserSettings;

class Acquisition {
public:
    // The host shows the warnings and disables the frame while a source is open; the settings
    // give MemoryScan and MultiScan; the paths give the library folder.
    Acquisition(Host& host, Allocator& allocator, const UserSettings& settings, const Paths& paths);
    ~Acquisition();
    Acquisition(const Acquisition&) = delete;
    Acquisition& operator=(const Acquisition&) = delete;

    // Fills the program's identity and reads MemoryScan and MultiScan from the settings. Done
    // at start-up; the commands do it themselves when it has not been done.
    void fillIdentity();

    // Select Source: the manager's list of sources; the choice becomes the source to open.
    void selectSource();
    // Acquire: opens the chosen (or the default) source and enables it. The images arrive
    // later, through filterEvent.
    void acquire();
    // The event filter of the program's message loop while a source is open: true when the
    // event belonged to the source. event is the program's event, or nullptr to poll.
    bool filterEvent(void* event);
    // Disables and closes the source, closes the manager and unloads the library, as far as
    // each is open.
    void closeLink();

    // While a source is open, Acquire and Select Source are unavailable.
    bool sourceOpen() const { return m_sourceOpen; }
    bool managerOpen() const { return m_managerOpen; }
    int transferState() const { return m_transferState; }
    // The id the manager gave the chosen source; 0 while none is chosen.
    std::uint32_t sourceId() const;

    // The window the manager's and the source's dialogs belong to.
    void setParentWindow(void* window) { m_parent = window; }
    // Without the source's dialog the source scans at once with its current settings (the
    // command-line tool); the program always shows it.
    void setShowUserInterface(bool show) { m_showUserInterface = show; }
    // The source the next Acquire opens by name, instead of the chosen or default one.
    void setSourceName(std::string name) { m_sourceName = std::move(name); }
    // Overrides of the MemoryScan and MultiScan settings.
    void setMemoryScan(bool on) { m_memoryScanOverride = on; }
    void setMultiScan(bool on) { m_multiScanOverride = on; }

    // The main frame's handling of each finished image; nothing for a failed or cancelled
    // transfer. The program sets it to make the image a new document "Untitled-Acquired";
    // without it the image is dropped.
    std::function<void(std::optional<Image>)> deliver;

private:
    bool loadManager();
    bool openManager();
    bool setTransferMechanism(std::uint16_t mechanism);
    std::optional<int> capabilityValue(std::uint16_t cap);
    void runTransfers();
    void nativeTransfers();
    void memoryTransfers();
    std::optional<Image> memoryImage();
    void handOver(std::optional<Image> image);
    bool memoryScan() const;
    bool multiScan() const;

    Host* m_host;
    Allocator* m_allocator;
    const UserSettings* m_settings;
    const Paths* m_paths;
    // The protocol side of the link (identities, entry point), declared where the protocol is.
    std::unique_ptr<TwainLink> m_link;
    bool m_identityFilled = false;
    bool m_memoryScan = false;
    bool m_multiScan = false;
    std::optional<bool> m_memoryScanOverride;
    std::optional<bool> m_multiScanOverride;
    std::optional<DynamicLibrary> m_library;
    bool m_managerOpen = false;
    bool m_sourceOpen = false;
    bool m_sourceEnabled = false;
    int m_transferState = 0;
    void* m_parent = nullptr;
    bool m_showUserInterface = true;
    std::string m_sourceName;
};

} // namespace gp
