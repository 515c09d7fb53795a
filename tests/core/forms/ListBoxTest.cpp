// SPDX-License-Identifier: GPL-3.0-or-later
// A list whose lines come from a source, built when read: every way a line is read (shown, found,
// selected, printed) gives the built line, and the list behaves as one that holds the lines.

#include "core/forms/Controls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace quaderna;

namespace {

// Records "k|text" shown as "Riga k: text".
class Records : public ListBox::Source {
public:
    explicit Records(std::vector<std::string> records) : records_(std::move(records)) {}
    std::size_t size() const override { return records_.size(); }
    std::string_view line(std::size_t i) const override {
        const std::string& r = records_[i];
        line_ = "Riga " + r.substr(0, r.find('|')) + ": " + r.substr(r.find('|') + 1);
        return line_;
    }

private:
    std::vector<std::string> records_;
    mutable std::string line_;
};

std::shared_ptr<const ListBox::Source> records(std::vector<std::string> r) {
    return std::make_shared<Records>(std::move(r));
}

} // namespace

TEST(ListBoxRecords, LinesAreBuiltWhenReadAndTheListBehavesAsOneOfLines) {
    ListBox list(nullptr, "lstRecords");
    list.setSource(records({"2|Verdi", "1|Rossi", "3|Bianchi"}));
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(1), "Riga 1: Rossi");
    EXPECT_EQ(list.items(), (std::vector<std::string>{"Riga 2: Verdi", "Riga 1: Rossi", "Riga 3: Bianchi"}));
    list.itemIndex = 2;
    EXPECT_EQ(list.selectedText(), "Riga 3: Bianchi");

    // A line added joins the built lines; the selection stays.
    list.add("Riga 4: Neri");
    EXPECT_EQ(list.items(), (std::vector<std::string>{"Riga 2: Verdi", "Riga 1: Rossi", "Riga 3: Bianchi",
                                                      "Riga 4: Neri"}));
    EXPECT_EQ(list.itemIndex, 2);

    // Lines set afterwards are shown as they are.
    list.setItems(std::vector<std::string>{"1|Rossi"});
    EXPECT_EQ(list.item(0), "1|Rossi");
    list.setSource(records({"1|Rossi"}));
    list.take();
    list.setItems(std::vector<std::string>{"5|Gialli"});
    EXPECT_EQ(list.item(0), "5|Gialli");

    // A sorted list is ordered by its lines, so it holds the built lines, in order.
    ListBox sorted(nullptr, "lstOrdinata", true);
    sorted.setSource(records({"2|b", "10|a", "1|c"}));
    EXPECT_EQ(sorted.items(), (std::vector<std::string>{"Riga 10: a", "Riga 1: c", "Riga 2: b"}));
}
