#include "platform/ui/ixTiffFile.h"

#include "platform/base/exBase.h"
#include "platform/base/fileUtil.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace Zv {
namespace {

// libtiff reads and writes through these, so files go through FileUtil and nothing is memory-mapped.
struct MemoryStream {
    std::string bytes;
    toff_t position = 0;
    // libtiff's first complaint without the file name it starts with; later ones usually restate it.
    std::string name;
    std::string error;
};

MemoryStream& streamOf(thandle_t handle) {
    return *static_cast<MemoryStream*>(handle);
}

tmsize_t readProc(thandle_t handle, void* buffer, tmsize_t size) {
    MemoryStream& s = streamOf(handle);
    size_t available = s.position < s.bytes.size() ? s.bytes.size() - s.position : 0;
    size_t count = std::min(available, static_cast<size_t>(size));
    std::memcpy(buffer, s.bytes.data() + s.position, count);
    s.position += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t writeProc(thandle_t handle, void* buffer, tmsize_t size) {
    MemoryStream& s = streamOf(handle);
    size_t end = s.position + static_cast<size_t>(size);
    if (end > s.bytes.size()) s.bytes.resize(end);
    std::memcpy(s.bytes.data() + s.position, buffer, static_cast<size_t>(size));
    s.position = end;
    return size;
}

toff_t seekProc(thandle_t handle, toff_t offset, int whence) {
    MemoryStream& s = streamOf(handle);
    if (whence == SEEK_CUR) offset += s.position;
    if (whence == SEEK_END) offset += s.bytes.size();
    s.position = offset;
    return offset;
}

int closeProc(thandle_t) {
    return 0;
}

toff_t sizeProc(thandle_t handle) {
    return streamOf(handle).bytes.size();
}

int mapProc(thandle_t, void**, toff_t*) {
    return 0;
}

void unmapProc(thandle_t, void*, toff_t) {}

int keepFirstError(TIFF*, void* userData, const char*, const char* format, va_list arguments) {
    MemoryStream& s = *static_cast<MemoryStream*>(userData);
    if (s.error.empty()) {
        char text[512];
        std::vsnprintf(text, sizeof text, format, arguments);
        s.error = text;
        if (s.error.starts_with(s.name + ": ")) s.error.erase(0, s.name.size() + 2);
    }
    return 1;
}

int ignoreWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

// Open handle on a memory stream; libtiff's messages go to the stream instead of stderr.
class TiffHandle {
public:
    TiffHandle(MemoryStream& stream, const std::string& name, const char* mode) {
        stream.name = name;
        TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
        TIFFOpenOptionsSetErrorHandlerExtR(options, keepFirstError, &stream);
        TIFFOpenOptionsSetWarningHandlerExtR(options, ignoreWarning, nullptr);
        _tiff = TIFFClientOpenExt(name.c_str(), mode, &stream, readProc, writeProc, seekProc, closeProc, sizeProc,
                                  mapProc, unmapProc, options);
        TIFFOpenOptionsFree(options);
    }
    ~TiffHandle() { close(); }
    TiffHandle(const TiffHandle&) = delete;
    TiffHandle& operator=(const TiffHandle&) = delete;

    TIFF* get() const { return _tiff; }
    void close() {
        if (_tiff) TIFFClose(_tiff);
        _tiff = nullptr;
    }

private:
    TIFF* _tiff = nullptr;
};

[[noreturn]] void fail(const std::string& path, const std::string& reason) {
    throw ExBadInput(path.c_str(), 0, path + ": " + reason);
}

uint32_t tag32(TIFF* tiff, ttag_t tag) {
    uint32_t value = 0;
    TIFFGetField(tiff, tag, &value);
    return value;
}

uint16_t tag16(TIFF* tiff, ttag_t tag) {
    uint16_t value = 0;
    TIFFGetFieldDefaulted(tiff, tag, &value);
    return value;
}

struct Layout {
    int width = 0;
    int height = 0;
    int channels = 0;
    bool premultiplied = false;
    bool bottomUp = false;
};

// Refuses every layout but 8-bit RGB and RGBA in one plane, naming what the file has instead.
Layout checkLayout(TIFF* tiff, const std::string& path) {
    Layout layout;
    layout.width = static_cast<int>(tag32(tiff, TIFFTAG_IMAGEWIDTH));
    layout.height = static_cast<int>(tag32(tiff, TIFFTAG_IMAGELENGTH));
    layout.channels = tag16(tiff, TIFFTAG_SAMPLESPERPIXEL);
    const int bits = tag16(tiff, TIFFTAG_BITSPERSAMPLE);
    if (layout.width <= 0 || layout.height <= 0 || layout.width > 16384 || layout.height > 16384)
        fail(path, "unsupported TIFF size " + std::to_string(layout.width) + "x" + std::to_string(layout.height));
    if (tag16(tiff, TIFFTAG_PHOTOMETRIC) != PHOTOMETRIC_RGB) fail(path, "unsupported TIFF: not an RGB image");
    if (bits != 8) fail(path, "unsupported TIFF: " + std::to_string(bits) + " bits per sample, 8 expected");
    if (layout.channels != 3 && layout.channels != 4)
        fail(path, "unsupported TIFF: " + std::to_string(layout.channels) + " samples per pixel, 3 or 4 expected");
    if (tag16(tiff, TIFFTAG_PLANARCONFIG) != PLANARCONFIG_CONTIG) fail(path, "unsupported TIFF: separate planes");
    const uint16_t orientation = tag16(tiff, TIFFTAG_ORIENTATION);
    if (orientation != ORIENTATION_TOPLEFT && orientation != ORIENTATION_BOTLEFT)
        fail(path, "unsupported TIFF orientation " + std::to_string(orientation));
    layout.bottomUp = orientation == ORIENTATION_BOTLEFT;
    uint16_t extraCount = 0;
    uint16_t* extraTypes = nullptr;
    if (layout.channels == 4 && TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes) && extraCount == 1)
        layout.premultiplied = extraTypes[0] == EXTRASAMPLE_ASSOCALPHA;
    return layout;
}

void storeRow(const std::vector<uint8_t>& line, const Layout& layout, IxImage& image, int row) {
    for (int x = 0; x < layout.width; ++x) {
        const uint8_t* in = &line[static_cast<size_t>(x) * layout.channels];
        uint8_t* out = image.at(x, row);
        const uint8_t alpha = layout.channels == 4 ? in[3] : 255;
        for (int c = 0; c < 3; ++c)
            out[c] = layout.premultiplied && alpha > 0
                         ? static_cast<uint8_t>(std::min(255, (in[c] * 255 + alpha / 2) / alpha))
                         : in[c];
        out[3] = alpha;
    }
}

bool isOpaque(const IxImage& image) {
    for (size_t i = 3; i < image.pixels.size(); i += 4)
        if (image.pixels[i] != 255) return false;
    return true;
}

} // namespace

