#include "schnackomat/ui/binding.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstring>

namespace schnackomat::ui {

QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string ToEngineText(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

namespace {

// Units that QTextDocument keeps as the boundary between two paragraphs (blocks) and between two
// lines of one paragraph. Both read as a line break.
constexpr char16_t ParagraphSeparator = 0x2029;
constexpr char16_t LineSeparator = 0x2028;
// The frame marks, which QTextCursor::insertText turns into paragraph separators as well.
constexpr char16_t BeginningOfFrame = 0xFDD0;
constexpr char16_t EndOfFrame = 0xFDD1;

// `text` as a QTextDocument stores it after QPlainTextEdit::setPlainText or
// QTextCursor::insertText: every line break ("\r\n", a lone "\r", "\n", U+2029 and the frame
// marks) becomes one paragraph separator; every other unit stays as it is.
QString StoredForm(const QString& text) {
    QString stored(text.size(), Qt::Uninitialized);
    QChar* out = stored.data();
    const QChar* in = text.constData();
    const QChar* const end = in + text.size();
    for (; in != end; ++in) {
        char16_t unit = in->unicode();
        if (unit == u'\r') {
            if (in + 1 != end && in[1] == u'\n') {
                ++in;
            }
            unit = ParagraphSeparator;
        } else if (unit == u'\n' || unit == BeginningOfFrame || unit == EndOfFrame) {
            unit = ParagraphSeparator;
        }
        *out++ = QChar(unit);
    }
    stored.truncate(out - stored.constData());
    return stored;
}

// Compared a block at a time first, so that long equal runs go at memcmp speed.
constexpr qsizetype CompareBlock = 256;

// The number of equal units at the start of `a` and `b`, at most `limit`.
qsizetype CommonPrefixLength(const QChar* a, const QChar* b, qsizetype limit) {
    qsizetype length = 0;
    while (length + CompareBlock <= limit &&
           std::memcmp(a + length, b + length, CompareBlock * sizeof(QChar)) == 0) {
        length += CompareBlock;
    }
    while (length < limit && a[length] == b[length]) {
        ++length;
    }
    return length;
}

// The number of equal units before `aEnd` and `bEnd`, at most `limit`.
qsizetype CommonSuffixLength(const QChar* aEnd, const QChar* bEnd, qsizetype limit) {
    qsizetype length = 0;
    while (length + CompareBlock <= limit &&
           std::memcmp(aEnd - length - CompareBlock, bEnd - length - CompareBlock,
                       CompareBlock * sizeof(QChar)) == 0) {
        length += CompareBlock;
    }
    while (length < limit && aEnd[-length - 1] == bEnd[-length - 1]) {
        ++length;
    }
    return length;
}

// Writes `text` into a multi-line box by replacing only the part between the longest common
// start and end of the old and the new text, in one edit block. What the box shows afterwards
// is what setPlainText(text) leaves, which costs time in proportion to the whole text: the same
// stored text, one change event, the caret at 0 with nothing selected and the view scrolled to
// the top, empty undo and redo stacks, and the document marked unmodified. An equal text
// changes nothing at all.
void WriteDocument(QPlainTextEdit* edit, const QString& text) {
    QTextDocument* document = edit->document();
    const QString stored = StoredForm(text);
    const QString old = document->toRawText();
    if (old == stored) {
        return;
    }
    const qsizetype shorter = std::min(old.size(), stored.size());
    qsizetype prefix = CommonPrefixLength(old.constData(), stored.constData(), shorter);
    // A surrogate pair is never cut: the changed part starts before a high surrogate and ends
    // after a low surrogate.
    if (prefix > 0 && old[prefix - 1].isHighSurrogate()) {
        --prefix;
    }
    qsizetype suffix = CommonSuffixLength(old.constData() + old.size(),
                                          stored.constData() + stored.size(), shorter - prefix);
    if (suffix > 0 && old[old.size() - suffix].isLowSurrogate()) {
        --suffix;
    }

    // Turning undo off empties the undo and redo stacks, as a whole write does, and keeps this
    // edit off them.
    const bool undoEnabled = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.setPosition(static_cast<int>(prefix));
    cursor.setPosition(static_cast<int>(old.size() - suffix), QTextCursor::KeepAnchor);
    const qsizetype middle = stored.size() - prefix - suffix;
    if (middle > 0) {
        cursor.insertText(stored.sliced(prefix, middle));
    } else {
        cursor.removeSelectedText();
    }
    cursor.endEditBlock();
    document->setUndoRedoEnabled(undoEnabled);
    document->setModified(false);
    edit->setTextCursor(QTextCursor(document));
}

}  // namespace

QString ReadText(const QWidget* box) {
    if (const auto* edit = qobject_cast<const QPlainTextEdit*>(box)) {
        // toPlainText() would turn every no-break space into a space; the raw text keeps it and
        // only needs its paragraph and line separators read as line breaks.
        QString text = edit->document()->toRawText();
        for (QChar& unit : text) {
            if (unit.unicode() == ParagraphSeparator || unit.unicode() == LineSeparator) {
                unit = QChar(u'\n');
            }
        }
        return text;
    }
    if (const auto* line = qobject_cast<const QLineEdit*>(box)) {
        return line->text();
    }
    return {};
}

void WriteText(QWidget* box, const QString& text) {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(box)) {
        WriteDocument(edit, text);
    } else if (auto* line = qobject_cast<QLineEdit*>(box)) {
        if (line->text() != text) {
            line->setText(text);
        }
    }
}

void SetCaret(QWidget* box, int position) {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(box)) {
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(position);
        edit->setTextCursor(cursor);
    } else if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->setCursorPosition(position);
    }
}

std::optional<char16_t> TypedCharacter(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool control = modifiers.testFlag(Qt::ControlModifier) &&
                         !modifiers.testFlag(Qt::AltModifier) &&
                         !modifiers.testFlag(Qt::MetaModifier);
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return std::nullopt;
        case Qt::Key_Backspace:
            return control ? u'\x7f' : u'\b';
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return u'\r';
        case Qt::Key_Escape:
            return u'\x1b';
        default:
            break;
    }
    if (control && key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<char16_t>(key - Qt::Key_A + 1);
    }
    const QString text = event.text();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return static_cast<char16_t>(text.front().unicode());
}

}  // namespace schnackomat::ui
