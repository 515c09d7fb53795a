#include "core/storage/Ini.h"

#include "core/storage/RecordFile.h"
#include "core/text/Text.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quaderna::ini {

namespace {

struct Line {
    std::size_t begin; // first byte of the line
    std::size_t end;   // byte after the text, before CR/LF
    std::size_t next;  // first byte of the following line
};

std::vector<Line> splitLines(std::string_view s) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < s.size()) {
        std::size_t nl = s.find('\n', pos);
        const std::size_t next = nl == std::string_view::npos ? s.size() : nl + 1;
        std::size_t end = nl == std::string_view::npos ? s.size() : nl;
        if (end > pos && s[end - 1] == '\r')
            --end;
        lines.push_back({pos, end, next});
        pos = next;
    }
    return lines;
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

std::optional<std::string> readFile(const std::filesystem::path& file) {
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        throw IoError("cannot read " + file.string(), errno);
    }
    std::string data;
    char buf[8192];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        data.append(buf, n);
    const bool failed = std::ferror(f);
    std::fclose(f);
    if (failed)
        throw IoError("cannot read " + file.string(), EIO);
    return data;
}

void writeAll(int fd, std::string_view data, const std::filesystem::path& file) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw IoError("cannot write " + file.string(), errno ? errno : EIO);
        done += static_cast<std::size_t>(n);
    }
}

// Replaces the file's content: through a new file renamed over the old one when the folder
// allows it, so that a failure half-way never leaves a truncated file behind.
void replaceFile(const std::filesystem::path& file, std::string_view data, bool existed) {
    if (existed && !writableFile(file))
        throw IoError("the file is read-only: " + file.string(), EACCES);
    const auto folder = file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
    if (!existed && !writableFolder(folder))
        throw IoError("cannot create " + file.string(), EACCES);
    if (writableFolder(folder)) {
        struct stat st {};
        const mode_t mode = existed && ::stat(file.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
        auto tmp = file;
        tmp += ".tmp~";
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
        if (fd >= 0) {
            try {
                writeAll(fd, data, tmp);
                if (::fsync(fd) != 0 || ::close(fd) != 0)
                    throw IoError("cannot write " + tmp.string(), errno);
            } catch (...) {
                ::unlink(tmp.c_str());
                throw;
            }
            if (::rename(tmp.c_str(), file.c_str()) == 0)
                return;
            ::unlink(tmp.c_str());
        }
    }
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw IoError("cannot write " + file.string(), errno);
    try {
        writeAll(fd, data, file);
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
}

} // namespace

std::string readFrom(std::string_view content, std::string_view section, std::string_view key) {
    const std::string s = text::toCp1252(section), k = text::toCp1252(key);
    const Located r = locate(content, s, k);
    return r.keyLine ? text::fromCp1252(r.value) : std::string();
}

std::string writeTo(std::string_view content, std::string_view section, std::string_view key,
                    std::string_view value) {
    const std::string s = text::toCp1252(section), k = text::toCp1252(key), v = text::toCp1252(value);
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
    const auto data = readFile(file);
    return data ? readFrom(*data, section, key) : std::string();
}

void writeString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                 std::string_view value) {
    const auto data = readFile(file);
    replaceFile(file, writeTo(data ? *data : std::string(), section, key, value), data.has_value());
}

} // namespace quaderna::ini
