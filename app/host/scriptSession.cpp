#include "app/host/scriptSession.h"

#include "platform/base/exBase.h"
#include "platform/base/inPackageManager.h"
#include "platform/base/liStringUtil.h"
#include "platform/base/xmlWriter.h"
#include "platform/graph/cmCommandStack.h"
#include "platform/graph/piAppThread.h"
#include "platform/graph/piCompositionFile.h"
#include "platform/graph/piGroupNode.h"
#include "platform/graph/piGroupUtils.h"
#include "platform/graph/piInput.h"
#include "platform/graph/piOutput.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piUndoGuard.h"
#include "platform/graph/uiCompositionClient.h"
#include "platform/ui/headless/glHeadlessContext.h"
#include "platform/ui/ixPngFile.h"
#include "platform/ui/mtAlarmHandle.h"
#include "platform/ui/mtAlarmManager.h"
#include "platform/ui/stgUserSettings.h"
#include "platform/ui/uiHotkeyRegistry.h"
#include "platform/ui/uiKeyBinding.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiScriptedView.h"
#include "platform/ui/uiView.h"
#include "platform/ui/uiViewFactory.h"
#include "platform/ui/uiViewer2D.h"
#include "platform/ui/vwUtils.h"
#include "platform/ui/wsCursor.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <ostream>

namespace Zv {
namespace {

[[noreturn]] void refuse(const std::string& reason) {
    throw ExBadInput(__FILE__, __LINE__, reason);
}

// Words are separated by blanks; double quotes group words (and may sit inside one, as in
// @"Warm Grade".out.0); "#" outside quotes starts a comment.
std::vector<std::string> splitWords(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (char c : line) {
        if (quoted) {
            if (c == '"') quoted = false;
            else word += c;
        } else if (c == '"') {
            quoted = inWord = true;
        } else if (c == '#') {
            break;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            if (inWord) words.push_back(std::exchange(word, {}));
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted) refuse("a double quote is not closed");
    if (inWord) words.push_back(word);
    return words;
}

float parseNumber(const std::string& word, const char* what) {
    float value = 0.0f;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value))
        refuse(std::string(what) + " must be a number, not \"" + word + "\"");
    return value;
}

int parseInteger(const std::string& word, const char* what, int min, int max) {
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value < min || value > max)
        refuse(std::string(what) + " must be a whole number from " + std::to_string(min) + " to " +
               std::to_string(max) + ", not \"" + word + "\"");
    return value;
}

GePoint2<float> parsePair(const std::string& text, const std::string& word) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos) refuse("a target is X,Y, s:X,Y or @NAME, not \"" + word + "\"");
    return {parseNumber(text.substr(0, comma), "a coordinate"), parseNumber(text.substr(comma + 1), "a coordinate")};
}

std::string formatNumber(float value) {
    return LiStringUtil::convertNb(value, 3).str();
}

struct ButtonName {
    const char* name;
    EvButton button;
};
constexpr ButtonName kButtons[] = {{"left", EvButton::Left}, {"middle", EvButton::Middle}, {"right", EvButton::Right}};

// An optional button word before the target; the left button without one.
EvButton takeButton(std::vector<std::string>& words) {
    for (const ButtonName& button : kButtons)
        if (words.size() > 2 && words[1] == button.name) {
            words.erase(words.begin() + 1);
            return button.button;
        }
    return EvButton::Left;
}

struct ModifierName {
    const char* word;
    EvModifier modifier;
};
constexpr ModifierName kModifiers[] = {
    {"+shift", EvModifier::Shift}, {"+ctrl", EvModifier::Ctrl}, {"+alt", EvModifier::Alt}};

EvKeyCode parseKey(const std::string& word) {
    const std::optional<EvKeyCode> key = EvKeyCodes::fromName(word);
    if (!key || *key == EvKeyCode::None) refuse("no key is named \"" + word + "\"");
    return *key;
}

// A socket of a model node: "NAME.K" by index or "NAME.SOCKET" by name.
template <class Socket>
RCStrongPtr<Socket> findSocket(const std::vector<RCStrongPtr<Socket>>& sockets, const std::string& name,
                               const char* kind, const std::string& nodeName) {
    int index = -1;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), index);
    const bool byIndex = error == std::errc() && end == name.data() + name.size();
    for (size_t i = 0; i < sockets.size(); ++i)
        if (byIndex ? static_cast<int>(i) == index : sockets[i]->getName() == name) return sockets[i];
    refuse("node \"" + nodeName + "\" has no " + kind + " \"" + name + "\"");
}

