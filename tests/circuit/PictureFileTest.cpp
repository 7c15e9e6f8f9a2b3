// Circuit pictures as files: JPEG decoded again by libjpeg, bitmaps read by their header,
// the picture kind by filter and name, refused writes.

#include <gtest/gtest.h>

#include <QImage>
#include <cstring>

#include "TempFolder.h"
#include "circuit/PictureChecks.h"
#include "circuit/PictureFile.h"
#include "platform/Bitmap.h"
#include "platform/Jpeg.h"

namespace {

using picture_checks::U32;
using testing_support::ReadAll;
using testing_support::TempFolder;

QImage Sample(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 0; x < w; ++x) image.setPixel(x, h / 2, qRgb(0, 0, 0));
    image.setPixel(0, 0, qRgb(255, 0, 0));  // top-left red, to see the row order
    return image;
}

TEST(PictureFile, JpegDecodesToThePicture) {
    TempFolder folder;
    const std::string path = folder / "c.jpg";
    std::string error;
    ASSERT_TRUE(SavePicture(Sample(37, 21), path, PictureKind::Jpeg, &error)) << error;
    const std::string bytes = ReadAll(path);
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xD8");
    const QImage back = platform::DecodeJpeg(bytes, 1 << 20, &error);
    ASSERT_FALSE(back.isNull()) << error;
    EXPECT_EQ(back.size(), QSize(37, 21));
    EXPECT_LT(qGray(back.pixel(18, 10)), 80);  // the black line survives the coding
    EXPECT_GT(qGray(back.pixel(18, 3)), 200);
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(PictureFile, JpegRefusesWhatIsNotAPicture) {
    std::string error;
    EXPECT_TRUE(platform::DecodeJpeg("not a jpeg", 1 << 20, &error).isNull());
    EXPECT_FALSE(error.empty());
    const std::string good = *platform::EncodeJpeg(Sample(40, 30), &error);
    error.clear();
    EXPECT_TRUE(platform::DecodeJpeg(good.substr(0, good.size() / 2), 1 << 20, &error)
                    .isNull());  // cut short
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_TRUE(platform::DecodeJpeg(good, 100, &error).isNull());  // over the pixel limit
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(platform::EncodeJpeg(QImage(), &error));
}

TEST(PictureFile, BitmapHeaderSizeAndRows) {
    TempFolder folder;
    const std::string path = folder / "c.bmp";
    std::string error;
    ASSERT_TRUE(SavePicture(Sample(5, 3), path, PictureKind::Bitmap, &error)) << error;
    const std::string b = ReadAll(path);
    const std::size_t stride = 16;  // 5 * 3 bytes padded to 4
    ASSERT_EQ(b.size(), 54 + stride * 3);
    EXPECT_EQ(b.substr(0, 2), "BM");
    EXPECT_EQ(U32(b, 2), b.size());
    EXPECT_EQ(U32(b, 10), 54u);
    EXPECT_EQ(U32(b, 18), 5u);
    EXPECT_EQ(U32(b, 22), 3u);
    EXPECT_EQ(static_cast<unsigned char>(b[28]), 24);
    // Bottom-up: the top-left red pixel is the first of the last row, stored blue-green-red.
    const std::size_t top = 54 + 2 * stride;
    EXPECT_EQ(b.substr(top, 3), std::string("\x00\x00\xFF", 3));
    EXPECT_EQ(b.substr(54, 3), std::string("\xFF\xFF\xFF", 3));
    EXPECT_EQ(b.substr(54 + stride, 3), std::string("\x00\x00\x00", 3));
    // Qt reads it as the same picture.
    QImage back;
    ASSERT_TRUE(back.load(QString::fromStdString(path), "BMP"));
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), Sample(5, 3));
}

TEST(PictureFile, AKnownExtensionWinsOverTheFilter) {
    EXPECT_EQ(PictureKindOfFilter(1, "x"), PictureKind::Jpeg);
    EXPECT_EQ(PictureKindOfFilter(2, "x"), PictureKind::Jpeg);
    EXPECT_EQ(PictureKindOfFilter(3, "x"), PictureKind::Bitmap);
    EXPECT_EQ(PictureKindOfFilter(4, "x"), PictureKind::Png);
    EXPECT_EQ(PictureKindOfFilter(1, "x.png"), PictureKind::Png);
    EXPECT_EQ(PictureKindOfFilter(1, "x.bmp"), PictureKind::Bitmap);
    EXPECT_EQ(PictureKindOfFilter(3, "x.jpg"), PictureKind::Jpeg);
    EXPECT_EQ(PictureKindOfFilter(4, "x.JPEG"), PictureKind::Jpeg);
    const int all = static_cast<int>(PictureSaveFilters().size());
    EXPECT_EQ(PictureKindOfFilter(all, "/a.b/x.Bmp"), PictureKind::Bitmap);
    EXPECT_EQ(PictureKindOfFilter(all, "x.png"), PictureKind::Png);
    // Nothing whose bytes would not match the name.
    EXPECT_EQ(PictureKindOfFilter(all, "/a.jpg/x"), std::nullopt);
    EXPECT_EQ(PictureKindOfFilter(1, "x.txt"), std::nullopt);
    EXPECT_EQ(PictureKindOfFilter(all, "x.gif"), std::nullopt);
}

TEST(PictureFile, FilterListOffersEveryKindThenAllImages) {
    const QStringList& filters = PictureSaveFilters();
    ASSERT_EQ(filters.size(), static_cast<int>(PictureKinds().size()) + 1);
    EXPECT_EQ(filters[0], "JPEG Image File (*.jpg)");
    EXPECT_TRUE(filters.contains("PNG Image File (*.png)"));
    EXPECT_EQ(filters.last(),
              "All images ( jpg, jpeg, bmp, png, svg, tex) (*.jpg *.jpeg *.bmp *.png *.svg *.tex)");
    EXPECT_EQ(PictureExtensionList(), ".jpg, .jpeg, .bmp, .png, .svg or .tex");
}

TEST(PictureFile, RefusedWritesKeepTheOldFile) {
    TempFolder folder;
    const std::string path = folder / "c.bmp";
    testing_support::WriteAll(path, "old");
    std::string error;
    EXPECT_FALSE(SavePicture(QImage(), path, PictureKind::Bitmap, &error));
    EXPECT_FALSE(SavePicture(QImage(), path, PictureKind::Jpeg, &error));
    EXPECT_FALSE(SavePicture(QImage(), path, PictureKind::Png, &error));
    EXPECT_EQ(ReadAll(path), "old");
    error.clear();
    EXPECT_FALSE(
        SavePicture(Sample(4, 4), folder / "no/such/folder.jpg", PictureKind::Jpeg, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(folder.EntryCount(), 1u);
}

}  // namespace
