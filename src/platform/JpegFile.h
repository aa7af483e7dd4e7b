#pragma once
// Ballpark pictures behind the bracket: JPEG files are decoded here, with libjpeg, into plain RGB pixels that the
// window turns into an image. Other picture formats are left to the window toolkit.

#include <optional>
#include <string>
#include <vector>

namespace kivp {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels; // width * height * 3 bytes, rows top to bottom
};

// Why a picture of this declared size is refused as a bracket background, or nothing when it is not: a few
// hundred bytes can declare a picture of gigabytes, so the size is checked before anything is allocated.
inline constexpr long long kLargestPictureSide = 8192;
inline constexpr long long kLargestPicturePixels = 64LL * 1000 * 1000;
std::optional<std::string> pictureSizeProblem(const std::string& path, long long width, long long height);

// Whether the file starts like a JPEG file (whatever its name says).
bool looksLikeJpeg(const std::string& path);
// The decoded picture, or nothing when the file cannot be read, is not a JPEG picture libjpeg can decode or is
// refused for its size (then refusal, when given, receives the message for the user).
std::optional<RgbImage> decodeJpegFile(const std::string& path, std::string* refusal = nullptr);

} // namespace kivp
