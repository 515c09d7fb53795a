#include "core/reports/PdfJoin.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>
#include <set>

namespace quaderna::pdf {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool isDelimiter(char c) {
    return isSpace(c) || c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' ||
           c == '}' || c == '/' || c == '%';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipSpaces(std::string_view s, std::size_t at) {
    while (at < s.size() && isSpace(s[at]))
        ++at;
    return at;
}

// A whole number at `at` (after blanks); `at` moves past it.
std::optional<std::size_t> readNumber(std::string_view s, std::size_t& at) {
    at = skipSpaces(s, at);
    std::size_t value = 0;
    const auto r = std::from_chars(s.data() + at, s.data() + s.size(), value);
    if (r.ec != std::errc() || r.ptr == s.data() + at)
        return std::nullopt;
    at = static_cast<std::size_t>(r.ptr - s.data());
    return value;
}

// "N 0 R" at `at` (after blanks); `at` moves past it.
std::optional<std::size_t> readReference(std::string_view s, std::size_t& at) {
    std::size_t p = at;
    const auto n = readNumber(s, p);
    const auto g = n ? readNumber(s, p) : std::nullopt;
    p = skipSpaces(s, p);
    if (!g || *g != 0 || p >= s.size() || s[p] != 'R' || (p + 1 < s.size() && !isDelimiter(s[p + 1])))
        return std::nullopt;
    at = p + 1;
    return n;
}

// Where `key` stands as a whole name in `dict`, just past it; npos when it does not.
std::size_t findKey(std::string_view dict, std::string_view key) {
    for (std::size_t at = dict.find(key); at != std::string_view::npos; at = dict.find(key, at + 1)) {
        const std::size_t past = at + key.size();
        if (past >= dict.size() || isDelimiter(dict[past]))
            return past;
    }
    return std::string_view::npos;
}

std::optional<std::size_t> referenceAt(std::string_view dict, std::string_view key) {
    std::size_t at = findKey(dict, key);
    if (at == std::string_view::npos)
        return std::nullopt;
    return readReference(dict, at);
}

struct Part {
    std::string_view bytes;
    std::size_t xref = 0;
    std::size_t size = 0;                // object numbers run below this
    std::vector<std::size_t> begin, end; // of each object in use (end 0: not in use)
    std::size_t root = 0, info = 0, pages = 0;
    std::vector<std::size_t> kids;