std::pair<std::string, std::string> splitSocket(const std::string& word) {
    const size_t dot = word.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == word.size())
        refuse("a socket is NODE.SOCKET, not \"" + word + "\"");
    return {word.substr(0, dot), word.substr(dot + 1)};
}

// "yes" for equal texts, else the first line that differs.
std::string describeDifference(const std::string& before, const std::string& now) {
    if (before == now) return "yes";
    const auto [a, b] = std::mismatch(before.begin(), before.end(), now.begin(), now.end());
    return "no, line " + std::to_string(1 + std::count(before.begin(), a, '\n')) + " differs";
}

} // namespace

// Operand counts include the command's name; pointer commands may add modifier words.
const ScriptSession::Command ScriptSession::kCommands[] = {
    {"open", 2, 2, &ScriptSession::openCmd},       {"save", 2, 2, &ScriptSession::saveCmd},
    {"size", 3, 3, &ScriptSession::sizeCmd},       {"mode", 2, 2, &ScriptSession::modeCmd},
    {"option", 3, 3, &ScriptSession::optionCmd},   {"reopen", 1, 1, &ScriptSession::reopenCmd},
    {"move", 2, 2, &ScriptSession::moveCmd},       {"press", 2, 3, &ScriptSession::pressCmd},
    {"drag", 2, 3, &ScriptSession::dragCmd},       {"release", 1, 2, &ScriptSession::releaseCmd},
    {"click", 2, 3, &ScriptSession::clickCmd},     {"dclick", 2, 2, &ScriptSession::dclickCmd},
    {"wheel", 3, 3, &ScriptSession::wheelCmd},     {"keydown", 2, 2, &ScriptSession::keydownCmd},
    {"keyup", 2, 2, &ScriptSession::keyupCmd},     {"key", 2, 2, &ScriptSession::keyCmd},
    {"hold", 2, 2, &ScriptSession::holdCmd},       {"unhold", 2, 2, &ScriptSession::unholdCmd},
    {"hotkey", 2, 2, &ScriptSession::hotkeyCmd},   {"wait", 2, 2, &ScriptSession::waitCmd},
    {"context", 2, 2, &ScriptSession::contextCmd}, {"choose", 2, 2, &ScriptSession::chooseCmd},
    {"undo", 1, 1, &ScriptSession::undoCmd},       {"redo", 1, 1, &ScriptSession::redoCmd},
    {"fit", 1, 1, &ScriptSession::fitCmd},         {"zoom", 2, 2, &ScriptSession::zoomCmd},
    {"pan", 3, 3, &ScriptSession::panCmd},         {"render", 2, 2, &ScriptSession::renderCmd},
    {"edit", 2, 6, &ScriptSession::editCmd},       {"print", 2, 3, &ScriptSession::printCmd},
    {"command", 2, 9, &ScriptSession::commandCmd}, {"clipboard", 2, 2, &ScriptSession::clipboardCmd},
    {"color", 2, 4, &ScriptSession::colorCmd},     {"keep", 2, 2, &ScriptSession::keepCmd},
};

std::string ScriptSession::getDefaultCompositionPath() {
    return std::string(ZV_RESOURCES_DIR) + "/samples/default.xml";
}

ScriptSession::ScriptSession(const std::string& viewType, const std::string& path, int width, int height,
                             std::ostream& out)
    : _out(out), _viewType(viewType), _application(_backend), _width(width), _height(height) {
    PiAppThread::claim();
    // The user's settings give the options' defaults, the hotkeys and the number of context points.
    _application.loadUserSettings(StgUserSettings::getDefaultPath());
    UiCompositionClient::setNbContextPoints(_application.getUserSettings().getInt("ContextPoints", 4));
    _graph = PiCompositionFile::load(path.empty() ? getDefaultCompositionPath() : path);
    _context = std::make_unique<GlHeadlessContext>(_width, _height);
    _context->makeCurrent();
    InPackageManager::startAll();
    try {
        _composition.setGraph(_graph);
        createView(pugi::xml_node());
        settle(true);
    } catch (...) {
        destroyView();
        InPackageManager::shutDownAll();
        throw;
    }
}

