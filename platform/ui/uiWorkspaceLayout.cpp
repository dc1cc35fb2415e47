#include "platform/ui/uiWorkspaceLayout.h"

#include "platform/base/exBase.h"
#include "platform/base/fileUtil.h"
#include "platform/base/xmlInput.h"
#include "platform/base/xmlWriter.h"
#include "platform/ui/msgWarning.h"
#include "platform/ui/stgUserSettings.h"
#include "platform/ui/uiView.h"

#include <filesystem>
#include <set>
#include <sstream>

namespace Zv {
namespace {

std::unique_ptr<pugi::xml_document> emptyLayout() {
    auto document = std::make_unique<pugi::xml_document>();
    pugi::xml_node root = document->append_child("workspace");
    root.append_attribute("version").set_value(1);
    return document;
}

// Checks the layout's shape; the document is kept only when every view is well formed.
void check(const XmlInput& input) {
    const pugi::xml_node root = input.expectRoot("workspace");
    std::set<std::string> names;
    for (const pugi::xml_node& view : input.getElements(root)) {
        if (std::string(view.name()) != "view") input.fail(view, "expected <view name=\"...\" type=\"...\">");
        input.getText(view, "type");
        if (!names.insert(input.getText(view, "name")).second)
            input.fail(view, "view \"" + input.getText(view, "name") + "\" appears twice");
        const std::vector<pugi::xml_node> settings = input.getElements(view);
        if (settings.size() != 1 || std::string(settings[0].name()) != "Settings")
            input.fail(view, "a <view> holds one <Settings> element");
    }
}

} // namespace

std::string UiWorkspaceLayout::getDefaultPath() {
    return StgUserSettings::getConfigDirectory() + "/workspace.xml";
}

UiWorkspaceLayout::UiWorkspaceLayout() : _document(emptyLayout()) {}

UiWorkspaceLayout::~UiWorkspaceLayout() = default;

void UiWorkspaceLayout::load(const std::string& path) {
    _path = path;
    _document = emptyLayout();
    if (!std::filesystem::exists(path)) return;
    try {
        const std::string text = FileUtil::readFile(path);
        check(XmlInput(text, path));
        auto document = std::make_unique<pugi::xml_document>();
        document->load_buffer(text.data(), text.size());
        _document = std::move(document);
    } catch (const ExBadInput& e) {
        MsgWarning(e.getMessage() + "; the default workspace layout is used").display();
    }
}

void UiWorkspaceLayout::save() const {
    std::ostringstream out;
    _document->save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    StgUserSettings::writeConfigFile(_path, getDefaultPath(), out.str());
}

pugi::xml_node UiWorkspaceLayout::findView(const LiString& viewName) const {
    return _document->document_element().find_child_by_attribute("view", "name", viewName.c_str());
}

pugi::xml_node UiWorkspaceLayout::getViewSettings(const LiString& viewName) const {
    return findView(viewName).child("Settings");
}

void UiWorkspaceLayout::storeView(const LiString& viewName, const UiView& view) {
    XmlWriter writer;
    view.writeSettings(writer);
    pugi::xml_document written;
    const std::string text = writer.str();
    written.load_buffer(text.data(), text.size());
    pugi::xml_node root = _document->document_element();
    if (pugi::xml_node old = findView(viewName)) root.remove_child(old);
    pugi::xml_node entry = root.append_child("view");
    entry.append_attribute("name").set_value(viewName.c_str());
    entry.append_attribute("type").set_value(view.getTypeName().c_str());
    entry.append_copy(written.document_element());
}

bool UiWorkspaceLayout::applyToView(const LiString& viewName, UiView& view) const {
    const pugi::xml_node settings = getViewSettings(viewName);
    if (!settings) return false;
    view.applySettings(settings);
    return true;
}

} // namespace Zv
