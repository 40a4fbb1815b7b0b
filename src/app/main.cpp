#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmate"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Quillmate [Untitled]"));
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
