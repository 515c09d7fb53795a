// A list that holds the records its lines are built from: every way a line is read (shown, found,
// selected, printed) gives the built line, and the list behaves as one that holds the lines.

#include "core/forms/Controls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quaderna;

namespace {

// A record "k|text" shows as "Riga k: text".
std::string_view showRecord(std::string_view record) {
    thread_local std::string line;
    line = "Riga " + std::string(record.substr(0, record.find('|'))) + ": " +
           std::string(record.substr(record.find('|') + 1));
    return line;
}

} // namespace

TEST(ListBoxRecords, LinesAreBuiltWhenReadAndTheListBehavesAsOneOfLines) {
    ListBox list(nullptr, "lstRecords");
    list.setStored(text::Lines{"2|Verdi", "1|Rossi", "3|Bianchi"}, showRecord);
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
    list.setStored(text::Lines{"1|Rossi"}, showRecord);
    list.take();
    list.setItems(std::vector<std::string>{"5|Gialli"});
    EXPECT_EQ(list.item(0), "5|Gialli");

    // A sorted list is ordered by its lines, so it holds the built lines, in order.
    ListBox sorted(nullptr, "lstOrdinata", true);
    sorted.setStored(text::Lines{"2|b", "10|a", "1|c"}, showRecord);
    EXPECT_EQ(sorted.items(), (std::vector<std::string>{"Riga 10: a", "Riga 1: c", "Riga 2: b"}));
}
