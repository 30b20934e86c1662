#pragma once
// The program's side of the system clipboard. A copy is announced as a BMP ("image/bmp") that
// is rendered only when another program pastes it; when another program takes the clipboard,
// the program is told so it can free its copy. Pasting reads a BMP, or any picture Qt offers,
// from another program.

#include "image/Image.h"

#include <QObject>
#include <functional>
#include <optional>

namespace gp::ui {

class SystemClipboard : public QObject {
    Q_OBJECT
public:
    SystemClipboard();

    void offer(std::function<std::optional<Image>()> render, std::function<void()> lost);
    std::optional<Image> bitmap() const;

    // The BMP file of a packed bitmap, and the packed bitmap of a BMP file.
    static QByteArray bmpBytes(const Image& image);
    static std::optional<Image> fromBmpBytes(const QByteArray& bytes);

private:
    void clipboardChanged();
    std::function<void()> m_lost;
    bool m_offered = false;
};

} // namespace gp::ui
