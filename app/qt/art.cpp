#include "app/qt/art.h"

namespace Chromell {

QImage Artwork() {
    return QImage(QStringLiteral(":/chromell/form30.gif"));
}

QIcon AppIcon() {
    return QIcon(QStringLiteral(":/chromell/chromell-icon.png"));
}

} // namespace Chromell
