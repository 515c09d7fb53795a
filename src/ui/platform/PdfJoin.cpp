// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/PdfJoin.h"

// qpdf's own smart pointers are std::shared_ptr throughout.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cstddef>
#include <memory>
#include <stdexcept>

namespace quaderna::pdf {

namespace {

// A part read by qpdf as it stands: no recovery of a damaged table, and any warning refuses it.
std::shared_ptr<QPDF> readPart(std::string_view bytes, std::size_t index) {
    auto pdf = std::make_shared<QPDF>();
    pdf->setSuppressWarnings(true);
    pdf->setAttemptRecovery(false);
    const std::string name = "part " + std::to_string(index);
    pdf->processMemoryFile(name.c_str(), bytes.data(), bytes.size());
    return pdf;
}

// "ABCDEF+Face" with a tag of its own for part `index` (0, 1, ...): the tag's last three letters
// spell the part's number in base 26, so that no two parts share a subset's name. (The printer
// names a face's subset alike in every file it writes.)
std::string renamedSubset(const std::string& name, std::size_t index) {
    if (name.size() < 8 || name[7] != '+')
        return name;
    for (std::size_t i = 1; i < 7; ++i)
        if (name[i] < 'A' || name[i] > 'Z')
            return name;
    std::string out = name;
    std::size_t n = index;
    for (std::size_t i = 6; i >= 4; --i, n /= 26)
        out[i] = static_cast<char>('A' + n % 26);
    return out;
}

void renameName(QPDFObjectHandle dict, const char* key, std::size_t index) {
    if (!dict.isDictionary() || !dict.hasKey(key) || !dict.getKey(key).isName())
        return;
    dict.replaceKey(key, QPDFObjectHandle::newName(renamedSubset(dict.getKey(key).getName(), index)));
}

// A font, its descendants (a composite font's) and their descriptors. Renaming is idempotent, so
// a font that several pages share is simply renamed again.
void renameFont(QPDFObjectHandle font, std::size_t index) {
    if (!font.isDictionary())
        return;
    renameName(font, "/BaseFont", index);
    if (font.hasKey("/FontDescriptor"))
        renameName(font.getKey("/FontDescriptor"), "/FontName", index);
    if (font.hasKey("/DescendantFonts") && font.getKey("/DescendantFonts").isArray())
        for (QPDFObjectHandle d : font.getKey("/DescendantFonts").aitems())
            renameFont(d, index);
}

void renameSubsets(QPDFPageObjectHelper& page, std::size_t index) {
    QPDFObjectHandle resources = page.getAttribute("/Resources", false);
    if (!resources.isDictionary() || !resources.hasKey("/Font"))
        return;
    QPDFObjectHandle fonts = resources.getKey("/Font");
    if (!fonts.isDictionary())
        return;
    for (auto& [key, font] : fonts.ditems())
        renameFont(font, index);
}

} // namespace

std::optional<std::string> join(const std::vector<std::string_view>& parts) {
    if (parts.empty())
        return std::nullopt;
    try {
        // The first part is the document: its catalogue and information stay, the pages of the
        // others are copied after its own.
        std::vector<std::shared_ptr<QPDF>> read;
        for (std::size_t i = 0; i < parts.size(); ++i)
            read.push_back(readPart(parts[i], i));
        QPDF& out = *read.front();
        QPDFPageDocumentHelper document(out);
        if (document.getAllPages().empty())
            return std::nullopt;
        for (QPDFPageObjectHelper page : document.getAllPages())
            renameSubsets(page, 0);
        for (std::size_t i = 1; i < read.size(); ++i)
            for (QPDFPageObjectHelper page : QPDFPageDocumentHelper(*read[i]).getAllPages()) {
                renameSubsets(page, i);
                document.addPage(page, false);
            }
        for (const auto& pdf : read)
            if (pdf->anyWarnings())
                return std::nullopt;

        // The streams go over as the printer compressed them: nothing is decoded or compressed
        // again.
        QPDFWriter writer(out);
        writer.setOutputMemory();
        writer.setStreamDataMode(qpdf_s_preserve);
        writer.setDecodeLevel(qpdf_dl_none);
        writer.setObjectStreamMode(qpdf_o_disable);
        writer.setDeterministicID(true);
        writer.write();
        const std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
        return std::string(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace quaderna::pdf