ScriptSession::~ScriptSession() {
    destroyView();
    _composition.setGraph({});
    InPackageManager::shutDownAll();
}

void ScriptSession::createView(const pugi::xml_node& settings) {
    UiViewFactory* factory = UiViewFactory::findViewFactory(_viewType);
    if (!factory) refuse("no view type \"" + _viewType + "\" is registered (is its module loaded?)");
    _top = factory->createView({}, &_composition, settings);
    _view = UiViewFactory::findView(*_top);
    if (!_view || !_view->getDrawArea() || !_view->getScriptedView())
        refuse("the view type \"" + _viewType + "\" cannot be scripted");
    getArea().setWindowSize(_width, _height);
    // Keys go to the view before the pointer ever came over it, as in a window that has the focus.
    _pointer = {_width * 0.5f, _height * 0.5f};
    _application.setKeyFocus(getArea(), _pointer);
}

void ScriptSession::destroyView() {
    _backend.closeMenu();
    _view = nullptr;
    _top.reset();
    _held.clear();
}

void ScriptSession::settle(bool paint) {
    _backend.setPainting(paint);
    _backend.processPending();
    _backend.setPainting(false);
    for (const UiHeadlessBackend::Message& message : _backend.takeMessages())
        std::fprintf(stderr, "%s: %s\n", message.severity == MsgSeverity::Error ? "error" : "warning",
                     message.text.c_str());
}

UiDrawArea& ScriptSession::getArea() const {
    return *_view->getDrawArea();
}

UiViewer2D& ScriptSession::getViewer() const {
    auto* viewer = dynamic_cast<UiViewer2D*>(_view->getDrawArea());
    if (!viewer) refuse("the view has no zoom or pan");
    return *viewer;
}

UiScriptedView& ScriptSession::getScripted() const {
    return *_view->getScriptedView();
}

// --- Running ---

void ScriptSession::runFile(const std::string& scriptPath) {
    std::ifstream script(scriptPath);
    if (!script) throw ExBadInput(__FILE__, __LINE__, scriptPath + ": cannot read the script");
    std::string line;
    for (int number = 1; std::getline(script, line); ++number) {
        const std::string where = scriptPath + ":" + std::to_string(number) + ": ";
        try {
            runLine(line);
        } catch (const ExBase& ex) {
            throw ExBadInput(__FILE__, __LINE__, where + ex.getMessage());
        } catch (const std::exception& ex) {
            throw ExBadInput(__FILE__, __LINE__, where + ex.what());
        }
    }
}

void ScriptSession::runLine(const std::string& line) {
    Words words = splitWords(line);
    if (words.empty()) return;
    for (const Command& command : kCommands) {
        if (words[0] != command.name) continue;
        const EvModifier modifiers = takeModifiers(words);
        const int count = static_cast<int>(words.size());
        if (count < command.minWords || count > command.maxWords)
            refuse("\"" + words[0] + "\" takes " + std::to_string(command.minWords - 1) +
                   (command.maxWords > command.minWords ? " to " + std::to_string(command.maxWords - 1) : "") +
                   " operands, not " + std::to_string(count - 1));
        withModifiers(modifiers, [&] { (this->*command.handler)(words); });
        settle(false);
        _out.flush();
        return;
    }
    refuse("no command \"" + words[0] + "\"");
}

EvModifier ScriptSession::takeModifiers(Words& words) const {
    EvModifier held = EvModifier::None;
    while (words.size() > 1 && words.back().starts_with('+')) {
        bool known = false;
        for (const ModifierName& modifier : kModifiers)
            if (words.back() == modifier.word) {
                held = held | modifier.modifier;
                known = true;
            }
        if (!known) refuse("no modifier \"" + words.back() + "\" (modifiers: +shift, +ctrl, +alt)");
        words.pop_back();
    }
    return held;
}

void ScriptSession::withModifiers(EvModifier modifiers, const std::function<void()>& work) {
    if (modifiers == EvModifier::None) return work();
    const EvModifier before = _application.getKeyboardState().getModifiers();
    _application.setModifiers(before | modifiers);
    try {
        work();
    } catch (...) {
        _application.setModifiers(before);
        throw;
    }
    _application.setModifiers(before);
}

// --- Targets ---

