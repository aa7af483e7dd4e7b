#include "platform/JpegFile.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

const std::string kPictures = std::string(KIVP_TEST_DATA) + "/pictures/";

TEST(JpegFile, DecodesAPictureIntoRgbRows) {
    ASSERT_TRUE(looksLikeJpeg(kPictures + "red-16x8.jpg"));
    const auto image = decodeJpegFile(kPictures + "red-16x8.jpg");
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(std::tuple(image->width, image->height, image->pixels.size()), std::tuple(16, 8, 16u * 8 * 3));
    // Lossy, but a flat colour comes back close to what was saved.
    EXPECT_NEAR(image->pixels[0], 200, 6);
    EXPECT_NEAR(image->pixels[1], 30, 6);
    EXPECT_NEAR(image->pixels[2], 30, 6);
}

TEST(JpegFile, RefusesBrokenMissingAndForeignFilesWithoutCrashing) {
    for (const char* name : {"truncated.jpg", "not-a-picture.jpg", "missing.jpg"})
        EXPECT_FALSE(decodeJpegFile(kPictures + name).has_value()) << name;
    EXPECT_FALSE(looksLikeJpeg(kPictures + "not-a-picture.jpg"));
    EXPECT_FALSE(looksLikeJpeg(kPictures + "missing.jpg"));
}

} // namespace
} // namespace kivp
