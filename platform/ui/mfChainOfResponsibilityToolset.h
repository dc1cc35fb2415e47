#pragma once

#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/mfTool.h"

#include <utility>
#include <vector>

namespace Zv {

class EvEvent;
class MfViewer;

// The tools of a viewer in a chain. An event goes to the tool in the middle of a manipulation, if
// any; otherwise each tool is offered it in chain order and the first that takes it becomes the
// current tool. Pointer motion nobody takes is offered to the tools as feedback (hover), in order,
// until one handles it. The viewer's cursor follows the manipulating tool.
class MfChainOfResponsibilityToolset : public RCBase {
public:
    explicit MfChainOfResponsibilityToolset(MfViewer& viewer) : _viewer(viewer) {}
    ~MfChainOfResponsibilityToolset() override;

    virtual void setCurrentTool(const LiString& name);
    virtual RCShdPtr<MfTool> getCurrentTool() const;
    virtual LiString getCurrentToolName() const;
    // True when a tool took the event.
    virtual bool handleEvent(EvEvent& event);
    virtual void draw();
    virtual void drawDecorations();
    virtual void selectionUpdate();
    virtual void appendTool(const LiString& name, const RCShdPtr<MfTool>& tool);
    virtual void removeTool(const LiString& name);
    virtual void removeAllTools();

    MfViewer& getViewer() const { return _viewer; }

private:
    int find(const LiString& name) const;
    void updateCursor() const;

    MfViewer& _viewer;
    std::vector<std::pair<LiString, RCShdPtr<MfTool>>> _tools;
    int _current = -1;
};

} // namespace Zv
