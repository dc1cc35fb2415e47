#pragma once

#include "platform/base/rcStrongPtr.h"

#include <QByteArray>

class QMimeData;

namespace Zv {

class DrCarrier;

// Drag data and carriers. A carrier travels as plain text (its text) with a token under a type of
// our own, by which a drop in the process that started the drag finds the carrier itself, items
// and all. Data from other programs gives a new carrier: local files as DrFileItems, text as text.
class UiQtMime {
public:
    static constexpr const char* TokenType = "application/x-zv-drag-token";

    static QMimeData* toMimeData(const DrCarrier& carrier, const QByteArray& token);
    static QByteArray getToken(const QMimeData& data);
    // Null when the data holds neither files nor text.
    static RCShdPtr<DrCarrier> toCarrier(const QMimeData& data);
};

} // namespace Zv
