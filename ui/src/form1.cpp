#include "schnackomat/ui/form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>

#include "schnackomat/matrix.h"
#include "schnackomat/rules/key_box.h"
#include "schnackomat/ui/binding.h"
#include "schnackomat/ui/icon.h"
#include "schnackomat/ui/layout.h"
#include "schnackomat/ui/shortcuts.h"

namespace schnackomat::ui {

namespace {

const QColor Purple = ToQColor(rules::Purple);
const QColor DarkPurple = ToQColor(rules::DarkPurple);
const QColor LightOrange = ToQColor(rules::LightOrange);
const QColor PaleYellow = ToQColor(rules::PaleYellow);

QString FromUtf16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QString NameOf(rules::Control control) {
    const std::string_view name = rules::ControlName(control);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

void SetColours(QWidget* widget, const QColor& text, const QColor& background) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Base, background);
    widget->setPalette(palette);
}

// Draws a box's selection in the inactive colours while the box lacks the focus, so that only
// the box the keys go to shows a selection in the active colour. Where the style draws both
// alike, the inactive selection is the active one halfway faded into the box's ground. A popup
// menu taking the keyboard for a while changes nothing.
class SelectionFollowsFocus final : public QObject {
  public:
    using QObject::QObject;

    static void Show(QWidget* box, bool focused) {
        const QPalette desktop = QApplication::palette();
        QColor highlight = desktop.color(QPalette::Active, QPalette::Highlight);
        QColor highlightedText = desktop.color(QPalette::Active, QPalette::HighlightedText);
        if (!focused) {
            const QColor inactive = desktop.color(QPalette::Inactive, QPalette::Highlight);
            if (inactive != highlight) {
                highlight = inactive;
            } else {
                const QColor ground = box->palette().color(QPalette::Base);
                highlight = QColor((highlight.red() + ground.red()) / 2,
                                   (highlight.green() + ground.green()) / 2,
                                   (highlight.blue() + ground.blue()) / 2);
            }
            highlightedText = desktop.color(QPalette::Inactive, QPalette::HighlightedText);
        }
        QPalette palette = box->palette();
        palette.setColor(QPalette::Active, QPalette::Highlight, highlight);
        palette.setColor(QPalette::Active, QPalette::HighlightedText, highlightedText);
        palette.setColor(QPalette::Inactive, QPalette::Highlight, highlight);
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText, highlightedText);
        box->setPalette(palette);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type == QEvent::FocusIn || type == QEvent::FocusOut) &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            Show(static_cast<QWidget*>(watched), type == QEvent::FocusIn);
        }
        return false;
    }
};

// Whether a key combination shown in a menu types one of Text1's shortcut characters there, so
// that it appends a word or deletes one instead of doing what the menu says.
bool TypesAShortcut(const QKeySequence& keys) {
    for (int i = 0; i < keys.count(); ++i) {
        const QKeyCombination combination = keys[i];
        const QKeyEvent press(QEvent::KeyPress, combination.key(), combination.keyboardModifiers());
        const std::optional<char16_t> character = TypedCharacter(press);
        if (character && (FindShortcut(*character) || *character == DeleteLastWordCode)) {
            return true;
        }
    }
    return false;
}

// Drops the key texts of the menu entries whose keys do something else in Text1; the entries
// themselves stay.
void DropShortcutTextsOfOtherKeys(QMenu& menu) {
    for (QAction* action : menu.actions()) {
        const QString text = action->text();
        const qsizetype tab = text.indexOf(u'\t');
        if (tab >= 0 &&
            TypesAShortcut(QKeySequence::fromString(text.mid(tab + 1), QKeySequence::NativeText))) {
            action->setText(text.left(tab));
        }
    }
}

// Buttons show their pink face whatever the style, so they get it from a style sheet; pressed,
// the face darkens a little.
QString ButtonStyle() {
    const QColor face = ToQColor(rules::Pink);
    return QStringLiteral(
               "QPushButton { background-color: %1; color: black;"
               " border: 1px solid %2; border-radius: 2px; }"
               "QPushButton:focus { border: 1px dotted black; }"
               "QPushButton:pressed { background-color: %3; }")
        .arg(face.name(), DarkPurple.name(), face.darker(114).name());
}

}  // namespace

