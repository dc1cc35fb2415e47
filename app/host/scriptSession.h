#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/graph/uiComposition.h"
#include "platform/ui/evDeviceEvent.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiHeadlessBackend.h"
#include "platform/ui/uiKeyBinding.h"

#include <pugixml.hpp>

#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Zv {

class GlHeadlessContext;
class PiGraph;
class UiScriptedView;
class UiView;
class UiViewer2D;
class UiWidget;

// A view of one type shown headless on a composition, driven by a script: pointer and key input,
// the simulated clock, menus, options, model edits from outside, and reports of what the view shows.
// The session owns the headless application and starts the registered packages (the view's module
// among them) for its lifetime, so one session exists at a time.
class ScriptSession {
public:
    static constexpr int DefaultWidth = 1280;
    static constexpr int DefaultHeight = 800;

    // The built-in sample shown when no file is named.
    static std::string getDefaultCompositionPath();

    // Shows the composition (the sample when path is empty) in a view of that type, in edit mode.
    // ExBadInput when the file is malformed or no such view type is registered.
    ScriptSession(const std::string& viewType, const std::string& path, int width, int height, std::ostream& out);
    ~ScriptSession();
    ScriptSession(const ScriptSession&) = delete;
    ScriptSession& operator=(const ScriptSession&) = delete;

    // Runs a whole script. ExBadInput "SCRIPT:LINE: reason" at the first line that fails.
    void runFile(const std::string& scriptPath);
    // Runs one line; ExBadInput with the reason when it fails.
    void runLine(const std::string& line);

private:
    struct Target;
    using Words = std::vector<std::string>;
    using Handler = void (ScriptSession::*)(const Words& words);
    struct Command {
        const char* name;
        int minWords; // the command's name included
        int maxWords;
        Handler handler;
    };
    static const Command kCommands[];

    void createView(const pugi::xml_node& settings);
    void destroyView();
    void showGraph(const RCStrongPtr<PiGraph>& graph);
    // Runs posted requests; with paint, also paints what a window would have painted by now.
    void settle(bool paint);

    UiDrawArea& getArea() const;
    UiViewer2D& getViewer() const;
    UiScriptedView& getScripted() const;
    // A window point (the toolkit's pixels, y up) from a target word.
    GePoint2<float> parseTarget(const std::string& word);
    GePoint2<float> toScene(const GePoint2<float>& windowPoint) const;
    // Pointer commands take modifier words after their operands.
    EvModifier takeModifiers(Words& words) const;
    void withModifiers(EvModifier modifiers, const std::function<void()>& work);
    void pressKeys(const UiKeyBinding& binding, bool press, bool release);
    int hotkeyEntry(const std::string& name);
    RCStrongPtr<PiNode> findModelNode(const std::string& name) const;

    void openCmd(const Words& words);
    void saveCmd(const Words& words);
    void keepCmd(const Words& words);
    void sizeCmd(const Words& words);
    void modeCmd(const Words& words);
    void optionCmd(const Words& words);
    void reopenCmd(const Words& words);
    void moveCmd(const Words& words);
    void pressCmd(const Words& words);
    void dragCmd(const Words& words);
    void releaseCmd(const Words& words);
    void clickCmd(const Words& words);
    void dclickCmd(const Words& words);
    void wheelCmd(const Words& words);
    void keydownCmd(const Words& words);
    void keyupCmd(const Words& words);
    void keyCmd(const Words& words);
    void holdCmd(const Words& words);
    void unholdCmd(const Words& words);
    void hotkeyCmd(const Words& words);
    void waitCmd(const Words& words);
    void contextCmd(const Words& words);
    void chooseCmd(const Words& words);
    void colorCmd(const Words& words);
    void undoCmd(const Words& words);
    void redoCmd(const Words& words);
    void fitCmd(const Words& words);
    void zoomCmd(const Words& words);
    void panCmd(const Words& words);
    void renderCmd(const Words& words);
    void editCmd(const Words& words);
    void commandCmd(const Words& words);
    void clipboardCmd(const Words& words);
    void printCmd(const Words& words);

    void print(const std::string& line);
    void print(const std::vector<std::string>& lines);

    std::ostream& _out;
    std::string _viewType;
    UiHeadlessBackend _backend;
    UiApplication _application;
    std::unique_ptr<GlHeadlessContext> _context;
    RCStrongPtr<PiGraph> _graph;
    UiComposition _composition;
    RCShdPtr<UiWidget> _top;
    UiView* _view = nullptr;
    int _width;
    int _height;
    GePoint2<float> _pointer;
    std::vector<EvButton> _held;
    // Saved texts kept by name, for comparing the composition with an earlier state of it.
    std::map<std::string, std::string> _kept;
};

} // namespace Zv
