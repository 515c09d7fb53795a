// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/ListFind.h"

#include "core/forms/Messages.h"
#include "core/forms/Platform.h"
#include "core/text/Text.h"

#include <algorithm>

namespace quaderna {

namespace {

bool containsFolded(std::string_view line, std::string_view key) {
    const auto it = std::search(line.begin(), line.end(), key.begin(), key.end(),
                                [](char a, char b) { return text::lowerAZ(a) == b; });
    return it != line.end();
}

} // namespace

void findInList(ListBox& list, std::string_view typed, std::string& lastKey, Platform& ui) {
    if (list.count() == 0) {
        ui.showMessage(msg::ListaVuota);
        return;
    }
    if (list.itemIndex < 0 || list.itemIndex >= list.count())
        list.itemIndex = 0;
    const std::string key = text::lowerAZ(typed);
    const int n = list.count();
    const int start = key == lastKey ? list.itemIndex + 1 : 0;
    if (!key.empty()) {
        for (int k = 0; k < n; ++k) {
            const int i = (start + k) % n;
            if (containsFolded(list.item(i), key)) {
                list.itemIndex = i;
                break;
            }
        }
    }
    lastKey = key;
}

} // namespace quaderna
