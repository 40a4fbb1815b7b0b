#pragma once

#include <string>

#include "textio/TextTransferSpec.h"
#include "textio/TransferWizardRules.h"

class UserPrompts;
class QWidget;

// What the wizard's pages share during one run.
struct TransferRun {
    bool import;
    TransferKind kind;
    TextTransferSpec& spec;
    UserPrompts& prompts;
    std::string sample;  // import: the start of the file as UTF-8, for the sample values
};

// Shows a refusal of the wizard's checks; the page stays.
void showRefusal(TransferRun& run, const WizardRefusal& refusal);
