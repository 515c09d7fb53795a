// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A month calendar control: the day it shows selected.

#include "core/forms/Controls.h"
#include "core/text/Date.h"

namespace quaderna {

// A double-click on a day, or Enter, is onDblClick.
class MonthCalendar : public Control {
public:
    using Control::Control;
    Date date;
};

} // namespace quaderna
