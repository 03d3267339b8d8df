// The thin layer between the window's rules and the toolkit's text boxes.
//
// The rules rely on this event timing: writing a text box raises its change event at once, and
// only when the text really changes. Qt's QPlainTextEdit::setPlainText signals a change even
// for identical text, so every write goes through WriteText, which writes only a different
// text. Every read goes through ReadText, which gives the text exactly as stored.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QString>

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace schnackomat::ui {

// Engine text (16-bit units) to Qt text and back, unit for unit.
QString ToQString(std::u16string_view text);
std::u16string ToEngineText(const QString& text);

// The whole text of a text box (QPlainTextEdit or QLineEdit). Line breaks read as "\n";
// every other character, the no-break space included, reads as itself.
QString ReadText(const QWidget* box);

// Replaces the whole text of a text box (QPlainTextEdit or QLineEdit) with `text`, as
// setPlainText (setText) does, unless the box already reads as `text` would read after it; the
// box's change event runs once before this returns. A multi-line box keeps every line break
// ("\r\n", a lone "\r" and "\n" alike) as one break, read back as "\n", so a text that differs
// from the box's only in how its line breaks are written counts as already held. The view of a
// multi-line box stays where it was, or goes to the end of a new text too short to reach there.
void WriteText(QWidget* box, const QString& text);

// Makes a single-line box take only the first line of what goes into it, however it comes: a
// paste by key, by the edit menu or by the middle mouse button, a drop, a program write. So a
// text copied with its line break fits as it would without it.
void KeepFirstLineOfInsertions(QLineEdit* box);

// The character code a key press types, as the rules see it: the typed character itself,
// 1 to 26 for Ctrl+A to Ctrl+Z, 8 for Backspace, 127 for Ctrl+Backspace, 13 for Return and 27
// for Escape. Keys that type nothing (arrows, Home, End, Delete, function keys, a lone
// modifier) and Tab, which moves the focus, give no code.
std::optional<char16_t> TypedCharacter(const QKeyEvent& event);

}  // namespace schnackomat::ui
