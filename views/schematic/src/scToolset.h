#pragma once

#include "platform/ui/mfChainOfResponsibilityToolset.h"

namespace Zv {

// The chain of tools of the schematic viewer. Browsing and editing have chains of their own; every
// rebuild makes its tools afresh.
class ScToolset : public MfChainOfResponsibilityToolset {
public:
    static constexpr int EditMode = 2;

    // Starts with the browsing chain.
    explicit ScToolset(MfViewer& viewer);
    ~ScToolset() override;

    // EditMode builds the editing chain, any other mode the browsing one.
    void setMode(int mode);
    int getMode() const { return _mode; }

private:
    int _mode = 0;
};

} // namespace Zv
