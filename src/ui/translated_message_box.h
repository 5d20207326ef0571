#pragma once

#include <QString>

class QWidget;

// Message boxes with titles and buttons in the interface language ("Information" / "信息",
// "&Yes" / "是", ...). Every window of the program shows its messages through these, so a
// box follows the language of the window that shows it.
namespace TranslatedMessageBox {

void information(QWidget* parent, const QString& text);
void warning(QWidget* parent, const QString& text);
void error(QWidget* parent, const QString& text);
// A confirmation with Yes and No; true for Yes.
bool confirm(QWidget* parent, const QString& text);

} // namespace TranslatedMessageBox
