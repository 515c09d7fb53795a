// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/storage/RecordFile.h"
#include "core/storage/Libro.h"
#include "core/storage/Prestito.h"
#include "support/Faults.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

std::string bookBytes(const std::string& titolo, const std::string& codice) {
    TLibro b;
    b.Titolo = titolo;
    b.Codice = codice;
    b.Annullata = "No";
    return b.encode();
}

} // namespace

TEST(RecordFile, MissingFileIsCreatedEmpty) {
    TempDir dir;
    RecordFile f(dir / "Libri.pro", TLibro::Size);
    EXPECT_EQ(f.count(), 0);
    EXPECT_TRUE(f.atEnd());
    f.close();
    EXPECT_TRUE(std::filesystem::exists(dir / "Libri.pro"));
    EXPECT_EQ(std::filesystem::file_size(dir / "Libri.pro"), 0u);
}

TEST(RecordFile, TrailingPartialRecordIsInvisibleAndOverwrittenByTheNextAppend) {
    TempDir dir;
    const auto p = dir / "Libri.pro";
    writeBytes(p, bookBytes("Uno", "A1") + bookBytes("Due", "A2") + std::string(100, 'x'));
    RecordFile f(p, TLibro::Size);
    EXPECT_EQ(f.count(), 2);
    f.seek(f.count());
    f.write(bookBytes("Tre", "A3"));
    EXPECT_EQ(f.position(), 3);
    f.close();
    const std::string all = readBytes(p);
    ASSERT_EQ(all.size(), 9711u);
    EXPECT_EQ(TLibro::decode(std::string_view(all).substr(6474)).Titolo, "Tre");
}

// A year file whose last page has room for 106 bytes of a loan: the refused append leaves none of
// them, whether the disk is a real small one (ENOSPC) or the process may not grow files (EFBIG),
// with or without a piece of an earlier record after the last whole one.
TEST(RecordFile, AnAppendThatDoesNotFitLeavesNoPartOfItsRecord) {
    for (const bool realDisk : {true, false})
        for (const std::size_t leftOver : {std::size_t{0}, std::size_t{40}}) {
            SCOPED_TRACE(std::string(realDisk ? "tmpfs" : "RLIMIT_FSIZE") + ", tail " +
                         std::to_string(leftOver));
            TempDir dir;
            std::optional<SmallDisk> disk;
            if (realDisk) {
                disk.emplace(dir / "disco", 64 * 1024);
                if (!disk->mounted()) {
                    std::cout << "[ skip ] no tmpfs can be mounted here (not root): the full disk is the "
                                 "size limit only\n";
                    continue;
                }
            }
            const auto p = realDisk ? dir / "disco" / "2022.bib" : dir / "2022.bib";
            std::string whole;
            for (int i = 0; i < 15; ++i) {
                TPrestito l;
                l.Codice = "C" + std::to_string(i);
                l.Data = "01/03/2022";
                whole += l.encode();
            }
            ASSERT_EQ(whole.size(), 3990u); // 106 bytes short of the first 4096-byte page
            writeBytes(p, whole + std::string(leftOver, 'x'));
            TPrestito refused;
            refused.Codice = "NUOVO";
            {
                RecordFile f(p, TPrestito::Size);
                std::optional<DiskFull> limit;
                if (realDisk)
                    disk->fill("riempitivo");
                else
                    limit.emplace(4096);
                EXPECT_THROW(f.append(refused.encode()), IoError);
                EXPECT_EQ(f.count(), 15);
            }
            EXPECT_EQ(readBytes(p), whole);
            // Once there is room again the same loan goes in whole, right after the others.
            if (realDisk)
                std::filesystem::remove(dir / "disco" / "riempitivo");
            RecordFile f(p, TPrestito::Size);
            EXPECT_EQ(f.append(refused.encode()), 15);
            f.close();
            EXPECT_EQ(readBytes(p), whole + refused.encode());
        }
}

