#include "platform/engine/pxTools.h"

#include "platform/engine/pxReadCache.h"
#include "platform/graph/piImageModifier.h"
#include "platform/graph/piNode.h"
#include "platform/graph/piTool.h"

#include <OpenImageIO/Imath.h>
#include <OpenImageIO/imagebufalgo.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <numbers>
#include <sstream>

namespace Zv {
namespace {

namespace Iba = OIIO::ImageBufAlgo;
using OIIO::ImageBuf;
using Inputs = PxRenderPlan::Inputs;
using Kernel = PxRenderPlan::Kernel;
using Floats = std::vector<float>;

// The numbers of a text parameter: from minCount to defaults.size() of them, the missing ones
// taken from the defaults; the defaults alone when the node has no such text.
Floats readNumbers(const PiNode& node, const char* key, Floats defaults, size_t minCount) {
    const std::string& text = node.getText(key).str();
    if (text.empty()) return defaults;
    std::istringstream stream(text);
    Floats numbers;
    bool readable = true;
    for (std::string word; readable && stream >> word;) {
        char* end = nullptr;
        float number = std::strtof(word.c_str(), &end);
        readable = *end == 0 && std::isfinite(number) && numbers.size() < defaults.size();
        numbers.push_back(number);
    }
    if (!readable || numbers.size() < minCount) {
        std::string count = std::to_string(minCount);
        if (defaults.size() > minCount) count += " or " + std::to_string(defaults.size());
        throw PxToolError(std::string(key) + " \"" + text + "\" must be " + count +
                          (defaults.size() == 1 ? " number" : " numbers"));
    }
    for (size_t i = numbers.size(); i < defaults.size(); ++i) numbers.push_back(defaults[i]);
    return numbers;
}

float readNumber(const PiNode& node, const char* key, float fallback) {
    return readNumbers(node, key, {fallback}, 1)[0];
}

// Colours are given straight and kept premultiplied, as images are.
Floats readColor(const PiNode& node, const char* key, Floats fallback) {
    Floats color = readNumbers(node, key, std::move(fallback), 3);
    for (int c = 0; c < 3; ++c) color[c] *= color[3];
    return color;
}

OIIO::ImageSpec specOf(const PxRenderContext& context) {
    return OIIO::ImageSpec(context.width, context.height, 4, OIIO::TypeDesc::FLOAT);
}

void check(bool done, const ImageBuf& image) {
    if (!done) throw PxToolError(image.geterror());
}

// An unconnected input is transparent black.
const ImageBuf& inputOrBlank(const Inputs& inputs, size_t index, ImageBuf& blank, const PxRenderContext& context) {
    if (index < inputs.size() && inputs[index]) return *inputs[index];
    if (!blank.initialized()) {
        blank.reset(specOf(context));
        check(Iba::zero(blank), blank);
    }
    return blank;
}

void copyInput(const Inputs& inputs, size_t index, ImageBuf& out, const PxRenderContext& context) {
    ImageBuf blank;
    check(out.copy(inputOrBlank(inputs, index, blank, context)), out);
}

// The alpha of a mask image in all four channels, to scale premultiplied pixels by.
ImageBuf maskOf(const ImageBuf& mask) {
    ImageBuf spread;
    const int alpha[4] = {3, 3, 3, 3};
    check(Iba::channels(spread, mask, 4, alpha), spread);
    return spread;
}

Kernel constant(const PiNode& node) {
    Floats color = readColor(node, "Color", {0.5f, 0.5f, 0.5f, 1});
    return [color](const Inputs&, ImageBuf& out, const PxRenderContext& context) {
        out.reset(specOf(context));
        check(Iba::fill(out, color), out);
    };
}

Kernel checker(const PiNode& node) {
    Floats first = readColor(node, "Color1", {0, 0, 0, 1});
    Floats second = readColor(node, "Color2", {1, 1, 1, 1});
    float size = readNumber(node, "Size", 0.125f);
    if (size <= 0) throw PxToolError("Size must be above 0");
    return [=](const Inputs&, ImageBuf& out, const PxRenderContext& context) {
        int square = std::max(1, static_cast<int>(std::lround(size * context.width)));
        out.reset(specOf(context));
        check(Iba::checker(out, square, square, 1, first, second), out);
    };
}

Kernel ramp(const PiNode& node) {
    Floats left = readColor(node, "Color1", {0, 0, 0, 1});
    Floats right = readColor(node, "Color2", {1, 1, 1, 1});
    return [=](const Inputs&, ImageBuf& out, const PxRenderContext& context) {
        out.reset(specOf(context));
        check(Iba::fill(out, left, right, left, right), out);
    };
}

Kernel read(const PiNode& node, bool& timeDependent) {
    std::string pattern = node.getText("File").str();
    if (pattern.empty()) throw PxToolError("no File given");
    timeDependent = pattern.find('#') != std::string::npos;
    return [pattern](const Inputs&, ImageBuf& out, const PxRenderContext& context) {
        std::string path = PxTools::expandFrame(pattern, context.time.getFrame());
        check(out.copy(*PxReadCache::getInstance().read(path, context.width, context.height)), out);
    };
}

Kernel blur(const PiNode& node) {
    float size = readNumber(node, "Size", 0.01f);
    if (size < 0) throw PxToolError("Size must not be negative");
    return [size](const Inputs& inputs, ImageBuf& out, const PxRenderContext& context) {
        float width = 2 * size * context.width + 1;
        if (width < 1.5f) return copyInput(inputs, 0, out, context);
        ImageBuf blank;
        ImageBuf kernel = Iba::make_kernel("gaussian", width, width);
        check(Iba::convolve(out, inputOrBlank(inputs, 0, blank, context), kernel), out);
    };
}

Kernel invert(const PiNode&) {
    return [](const Inputs& inputs, ImageBuf& out, const PxRenderContext& context) {
        ImageBuf blank;
        ImageBuf straight;
        check(Iba::unpremult(straight, inputOrBlank(inputs, 0, blank, context)), straight);
        OIIO::ROI colour = straight.roi();
        colour.chend = 3;
        check(Iba::invert(straight, straight, colour), straight);
        check(Iba::premult(out, straight), out);
    };
}

Kernel transform(const PiNode& node) {
    Floats translate = readNumbers(node, "Translate", {0, 0}, 2);
    float rotate = readNumber(node, "Rotate", 0);
    float scale = readNumber(node, "Scale", 1);
    if (scale == 0) throw PxToolError("Scale must not be 0");
    return [=](const Inputs& inputs, ImageBuf& out, const PxRenderContext& context) {
        ImageBuf blank;
        const ImageBuf& source = inputOrBlank(inputs, 0, blank, context);
        // About the image's centre; y grows upwards, as in the view, and distances count in widths.
        Imath::V2f centre(context.width * 0.5f, context.height * 0.5f);
        Imath::V2f shift(translate[0] * context.width, -translate[1] * context.width);
        Imath::M33f matrix;
        matrix.translate(centre + shift);
        matrix.rotate(-rotate * std::numbers::pi_v<float> / 180);
        matrix.scale(Imath::V2f(scale, scale));
        matrix.translate(-centre);
        check(Iba::warp(out, source, matrix, "", 0, false, ImageBuf::WrapBlack), out);
    };
}

Kernel colorCorrect(const PiNode& node) {
    Floats gain = readNumbers(node, "Gain", {1, 1, 1}, 3);
    Floats offset = readNumbers(node, "Offset", {0, 0, 0}, 3);
    float saturation = readNumber(node, "Saturation", 1);
    gain.push_back(1);
    offset.push_back(0);
    return [=](const Inputs& inputs, ImageBuf& out, const PxRenderContext& context) {
        ImageBuf blank;
        const ImageBuf& source = inputOrBlank(inputs, 0, blank, context);
        ImageBuf corrected;
        check(Iba::mad(corrected, source, gain, offset), corrected);
        if (saturation != 1) check(Iba::saturate(corrected, corrected, saturation), corrected);
        if (inputs.size() < 2 || !inputs[1]) {
            out = std::move(corrected);
            return;
        }
        // Where the mask is clear, the input shows through.
        ImageBuf change;
        check(Iba::sub(change, corrected, source), change);
        check(Iba::mul(change, change, maskOf(*inputs[1])), change);
        check(Iba::add(out, source, change), out);
    };
}

Kernel keyer(const PiNode& node) {
    Floats key = readNumbers(node, "KeyColor", {0, 1, 0}, 3);
    float tolerance = readNumber(node, "Tolerance", 0.2f);
    float softness = std::max(readNumber(node, "Softness", 0.2f), 1e-4f);
    return [=](const Inputs& inputs, ImageBuf& out, const PxRenderContext& context) {
        ImageBuf blank;
        ImageBuf straight;
        check(Iba::unpremult(straight, inputOrBlank(inputs, 0, blank, context)), straight);
        // The matte is the colour's distance from the key, from clear at the tolerance to solid
        // a softness further.
        ImageBuf distance;
        const float keyColour[4] = {key[0], key[1], key[2], 0};
        check(Iba::sub(distance, straight, keyColour), distance);
        check(Iba::mul(distance, distance, distance), distance);
        const float colourOnly[4] = {1, 1, 1, 0};
        ImageBuf matte;
        check(Iba::channel_sum(matte, distance, colourOnly), matte);
        check(Iba::pow(matte, matte, 0.5f), matte);
        check(Iba::mad(matte, matte, 1 / softness, -tolerance / softness), matte);
        check(Iba::clamp(matte, matte, 0.0f, 1.0f), matte);
        ImageBuf colour;
        const int rgb[3] = {0, 1, 2};
        check(Iba::channels(colour, straight, 3, rgb), colour);
        ImageBuf keyed;
        check(Iba::channel_append(keyed, colour, matte), keyed);
        check(Iba::premult(out, keyed), out);
    };
}

Kernel over(const PiNode&) {
    return [](const Inputs& inputs, ImageBuf& out, const PxRenderContext& context) {
        ImageBuf blankFront, blankBack;
        const ImageBuf& back = inputOrBlank(inputs, 1, blankBack, context);
        if (inputs.size() < 3 || !inputs[2]) {
            check(Iba::over(out, inputOrBlank(inputs, 0, blankFront, context), back), out);
            return;
        }
        ImageBuf front;
        check(Iba::mul(front, inputOrBlank(inputs, 0, blankFront, context), maskOf(*inputs[2])), front);
        check(Iba::over(out, front, back), out);
    };
}

// The first input at the bottom, each next one over what is below it.
Kernel merge(const PiNode&) {
    return [](const Inputs& inputs, ImageBuf& out, const PxRenderContext& context) {
        ImageBuf blank;
        check(out.copy(inputOrBlank(inputs, 0, blank, context)), out);
        for (size_t i = 1; i < inputs.size(); ++i)
            if (inputs[i]) check(Iba::over(out, *inputs[i], out), out);
    };
}

Kernel passInput(const PiNode&) {
    return
        [](const Inputs& inputs, ImageBuf& out, const PxRenderContext& context) { copyInput(inputs, 0, out, context); };
}

using Prepare = Kernel (*)(const PiNode&);
const std::map<std::string, Prepare>& getPrepares() {
    static const std::map<std::string, Prepare> prepares{
        {"Constant", constant},   {"Checker", checker},           {"Ramp", ramp},   {"Blur", blur}, {"Invert", invert},
        {"Transform", transform}, {"ColorCorrect", colorCorrect}, {"Keyer", keyer}, {"Over", over}, {"Merge", merge},
        {"Output", passInput}};
    return prepares;
}

} // namespace

Kernel PxTools::prepare(const PiNode& node, bool& timeDependent) {
    timeDependent = false;
    const std::string& tool = node.getToolRef().getToolName().str();
    if (node.getToolRef().getKind() == PiTool::Modifier && PiImageModifier::isMuted(node)) return passInput(node);
    if (tool == "Read") return read(node, timeDependent);
    auto found = getPrepares().find(tool);
    if (found == getPrepares().end()) throw PxToolError("the tool makes no image here");
    return found->second(node);
}

std::string PxTools::expandFrame(const std::string& pattern, int frame) {
    std::string path;
    for (size_t i = 0; i < pattern.size();) {
        size_t run = pattern.find_first_not_of('#', i);
        if (pattern[i] != '#') {
            path += pattern[i++];
            continue;
        }
        int width = static_cast<int>((run == std::string::npos ? pattern.size() : run) - i);
        char digits[32];
        std::snprintf(digits, sizeof digits, "%0*d", width, frame);
        path += digits;
        i += width;
    }
    return path;
}

} // namespace Zv