GePoint2<float> ScriptSession::parseTarget(const std::string& word) {
    const VwView& view = getViewer().getView();
    if (word.starts_with('@')) {
        if (word.size() == 1) refuse("\"@\" names nothing");
        return VwUtils::worldToWindow(view, getScripted().findScenePoint(word.substr(1)));
    }
    if (word.starts_with("s:")) return VwUtils::worldToWindow(view, parsePair(word.substr(2), word));
    // Scripts count rows from the top; the toolkit from the bottom.
    const GePoint2<float> p = parsePair(word, word);
    return {p.x, static_cast<float>(_height - 1) - p.y};
}

GePoint2<float> ScriptSession::toScene(const GePoint2<float>& windowPoint) const {
    return VwUtils::windowToWorldOrtho(getViewer().getView(), windowPoint);
}

// --- Composition and view ---

void ScriptSession::showGraph(const RCStrongPtr<PiGraph>& graph) {
    _backend.closeMenu();
    _graph = graph;
    _composition.setGraph(graph);
}

void ScriptSession::openCmd(const Words& words) {
    showGraph(PiCompositionFile::load(words[1]));
}

void ScriptSession::saveCmd(const Words& words) {
    PiCompositionFile::save(*_graph, words[1]);
}

void ScriptSession::keepCmd(const Words& words) {
    _kept[words[1]] = PiCompositionFile::saveText(*_graph);
}

void ScriptSession::sizeCmd(const Words& words) {
    const int width = parseInteger(words[1], "the width", 1, 16384);
    const int height = parseInteger(words[2], "the height", 1, 16384);
    _context.reset();
    _context = std::make_unique<GlHeadlessContext>(width, height);
    _context->makeCurrent();
    _width = width;
    _height = height;
    getArea().setWindowSize(width, height);
}

// Browsing shows the graph read-only: its stack takes no edits and the view offers no editing tools.
void ScriptSession::modeCmd(const Words& words) {
    if (words[1] != "edit" && words[1] != "browse") refuse("the mode is edit or browse, not \"" + words[1] + "\"");
    const bool edit = words[1] == "edit";
    if (_graph->getCommandStack().isWritable() == edit) return;
    VwView& view = getViewer().getView();
    const GeVector2<float> zoom = view.getUserZoom(), pan = view.getUserPan();
    _graph->getCommandStack().setWritable(edit);
    _composition.setGraph({});
    _composition.setGraph(_graph);
    view.setUserZoom(zoom);
    view.setUserPan(pan);
}

void ScriptSession::optionCmd(const Words& words) {
    getScripted().setOption(words[1], parseInteger(words[2], "an option's value", -1000000, 1000000));
}

// Closes the view and opens it again from the settings it wrote, as a workspace reopened does.
void ScriptSession::reopenCmd(const Words&) {
    XmlWriter writer;
    _view->writeSettings(writer);
    pugi::xml_document settings;
    if (!settings.load_string(writer.str().c_str())) refuse("the view wrote settings that cannot be read");
    destroyView();
    createView(settings.document_element());
}

// --- Pointer ---

void ScriptSession::moveCmd(const Words& words) {
    _pointer = parseTarget(words[1]);
    _application.pointerMove(getArea(), _pointer);
}

void ScriptSession::pressCmd(const Words& words) {
    Words operands = words;
    const EvButton button = takeButton(operands);
    _pointer = parseTarget(operands[1]);
    _application.pointerPress(getArea(), _pointer, button);
    _held.push_back(button);
}

void ScriptSession::dragCmd(const Words& words) {
    if (_held.empty()) refuse("drag needs a button held (press first)");
    const GePoint2<float> target = parseTarget(words[1]);
    const int steps = words.size() > 2 ? parseInteger(words[2], "the number of steps", 1, 100000) : 8;
    const GePoint2<float> start = _pointer;
    for (int i = 1; i <= steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        _pointer = {start.x + (target.x - start.x) * t, start.y + (target.y - start.y) * t};
        _application.pointerMove(getArea(), _pointer);
        settle(false);
    }
}

void ScriptSession::releaseCmd(const Words& words) {
    if (_held.empty()) refuse("no button is held");
    if (words.size() > 1) {
        const GePoint2<float> target = parseTarget(words[1]);
        if (!(target == _pointer)) {
            _pointer = target;
            _application.pointerMove(getArea(), _pointer);
        }
    }
    const EvButton button = _held.back();
    _held.pop_back();
    _application.pointerRelease(getArea(), _pointer, button);
}

