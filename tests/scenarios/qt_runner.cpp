// Plays scenario files against the real Qt window, on Qt's offscreen platform: a fresh main
// window for each file, driven through its windows by the key presses, mouse clicks and mouse
// moves a user makes; the real message boxes, answered by clicking their buttons; the system
// clipboard of the process. Only the links are recorded instead of opened.
//
//   schnackomat_qt_scenarios [FILE.scenario...] [QtTest options]
//
// Without a file it plays every scenario of the source folder. A scenario pending on "qt" is
// expected to fail (QtTest's XFAIL) and fails the run as soon as it passes (XPASS).
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "scenario.h"
#include "schnackomat/conversion.h"
#include "schnackomat/ui/application.h"
#include "schnackomat/ui/form1.h"
#include "schnackomat/ui/help_window.h"
#include "schnackomat/ui/platform.h"

namespace {

using schnackomat::scenarios::KeyPress;
using schnackomat::scenarios::Scenario;
using schnackomat::scenarios::Step;

// More Tab presses than a round of the main window's controls takes.
constexpr int TabStops = 20;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string Quote(const QString& text) {
    QString quoted = text;
    quoted.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'"', QStringLiteral("\\\""))
        .replace(u'\n', QStringLiteral("\\n"));
    std::string written(1, '"');
    written += quoted.toStdString();
    written += '"';
    return written;
}

// Links are handed to the desktop nowhere: they are only written down, in order.
class RecordingLinkOpener final : public schnackomat::ui::LinkOpener {
  public:
    void Open(const QUrl& target) override { Opened.push_back(target.toString()); }
    std::vector<QString> Opened;
};

// A message box as it came up, and whether it was the active window then: the one on top,
// which the keys reach.
struct ShownMessage {
    QString Text;
    QString Title;
    QString Buttons;
    QString Icon;
    bool OnTop = false;
};

// One key as the keyboard delivers it: the key, the text it types, and the modifiers held.
struct Key {
    Qt::Key Code = Qt::Key_unknown;
    QString Text;
    Qt::KeyboardModifiers Modifiers;
};

Key KeyOf(const KeyPress& press) {
    Key key;
    key.Modifiers.setFlag(Qt::ControlModifier, press.Ctrl);
    key.Modifiers.setFlag(Qt::ShiftModifier, press.Shift);
    key.Modifiers.setFlag(Qt::AltModifier, press.Alt);
    struct Named {
        const char* Name;
        Qt::Key Code;
        const char* Text;
    };
    static constexpr Named named[] = {
        {"Tab", Qt::Key_Tab, "\t"},
        {"Esc", Qt::Key_Escape, "\x1b"},
        {"Return", Qt::Key_Return, "\r"},
        {"Space", Qt::Key_Space, " "},
        {"Backspace", Qt::Key_Backspace, "\b"},
        {"Delete", Qt::Key_Delete, "\x7f"},
        {"Insert", Qt::Key_Insert, ""},
        {"Home", Qt::Key_Home, ""},
        {"End", Qt::Key_End, ""},
        {"Left", Qt::Key_Left, ""},
        {"Right", Qt::Key_Right, ""},
        {"Up", Qt::Key_Up, ""},
        {"Down", Qt::Key_Down, ""},
        {"PageUp", Qt::Key_PageUp, ""},
        {"PageDown", Qt::Key_PageDown, ""},
    };
    for (const Named& entry : named) {
        if (press.Key == entry.Name) {
            key.Code = entry.Code;
            key.Text = QString::fromLatin1(entry.Text);
        }
    }
    if (key.Code == Qt::Key_Tab && press.Shift) {
        key.Code = Qt::Key_Backtab;  // as the X server reports Shift+Tab
    }
    if (press.Key.size() == 1) {
        const char character = press.Key[0];
        key.Code = static_cast<Qt::Key>(character);  // Qt's keys for A to Z and 0 to 9
        if (press.Ctrl && character >= 'A' && character <= 'Z') {
            key.Text = QChar(character - 'A' + 1);
        } else if (!press.Ctrl) {
            key.Text = press.Shift ? QChar(character) : QChar(character).toLower();
        }
    }
    return key;
}

