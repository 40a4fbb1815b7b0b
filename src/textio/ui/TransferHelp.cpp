#include "textio/ui/TransferHelp.h"

#include <QObject>
#include <QWidget>

namespace TransferHelp {

namespace {

QString text(int helpNumber) {
    switch (helpNumber) {
        case kFileName:
            return QObject::tr(
                "The text file to read or write. Type its path or choose it "
                "with the \"...\" button.");
        case kBrowse:
            return QObject::tr("Chooses the text file in a file dialog.");
        case kFirstLine:
            return QObject::tr(
                "The first line of the file, as it stands, to help you choose "
                "the characters below.");
        case kHeader:
            return QObject::tr(
                "Tick when the first line holds the names of the fields rather "
                "than a record. On export, writes such a line.");
        case kSeparator:
            return QObject::tr("The character between two fields of a line.");
        case kEncloser:
            return QObject::tr(
                "The character around each text value, so that a value may "
                "hold the separator.");
        case kFieldList:
            return QObject::tr(
                "On export, tick the fields to write. On import, click a "
                "column of the file to choose the field it is read into.");
        case kAssignField:
            return QObject::tr(
                "The field the column is read into. Each field is read from "
                "one column only: choosing it here takes it from another.");
        case kImportThisField:
            return QObject::tr("Clear to leave the column out of the import.");
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
