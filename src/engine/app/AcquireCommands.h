#pragma once
// The acquisition commands of the dispatcher: Acquire (109) and Select Source (110).

namespace gp {

class App;
class Image;

void registerAcquireCommands(App& app);

// The main frame's handling of an acquired image: a new document named "Untitled-Acquired"
// with the shared counter, and fresh status panes.
void makeAcquiredDocument(App& app, Image image);

} // namespace gp
