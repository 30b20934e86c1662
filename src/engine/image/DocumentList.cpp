#include "image/DocumentList.h"

#include "image/ImageType.h"
#include "image/Widen.h"
#include "shell/Host.h"

#include <algorithm>
#include <cstdio>

namespace gp {

std::string DocumentList::makeUntitledName(StringId id)
{
    if (m_untitledCounter >= 100)
        m_untitledCounter = 0;
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, m_untitledCounter < 10 ? "-0%d" : "-%d", m_untitledCounter);
    ++m_untitledCounter;
    return std::string(text(id)) + suffix;
}

bool DocumentList::isUntitled(std::string_view name)
{
    return name.starts_with(text(StringId::UntitledPrefix));
}

Document* DocumentList::create(Image image, std::string title)
{
    if (image.isNull())
        return nullptr;
    m_allocator->host().setWaitCursor(true);
    if (image.bitsOffset() != kInfoHeaderSize) {
        auto wide = widenTo24(image, *m_allocator);
        if (!wide) {
            m_allocator->host().setWaitCursor(false);
            return nullptr;
        }
        image = std::move(*wide);
    }
    DocumentState state;
    state.width = image.width();
    state.height = image.height();
    state.bitsOffset = int(kInfoHeaderSize);
    state.zoom = initialZoom(state.width, state.height);
    state.image = std::make_shared<Image>(std::move(image));
    m_documents.push_back(std::make_unique<Document>(m_nextSerial++, std::move(title), std::move(state)));
    m_active = m_documents.back().get();
    m_allocator->host().setWaitCursor(false);
    return m_active;
}

void DocumentList::close(Document& document)
{
    auto it = std::find_if(m_documents.begin(), m_documents.end(),
                           [&](const auto& d) { return d.get() == &document; });
    if (it == m_documents.end())
        return;
    m_untitledAsked = false;
    if (onClosing)
        onClosing(document);
    std::unique_ptr<Document> owned = std::move(*it);
    m_documents.erase(it);
    if (m_active == owned.get())
        m_active = nullptr;
}

void DocumentList::closeAll()
{
    while (!m_documents.empty())
        close(m_active ? *m_active : *m_documents.back());
}

Document* DocumentList::findByTitle(std::string_view title) const
{
    for (const auto& d : m_documents)
        if (d->title() == title)
            return d.get();
    return nullptr;
}

Document* DocumentList::findBySerial(int serial) const
{
    for (const auto& d : m_documents)
        if (d->serial() == serial)
            return d.get();
    return nullptr;
}

Document* DocumentList::findByImage(const Image* image) const
{
    for (const auto& d : m_documents)
        if (d->state().image.get() == image)
            return d.get();
    return nullptr;
}

ModifiedState DocumentList::queryModified(const Document& document)
{
    if (isUntitled(document.title())) {
        if (m_untitledAsked)
            return ModifiedState::Saved;
        m_untitledAsked = true;
        return ModifiedState::NeverSaved;
    }
    return document.state().modified ? ModifiedState::Modified : ModifiedState::Saved;
}

bool DocumentList::confirmClosing(Document& document, Host& host, const std::function<void()>& save)
{
    const ModifiedState state = queryModified(document);
    if (state == ModifiedState::Saved)
        return true;
    const std::string question =
        std::string(text(StringId::CloseFilePrefix)) + document.title() +
        std::string(text(state == ModifiedState::Modified ? StringId::CloseModifiedSuffix : StringId::CloseNewSuffix));
    switch (host.ask(text(StringId::ProductName), question, Buttons::YesNoCancel, Icon::Question)) {
    case Answer::Cancel: return false;
    case Answer::No: return true;
    default: break;
    }
    if (save)
        save();
    return queryModified(document) == ModifiedState::Saved;
}

std::string DocumentList::zoomStatus() const
{
    if (!m_active)
        return {};
    const int zoom = m_active->state().zoom;
    return zoom >= 0 ? formatText(StringId::ZoomStatus, zoom + 1, 1) : formatText(StringId::ZoomStatus, 1, 1 - zoom);
}

std::string DocumentList::typeStatus() const
{
    if (!m_active)
        return {};
    const ImageType type = imageTypeOf(&m_active->image());
    if (type == ImageType::None)
        return {};
    const int id = static_cast<int>(StringId::TypeGray8) - 1 + static_cast<int>(type);
    return formatText(static_cast<StringId>(id), long(m_active->image().imageSize() / 1024 + 1));
}

} // namespace gp