void ScriptSession::clickCmd(const Words& words) {
    Words operands = words;
    const EvButton button = takeButton(operands);
    _pointer = parseTarget(operands[1]);
    _application.pointerPress(getArea(), _pointer, button);
    settle(false);
    _application.pointerRelease(getArea(), _pointer, button);
}

void ScriptSession::dclickCmd(const Words& words) {
    _pointer = parseTarget(words[1]);
    for (bool second : {false, true}) {
        _application.pointerPress(getArea(), _pointer, EvButton::Left, second);
        settle(false);
        _application.pointerRelease(getArea(), _pointer, EvButton::Left);
        settle(false);
    }
}

void ScriptSession::wheelCmd(const Words& words) {
    const float steps = parseNumber(words[1], "the number of wheel steps");
    _pointer = parseTarget(words[2]);
    _application.wheel(getArea(), _pointer, steps);
}

void ScriptSession::contextCmd(const Words& words) {
    _pointer = parseTarget(words[1]);
    _application.pointerPress(getArea(), _pointer, EvButton::Right);
    settle(false);
    _application.pointerRelease(getArea(), _pointer, EvButton::Right);
    if (_application.getOpenPopupMenu().isNull()) refuse("no menu opened at " + words[1]);
}

void ScriptSession::chooseCmd(const Words& words) {
    _backend.chooseMenuEntry(words[1]);
}

// The open colour dialog: R G B picks a colour (channels from 0 to 1), "cancel" closes it.
void ScriptSession::colorCmd(const Words& words) {
    if (words.size() == 2 && words[1] == "cancel") return _backend.cancelColorDialog();
    if (words.size() != 4) refuse("\"color\" takes R G B or cancel");
    _backend.chooseColor(
        {parseNumber(words[1], "a channel"), parseNumber(words[2], "a channel"), parseNumber(words[3], "a channel")});
}

// --- Keys ---

void ScriptSession::keydownCmd(const Words& words) {
    _application.keyPress(parseKey(words[1]));
}

void ScriptSession::keyupCmd(const Words& words) {
    _application.keyRelease(parseKey(words[1]));
}

void ScriptSession::keyCmd(const Words& words) {
    const EvKeyCode key = parseKey(words[1]);
    _application.keyPress(key);
    settle(false);
    _application.keyRelease(key);
}

int ScriptSession::hotkeyEntry(const std::string& name) {
    const UiHotkeyRegistry& hotkeys = _application.getHotkeyRegistry();
    const int entry = hotkeys.findEntry(UiHotkeyRegistry::SchematicDomain, name);
    if (entry == UiHotkeyRegistry::NoEntry) refuse("no hotkey \"" + name + "\" in the schematic domain");
    if (!hotkeys.getBinding(entry).isBound()) refuse("the hotkey \"" + name + "\" is bound to no key");
    return entry;
}

// Modifier keys go down before the key and come up after it, as fingers do.
void ScriptSession::pressKeys(const UiKeyBinding& binding, bool press, bool release) {
    std::vector<EvKeyCode> keys;
    for (EvKeyCode modifier : {EvKeyCode::Control, EvKeyCode::Alt, EvKeyCode::Shift})
        if (hasModifiers(binding.modifiers, EvKeyCodes::getModifierOfKey(modifier))) keys.push_back(modifier);
    keys.push_back(binding.key);
    if (press)
        for (EvKeyCode key : keys) _application.keyPress(key);
    if (press && release) settle(false);
    if (release)
        for (auto it = keys.rbegin(); it != keys.rend(); ++it) _application.keyRelease(*it);
}

void ScriptSession::holdCmd(const Words& words) {
    pressKeys(_application.getHotkeyRegistry().getBinding(hotkeyEntry(words[1])), true, false);
}

void ScriptSession::unholdCmd(const Words& words) {
    pressKeys(_application.getHotkeyRegistry().getBinding(hotkeyEntry(words[1])), false, true);
}

void ScriptSession::hotkeyCmd(const Words& words) {
    pressKeys(_application.getHotkeyRegistry().getBinding(hotkeyEntry(words[1])), true, true);
}

// --- Time, undo, view ---

