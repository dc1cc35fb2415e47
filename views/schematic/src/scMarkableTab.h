#pragma once

#include "views/schematic/src/scDrawContext.h"

namespace Zv {

// The highlighted and marked flags that connection tabs carry for their set.
class ScMarkableTab {
public:
    void setHighlighted(bool highlighted) { _highlighted = highlighted; }
    bool isHighlighted() const { return _highlighted; }
    void setMarked(bool marked) { _marked = marked; }
    bool isMarked() const { return _marked; }

protected:
    ~ScMarkableTab() = default;
    // Marked wins over highlighted, which wins over the tab's own colour.
    int getMarkedColorIndex(int otherwise) const {
        return _marked ? TabsOutline : _highlighted ? TabsHighlit : otherwise;
    }

private:
    bool _highlighted = false;
    bool _marked = false;
};

} // namespace Zv
