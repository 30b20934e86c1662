#include "shell/ScreenState.h"

#include "shell/StringTable.h"

namespace gp {

std::string screenBackgroundFile(Screen screen, bool mode640)
{
    std::string name(text(int(StringId::ScreenBackgroundLayout) + int(screen)));
    if (mode640 && !name.empty())
        name.back() = '6';
    return name;
}

bool ScreenState::switchTo(Screen screen, bool emptyTemplates)
{
    if (emptyTemplates && m_current == Screen::Layout && screen != Screen::Layout)
        return false;
    const Screen from = m_current;
    m_current = screen;
    if (onSwitch)
        onSwitch(from, screen);
    if (const auto& enter = m_handlers[int(screen)].enter)
        enter();
    return true;
}

bool ScreenState::accept()
{
    if (m_current == Screen::Layout)
        return false;
    if (const auto& ok = m_handlers[int(m_current)].ok)
        ok();
    // The handler may already have gone home.
    if (m_current != Screen::Layout)
        switchTo(Screen::Layout);
    return true;
}

bool ScreenState::cancel()
{
    if (m_current == Screen::Layout)
        return false;
    if (const auto& cancelScreen = m_handlers[int(m_current)].cancel)
        cancelScreen();
    if (m_current != Screen::Layout)
        switchTo(Screen::Layout);
    return true;
}

} // namespace gp
