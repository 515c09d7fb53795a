// SPDX-License-Identifier: GPL-3.0-or-later
// The INI reader and writer against random files and random values.
//
// Runs for QUADERNA_FUZZ_SECONDS (2 by default, as in CI; set it higher by hand) from the seed
// QUADERNA_FUZZ_SEED (fixed by default). A failure names the case's seed, which repeats it alone.

#include "core/storage/Ini.h"
#include "core/text/Text.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace quaderna;

namespace {

unsigned long envNumber(const char* name, unsigned long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtoul(v, nullptr, 10) : fallback;
}

class Random {
public:
    explicit Random(unsigned long seed) : gen_(seed) {}
    std::size_t below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(gen_); }
    bool chance(int percent) { return below(100) < static_cast<std::size_t>(percent); }
    template <class T, std::size_t N> const T& pick(const T (&items)[N]) { return items[below(N)]; }

    // A section or key name as the program uses them: letters, digits and inner blanks, in any
    // letter case (names match without regard to the case of A-Z).
    std::string name() {
        static const char* const names[] = {"Dati Ente",     "Margini Stampa", "Accesso",       "Valore",
                                            "Denominazione", "Sottotitolo 1",  "Sottotitolo 2", "A",
                                            "Annotazioni",   "Superiore",      "Sinistro",      "k"};
        std::string n = pick(names);
        for (char& c : n)
            if (chance(20))
                c = chance(50) ? text::upperAZ(c) : text::lowerAZ(c);
        return n;
    }

    // Any text the program could hand over, in UTF-8: letters, accented letters, the euro sign,
    // blanks, tabs, quotes, the INI's own signs, line breaks and other control characters.
    std::string value() {
        static const char* const pieces[] = {
            "a",    "Z", "0", " ",           "  ",        "\t",        "\"",   "'",    "=",
            "[",    "]", ";", "#",           "\r",        "\n",        "\r\n", "\n\r", "\x01",
            "\x1F", "è", "€", "Via Roma, 1", "[Accesso]", "Valore=00", "À",    "\x7F"};
        std::string v;
        const std::size_t n = below(8);
        for (std::size_t i = 0; i < n; ++i)
            v += pick(pieces);
        return v;
    }

    // A file as people and other programs leave them: sections, keys, comments, blank lines,
    // duplicate sections and keys, odd spacing, every kind of line end, a last line with none.
    std::string file() {
        static const char* const ends[] = {"\r\n", "\n", "\r", "\r\n", "\r\n"};
        std::string f;
        const std::size_t lines = below(14);
        for (std::size_t i = 0; i < lines; ++i) {
            switch (below(6)) {
            case 0:
                f += (chance(30) ? " [" : "[") + name() + (chance(20) ? "] " : "]");
                break;
            case 1:
            case 2:
            case 3: {
                std::string v = text::toCp1252(value());
                for (char& c : v)
                    if (c == '\r' || c == '\n')
                        c = ' ';
                f += name() + (chance(30) ? " = " : "=") + v;
                break;
            }
            case 4:
                f += chance(50) ? "; commento" : "";
                break;
            default:
                f += "riga senza uguale";
                break;
            }
            if (i + 1 < lines || chance(70))
                f += pick(ends);
        }
        return f;
    }

private:
    std::mt19937_64 gen_;
};

// What a value reads back as: one line, and only what Windows-1252 can hold.
std::string expectedValue(std::string_view utf8) {
    std::string v = text::fromCp1252(text::toCp1252(utf8));
    for (char& c : v)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
            c = ' ';
    return v;
}

using Key = std::pair<std::string, std::string>;

// Every section and key name a file may be asked for.
std::vector<Key> allKeys() {
    static const char* const names[] = {"Dati Ente",     "Margini Stampa", "Accesso",       "Valore",
                                        "Denominazione", "Sottotitolo 1",  "Sottotitolo 2", "A",
                                        "Annotazioni",   "Superiore",      "Sinistro",      "k"};
    std::vector<Key> keys;
    for (const char* s : names)
        for (const char* k : names)
            keys.emplace_back(s, k);
    return keys;
}

// The case in upper case, as names match without regard to letter case.
Key folded(const std::string& section, const std::string& key) {
    return {text::upperAZ(section), text::upperAZ(key)};
}

} // namespace

TEST(IniFuzz, EveryWrittenKeyReadsBackAndNoOtherKeyChanges) {
    const auto seconds = envNumber("QUADERNA_FUZZ_SECONDS", 2);
    const auto base = envNumber("QUADERNA_FUZZ_SEED", 20220310);
    const auto keys = allKeys();
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    unsigned long cases = 0;
    for (unsigned long seed = base; std::chrono::steady_clock::now() < until; ++seed, ++cases) {
        Random rnd(seed);
        std::string content = rnd.file();
        std::map<Key, std::string> before;
        for (const auto& [s, k] : keys)
            before[folded(s, k)] = ini::readFrom(content, s, k);
        std::map<Key, std::string> written;
        const std::size_t writes = 1 + rnd.below(5);
        for (std::size_t w = 0; w < writes; ++w) {
            const std::string section = rnd.name(), key = rnd.name(), value = rnd.value();
            content = ini::writeTo(content, section, key, value);
            written[folded(section, key)] = expectedValue(value);

            for (const auto& [s, k] : keys) {
                const Key f = folded(s, k);
                const auto hit = written.find(f);
                const std::string& want = hit != written.end() ? hit->second : before[f];
                ASSERT_EQ(ini::readFrom(content, s, k), want)
                    << "seed " << seed << ", write " << w << ", [" << s << "] " << k;
            }
            // Every line ends in CR LF or LF: no lone CR is left anywhere.
            for (std::size_t i = 0; i < content.size(); ++i) {
                if (content[i] == '\r') {
                    ASSERT_TRUE(i + 1 < content.size() && content[i + 1] == '\n') << "seed " << seed;
                }
            }
        }
    }
    EXPECT_GT(cases, 0u);
    RecordProperty("cases", static_cast<int>(cases));
}

TEST(IniFuzz, TheSameOnDisk) {
    quaderna::testing::TempDir dir;
    const auto file = dir / "Tesserini.ini";
    Random rnd(envNumber("QUADERNA_FUZZ_SEED", 20220310));
    std::map<Key, std::string> written;
    for (int w = 0; w < 50; ++w) {
        const std::string section = rnd.name(), key = rnd.name(), value = rnd.value();
        ini::writeString(file, section, key, value);
        written[folded(section, key)] = expectedValue(value);
    }
    for (const auto& [s, k] : allKeys()) {
        const auto hit = written.find(folded(s, k));
        EXPECT_EQ(ini::readString(file, s, k), hit != written.end() ? hit->second : "") << s << "/" << k;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}
