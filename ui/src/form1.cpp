#include "schnackomat/ui/form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "schnackomat/matrix.h"
#include "schnackomat/ui/icon.h"

namespace schnackomat::ui {

namespace {

constexpr int ClientWidth = 592;
constexpr int ClientHeight = 387;

const QColor Purple(128, 0, 128);
const QColor DarkPurple(64, 0, 64);
const QColor LightOrange(255, 192, 128);
const QColor PaleYellow(255, 255, 192);

constexpr char16_t WindowTitle[] = u"Schnackomat V3.0 - schnackomat.example - von Benaldo";
constexpr char16_t CreditPrefix[] = u"Gemacht für ";
constexpr char16_t HostName[] = u"schnackomat.example";
constexpr char16_t CreditSuffix[] = u" von";
constexpr char16_t AuthorName[] = u"Benaldo";

// The bottom line of labels: all on one row of this top and height.
constexpr int LabelTop = 368;
constexpr int LabelHeight = 17;
constexpr int Label1Left = 8;
constexpr int Label1Width = 185;
constexpr int Label3MinWidth = 41;

QString CreditLine() {
    return QString::fromUtf16(CreditPrefix) + QString::fromUtf16(HostName) +
           QString::fromUtf16(CreditSuffix);
}

// Whether every caption of the window fits its box in `font`.
bool CaptionsFit(const QFont& font, const QStyle& style) {
    const QFontMetrics metrics(font);
    if (metrics.height() > LabelHeight) {
        return false;
    }
    const int checkIndent = style.pixelMetric(QStyle::PM_IndicatorWidth) +
                            style.pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    const std::initializer_list<std::pair<QString, int>> captions{
        {CreditLine(), Label1Width},
        {QStringLiteral("Anmerkung: Die schwule Farbe wollte"), 185},
        {QString::fromUtf16(AuthorName), Label3MinWidth},
        {QStringLiteral("Pfiii!"), 41},
        {QStringLiteral("1337"), 57 - checkIndent},
        {QStringLiteral("Pfiii- & Benaldo- Style"), 137 - checkIndent},
        {QStringLiteral("The Matrix-Style"), 97 - checkIndent},
        {QStringLiteral("1337-Wörters"), 89 - checkIndent},
        {QStringLiteral("Ende"), 73 - 8},
    };
    return std::all_of(captions.begin(), captions.end(), [&](const auto& caption) {
        return metrics.horizontalAdvance(caption.first) <= caption.second;
    });
}

// The layout was drawn for a small 8-point interface font. The toolkit's default family keeps
// its place; its size shrinks in half points until every caption fits its box. Full hinting
// puts every glyph on whole pixels, so that a label laid over a part of another label's text
// shows exactly the pixels beneath it.
QFont ControlFont(const QStyle& style) {
    QFont font = QApplication::font();
    font.setHintingPreference(QFont::PreferFullHinting);
    double size = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
    for (; size > 6.0; size -= 0.5) {
        font.setPointSizeF(size);
        if (CaptionsFit(font, style)) {
            return font;
        }
    }
    font.setPointSizeF(6.0);
    return font;
}

void SetColours(QWidget* widget, const QColor& text, const QColor& background) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Base, background);
    widget->setPalette(palette);
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
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);
    SetColours(this, LightOrange, Purple);
    setFont(ControlFont(*style()));

    CreateControls();
    PlaceControls();
    ConnectRules();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(ClientWidth / 2, ClientHeight / 2));
    }

    // The window opens with the focus in Text1, the first control in tab order.
    rules_.Start();
}

void Form1::CreateControls() {
    const auto named = [](QWidget* widget, const char* name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };

    // Created in reverse stacking order: where controls overlap, the later one lies above.
    Label1 = new QLabel(CreditLine(), this);
    Label2 = new QLabel(QStringLiteral("Anmerkung: Die schwule Farbe wollte"), this);
    Label3 = new QLabel(QString::fromUtf16(AuthorName), this);
    Label4 = new QLabel(QStringLiteral("Pfiii!"), this);
    Label5 = new QLabel(QString::fromUtf16(HostName), this);
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

    Check1 = new QCheckBox(QStringLiteral("1337"), this);
    Check2 = new QCheckBox(QStringLiteral("Pfiii- && Benaldo- Style"), this);
    Check4 = new QCheckBox(QStringLiteral("The Matrix-Style"), this);
    Check3 = new QCheckBox(QStringLiteral("1337-Wörters"), this);
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
    Text3->setMaxLength(15);
    QFont keyFont(QStringLiteral("Times New Roman"));
    keyFont.setPointSizeF(8.25);
    keyFont.setWeight(QFont::Normal);
    Text3->setFont(keyFont);
    SetColours(Text3, PaleYellow, DarkPurple);

    Command1 = new QPushButton(QStringLiteral("Ende"), this);
    Command2 = new QPushButton(QStringLiteral("?"), this);
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
    Text1->setGeometry(8, 8, 577, 161);
    Text2->setGeometry(8, 192, 577, 161);
    Command1->setGeometry(512, 360, 73, 25);
    Check1->setGeometry(8, 176, 57, 13);
    Check2->setGeometry(152, 176, 137, 13);
    Check4->setGeometry(296, 176, 97, 13);
    Command2->setGeometry(560, 168, 25, 25);
    Text3->setGeometry(400, 172, 97, 17);
    Check3->setGeometry(56, 176, 89, 13);

    // The credit line is measured in the font actually used, so that the host name link lies
    // exactly over the host name inside it and the author's name follows right after it.
    const QFontMetrics metrics(Label1->font());
    const QString line = CreditLine();
    const int lineWidth = std::max(Label1Width, metrics.horizontalAdvance(line));
    Label1->setGeometry(Label1Left, LabelTop, lineWidth, LabelHeight);
    const int hostLeft = Label1Left + metrics.horizontalAdvance(QString::fromUtf16(CreditPrefix));
    const int hostRight = Label1Left + metrics.horizontalAdvance(QString::fromUtf16(CreditPrefix) +
                                                                 QString::fromUtf16(HostName));
    Label5->setGeometry(hostLeft, LabelTop, hostRight - hostLeft, LabelHeight);
    const int authorLeft = Label1Left + metrics.horizontalAdvance(line + u' ');
    const int authorWidth =
        std::max(Label3MinWidth, metrics.horizontalAdvance(QString::fromUtf16(AuthorName)));
    Label3->setGeometry(authorLeft, LabelTop, authorWidth, LabelHeight);
    Label2->setGeometry(240, LabelTop, 185, LabelHeight);
    Label4->setGeometry(421, LabelTop, 41, LabelHeight);
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
