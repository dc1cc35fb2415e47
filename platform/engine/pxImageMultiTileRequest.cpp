#include "platform/engine/pxImageMultiTileRequest.h"

#include "platform/base/assertions.h"
#include "platform/engine/pxRenderPlan.h"

#include <OpenImageIO/imagebufalgo.h>

#include <algorithm>
#include <cstring>

namespace Zv {
namespace {

namespace Iba = OIIO::ImageBufAlgo;

// Cuts a premultiplied float image into 8-bit tiles of straight colour, as pictures are drawn.
std::vector<PxImageMultiTileRequest::Tile> cutTiles(const OIIO::ImageBuf& image) {
    OIIO::ImageBuf straight;
    Iba::unpremult(straight, image);
    std::vector<PxImageMultiTileRequest::Tile> tiles;
    const OIIO::ROI whole = straight.roi();
    const int size = PxImageMultiTileRequest::kTileSize;
    for (int y = whole.ybegin; y < whole.yend; y += size) {
        for (int x = whole.xbegin; x < whole.xend; x += size) {
            OIIO::ROI part(x, std::min(x + size, whole.xend), y, std::min(y + size, whole.yend), 0, 1, 0, 4);
            IxImage pixels(part.width(), part.height());
            straight.get_pixels(part, OIIO::TypeDesc::UINT8, pixels.pixels.data());
            tiles.push_back({x - whole.xbegin, y - whole.ybegin, IxTile(std::move(pixels))});
        }
    }
    return tiles;
}

} // namespace

PxImageMultiTileRequest::PxImageMultiTileRequest(RCStrongPtr<PxImageNode> node, int oversampling, PxTimeInfo time,
                                                 int width, int height, RCWeakPtr<CompletionCb> completion)
    : _node(std::move(node)), _oversampling(oversampling), _time(time), _width(width), _height(height),
      _completion(std::move(completion)) {
    ZV_ASSERT(width > 0 && height > 0 && oversampling >= 0);
}

PxImageMultiTileRequest::~PxImageMultiTileRequest() = default;

void PxImageMultiTileRequest::prepare() {
    if (!_node->getNode()) {
        _plan = std::make_unique<PxRenderPlan>(PxRenderPlan::broken("the node was removed"));
        return;
    }
    _plan = std::make_unique<PxRenderPlan>(PxRenderPlan::build(_node->findProducer()));
}

void PxImageMultiTileRequest::performExecute() {
    const int scale = _oversampling + 1;
    PxRenderContext context{_width * scale, _height * scale, _time, [this] { return isCancelled(); }};
    OIIO::ImageBuf image;
    resetResults();
    _results.validity = _plan->getValidity(_time);
    _results.computable = _plan->compute(context, image, _results.reason);
    if (!_results.computable) return;
    if (scale > 1) {
        OIIO::ImageBuf reduced(OIIO::ImageSpec(_width, _height, 4, OIIO::TypeDesc::FLOAT));
        Iba::resize(reduced, image, "box");
        image = std::move(reduced);
    }
    _results.tiles = cutTiles(image);
}

void PxImageMultiTileRequest::completeExecution() {
    if (RCStrongPtr<CompletionCb> completion = _completion.lock())
        completion->call(RCStrongPtr<PxImageMultiTileRequest>(this));
}

void PxImageMultiTileRequest::postExecute() {
    _plan.reset();
}

void PxImageMultiTileRequest::performCleanUp() {
    _plan.reset();
}

void PxImageMultiTileRequest::executionFailed(const std::string& reason) {
    resetResults();
    _results.reason = reason;
}

void PxImageMultiTileRequest::resetResults() {
    _results = Results();
    _results.width = _width;
    _results.height = _height;
}

IxTile PxImageMultiTileRequest::assembleTiles(const Results& results) {
    if (!results.computable) return IxTile();
    IxImage whole(results.width, results.height);
    for (const Tile& tile : results.tiles) {
        const IxImage& part = tile.image.getImage();
        for (int row = 0; row < part.height; ++row)
            std::memcpy(whole.at(tile.x, tile.y + row), part.at(0, row), static_cast<size_t>(part.width) * 4);
    }
    return IxTile(std::move(whole));
}

} // namespace Zv
