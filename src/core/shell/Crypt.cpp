// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/Crypt.h"

#include "core/text/Text.h"

namespace quaderna::Crypt {

namespace {

std::uint16_t advance(std::uint16_t key, std::uint8_t scrambled) {
    return static_cast<std::uint16_t>((scrambled + key) * Multiplier + Addend);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string Scramble(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    std::uint16_t key = StartKey;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t cp = text::nextCodePoint(text, i);
        const auto b = static_cast<std::uint8_t>((cp & 0xFF) ^ (key >> 8));
        out += kHex[b >> 4];
        out += kHex[b & 0x0F];
        key = advance(key, b);
    }
    return out;
}

std::optional<std::string> Unscramble(std::string_view hex) {
    std::string out;
    std::uint16_t key = StartKey;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        const int hi = hexValue(hex[i]), lo = hexValue(hex[i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        const auto b = static_cast<std::uint8_t>(hi * 16 + lo);
        text::appendUtf8(out, static_cast<char32_t>(b ^ (key >> 8)));
        key = advance(key, b);
    }
    return out;
}

} // namespace quaderna::Crypt
