#include "platform/graph/piNode.h"

#include "platform/base/assertions.h"
#include "platform/graph/piGraph.h"
#include "platform/graph/piGroupNode.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piTool.h"

#include <algorithm>

namespace Zv {
namespace {

template <class Pairs, class Key>
auto findKey(Pairs& pairs, const Key& key) {
    return std::find_if(pairs.begin(), pairs.end(), [&](const auto& p) { return p.first == key; });
}

template <class Value>
void writeKeyed(std::vector<std::pair<LiString, Value>>& pairs, const LiString& key, bool isSet, Value value,
                int place) {
    auto found = findKey(pairs, key);
    if (!isSet) {
        if (found != pairs.end()) pairs.erase(found);
    } else if (found != pairs.end()) {
        found->second = std::move(value);
    } else {
        pairs.emplace(pairs.begin() + std::min(place, static_cast<int>(pairs.size())), key, std::move(value));
    }
}

template <class Pairs>
int placeOf(const Pairs& pairs, const LiString& key) {
    return static_cast<int>(findKey(pairs, key) - pairs.begin());
}

const std::vector<PiNodeAnchor> kNoAnchors;
const LiString kNoText;

} // namespace

PiNode::PiNode(PiGraph* graph, int id, PiTool* tool, LiString name)
    : _graph(graph), _tool(tool), _id(id), _name(std::move(name)) {}

// Links are cut without hints: the sockets at the other ends may outlive this node.
PiNode::~PiNode() {
    auto detach = [](PiInput& input) {
        if (input._source) std::erase(input._source->_targets, &input);
        input._source = nullptr;
        input._node = nullptr;
    };
    for (auto& input : _inputs) {
        if (auto* multi = dynamic_cast<PiMultivaluedInput*>(input.get()))
            for (auto& value : multi->_values) detach(*value);
        detach(*input);
    }
    for (auto& output : _outputs) {
        for (PiInput* target : output->_targets) target->_source = nullptr;
        output->_targets.clear();
        output->_node = nullptr;
    }
}

void PiNode::setName(const LiString& name) {
    _graph->renameNode(RCStrongPtr<PiNode>(this), name);
}

RCStrongPtr<PiTool> PiNode::getTool() const {
    return RCStrongPtr<PiTool>(_tool);
}

RCStrongPtr<PiGroupNode> PiNode::getGroup() const {
    return RCStrongPtr<PiGroupNode>(_group);
}

RCStrongPtr<PiInput> PiNode::getInput(int index) const {
    ZV_ASSERT(index >= 0 && index < getNbInputs());
    return _inputs[index];
}

RCStrongPtr<PiOutput> PiNode::getOutput(int index) const {
    ZV_ASSERT(index >= 0 && index < getNbOutputs());
    return _outputs[index];
}

void PiNode::addToolSockets() {
    for (const PiSocketDesc& desc : _tool->getInputs()) {
        int index = getNbInputs();
        if (desc.multivalued) _inputs.push_back(makeRC<PiMultivaluedInput>(this, &desc, index));
        else _inputs.push_back(makeRC<PiInput>(this, &desc, index));
    }
    for (const PiSocketDesc& desc : _tool->getOutputs())
        _outputs.push_back(makeRC<PiOutput>(this, &desc, getNbOutputs()));
}

PiValueData PiNode::getValue(PiValueKind kind, const LiString& key) const {
    switch (kind) {
    case PiValueKind::Position:
        return getFlag(HasPosition) ? PiValueData::of(_position[0], _position[1]) : PiValueData{};
    case PiValueKind::NodeColor:
        return getFlag(HasColor) ? PiValueData::of(_color[0], _color[1], _color[2]) : PiValueData{};
    case PiValueKind::Thumbnail: return getFlag(ThumbnailSet) ? PiValueData::of(getFlag(ThumbnailOn)) : PiValueData{};
    case PiValueKind::VisualGroup: return getFlag(VisualGroupOn) ? PiValueData::of(1) : PiValueData{};
    case PiValueKind::VisualGroupLock: return _lockMode != 0 ? PiValueData::of(_lockMode) : PiValueData{};
    case PiValueKind::Mute: return getFlag(Muted) ? PiValueData::of(1) : PiValueData{};
    case PiValueKind::KeyframeMark: return getFlag(Marked) ? PiValueData::of(1) : PiValueData{};
    case PiValueKind::Stored:
        if (_extras) {
            auto found = findKey(_extras->stored, key);
            if (found != _extras->stored.end()) return PiValueData::of(found->second);
        }
        return {};
    case PiValueKind::Anchors:
    case PiValueKind::Text: break;
    }
    ZV_ABORT("value kind without numbers");
}

void PiNode::setValue(PiValueKind kind, const LiString& key, const PiValueData& data, int place) {
    switch (kind) {
    case PiValueKind::Position:
        setFlag(HasPosition, data.isSet);
        _position[0] = static_cast<float>(data.v[0]);
        _position[1] = static_cast<float>(data.v[1]);
        return;
    case PiValueKind::NodeColor:
        setFlag(HasColor, data.isSet);
        std::copy(data.v.begin(), data.v.end(), _color);
        return;
    case PiValueKind::Thumbnail:
        setFlag(ThumbnailSet, data.isSet);
        setFlag(ThumbnailOn, data.isSet && data.v[0] != 0);
        return;
    case PiValueKind::VisualGroup: setFlag(VisualGroupOn, data.isSet && data.v[0] != 0); return;
    case PiValueKind::VisualGroupLock: _lockMode = data.isSet ? static_cast<int16_t>(data.v[0]) : 0; return;
    case PiValueKind::Mute: setFlag(Muted, data.isSet && data.v[0] != 0); return;
    case PiValueKind::KeyframeMark: setFlag(Marked, data.isSet && data.v[0] != 0); return;
    case PiValueKind::Stored: writeKeyed(extras().stored, key, data.isSet, static_cast<int>(data.v[0]), place); return;
    case PiValueKind::Anchors:
    case PiValueKind::Text: break;
    }
    ZV_ABORT("value kind without numbers");
}

PiNode::Extras& PiNode::extras() {
    if (!_extras) _extras = std::make_unique<Extras>();
    return *_extras;
}

const std::vector<PiNodeAnchor>& PiNode::getAnchors() const {
    return _extras ? _extras->anchors : kNoAnchors;
}

const LiString& PiNode::getText(const LiString& key) const {
    if (!_extras) return kNoText;
    auto found = findKey(_extras->texts, key);
    return found != _extras->texts.end() ? found->second : kNoText;
}

void PiNode::setText(const LiString& key, const LiString& text, int place) {
    writeKeyed(extras().texts, key, !text.isEmpty(), text, place);
}

int PiNode::getKeyPlace(PiValueKind kind, const LiString& key) const {
    if (!_extras) return 0;
    return kind == PiValueKind::Text ? placeOf(_extras->texts, key) : placeOf(_extras->stored, key);
}

std::vector<LiString> PiNode::getStoredKeys() const {
    std::vector<LiString> keys;
    if (_extras)
        for (const auto& [key, value] : _extras->stored) keys.push_back(key);
    return keys;
}

std::vector<LiString> PiNode::getTextKeys() const {
    std::vector<LiString> keys;
    if (_extras)
        for (const auto& [key, value] : _extras->texts) keys.push_back(key);
    return keys;
}

} // namespace Zv
