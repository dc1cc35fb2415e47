#include "platform/ui/qt/uiQtMime.h"

#include "platform/ui/drCarrier.h"
#include "platform/ui/drFileItem.h"

#include <QMimeData>
#include <QUrl>

namespace Zv {

QMimeData* UiQtMime::toMimeData(const DrCarrier& carrier, const QByteArray& token) {
    auto* data = new QMimeData;
    if (!carrier.getText().isEmpty()) data->setText(QString::fromStdString(carrier.getText().str()));
    data->setData(TokenType, token);
    return data;
}

QByteArray UiQtMime::getToken(const QMimeData& data) {
    return data.data(TokenType);
}

RCShdPtr<DrCarrier> UiQtMime::toCarrier(const QMimeData& data) {
    RCShdPtr<DrCarrier> carrier = DrCarrier::create();
    for (const QUrl& url : data.urls())
        if (url.isLocalFile()) carrier->addItem(makeRC<DrFileItem>(url.toLocalFile().toStdString()));
    // A file list is also offered as text: the files alone are what it carries.
    if (carrier->getItems().empty() && data.hasText()) carrier->setText(data.text().toStdString());
    return carrier->isEmpty() ? RCShdPtr<DrCarrier>() : carrier;
}

} // namespace Zv
