#include "app/CommandDispatcher.h"

#include "app/CommandGates.h"

namespace gp {

TypeGate::TypeGate(std::initializer_list<ImageType> types)
{
    for (ImageType t : types)
        m_mask |= bit(t);
}

void CommandDispatcher::set(int id, Handler handler, TypeGate gate, GateFailure onFailure)
{
    m_commands[id] = Entry { std::move(handler), gate, onFailure };
}

bool CommandDispatcher::accepts(int id, ImageType activeType) const
{
    auto it = m_commands.find(id);
    return it != m_commands.end() && it->second.gate.accepts(activeType);
}

CommandDispatcher::Outcome CommandDispatcher::dispatch(int id, ImageType activeType, std::string_view argument) const
{
    Outcome outcome;
    auto it = m_commands.find(id);
    // The frame's command table gates a command whoever performs it.
    if (const auto table = commandGate(id); table && !table->gate.accepts(activeType)) {
        outcome.handled = it != m_commands.end();
        outcome.gateFailed = true;
        outcome.beep = table->onFailure == GateFailure::Beep;
        return outcome;
    }
    if (it == m_commands.end())
        return outcome;
    outcome.handled = true;
    if (!it->second.gate.accepts(activeType)) {
        outcome.gateFailed = true;
        outcome.beep = it->second.onFailure == GateFailure::Beep;
        return outcome;
    }
    outcome.result = it->second.handler(argument);
    return outcome;
}

} // namespace gp
