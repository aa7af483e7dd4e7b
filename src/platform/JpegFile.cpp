#include "platform/JpegFile.h"

#include "platform/InputFile.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <new>

// libjpeg's header needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace kivp {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

// libjpeg reports a fatal error by calling this; leave the decoder through the jump instead of exiting.
[[noreturn]] void onFatalError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(manager->jump, 1);
}

void ignoreMessage(j_common_ptr) {}

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

} // namespace

bool looksLikeJpeg(const std::string& path) {
    File file(openStream(path, "rb"), std::fclose);
    if (!file)
        return false;
    unsigned char magic[3] = {};
    return std::fread(magic, 1, 3, file.get()) == 3 && magic[0] == 0xFF && magic[1] == 0xD8 && magic[2] == 0xFF;
}

std::optional<std::string> pictureSizeProblem(const std::string& path, long long width, long long height) {
    if (width <= kLargestPictureSide && height <= kLargestPictureSide && width * height <= kLargestPicturePixels)
        return std::nullopt;
    return "The picture " + path + " is " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels, too large for a bracket background (at most " + std::to_string(kLargestPictureSide) +
           " pixels on a side and " + std::to_string(kLargestPicturePixels / 1000000) + " megapixels).";
}

std::optional<RgbImage> decodeJpegFile(const std::string& path, std::string* refusal) {
    File file(openStream(path, "rb"), std::fclose);
    if (!file)
        return std::nullopt;

    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onFatalError;
    errors.base.output_message = ignoreMessage;
    // Everything that must be released after a jump lives outside this frame's automatic objects with
    // destructors: the image is built in a heap object owned before setjmp.
    auto image = std::make_unique<RgbImage>();
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return std::nullopt;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file.get());
    jpeg_read_header(&info, TRUE);
    if (auto problem = pictureSizeProblem(path, info.image_width, info.image_height)) {
        if (refusal)
            *refusal = std::move(*problem);
        jpeg_destroy_decompress(&info);
        return std::nullopt;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);

    image->width = static_cast<int>(info.output_width);
    image->height = static_cast<int>(info.output_height);
    const std::size_t stride = static_cast<std::size_t>(info.output_width) * 3;
    try {
        image->pixels.resize(stride * info.output_height);
    } catch (const std::bad_alloc&) {
        jpeg_destroy_decompress(&info);
        return std::nullopt;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->pixels.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return std::move(*image);
}

} // namespace kivp
