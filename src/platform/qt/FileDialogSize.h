#pragma once

class QFileDialog;

// Widens the detail columns (size, type, date) of a file dialog to what their texts need
// and grows the dialog so that every column shows: Qt opens it so small that they are
// cut off. A size the user gave a column earlier is kept when it is wider.
void fitFileDialogColumns(QFileDialog& dialog);
