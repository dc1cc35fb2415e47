#include "platform/ui/uiHeadlessBackend.h"

#include "platform/base/exBase.h"
#include "platform/ui/drCarrier.h"
#include "platform/ui/mtAlarmManager.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiColorDialog.h"
#include "platform/ui/uiDragAndDrop.h"
#include "platform/ui/uiDrawArea.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiPopupMsgBox.h"
#include "platform/ui/uiTextField.h"
#include "platform/ui/uiWidget.h"
#include "platform/ui/wsCursor.h"

#include <algorithm>

namespace Zv {
namespace {

// Painting that keeps asking for more (a scene still loading) yields to the next command.
constexpr int kMaxRounds = 4;

} // namespace

UiHeadlessBackend::UiHeadlessBackend() = default;

UiHeadlessBackend::~UiHeadlessBackend() = default;

void UiHeadlessBackend::processPending() {
    UiApplication& app = UiApplication::getInstance();
    for (int round = 0; round < kMaxRounds; ++round) {
        app.runPostedRequests();
        if (!_painting || _dirty.empty()) return;
        const std::vector<RCWeakPtr<UiDrawArea>> areas = std::exchange(_dirty, {});
        _dirtyIds.clear();
        for (const auto& weak : areas)
            if (RCShdPtr<UiDrawArea> area = weak.lock()) area->paint();
        if (app.getNbPostedRequests() == 0) return;
    }
}

void UiHeadlessBackend::advance(double seconds) {
    const double target = _now + seconds;
    MtAlarmManager& alarms = UiApplication::getInstance().getAlarmManager();
    for (std::optional<double> due = alarms.getNextDueTime(); due && *due <= target; due = alarms.getNextDueTime()) {
        _now = std::max(_now, *due);
        alarms.fireNext(_now);
        processPending();
    }
    _now = target;
    processPending();
}

void UiHeadlessBackend::requestRepaint(UiDrawArea& area, const GeRectangle<float>&) {
    ++_nbRepaintRequests;
    if (std::find(_dirtyIds.begin(), _dirtyIds.end(), &area) != _dirtyIds.end()) return;
    _dirty.emplace_back(RCShdPtr<UiDrawArea>(&area));
    _dirtyIds.push_back(&area);
}

void UiHeadlessBackend::chooseMenuEntry(const LiString& path) {
    UiApplication& app = UiApplication::getInstance();
    RCShdPtr<UiPopupMenu> menu = app.getOpenPopupMenu();
    if (menu.isNull()) throw ExBadInput(__FILE__, __LINE__, "no menu is open");
    const UiPopupMenu::Entry& entry = menu->getChoosableEntry(path);
    app.popupMenuClosed();
    UiPopupMenu::activate(entry);
}

void UiHeadlessBackend::closeMenu() {
    UiApplication::getInstance().popupMenuClosed();
}

namespace {

// The open colour dialog, closed.
RCShdPtr<UiColorDialog> takeColorDialog() {
    UiApplication& app = UiApplication::getInstance();
    RCShdPtr<UiColorDialog> dialog = app.getOpenColorDialog();
    if (dialog.isNull()) throw ExBadInput(__FILE__, __LINE__, "no colour dialog is open");
    app.colorDialogClosed();
    return dialog;
}

} // namespace

void UiHeadlessBackend::chooseColor(const UiResColor& color) {
    takeColorDialog()->choose(color);
}

void UiHeadlessBackend::cancelColorDialog() {
    takeColorDialog();
}

void UiHeadlessBackend::showTooltip(UiDrawArea&, const LiString& text, const GeRectangle<float>& rect) {
    _tooltipText = text;
    _tooltipRect = text.isEmpty() ? GeRectangle<float>() : rect;
}

void UiHeadlessBackend::setCursor(const WsCursor& cursor) {
    _cursorName = cursor.getName();
}

int UiHeadlessBackend::runModal(UiPopupMsgBox& box) {
    _dialogTitles.push_back(box.getTitle());
    if (_answers.empty()) return box.getCancelButton();
    const DialogAnswer answer = _answers.front();
    _answers.erase(_answers.begin());
    const int button = box.findButton(answer.button);
    if (button < 0)
        throw ExBadInput(__FILE__, __LINE__,
                         "the dialog \"" + box.getTitle().str() + "\" has no button \"" + answer.button.str() + "\"");
    for (const auto& [name, value] : answer.fields) {
        RCShdPtr<UiTextField> field;
        if (box.getContent().isNull() || !field.dynamicAssign(box.getContent()->findWidget(name)))
            throw ExBadInput(__FILE__, __LINE__,
                             "the dialog \"" + box.getTitle().str() + "\" has no text field \"" + name.str() + "\"");
        field->setText(value, true);
    }
    return button;
}

void UiHeadlessBackend::startDrag(UiDrawArea& area, const RCShdPtr<DrCarrier>& carrier) {
    _dragged = carrier;
    _dragSource = RCShdPtr<UiDrawArea>(&area);
}

void UiHeadlessBackend::endDrag(bool dropped) {
    RCShdPtr<UiDrawArea> area = _dragSource.lock();
    _dragged.reset();
    _dragSource = nullptr;
    if (!area.isNull() && !area->getDragAndDrop().isNull()) area->getDragAndDrop()->dragFinished(dropped);
}

} // namespace Zv
