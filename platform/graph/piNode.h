#pragma once

#include "platform/graph/piGraphObject.h"
#include "platform/graph/piInput.h"
#include "platform/graph/piNodeAnchor.h"
#include "platform/graph/piOutput.h"
#include "platform/graph/piValueData.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace Zv {

class PiGraph;
class PiGroupNode;
class PiTool;

// A processing node: identity, name, tool, sockets and the values the schematic keeps on it.
class PiNode : public PiGraphObject {
public:
    ~PiNode() override;

    int getId() const { return _id; }
    const LiString& getName() const { return _name; }
    // Renames through the graph: an undoable edit.
    void setName(const LiString& name);
    RCStrongPtr<PiTool> getTool() const;
    const PiTool& getToolRef() const { return *_tool; }
    // The enclosing group; null for the root group and for removed nodes.
    RCStrongPtr<PiGroupNode> getGroup() const;
    PiGroupNode* getGroupPtr() const { return _group; }
    PiGraph* getGraph() const { return _graph; }
    bool isLive() const override { return _live; }

    int getNbInputs() const { return static_cast<int>(_inputs.size()); }
    RCStrongPtr<PiInput> getInput(int index) const;
    const std::vector<RCStrongPtr<PiInput>>& getInputs() const { return _inputs; }
    int getNbOutputs() const { return static_cast<int>(_outputs.size()); }
    RCStrongPtr<PiOutput> getOutput(int index) const;
    const std::vector<RCStrongPtr<PiOutput>>& getOutputs() const { return _outputs; }

    // A value of the node; keyed kinds (Stored) take the key.
    PiValueData getValue(PiValueKind kind, const LiString& key = {}) const;
    const std::vector<PiNodeAnchor>& getAnchors() const;
    // Text under a key, empty when none.
    const LiString& getText(const LiString& key) const;
    // Keys of the set stored values and texts, in the order they were first set.
    std::vector<LiString> getStoredKeys() const;
    std::vector<LiString> getTextKeys() const;

protected:
    PiNode(PiGraph* graph, int id, PiTool* tool, LiString name);
    // Sockets as the tool declares them.
    void addToolSockets();

private:
    friend class PiGraph;
    friend class PiGroupNode;
    friend class PiBoundaryNode;
    struct Extras {
        std::vector<PiNodeAnchor> anchors;
        std::vector<std::pair<LiString, int>> stored;
        std::vector<std::pair<LiString, LiString>> texts;
    };
    enum Flag : uint8_t {
        HasPosition = 1,
        HasColor = 2,
        ThumbnailSet = 4,
        ThumbnailOn = 8,
        VisualGroupOn = 16,
        Muted = 32,
        Marked = 64
    };
    // Where a stored value or a text is among the node's keys: its index, or their count when absent.
    int getKeyPlace(PiValueKind kind, const LiString& key) const;
    // A key that was absent goes to place, so undoing a removal puts the key back where it was.
    void setValue(PiValueKind kind, const LiString& key, const PiValueData& data, int place);
    bool getFlag(Flag flag) const { return (_flags & flag) != 0; }
    void setFlag(Flag flag, bool on) { _flags = on ? (_flags | flag) : (_flags & ~flag); }
    Extras& extras();
    void setAnchors(std::vector<PiNodeAnchor> anchors) { extras().anchors = std::move(anchors); }
    void setText(const LiString& key, const LiString& text, int place);

    PiGraph* _graph;
    PiGroupNode* _group = nullptr;
    PiTool* _tool;
    int _id;
    bool _live = false;
    uint8_t _flags = 0;
    int16_t _lockMode = 0;
    float _position[2] = {0, 0};
    float _color[3] = {0, 0, 0};
    LiString _name;
    std::vector<RCStrongPtr<PiInput>> _inputs;
    std::vector<RCStrongPtr<PiOutput>> _outputs;
    std::unique_ptr<Extras> _extras;
};

} // namespace Zv
