// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text helpers shared by the whole program.
//
// Inside the program every text is UTF-8. The archives and INI files hold single-byte
// Windows-1252 text; the conversions below are the only way in and out of that code page.
// Case conversions touch the letters A-Z and a-z only: accented letters stay as they are.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace quaderna::text {

// Removes leading and trailing blanks and control characters (every code up to U+0020).
std::string trim(std::string_view s);
inline std::string_view trimView(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 0x20)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 0x20)
        --e;
    return s.substr(b, e - b);
}

// a-z to A-Z, and the reverse; every other character is left alone.
std::string upperAZ(std::string_view s);
std::string lowerAZ(std::string_view s);
inline char upperAZ(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
inline char lowerAZ(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Windows-1252 bytes to UTF-8. Every byte maps to one character; the five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as U+0081, U+008D, U+008F, U+0090, U+009D.
std::string fromCp1252(std::string_view bytes);
// The same into `out`, which has room for three bytes per byte; gives the end of what it wrote.
inline char* putFromCp1252(char* out, std::string_view bytes);
// The part of putFromCp1252 past its plain ASCII start: converts in..end into out.
char* putFromCp1252From(char* out, const char* in, const char* end);
void appendFromCp1252(std::string& out, std::string_view bytes);

// UTF-8 to Windows-1252 bytes; a character the code page cannot hold becomes '?'.
std::string toCp1252(std::string_view utf8);
// The Windows-1252 byte of one character, -1 when the code page has none.
int cp1252Byte(char32_t cp);
// True when every character of the text has a Windows-1252 byte.
bool fitsCp1252(std::string_view utf8);

// Number of characters (code points) of a UTF-8 text.
std::size_t length(std::string_view utf8);
// The first n characters.
std::string left(std::string_view utf8, std::size_t n);
// The text padded with blanks to n characters, or cut to n characters.
std::string padCut(std::string_view utf8, std::size_t n);

// The order of the program's sorted lists: character by character, a-z taken as A-Z,
// every other character by its code.
int compareList(std::string_view a, std::string_view b);
inline bool listLess(std::string_view a, std::string_view b) {
    return compareList(a, b) < 0;
}

// True when the text is not empty and holds only the digits 0-9.
bool isDigits(std::string_view s);

// Decodes one code point at s[i] and advances i. An invalid sequence (an overlong form, a
// surrogate, a code point beyond U+10FFFF, a sequence cut short, a stray byte) gives one U+FFFD.
char32_t nextCodePoint(std::string_view s, std::size_t& i);
void appendUtf8(std::string& out, char32_t cp);

// Replaces every occurrence of `from` with `to`.
std::string replaceAll(std::string_view s, std::string_view from, std::string_view to);

inline char* putFromCp1252(char* out, std::string_view bytes) {
    const char* in = bytes.data();
    const char* const end = in + bytes.size();
    // Most stored texts are plain ASCII through and through: they are copied eight bytes at a
    // time as they are checked, the last eight as one word overlapping the word before. At the
    // first word with a byte from 0x80 up, the conversion goes on from that word.
    constexpr std::uint64_t high = 0x8080808080808080u;
    std::uint64_t word;
    if (bytes.size() >= 8) {
        for (; end - in > 8; in += 8, out += 8) {
            std::memcpy(&word, in, 8);
            if (word & high)
                return putFromCp1252From(out, in, end);
            std::memcpy(out, &word, 8);
        }
        std::memcpy(&word, end - 8, 8);
        if ((word & high) == 0) {
            std::memcpy(out + (end - in) - 8, &word, 8);
            return out + (end - in);
        }
        return putFromCp1252From(out, in, end);
    }
    // Shorter texts the same way in two overlapping halves, or in at most three single bytes.
    const std::size_t n = bytes.size();
    if (n >= 4) {
        std::uint32_t first, last;
        std::memcpy(&first, in, 4);
        std::memcpy(&last, end - 4, 4);
        if ((first | last) & 0x80808080u)
            return putFromCp1252From(out, in, end);
        std::memcpy(out, &first, 4);
        std::memcpy(out + n - 4, &last, 4);
        return out + n;
    }
    if (n > 0) {
        const char a = in[0], b = in[n / 2], c = in[n - 1];
        if ((static_cast<unsigned char>(a) | static_cast<unsigned char>(b) | static_cast<unsigned char>(c)) &
            0x80)
            return putFromCp1252From(out, in, end);
        out[0] = a;
        out[n / 2] = b;
        out[n - 1] = c;
    }
    return out + n;
}

} // namespace quaderna::text
