#include "schnackomat/ui/binding.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextDocument>
#include <QValidator>

#include <algorithm>
#include <optional>

namespace schnackomat::ui {

QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string ToEngineText(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

namespace {

// The frame marks, which QTextCursor::insertText (and so setPlainText) turns into paragraph
// breaks as it does line breaks.
constexpr QChar BeginningOfFrame(0xFDD0);
constexpr QChar EndOfFrame(0xFDD1);

// `text` as a multi-line box reads it back after setPlainText(text): "\r\n", a lone "\r", "\n",
// the paragraph separator and the frame marks each become one paragraph break, the line
// separator stays, and both read as "\n".
QString AsReadBack(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QChar lineBreak : {QChar(u'\r'), QChar(QChar::ParagraphSeparator),
                                  QChar(QChar::LineSeparator), BeginningOfFrame, EndOfFrame}) {
        text.replace(lineBreak, u'\n');
    }
    return text;
}

// Qt hands every change of a single-line box to its validator, which may rewrite the text and
// move the caret before the box takes them. The box never keeps a line break, so one in its
// text came with what was just inserted, which ends at the caret: the insertion is cut at its
// first line break, and what stood after the caret before stays.
class FirstLineOfInsertion final : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString& text, int& caret) const override {
        const auto isLineBreak = [](QChar character) {
            return character == u'\n' || character == u'\r';
        };
        const qsizetype lineBreak =
            std::find_if(text.cbegin(), text.cend(), isLineBreak) - text.cbegin();
        if (lineBreak < text.size()) {
            // A caret before the break (an input method may set it) leaves nothing after the
            // break to keep.
            const qsizetype end = caret > lineBreak ? caret : text.size();
            text.remove(lineBreak, end - lineBreak);
            caret = static_cast<int>(std::min<qsizetype>(caret, lineBreak));
        }
        return Acceptable;
    }
};

}  // namespace

QString ReadText(const QWidget* box) {
    if (const auto* edit = qobject_cast<const QPlainTextEdit*>(box)) {
        // toPlainText() would turn every no-break space into a space; the raw text keeps it and
        // only needs its paragraph and line separators read as line breaks.
        QString text = edit->document()->toRawText();
        text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
        return text;
    }
    if (const auto* line = qobject_cast<const QLineEdit*>(box)) {
        return line->text();
    }
    return {};
}

void WriteText(QWidget* box, const QString& text) {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(box)) {
        if (ReadText(edit) != AsReadBack(text)) {
            // setPlainText turns the view back to the first line; the user's place is kept, or
            // the end of the new text where that is shorter (the scroll bar clamps the value).
            QScrollBar* view = edit->verticalScrollBar();
            const int place = view->value();
            edit->setPlainText(text);
            view->setValue(place);
        }
    } else if (auto* line = qobject_cast<QLineEdit*>(box)) {
        if (line->text() != text) {
            line->setText(text);
        }
    }
}

void KeepFirstLineOfInsertions(QLineEdit* box) {
    box->setValidator(new FirstLineOfInsertion(box));
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
