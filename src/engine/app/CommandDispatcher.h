#pragma once
// Routes command ids to the operations that subsystems register, gated by the image type of the
// active document: a command whose gate fails beeps (or, for the colour conversions, does nothing)
// and does not run. The result (0, 1 changed, 2 saved) goes back to the caller, which keeps the
// document's modified flag in step.

#include "image/ImageType.h"

#include <functional>
#include <initializer_list>
#include <map>
#include <string_view>

namespace gp {

// The image types a command accepts; empty accepts anything, including no document.
class TypeGate {
public:
    TypeGate() = default;
    TypeGate(std::initializer_list<ImageType> types);
    bool accepts(ImageType type) const { return m_mask == 0 || (m_mask & bit(type)) != 0; }

private:
    static unsigned bit(ImageType type) { return 1u << static_cast<unsigned>(type); }
    unsigned m_mask = 0;
};

enum class GateFailure { Beep, Silent };

class CommandDispatcher {
public:
    // The operation gets the command's text argument (a file name for Open, else empty).
    using Handler = std::function<int(std::string_view argument)>;

    void set(int id, Handler handler, TypeGate gate = {}, GateFailure onFailure = GateFailure::Beep);
    bool has(int id) const { return m_commands.count(id) != 0; }
    bool accepts(int id, ImageType activeType) const;

    struct Outcome {
        bool handled = false;    // a handler exists for the id
        bool gateFailed = false; // the gate refused it
        bool beep = false;       // the refusal beeps
        int result = 0;          // the handler's result
    };
    Outcome dispatch(int id, ImageType activeType, std::string_view argument = {}) const;

private:
    struct Entry {
        Handler handler;
        TypeGate gate;
        GateFailure onFailure;
    };
    std::map<int, Entry> m_commands;
};

} // namespace gp
