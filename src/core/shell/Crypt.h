// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reversible scramble that keeps the access password in unins000.dll.
//
// A 16-bit running key starts from a fixed value; after each character it becomes
// (scrambled byte + key) * multiplier + addend, modulo 65536. Each character's low 8 bits are
// XORed with the key's high byte and written as two upper-case hexadecimal digits.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quaderna::Crypt {

inline constexpr std::uint16_t StartKey = 0x6B2E;
inline constexpr std::uint16_t Multiplier = 0x3A95;
inline constexpr std::uint16_t Addend = 0x1F63;

// UTF-8 text in, hexadecimal text out. Only the low 8 bits of each character's code are kept.
std::string Scramble(std::string_view text);
// Hexadecimal text in (a final single digit is ignored), UTF-8 text out (codes 0-255).
// Returns nothing when a pair is not hexadecimal.
std::optional<std::string> Unscramble(std::string_view hex);

} // namespace quaderna::Crypt
