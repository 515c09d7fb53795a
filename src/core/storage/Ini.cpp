// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/Ini.h"

#include "core/storage/Files.h"
#include "core/text/Text.h"

#include <optional>
#include <vector>

namespace quaderna::ini {

namespace {

struct Line {
    std::size_t begin; // first byte of the line
    std::size_t end;   // byte after the text, before CR/LF
    std::size_t next;  // first byte of the following line
};

// A line ends with CR LF, LF or a CR on its own.
std::vector<Line> splitLines(std::string_view s) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < s.size()) {
        const std::size_t end = s.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.push_back({pos, s.size(), s.size()});
            break;
        }
        const std::size_t next =
            s[end] == '\r' && end + 1 < s.size() && s[end + 1] == '\n' ? end + 2 : end + 1;
        lines.push_back({pos, end, next});
        pos = next;
    }
    return lines;
}

// Every CR on its own becomes CR LF, so that every line of a written file ends alike.
std::string mendLineEnds(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        out += s[i];
        if (s[i] == '\r' && (i + 1 == s.size() || s[i + 1] != '\n'))
            out += '\n';
    }
    return out;
}

// A value as it is written: on one line (a line break or any other control character but the
// tab becomes a blank), and between quotes when reading would otherwise lose something of it
// (blanks at either end, or a pair of quotes around it, which readers take away).
std::string valueLine(std::string_view cp1252) {
    std::string v(cp1252);
    for (char& c : v)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
            c = ' ';
    if (v.empty())
        return v;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    const bool quoted = v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
    if (blank(v.front()) || blank(v.back()) || quoted)
        return '"' + v + '"';
    return v;
}

std::string_view trimBlanks(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return s.substr(b, e - b);
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (text::upperAZ(a[i]) != text::upperAZ(b[i]))
            return false;
    return true;
}

// The section name when the line is a section header.
std::optional<std::string_view> sectionOf(std::string_view line) {
    const std::string_view t = trimBlanks(line);
    if (t.empty() || t.front() != '[')
        return std::nullopt;
    const std::size_t close = t.find(']');
    if (close == std::string_view::npos)
        return trimBlanks(t.substr(1));
    return trimBlanks(t.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyOf(std::string_view line) {
    const std::string_view t = trimBlanks(line);
    if (t.empty() || t.front() == ';')
        return std::nullopt;
    const std::size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    std::string_view value = trimBlanks(t.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return KeyLine{trimBlanks(t.substr(0, eq)), value};
}

struct Located {
    bool sectionFound = false;
    std::size_t insertAt = 0; // where a new key of the section goes
    std::optional<Line> keyLine;
    std::string_view value;
};

Located locate(std::string_view content, std::string_view section, std::string_view key) {
    Located r;
    bool inSection = false;
    for (const Line& l : splitLines(content)) {
        const std::string_view text = content.substr(l.begin, l.end - l.begin);
        if (auto name = sectionOf(text)) {
            if (r.sectionFound && inSection)
                return r; // the first matching section has ended
            inSection = sameName(*name, section);
            if (inSection) {
                r.sectionFound = true;
                r.insertAt = l.next;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (!trimBlanks(text).empty())
            r.insertAt = l.next;
        if (auto kv = keyOf(text); kv && sameName(kv->key, key)) {
            r.keyLine = l;
            r.value = kv->value;
            return r;
        }
    }
    return r;
}

} // namespace

std::string readFrom(std::string_view content, std::string_view section, std::string_view key) {
    const std::string s = text::toCp1252(section), k = text::toCp1252(key);
    const Located r = locate(content, s, k);
    return r.keyLine ? text::fromCp1252(r.value) : std::string();
}

std::string writeTo(std::string_view original, std::string_view section, std::string_view key,
                    std::string_view value) {
    const std::string s = text::toCp1252(section), k = text::toCp1252(key);
    const std::string v = valueLine(text::toCp1252(value));
    const std::string mended = mendLineEnds(original);
    const std::string_view content = mended;
    const Located r = locate(content, s, k);
    std::string out(content);
    if (r.keyLine) {
        const std::string_view old = content.substr(r.keyLine->begin, r.keyLine->end - r.keyLine->begin);
        const std::string_view oldKey = keyOf(old)->key;
        out.replace(r.keyLine->begin, r.keyLine->end - r.keyLine->begin, std::string(oldKey) + "=" + v);
        return out;
    }
    if (r.sectionFound) {
        std::string line = k + "=" + v + "\r\n";
        if (r.insertAt > 0 && content[r.insertAt - 1] != '\n')
            line.insert(0, "\r\n");
        out.insert(r.insertAt, line);
        return out;
    }
    if (!out.empty() && out.back() != '\n')
        out += "\r\n";
    out += "[" + s + "]\r\n" + k + "=" + v + "\r\n";
    return out;
}

std::string readString(const std::filesystem::path& file, std::string_view section, std::string_view key) {
    const auto data = files::readRegular(file, files::kIniLimit);
    return data ? readFrom(*data, section, key) : std::string();
}

void writeString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                 std::string_view value) {
    const auto data = files::readRegular(file, files::kIniLimit);
    // Through a new file renamed over the old one, and no other way: when that cannot be done,
    // the old file stays as it was.
    files::replaceFile(file, writeTo(data ? *data : std::string(), section, key, value));
}

} // namespace quaderna::ini
