#include "platform/ui/qt/uiQtMsgBox.h"

#include "platform/ui/qt/uiQtWidgetBuilder.h"
#include "platform/ui/uiPopupMsgBox.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace Zv {

int UiQtMsgBox::run(UiPopupMsgBox& box, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QString::fromStdString(box.getTitle().str()));
    auto* layout = new QVBoxLayout(&dialog);
    if (!box.getMessage().isEmpty()) layout->addWidget(new QLabel(QString::fromStdString(box.getMessage().str())));
    if (!box.getContent().isNull()) layout->addWidget(UiQtWidgetBuilder::build(box.getContent(), &dialog));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const std::vector<LiString>& texts = box.getButtons();
    for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
        auto* button = new QPushButton(QString::fromStdString(texts[i].str()));
        button->setObjectName(button->text());
        button->setAutoDefault(false);
        button->setDefault(i == box.getDefaultButton());
        // Dialog results above 0 are buttons; 0 is QDialog's own rejection (Escape, closing).
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, i] { dialog.done(i + 1); });
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    const int result = dialog.exec();
    return result > 0 ? result - 1 : box.getCancelButton();
}

} // namespace Zv