IxImage IxTiffFile::read(const std::string& path) {
    MemoryStream stream;
    stream.bytes = FileUtil::readFile(path);
    TiffHandle tiff(stream, path, "rm");
    if (!tiff.get()) fail(path, "not a readable TIFF file: " + stream.error);
    const Layout layout = checkLayout(tiff.get(), path);
    IxImage image(layout.width, layout.height);
    std::vector<uint8_t> line(static_cast<size_t>(std::max<tmsize_t>(TIFFScanlineSize(tiff.get()), 0)));
    if (line.size() < static_cast<size_t>(layout.width) * layout.channels)
        fail(path, "corrupt TIFF file: bad scanline size");
    for (int y = 0; y < layout.height; ++y) {
        if (TIFFReadScanline(tiff.get(), line.data(), static_cast<uint32_t>(y)) < 0)
            fail(path,
                 "corrupt TIFF file: " + (stream.error.empty() ? "unreadable row " + std::to_string(y) : stream.error));
        storeRow(line, layout, image, layout.bottomUp ? layout.height - 1 - y : y);
    }
    return image;
}

std::string IxTiffFile::encode(const IxImage& image) {
    MemoryStream stream;
    TiffHandle tiff(stream, "memory", "w");
    if (!tiff.get() || image.isEmpty()) throw ExBadInput(__FILE__, __LINE__, "TIFF encoding failed: " + stream.error);
    const bool opaque = isOpaque(image);
    const uint16_t channels = opaque ? 3 : 4;
    TIFF* t = tiff.get();
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(image.width));
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(image.height));
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, channels);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(t, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, static_cast<uint32_t>(image.height));
    if (!opaque) {
        const uint16_t straightAlpha = EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, &straightAlpha);
    }
    std::vector<uint8_t> line(static_cast<size_t>(image.width) * channels);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x)
            std::memcpy(&line[static_cast<size_t>(x) * channels], image.at(x, y), channels);
        if (TIFFWriteScanline(t, line.data(), static_cast<uint32_t>(y), 0) < 0)
            throw ExBadInput(__FILE__, __LINE__, "TIFF encoding failed: " + stream.error);
    }
    tiff.close();
    return std::move(stream.bytes);
}

void IxTiffFile::write(const std::string& path, const IxImage& image) {
    FileUtil::writeFileAtomically(path, encode(image));
}

} // namespace Zv
