// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/Text.h"
#include "core/storage/Libro.h"
#include "core/text/Date.h"
#include "core/text/Lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace quaderna;

TEST(Text, TrimRemovesBlanksAndControlCharactersOnly) {
    EXPECT_EQ(text::trim(" \t\r\n Rossi \x01\x1f "), "Rossi");
    EXPECT_EQ(text::trim(" x "), " x "); // a no-break space is not a blank
    EXPECT_EQ(text::trim("   "), "");
}

TEST(Text, CaseMappingTouchesOnlyUnaccentedLatinLetters) {
    EXPECT_EQ(text::upperAZ("città zèta-9"), "CITTà ZèTA-9");
    EXPECT_EQ(text::lowerAZ("È ROSSI"), "È rossi");
}

TEST(Text, Windows1252RoundTripsAllTwoHundredFiftySixBytes) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = text::fromCp1252(all);
    EXPECT_EQ(text::length(utf8), 256u);
    EXPECT_EQ(text::toCp1252(utf8), all);
    // The list lines' conversion, in words of plain bytes, from every start and length.
    std::string room(3 * all.size(), '\0');
    for (std::size_t from = 0; from < 140; from += 7)
        for (std::size_t n = 0; from + n <= all.size(); n += n < 20 ? 1 : 5) {
            const std::string_view bytes = std::string_view(all).substr(from, n);
            char* end = text::putFromCp1252(room.data(), bytes);
            ASSERT_EQ(std::string(room.data(), end), text::fromCp1252(bytes)) << from << " " << n;
        }
}

TEST(Text, Windows1252HighRange) {
    struct Case {
        unsigned char byte;
        const char* utf8;
    } cases[] = {
        {0x80, "€"},  // euro sign
        {0x81, ""}, // the five undefined bytes read as the control code of the same value
        {0x8D, ""}, {0x8F, ""}, {0x90, ""}, {0x9D, ""}, {0x93, "“"}, // left double quotation mark
        {0x9F, "Ÿ"},                                                         // Y with diaeresis
        {0xE8, "è"},                                                         // e grave
        {0xEC, "ì"},                                                         // i grave
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text::fromCp1252(std::string(1, static_cast<char>(c.byte))), c.utf8) << int(c.byte);
        EXPECT_EQ(text::toCp1252(c.utf8), std::string(1, static_cast<char>(c.byte))) << int(c.byte);
    }
}

TEST(Text, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(text::toCp1252("Łó"
                             "dź 中"),
              "?\xF3"
              "d? ?"); // Łódź 中
    EXPECT_FALSE(text::fitsCp1252("中"));
    EXPECT_TRUE(text::fitsCp1252("€ 10"));
}

TEST(Text, InvalidUtf8BecomesOneQuestionMarkPerBadSequence) {
    // Overlong forms must never turn into control characters in a record: C0 80 would be NUL and
    // C0 8A a line feed.
    const struct {
        const char* utf8;
        const char* cp1252;
    } cases[] = {
        {"a\xC0\x80z", "a?z"},             // overlong NUL
        {"a\xC0\x8Az", "a?z"},             // overlong LF
        {"\xC1\xBF", "?"},                 // overlong DEL
        {"\xE0\x80\x8A", "?"},             // three-byte overlong LF
        {"\xE0\x83\xA8", "?"},             // three-byte overlong e-grave
        {"\xF0\x80\x82\xAC", "?"},         // four-byte overlong euro
        {"\xED\xA0\x80", "?"},             // a UTF-16 surrogate
        {"\xF4\x90\x80\x80", "?"},         // beyond U+10FFFF
        {"\xF8\x88\x80\x80\x80", "?????"}, // no such lead byte
        {"x\x80y", "x?y"},                 // a lone continuation byte
        {"\xE2\x82z", "?z"},               // cut short before an ASCII byte
        {"\xC3", "?"},                     // cut short at the end
        {"è€😀", "\xE8\x80?"},              // valid: è, euro, and an emoji
    };
    for (const auto& c : cases)
        EXPECT_EQ(text::toCp1252(c.utf8), c.cp1252) << c.utf8;

    // What reaches a record is the same: no control byte is ever stored.
    std::string rec(TLibro::Size, '\0');
    writeField(rec, TLibro::F::Titolo, "Primo\xC0\x8A[Sezione]\xC0\x80");
    EXPECT_EQ(std::string(rawField(rec, TLibro::F::Titolo)), "Primo?[Sezione]?");
}

TEST(Text, PadOrCutCountsCharacters) {
    EXPECT_EQ(text::padCut("ab", 4), "ab  ");
    EXPECT_EQ(text::padCut("città!", 5), "città");
    EXPECT_EQ(text::padCut("", 2), "  ");
}

TEST(Text, ListOrderFoldsSmallLettersOntoCapitals) {
    EXPECT_TRUE(text::listLess("Cod. b-7", "Cod. C1"));
    EXPECT_FALSE(text::listLess("Cod. C1", "Cod. b-7"));
    EXPECT_EQ(text::compareList("rossi", "ROSSI"), 0);
    EXPECT_TRUE(text::listLess("A", "_")); // 'a' counts as 'A' (65), '_' is 95
    EXPECT_TRUE(text::listLess("Z", "à")); // accented letters sort by their code, after Z
    EXPECT_TRUE(text::listLess("ab", "abc"));
}

