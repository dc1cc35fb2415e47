#include "platform/ui/ixPngFile.h"

#include "platform/base/exBase.h"
#include "platform/base/fileUtil.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace Zv {
namespace {

[[noreturn]] void fail(const std::string& path, const std::string& reason) {
    throw ExBadInput(path.c_str(), 0, path + ": " + reason);
}

void writeImage(const std::string& path, const IxImage& image, bool opaque) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGBA;
    IxImage copy = image;
    if (opaque)
        for (size_t i = 3; i < copy.pixels.size(); i += 4) copy.pixels[i] = 255;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, copy.pixels.data(), 0, nullptr)) fail(path, png.message);
    std::string bytes(size, '\0');
    if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, copy.pixels.data(), 0, nullptr))
        fail(path, png.message);
    bytes.resize(size);
    FileUtil::writeFileAtomically(path, bytes);
}

} // namespace

void IxPngFile::writeOpaque(const std::string& path, const IxImage& image) {
    writeImage(path, image, true);
}

void IxPngFile::write(const std::string& path, const IxImage& image) {
    writeImage(path, image, false);
}

IxImage IxPngFile::read(const std::string& path) {
    std::string bytes = FileUtil::readFile(path);
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size()))
        fail(path, std::string("not a PNG file: ") + png.message);
    png.format = PNG_FORMAT_RGBA;
    IxImage image(static_cast<int>(png.width), static_cast<int>(png.height));
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
        png_image_free(&png);
        fail(path, std::string("corrupt PNG file: ") + png.message);
    }
    return image;
}

} // namespace Zv
