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

// Whether the file starts like a JPEG file (whatever its name says).
bool looksLikeJpeg(const std::string& path);
// The decoded picture, or nothing when the file cannot be read or is not a JPEG picture libjpeg can decode.
std::optional<RgbImage> decodeJpegFile(const std::string& path);

} // namespace kivp
