#pragma once
// The open documents in creation order, the active one, the untitled names with their shared
// counter, and the questions asked before a document's changes could be lost.

#include "image/Allocator.h"
#include "image/Document.h"
#include "shell/StringTable.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace gp {

class Host;

enum class ModifiedState { Saved = 0, Modified = 1, NeverSaved = 2 };

class DocumentList {
public:
    explicit DocumentList(const Allocator& allocator) : m_allocator(&allocator) {}

    // "<text of id>-0n" or "-nn" from the shared counter 0..99, which wraps after 99.
    std::string makeUntitledName(StringId id);
    static bool isUntitled(std::string_view name);

    // Wraps an image in a new document, which becomes the active one. An image with a colour
    // table is widened to 24 bit first. Nothing when widening fails.
    Document* create(Image image, std::string title);

    // Closes a document in the program's order; onClosing runs first (the undo record and the
    // layout drop what belongs to it).
    void close(Document& document);
    void closeAll();
    std::function<void(Document&)> onClosing;

    Document* active() const { return m_active; }
    void setActive(Document* document) { m_active = document; }
    std::size_t count() const { return m_documents.size(); }
    const std::vector<std::unique_ptr<Document>>& all() const { return m_documents; }
    Document* findByTitle(std::string_view title) const;
    Document* findByImage(const Image* image) const;
    Document* findBySerial(int serial) const;

    // An untitled document answers NeverSaved once, then Saved until any document closes.
    ModifiedState queryModified(const Document& document);
    // The "Save it?" question before a document's picture is replaced or sent away. save runs
    // the Save command on Yes. True when the caller may go on.
    bool confirmClosing(Document& document, Host& host, const std::function<void()>& save);

    // Status-bar texts of the active document: "View 1:2" and "  123K, 24-bit RGB Color".
    std::string zoomStatus() const;
    std::string typeStatus() const;

private:
    const Allocator* m_allocator;
    std::vector<std::unique_ptr<Document>> m_documents;
    Document* m_active = nullptr;
    int m_untitledCounter = 0;
    int m_nextSerial = 1;
    bool m_untitledAsked = false;
};

} // namespace gp
