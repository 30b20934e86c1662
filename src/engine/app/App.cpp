#include "app/App.h"

#include "app/AcquireCommands.h"
#include "app/SaveCommands.h"
#include "app/ColorConversionCommands.h"
#include "app/ZoomCommands.h"
#include "app/AdjustmentCommands.h"
#include "app/EditMenuCommands.h"
#include "app/TransformCommands.h"
#include "app/MailCommands.h"
#include "app/CommandGates.h"
#include "shell/CommandIds.h"
#include "shell/FormatDecimal.h"

namespace gp {

App::App(AppHost& host, Paths paths)
    : m_host(&host)
    , m_paths(std::move(paths))
    , m_allocator(host)
    , m_settingsFile(m_paths.settingsFile())
    , m_gamma(makeGammaTables(m_settings.gamma))
    , m_documents(m_allocator)
    , m_statusLine(host)
    , m_albums(m_settingsFile, m_paths.dataDir)
    , m_templateStore(m_paths.data(text(StringId::TemplateStoreFileName)))
{
    m_documents.onClosing = [this](Document& document) { m_undo.drop(&document); };
    m_acquisition.deliver = [this](std::optional<Image> image) {
        if (image)
            makeAcquiredDocument(*this, std::move(*image));
    };
    registerEditMenuCommands(*this);
    registerTransformCommands(*this);
    registerAdjustmentCommands(*this);
    registerAcquireCommands(*this);
    registerMailCommands(*this);
    registerFileCommands(*this);
    registerColorConversionCommands(*this);
    registerZoomCommands(*this);
}

void App::readSettings()
{
    m_settingsFile.reload();
    m_settings = readUserSettings(m_settingsFile);
    m_gamma = makeGammaTables(m_settings.gamma);
    const StringId keys[]
        = { StringId::KeyLastDir, StringId::KeyFile1, StringId::KeyFile2, StringId::KeyFile3, StringId::KeyFile4 };
    for (int i = 0; i < RecentFiles::kSlots; ++i)
        m_recent.setSlot(i, readUserString(m_settingsFile, keys[i], ""));
}

bool App::writeSettings()
{
    return writeShutdownSettings(m_settingsFile, m_settings, m_recent.entries());
}

std::string App::decimalSeparator() const
{
    const ProfileFile winIni(m_paths.winIniFile());
    return winIni.readString(text(StringId::IntlSection), text(StringId::DecimalKey), ".", 1);
}

std::string App::formatDecimal(double value, int decimals) const
{
    return gp::formatDecimal(value, decimals, decimalSeparator());
}

Document* App::newDocument(Image image)
{
    Document* document = m_documents.create(std::move(image), m_currentName);
    if (!document)
        return nullptr;
    if (const PhotoHandle gone = m_layoutPage.addPhoto(document->state().image))
        if (Document* old = m_documents.findByImage(gone.get()))
            m_documents.close(*old);
    return document;
}

void App::warnFileNotFound()
{
    if (!m_fileWarnings)
        return;
    m_host->message(text(StringId::CaptionWarning),
        std::string(text(StringId::FileNotFoundPrefix)) + m_currentName
            + std::string(text(StringId::FileNotFoundSuffix)),
        Icon::Warning);
}

int App::execute(int id, std::string_view argument)
{
    const Document* active = activeDocument();
    const ImageType type = active ? imageTypeOf(&active->image()) : ImageType::None;
    const std::shared_ptr<Image> imageBefore = active ? active->state().image : nullptr;
    const int activeSerial = active ? active->serial() : 0;
    const auto outcome = m_commands.dispatch(id, type, argument);
    // An edit gives the document a new image; the photo slots that showed the old one follow.
    if (imageBefore && !m_documents.findByImage(imageBefore.get()))
        if (const Document* edited = m_documents.findBySerial(activeSerial))
            m_layoutPage.replacePhoto(imageBefore.get(), edited->state().image);
    if (outcome.beep)
        m_host->beep();
    if (Document* doc = activeDocument();
        doc && (outcome.result == command::ResultChanged || outcome.result == command::ResultSaved)) {
        doc->state().modified = outcome.result == command::ResultChanged;
        // A saved document cannot be taken back to its state before the save.
        if (outcome.result == command::ResultSaved)
            m_undo.drop(doc);
        m_host->redrawPage();
    }
    if (commandRoute(id) == CommandRoute::FrameWithStatus)
        refreshDocumentStatus();
    return outcome.result;
}

void App::refreshDocumentStatus()
{
    if (m_shuttingDown)
        return;
    m_host->setStatus(StatusPane::Zoom, m_documents.zoomStatus());
    m_host->setStatus(StatusPane::Type, m_documents.typeStatus());
}

} // namespace gp
