#pragma once

class QLineEdit;
class QString;

// Gives a line its clear button, named for screen readers: the button shows an image alone
// whenever there is text, and Qt leaves its action out of the line's actions().
void giveClearButton(QLineEdit& line, const QString& name);
