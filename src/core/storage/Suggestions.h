// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The suggestion lists of the archive windows' drop-down fields.

#include <string>
#include <vector>

namespace quaderna {

// The 120 genres offered by the book window's "Genere:".
const std::vector<std::string>& generi();
// The 213 languages offered by the book window's "Lingua:".
const std::vector<std::string>& lingue();
// The 112 province codes offered by the user window's "Prov." boxes.
const std::vector<std::string>& province();

} // namespace quaderna
