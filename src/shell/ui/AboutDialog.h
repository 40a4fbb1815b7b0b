#pragma once

#include <QDialog>

// "About Quillmate": the picture, the name and the version, closed with OK.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};