// The key that types `character`, as a keyboard with that character on it would send it.
Key KeyTyping(QChar character) {
    Key key;
    key.Text = character;
    if (character == u'\n') {
        key.Code = Qt::Key_Return;
        key.Text = QStringLiteral("\r");
    } else if (character.isUpper()) {
        key.Modifiers = Qt::ShiftModifier;
        key.Code = static_cast<Qt::Key>(character.unicode());
    } else if (character.unicode() < 0x100) {
        key.Code = static_cast<Qt::Key>(character.toUpper().unicode());
    }
    return key;
}

// The whole text of a text box, every line break as "\n".
QString TextOf(const QWidget* box) {
    if (const auto* line = qobject_cast<const QLineEdit*>(box)) {
        return line->text();
    }
    if (const auto* edit = qobject_cast<const QPlainTextEdit*>(box)) {
        QString text = edit->document()->toRawText();
        text.replace(QChar::ParagraphSeparator, u'\n');
        return text;
    }
    return {};
}

class Player {
  public:
    Player()
        : form_(std::make_unique<schnackomat::ui::Form1>(schnackomat::ui::DefaultMessageBoxes(),
                                                         schnackomat::ui::DefaultClipboard(),
                                                         links_)) {
        QGuiApplication::clipboard()->clear();
        form_->show();
        form_->activateWindow();
        opened_ = QTest::qWaitForWindowActive(form_.get());
        // A message box is answered as soon as it has come up, from its own event loop.
        qApp->installEventFilter(&answerer_);
        answerer_.OnShow = [this](QMessageBox* box) {
            QTimer::singleShot(0, box, [this, box] { Answer(box); });
        };
    }

    ~Player() {
        qApp->removeEventFilter(&answerer_);
        schnackomat::ui::CloseHelpWindow();
        form_.reset();
        Settle();
    }

    // Plays the steps in order; answers the first step that fails, with its line, or nothing.
    std::optional<std::string> Play(const Scenario& scenario) {
        if (!opened_) {
            return std::string("the main window did not become the active window");
        }
        for (const Step& step : scenario.Steps) {
            std::optional<std::string> failure = Run(step);
            Settle();
            if (!failure && unexpected_) {
                failure = unexpected_;
            }
            if (failure) {
                return "line " + std::to_string(step.Line) + " (" + std::string(step.Name) +
                       "): " + *failure;
            }
        }
        return std::nullopt;
    }

