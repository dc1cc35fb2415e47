#pragma once

#include "platform/ui/mfTool.h"

namespace Zv {

// The context-point keys: with the digit i + 1 down, context point i goes to the node under the
// pointer, or is cleared over anything else.
class ScContextPointTool : public MfTool {
public:
    ScContextPointTool();
    ~ScContextPointTool() override;

    // One key per context point of the composition, from module start-up to shut-down.
    static void createKeyPredicates();
    static void releaseKeyPredicates();

    bool handleEvent(EvEvent& event) override;
};

} // namespace Zv
