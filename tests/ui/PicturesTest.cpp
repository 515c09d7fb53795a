// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures on disk as the desktop side reads and writes them: photos and the library logo.

#include "ui/platform/QtPlatform.h"

#include "support/Faults.h"
#include "support/TempDir.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace quaderna;
using namespace quaderna::testing;

namespace {

ImageRef picture(int w, int h, QColor colour) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    return ui::makeImage(img);
}

} // namespace

TEST(Pictures, SavedAsJpegWholeOrNotAtAll) {
    TempDir dir;
    ui::QtPlatform platform;
    const auto photo = dir / "1.jpg";
    ASSERT_TRUE(platform.savePictureJpeg(picture(60, 80, Qt::red), photo));
    const std::string first = readBytes(photo);
    EXPECT_EQ(first.substr(0, 3), "\xFF\xD8\xFF"); // a JPEG file
    const ImageRef back = platform.loadPicture(photo);
    ASSERT_TRUE(back);
    EXPECT_EQ(ui::imageOf(back).size(), QSize(60, 80));

    // A bigger picture on a full disk: the old photo stays whole, and nothing else is left behind.
    {
        DiskFull full(first.size() + 100);
        EXPECT_FALSE(platform.savePictureJpeg(picture(1200, 1600, Qt::blue), photo));
    }
    EXPECT_TRUE(readBytes(photo) == first);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(Pictures, OnlyRegularFilesAreReadOrReplaced) {
    HangGuard guard(20);
    TempDir dir;
    ui::QtPlatform platform;
    ASSERT_EQ(::mkfifo((dir / "fifo.jpg").c_str(), 0644), 0);
    std::filesystem::create_symlink("/dev/zero", dir / "zero.jpg");
    std::filesystem::create_symlink("/dev/null", dir / "null.jpg");
    for (const char* name : {"fifo.jpg", "zero.jpg", "null.jpg"}) {
        EXPECT_FALSE(platform.loadPicture(dir / name)) << name;
        EXPECT_FALSE(platform.savePictureJpeg(picture(10, 10, Qt::green), dir / name)) << name;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "fifo.jpg"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "zero.jpg"));
}
