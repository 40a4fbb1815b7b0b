#include "platform/qt/ProgramData.h"

#include <QCoreApplication>
#include <QDir>

std::vector<std::string> programDataDirs() {
    std::vector<std::string> dirs;
    if (QCoreApplication::instance() != nullptr) {
        const QString besideProgram = QDir(QCoreApplication::applicationDirPath())
                                          .filePath(QStringLiteral("../share/quillmate"));
        dirs.push_back(QDir::cleanPath(besideProgram).toStdString());
    }
    dirs.emplace_back(QUILLMATE_INSTALLED_DATA_DIR);
    return dirs;
}
