// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/SpreadsheetExport.h"

#include "core/storage/Files.h"
#include "core/text/Text.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace quaderna {

namespace spreadsheet {

void appendText(std::string& out, std::string_view utf8) {
    const std::string_view s = text::trimView(utf8);
    for (std::size_t i = 0; i < s.size();) {
        // Plain characters go in whole runs.
        std::size_t run = i;
        while (run < s.size()) {
            const auto c = static_cast<unsigned char>(s[run]);
            if (c < 0x20 || c >= 0x7F || c == '&' || c == '<' || c == '>')
                break;
            ++run;
        }
        out.append(s.data() + i, run - i);
        i = run;
        if (i == s.size())
            break;
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            ++i;
            switch (b) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += b < 0x20 || b == 0x7F ? ' ' : static_cast<char>(b);
            }
            continue;
        }
        const char32_t cp = text::nextCodePoint(s, i);
        if (cp < 0xA0) {
            out += ' '; // a control character of the upper range
            continue;
        }
        const int byte = text::cp1252Byte(cp);
        if (byte >= 0) {
            out += static_cast<char>(byte);
        } else {
            out += "&#";
            out += std::to_string(static_cast<unsigned long>(cp));
            out += ';';
        }
    }
}

std::string head(std::string_view sheetName, const std::vector<Column>& columns) {
    std::string h;
    h.reserve(1024 + columns.size() * 80);
    h += "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
         "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"http://www.w3.org/TR/REC-html40\">";
    h += "<head>";
    h += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">";
    h += "<!--[if gte mso 9]><xml>";
    h += "<x:ExcelWorkbook>";
    h += "<x:ExcelWorksheets>";
    h += "<x:ExcelWorksheet>";
    h += "<x:Name>";
    appendText(h, sheetName);
    h += "</x:Name>";
    h += "<x:WorksheetOptions>";
    h += "<x:Selected/>";
    h += "<x:Panes>";
    h += "<x:Pane>";
    h += "<x:Number>1</x:Number>";
    h += "<x:ActiveRow>3</x:ActiveRow>";
    h += "</x:Pane>";
    h += "</x:Panes>";
    h += "<x:ProtectContents>False</x:ProtectContents>";
    h += "<x:ProtectObjects>False</x:ProtectObjects>";
    h += "<x:ProtectScenarios>False</x:ProtectScenarios>";
    h += "</x:WorksheetOptions>";
    h += "</x:ExcelWorksheet>";
    h += "</x:ExcelWorksheets>";
    h += "</x:ExcelWorkbook>";
    h += "</xml><![endif]-->";
    // The data cells are texts: "x:str" says so to Excel, the text format "@" of the class says it
    // to LibreOffice Calc, which would otherwise read "000123" as 123, an ISBN as 9.788805E+12 and
    // "=1+1" as a formula. Excel honours the class as well.
    h += kTextStyle;
    h += "</head>";
    h += "<body>";
    h += "<table x:str>";
    h += "<tr>";
    for (const auto& c : columns) {
        h += "<td style=\"text-align: left; font-weight: bold;\" width=";
        h += std::to_string(c.width);
        h += '>';
        appendText(h, c.header);
        h += "</td>";
    }
    h += "</tr>";
    return h;
}

bool heldElsewhere(const std::filesystem::path& file) {
    const int fd = files::openRegular(file, O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const bool held = ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

} // namespace spreadsheet

bool SpreadsheetExport(const std::filesystem::path& file, std::string_view sheetName,
                       const std::vector<spreadsheet::Column>& columns, std::size_t rows,
                       const CellText& cell, Progress* progress) {
    if (spreadsheet::heldElsewhere(file))
        throw IoError("the file is open in another program: " + file.string(), EBUSY);
    files::AtomicFile out(file);
    // The pieces are gathered in a buffer handed to the file a megabyte at a time.
    constexpr std::size_t kFlush = std::size_t{1} << 20;
    std::string buffer = spreadsheet::head(sheetName, columns);
    buffer.reserve(kFlush + (std::size_t{64} << 10));
    constexpr std::string_view kCell = spreadsheet::kDataCell;
    for (std::size_t r = 0; r < rows; ++r) {
        if (progress && r % 1024 == 0 &&
            !progress->update(static_cast<std::int64_t>(r), static_cast<std::int64_t>(rows)))
            return false;
        buffer += "<tr>";
        for (std::size_t c = 0; c < columns.size(); ++c) {
            buffer += kCell;
            spreadsheet::appendText(buffer, cell(r, c));
            buffer += "</td>";
        }
        buffer += "</tr>";
        if (buffer.size() >= kFlush) {
            out.write(buffer);
            buffer.clear();
        }
    }
    buffer += spreadsheet::kTail;
    out.write(buffer);
    if (progress && !progress->update(static_cast<std::int64_t>(rows), static_cast<std::int64_t>(rows)))
        return false;
    out.commit();
    return true;
}

} // namespace quaderna
