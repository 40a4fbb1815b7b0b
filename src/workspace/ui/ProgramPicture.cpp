#include "workspace/ui/ProgramPicture.h"

namespace ProgramPicture {

QPixmap picture() {
    return QPixmap(QStringLiteral(":/images/about.png"));
}

QFont nameFont(const QFont& base) {
    QFont font = base;
    font.setPointSize(16);
    font.setItalic(true);
    return font;
}

}  // namespace ProgramPicture
