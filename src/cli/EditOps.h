#pragma once
// The OPs of glimmerpress-cli edit. Each OP is written NAME or NAME:ARG:ARG...; the table in
// EditOps.cpp maps a name to the number of arguments it takes and the function that applies it
// to the active document, so a feature adds its OP with one line there (its function may live
// in its own Edit*.cpp file and be declared below).

#include "app/App.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace gp::cli {

enum class OpOutcome { Done, Failed, BadArguments };

using OpArguments = std::vector<std::string>;
using OpFunction = OpOutcome (*)(App& app, const OpArguments& arguments);

struct EditOp {
    std::size_t minArguments;
    std::size_t maxArguments;
    OpFunction apply;
    // The OP's own lines for --help (its arguments named and explained); without them --help
    // shows the name with ARG for each argument.
    const char* help = nullptr;
};

const std::map<std::string_view, EditOp>& editOps();

// A whole decimal number, or nothing.
std::optional<int> opInteger(std::string_view text);

// The OPs of the geometric transforms, the Edit menu and the dispatcher.
OpOutcome flipHorizontalOp(App& app, const OpArguments& arguments);
OpOutcome flipVerticalOp(App& app, const OpArguments& arguments);
OpOutcome rotateOp(App& app, const OpArguments& arguments);
OpOutcome resampleOp(App& app, const OpArguments& arguments);
OpOutcome cropOp(App& app, const OpArguments& arguments);
OpOutcome discardOp(App& app, const OpArguments& arguments);
OpOutcome undoOp(App& app, const OpArguments& arguments);
OpOutcome copyOp(App& app, const OpArguments& arguments);
OpOutcome cutOp(App& app, const OpArguments& arguments);
OpOutcome pasteOp(App& app, const OpArguments& arguments);
OpOutcome pasteNewOp(App& app, const OpArguments& arguments);
OpOutcome colorModeOp(App& app, const OpArguments& arguments);
OpOutcome commandOp(App& app, const OpArguments& arguments);

// The OPs of the adjustments, filters and effects (EditAdjustmentOps.cpp).
OpOutcome brightnessOp(App& app, const OpArguments& arguments);
OpOutcome hueSaturationOp(App& app, const OpArguments& arguments);
OpOutcome toneOp(App& app, const OpArguments& arguments);
OpOutcome toneAutoOp(App& app, const OpArguments& arguments);
OpOutcome blurOp(App& app, const OpArguments& arguments);
OpOutcome sharpenOp(App& app, const OpArguments& arguments);
OpOutcome effectOp(App& app, const OpArguments& arguments);
OpOutcome libraryEffectOp(App& app, const OpArguments& arguments);

} // namespace gp::cli
