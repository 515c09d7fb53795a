// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/Text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace quaderna::text {

namespace {

// Code points of the bytes 0x80-0x9F in Windows-1252. The five undefined bytes map to the
// control code of the same value, as Windows does.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

int cp1252Byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp)
            return static_cast<int>(0x80 + i);
    return -1;
}

std::string trim(std::string_view s) {
    return std::string(trimView(s));
}

std::string upperAZ(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = upperAZ(c);
    return r;
}

std::string lowerAZ(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = lowerAZ(c);
    return r;
}

char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    // The lead byte gives the length and the range the second byte must fall in, which rules out
    // overlong forms (C0 80 is not NUL), UTF-16 surrogates and code points beyond U+10FFFF.
    int extra = 0;
    char32_t cp = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        extra = 1;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        extra = 2;
        cp = b0 & 0x0F;
        if (b0 == 0xE0)
            lo = 0xA0;
        else if (b0 == 0xED)
            hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        extra = 3;
        cp = b0 & 0x07;
        if (b0 == 0xF0)
            lo = 0x90;
        else if (b0 == 0xF4)
            hi = 0x8F;
    } else if (b0 == 0xC0 || b0 == 0xC1) {
        extra = 1; // only ever an overlong form
    } else {
        ++i; // a continuation byte on its own, or a byte that never starts a character
        return 0xFFFD;
    }
    // One invalid sequence is one replacement character: the lead byte takes with it the
    // continuation bytes it announced, as far as they go.
    bool valid = !(b0 == 0xC0 || b0 == 0xC1);
    std::size_t j = i + 1;
    for (int k = 0; k < extra; ++k, ++j) {
        if (j >= s.size())
            break;
        const auto b = static_cast<unsigned char>(s[j]);
        if ((b & 0xC0) != 0x80)
            break;
        if (k == 0 && (b < lo || b > hi))
            valid = false;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (j - i != static_cast<std::size_t>(extra) + 1)
        valid = false;
    i = j;
    return valid ? cp : 0xFFFD;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void appendFromCp1252(std::string& out, std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Plain ASCII runs are copied as they are.
        std::size_t run = i;
        while (run < bytes.size() && static_cast<unsigned char>(bytes[run]) < 0x80)
            ++run;
        out.append(bytes.data() + i, run - i);
        if (run == bytes.size())
            return;
        const auto b = static_cast<unsigned char>(bytes[run]);
        appendUtf8(out, b < 0xA0 ? kHigh[b - 0x80] : b);
        i = run + 1;
    }
}

char* putFromCp1252From(char* out, const char* in, const char* end) {
    std::uint64_t word;
    constexpr std::uint64_t high = 0x8080808080808080u;
    while (in != end) {
        // Eight plain ASCII bytes at a time, as they are.
        if (end - in >= 8 && (std::memcpy(&word, in, 8), (word & high) == 0)) {
            std::memcpy(out, in, 8);
            in += 8;
            out += 8;
            continue;
        }
        const auto b = static_cast<unsigned char>(*in++);
        if (b < 0x80) {
            *out++ = static_cast<char>(b);
            continue;
        }
        const char32_t cp = b < 0xA0 ? kHigh[b - 0x80] : b;
        if (cp < 0x800) {
            *out++ = static_cast<char>(0xC0 | (cp >> 6));
        } else {
            *out++ = static_cast<char>(0xE0 | (cp >> 12));
            *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        }
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

std::string fromCp1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    appendFromCp1252(out, bytes);
    return out;
}

std::string toCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const int b = cp1252Byte(nextCodePoint(utf8, i));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

bool fitsCp1252(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();)
        if (cp1252Byte(nextCodePoint(utf8, i)) < 0)
            return false;
    return true;
}

std::size_t length(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    return n;
}

std::string left(std::string_view utf8, std::size_t n) {
    std::size_t i = 0, count = 0;
    while (i < utf8.size() && count < n) {
        nextCodePoint(utf8, i);
        ++count;
    }
    return std::string(utf8.substr(0, i));
}

std::string padCut(std::string_view utf8, std::size_t n) {
    std::string r = left(utf8, n);
    const std::size_t len = length(r);
    if (len < n)
        r.append(n - len, ' ');
    return r;
}

int compareList(std::string_view a, std::string_view b) {
    // UTF-8 byte order is code point order, so a byte-wise comparison with a-z folded
    // onto A-Z gives the list order.
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(upperAZ(a[i]));
        const auto y = static_cast<unsigned char>(upperAZ(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool isDigits(std::string_view s) {
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::string replaceAll(std::string_view s, std::string_view from, std::string_view to) {
    std::string r;
    if (from.empty())
        return std::string(s);
    std::size_t pos = 0;
    while (true) {
        const std::size_t hit = s.find(from, pos);
        if (hit == std::string_view::npos) {
            r.append(s.substr(pos));
            return r;
        }
        r.append(s.substr(pos, hit - pos));
        r.append(to);
        pos = hit + from.size();
    }
}

} // namespace quaderna::text
