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
class QPlainTextEdit;
class QWidget;

namespace schnackomat::ui {

// Engine text (16-bit units) to Qt text and back, unit for unit.
QString ToQString(std::u16string_view text);
std::u16string ToEngineText(const QString& text);

// The whole text of a text box (QPlainTextEdit or QLineEdit). Line breaks read as "\n";
// every other character, the no-break space included, reads as itself.
QString ReadText(const QWidget* box);

// Replaces the whole text of a text box (QPlainTextEdit or QLineEdit) with `text`, unless the
// box already holds exactly that text; the box's change event runs once before this returns.
//
// A multi-line box stores every line break as the toolkit does ("\r\n", a lone "\r" and "\n"
// all become one break, read back as "\n"), so a text that differs from the box's only in how
// its line breaks are written counts as already held. Only the changed middle of the document
// is rewritten, so the cost follows the size of the change rather than the size of the text,
// but the box ends up as after QPlainTextEdit::setPlainText: the same text, the caret at 0 with
// nothing selected, the view at the top and no undo or redo steps. A single-line box is simply
// given the new text.
void WriteText(QWidget* box, const QString& text);
// The same for engine text, which a multi-line box compares and edits in place without
// copying the whole of it first.
void WriteText(QWidget* box, std::u16string_view text);

// Lets a multi-line box keep the whole layout of the paragraphs its edits touch, so that a
// very long paragraph is analysed and shaped once per edit rather than again for the caret and
// for painting. Costs memory in proportion to the length of those paragraphs.
void KeepParagraphLayouts(QPlainTextEdit* box);

// Lets a multi-line box set its text glyph by glyph from the font's own advances, without
// OpenType shaping (kerning pairs and optional ligatures), as a plain text editor does, while the
// text holds only Latin, Greek, Cyrillic and other characters that read the same so; from the
// moment it holds any other (Arabic, Hebrew, the scripts of India, emoji sequences) until that
// is gone again, the box shapes as usual. Laying out a long paragraph unshaped takes about a
// third of the time. Family and size keep following the window.
void ShapeOnlyWhereNeeded(QPlainTextEdit* box);

// Makes the paste key of a multi-line box (Ctrl+V, Shift+Insert) insert the clipboard's plain
// text at the caret, replacing the selection, as the box's own paste does, but in about half the
// time for a long text. Event filters installed on the box later run before it.
void PasteAsPlainText(QPlainTextEdit* box);

// Puts the caret of a text box at `position` (characters from 0), selecting nothing.
void SetCaret(QWidget* box, int position);

// The character code a key press types, as the rules see it: the typed character itself,
// 1 to 26 for Ctrl+A to Ctrl+Z, 8 for Backspace, 127 for Ctrl+Backspace, 13 for Return and 27
// for Escape. Keys that type nothing (arrows, Home, End, Delete, function keys, a lone
// modifier) and Tab, which moves the focus, give no code.
std::optional<char16_t> TypedCharacter(const QKeyEvent& event);

}  // namespace schnackomat::ui