    std::string_view object(std::size_t n) const { return bytes.substr(begin[n], end[n] - begin[n]); }
    bool inUse(std::size_t n) const { return n < size && end[n] != 0; }
};

// The dictionary part of an object, before its stream's data if it has one.
std::string_view head(std::string_view object) {
    for (std::size_t at = object.find("stream"); at != std::string_view::npos;
         at = object.find("stream", at + 1)) {
        const bool keyword = (at == 0 || isSpace(object[at - 1]) || object[at - 1] == '>') &&
                             at + 6 < object.size() && (object[at + 6] == '\n' || object[at + 6] == '\r');
        if (keyword)
            return object.substr(0, at);
    }
    return object;
}

std::optional<Part> readPart(std::string_view bytes) {
    Part p;
    p.bytes = bytes;
    const std::size_t startxref = bytes.rfind("startxref");
    if (startxref == std::string_view::npos)
        return std::nullopt;
    std::size_t at = startxref + 9;
    const auto xref = readNumber(bytes, at);
    if (!xref || *xref >= bytes.size() || bytes.substr(*xref, 4) != "xref")
        return std::nullopt;
    p.xref = *xref;
    at = p.xref + 4;
    const auto first = readNumber(bytes, at);
    const auto count = readNumber(bytes, at);
    if (!first || *first != 0 || !count || *count == 0 || *count > bytes.size() / 20)
        return std::nullopt;
    at = skipSpaces(bytes, at);
    p.size = *count;
    p.begin.assign(p.size, 0);
    p.end.assign(p.size, 0);
    if (at + 20 * p.size > bytes.size())
        return std::nullopt;
    std::vector<std::pair<std::size_t, std::size_t>> byPlace; // (offset, number)
    for (std::size_t n = 0; n < p.size; ++n, at += 20) {
        const std::string_view entry = bytes.substr(at, 20);
        if (entry[17] != 'n')
            continue;
        std::size_t offset = 0;
        const auto r = std::from_chars(entry.data(), entry.data() + 10, offset);
        if (r.ec != std::errc() || r.ptr != entry.data() + 10 || offset >= p.xref || n == 0)
            return std::nullopt;
        const std::string opening = std::to_string(n) + " 0 obj";
        if (bytes.substr(offset, opening.size()) != opening)
            return std::nullopt;
        p.begin[n] = offset;
        byPlace.emplace_back(offset, n);
    }
    if (byPlace.empty())
        return std::nullopt;
    std::sort(byPlace.begin(), byPlace.end());
    for (std::size_t k = 0; k < byPlace.size(); ++k)
        p.end[byPlace[k].second] = k + 1 < byPlace.size() ? byPlace[k + 1].first : p.xref;

    const std::size_t trailer = bytes.find("trailer", at);
    if (trailer == std::string_view::npos || trailer > startxref)
        return std::nullopt;
    const std::string_view tail = bytes.substr(trailer, startxref - trailer);
    const auto root = referenceAt(tail, "/Root");
    const auto info = referenceAt(tail, "/Info");
    if (!root || !p.inUse(*root) || (info && !p.inUse(*info)))
        return std::nullopt;
    p.root = *root;
    p.info = info.value_or(0);
    const auto pages = referenceAt(head(p.object(p.root)), "/Pages");
    if (!pages || !p.inUse(*pages))
        return std::nullopt;
    p.pages = *pages;

    // A flat page tree: its kids are the pages themselves, as many as it counts.
    const std::string_view tree = head(p.object(p.pages));
    std::size_t k = findKey(tree, "/Kids");
    if (k == std::string_view::npos || (k = skipSpaces(tree, k)) >= tree.size() || tree[k] != '[')
        return std::nullopt;
    ++k;
    while (true) {
        k = skipSpaces(tree, k);
        if (k < tree.size() && tree[k] == ']')
            break;
        const auto kid = readReference(tree, k);
        if (!kid || !p.inUse(*kid))
            return std::nullopt;
        const std::string_view page = head(p.object(*kid));
        const std::size_t type = findKey(page, "/Type");
        std::size_t t = type == std::string_view::npos ? type : skipSpaces(page, type);
        if (t == std::string_view::npos || page.substr(t, 5) != "/Page" || page.substr(t, 6) == "/Pages")
            return std::nullopt;
        p.kids.push_back(*kid);
    }
    std::size_t c = findKey(tree, "/Count");
    const auto counted = c == std::string_view::npos ? std::nullopt : readNumber(tree, c);
    if (!counted || *counted != p.kids.size())
        return std::nullopt;
    return p;
}

// The dictionary text with every reference renumbered and every subset font name renamed.
void rewriteHead(std::string& out, std::string_view text, const std::vector<std::size_t>& number,
                 const std::map<std::string, std::string, std::less<>>& tags) {
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '(') { // a string, copied as it stands
            int depth = 0;
            std::size_t j = i;
            for (; j < text.size(); ++j) {
                if (text[j] == '\\') {
                    ++j;
                    continue;
                }
                if (text[j] == '(')
                    ++depth;
                else if (text[j] == ')' && --depth == 0)
                    break;
            }
            j = std::min(j + 1, text.size());
            out.append(text.substr(i, j - i));
            i = j;
            continue;
        }
        if (c == '/' && i + 7 < text.size() && text[i + 7] == '+') {
            const auto tag = tags.find(text.substr(i + 1, 6));
            if (tag != tags.end()) {
                out += '/';
                out += tag->second;
                i += 7;
                continue;
            }
        }
        if (isDigit(c) && (i == 0 || (isDelimiter(text[i - 1]) && text[i - 1] != '/'))) {
            std::size_t at = i;
            const auto n = readReference(text, at);
            if (n && *n < number.size() && number[*n] != 0) {
                out += std::to_string(number[*n]);
                out += " 0 R";
                i = at;
                continue;
            }
            while (i < text.size() && isDigit(text[i]))
                out += text[i++];
            continue;
        }
        out += c;
        ++i;
    }
}

// Subset font names ("/ABCDEF+Face") in the dictionaries of a part.
std::set<std::string, std::less<>> subsetTags(const Part& p) {
    std::set<std::string, std::less<>> found;
    for (std::size_t n = 1; n < p.size; ++n) {
        if (!p.inUse(n))
            continue;
        const std::string_view h = head(p.object(n));
        for (std::size_t at = h.find('+'); at != std::string_view::npos; at = h.find('+', at + 1)) {
            if (at < 7 || h[at - 7] != '/')
                continue;
            const std::string_view tag = h.substr(at - 6, 6);
            if (std::all_of(tag.begin(), tag.end(), [](char x) { return x >= 'A' && x <= 'Z'; }))
                found.emplace(tag);
        }
    }
    return found;
}

} // namespace