TEST(RecordFile, UpdateInTheMiddleLeavesTheOtherRecordsByteIdentical) {
    TempDir dir;
    const auto p = dir / "Libri.pro";
    std::string before;
    for (int i = 1; i <= 5; ++i)
        before += bookBytes("Libro " + std::to_string(i), "C" + std::to_string(i));
    // Fill the unused bytes after each text with junk, as other programs may leave them.
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i] == '\0')
            before[i] = static_cast<char>(0xA5);
    writeBytes(p, before);
    {
        RecordFile f(p, TLibro::Size);
        f.seek(2);
        f.write(bookBytes("Nuovo titolo", "C3"));
        EXPECT_EQ(f.position(), 3);
    }
    const std::string after = readBytes(p);
    ASSERT_EQ(after.size(), before.size());
    for (int r : {0, 1, 3, 4})
        EXPECT_EQ(after.substr(r * TLibro::Size, TLibro::Size), before.substr(r * TLibro::Size, TLibro::Size))
            << r;
    EXPECT_EQ(TLibro::decode(std::string_view(after).substr(2 * TLibro::Size)).Titolo, "Nuovo titolo");
}

TEST(RecordFile, ReadOnlyFileFailsToOpenAndStaysUnchanged) {
    TempDir dir;
    const auto p = dir / "Libri.pro";
    const std::string bytes = bookBytes("Uno", "A1");
    writeBytes(p, bytes);
    makeReadOnly(p);
    EXPECT_THROW(RecordFile(p, TLibro::Size), IoError);
    EXPECT_EQ(readBytes(p), bytes);
}

TEST(RecordFile, ReadOnlyFolderCannotReceiveANewFile) {
    TempDir dir;
    std::filesystem::create_directory(dir / "ro");
    makeReadOnly(dir / "ro");
    EXPECT_THROW(RecordFile(dir / "ro" / "Libri.pro", TLibro::Size), IoError);
    EXPECT_FALSE(std::filesystem::exists(dir / "ro" / "Libri.pro"));
}

TEST(RecordFile, ReadingPastTheEndAndSeekingBeyondTheAppendPositionFail) {
    TempDir dir;
    RecordFile f(dir / "Libri.pro", TLibro::Size);
    std::string buf;
    EXPECT_THROW(f.read(buf), IoError);
    EXPECT_THROW(f.seek(1), IoError);
    EXPECT_THROW(f.write("too short"), IoError);
    EXPECT_EQ(f.count(), 0);
}

TEST(RecordFile, ScanReadsEveryRecordAcrossChunksAndMayRewriteOne) {
    TempDir dir;
    const auto p = dir / "Libri.pro";
    std::string all;
    for (int i = 0; i < 700; ++i) // more than one 1 MiB chunk
        all += bookBytes("Titolo " + std::to_string(i), "K" + std::to_string(i));
    writeBytes(p, all);
    RecordFile f(p, TLibro::Size);
    int seen = 0;
    f.scan([&](std::string_view rec, std::int64_t index) {
        EXPECT_EQ(readField(rec, TLibro::F::Codice), "K" + std::to_string(index));
        if (index == 400) {
            TLibro b = TLibro::decode(rec);
            b.Prestato = "Tessera n. 7";
            f.writeAt(index, b.encode());
        }
        ++seen;
        return true;
    });
    EXPECT_EQ(seen, 700);
    EXPECT_TRUE(f.atEnd());
    f.seek(400);
    std::string buf;
    f.read(buf);
    EXPECT_EQ(TLibro::decode(buf).Prestato, "Tessera n. 7");
    EXPECT_EQ(TLibro::decode(buf).Titolo, "Titolo 400");
}

