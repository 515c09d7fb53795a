#pragma once
// Joins PDF documents that hold consecutive pages of one printout into a single document, so that
// the parts of a long printout can be drawn side by side and handed over as one file.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quaderna::pdf {

// The pages of every part, in the order of the parts, as one document. The first part gives the
// document's information (title, producer, date) and its catalogue; every part keeps its own
// objects (fonts, pictures, page contents) under new numbers, and embedded font subsets get
// names of their own. Each part must be a whole file with one cross-reference table, a trailer
// naming its catalogue and information, and a flat page tree, as the report printer writes them;
// for anything else the answer is nullopt.
std::optional<std::string> join(const std::vector<std::string_view>& parts);

} // namespace quaderna::pdf
