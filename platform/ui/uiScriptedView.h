#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/liString.h"

#include <functional>
#include <string>
#include <vector>

namespace Zv {

// What a scripted session asks of a view beyond what the toolkit shows: where the things it names
// are, its options, and reports on its own state as lines of tab-separated fields. Every refusal
// raises ExBadInput with the reason, and changes nothing.
class UiScriptedView {
public:
    // The scene point a target names; the syntax after the "@" is the view's.
    virtual GePoint2<float> findScenePoint(const LiString& target) = 0;
    // Sets an option as the user would in the options panel.
    virtual void setOption(const LiString& name, int value) = 0;
    // The lines of a report, each starting with its kind; the topics are the view's.
    virtual std::vector<std::string> getReport(const LiString& topic) = 0;
    // What lies under a scene point, as one line.
    virtual std::string getPickReport(const GePoint2<float>& scenePoint) = 0;
    // Runs one of the view's own commands (words[0] names it) as its menus and tools would; the
    // session's target words become scene points through toScene.
    using TargetResolver = std::function<GePoint2<float>(const std::string&)>;
    virtual void runCommand(const std::vector<std::string>& words, const TargetResolver& toScene) = 0;

protected:
    ~UiScriptedView() = default;
};

} // namespace Zv
