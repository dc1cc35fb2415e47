#pragma once

#include "platform/graph/piNode.h"
#include "platform/graph/piTool.h"

#include <string>
#include <utility>

namespace Zv {

// One changed value of a node, as a change hint reports it: the node, the value's name and its new content.
class PiValue : public RCBase {
public:
    PiValue(RCStrongPtr<PiNode> node, PiValueKind kind, LiString name, PiValueData data)
        : _node(std::move(node)), _kind(kind), _name(std::move(name)), _data(data) {}

    const RCStrongPtr<PiNode>& getNode() const { return _node; }
    PiValueKind getKind() const { return _kind; }
    const LiString& getName() const { return _name; }
    // A value is live while its node belongs to a graph.
    bool isLive() const { return _node->isLive(); }
    bool isSet() const { return _data.isSet; }
    bool getBool() const { return _data.isSet && _data.v[0] != 0; }
    int getInt() const { return static_cast<int>(_data.v[0]); }
    float getFloat(int component) const { return static_cast<float>(_data.v.at(component)); }

    // The name of a value of that kind; keyed kinds are named by their key.
    static LiString getKindName(PiValueKind kind, const LiString& key);
    // Why a node of that tool kind cannot hold the value, or empty. Edits and files refuse the same
    // values, so whatever a graph holds saves and loads back.
    static std::string findFault(PiValueKind kind, const LiString& key, PiTool::Kind toolKind, const PiValueData& data);
    // The values a known stored key can take; other keys take any int.
    static std::pair<int, int> getStoredRange(const LiString& key);

private:
    RCStrongPtr<PiNode> _node;
    PiValueKind _kind;
    LiString _name;
    PiValueData _data;
};

} // namespace Zv