TEST(RecordFile, ALongScanInTwoPartsReadsEveryRecordOnceInOrderAndReportsAFailure) {
    // 4 KiB records, 2,600 of them: more than eight 1 MiB chunks, so the file is read in two parts.
    constexpr std::size_t size = 4096;
    constexpr std::int64_t total = 2600;
    TempDir dir;
    const auto p = dir / "Lungo.pro";
    std::string all;
    for (std::int64_t i = 0; i < total; ++i) {
        std::string rec = std::to_string(i);
        rec.resize(size, '.');
        all += rec;
    }
    writeBytes(p, all);
    RecordFile f(p, size);
    const auto me = std::this_thread::get_id();
    std::vector<std::int64_t> first, second;
    bool firstRead = false, otherThread = true;
    const auto index = [](std::string_view rec) {
        return std::stoll(std::string(rec.substr(0, rec.find('.'))));
    };
    f.scanInTwo(
        [&](std::string_view rec, std::int64_t k) {
            EXPECT_EQ(index(rec), k);
            EXPECT_EQ(std::this_thread::get_id(), me);
            first.push_back(k);
            return true;
        },
        [&](std::string_view rec, std::int64_t k) {
            EXPECT_EQ(index(rec), k);
            otherThread = otherThread && std::this_thread::get_id() != me;
            second.push_back(k);
            return true;
        },
        [&] { firstRead = true; });
    std::vector<std::int64_t> both = first;
    both.insert(both.end(), second.begin(), second.end());
    ASSERT_EQ(both.size(), static_cast<std::size_t>(total));
    for (std::int64_t k = 0; k < total; ++k)
        ASSERT_EQ(both[static_cast<std::size_t>(k)], k);
    EXPECT_EQ(first.size(), second.size());
    EXPECT_TRUE(otherThread);
    EXPECT_TRUE(firstRead);
    EXPECT_TRUE(f.atEnd());

    // The second part fails at its tenth record: the first part is read whole all the same, and the
    // failure comes out of the scan once both parts have ended.
    f.seek(0);
    std::int64_t firstSeen = 0, secondSeen = 0;
    firstRead = false;
    EXPECT_THROW(f.scanInTwo([&](std::string_view, std::int64_t) { return ++firstSeen, true; },
                             [&](std::string_view, std::int64_t) {
                                 if (++secondSeen == 10)
                                     throw IoError("cannot read", 5);
                                 return true;
                             },
                             [&] { firstRead = true; }),
                 IoError);
    EXPECT_EQ(firstSeen, total / 2);
    EXPECT_EQ(secondSeen, 10);
    EXPECT_TRUE(firstRead);

    // A short file goes whole to the first part.
    const auto q = dir / "Corto.pro";
    writeBytes(q, all.substr(0, 100 * size));
    RecordFile g(q, size);
    firstSeen = secondSeen = 0;
    g.scanInTwo([&](std::string_view, std::int64_t) { return ++firstSeen, true; },
                [&](std::string_view, std::int64_t) { return ++secondSeen, true; }, [] {});
    EXPECT_EQ(firstSeen, 100);
    EXPECT_EQ(secondSeen, 0);
}

TEST(BookRecord, FieldOffsetsAndWidths) {
    struct Case {
        FieldSpec field;
        std::size_t offset, width;
    } cases[] = {
        {TLibro::F::Titolo, 0, 250},      {TLibro::F::Codice, 251, 24},    {TLibro::F::Convalida, 276, 2},
        {TLibro::F::Scaffale, 279, 50},   {TLibro::F::Dewey, 483, 3},      {TLibro::F::Pagine, 487, 12},
        {TLibro::F::Genere, 500, 50},     {TLibro::F::Isbn, 653, 50},      {TLibro::F::Anno, 755, 30},
        {TLibro::F::Originale, 950, 250}, {TLibro::F::Lingua, 1201, 30},   {TLibro::F::Versione, 1314, 30},
        {TLibro::F::Prestato, 1345, 120}, {TLibro::F::Scadenza, 1466, 10}, {TLibro::F::Note, 1477, 250},
        {TLibro::F::Annullata, 1728, 2},  {TLibro::F::File01, 1731, 250},  {TLibro::F::Desc01, 2484, 250},
        {TLibro::F::Desc03, 2986, 250},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.field.offset, c.offset);
        EXPECT_EQ(c.field.width, c.width);
    }
}

TEST(BookRecord, StoredTextIsTrimmedCutAndSingleByte) {
    TLibro b;
    b.Titolo = std::string(300, 'T');
    b.Autore = " Verga ";
    b.Annullata = kSi;
    b.Convalida = "No";
    b.Citta = "Città € 中"; // città € 中
    const std::string r = b.encode();
    ASSERT_EQ(r.size(), TLibro::Size);
    EXPECT_EQ(static_cast<unsigned char>(r[0]), 250);
    EXPECT_EQ(r.substr(1, 250), std::string(250, 'T'));
    EXPECT_EQ(r.substr(330, 6), std::string("\x05Verga"));
    EXPECT_EQ(r.substr(1728, 3), std::string("\x02S\xEC"));
    EXPECT_EQ(r.substr(276, 3), std::string("\x02No"));
    EXPECT_EQ(r.substr(704, 10), std::string("\x09"
                                             "Citt\xE0 \x80 ?"));
}

TEST(BookRecord, DamagedLengthByteIsTakenAsTheWidth) {
    std::string r(TLibro::Size, 'x');
    r[TLibro::F::Dewey.offset] = static_cast<char>(200);
    r[TLibro::F::Codice.offset] = 0;
    const TLibro b = TLibro::decode(r);
    EXPECT_EQ(b.Dewey, "xxx");
    EXPECT_EQ(b.Codice, "");
}

