#include "schnackomat/ui/binding.h"

#include <QClipboard>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace schnackomat::ui {

QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string ToEngineText(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

namespace {

// The helper of type `Helper` that `owner` holds, if it holds one.
template <typename Helper, typename Owner>
Helper* Attached(Owner* owner) {
    return owner->template findChild<Helper*>(QString(), Qt::FindDirectChildrenOnly);
}

// The helper of type `Helper` that `owner` holds, made for it (and owned by it) the first time.
template <typename Helper, typename Owner>
Helper& AttachedTo(Owner* owner) {
    auto* helper = Attached<Helper>(owner);
    return helper != nullptr ? *helper : *new Helper(owner);
}

// Units that QTextDocument keeps as the boundary between two paragraphs (blocks) and between two
// lines of one paragraph. Both read as a line break.
constexpr char16_t ParagraphSeparator = 0x2029;
constexpr char16_t LineSeparator = 0x2028;
// The frame marks, which QTextCursor::insertText turns into paragraph separators as well.
constexpr char16_t BeginningOfFrame = 0xFDD0;
constexpr char16_t EndOfFrame = 0xFDD1;

// `text` as a QTextDocument stores it after QPlainTextEdit::setPlainText or
// QTextCursor::insertText: every line break ("\r\n", a lone "\r", "\n", U+2029 and the frame
// marks) becomes one paragraph separator; every other unit stays as it is. `readsAsItself`
// tells whether reading the stored text back gives `text` unchanged.
QString StoredForm(QStringView text, bool& readsAsItself) {
    readsAsItself = true;
    QString stored(text.size(), Qt::Uninitialized);
    QChar* out = stored.data();
    const QChar* in = text.constData();
    const QChar* const end = in + text.size();
    for (; in != end; ++in) {
        char16_t unit = in->unicode();
        if (unit == u'\n') {
            unit = ParagraphSeparator;
        } else if (unit == u'\r') {
            if (in + 1 != end && in[1] == u'\n') {
                ++in;
            }
            unit = ParagraphSeparator;
            readsAsItself = false;
        } else if (unit == BeginningOfFrame || unit == EndOfFrame || unit == ParagraphSeparator ||
                   unit == LineSeparator) {
            unit = unit == LineSeparator ? LineSeparator : ParagraphSeparator;
            readsAsItself = false;
        }
        *out++ = QChar(unit);
    }
    stored.truncate(out - stored.constData());
    return stored;
}

// Reading a box's text back as the rules see it: both separators as "\n", in place.
// Tells whether the text held no line separator, so that its stored form is the text read
// back with every "\n" as a paragraph separator.
bool ReadSeparatorsAsNewLines(QString& text) {
    char16_t* unit = reinterpret_cast<char16_t*>(text.data());
    char16_t* const end = unit + text.size();
    bool noLineSeparator = true;
    for (; unit != end; ++unit) {
        noLineSeparator &= *unit != LineSeparator;
        // U+2028 and U+2029 differ only in the lowest bit.
        *unit = (*unit & 0xFFFE) == LineSeparator ? u'\n' : *unit;
    }
    return noLineSeparator;
}

// Whether the document stores `text` unit for unit but with every "\n" as a paragraph
// separator, and reads it back unchanged: true unless it holds "\r", a paragraph or line
// separator or a frame mark. Written so that the compiler turns it into vector code.
bool IsPlain(QStringView text) {
    const char16_t* units = text.utf16();
    const qsizetype size = text.size();
    unsigned special = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned unit = units[i];
        special |= unsigned(unit == u'\r') | unsigned((unit & 0xFFFE) == LineSeparator) |
                   unsigned((unit & 0xFFFE) == BeginningOfFrame);
    }
    return special == 0;
}

// The text of one document as last read or written, kept until its content changes in any
// way. The rules read the same box several times within one key press, and the box they have
// just written once more; reading a 1 MiB document takes milliseconds, the kept text nothing.
class KeptText final : public QObject {
    Q_OBJECT

  public:
    static KeptText& Of(const QTextDocument* document) {
        return AttachedTo<KeptText>(const_cast<QTextDocument*>(document));
    }

    explicit KeptText(QTextDocument* document) : QObject(document), document_(document) {
        connect(document, &QTextDocument::contentsChange, this, &KeptText::OnContentsChange);
        connect(document, &QTextDocument::contentsChanged, this, &KeptText::OnContentsChanged);
    }

    // The stored text (as toRawText gives it).
    QString Raw() {
        if (!raw_ || raw_->size() != Length()) {
            raw_ = document_->toRawText();
        }
        return *raw_;
    }

    // The text as ReadText gives it.
    QString Read() {
        if (!read_ || read_->size() != Length()) {
            QString text = raw_ && raw_->size() == Length() ? *raw_ : document_->toRawText();
            plain_ = ReadSeparatorsAsNewLines(text);
            read_ = std::move(text);
        }
        return *read_;
    }

    // The text as ReadText gives it, if the document stores it unit for unit with each "\n" as
    // a paragraph separator.
    std::optional<QString> PlainRead() {
        QString read = Read();
        return plain_ ? std::optional<QString>(std::move(read)) : std::nullopt;
    }

    // Called just before an edit that makes the document hold `raw`, read as `read` when given.
    // The texts are kept only if that edit is the one change the document reports before its
    // change event has been handled, so a rule that changes the box again in its change event
    // leaves nothing stale behind.
    void ExpectEdit(const QString& raw, std::optional<QString> read, bool plain) {
        expected_ = Texts{raw, std::move(read), plain};
    }
    // The same for a plain text (see IsPlain), which is what the document reads back.
    void ExpectPlainEdit(const QString& text) { expected_ = Texts{std::nullopt, text, true}; }
    void EndEdit() { expected_.reset(); }
    // Drops the kept texts, so that a caller holding a copy of one holds the only one.
    void Release() { Forget(); }

  private:
    struct Texts {
        std::optional<QString> Raw;
        std::optional<QString> Read;
        bool Plain;
    };

    qsizetype Length() const { return document_->characterCount() - 1; }

    void Forget() {
        raw_.reset();
        read_.reset();
        plain_ = false;
        justKept_ = false;
    }

    // Raised once for every finished edit, before contentsChanged and the box's change event.
    // Any other edit (typing, a paste, an undo) is applied to the kept text from the part of
    // the document it reports as changed, so that reading a long box after a key press costs
    // the size of the change rather than that of the text.
    void OnContentsChange(int from, int removed, int added) {
        if (expected_) {
            raw_ = std::move(expected_->Raw);
            read_ = std::move(expected_->Read);
            plain_ = expected_->Plain;
            expected_.reset();
            justKept_ = true;
        } else if (read_ && Patch(from, removed, added)) {
            justKept_ = true;
        } else {
            Forget();
        }
    }

    bool Patch(int from, int removed, int added) {
        raw_.reset();
        if (from < 0 || removed < 0 || added < 0 || from + removed > read_->size() ||
            read_->size() - removed + added != Length()) {
            return false;
        }
        QTextCursor cursor(document_);
        cursor.setPosition(from);
        cursor.setPosition(from + added, QTextCursor::KeepAnchor);
        QString inserted = cursor.selectedText();
        if (inserted.size() != added) {
            return false;
        }
        plain_ = ReadSeparatorsAsNewLines(inserted) && plain_;
        read_->replace(from, removed, inserted);
        return true;
    }

    void OnContentsChanged() {
        if (justKept_) {
            justKept_ = false;
        } else {
            Forget();
        }
    }

    QTextDocument* document_;
    std::optional<QString> raw_;
    std::optional<QString> read_;
    bool plain_ = false;  // read_ is stored as itself with "\n" as paragraph separators
    std::optional<Texts> expected_;
    bool justKept_ = false;
};

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

// One replacement: `Removed` units of the old text from `From` give way to `Added` units of the
// new text from `NewFrom`.
struct Edit {
    qsizetype From;
    qsizetype Removed;
    qsizetype NewFrom;
    qsizetype Added;
};

// A changed run is taken as ended where this many units in a row are equal again.
constexpr qsizetype SyncLength = 16;
// How far a changed run at either end of the differing part is looked for, and how many such
// runs are split off at each end, before the rest is replaced as one.
constexpr qsizetype ChangedRunLimit = 1024;
constexpr int EndRunsLimit = 8;

// The changes that turn `old` into `stored`: the part between the longest common start and end,
// and, when that part begins or ends with a changed run of the same length in both texts (as
// the random filler of the Matrix code does), that run on its own, so that a long equal stretch
// behind it stays untouched. The edits do not overlap and come in the order of the text; no
// edit starts or ends inside a surrogate pair.
std::vector<Edit> EditsBetween(QStringView old, QStringView stored) {
    const QChar* const a = old.constData();
    const QChar* const b = stored.constData();
    // The part still to compare: [from, oldEnd) of `old` against [from, newEnd) of `stored`.
    qsizetype from = 0;
    qsizetype oldEnd = old.size();
    qsizetype newEnd = stored.size();
    const auto extendStart = [&] {
        from += CommonPrefixLength(a + from, b + from, std::min(oldEnd, newEnd) - from);
        if (from > 0 && a[from - 1].isHighSurrogate()) {
            --from;
        }
    };
    const auto extendEnd = [&] {
        const qsizetype suffix =
            CommonSuffixLength(a + oldEnd, b + newEnd, std::min(oldEnd, newEnd) - from);
        oldEnd -= suffix;
        newEnd -= suffix;
        if (oldEnd < old.size() && a[oldEnd].isLowSurrogate()) {
            ++oldEnd;
            ++newEnd;
        }
    };
    extendStart();
    extendEnd();

    std::vector<Edit> head;
    std::vector<Edit> tail;
    for (int run = 0; run < EndRunsLimit; ++run) {
        bool progressed = false;
        // A changed run at the start, of the same length in both texts.
        const qsizetype window = std::min({oldEnd, newEnd, from + ChangedRunLimit}) - from;
        qsizetype equal = 0;
        for (qsizetype k = 0; k < window && window >= 2 * SyncLength; ++k) {
            equal = a[from + k] == b[from + k] ? equal + 1 : 0;
            if (equal == SyncLength) {
                qsizetype end = from + k + 1 - SyncLength;
                if (a[end].isLowSurrogate()) {
                    ++end;
                }
                head.push_back({from, end - from, from, end - from});
                from = end;
                extendStart();
                progressed = true;
                break;
            }
        }
        // A changed run at the end, of the same length in both texts.
        const qsizetype tailWindow = std::min({oldEnd - from, newEnd - from, ChangedRunLimit});
        equal = 0;
        for (qsizetype k = 1; k <= tailWindow && tailWindow >= 2 * SyncLength; ++k) {
            equal = a[oldEnd - k] == b[newEnd - k] ? equal + 1 : 0;
            if (equal == SyncLength) {
                qsizetype length = k - SyncLength;
                if (a[oldEnd - length].isLowSurrogate()) {
                    ++length;
                }
                tail.push_back({oldEnd - length, length, newEnd - length, length});
                oldEnd -= length;
                newEnd -= length;
                extendEnd();
                progressed = true;
                break;
            }
        }
        if (!progressed) {
            break;
        }
    }

    std::vector<Edit> edits = std::move(head);
    if (oldEnd > from || newEnd > from) {
        edits.push_back({from, oldEnd - from, from, newEnd - from});
    }
    edits.insert(edits.end(), tail.rbegin(), tail.rend());
    return edits;
}

// Whether a unit may belong to text that cannot be set letter by letter at the font's own
// advances: anything from Hebrew on (right-to-left and joining scripts, the scripts of India,
// surrogate pairs such as emoji sequences, bidirectional controls, joiners), except the Latin,
// Greek, punctuation and symbol blocks that read the same unshaped.
bool NeedsShaping(char16_t unit) {
    if (unit < 0x0590) {
        return false;
    }
    if (unit >= 0x2000 && unit < 0x20D0) {
        return (unit >= 0x200C && unit <= 0x200F) || (unit >= 0x202A && unit <= 0x202E) ||
               (unit >= 0x2060 && unit <= 0x206F);
    }
    const bool simple = (unit >= 0x1E00 && unit < 0x2000) || (unit >= 0x2100 && unit < 0x2C00) ||
                        (unit >= 0x2C60 && unit < 0x2C80) || (unit >= 0xA720 && unit < 0xA800) ||
                        (unit >= 0xFB00 && unit <= 0xFB06);
    return !simple;
}

bool AnyNeedsShaping(QStringView text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar unit) { return NeedsShaping(unit.unicode()); });
}

