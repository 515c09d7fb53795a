// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Joins PDF documents that hold consecutive pages of one printout into a single document, so that
// the parts of a long printout can be drawn side by side and handed over as one file. The PDF is
// read and written by qpdf.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quaderna::pdf {

// The pages of every part, in the order of the parts, as one document. The first part gives the
// document's information (title, producer, date) and its catalogue; every part keeps its own
// objects (fonts, pictures, page contents), and the embedded font subsets of every part after the
// first get names of their own, so that no reader takes one part's subset for another's. A part
// that qpdf cannot read whole, without repairs, gives nullopt: nothing is joined from a damaged file.
std::optional<std::string> join(const std::vector<std::string_view>& parts);

} // namespace quaderna::pdf
