// SPDX-License-Identifier: GPL-3.0-or-later
// Joining the PDF parts of a long printout, on small files laid out as the report printer writes
// them, read back with qpdf: pages in order, streams of any bytes, font subsets of their own.

#include "ui/platform/PdfJoin.h"

#include <gtest/gtest.h>

// qpdf's own smart pointers are std::shared_ptr throughout.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

using namespace quaderna;

namespace {

// A file of numbered objects (1, 2, ...) with its table and trailer.
std::string pdfFile(const std::vector<std::string>& objects,
                    const std::string& trailer = "/Info 1 0 R\n/Root 2 0 R\n") {
    std::string out = "%PDF-1.4\n%\xC3\xA2\xC3\xA3\n";
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        at.push_back(out.size());
        out += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = out.size();
    out += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    char entry[32];
    for (std::size_t a : at) {
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", a);
        out += entry;
    }
    out += "trailer\n<<\n/Size " + std::to_string(objects.size() + 1) + "\n" + trailer + ">>\nstartxref\n" +
           std::to_string(xref) + "\n%%EOF\n";
    return out;
}

// A part of `pages` pages whose contents say `words`; its font subset is named ABCDEF+Face.
std::string part(const std::string& title, const std::vector<std::string>& words) {
    std::vector<std::string> objects = {"<<\n/Title (" + title + " 3 0 R)\n>>",
                                        "<<\n/Type /Catalog\n/Pages 3 0 R\n>>",
                                        "", // the page tree, below
                                        "<< /Type /FontDescriptor\n/FontName /ABCDEF+Face\n>>",
                                        "<< /Type /Font\n/BaseFont /ABCDEF+Face\n/FontDescriptor 4 0 R >>"};
    std::string kids;
    for (const std::string& w : words) {
        const std::size_t page = objects.size() + 1;
        // Stream bytes that look like references and like the end of an object stay as they are.
        const std::string data =
            "BT /F5 12 Tf (" + w + ") Tj ET % 3 0 R endobj 4 0 R\n" + std::string("\x00\xFF", 2);
        objects.push_back("<<\n/Type /Page\n/Parent 3 0 R\n/Contents " + std::to_string(page + 1) +
                          " 0 R\n/Resources << /Font << /F5 5 0 R >> >>\n/Annots [(7 0 R)]\n>>");
        objects.push_back("<<\n/Length " + std::to_string(page + 2) + " 0 R\n>>\nstream\n" + data +
                          "\nendstream");
        objects.push_back(std::to_string(data.size()));
        kids += std::to_string(page) + " 0 R\n";
    }
    objects[2] = "<<\n/Type /Pages\n/Kids \n[\n" + kids + "]\n/Count " + std::to_string(words.size()) +
                 "\n/ProcSet [/PDF /Text]\n>>";
    return pdfFile(objects);
}

// A joined file as a reader sees it, read back by qpdf: the words of its pages in order and the
// subset names of each page's font, with the document's title.
struct ReadBack {
    std::string title;
    std::vector<std::string> words, baseFonts, fontNames, streamTails;
};

ReadBack readBack(const std::string& pdf) {
    QPDF q;
    q.processMemoryFile("joined", pdf.data(), pdf.size());
    EXPECT_FALSE(q.anyWarnings());
    ReadBack r;
    r.title = q.getTrailer().getKey("/Info").getKey("/Title").getUTF8Value();
    for (QPDFPageObjectHelper page : QPDFPageDocumentHelper(q).getAllPages()) {
        const auto data = page.getObjectHandle().getKey("/Contents").getRawStreamData();
        const std::string text(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
        r.words.push_back(text.substr(text.find('(') + 1, text.find(')') - text.find('(') - 1));
        r.streamTails.push_back(text.substr(text.find(" % ")));
        QPDFObjectHandle font = page.getObjectHandle().getKey("/Resources").getKey("/Font").getKey("/F5");
        r.baseFonts.push_back(font.getKey("/BaseFont").getName());
        r.fontNames.push_back(font.getKey("/FontDescriptor").getKey("/FontName").getName());
    }
    return r;
}

} // namespace

TEST(PdfJoin, PagesOfEveryPartInOrderEachWithItsOwnObjectsAndFonts) {
    const std::string a = part("Riepilogo dati", {"uno", "due"}),
                      b = part("Altro", {"tre", "quattro", "cinque"});
    const auto joined = pdf::join({a, b});
    ASSERT_TRUE(joined);
    const ReadBack r = readBack(*joined);

    // The first part's information; the five pages in order, their stream bytes untouched.
    EXPECT_EQ(r.title, "Riepilogo dati 3 0 R");
    EXPECT_EQ(r.words, (std::vector<std::string>{"uno", "due", "tre", "quattro", "cinque"}));
    for (const std::string& tail : r.streamTails)
        EXPECT_EQ(tail, " % 3 0 R endobj 4 0 R\n" + std::string("\x00\xFF", 2));
    // Each part's subset has a name of its own, the font and its descriptor renamed alike.
    EXPECT_EQ(r.baseFonts, r.fontNames);
    const std::set<std::string> first(r.baseFonts.begin(), r.baseFonts.begin() + 2),
        second(r.baseFonts.begin() + 2, r.baseFonts.end());
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_NE(*first.begin(), *second.begin());
    for (const std::string& name : r.baseFonts)
        EXPECT_EQ(name.substr(name.find('+')), "+Face") << name;
}

TEST(PdfJoin, ADamagedPartIsRefused) {
    const std::string good = part("Riepilogo dati", {"uno"});
    std::string movedTable = good;
    movedTable.replace(movedTable.rfind("startxref\n") + 10, 1, "1");
    const std::string noRoot = pdfFile({"<< >>", "<< /Type /Catalog >>"}, "/Info 1 0 R\n");
    for (const std::string& bad : {good.substr(0, good.size() / 2), movedTable, noRoot, std::string()}) {
        EXPECT_FALSE(pdf::join({good, bad}));
        EXPECT_FALSE(pdf::join({bad}));
    }
    EXPECT_FALSE(pdf::join({}));
    EXPECT_TRUE(pdf::join({good}));
}
