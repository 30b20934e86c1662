#pragma once
// glimmerpress-cli templates edit: the template editor's tools without a window.

#include "CliContext.h"
#include "draw/PageGeometry.h"

#include <string>
#include <vector>

namespace gp::cli {

// words: "edit", NAME, then the operations. Runs them on the template NAME of the page's group
// (a new one when there is none), saves it and prints its cells.
int runTemplateEdit(CliContext& context, const std::vector<std::string>& words, const PageGeometry& page);

} // namespace gp::cli
