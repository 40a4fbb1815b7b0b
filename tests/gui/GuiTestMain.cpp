#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>
#include <QTemporaryDir>

namespace {

// A dark desktop's colours, for looking at the windows as its users see them.
QPalette darkPalette() {
    QPalette dark;
    const QColor window(0x31, 0x36, 0x3b), text(0xfc, 0xfc, 0xfc);
    for (const auto role :
         {QPalette::Window, QPalette::AlternateBase, QPalette::Button, QPalette::ToolTipBase})
        dark.setColor(role, window);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                            QPalette::HighlightedText, QPalette::ToolTipText})
        dark.setColor(role, text);
    dark.setColor(QPalette::Base, QColor(0x232629));
    dark.setColor(QPalette::BrightText, Qt::white);
    dark.setColor(QPalette::PlaceholderText, QColor(0xa1a9b1));
    dark.setColor(QPalette::Highlight, QColor(0x3daee9));
    dark.setColor(QPalette::Link, QColor(0x1d99f3));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, QColor(0x6e7175));
    return dark;
}

}  // namespace

// Widgets need one application object for the whole run.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // Qt's file dialog remembers its state in the user's configuration; the tests must
    // neither read nor change the real one.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    // Nor may they leave recovery copies or backups among the user's own.
    qputenv("XDG_STATE_HOME", config.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    // QUILLMATE_DARK=1 runs the windows in the Fusion style on a dark palette, for the
    // screenshots (QUILLMATE_SCREENSHOTS) of a dark desktop.
    if (qEnvironmentVariableIntValue("QUILLMATE_DARK") != 0) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkPalette());
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
