#pragma once
// The whole state of one running program: the settings, the documents and the active one, the
// current document name, the recent files, the gamma tables and the command dispatcher. There
// are no global variables; the window program, the command-line tool and each test build their
// own App around their own AppHost.

#include "album/AlbumState.h"
#include "acquire/Acquisition.h"
#include "codecs/ImageFileContext.h"
#include "codecs/PhotoCdOptions.h"
#include "codecs/SaveOptions.h"
#include "editing/EditingMemory.h"
#include "base/ClassicRandom.h"
#include "editing/transform/TransformMemory.h"
#include "base/WorkerPool.h"
#include "image/Allocator.h"
#include "image/DocumentList.h"
#include "image/DocumentView.h"
#include "layout/LayoutList.h"
#include "layout/LayoutPage.h"
#include "layout/TemplateStore.h"
#include "print/PrinterState.h"
#include "editing/selection/ClipboardCopy.h"
#include "app/AppHost.h"
#include "app/CommandDispatcher.h"
#include "shell/CopiesCounter.h"
#include "image/GammaTables.h"
#include "shell/Paths.h"
#include "shell/ProfileFile.h"
#include "shell/RecentFiles.h"
#include "editing/selection/UndoRecord.h"
#include "shell/ScreenState.h"
#include "shell/StatusLine.h"
#include "shell/UserSettings.h"

#include <string>

namespace gp {

class App {
public:
    App(AppHost& host, Paths paths);
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    AppHost& host() const { return *m_host; }
    const Paths& paths() const { return m_paths; }
    Allocator& allocator() { return m_allocator; }
    const Allocator& allocator() const { return m_allocator; }
    // The worker threads that the heavy pixel routines split their rows over.
    WorkerPool& workers() { return m_workers; }

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
    // The window that shows the active document, for the zoom commands.
    DocumentView& documentView() { return m_documentView; }
    // The program-wide buffer that carries a file name between dialogs, readers and writers.
    std::string& currentName() { return m_currentName; }

    // The layout screen's page, its list of layouts and the user's templates (template.udf).
    LayoutPage& layoutPage() { return m_layoutPage; }
    LayoutList& layoutList() { return m_layoutList; }
    TemplateStore& templateStore() { return m_templateStore; }

    // Makes a document of an image (widened to 24 bit) titled with the current name, and puts
    // its photo into the layout page's current cell; a photo pushed off the page closes its
    // document.
    Document* newDocument(Image image);
    // Shows the file-not-found warning for the current name unless file warnings are off.
    void warnFileNotFound();
    bool fileWarnings() const { return m_fileWarnings; }
    void setFileWarnings(bool on) { m_fileWarnings = on; }

    // The one undo record, the program's clipboard copy and what the transforms remember.
    UndoRecord& undoRecord() { return m_undo; }
    ClipboardCopy& clipboard() { return m_clipboard; }
    TransformMemory& transformMemory() { return m_transformMemory; }
    // What the adjustments, filters and effects remember, and the generator the effects draw on.
    EditingMemory& editingMemory() { return m_editingMemory; }
    ClassicRandom& random() { return m_random; }

    // The Save As dialog's remembered type, compress flag, quality and folders.
    SaveOptions& saveOptions() { return m_saveOptions; }

    // The album registry, the open album and the album and slide-show choices of this run.
    AlbumState& albums() { return m_albums; }
    // The Photo CD data type, resolution and read mode.
    PhotoCdOptions& photoCdOptions() { return m_photoCdOptions; }
    // What the file readers and writers take from the program: host, allocator, save and
    // Photo CD options, library folder, worker threads.
    ImageFileContext imageFiles()
    {
        return { *m_host, m_allocator, m_saveOptions, m_photoCdOptions, m_paths.libraryDir, m_settings.colorProfiles != 0,
            &m_workers };
    }

    // The printer selection, the page geometry and the system's printers.
    PrinterState& printer() { return m_printer; }

    CommandDispatcher& commands() { return m_commands; }
    // Dispatches a command as the main frame does: the type gate, the beep on refusal, and the
    // modified flag of the active document after a result of 1 (changed) or 2 (saved).
    // Ids 101..799 then refresh the active document's status panes.
    int execute(int id, std::string_view argument = {});

    // Images from scanners and cameras: the link to the source manager.
    Acquisition& acquisition() { return m_acquisition; }
    // The main frame's state: the current screen, the status line, the copies counter, and
    // whether the program is ending (documents then skip their status updates).
    ScreenState& screens() { return m_screens; }
    StatusLine& statusLine() { return m_statusLine; }
    CopiesCounter& copies() { return m_copies; }
    bool shuttingDown() const { return m_shuttingDown; }
    void setShuttingDown() { m_shuttingDown = true; }
    // The zoom and type panes of the active document.
    void refreshDocumentStatus();

private:
    AppHost* m_host;
    Paths m_paths;
    Allocator m_allocator;
    WorkerPool m_workers { WorkerPool::defaultThreadCount() };
    ProfileFile m_settingsFile;
    UserSettings m_settings;
    std::array<GammaTable, 3> m_gamma;
    RecentFiles m_recent;
    DocumentList m_documents;
    DocumentView m_documentView;
    std::string m_currentName;
    bool m_fileWarnings = true;
    UndoRecord m_undo;
    ClipboardCopy m_clipboard;
    TransformMemory m_transformMemory;
    EditingMemory m_editingMemory;
    ClassicRandom m_random;
    CommandDispatcher m_commands;
    ScreenState m_screens;
    StatusLine m_statusLine;
    CopiesCounter m_copies;
    bool m_shuttingDown = false;
    SaveOptions m_saveOptions;
    AlbumState m_albums;
    PhotoCdOptions m_photoCdOptions;
    PrinterState m_printer;
    LayoutPage m_layoutPage;
    LayoutList m_layoutList;
    TemplateStore m_templateStore;
    Acquisition m_acquisition{*m_host, m_allocator, m_settings, m_paths};
};

} // namespace gp
