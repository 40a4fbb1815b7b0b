#include "workspace/ui/DocumentFolder.h"

#include <QFile>
#include <QStandardPaths>

#include "records/PimDocument.h"
#include "workspace/FileDialogFolder.h"

QString documentDialogFolder(const PimDocument& document) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFile::decodeName(
        fileDialogFolder(document.path(), QFile::encodeName(documents).toStdString()).c_str());
}
