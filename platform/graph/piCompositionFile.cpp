#include "platform/graph/piCompositionFile.h"

#include "platform/base/fileUtil.h"
#include "platform/base/liStringUtil.h"
#include "platform/base/xmlDocument.h"
#include "platform/graph/piGraphXmlReader.h"
#include "platform/graph/piGraphXmlWriter.h"
#include "platform/graph/piSnItemUtil.h"
#include "platform/graph/piUndoGuardNoLog.h"
#include "platform/graph/snSelection.h"

namespace Zv {

void PiCompositionFile::loadText(const RCStrongPtr<PiGraph>& graph, const std::string& text, const LiString& source) {
    XmlDocument document = XmlDocument::parse(text, source);
    pugi::xml_node root = document.getRoot();
    PiGraphXmlReader reader(source, text, root, {"selection"});
    if (std::string(root.name()) != "composition") reader.fail(root, "the root element must be <composition>");
    if (std::string(root.attribute("version").value()) != std::to_string(kVersion))
        reader.fail(root, "unsupported version \"" + std::string(root.attribute("version").value()) + "\"");
    std::vector<int> selected;
    for (pugi::xml_node item : root.child("selection").children()) {
        auto id = LiStringUtil::parseInt(item.attribute("node").value());
        if (std::string(item.name()) != "item" || !id || !reader.hasId(static_cast<int>(*id)))
            reader.fail(item, "a selection item must name a node");
        selected.push_back(static_cast<int>(*id));
    }
    {
        PiUndoGuardNoLog quiet;
        const RCStrongPtr<PiGroupNode>& top = graph->getRootGroup();
        while (top->getNbMembers() > 0) graph->removeNode(top->getMembers().back());
        graph->setName(root.attribute("name").value());
        reader.build(top, true);
    }
    graph->getCommandStack().clear();
    SnSelection::Items items;
    for (int id : selected) items.push_back(PiSnItemUtil::create(reader.findBuilt(id)));
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
