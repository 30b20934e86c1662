#pragma once
// The acquisition commands of the dispatcher: Acquire (109) and Select Source (110).

namespace gp {

class App;

void registerAcquireCommands(App& app);

} // namespace gp
