// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/Months.h"

#include "core/text/Text.h"

namespace quaderna::history {

int monthNumber(std::string_view name) {
    const std::string wanted = text::lowerAZ(text::trimView(name));
    for (std::size_t i = 0; i < kMesi.size(); ++i)
        if (text::lowerAZ(kMesi[i]) == wanted)
            return static_cast<int>(i) + 1;
    return 0;
}

} // namespace quaderna::history
