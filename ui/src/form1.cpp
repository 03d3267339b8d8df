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

const QColor Purple(128, 0, 128);
const QColor DarkPurple(64, 0, 64);
const QColor LightOrange(255, 192, 128);
const QColor PaleYellow(255, 255, 192);

constexpr char16_t WindowTitle[] = u"Schnackomat V3.0 - schnackomat.example - von Benaldo";

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

// Buttons show their pink face whatever the style, so they get it from a style sheet.
constexpr char ButtonStyle[] =
    "QPushButton { background-color: rgb(255, 192, 255); color: black;"
    " border: 1px solid rgb(64, 0, 64); border-radius: 2px; }"
    "QPushButton:focus { border: 1px dotted black; }"
    "QPushButton:pressed { background-color: rgb(224, 160, 224); }";

// What a screen reader announces for each control: its name, and what it is for.
struct AccessibleText {
    const char* Control;
    const char16_t* Name;
    const char16_t* Description;
};

constexpr AccessibleText AccessibleTexts[] = {
    {"Text1", u"Eingabe", u"Deutscher Text; jede Änderung wird sofort umgewandelt"},
    {"Text2", u"Ausgabe",
     u"Der umgewandelte Text, auch in der Zwischenablage; Eingaben hier werden zurückgewandelt"},
    {"Text3", u"Schlüssel", u"Schlüssel des Matrix-Codes, nur Kleinbuchstaben"},
    {"Check1", u"1337", u"Buchstaben als ähnlich aussehende Ziffern schreiben"},
    {"Check2", u"Pfiii- & Benaldo- Style", u"Slang-Wörter, Einwürfe und vertauschte Buchstaben"},
    {"Check3", u"1337-Wörters", u"Wortendungen 0rn und 0rst"},
    {"Check4", u"The Matrix-Style", u"Jeder Buchstabe als Gruppe aus fünf Binärziffern"},
    {"Command1", u"Ende", u"Programm beenden, nach zwei Rückfragen"},
    {"Command2", u"Hilfe", u"Hilfe und Liste der Tastenkürzel zeigen"},
    {"Label1", u"Gemacht für schnackomat.example von", u"Hinweis auf die Urheber"},
    {"Label2", u"Anmerkung: Die schwule Farbe wollte", u"Anmerkung zur Farbe"},
    {"Label3", u"Benaldo", u"Link: Mail an Benaldo schreiben"},
    {"Label4", u"Pfiii!", u"Link: Mail an Pfiii schreiben"},
    {"Label5", u"schnackomat.example", u"Link: Webseite schnackomat.example öffnen"},
};

}  // namespace

Form1::Form1(MessageBoxes& messageBoxes, Clipboard& clipboard, LinkOpener& linkOpener,
             RandomSource& random, QWidget* parent)
    : QWidget(parent),
      messageBoxes_(messageBoxes),
      clipboard_(clipboard),
      linkOpener_(linkOpener),
      rules_(*this, random) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf16(WindowTitle));
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

    // Created in reverse stacking order: where controls overlap, the later one lies above.
    // Captions and places come from the layout (PlaceControls).
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

    Text1 = new TextBox(this);
    Text2 = new TextBox(this);
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
        button->setStyleSheet(QString::fromLatin1(ButtonStyle));
    }

    // Check3 lies above Check1, Label4 above Label2, Label5 above Label1.
    Check3->raise();
    Label4->raise();
    Label5->raise();

    for (const AccessibleText& text : AccessibleTexts) {
        if (auto* control = findChild<QWidget*>(QString::fromLatin1(text.Control))) {
            control->setAccessibleName(QString::fromUtf16(text.Name));
            control->setAccessibleDescription(QString::fromUtf16(text.Description));
        }
    }

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Command1);
    setTabOrder(Command1, Check1);
    setTabOrder(Check1, Check2);
    setTabOrder(Check2, Check4);
    setTabOrder(Check4, Command2);
    setTabOrder(Command2, Text3);
    setTabOrder(Text3, Check3);
}

void Form1::PlaceControls() {
    const double scale = LayoutScale(font(), *style());
    Form1Layout.attachTo(this, scale);
    QFont keyFont(QStringLiteral("Times New Roman"));
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
