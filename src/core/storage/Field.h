// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fixed-width text fields of the archive records.
//
// A field of width N takes N+1 bytes: a length byte L (0..N) and N bytes of which the first L hold
// the text in Windows-1252. The bytes after the text mean nothing and are written as zeros.

#include <cstddef>
#include <string>
#include <string_view>

namespace quaderna {

struct FieldSpec {
    std::size_t offset;
    std::size_t width;
    constexpr std::size_t end() const { return offset + width + 1; }
};

// The field that follows `previous`, of the given width.
constexpr FieldSpec after(FieldSpec previous, std::size_t width) {
    return FieldSpec{previous.end(), width};
}
constexpr FieldSpec first(std::size_t width) {
    return FieldSpec{0, width};
}

// The stored bytes of a field: L bytes after the length byte, a length byte above N taken as N.
inline std::string_view rawField(std::string_view record, FieldSpec f) {
    std::size_t len = static_cast<unsigned char>(record[f.offset]);
    if (len > f.width)
        len = f.width;
    return record.substr(f.offset + 1, len);
}

// The field's text as stored (not trimmed), converted from Windows-1252.
std::string readField(std::string_view record, FieldSpec f);
// Stores a screen value: trimmed of blanks and control characters, converted to Windows-1252
// ('?' for what the code page lacks), cut to N bytes.
void writeField(std::string& record, FieldSpec f, std::string_view value);

// Record types describe themselves with a table of (field, member) pairs.
template <class R> struct FieldBinding {
    const char* name;
    FieldSpec place;
    std::string R::*member;
};

template <class R, std::size_t N> R decodeRecord(std::string_view bytes, const FieldBinding<R> (&fields)[N]) {
    R r;
    for (const auto& f : fields)
        r.*(f.member) = readField(bytes, f.place);
    return r;
}

template <class R, std::size_t N>
std::string encodeRecord(const R& r, std::size_t size, const FieldBinding<R> (&fields)[N]) {
    std::string bytes(size, '\0');
    for (const auto& f : fields)
        writeField(bytes, f.place, r.*(f.member));
    return bytes;
}

// Flags are stored as "Sì" or "No".
inline constexpr std::string_view kSi = "Sì"; // "Sì" in UTF-8
inline constexpr std::string_view kNo = "No";

} // namespace quaderna

namespace quaderna {

// Showing a stored flag: "Sì" ticks the box, "No" clears it, any other value leaves it as it was.
void showFlag(bool& checked, std::string_view stored);
inline std::string flagText(bool checked) {
    return std::string(checked ? kSi : kNo);
}

} // namespace quaderna