std::optional<std::string> join(const std::vector<std::string_view>& parts) {
    std::vector<Part> read;
    for (std::string_view bytes : parts) {
        auto p = readPart(bytes);
        if (!p)
            return std::nullopt;
        read.push_back(std::move(*p));
    }
    if (read.empty())
        return std::nullopt;
    const Part& lead = read.front();

    // New numbers: the first part keeps its own; every other part follows, without its own
    // information, catalogue and page tree, whose places the first part's take.
    std::vector<std::vector<std::size_t>> number(read.size());
    number[0].resize(lead.size);
    for (std::size_t n = 1; n < lead.size; ++n)
        number[0][n] = lead.inUse(n) ? n : 0;
    std::size_t next = lead.size;
    for (std::size_t k = 1; k < read.size(); ++k) {
        const Part& p = read[k];
        number[k].assign(p.size, 0);
        for (std::size_t n = 1; n < p.size; ++n) {
            if (!p.inUse(n))
                continue;
            if (n == p.pages)
                number[k][n] = lead.pages;
            else if (n == p.root)
                number[k][n] = lead.root;
            else if (n == p.info)
                number[k][n] = lead.info;
            else
                number[k][n] = next++;
        }
    }

    // Subset names new to the document for every part after the first.
    std::set<std::string, std::less<>> taken;
    std::vector<std::set<std::string, std::less<>>> partTags;
    for (const Part& p : read) {
        partTags.push_back(subsetTags(p));
        taken.insert(partTags.back().begin(), partTags.back().end());
    }
    std::vector<std::map<std::string, std::string, std::less<>>> renamed(read.size());
    std::size_t counter = 0;
    for (std::size_t k = 1; k < read.size(); ++k) {
        for (const std::string& tag : partTags[k]) {
            std::string fresh;
            do {
                fresh = "QJ";
                std::size_t v = counter++;
                for (int d = 0; d < 4; ++d, v /= 26)
                    fresh += static_cast<char>('A' + v % 26);
            } while (taken.count(fresh) != 0);
            taken.insert(fresh);
            renamed[k][tag] = fresh;
        }
    }

    std::size_t total = 0;
    for (std::string_view bytes : parts)
        total += bytes.size();
    std::string out;
    out.reserve(total + 64 * (next + 4));
    std::size_t firstObject = lead.xref;
    for (std::size_t n = 1; n < lead.size; ++n)
        if (lead.inUse(n))
            firstObject = std::min(firstObject, lead.begin[n]);
    out.append(lead.bytes.substr(0, firstObject));

    std::vector<std::size_t> offsets(next, 0);
    for (std::size_t k = 0; k < read.size(); ++k) {
        const Part& p = read[k];
        for (std::size_t n = 1; n < p.size; ++n) {
            if (!p.inUse(n) || (k > 0 && (n == p.pages || n == p.root || n == p.info)))
                continue;
            const std::size_t to = number[k][n];
            offsets[to] = out.size();
            const std::string_view object = p.object(n);
            if (k == 0 && n != lead.pages) {
                out.append(object);
                continue;
            }
            const std::size_t body = object.find("obj") + 3;
            out += std::to_string(to);
            out += " 0 obj";
            if (k == 0) {
                // The first part's page tree, now over every page.
                const std::string_view tree = head(object).substr(body);
                const std::size_t open = tree.find('[', findKey(tree, "/Kids"));
                const std::size_t close = tree.find(']', open);
                std::size_t countAt = findKey(tree, "/Count");
                const std::size_t countFrom = skipSpaces(tree, countAt);
                if (open == std::string_view::npos || close == std::string_view::npos || countAt < close)
                    return std::nullopt;
                readNumber(tree, countAt);
                std::size_t pagesInAll = 0;
                out.append(tree.substr(0, open + 1));
                out += '\n';
                for (std::size_t j = 0; j < read.size(); ++j)
                    for (std::size_t kid : read[j].kids) {
                        out += std::to_string(number[j][kid]);
                        out += " 0 R\n";
                        ++pagesInAll;
                    }
                out.append(tree.substr(close, countFrom - close));
                out += std::to_string(pagesInAll);
                out.append(object.substr(body + countAt));
                continue;
            }
            const std::string_view h = head(object);
            rewriteHead(out, h.substr(body), number[k], renamed[k]);
            out.append(object.substr(h.size()));
        }
    }

    const std::size_t xref = out.size();
    char entry[32];
    out += "xref\n0 " + std::to_string(next) + "\n0000000000 65535 f \n";
    for (std::size_t n = 1; n < next; ++n) {
        if (offsets[n] != 0)
            std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offsets[n]);
        else
            std::snprintf(entry, sizeof entry, "0000000000 65535 f \n");
        out += entry;
    }
    out += "trailer\n<<\n/Size " + std::to_string(next) + "\n";
    if (lead.info != 0)
        out += "/Info " + std::to_string(lead.info) + " 0 R\n";
    out +=
        "/Root " + std::to_string(lead.root) + " 0 R\n>>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return out;
}

} // namespace quaderna::pdf
