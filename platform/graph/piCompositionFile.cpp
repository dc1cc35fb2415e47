#include "platform/graph/piCompositionFile.h"

#include "platform/base/fileUtil.h"
#include "platform/base/liStringUtil.h"
#include "platform/base/xmlDocument.h"
#include "platform/graph/piGraphXmlReader.h"
#include "platform/graph/piGraphXmlWriter.h"
#include "platform/graph/piSnItemUtil.h"
#include "platform/graph/piUndoGuardNoLog.h"
#include "platform/graph/snSelection.h"

#include <algorithm>
#include <optional>

namespace Zv {
namespace {

// The identities the selection lists, in its order.
std::vector<int> readSelection(const PiGraphXmlReader& reader, const pugi::xml_node& root) {
    std::vector<int> selected;
    pugi::xml_node selection = root.child("selection");
    if (!selection) return selected;
    if (pugi::xml_node second = selection.next_sibling("selection")) reader.fail(second, "a second <selection>");
    reader.checkAttributes(selection, {});
    for (pugi::xml_node item : selection.children()) {
        if (item.type() != pugi::node_element || std::string(item.name()) != "item")
            reader.fail(item, "a selection holds only <item> elements");
        reader.checkAttributes(item, {"node"});
        reader.checkEmpty(item);
        int id = reader.readInt(item, "node", INT32_MIN, INT32_MAX);
        if (!reader.hasId(id)) reader.fail(item, "node names no node: " + std::to_string(id));
        if (std::find(selected.begin(), selected.end(), id) != selected.end())
            reader.fail(item, "node " + std::to_string(id) + " is selected twice");
        selected.push_back(id);
    }
    return selected;
}

} // namespace

void PiCompositionFile::loadText(const RCStrongPtr<PiGraph>& graph, const std::string& text, const LiString& source) {
    XmlDocument document = XmlDocument::parse(text, source);
    pugi::xml_node root = document.getRoot();
    PiGraphXmlReader reader(source, text, root, {"selection"});
    if (std::string(root.name()) != "composition") reader.fail(root, "the root element must be <composition>");
    reader.checkAttributes(root, {"version", "name", "uuid"});
    if (std::string(root.attribute("version").value()) != std::to_string(kVersion))
        reader.fail(root, "unsupported version \"" + std::string(root.attribute("version").value()) + "\"");
    std::optional<Uuid> uuid;
    if (pugi::xml_attribute attribute = root.attribute("uuid")) {
        uuid = Uuid::parse(attribute.value());
        if (!uuid)
            reader.fail(root, "uuid must be 32 lower-case hexadecimal digits as 8-4-4-4-12: \"" +
                                  std::string(attribute.value()) + "\"");
    }
    std::vector<int> selected = readSelection(reader, root);

    // Built off to the side, so that the open composition stays whole until the new one is.
    RCStrongPtr<PiGraph> loaded = PiGraph::create(root.attribute("name").value());
    // A file without an identity takes the fresh one of the new graph, and keeps it when saved.
    if (uuid) loaded->setUuid(*uuid);
    {
        PiUndoGuardNoLog quiet;
        reader.buildDetached(*loaded);
    }
    SnSelection::Items items;
    for (int id : selected) items.push_back(PiSnItemUtil::create(reader.findBuilt(id)));
    graph->takeContent(*loaded);
    graph->getCommandStack().clear();
    graph->getSelection()->replaceAll(items);
}

void PiCompositionFile::load(const RCStrongPtr<PiGraph>& graph, const std::string& path) {
    loadText(graph, FileUtil::readFile(path), LiString(path));
}

RCStrongPtr<PiGraph> PiCompositionFile::load(const std::string& path) {
    RCStrongPtr<PiGraph> graph = PiGraph::create();
    load(graph, path);
    return graph;
}

std::string PiCompositionFile::saveText(const PiGraph& graph) {
    XmlWriter writer;
    writer.startElement("composition").attribute("version", kVersion).attribute("name", graph.getName());
    writer.attribute("uuid", graph.getUuid().toString());
    PiGraphXmlWriter::writeNodes(writer, graph.getRootGroup()->getMembers());
    std::vector<int> selected;
    for (const auto& item : *graph.getSelection())
        if (auto* node = dynamic_cast<const PiSnItemConst<PiNode>*>(item.get()); node && node->isValid())
            selected.push_back(node->get()->getId());
    if (!selected.empty()) {
        writer.startElement("selection");
        for (int id : selected) writer.startElement("item").attribute("node", id).endElement();
        writer.endElement();
    }
    writer.endElement();
    return writer.str();
}

void PiCompositionFile::save(const PiGraph& graph, const std::string& path) {
    FileUtil::writeFileAtomically(path, saveText(graph));
}

} // namespace Zv
