// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Key filters shared by the edit boxes of several windows.

#include "core/forms/Controls.h"

namespace quaderna {

// A digit-only box: the digits 0-9, Backspace, Delete, Left and Right pass; Enter is left alone for
// the window's own use (the Enter chain, or a move to a button); every other key is swallowed.
// Home, End and the Ctrl shortcuts (select all, copy, paste) pass too: they move the caret or the
// selection, and whatever text a paste brings is filtered character by character on its way in.
inline void digitsOnly(Key& key) {
    if (key.code == VK::Return || key.command)
        return;
    const bool digit = key.ch >= U'0' && key.ch <= U'9';
    const bool editing = key.code == VK::Back || key.code == VK::Delete || key.code == VK::Left ||
                         key.code == VK::Right || key.code == VK::Home || key.code == VK::End;
    if (!digit && !editing)
        key.swallow();
}

} // namespace quaderna
