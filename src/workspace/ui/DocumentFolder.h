#pragma once

#include <QString>

class PimDocument;

// The folder file dialogs open in while `document` is open: its own folder, or the
// user's documents folder for a document never saved.
[[nodiscard]] QString documentDialogFolder(const PimDocument& document);