void ScriptSession::waitCmd(const Words& words) {
    const float seconds = parseNumber(words[1], "the time to wait");
    if (seconds < 0.0f) refuse("the time to wait cannot be negative");
    // Alarms follow what was painted (the socket names start from the draw pass), so time passes
    // over painted frames.
    settle(true);
    _backend.setPainting(true);
    _backend.advance(seconds);
    _backend.setPainting(false);
}

void ScriptSession::undoCmd(const Words&) {
    if (!_graph->getCommandStack().canUndo()) refuse("nothing to undo");
    _graph->getCommandStack().undo();
}

void ScriptSession::redoCmd(const Words&) {
    if (!_graph->getCommandStack().canRedo()) refuse("nothing to redo");
    _graph->getCommandStack().redo();
}

void ScriptSession::fitCmd(const Words&) {
    getViewer().zoomToFit(UiViewer2D::FitType::All);
}

void ScriptSession::zoomCmd(const Words& words) {
    const float zoom = parseNumber(words[1], "the zoom");
    if (zoom <= 0.0f) refuse("the zoom must be above 0");
    getViewer().setUserZoom({zoom, zoom});
}

void ScriptSession::panCmd(const Words& words) {
    getViewer().setUserPan({parseNumber(words[1], "the pan"), parseNumber(words[2], "the pan")});
}

void ScriptSession::renderCmd(const Words& words) {
    settle(true);
    getArea().paint();
    IxPngFile::writeOpaque(words[1], _context->readPixels());
}

// --- Model edits from outside the view ---

RCStrongPtr<PiNode> ScriptSession::findModelNode(const std::string& name) const {
    RCStrongPtr<PiNode> found;
    bool several = false;
    PiGroupUtils::walkTree(
        *_graph->getRootGroup(),
        [&](PiNode& node) {
            if (node.getName() != name || &node == _graph->getRootGroup().get()) return true;
            several = several || !found.isNull();
            found = RCStrongPtr<PiNode>(&node);
            return true;
        },
        [](PiNode&) {});
    if (found.isNull()) refuse("the composition has no node \"" + name + "\"");
    if (several) refuse("several nodes of the composition are named \"" + name + "\"");
    return found;
}

// Each edit is one undo entry, as a change made by another view would be.
void ScriptSession::editCmd(const Words& words) {
    const std::string& what = words[1];
    auto operands = [&](size_t count) {
        if (words.size() != count + 2) refuse("\"edit " + what + "\" takes " + std::to_string(count) + " operands");
    };
    CmCommandStack& stack = _graph->getCommandStack();
    if (what == "connect") {
        operands(2);
        const auto [source, output] = splitSocket(words[2]);
        const auto [target, input] = splitSocket(words[3]);
        const RCStrongPtr<PiNode> from = findModelNode(source), to = findModelNode(target);
        PiUndoGuard guard(stack, "Connect");
        _graph->connect(findSocket(from->getOutputs(), output, "output", source),
                        findSocket(to->getInputs(), input, "input", target));
    } else if (what == "disconnect") {
        operands(1);
        const auto [target, input] = splitSocket(words[2]);
        const RCStrongPtr<PiInput> socket = findSocket(findModelNode(target)->getInputs(), input, "input", target);
        if (!socket->isConnected()) refuse("the input \"" + words[2] + "\" is not connected");
        PiUndoGuard guard(stack, "Disconnect");
        _graph->disconnect(socket);
    } else if (what == "add") {
        if (words.size() != 4 && words.size() != 6) refuse("\"edit add\" takes TOOL NAME [X Y]");
        const bool placed = words.size() == 6;
        const float x = placed ? parseNumber(words[4], "a position") : 0.0f;
        const float y = placed ? parseNumber(words[5], "a position") : 0.0f;
        RCStrongPtr<PiNode> node;
        {
            PiUndoGuard guard(stack, "Add " + words[2]);
            node = _graph->createNode(words[2], _graph->getRootGroup(), words[3]);
            if (placed) PiSchematicInterfaceEx::setXYPosition(node, x, y);
        }
        if (!placed) _composition.placeNewNode(node);
    } else if (what == "remove") {
        operands(1);
        const RCStrongPtr<PiNode> node = findModelNode(words[2]);
        PiUndoGuard guard(stack, "Delete");
        _graph->removeNode(node);
    } else if (what == "rename") {
        operands(2);
        const RCStrongPtr<PiNode> node = findModelNode(words[2]);
        PiUndoGuard guard(stack, "Rename");
        _graph->renameNode(node, words[3]);
    } else if (what == "move") {
        operands(3);
        const RCStrongPtr<PiNode> node = findModelNode(words[2]);
        const float x = parseNumber(words[3], "a position"), y = parseNumber(words[4], "a position");
        PiUndoGuard guard(stack, "Move");
        PiSchematicInterfaceEx::setXYPosition(node, x, y);
    } else if (what == "socket") {
        operands(3);
        RCStrongPtr<PiGroupNode> group;
        if (!group.dynamicAssign(findModelNode(words[2]))) refuse("\"" + words[2] + "\" is not a group");
        if (words[3] != "in" && words[3] != "out") refuse("a socket goes in or out, not \"" + words[3] + "\"");
        PiUndoGuard guard(stack, "Add Socket");
        _graph->addGroupSocket(group, words[4], words[3] == "out");
    } else {
        refuse("no edit \"" + what + "\" (edits: connect, disconnect, add, remove, rename, move, socket)");
    }
}

