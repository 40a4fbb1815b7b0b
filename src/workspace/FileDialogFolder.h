#pragma once

#include <string>

// The folder a file dialog opens in: that of the open document (a document named
// without a folder lives where the program was started), or `documentsFolder` for a
// document that was never saved; never merely the folder the program was started from.
[[nodiscard]] std::string fileDialogFolder(const std::string& documentPath,
                                           const std::string& documentsFolder);

// The name of the document without its folder and extension: "home" for
// "/data/home.pgr", "Untitled" for one never saved.
[[nodiscard]] std::string documentStem(const std::string& documentPath);
