#pragma once

#include "platform/base/cbList.h"
#include "platform/base/geRectangle.h"
#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/uiConstraint.h"
#include "platform/ui/uiResColor.h"

#include <map>
#include <optional>
#include <vector>

namespace Zv {

class EvEvent;
class EvHotkeyEvent;
class EvPointerButtonEvent;
class EvTooltipEvent;
class UiContainer;
class UiDrawArea;

// Base of every widget: a name, a place in its container, colours, kept client data and the
// callbacks of the events it receives. Geometry is in window pixels of the outermost draw area
// (origin bottom left, y up). Widgets live in shared handles (makeRC): the toolkit hands out
// handles to them.
class UiWidget : public RCBase {
public:
    // Colours a widget draws with.
    enum class ColorRole : int {
        Background = 0, // fills the widget
        InfoRect = 1,   // behind the info banner of viewers
        Text = 2,       // labels and banner text
        Frame = 3,      // outlines
    };
    using ArmHandler = CbHandler<EvPointerButtonEvent&>;
    using TooltipHandler = CbHandler<EvTooltipEvent&>;
    using HotkeyHandler = CbHandler<EvHotkeyEvent&>;
    using StateHandler = CbHandler<UiWidget&>;

    explicit UiWidget(LiString name);
    ~UiWidget() override;

    const LiString& getName() const { return _name; }
    UiContainer* getParent() const { return _parent; }

    void display(bool shown);
    bool isDisplayed() const { return _displayed; }
    // Displayed, and so is every container around it.
    bool isMapped() const;
    void setEnabled(bool enabled);
    bool isEnabled() const { return _enabled; }
    void setOpacity(float opacity) { _opacity = opacity; }
    float getOpacity() const { return _opacity; }

    const GeRectangle<int>& getGeometry() const { return _geometry; }
    virtual void setGeometry(const GeRectangle<int>& geometry);
    // Applied by the container whenever its geometry changes.
    void setConstraint(const UiConstraint& constraint);
    const std::optional<UiConstraint>& getConstraint() const { return _constraint; }

    void setColor(ColorRole role, const UiResColor& color) { _colors[role] = color; }
    UiResColor getColor(ColorRole role) const;

    // Keeps a shared reference for as long as the widget lives.
    void addClientData(const RCShdPtr<RCBase>& data) { _clientData.push_back(data); }
    const std::vector<RCShdPtr<RCBase>>& getClientData() const { return _clientData; }

    // This widget or one inside it with that name; null when there is none.
    virtual RCShdPtr<UiWidget> findWidget(const LiString& name);

    // Arm: a pointer button went down over the widget. Tooltip: a tooltip is asked for.
    CbRegistration addArmCb(RCShdPtr<ArmHandler> handler) { return _armCbs.add(std::move(handler)); }
    CbRegistration addTooltipCb(RCShdPtr<TooltipHandler> handler) { return _tooltipCbs.add(std::move(handler)); }
    CbRegistration addHotkeyCb(RCShdPtr<HotkeyHandler> handler) { return _hotkeyCbs.add(std::move(handler)); }
    // Any change of what the widget shows (value, text, page, shown, enabled), quiet ones included:
    // a window backend keeps its native widget in step with it.
    CbRegistration addStateChangedCb(RCShdPtr<StateHandler> handler) { return _stateCbs.add(std::move(handler)); }
    // Runs the callbacks that match the event; each one checks whether an earlier one processed it.
    virtual void handleEvent(EvEvent& event);

    // Asks for the widget to be painted again, whole or a region of its own pixels.
    virtual void markForUpdate();
    virtual void markRegionForRedraw(const GeRectangle<float>& region);
    // The outermost draw area around the widget (the window), itself included; null when none.
    UiDrawArea* getWindowArea();

protected:
    void notifyStateChanged() { _stateCbs.call(*this); }

private:
    friend class UiContainer;

    LiString _name;
    UiContainer* _parent = nullptr;
    bool _displayed = true;
    bool _enabled = true;
    float _opacity = 1.0f;
    GeRectangle<int> _geometry;
    std::optional<UiConstraint> _constraint;
    std::map<ColorRole, UiResColor> _colors;
    std::vector<RCShdPtr<RCBase>> _clientData;
    CbList<EvPointerButtonEvent&> _armCbs;
    CbList<EvTooltipEvent&> _tooltipCbs;
    CbList<EvHotkeyEvent&> _hotkeyCbs;
    CbList<UiWidget&> _stateCbs;
};

} // namespace Zv