Form1::Form1(MessageBoxes& messageBoxes, Clipboard& clipboard, LinkOpener& linkOpener,
             RandomSource& random, QWidget* parent)
    : QWidget(parent),
      messageBoxes_(messageBoxes),
      clipboard_(clipboard),
      linkOpener_(linkOpener),
      rules_(*this, random) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(FromUtf16(rules::TextsOf(rules::Control::Form1).Caption));
    setWindowIcon(SchnackomatIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setAutoFillBackground(true);
    SetColours(this, LightOrange, Purple);
    // The desktop's font at its own size; the layout grows around it instead.
    setFont(InterfaceFont());

    CreateControls();
    PlaceControls();
    ConnectRules();
    CentreOnScreen();

    // The window opens with the focus in Text1, the first control in tab order.
    rules_.Start();
}

void Form1::CreateControls() {
    const auto named = [](QWidget* widget, const char* name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };

    // Captions and places come from the layout (PlaceControls); where controls overlap, the
    // layout says which one is raised above the other.
    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    Label3 = new QLabel(this);
    Label4 = new QLabel(this);
    Label5 = new QLabel(this);
    named(Label1, "Label1");
    named(Label2, "Label2");
    named(Label3, "Label3");
    named(Label4, "Label4");
    named(Label5, "Label5");
    for (QLabel* label : {Label1, Label2, Label3, Label4, Label5}) {
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setMargin(0);
        label->setIndent(0);
        label->setAutoFillBackground(true);
        SetColours(label, LightOrange, Purple);
    }

    Text1 = new QPlainTextEdit(this);
    Text2 = new QPlainTextEdit(this);
    named(Text1, "Text1");
    named(Text2, "Text2");
    for (QPlainTextEdit* box : {Text1, Text2}) {
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        box->setTabChangesFocus(true);
        SetColours(box, LightOrange, DarkPurple);
    }

    Check1 = new QCheckBox(this);
    Check2 = new QCheckBox(this);
    Check4 = new QCheckBox(this);
    Check3 = new QCheckBox(this);
    named(Check1, "Check1");
    named(Check2, "Check2");
    named(Check3, "Check3");
    named(Check4, "Check4");
    for (QCheckBox* box : {Check1, Check2, Check3, Check4}) {
        box->setFocusPolicy(Qt::StrongFocus);
        box->setAutoFillBackground(true);
        // A button fills its background with the button colour; the tick box itself is
        // drawn in the base colour with a tick in the text colour.
        QPalette palette = box->palette();
        palette.setColor(QPalette::WindowText, LightOrange);
        palette.setColor(QPalette::Window, Purple);
        palette.setColor(QPalette::Button, Purple);
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Text, Qt::black);
        box->setPalette(palette);
    }
    Check1->setChecked(true);
    Check3->setChecked(true);

    Text3 = new QLineEdit(QString::fromUtf16(DefaultMatrixKey.data(),
                                             static_cast<qsizetype>(DefaultMatrixKey.size())),
                          this);
    named(Text3, "Text3");
    Text3->setMaxLength(static_cast<int>(rules::MaxKeyLength));
    KeepFirstLineOfInsertions(Text3);
    SetColours(Text3, PaleYellow, DarkPurple);

    Command1 = new QPushButton(this);
    Command2 = new QPushButton(this);
    named(Command1, "Command1");
    named(Command2, "Command2");
    for (QPushButton* button : {Command1, Command2}) {
        button->setFocusPolicy(Qt::StrongFocus);
        button->setAutoDefault(false);
        button->setStyleSheet(ButtonStyle());
    }

    for (const rules::Overlap& overlap : rules::DrawnAbove) {
        findChild<QWidget*>(NameOf(overlap.Above))->raise();
    }

    // The layout lists the controls in tab order; labels take no focus and are skipped.
    QWidget* previous = nullptr;
    for (const rules::Place& place : rules::Form1Places) {
        const rules::Control control = *rules::ControlNamed(place.Name);
        QWidget* widget = findChild<QWidget*>(NameOf(control));
        const rules::ControlTexts texts = rules::TextsOf(control);
        widget->setAccessibleName(FromUtf16(texts.AccessibleName));
        widget->setAccessibleDescription(FromUtf16(texts.AccessibleDescription));
        if (widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

void Form1::PlaceControls() {
    const double scale = LayoutScale(font(), *style());
    AttachTo(rules::Form1Layout, this, scale);
    QFont keyFont(FromUtf16(rules::KeyFontFamily));
    keyFont.setPointSizeF(KeyFontPointSize(scale));
    keyFont.setWeight(QFont::Normal);
    Text3->setFont(keyFont);

    // The credit line is measured in the font actually used, so that the host name link lies
    // exactly over the host name inside it and the author's name follows right after it.
    const QFontMetrics metrics(Label1->font());
    const QString line = Label1->text();
    const QString host = Label5->text();
    const qsizetype hostStart = std::max<qsizetype>(0, line.indexOf(host));
    const int left = Label1->x();
    const int hostLeft = left + metrics.horizontalAdvance(line.left(hostStart));
    const int hostRight = left + metrics.horizontalAdvance(line.left(hostStart + host.size()));
    Label5->setGeometry(hostLeft, Label1->y(), hostRight - hostLeft, Label1->height());
    const int authorLeft = left + metrics.horizontalAdvance(line + u' ');
    const int authorWidth = std::max(Label3->width(), metrics.horizontalAdvance(Label3->text()));
    Label3->setGeometry(authorLeft, Label1->y(), authorWidth, Label1->height());
}

void Form1::CentreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    // The frame, title bar included, is what sits in the middle. Until the window manager has
    // framed the window its frame is its client area; moveEvent centres it again once the
    // frame is known.
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void Form1::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (!centredByFrame_ && isVisible() && frameGeometry() != geometry()) {
        centredByFrame_ = true;
        CentreOnScreen();
    }
}

void Form1::ConnectRules() {
    Text1->installEventFilter(this);
    Text2->installEventFilter(this);
    Text3->installEventFilter(this);
    // The window hears the pointer over its bare ground; the link labels hear it over
    // themselves.
    setMouseTracking(true);
    for (QLabel* link : {Label3, Label4, Label5}) {
        link->setMouseTracking(true);
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }
    auto* selections = new SelectionFollowsFocus(this);
    for (QWidget* box : std::initializer_list<QWidget*>{Text1, Text2, Text3}) {
        SelectionFollowsFocus::Show(box, box->hasFocus());
        box->installEventFilter(selections);
    }
    // Text1's edit menu: its Ctrl+letter keys append words there, so the menu names none of them.
    Text1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Text1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const std::unique_ptr<QMenu> menu(Text1->createStandardContextMenu());
        DropShortcutTextsOfOtherKeys(*menu);
        menu->exec(Text1->viewport()->mapToGlobal(at));
    });
    using rules::Control;
    connect(Command1, &QPushButton::clicked, this, [this] { rules_.Clicked(Control::Command1); });
    connect(Command2, &QPushButton::clicked, this, [this] { rules_.Clicked(Control::Command2); });
    // "Ende" is the window's cancel button: Esc presses it.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, Command1, &QPushButton::click);
    // Raised for every change of the text, typed or written, before the write returns.
    connect(Text1, &QPlainTextEdit::textChanged, this,
            [this] { rules_.TextChanged(Control::Text1); });
    connect(Text2, &QPlainTextEdit::textChanged, this,
            [this] { rules_.TextChanged(Control::Text2); });
    connect(Text3, &QLineEdit::textChanged, this, [this] { rules_.TextChanged(Control::Text3); });
    // toggled, not clicked: it is raised for program writes as well as for the user, and only
    // when the value really changes.
    for (QCheckBox* box : {Check1, Check2, Check3, Check4}) {
        const Control control = ControlOf(box);
        connect(box, &QCheckBox::toggled, this, [this, control] { rules_.Clicked(control); });
    }
}

}  // namespace schnackomat::ui