// Sets a box's text without OpenType shaping while it holds only characters that read the same
// unshaped, and shaped again from the edit that brings in any other, until an edit takes the
// last of those away. Only the style strategy is set on the box's font, so every other
// attribute still comes from the parent widget's font, now and when that changes.
class ShapingFollowsText final : public QObject {
    Q_OBJECT

  public:
    explicit ShapingFollowsText(QPlainTextEdit* box) : QObject(box), box_(box) {
        QTextDocument* document = box->document();
        connect(document, &QTextDocument::contentsChange, this,
                &ShapingFollowsText::OnContentsChange);
        connect(document, &QTextDocument::contentsChanged, this,
                &ShapingFollowsText::OnContentsChanged);
        SetUnshaped(!AnyNeedsShaping(document->toRawText()));
    }

    // Called just before an edit block whose inserted parts the caller has looked at already:
    // whether any of them needs shaping. A write that changes both ends of a long text reports
    // the whole text as changed, which need not be read out and looked at again.
    void ExpectEdit(bool insertsShapedText) { expected_ = insertsShapedText; }
    void EndEdit() { expected_.reset(); }

  private:
    // Raised before the document's layout sees the edit; only the inserted part is looked at.
    void OnContentsChange(int from, int removed, int added) {
        QTextDocument* document = box_->document();
        if (expected_) {
            needsShaping_ = needsShaping_ || (unshaped_ && *expected_);
            lookAgain_ = lookAgain_ || (!unshaped_ && removed > 0);
            expected_.reset();
        } else if (unshaped_) {
            const int end = std::min(from + added, document->characterCount() - 1);
            if (end > from) {
                QTextCursor cursor(document);
                cursor.setPosition(from);
                cursor.setPosition(end, QTextCursor::KeepAnchor);
                needsShaping_ = needsShaping_ || AnyNeedsShaping(cursor.selectedText());
            }
        } else if (removed > 0) {
            lookAgain_ = true;
        }
    }

