#pragma once

#include "platform/base/liString.h"

#include <QCursor>

namespace Zv {

// Qt cursors for the toolkit's cursor names. The arrow is the system's; pan, scissor, recycle and
// zoom are drawn here, black on a white outline so they show on any background.
class UiQtCursors {
public:
    // The arrow for a name the toolkit does not know.
    static QCursor getCursor(const LiString& name);
    // The picture of a drawn cursor, null for the system's; for checking the shapes.
    static QPixmap getPixmap(const LiString& name);
};

} // namespace Zv
