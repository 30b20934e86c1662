#pragma once
// Splits the program's command line into the photo names to open. Words starting with "-" or "/"
// are options and skipped. Names are separated by white space, but a name only ends at a blank
// that comes after a three-letter extension, so names with blanks in them survive unquoted.

#include <string>
#include <string_view>
#include <vector>

namespace gp {

// The names to open, in order; an empty list when the line holds nothing. A line of options
// only gives one empty name (the program then sends the Open command without a name).
std::vector<std::string> splitCommandLine(std::string_view line);

} // namespace gp