    // Raised once the edit is done and laid out; the font changes only now, so that no layout
    // is changed under the edit.
    void OnContentsChanged() {
        if (unshaped_ && needsShaping_) {
            SetUnshaped(false);
        } else if (!unshaped_ && lookAgain_ && !AnyNeedsShaping(box_->document()->toRawText())) {
            SetUnshaped(true);
        }
        needsShaping_ = false;
        lookAgain_ = false;
    }

    void SetUnshaped(bool unshaped) {
        unshaped_ = unshaped;
        QFont strategy;
        const int others = box_->font().styleStrategy() & ~QFont::PreferNoShaping;
        strategy.setStyleStrategy(
            static_cast<QFont::StyleStrategy>(unshaped ? others | QFont::PreferNoShaping : others));
        box_->setFont(strategy);
    }

    QPlainTextEdit* box_;
    bool unshaped_ = false;
    bool needsShaping_ = false;
    bool lookAgain_ = false;
    std::optional<bool> expected_;
};

// Whether every part of `text` that the edits insert is plain (see IsPlain).
bool InsertsOnlyPlain(QStringView text, const std::vector<Edit>& edits) {
    return std::all_of(edits.begin(), edits.end(), [&](const Edit& change) {
        return IsPlain(text.sliced(change.NewFrom, change.Added));
    });
}