TEST(BookRecord, FlagRule) {
    struct Case {
        const char* stored;
        bool before, after;
    } cases[] = {
        {"Sì", false, true}, {"No", true, false}, {"", true, true}, {"", false, false}, {"SI", false, false},
    };
    for (const auto& c : cases) {
        bool checked = c.before;
        showFlag(checked, c.stored);
        EXPECT_EQ(checked, c.after) << c.stored;
    }
}

TEST(RecordFile, OnlyRegularFilesAreOpened) {
    HangGuard guard(20);
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo.pro").c_str(), 0644), 0);
    std::filesystem::create_symlink("/dev/null", dir / "null.pro");
    std::filesystem::create_symlink("/dev/zero", dir / "zero.pro");
    std::filesystem::create_directory(dir / "folder.pro");
    for (const char* name : {"fifo.pro", "null.pro", "zero.pro", "folder.pro"})
        EXPECT_THROW(RecordFile(dir / name, TLibro::Size), IoError) << name;
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "fifo.pro"));

    // A link to a regular file is followed.
    writeBytes(dir / "real.pro", bookBytes("Uno", "A1"));
    std::filesystem::create_symlink(dir / "real.pro", dir / "link.pro");
    RecordFile f(dir / "link.pro", TLibro::Size);
    EXPECT_EQ(f.count(), 1);
    EXPECT_EQ(f.append(bookBytes("Due", "A2")), 1);
    EXPECT_EQ(std::filesystem::file_size(dir / "real.pro"), 2 * TLibro::Size);
}

TEST(RecordFile, AppendCountsUnderTheLockAndReturnsTheNewIndex) {
    TempDir dir;
    const auto p = dir / "Libri.pro";
    writeBytes(p, bookBytes("Uno", "A1") + std::string(100, 'x'));
    RecordFile mine(p, TLibro::Size), other(p, TLibro::Size);
    // The other desk appends between this desk's count and its write: the write still lands after.
    mine.seek(mine.count());
    EXPECT_EQ(other.append(bookBytes("Due", "A2")), 1);
    mine.write(bookBytes("Tre", "A3"));
    EXPECT_EQ(mine.position(), 3);
    EXPECT_EQ(mine.append(bookBytes("Quattro", "A4")), 3);
    EXPECT_EQ(mine.position(), 4);
    const std::string all = readBytes(p);
    ASSERT_EQ(all.size(), 4 * TLibro::Size);
    EXPECT_EQ(TLibro::decode(std::string_view(all).substr(TLibro::Size, TLibro::Size)).Titolo, "Due");
    EXPECT_EQ(TLibro::decode(std::string_view(all).substr(2 * TLibro::Size, TLibro::Size)).Titolo, "Tre");
    EXPECT_THROW(mine.writeAt(4, bookBytes("Oltre", "A5")), IoError); // an update needs a record
}

TEST(RecordFile, TheLockIsHeldAcrossSeveralStepsAndOnlyByItsOwnFile) {
    TempDir dir;
    const auto p = dir / "Libri.pro";
    writeBytes(p, bookBytes("Uno", "A1"));
    const auto saved = RecordFile::lockWait();
    RecordFile::setLockWait(std::chrono::milliseconds(100));
    {
        RecordFile lending(p, TLibro::Size);
        RecordFile::Lock lock(lending);
        // Under its own lock the file reads, rewrites and appends without waiting for itself.
        std::string rec;
        lending.read(rec);
        lending.writeAt(0, bookBytes("Uno prestato", "A1"));
        EXPECT_EQ(lending.append(bookBytes("Due", "A2")), 1);

        // Another file on the same archive, in this very program, opened and closed by a search,
        // does not take the lock away...
        {
            RecordFile search(p, TLibro::Size);
            EXPECT_EQ(search.count(), 2);
        }
        // ... and waits for it like any other desk, then gives up and writes nothing.
        RecordFile other(p, TLibro::Size);
        EXPECT_THROW(other.append(bookBytes("Tre", "A3")), ArchiveBusy);
        EXPECT_THROW(other.writeAt(0, bookBytes("Altro", "A1")), ArchiveBusy);
        EXPECT_EQ(std::filesystem::file_size(p), 2 * TLibro::Size);
    }
    RecordFile::setLockWait(saved);
    RecordFile after(p, TLibro::Size);
    EXPECT_EQ(after.append(bookBytes("Tre", "A3")), 2);
}
