// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/Prestito.h"
#include "core/storage/RecordFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quaderna;
using namespace quaderna::testing;

TEST(LoanRecord, FieldOffsetsAndWidths) {
    struct Case {
        FieldSpec field;
        std::size_t offset, width;
    } cases[] = {
        {TPrestito::F::Tesserato, 0, 50}, {TPrestito::F::NumTessera, 51, 24},
        {TPrestito::F::Recapito, 76, 50}, {TPrestito::F::Codice, 127, 24},
        {TPrestito::F::Titolo, 152, 80},  {TPrestito::F::Data, 233, 10},
        {TPrestito::F::DataSca, 244, 10}, {TPrestito::F::DataRes, 255, 10},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.field.offset, c.offset);
        EXPECT_EQ(c.field.width, c.width);
    }
}

TEST(LoanRecord, ATitleIsCutToEightyCharactersAndTheRecordReadsBack) {
    TPrestito p;
    p.Tesserato = "Rossi Mario";
    p.NumTessera = " 12 ";
    p.Codice = "GT-1";
    p.Titolo = std::string(100, 'T');
    p.Data = "20/12/2021";
    p.DataSca = "20/01/2022";
    const std::string bytes = p.encode();
    ASSERT_EQ(bytes.size(), 266u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[152]), 80);
    const TPrestito back = TPrestito::decode(bytes);
    EXPECT_EQ(back.Titolo, std::string(80, 'T'));
    EXPECT_EQ(back.NumTessera, "12");
    EXPECT_TRUE(back.open());
    p.DataRes = "10/01/2022";
    EXPECT_FALSE(TPrestito::decode(p.encode()).open());
}

TEST(LoanRecord, YearFiles) {
    TempDir dir;
    EXPECT_EQ(loans::yearFile(dir.path(), Date{2021, 12, 20}), dir / "2021.bib");
    EXPECT_EQ(loans::typedYearFile(dir.path(), "2022"), dir / "2022.bib");
    for (const char* typed : {"", "22", " 2022", "2022 ", "202", "abcd", "../x", "20 2", "２０２２"})
        EXPECT_FALSE(loans::typedYearFile(dir.path(), typed).has_value()) << typed;
    EXPECT_TRUE(loans::isYearFileName("2021.bib"));
    for (const char* name : {"2021.BIB", "21.bib", "20211.bib", "abcd.bib", "2021.pro"})
        EXPECT_FALSE(loans::isYearFileName(name)) << name;
    // A year's file is a record file of 266-byte records like the others.
    RecordFile f(*loans::typedYearFile(dir.path(), "2021"), TPrestito::Size);
    EXPECT_EQ(f.append(TPrestito{}.encode()), 0);
}
