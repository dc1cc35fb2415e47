#pragma once

#include "platform/base/cbHandler.h"
#include "platform/base/rcWeakPtr.h"
#include "platform/engine/pxImageNode.h"
#include "platform/engine/pxRequest.h"
#include "platform/engine/pxTimeInfo.h"
#include "platform/engine/pxValidityInterval.h"
#include "platform/ui/ixTile.h"

#include <memory>
#include <string>
#include <vector>

namespace Zv {

class PxRenderPlan;

// Asks for the image of an engine node at one time and size. The result comes as tiles; the
// completion callback is called on the worker with the request and must touch nothing else (it
// hands the result over to the application thread). The callback is held weakly: a requester that
// died gets nothing.
class PxImageMultiTileRequest : public PxRequest {
public:
    using CompletionCb = CbHandler<const RCStrongPtr<PxImageMultiTileRequest>&>;
    // Result tiles are at most this many pixels across and down.
    static constexpr int kTileSize = 64;

    struct Tile {
        int x = 0; // of the tile's top left corner, from the image's top left
        int y = 0;
        IxTile image;
    };
    struct Results {
        int width = 0;
        int height = 0;
        std::vector<Tile> tiles;
        // False when the image cannot be computed (a missing file, a bad parameter); reason says why.
        bool computable = false;
        std::string reason;
        // The times that give the same image.
        PxValidityInterval validity;
    };

    // oversampling: the image is computed at (oversampling + 1) times the size and scaled down.
    PxImageMultiTileRequest(RCStrongPtr<PxImageNode> node, int oversampling, PxTimeInfo time, int width, int height,
                            RCWeakPtr<CompletionCb> completion);
    ~PxImageMultiTileRequest() override;

    Type getRequestType() const override { return ImageTiles; }
    int getPriorityLevel() const override { return 0; }

    const RCStrongPtr<PxImageNode>& getNode() const { return _node; }
    const PxTimeInfo& getTime() const { return _time; }
    int getWidth() const { return _width; }
    int getHeight() const { return _height; }
    // Set once the request ran: in the completion and after it.
    const Results& getResults() const { return _results; }

    // The tiles as one picture; the invalid tile for a result that could not be computed.
    static IxTile assembleTiles(const Results& results);

protected:
    void prepare() override;
    void performExecute() override;
    void completeExecution() override;
    void postExecute() override;
    void performCleanUp() override;
    void executionFailed(const std::string& reason) override;

private:
    void resetResults();

    RCStrongPtr<PxImageNode> _node;
    int _oversampling;
    PxTimeInfo _time;
    int _width;
    int _height;
    RCWeakPtr<CompletionCb> _completion;
    std::unique_ptr<PxRenderPlan> _plan;
    Results _results;
};

} // namespace Zv
