// SPDX-License-Identifier: GPL-3.0-or-later
// The data folder's rules, tested by causing what breaks them: the modes a umask gives, links
// planted in the folder that lead out of it, and reads that must not create what they look for.

#include "core/storage/Files.h"
#include "core/storage/RecordFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

using namespace quaderna;
using namespace quaderna::testing;
namespace fs = std::filesystem;

namespace {

unsigned modeOf(const fs::path& p) {
    struct stat st {};
    EXPECT_EQ(::stat(p.c_str(), &st), 0) << p;
    return st.st_mode & 07777;
}

// Sets the umask for one test and puts the old one back.
struct Umask {
    explicit Umask(mode_t m) : old(::umask(m)) {}
    ~Umask() { ::umask(old); }
    mode_t old;
};

} // namespace

TEST(FolderRules, NewFilesTakeTheUmasksModeAndReplacedFilesKeepTheirs) {
    const struct {
        mode_t umask;
        unsigned created;
    } cases[] = {{077, 0600}, {002, 0664}, {022, 0644}};
    for (const auto& c : cases) {
        TempDir dir;
        files::DataFolder folder(dir.path());
        Umask umask(c.umask);
        // A side file written whole through a temporary, and a new archive.
        files::replaceFile(dir / "Tesserini.ini", "[Dati Ente]\r\n");
        EXPECT_EQ(modeOf(dir / "Tesserini.ini"), c.created) << std::oct << c.umask;
        { RecordFile archive(dir / "Libri.pro", 16); }
        EXPECT_EQ(modeOf(dir / "Libri.pro"), c.created) << std::oct << c.umask;
        // A file the librarian made group-writable for a second desk stays so when replaced.
        writeBytes(dir / "Tesserati.xls", "old");
        fs::permissions(dir / "Tesserati.xls", static_cast<fs::perms>(0660));
        files::replaceFile(dir / "Tesserati.xls", "new");
        EXPECT_EQ(modeOf(dir / "Tesserati.xls"), 0660u) << std::oct << c.umask;
        EXPECT_EQ(readBytes(dir / "Tesserati.xls"), "new");
    }
}

TEST(FolderRules, ALinkPlantedInTheFolderThatLeadsOutOfItIsRefused) {
    TempDir outside, data;
    files::DataFolder folder(data.path());
    writeBytes(outside / "victim", "mine");
    fs::create_directories(outside / "elsewhere");
    // Side files, archives and folders, each a link to something outside the data folder.
    fs::create_symlink(outside / "victim", data / "Tesserini.ini");
    fs::create_symlink(outside / "victim", data / "Libri.pro");
    fs::create_symlink(outside / "elsewhere", data / "Backup");
    fs::create_symlink(outside / "elsewhere", data / "Documenti_Allegati");

    EXPECT_THROW(files::replaceFile(data / "Tesserini.ini", "[Dati Ente]\r\n"), IoError);
    EXPECT_THROW(RecordFile(data / "Libri.pro", 16), IoError);
    EXPECT_THROW(files::makeFolders(data / "Backup" / "2026-12-11"), IoError);
    EXPECT_THROW(files::replaceFile(data / "Documenti_Allegati" / "scheda.pdf", "%PDF"), IoError);
    EXPECT_THROW(files::readRegular(data / "Tesserini.ini", files::kIniLimit), IoError);

    EXPECT_EQ(readBytes(outside / "victim"), "mine");
    EXPECT_TRUE(fs::is_empty(outside / "elsewhere"));
    EXPECT_TRUE(fs::is_symlink(data / "Tesserini.ini")); // nothing written over the link either
}

TEST(FolderRules, LinksThatStayInsideAndALinkedDataFolderAreFollowed) {
    TempDir real, links;
    const fs::path data = links / "dati"; // the data folder itself is a link
    fs::create_directory_symlink(real.path(), data);
    files::DataFolder folder(data);
    writeBytes(real / "Tesserini.ini", "old");
    fs::create_directories(real / "Archivi");
    fs::create_symlink(real / "Archivi", data / "Backup"); // leads elsewhere in the same folder

    files::replaceFile(data / "Tesserini.ini", "new");
    EXPECT_EQ(readBytes(real / "Tesserini.ini"), "new");
    files::makeFolders(data / "Backup" / "2026-12-11");
    EXPECT_TRUE(fs::is_directory(real / "Archivi" / "2026-12-11"));
}

TEST(FolderRules, AReadCreatesNothingAndReadsAReadOnlyArchive) {
    TempDir dir;
    files::DataFolder folder(dir.path());
    {
        RecordFile missing(dir / "2031.bib", 16, RecordFile::Access::Read);
        EXPECT_EQ(missing.count(), 0);
    }
    EXPECT_FALSE(fs::exists(dir / "2031.bib"));

    writeBytes(dir / "Libri.pro", std::string(32, 'x'));
    makeReadOnly(dir / "Libri.pro");
    RecordFile archive(dir / "Libri.pro", 16, RecordFile::Access::Read);
    EXPECT_EQ(archive.count(), 2);
}