// The view's own edits, as its menus and tools run them.
void ScriptSession::commandCmd(const Words& words) {
    getScripted().runCommand(Words(words.begin() + 1, words.end()),
                             [this](const std::string& target) { return toScene(parseTarget(target)); });
}

// Text another program put on the clipboard.
void ScriptSession::clipboardCmd(const Words& words) {
    _backend.setClipboardText(words[1]);
}

// --- Reports ---

void ScriptSession::print(const std::string& line) {
    _out << line << '\n';
}

void ScriptSession::print(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) print(line);
}

void ScriptSession::printCmd(const Words& words) {
    // Reports show what a window would show by now: what is pending is painted first.
    settle(true);
    const std::string& topic = words[1];
    const bool targeted = topic == "pick" || topic == "tooltip" || topic == "point";
    const bool named = topic == "same";
    if ((targeted || named) != (words.size() == 3))
        refuse("\"print " + topic + "\" takes " + (targeted ? "a target" : named ? "a name" : "no operand"));
    if (topic == "pick") {
        print(getScripted().getPickReport(toScene(parseTarget(words[2]))));
    } else if (topic == "point") {
        // Counted from the top, as targets are, so window tests can aim at it.
        const GePoint2<float> p = parseTarget(words[2]);
        print("point\t" + formatNumber(p.x) + "\t" + formatNumber(static_cast<float>(_height - 1) - p.y));
    } else if (topic == "tooltip") {
        print("tooltip\t" + _application.requestTooltip(getArea(), parseTarget(words[2])).str());
    } else if (topic == "same") {
        const auto kept = _kept.find(words[2]);
        if (kept == _kept.end()) refuse("nothing is kept as \"" + words[2] + "\"");
        print("same\t" + words[2] + "\t" + describeDifference(kept->second, PiCompositionFile::saveText(*_graph)));
    } else if (topic == "view") {
        const VwView& view = getViewer().getView();
        print("view\t" + formatNumber(view.getUserZoom().x) + "\t" + formatNumber(view.getUserPan().x) + "\t" +
              formatNumber(view.getUserPan().y));
    } else if (topic == "undo") {
        const CmCommandStack& stack = _graph->getCommandStack();
        for (int i = 0; i < stack.getNbUndoEntries(); ++i) print("undo\t" + stack.getEntryName(i).str());
        for (int i = stack.getNbUndoEntries(); i < stack.getNbEntries(); ++i)
            print("redo\t" + stack.getEntryName(i).str());
    } else if (topic == "menu") {
        const RCShdPtr<UiPopupMenu>& menu = _application.getOpenPopupMenu();
        if (menu.isNull()) refuse("no menu is open");
        for (const UiPopupMenu::Row& row : menu->getRows()) {
            if (row.entry->kind == UiPopupMenu::Entry::Kind::Separator) print("menu\t-");
            else
                print("menu\t" + row.path.str() + "\t" + row.entry->shortcut.str() + "\t" +
                      (row.entry->enabled ? "1" : "0"));
        }
    } else if (topic == "cursor") {
        print("cursor\t" + _application.getCurrentCursor()->getName().str());
    } else if (topic == "alarms") {
        for (const auto& alarm : _application.getAlarmManager().getRegisteredAlarms())
            print("alarm\t" + alarm->getName().str());
    } else {
        print(getScripted().getReport(topic));
    }
}

} // namespace Zv