  private:
    class Answerer final : public QObject {
      public:
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Show) {
                if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                    OnShow(box);
                }
            }
            return false;
        }
        std::function<void(QMessageBox*)> OnShow;
    };

    static void Settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    // Writes the box down and clicks the button of the answer queued for it.
    void Answer(QMessageBox* box) {
        QString buttons = QStringLiteral("other");
        if (box->standardButtons() == (QMessageBox::Yes | QMessageBox::No)) {
            buttons = QStringLiteral("YesNo");
        } else if (box->standardButtons() == QMessageBox::Ok) {
            buttons = QStringLiteral("OK");
        }
        QString icon = QStringLiteral("other");
        switch (box->icon()) {
            case QMessageBox::NoIcon:
                icon = QStringLiteral("none");
                break;
            case QMessageBox::Information:
                icon = QStringLiteral("information");
                break;
            case QMessageBox::Question:
                icon = QStringLiteral("question");
                break;
            default:
                break;
        }
        // The window system activates a box just after showing it.
        const bool onTop = QTest::qWaitForWindowActive(box);
        messages_.push_back({box->text(), box->windowTitle(), buttons, icon, onTop});

        QAbstractButton* button = nullptr;
        if (answers_.empty()) {
            unexpected_ = "message box " + Quote(box->text()) + " came up with no answer queued";
        } else {
            const std::string answer = answers_.front();
            answers_.pop_front();
            button = box->button(answer == "Yes"  ? QMessageBox::Yes
                                 : answer == "No" ? QMessageBox::No
                                                  : QMessageBox::Ok);
            if (button == nullptr) {
                unexpected_ = "the answer " + answer + " was queued for message box " +
                              Quote(box->text()) + ", which has no such button";
            }
        }
        if (button == nullptr) {
            // Left open, the box would hold the run for ever: the harmless answer closes it.
            button = box->button(QMessageBox::No) != nullptr ? box->button(QMessageBox::No)
                                                             : box->button(QMessageBox::Ok);
        }
        // When the box has gone, the window manager gives the window it came up over the
        // keyboard again.
        const QPointer<QWidget> owner =
            box->parentWidget() != nullptr ? box->parentWidget()->window() : nullptr;
        QObject::connect(box, &QDialog::finished, box, [owner] {
            QTimer::singleShot(0, [owner] {
                if (QGuiApplication::focusWindow() == nullptr && owner && owner->isVisible()) {
                    owner->activateWindow();
                }
            });
        });
        const QPoint at = button->mapTo(box, button->rect().center());
        QTest::mouseMove(box->windowHandle(), at);
        QTest::mouseClick(box->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    }

    QWidget* HelpWindow() const {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QStringLiteral("Form2") && window->isVisible()) {
                return window;
            }
        }
        return nullptr;
    }

    QWidget* Find(const std::string& name) const {
        if (name == "Form1") {
            return form_.get();
        }
        if (name == "Form2") {
            return HelpWindow();
        }
        if (name.starts_with("Form2.")) {
            QWidget* help = HelpWindow();
            return help != nullptr ? help->findChild<QWidget*>(Q(name.substr(6))) : nullptr;
        }
        return form_->findChild<QWidget*>(Q(name));
    }

    // The scenario's name of a widget, for the focus.
    QString NameOf(const QWidget* widget) const {
        if (widget == nullptr) {
            return QStringLiteral("nothing");
        }
        const QWidget* window = widget->window();
        if (qobject_cast<const QMessageBox*>(window) != nullptr) {
            return QStringLiteral("a message box");
        }
        if (window->objectName() == QStringLiteral("Form2") && widget != window) {
            return QStringLiteral("Form2.") + widget->objectName();
        }
        return widget->objectName();
    }

    // A point of `widget` (in its own coordinates) where a click reaches the widget itself and
    // no other control lying over it: its middle where that is free. For a window, a point of
    // its bare ground; for an option box, its tick box.
    std::optional<QPoint> PointOn(QWidget* widget) const {
        QWidget* window = widget->window();
        QRect area = widget->rect();
        if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(check);
            area = check->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, check);
        }
        const auto reaches = [&](QPoint at) {
            QWidget* hit = window->childAt(widget->mapTo(window, at));
            return widget == window
                       ? hit == nullptr
                       : hit != nullptr && (hit == widget || widget->isAncestorOf(hit));
        };
        const QPoint middle = area.center();
        if (reaches(middle)) {
            return middle;
        }
        // Outwards from the middle, first along its row, then over the whole area.
        for (int step = 1; step <= area.width() / 2; ++step) {
            for (const int x : {middle.x() - step, middle.x() + step}) {
                if (reaches({x, middle.y()})) {
                    return QPoint(x, middle.y());
                }
            }
        }
        for (int y = area.top(); y <= area.bottom(); y += 2) {
            for (int x = area.left(); x <= area.right(); x += 2) {
                if (reaches({x, y})) {
                    return QPoint(x, y);
                }
            }
        }
        return std::nullopt;
    }

    // Makes `window` the active window, as a window manager does when it is clicked.
    static std::optional<std::string> Activate(QWidget* window) {
        if (window->isActiveWindow()) {
            return std::nullopt;
        }
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window)) {
            return "the window " + window->objectName().toStdString() + " does not become active";
        }
        return std::nullopt;
    }

    std::optional<std::string> MoveOnto(QWidget* widget, std::optional<QPoint> at = {}) {
        if (!at) {
            at = PointOn(widget);
        }
        if (!at) {
            return "no part of " + NameOf(widget).toStdString() + " can be reached by the mouse";
        }
        QWidget* window = widget->window();
        QTest::mouseMove(window->windowHandle(), widget->mapTo(window, *at));
        pointer_ = widget->mapTo(window, *at);
        return std::nullopt;
    }

    std::optional<std::string> ClickOn(QWidget* widget, std::optional<QPoint> at = {}) {
        if (auto failure = MoveOnto(widget, at)) {
            return failure;
        }
        QWidget* window = widget->window();
        if (auto failure = Activate(window)) {
            return failure;
        }
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, pointer_);
        return std::nullopt;
    }

    // Sends a key to the window the keys go to now.
    std::optional<std::string> Send(const Key& key) {
        QWindow* window = QGuiApplication::focusWindow();
        if (window == nullptr) {
            return std::string("no window takes keys");
        }
        QTest::sendKeyEvent(QTest::Click, window, key.Code, key.Text, key.Modifiers);
        return std::nullopt;
    }

    std::optional<std::string> Run(const Step& step) {
        const std::string_view name = step.Name;
        if (name == "answer") {
            answers_.push_back(step.Text(0));
            return std::nullopt;
        }
        if (name == "type" || name == "paste" || name == "press") {
            return RunKeys(step);
        }
        if (name == "hover window") {
            return MoveOnto(form_.get());
        }
        if (name == "expect messages") {
            return Compare(static_cast<int>(messages_.size()), step.Number(0), "message boxes");
        }
        if (name == "expect message") {
            return ExpectMessage(step);
        }
        if (name == "expect links") {
            return Compare(static_cast<int>(links_.Opened.size()), step.Number(0), "links");
        }
        if (name == "expect link") {
            const std::size_t index = static_cast<std::size_t>(step.Number(0));
            if (index == 0 || index > links_.Opened.size()) {
                return "only " + std::to_string(links_.Opened.size()) + " links were opened";
            }
            return Compare(links_.Opened[index - 1], Q(step.Text(1)), "the link");
        }
        if (name == "expect leads") {
            const char* leads = form_->Text1Leads()   ? "Text1"
                                : form_->Text2Leads() ? "Text2"
                                                      : "none";
            return Compare(QString::fromLatin1(leads), Q(step.Text(0)), "the leading box");
        }
        if (name == "expect clipboard") {
            return Compare(QGuiApplication::clipboard()->text(), Q(step.Text(0)), "the clipboard");
        }
        if (name == "expect focus") {
            QWidget* focused = QApplication::focusWidget();
            return Compare(NameOf(focused != nullptr ? focused : QApplication::activeWindow()),
                           Q(step.Text(0)), "the focus");
        }
        if (name == "expect open" || name == "expect closed") {
            QWidget* window = Find(step.Text(0));
            const bool open = window != nullptr && window->isVisible();
            if (open != (name == "expect open")) {
                return step.Text(0) + (open ? " is open" : " is closed");
            }
            return std::nullopt;
        }
        QWidget* control = Find(step.Text(0));
        if (control == nullptr) {
            return step.Text(0) + " is not there";
        }
        return RunOn(step, control);
    }

    std::optional<std::string> RunKeys(const Step& step) {
        const std::string_view name = step.Name;
        if (name == "press") {
            return Send(KeyOf(schnackomat::scenarios::SplitKey(step.Text(0))));
        }
        if (name == "paste") {
            QGuiApplication::clipboard()->setText(Q(step.Text(0)));
            return Send(KeyOf({false, true, false, "Insert"}));
        }
        for (const QChar character : Q(step.Text(0))) {
            if (auto failure = Send(KeyTyping(character))) {
                return failure;
            }
        }
        return std::nullopt;
    }

    // The steps about one control.
    std::optional<std::string> RunOn(const Step& step, QWidget* control) {
        const std::string_view name = step.Name;
        auto* edit = qobject_cast<QPlainTextEdit*>(control);
        auto* line = qobject_cast<QLineEdit*>(control);
        if (name == "focus") {
            if (auto failure = Activate(control->window())) {
                return failure;
            }
            for (int presses = 0; QApplication::focusWidget() != control; ++presses) {
                if (presses == TabStops) {
                    return "the Tab key does not reach " + step.Text(0);
                }
                if (auto failure = Send(KeyOf({false, false, false, "Tab"}))) {
                    return failure;
                }
                Settle();
            }
            return std::nullopt;
        }
        if (name == "click") {
            return ClickOn(control);
        }
        if (name == "hover") {
            return MoveOnto(control);
        }
        if (name == "expect checked") {
            auto* check = qobject_cast<QCheckBox*>(control);
            if (check == nullptr) {
                return step.Text(0) + " is no option box";
            }
            return Compare(QString::number(check->isChecked() ? 1 : 0), Q(step.Text(1)),
                           "the value");
        }
        if (name == "expect colour") {
            return Compare(control->palette().color(QPalette::WindowText).name(), Q(step.Text(1)),
                           "the text colour");
        }
        if (name == "expect caption") {
            QString caption;
            if (const auto* label = qobject_cast<const QLabel*>(control)) {
                caption = label->text();
            } else if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
                caption = button->text().replace(QStringLiteral("&&"), QStringLiteral("&"));
            }
            return Compare(caption, Q(step.Text(1)), "the caption");
        }
        if (edit == nullptr && line == nullptr) {
            return step.Text(0) + " is no text box";
        }
        if (name == "expect text") {
            return Compare(TextOf(control), Q(step.Text(1)), "the text");
        }
        if (name == "expect clipboard of") {
            return Compare(QGuiApplication::clipboard()->text(), TextOf(control), "the clipboard");
        }
        if (name == "expect caret" || name == "expect selection") {
            int start = 0;
            int length = 0;
            int caret = 0;
            if (edit != nullptr) {
                const QTextCursor cursor = edit->textCursor();
                start = cursor.selectionStart();
                length = cursor.selectionEnd() - start;
                caret = cursor.position();
            } else {
                start = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
                length = static_cast<int>(line->selectedText().size());
                caret = line->cursorPosition();
            }
            if (name == "expect caret") {
                if (length != 0) {
                    return "the box has " + std::to_string(length) + " characters selected from " +
                           std::to_string(start);
                }
                return Compare(caret, step.Number(1), "the caret");
            }
            const QString got = QStringLiteral("%1 %2").arg(start).arg(length);
            return Compare(got, QStringLiteral("%1 %2").arg(step.Number(1)).arg(step.Number(2)),
                           "the selection (start length)");
        }
        if (name == "expect decoded") {
            schnackomat::ConversionOptions options;
            options.MatrixStyle = true;
            options.MatrixKey = Q(step.Text(1)).toStdU16String();
            const schnackomat::BackResult back =
                schnackomat::ConvertBack(TextOf(control).toStdU16String(), options);
            const auto* decoded = std::get_if<std::u16string>(&back);
            if (decoded == nullptr) {
                return "the text is no Matrix text with the key " + step.Text(1);
            }
            return Compare(QString::fromStdU16String(*decoded), Q(step.Text(2)),
                           "the decoded text");
        }
        if (name == "expect letters") {
            const QString text = TextOf(control);
            const bool letters =
                !text.isEmpty() && std::all_of(text.begin(), text.end(),
                                               [](QChar c) { return c >= u'a' && c <= u'z'; });
            return letters ? std::nullopt
                           : std::optional<std::string>("the text " + Quote(text) +
                                                        " is not all letters a to z");
        }
        if (edit == nullptr) {
            return step.Text(0) + " is no multi-line text box";
        }
        QScrollBar* scroll = edit->verticalScrollBar();
        if (name == "scroll") {
            scroll->triggerAction(QAbstractSlider::SliderToMaximum);
            return std::nullopt;
        }
        if (name == "expect view") {
            const bool top = scroll->value() == scroll->minimum();
            const bool end = scroll->value() == scroll->maximum();
            if (step.Text(1) == "top" ? top : end) {
                return std::nullopt;
            }
            return "the view stands at " + std::to_string(scroll->value()) + " of " +
                   std::to_string(scroll->minimum()) + " to " + std::to_string(scroll->maximum());
        }
        if (name == "click at") {
            const int position = step.Number(1);
            if (position > TextOf(edit).size()) {
                return "the text has only " + std::to_string(TextOf(edit).size()) + " characters";
            }
            QTextCursor cursor(edit->document());
            cursor.setPosition(position);
            // Just right of the character's left edge: on its left half, which puts the caret
            // before it.
            const QPoint at = edit->cursorRect(cursor).center() + QPoint(1, 0);
            if (!edit->viewport()->rect().contains(at)) {
                return "position " + std::to_string(position) + " is not in view";
            }
            return ClickOn(edit->viewport(), at);
        }
        return "the step " + std::string(name) + " is unknown here";
    }

    std::optional<std::string> ExpectMessage(const Step& step) {
        const std::size_t index = static_cast<std::size_t>(step.Number(0));
        if (index == 0 || index > messages_.size()) {
            return "only " + std::to_string(messages_.size()) + " message boxes came up";
        }
        const ShownMessage& shown = messages_[index - 1];
        const QString got = Quote(shown.Text).c_str() + QStringLiteral(" ") +
                            Quote(shown.Title).c_str() + u' ' + shown.Buttons + u' ' + shown.Icon;
        const QString wanted = Quote(Q(step.Text(1))).c_str() + QStringLiteral(" ") +
                               Quote(Q(step.Text(2))).c_str() + u' ' + Q(step.Text(3)) + u' ' +
                               Q(step.Text(4));
        if (auto failure = Compare(got, wanted, "the message box")) {
            return failure;
        }
        if (!shown.OnTop) {
            return "message box " + std::to_string(index) + " came up under another window";
        }
        return std::nullopt;
    }

    static std::optional<std::string> Compare(const QString& got, const QString& wanted,
                                              const char* what) {
        if (got == wanted) {
            return std::nullopt;
        }
        return std::string(what) + " is " + Quote(got) + ", not " + Quote(wanted);
    }

    static std::optional<std::string> Compare(int got, int wanted, const char* what) {
        if (got == wanted) {
            return std::nullopt;
        }
        return std::string(what) + ": " + std::to_string(got) + ", not " + std::to_string(wanted);
    }

    RecordingLinkOpener links_;
    std::unique_ptr<schnackomat::ui::Form1> form_;
    Answerer answerer_;
    std::deque<std::string> answers_;
    std::vector<ShownMessage> messages_;
    std::optional<std::string> unexpected_;
    QPoint pointer_;
    bool opened_ = false;
};

