// Bitmaps to device-independent bitmaps and their files: a round trip pixel for pixel, and
// the answers for what cannot be converted or written.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <vyr/model/draw/Dib.h>
#include <vyr/raster.h>
#include <vyr/winfile.h>

namespace {

TEST(Dib, ABitmapComesBackFromItsFilePixelForPixel)
{
    vyr::Image img(7, 5, RGB(255, 255, 255)); // odd width: rows are padded in the file
    img.SetPixel(0, 0, RGB(255, 0, 0));
    img.SetPixel(6, 4, RGB(0, 0, 255));
    img.SetPixel(3, 2, RGB(10, 200, 30));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateFromImage(img));
    HANDLE dib = DDBToDIB(bitmap, 0, nullptr);
    ASSERT_NE(dib, nullptr);
    // Info header plus 5 rows of 7 x 3 bytes padded to 24.
    EXPECT_EQ(GlobalSize(dib), 40u + 5u * 24u);
    const std::string path = (std::filesystem::temp_directory_path() / "vyr_dib_roundtrip.bmp").string();
    ASSERT_TRUE(WriteDIB(const_cast<char*>(path.c_str()), dib));
    EXPECT_EQ(std::filesystem::file_size(path), 14u + 40u + 5u * 24u);
    vyr::Image back;
    ASSERT_TRUE(vyr::ReadBmp(path, back));
    EXPECT_EQ(back, img);
    EXPECT_EQ(GlobalFree(dib), nullptr);
    std::filesystem::remove(path);
}

TEST(Dib, WhatCannotBeConvertedOrWrittenIsRefused)
{
    CBitmap empty;
    EXPECT_EQ(DDBToDIB(empty, 0, nullptr), nullptr);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateFromImage(vyr::Image(2, 2)));
    EXPECT_EQ(DDBToDIB(bitmap, 1, nullptr), nullptr); // compressed: not made
    HANDLE dib = DDBToDIB(bitmap, 0, nullptr);
    ASSERT_NE(dib, nullptr);
    char missing[] = "/nonexistent-folder-of-vyr/picture.bmp";
    EXPECT_FALSE(WriteDIB(missing, dib));
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_FALSE(WriteDIB(missing, nullptr));
    GlobalFree(dib);
}

} // namespace
