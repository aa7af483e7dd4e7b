// Bracket pictures: any file decodes to a picture of the size it declares, or to nothing, without a huge
// allocation.
#include "FuzzInput.h"
#include "platform/JpegFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kivp;
    const std::string path = fuzz::scratchFile("fuzz.jpg", fuzz::textOf(data, size));
    if (const auto image = decodeJpegFile(path)) {
        fuzz::require(image->pixels.size() == static_cast<std::size_t>(image->width) * image->height * 3,
                      "three bytes a pixel");
        fuzz::require(!pictureSizeProblem(path, image->width, image->height), "no refused size is decoded");
    }
    return 0;
}
