#include "platform/ui/qt/uiQtWidgetBuilder.h"

#include "platform/base/cbMethod.h"
#include "platform/ui/uiLabel.h"
#include "platform/ui/uiMenu.h"
#include "platform/ui/uiTab.h"
#include "platform/ui/uiTextField.h"
#include "platform/ui/uiToggle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include <functional>

namespace Zv {
namespace {

QString toQt(const LiString& text) {
    return QString::fromStdString(text.str());
}

// Lives as long as its Qt widget and brings the toolkit widget's state over on every notice.
class Binding : public QObject {
public:
    Binding(QWidget& qtWidget, const RCShdPtr<UiWidget>& widget, std::function<void()> syncValue)
        : QObject(&qtWidget), _qtWidget(qtWidget), _widget(widget), _syncValue(std::move(syncValue)) {
        sync();
        _registration = _widget->addStateChangedCb(makeRC<CbFunction<UiWidget&>>([this](UiWidget&) { sync(); }));
    }

private:
    void sync() {
        _qtWidget.setEnabled(_widget->isEnabled());
        // A tab shows its current page itself, and the root is shown by whoever holds it.
        const bool tabPage = dynamic_cast<UiTab*>(_widget->getParent()) != nullptr;
        if (_qtWidget.parentWidget() != nullptr && !tabPage) _qtWidget.setVisible(_widget->isDisplayed());
        if (_syncValue) _syncValue();
    }

    QWidget& _qtWidget;
    RCShdPtr<UiWidget> _widget;
    std::function<void()> _syncValue;
    CbRegistration _registration;
};

// The widget as a W, or null. Qt connections hold toolkit widgets by these handles.
template <class W>
RCShdPtr<W> as(const RCShdPtr<UiWidget>& widget) {
    RCShdPtr<W> typed;
    typed.dynamicAssign(widget);
    return typed;
}

QTabWidget* buildTab(const RCShdPtr<UiTab>& tab, std::function<void()>& sync) {
    auto* tabs = new QTabWidget;
    for (int i = 0; i < tab->getNbPages(); ++i)
        tabs->addTab(UiQtWidgetBuilder::build(tab->getChildren()[i], tabs), toQt(tab->getPageTitles()[i]));
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [tab](int index) {
        if (index >= 0 && index != tab->getCurrentPage()) tab->setCurrentPage(index);
    });
    sync = [tab, tabs] { tabs->setCurrentIndex(tab->getCurrentPage()); };
    return tabs;
}

QWidget* buildContainer(const UiContainer& container) {
    auto* built = new QWidget;
    auto* layout = new QVBoxLayout(built);
    for (const RCShdPtr<UiWidget>& child : container.getChildren())
        layout->addWidget(UiQtWidgetBuilder::build(child, built));
    layout->addStretch();
    return built;
}

QCheckBox* buildToggle(const RCShdPtr<UiToggle>& toggle, std::function<void()>& sync) {
    auto* box = new QCheckBox(toQt(toggle->getText()));
    QObject::connect(box, &QCheckBox::clicked, box, [toggle](bool checked) { toggle->setValue(checked, true); });
    sync = [toggle, box] { box->setChecked(toggle->getValue()); };
    return box;
}

QWidget* buildMenu(const RCShdPtr<UiMenu>& menu, std::function<void()>& sync) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!menu->getText().isEmpty()) layout->addWidget(new QLabel(toQt(menu->getText())));
    auto* combo = new QComboBox;
    layout->addWidget(combo);
    layout->addStretch();
    QObject::connect(combo, &QComboBox::activated, combo, [menu](int index) { menu->setSelectedIndex(index, true); });
    sync = [menu, combo] {
        QStringList items;
        for (const LiString& item : menu->getItems()) items << toQt(item);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
        if (shown != items) {
            combo->clear();
            combo->addItems(items);
        }
        combo->setCurrentIndex(menu->getSelectedIndex());
    };
    return row;
}

QLineEdit* buildTextField(const RCShdPtr<UiTextField>& field, std::function<void()>& sync) {
    auto* edit = new QLineEdit;
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [field](const QString& text) { field->setText(text.toStdString(), true); });
    // Setting the text the line already has would move the cursor of the line being typed.
    sync = [field, edit] {
        if (edit->text() != toQt(field->getText())) edit->setText(toQt(field->getText()));
    };
    return edit;
}

} // namespace

QWidget* UiQtWidgetBuilder::build(const RCShdPtr<UiWidget>& widget, QWidget* parent) {
    QWidget* built = nullptr;
    std::function<void()> sync;
    if (RCShdPtr<UiTab> tab = as<UiTab>(widget)) {
        built = buildTab(tab, sync);
    } else if (RCShdPtr<UiContainer> container = as<UiContainer>(widget)) {
        built = buildContainer(*container);
    } else if (RCShdPtr<UiToggle> toggle = as<UiToggle>(widget)) {
        built = buildToggle(toggle, sync);
    } else if (RCShdPtr<UiMenu> menu = as<UiMenu>(widget)) {
        built = buildMenu(menu, sync);
    } else if (RCShdPtr<UiLabel> label = as<UiLabel>(widget)) {
        auto* text = new QLabel;
        sync = [label, text] { text->setText(toQt(label->getText())); };
        built = text;
    } else if (RCShdPtr<UiTextField> field = as<UiTextField>(widget)) {
        built = buildTextField(field, sync);
    } else {
        built = new QWidget;
    }
    built->setObjectName(toQt(widget->getName()));
    if (parent != nullptr) built->setParent(parent);
    new Binding(*built, widget, std::move(sync));
    return built;
}

} // namespace Zv