TEST(Date, ParsesDayMonthYear) {
    struct Case {
        const char* text;
        bool ok;
        Date date;
    } cases[] = {
        {"10/03/2022", true, {2022, 3, 10}},
        {" 1/3/2022 ", true, {2022, 3, 1}},
        {"29/02/2024", true, {2024, 2, 29}},
        {"29/02/2000", true, {2000, 2, 29}},
        {"29/02/2023", false, {}},
        {"29/02/1900", false, {}},
        {"31/02/2021", false, {}},
        {"31/04/2021", false, {}},
        {"00/01/2021", false, {}},
        {"10/13/2021", false, {}},
        {"10/03/22", false, {}},
        {"10/03/20222", false, {}},
        {"100/03/2022", false, {}},
        {"10-03-2022", false, {}},
        {"10/03/2022x", false, {}},
        {"", false, {}},
    };
    for (const auto& c : cases) {
        const auto d = Date::parse(c.text);
        EXPECT_EQ(d.has_value(), c.ok) << c.text;
        if (d && c.ok) {
            EXPECT_EQ(*d, c.date) << c.text;
        }
    }
}

TEST(Date, FormatsAndCounts) {
    EXPECT_EQ((Date{2022, 3, 1}).format(), "01/03/2022");
    EXPECT_EQ((Date{2022, 3, 20}).addDays(-10), (Date{2022, 3, 10}));
    EXPECT_EQ((Date{2024, 2, 28}).addDays(1), (Date{2024, 2, 29}));
    EXPECT_EQ((Date{2021, 12, 31}).addDays(1), (Date{2022, 1, 1}));
    EXPECT_EQ((TimeOfDay{9, 5, 7}).format(), "09:05:07");
}

TEST(ListOrder, SortingWithKeysGivesTheOrderOfTheLineByLineComparison) {
    // Lines that open alike, differ in case, in accents, in length, hold a NUL or repeat: the
    // fast sort must give exactly the order of the comparison, equal lines in their first order.
    std::mt19937 rng(11);
    const std::vector<std::string> pieces = {"Cod. ",
                                             "A",
                                             "a",
                                             "b",
                                             "B",
                                             "è",
                                             "È",
                                             "z",
                                             " ",
                                             "1",
                                             std::string(1, '\0'),
                                             "Cod. AB-1",
                                             "~",
                                             "zz",
                                             std::string(11, 'Q')};
    for (int round = 0; round < 200; ++round) {
        std::vector<std::string> lines;
        const int n = 1 + static_cast<int>(rng() % 60);
        for (int i = 0; i < n; ++i) {
            // A start all lines share, of any length, in either case.
            std::string l =
                std::string("Elenco dei libri, Cod. ").substr(0, static_cast<std::size_t>(round % 24));
            if (rng() % 2)
                l = text::upperAZ(l);
            const int parts = static_cast<int>(rng() % 6);
            for (int k = 0; k < parts; ++k)
                l += pieces[rng() % pieces.size()];
            lines.push_back(l + (rng() % 4 == 0 ? std::string() : "#" + std::to_string(i % 7)));
        }
        auto expected = lines;
        std::stable_sort(expected.begin(), expected.end(),
                         [](const std::string& a, const std::string& b) { return text::listLess(a, b); });
        text::Lines packed(lines), added;
        for (const auto& l : lines)
            added.insertSorted(l);
        packed.sort();
        ASSERT_EQ(packed.strings(), expected) << "round " << round;
        ASSERT_EQ(added.strings(), expected) << "round " << round;
    }
    // A users' list: a few names, each on hundreds of lines that differ only far along, in case
    // or in a card number that repeats.
    for (int round = 0; round < 4; ++round) {
        const std::vector<std::string> names = {"Rossi Mario", "ROSSI MARIO", "Rossi Maria", "Bianchi Anna"};
        std::vector<std::string> lines;
        for (int i = 0; i < 3000; ++i) {
            std::string name = names[rng() % names.size()];
            name.resize(30, ' ');
            lines.push_back(name + "  Tessera n. " + std::to_string(rng() % (round % 2 ? 50 : 5000)) +
                            (rng() % 3 ? "  Tel. 0" : "  tel. è"));
        }
        auto expected = lines;
        std::stable_sort(expected.begin(), expected.end(),
                         [](const std::string& a, const std::string& b) { return text::listLess(a, b); });
        text::Lines packed(lines);
        packed.sort();
        ASSERT_EQ(packed.strings(), expected) << "users round " << round;
    }
    text::Lines none, one{"solo"};
    none.sort();
    one.sort();
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(one.strings(), std::vector<std::string>{"solo"});
}

TEST(ListLines, KeepEveryLineWholeAcrossBlocksRefillsAndCopies) {
    // Lines longer than a block of the store, many lines filling several blocks, empty lines; then
    // the list emptied and filled again in the same room, and a copy that outlives the original.
    std::vector<std::string> first;
    first.push_back(std::string(3u << 20, 'L'));
    for (int i = 0; i < 40000; ++i)
        first.push_back(i % 1000 == 0 ? std::string()
                                      : "riga " + std::to_string(i) + std::string(i % 97, '.'));
    first.push_back(std::string((1u << 20) + 1, 'M'));
    text::Lines lines(first);
    ASSERT_EQ(lines.strings(), first);

    std::vector<std::string> second;
    for (int i = 0; i < 30000; ++i)
        second.push_back("seconda " + std::to_string(i) + std::string(i % 131, '-'));
    lines.clear();
    EXPECT_TRUE(lines.empty());
    for (const auto& l : second)
        lines.push_back(l);
    text::Lines copy = lines;
    lines.clear();
    lines.push_back("altro");
    EXPECT_EQ(copy.strings(), second);
    EXPECT_EQ(lines.strings(), std::vector<std::string>{"altro"});
}