// Writes `text` into a multi-line box by replacing only what changed: the part between the
// longest common start and end of the old and the new text, with changed runs at either end of
// it split off, all in one edit block. What the box shows afterwards is what
// setPlainText(text) leaves, which costs time in proportion to the whole text: the same stored
// text, one change event, the caret at 0 with nothing selected and the view scrolled to the
// top, empty undo and redo stacks, and the document marked unmodified. An equal text changes
// nothing at all. `whole`, when given, is a string holding `text`, which the box then keeps as
// its read text; without it the box's old read text is brought up to date by the same edits,
// which costs the size of the change rather than a copy of the text.
void WriteDocument(QPlainTextEdit* edit, QStringView text, const QString* whole) {
    QTextDocument* document = edit->document();
    KeptText& kept = KeptText::Of(document);
    std::vector<Edit> edits;
    // A plain box is compared with the text as both are read: QTextCursor::insertText stores
    // each "\n" as a paragraph separator itself. When what the edits insert is plain as well,
    // so is the whole new text, which then need neither be scanned nor converted.
    std::optional<QString> oldPlain = kept.PlainRead();
    bool plainEdits = false;
    if (oldPlain) {
        edits = EditsBetween(*oldPlain, text);
        if (edits.empty()) {  // the box holds this text already
            return;
        }
        plainEdits = InsertsOnlyPlain(text, edits);
    }
    QString stored;
    if (plainEdits) {
        QString read;
        if (whole != nullptr) {
            read = *whole;
        } else {
            // The box lets go of its copy first, so that the edits change the old text in place.
            read = *std::move(oldPlain);
            oldPlain.reset();
            kept.Release();
            for (auto change = edits.rbegin(); change != edits.rend(); ++change) {
                read.replace(change->From, change->Removed, text.constData() + change->NewFrom,
                             change->Added);
            }
        }
        kept.ExpectPlainEdit(read);
    } else {
        const bool plain = IsPlain(text);
        bool readsAsItself = true;
        stored = StoredForm(text, readsAsItself);
        edits = EditsBetween(kept.Raw(), stored);
        if (edits.empty()) {
            return;
        }
        std::optional<QString> read;
        if (readsAsItself) {
            read = whole != nullptr ? *whole : text.toString();
        }
        kept.ExpectEdit(stored, std::move(read), plain);
    }
    const QStringView source = plainEdits ? text : QStringView(stored);
    auto* shaping = Attached<ShapingFollowsText>(edit);
    if (shaping != nullptr) {
        shaping->ExpectEdit(std::any_of(edits.begin(), edits.end(), [&](const Edit& change) {
            return AnyNeedsShaping(source.sliced(change.NewFrom, change.Added));
        }));
    }

    // Turning undo off empties the undo and redo stacks, as a whole write does, and keeps this
    // edit off them.
    const bool undoEnabled = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    // From the last edit to the first, so that the old positions of the ones before stay valid.
    for (auto change = edits.rbegin(); change != edits.rend(); ++change) {
        cursor.setPosition(static_cast<int>(change->From));
        cursor.setPosition(static_cast<int>(change->From + change->Removed),
                           QTextCursor::KeepAnchor);
        if (change->Added > 0) {
            cursor.insertText(source.sliced(change->NewFrom, change->Added).toString());
        } else {
            cursor.removeSelectedText();
        }
    }
    cursor.endEditBlock();
    kept.EndEdit();
    if (shaping != nullptr) {
        shaping->EndEdit();
    }
    document->setUndoRedoEnabled(undoEnabled);
    document->setModified(false);
    edit->setTextCursor(QTextCursor(document));
}

