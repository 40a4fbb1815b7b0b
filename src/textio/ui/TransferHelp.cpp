#include "textio/ui/TransferHelp.h"
#include "platform/Translate.h"

#include <QObject>
#include <QWidget>

namespace TransferHelp {

namespace {

QString text(int helpNumber) {
    switch (helpNumber) {
        case kFileName:
            return _(
                "The text file to read or write. Type its path or choose it "
                "with the \"...\" button.");
        case kBrowse:
            return _("Chooses the text file in a file dialog.");
        case kFirstLine:
            return _(
                "The first line of the file, as it stands, to help you choose "
                "the characters below.");
        case kHeader:
            return _(
                "Tick when the first line holds the names of the fields rather "
                "than a record. On export, writes such a line.");
        case kSeparator:
            return _("The character between two fields of a line.");
        case kEncloser:
            return _(
                "The character around each text value, so that a value may "
                "hold the separator.");
        case kFieldList:
            return _(
                "On export, tick the fields to write. On import, click a "
                "column of the file to choose the field it is read into.");
        case kAssignField:
            return _(
                "The field the column is read into. Each field is read from "
                "one column only: choosing it here takes it from another.");
        case kImportThisField:
            return _("Clear to leave the column out of the import.");
        default:
            return {};
    }
}

}  // namespace

void attach(int helpNumber, std::initializer_list<QWidget*> widgets) {
    for (QWidget* widget : widgets)
        widget->setWhatsThis(text(helpNumber));
}

}  // namespace TransferHelp
