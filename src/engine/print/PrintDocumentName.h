#pragma once
// The name a photo's print job carries: "Glimmerpress - " and the document's title, shortened
// to "..." and its last folder separator onwards when that separator stands at index 4 or later
// (C:\Photos\Kids\beach.jpg gives ...\beach.jpg).

#include <string>
#include <string_view>

namespace gp {

std::string printDocumentName(std::string_view title);

} // namespace gp