class QtScenarios : public QObject {
    Q_OBJECT

  public:
    explicit QtScenarios(QStringList files) : files_(std::move(files)) {}

  private slots:
    void Plays_data() {
        QTest::addColumn<QString>("file");
        for (const QString& file : files_) {
            QTest::newRow(qPrintable(QFileInfo(file).completeBaseName())) << file;
        }
    }

    void Plays() {
        QFETCH(QString, file);
        QFile source(file);
        QVERIFY2(source.open(QIODevice::ReadOnly),
                 qPrintable(file + QStringLiteral(": cannot be read")));
        const QByteArray content = source.readAll();
        const auto parsed = schnackomat::scenarios::ParseScenario(
            std::string_view(content.constData(), static_cast<std::size_t>(content.size())));
        if (const auto* error = std::get_if<schnackomat::scenarios::ParseError>(&parsed)) {
            QFAIL(qPrintable(
                QStringLiteral("%1:%2: %3").arg(file).arg(error->Line).arg(Q(error->Reason))));
        }
        const Scenario& scenario = std::get<Scenario>(parsed);
        std::optional<std::string> failure;
        {
            Player player;
            failure = player.Play(scenario);
        }
        if (const auto pending = scenario.Pending.find("qt"); pending != scenario.Pending.end()) {
            QEXPECT_FAIL("", qPrintable(QStringLiteral("pending: ") + Q(pending->second)), Abort);
        }
        QVERIFY2(!failure,
                 failure ? failure->c_str() : "passes on qt now: remove its pending line");
    }

  private:
    QStringList files_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    schnackomat::ui::PrepareApplication(application);
    QStringList files;
    QStringList testArguments{QString::fromLocal8Bit(argv[0])};
    for (const QString& argument : application.arguments().mid(1)) {
        (argument.endsWith(QStringLiteral(".scenario")) ? files : testArguments).append(argument);
    }
    if (files.isEmpty()) {
        const QDir folder(QStringLiteral(SCHNACKOMAT_SCENARIO_DIR));
        for (const QString& name : folder.entryList({QStringLiteral("*.scenario")}, QDir::Files)) {
            files.append(folder.filePath(name));
        }
    }
    QtScenarios scenarios(files);
    return QTest::qExec(&scenarios, testArguments);
}

#include "qt_runner.moc"
