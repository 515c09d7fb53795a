// Joining the PDF parts of a long printout, on small files laid out as the report printer writes
// them: objects found through the cross-reference table, a flat page tree, streams of any bytes.

#include "core/reports/PdfJoin.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <sstream>
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
        const std::string data = "BT /F5 12 Tf (" + w + ") Tj ET % 3 0 R endobj 4 0 R\n\x00\xFF";
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

// The objects of a joined file, read through its table.
std::map<std::size_t, std::string> objectsOf(const std::string& pdf) {
    std::map<std::size_t, std::string> objects;
    const std::size_t xref = std::stoul(pdf.substr(pdf.rfind("startxref") + 10));
    EXPECT_EQ(pdf.substr(xref, 5), "xref\n");
    std::size_t at = pdf.find('\n', xref + 5) + 1;
    const std::size_t count = std::stoul(pdf.substr(xref + 7));
    std::vector<std::size_t> offsets;
    for (std::size_t n = 0; n < count; ++n, at += 20)
        offsets.push_back(pdf[at + 17] == 'n' ? std::stoul(pdf.substr(at, 10)) : 0);
    for (std::size_t n = 1; n < count; ++n) {
        if (offsets[n] == 0)
            continue;
        const std::string opening = std::to_string(n) + " 0 obj\n";
        EXPECT_EQ(pdf.substr(offsets[n], opening.size()), opening) << n;
        const std::size_t end = pdf.find("\nendobj\n", offsets[n]);
        objects[n] = pdf.substr(offsets[n] + opening.size(), end - offsets[n] - opening.size());
    }
    return objects;
}

std::size_t referenceAfter(const std::string& text, const std::string& key) {
    return std::stoul(text.substr(text.find(key) + key.size()));
}

} // namespace

TEST(PdfJoin, PagesOfEveryPartInOrderEachWithItsOwnObjectsAndFonts) {
    const std::string a = part("Riepilogo dati", {"uno", "due"}),
                      b = part("Altro", {"tre", "quattro", "cinque"});
    const auto joined = pdf::join({a, b});
    ASSERT_TRUE(joined);
    auto objects = objectsOf(*joined);

    // The first part's information and catalogue; one page tree over the five pages in order.
    EXPECT_NE(objects[1].find("/Title (Riepilogo dati 3 0 R)"), std::string::npos);
    EXPECT_EQ(objects[2], "<<\n/Type /Catalog\n/Pages 3 0 R\n>>");
    const std::string& tree = objects[3];
    EXPECT_NE(tree.find("/Count 5\n"), std::string::npos) << tree;
    std::vector<std::string> words;
    std::set<std::string> subsets;
    std::istringstream kids(tree.substr(tree.find('[') + 1, tree.find(']') - tree.find('[') - 1));
    std::size_t page = 0;
    std::string zero, r;
    while (kids >> page >> zero >> r) {
        const std::string& p = objects[page];
        EXPECT_EQ(referenceAfter(p, "/Parent "), 3u);
        EXPECT_NE(p.find("/Annots [(7 0 R)]"), std::string::npos); // a string is not a reference
        const std::string& contents = objects[referenceAfter(p, "/Contents ")];
        const std::string data = contents.substr(contents.find("stream\n") + 7);
        EXPECT_EQ(std::to_string(data.size() - std::string("\nendstream").size()),
                  objects[referenceAfter(contents, "/Length ")]);
        EXPECT_NE(data.find("% 3 0 R endobj 4 0 R\n"), std::string::npos); // stream bytes untouched
        words.push_back(data.substr(data.find('(') + 1, data.find(')') - data.find('(') - 1));
        const std::string& font = objects[referenceAfter(p, "/F5 ")];
        const std::string& descriptor = objects[referenceAfter(font, "/FontDescriptor ")];
        const std::string name = descriptor.substr(descriptor.find("/FontName /") + 11, 6);
        EXPECT_EQ(font.substr(font.find("/BaseFont /") + 11, 6), name); // renamed alike in the part
        subsets.insert(name);
    }
    EXPECT_EQ(words, (std::vector<std::string>{"uno", "due", "tre", "quattro", "cinque"}));
    EXPECT_EQ(subsets.size(), 2u);
    EXPECT_EQ(subsets.count("ABCDEF"), 1u);
}

TEST(PdfJoin, AnythingLaidOutOtherwiseIsRefused) {
    const std::string good = part("Riepilogo dati", {"uno"});
    std::string movedTable = good;
    movedTable.replace(movedTable.rfind("startxref\n") + 10, 1, "1");
    std::string nested = good;
    nested.replace(nested.find("/Type /Page\n"), 12, "/Type /Pages\n");
    std::string miscounted = good;
    miscounted.replace(miscounted.find("/Count 1"), 8, "/Count 2");
    const std::string noRoot = pdfFile({"<< >>", "<< /Type /Catalog >>"}, "/Info 1 0 R\n");
    for (const std::string& bad :
         {good.substr(0, good.size() / 2), movedTable, nested, miscounted, noRoot, std::string()}) {
        EXPECT_FALSE(pdf::join({good, bad}));
        EXPECT_FALSE(pdf::join({bad}));
    }
    EXPECT_FALSE(pdf::join({}));
    EXPECT_TRUE(pdf::join({good}));
}
