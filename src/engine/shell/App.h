#pragma once
// The whole state of one running program: the settings, the documents and the active one, the
// current document name, the recent files, the gamma tables and the command dispatcher. There
// are no global variables; the window program, the command-line tool and each test build their
// own App around their own Host.

#include "codecs/SaveOptions.h"
#include "image/Allocator.h"
#include "image/DocumentList.h"
#include "print/PrinterState.h"
#include "shell/CommandDispatcher.h"
#include "shell/GammaTables.h"
#include "shell/Paths.h"
#include "shell/ProfileFile.h"
#include "shell/RecentFiles.h"
#include "shell/UserSettings.h"

#include <string>

namespace gp {

class Host;

class App {
public:
    App(Host& host, Paths paths);
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    Host& host() const { return *m_host; }
    const Paths& paths() const { return m_paths; }
    Allocator& allocator() { return m_allocator; }
    const Allocator& allocator() const { return m_allocator; }

    // GLMPRESS.INI and what start-up read from it.
    ProfileFile& settingsFile() { return m_settingsFile; }
    bool settingsFileExists() const { return m_settingsFile.existsOnDisk(); }
    UserSettings& settings() { return m_settings; }
    const std::array<GammaTable, 3>& gammaTables() const { return m_gamma; }
    RecentFiles& recentFiles() { return m_recent; }
    // Reads the settings in the start-up order and builds the gamma tables.
    void readSettings();
    // Writes the shut-down subset of the settings; false when a write failed.
    bool writeSettings();

    // The decimal separator of win.ini ([intl] sDecimal, one character, "." by default).
    std::string decimalSeparator() const;
    std::string formatDecimal(double value, int decimals) const;

    DocumentList& documents() { return m_documents; }
    Document* activeDocument() const { return m_documents.active(); }
    // The program-wide buffer that carries a file name between dialogs, readers and writers.
    std::string& currentName() { return m_currentName; }

    // Makes a document of an image (widened to 24 bit) titled with the current name.
    Document* newDocument(Image image);
    // Shows the file-not-found warning for the current name unless file warnings are off.
    void warnFileNotFound();
    bool fileWarnings() const { return m_fileWarnings; }
    void setFileWarnings(bool on) { m_fileWarnings = on; }

    // The Save As dialog's remembered type, compress flag, quality and folders.
    SaveOptions& saveOptions() { return m_saveOptions; }

    // The printer selection, the page geometry and the system's printers.
    PrinterState& printer() { return m_printer; }

    CommandDispatcher& commands() { return m_commands; }
    // Dispatches a command as the main frame does: the type gate, the beep on refusal, and the
    // modified flag of the active document after a result of 1 (changed) or 2 (saved).
    int execute(int id, std::string_view argument = {});

private:
    Host* m_host;
    Paths m_paths;
    Allocator m_allocator;
    ProfileFile m_settingsFile;
    UserSettings m_settings;
    std::array<GammaTable, 3> m_gamma;
    RecentFiles m_recent;
    DocumentList m_documents;
    std::string m_currentName;
    bool m_fileWarnings = true;
    CommandDispatcher m_commands;
    SaveOptions m_saveOptions;
    PrinterState m_printer;
};

} // namespace gp