// Keeps the whole layout of each paragraph that an edit touches, glyphs and character
// attributes included, instead of letting QTextLayout throw them away after laying it out. The
// box asks the edited paragraph for the caret's place and paints it right after the layout; for
// a long paragraph each of those would otherwise shape and analyse all of its text again.
class ParagraphLayoutCache final : public QObject {
    Q_OBJECT

  public:
    explicit ParagraphLayoutCache(QTextDocument* document)
        : QObject(document), document_(document) {
        connect(document, &QTextDocument::contentsChange, this,
                &ParagraphLayoutCache::OnContentsChange);
    }

  private:
    // Raised before the document's layout lays the changed paragraphs out again; the first and
    // the last of them are the ones an edit leaves long.
    void OnContentsChange(int from, int, int added) {
        for (const int position : {from, from + added}) {
            const QTextBlock block = document_->findBlock(position);
            if (block.isValid()) {
                block.layout()->setCacheEnabled(true);
            }
        }
    }

    QTextDocument* document_;
};

// Pastes the clipboard's plain text into a multi-line box with one QTextCursor::insertText.
// Qt's own paste builds a separate document from the text first and then copies it over, which
// for a long text takes about twice as long and gives the same text, caret and undo step.
class PlainPaste final : public QObject {
    Q_OBJECT

  public:
    explicit PlainPaste(QPlainTextEdit* box) : QObject(box), box_(box) {
        box->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != box_ || event->type() != QEvent::KeyPress || box_->isReadOnly() ||
            !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            return false;
        }
        const QString text = QGuiApplication::clipboard()->text();
        if (!text.isEmpty()) {
            QTextCursor cursor = box_->textCursor();
            cursor.insertText(text);
            box_->setTextCursor(cursor);
        }
        return true;
    }

  private:
    QPlainTextEdit* box_;
};

}  // namespace

QString ReadText(const QWidget* box) {
    if (const auto* edit = qobject_cast<const QPlainTextEdit*>(box)) {
        // toPlainText() would turn every no-break space into a space; the raw text keeps it and
        // only needs its paragraph and line separators read as line breaks.
        return KeptText::Of(edit->document()).Read();
    }
    if (const auto* line = qobject_cast<const QLineEdit*>(box)) {
        return line->text();
    }
    return {};
}

void WriteText(QWidget* box, const QString& text) {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(box)) {
        WriteDocument(edit, text, &text);
    } else if (auto* line = qobject_cast<QLineEdit*>(box)) {
        if (line->text() != text) {
            line->setText(text);
        }
    }
}

void WriteText(QWidget* box, std::u16string_view text) {
    const QStringView view(text.data(), static_cast<qsizetype>(text.size()));
    if (auto* edit = qobject_cast<QPlainTextEdit*>(box)) {
        WriteDocument(edit, view, nullptr);
    } else if (auto* line = qobject_cast<QLineEdit*>(box)) {
        if (line->text() != view) {
            line->setText(view.toString());
        }
    }
}

void KeepParagraphLayouts(QPlainTextEdit* box) {
    AttachedTo<ParagraphLayoutCache>(box->document());
}

void ShapeOnlyWhereNeeded(QPlainTextEdit* box) {
    AttachedTo<ShapingFollowsText>(box);
}

void PasteAsPlainText(QPlainTextEdit* box) {
    AttachedTo<PlainPaste>(box);
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

#include "binding.moc"
