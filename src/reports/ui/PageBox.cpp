#include "reports/ui/PageBox.h"
#include "platform/Translate.h"

#include <QSignalBlocker>

#include "platform/Translate.h"

PageBox::PageBox(QWidget* parent) : QSpinBox(parent) {
    // A typed number counts once it is complete, not at each digit.
    setKeyboardTracking(false);
    setToolTip(_("Go to page"));
    setAccessibleName(QString::fromUtf8(_("Page")));
    connect(this, &QSpinBox::valueChanged, this, [this](int page) { emit pageChosen(page - 1); });
}

void PageBox::showPage(int current, int count) {
    const QSignalBlocker quiet(this);
    setRange(1, std::max(count, 1));
    setSuffix(QString(_(" of %1")).arg(std::max(count, 1)));
    setValue(current + 1);
}
