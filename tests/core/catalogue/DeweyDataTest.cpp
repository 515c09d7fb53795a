// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue/DeweyData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>

namespace {

using quaderna::deweyRows;

int classNumber(std::string_view row) {
    return (row[0] - '0') * 100 + (row[1] - '0') * 10 + (row[2] - '0');
}

std::array<int, 1000> rowsPerNumber() {
    std::array<int, 1000> counts{};
    for (std::string_view row : deweyRows()) {
        ++counts[classNumber(row)];
    }
    return counts;
}

bool isAllowedHeadingChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view(" '(),-./").find(c) != std::string_view::npos;
}

TEST(DeweyDataTest, EveryRowIsAThreeDigitNumberABlankAndACapitalisedHeading) {
    for (std::string_view row : deweyRows()) {
        SCOPED_TRACE(std::string(row));
        ASSERT_GE(row.size(), 5u);
        EXPECT_TRUE(std::all_of(row.begin(), row.begin() + 3, [](char c) { return c >= '0' && c <= '9'; }));
        EXPECT_EQ(row[3], ' ');
        std::string_view heading = row.substr(4);
        EXPECT_TRUE(std::all_of(heading.begin(), heading.end(), isAllowedHeadingChar));
        EXPECT_NE(heading.front(), ' ');
        EXPECT_NE(heading.back(), ' ');
        EXPECT_EQ(heading.find("  "), std::string_view::npos);
        EXPECT_LE(row.size(), 120u);
    }
}

TEST(DeweyDataTest, HasTheExpectedSizeOrderAndLongestRow) {
    auto rows = deweyRows();
    EXPECT_EQ(rows.size(), 3721u);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [](std::string_view a, std::string_view b) {
        return classNumber(a) < classNumber(b);
    }));
    auto longest = std::max_element(
        rows.begin(), rows.end(), [](std::string_view a, std::string_view b) { return a.size() < b.size(); });
    ASSERT_NE(longest, rows.end());
    EXPECT_EQ(longest->size(), 120u);
    EXPECT_EQ(rows.front(), "001 CONOSCENZA");
    EXPECT_EQ(rows.back(), "999 STORIA DI MONDI EXTRATERRESTRI");
}

TEST(DeweyDataTest, RowsAreDistributedOverTheTenMainClasses) {
    constexpr std::array<int, 10> expected{155, 129, 256, 487, 87, 296, 297, 663, 800, 551};
    const auto counts = rowsPerNumber();
    for (int hundred = 0; hundred < 10; ++hundred) {
        SCOPED_TRACE(hundred * 100);
        int total = 0;
        for (int n = hundred * 100; n < hundred * 100 + 100; ++n) {
            total += counts[n];
        }
        EXPECT_EQ(total, expected[hundred]);
    }
}

TEST(DeweyDataTest, ClassNumbersInUse) {
    const auto counts = rowsPerNumber();
    EXPECT_EQ(std::count_if(counts.begin(), counts.end(), [](int c) { return c > 0; }), 899);
    EXPECT_EQ(std::count(counts.begin(), counts.end(), 1), 561);

    const auto largest = std::max_element(counts.begin(), counts.end());
    EXPECT_EQ(*largest, 166);
    EXPECT_EQ(std::count(counts.begin(), counts.end(), 166), 1);

    // Unassigned numbers and numbers whose content sits under the main class.
    constexpr std::array missing{0,  7,  8,   9,   40,  41,  42,  43,  44,  45,  46, 47,
                                 48, 49, 401, 402, 403, 404, 405, 406, 407, 408, 409};
    for (int n : missing) {
        EXPECT_EQ(counts[n], 0) << "class " << n;
    }
}

TEST(DeweyDataTest, OnlyTheStringedKeyboardHeadingIsRepeated) {
    std::map<std::string_view, int> occurrences;
    for (std::string_view row : deweyRows()) {
        ++occurrences[row];
    }
    std::map<std::string_view, int> repeated;
    for (const auto& [row, times] : occurrences) {
        if (times > 1) {
            repeated.emplace(row, times);
        }
    }
    const std::map<std::string_view, int> expected{{"786 STRUMENTI A CORDA E TASTIERA", 2}};
    EXPECT_EQ(repeated, expected);
}

TEST(DeweyDataTest, ContainsCharacteristicRows) {
    constexpr std::array<std::string_view, 10> telling{
        "100 FILOSOFIA E PSICOLOGIA",
        "200 RELIGIONE",
        "200 RELIGIONE. FILOSOFIA E TEORIA",
        "200 RELIGIONE. DIZIONARI E ENCICLOPEDIE",
        "821 POESIA INGLESE, PERIODO ELISABETTIANO 1558-1625",
        "846 LETTERE FRANCESI, 1600-1715",
        "914 GEOGRAFIA. ISOLE BRITANNICHE",
        "914 GEOGRAFIA. ITALIA",
        "914 GEOGRAFIA. FRANCIA",
        "999 STORIA DI MONDI EXTRATERRESTRI",
    };
    auto rows = deweyRows();
    for (std::string_view row : telling) {
        EXPECT_NE(std::find(rows.begin(), rows.end(), row), rows.end()) << row;
    }
}

TEST(DeweyDataTest, AMainClassHeadingPrecedesItsSubdivisions) {
    auto rows = deweyRows();
    auto first = [&](std::string_view row) { return std::find(rows.begin(), rows.end(), row); };
    EXPECT_LT(first("200 RELIGIONE"), first("200 RELIGIONE. FILOSOFIA E TEORIA"));
    EXPECT_LT(first("914 GEOGRAFIA. EUROPA"), first("914 GEOGRAFIA. ITALIA"));
    EXPECT_LT(first("914 GEOGRAFIA. ITALIA"), first("914 GEOGRAFIA. TOSCANA"));
}

} // namespace
