#pragma once
// The program's command set as a menu: every command reachable with the mouse, labelled from the
// string table, with the check marks of the tools and status bars. Each action carries its
// command id as its data; an action whose command has no handler is shown disabled. The
// accelerators of the frame (Ctrl+C, Ctrl+P, Escape, F1..F8 and the rest) are listed here too.

#include <QKeySequence>
#include <QMenu>
#include <functional>
#include <vector>

namespace gp::ui {

struct Accelerator {
    QKeySequence keys;
    int command;
};

// The keyboard accelerators and the command each sends.
const std::vector<Accelerator>& accelerators();

// A menu whose actions call run(command id). checked(id) gives the check mark of toggles;
// recent holds the names of the recent files 1..4 (empty ones are left out); available(id) says
// whether a command has a handler (without it every action is enabled).
QMenu* buildCommandMenu(QWidget* parent, const std::function<void(int)>& run, const std::function<bool(int)>& checked,
    const QStringList& recent, const std::function<bool(int)>& available = {});

} // namespace gp::ui
