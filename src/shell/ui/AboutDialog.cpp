#include "shell/ui/AboutDialog.h"
#include "platform/Translate.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "workspace/ui/ProgramPicture.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(_("About Quillmate"));
    auto* picture = new QLabel(this);
    picture->setPixmap(ProgramPicture::picture());
    picture->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto* name = new QLabel(QStringLiteral("Quillmate"), this);
    name->setFont(ProgramPicture::nameFont(font()));
    auto* version = new QLabel(QString::fromStdString(fillIn(_("VERSION %s"), {"1.6"})), this);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->setSpacing(20);
    top->addWidget(picture);
    top->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
