// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A program on a temporary data folder, with a scripted desktop and a person to drive it.

#include "core/Application.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quaderna::testing {

class AppFixture : public ::testing::Test {
protected:
    TempDir dir;
    FakePlatform ui;
    Application app{ui, dir.path()};
    Person person{ui};

    std::filesystem::path file(const std::string& name) const { return dir / name; }
    // The messages' texts, in order.
    std::vector<std::string> texts() const {
        std::vector<std::string> r;
        for (const auto& m : ui.messages)
            r.push_back(m.text);
        return r;
    }
};

} // namespace quaderna::testing
