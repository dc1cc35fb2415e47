#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/liString.h"

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

protected:
    ~UiScriptedView() = default;
};

} // namespace Zv
