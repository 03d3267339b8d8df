// How long the main window takes to answer a key press: from the key event on Text1 (or Text2)
// until Text2 and the clipboard (or Text1) hold the new output. The whole chain runs inside the
// key event, so the time is that of handling the event. Beside it, the engine's conversion of
// the same text is timed on its own, so that the window's share shows.
//
// Usage: schnackomat_window_bench [--keys N] [--warmup N] [--only NAME-PART]
// Every reachable option set is timed both ways at 10 KiB, 100 KiB and 1 MiB of German text
// (the size in bytes of UTF-8), with one paragraph of 1 MiB, the key box and a paste beside
// them; 1 MiB cases take a quarter of the keys. With --only, just the cases whose name holds
// NAME-PART run. Besides the table it prints one line per case:
//   case=NAME size=BYTES p50_ms=X p95_ms=Y max_ms=Z cpu_p50_ms=C cpu_p95_ms=D ok=yes|no
// (cpu_ the processor time of the key press on the window's thread)
// where ok tells whether the last output is the conversion of the last input (a Matrix text
// without its random filler groups).
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <time.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "schnackomat/conversion.h"
#include "schnackomat/random.h"
#include "schnackomat/ui/binding.h"
#include "schnackomat/ui/form1.h"
#include "schnackomat/ui/platform.h"

namespace {

using schnackomat::ConversionOptions;
using schnackomat::ui::Form1;
using schnackomat::ui::ReadText;
using schnackomat::ui::ToEngineText;
using schnackomat::ui::ToQString;
using schnackomat::ui::WriteText;
using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The processor time of this thread, which other programs on the machine take less from than
// they take from the wall clock.
double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// A clipboard that keeps the last text it was given, as the system clipboard would.
class StoringClipboard final : public schnackomat::ui::Clipboard {
  public:
    void Clear() override { text_.clear(); }
    void SetText(const QString& text) override { text_ = text; }
    QString Text() const { return text_; }

  private:
    QString text_;
};

// Message boxes that the user closes with OK (or Yes) at once.
class AnsweringMessageBoxes final : public schnackomat::ui::MessageBoxes {
  public:
    schnackomat::ui::MessageAnswer Show(QWidget*, const QString&, const QString&,
                                        schnackomat::ui::MessageButtons buttons,
                                        schnackomat::ui::MessageIcon) override {
        ++Shown;
        return buttons == schnackomat::ui::MessageButtons::YesNo
                   ? schnackomat::ui::MessageAnswer::Yes
                   : schnackomat::ui::MessageAnswer::Ok;
    }
    int Shown = 0;
};

class NoLinks final : public schnackomat::ui::LinkOpener {
  public:
    void Open(const QUrl&) override {}
};

// German text: the fortunes-de collection, every file once in name order, or generated text
// when it is not installed.
QString GermanCorpus() {
    QString corpus;
    const QDir directory(QStringLiteral("/usr/share/games/fortunes/de"));
    for (const QFileInfo& entry : directory.entryInfoList(QDir::Files, QDir::Name)) {
        if (entry.isSymLink() || entry.suffix() == QStringLiteral("dat")) {
            continue;
        }
        QFile file(entry.filePath());
        if (file.open(QIODevice::ReadOnly)) {
            corpus += QString::fromUtf8(file.readAll());
        }
    }
    if (!corpus.isEmpty()) {
        return corpus;
    }
    std::fprintf(stderr, "fortunes-de not found, using generated text\n");
    const QStringList words = QStringLiteral(
                                  "Das ist cool und der Hund hat nicht mal Lust auf "
                                  "Fußball, aber die Größe ändert sich öfter. Warum? Weil "
                                  "wir es können! Mann, ist das geil, oder nicht?")
                                  .split(u' ');
    std::mt19937 generator(1);
    for (int i = 0; i < 300000; ++i) {
        corpus += words[static_cast<int>(generator() % words.size())];
        corpus += (i % 12 == 11) ? u'\n' : u' ';
    }
    return corpus;
}

// `corpus` repeated and cut to at most `bytes` bytes of UTF-8, never inside a character.
QString CutToSize(const QString& corpus, qsizetype bytes) {
    const QByteArray piece = corpus.toUtf8();
    QByteArray text;
    while (text.size() <= bytes) {
        text += piece;
    }
    // The cut goes before the first byte left out, back to where a character starts.
    while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) {
        --bytes;
    }
    text.truncate(bytes);
    return QString::fromUtf8(text);
}

struct Percentiles {
    double P50 = 0;
    double P95 = 0;
    double Max = 0;
};

Percentiles PercentilesOf(std::vector<double> values) {
    if (values.empty()) {
        return {};
    }
    std::sort(values.begin(), values.end());
    // Nearest rank: the smallest value that at least `fraction` of all values do not exceed.
    const auto at = [&](double fraction) {
        const auto rank =
            static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size())));
        return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
    };
    return {at(0.50), at(0.95), values.back()};
}

// What is timed: a key typed at the end of Text1 (forward) or of Text2 (reverse), the last key
// of the right Matrix key typed into the key box, or a paste into an empty Text1.
enum class Action { Forward, Reverse, KeyBox, Paste };

// The option boxes ticked, in the order the window shows them.
struct OptionSet {
    bool Leet = false;       // Check1, "1337"
    bool Slang = false;      // Check2
    bool LeetWords = false;  // Check3, "1337-Wörters"
    bool Matrix = false;     // Check4
};

constexpr OptionSet StartUp{true, false, true, false};

struct Scenario {
    std::string Name;
    Action What;
    OptionSet Options;
    qsizetype Size;
    bool OneParagraph = false;  // the text without line breaks
    bool RealClipboard = false;
};

struct Outcome {
    Percentiles Total;
    Percentiles Processor;  // of the whole key press
    Percentiles Engine;
    Percentiles Window;
    bool Correct = false;
    int Keys = 0;
};

// The letters typed, over and over.
constexpr char16_t Typed[] = u"und dann ";

void SendKey(QWidget* box, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
             const QString& text) {
    QKeyEvent event(type, key, modifiers, text);
    QApplication::sendEvent(box, &event);
}

int KeyOf(char16_t character) {
    return character == u' ' ? int(Qt::Key_Space) : int(Qt::Key_A + (character - u'a'));
}

// Ticks exactly the boxes of `set` by clicking them, as a user would: the Matrix box first, as
// it clears the leet boxes.
void TickOptions(Form1& form, const OptionSet& set) {
    const auto box = [&](const char* name) {
        return form.findChild<QCheckBox*>(QString::fromLatin1(name));
    };
    const std::pair<const char*, bool> wanted[] = {{"Check4", set.Matrix},
                                                   {"Check1", set.Leet},
                                                   {"Check2", set.Slang},
                                                   {"Check3", set.LeetWords}};
    for (const auto& [name, ticked] : wanted) {
        if (box(name)->isChecked() != ticked) {
            box(name)->click();
        }
    }
}

ConversionOptions OptionsOf(Form1& form) {
    const auto ticked = [&](const char* name) {
        return form.findChild<QCheckBox*>(QString::fromLatin1(name))->isChecked();
    };
    ConversionOptions options;
    options.LeetCharacters = ticked("Check1");
    options.SlangStyle = ticked("Check2");
    options.LeetWords = ticked("Check3");
    options.MatrixStyle = ticked("Check4");
    options.MatrixKey = ToEngineText(ReadText(form.findChild<QLineEdit*>(QStringLiteral("Text3"))));
    return options;
}

// A Matrix text without its random filler: the five leading groups and the last group.
QString WithoutFiller(const QString& text) {
    return text.size() < 36 ? text : text.sliced(30, text.size() - 36);
}

// Whether `shown` is the forward conversion of `input`; Matrix texts are compared without their
// random filler.
bool IsForwardOf(const QString& shown, const QString& input, const ConversionOptions& options) {
    const QString expected =
        ToQString(schnackomat::ConvertForward(ToEngineText(input), options).Text);
    return options.MatrixStyle ? WithoutFiller(shown) == WithoutFiller(expected)
                               : shown == expected;
}

// Puts the caret after the last character of a text box.
void MoveCaretToEnd(QWidget* box) {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(box)) {
        edit->moveCursor(QTextCursor::End);
    } else if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->end(false);
    }
}

Outcome Run(const Scenario& scenario, const QString& corpus, int warmup, int keys) {
    StoringClipboard storing;
    AnsweringMessageBoxes messages;
    NoLinks links;
    schnackomat::SeededRandomSource random;
    schnackomat::ui::Clipboard& clipboard =
        scenario.RealClipboard ? schnackomat::ui::DefaultClipboard() : storing;
    Form1 form(messages, clipboard, links, random);
    form.show();
    form.activateWindow();
    (void)QTest::qWaitForWindowActive(&form);
    auto* text1 = form.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    auto* text2 = form.findChild<QPlainTextEdit*>(QStringLiteral("Text2"));
    auto* text3 = form.findChild<QLineEdit*>(QStringLiteral("Text3"));
    TickOptions(form, scenario.Options);
    const ConversionOptions options = OptionsOf(form);

    QString german = CutToSize(corpus, scenario.Size);
    if (scenario.OneParagraph) {
        german.replace(u'\n', u' ');
    }
    QWidget* typedInto = text1;
    switch (scenario.What) {
        case Action::Forward:
            text1->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
            WriteText(text1, german);
            break;
        case Action::Reverse:
        case Action::KeyBox: {
            // Text2 holds converted text of the given size: typing into it converts back into
            // Text1, and so does a change of the key box.
            const std::u16string converted =
                schnackomat::ConvertForward(ToEngineText(german), options).Text;
            text2->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
            WriteText(text2, CutToSize(ToQString(converted), scenario.Size));
            typedInto = text2;
            if (scenario.What == Action::KeyBox) {
                text3->setFocus(Qt::TabFocusReason);
                typedInto = text3;
            }
            break;
        }
        case Action::Paste:
            text1->setFocus(Qt::TabFocusReason);
            QGuiApplication::clipboard()->setText(german);
            break;
    }
    MoveCaretToEnd(typedInto);
    QCoreApplication::processEvents();

    std::vector<double> totals;
    std::vector<double> processor;
    std::vector<double> engines;
    std::vector<double> windows;
    for (int i = 0; i < warmup + keys; ++i) {
        const char16_t character = Typed[i % (std::size(Typed) - 1)];
        Clock::time_point start;
        double total = 0;
        double processorAtStart = 0;
        switch (scenario.What) {
            case Action::Forward:
            case Action::Reverse:
                start = Clock::now();
                processorAtStart = ThreadMilliseconds();
                SendKey(typedInto, QEvent::KeyPress, KeyOf(character), Qt::NoModifier,
                        QString(QChar(character)));
                total = MillisecondsSince(start);
                SendKey(typedInto, QEvent::KeyRelease, KeyOf(character), Qt::NoModifier,
                        QString(QChar(character)));
                break;
            case Action::KeyBox:
                // The key loses its last letter (the text decodes to random letters), then the
                // letter comes back: that key press decodes the text.
                SendKey(typedInto, QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, {});
                QCoreApplication::processEvents();
                start = Clock::now();
                processorAtStart = ThreadMilliseconds();
                SendKey(typedInto, QEvent::KeyPress, Qt::Key_U, Qt::NoModifier,
                        QStringLiteral("u"));
                total = MillisecondsSince(start);
                break;
            case Action::Paste:
                WriteText(text1, QString());
                QCoreApplication::processEvents();
                start = Clock::now();
                processorAtStart = ThreadMilliseconds();
                SendKey(typedInto, QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier,
                        QStringLiteral("\x16"));
                total = MillisecondsSince(start);
                break;
        }
        const double processorOfKey = ThreadMilliseconds() - processorAtStart;

        // The engine alone, on the very text the window has just converted.
        Clock::time_point engineStart;
        if (scenario.What == Action::Forward || scenario.What == Action::Paste) {
            const std::u16string input = ToEngineText(ReadText(text1));
            engineStart = Clock::now();
            (void)schnackomat::ConvertForward(input, options, random);
        } else {
            const std::u16string input = ToEngineText(ReadText(text2));
            engineStart = Clock::now();
            (void)schnackomat::ConvertBack(input, options);
        }
        const double engine = MillisecondsSince(engineStart);
        QCoreApplication::processEvents();
        if (i >= warmup) {
            totals.push_back(total);
            processor.push_back(processorOfKey);
            engines.push_back(engine);
            windows.push_back(std::max(0.0, total - engine));
        }
    }

    Outcome outcome;
    outcome.Total = PercentilesOf(totals);
    outcome.Processor = PercentilesOf(processor);
    outcome.Engine = PercentilesOf(engines);
    outcome.Window = PercentilesOf(windows);
    outcome.Keys = keys;
    // The last output must be where it belongs.
    if (scenario.What == Action::Forward || scenario.What == Action::Paste) {
        const QString onClipboard =
            scenario.RealClipboard ? QGuiApplication::clipboard()->text() : storing.Text();
        outcome.Correct = IsForwardOf(ReadText(text2), ReadText(text1), options) &&
                          onClipboard == ReadText(text2) &&
                          (scenario.What != Action::Paste || ReadText(text1) == german);
    } else {
        const schnackomat::BackResult back =
            schnackomat::ConvertBack(ToEngineText(ReadText(text2)), options);
        const auto* expected = std::get_if<std::u16string>(&back);
        outcome.Correct = expected && ReadText(text1) == ToQString(*expected);
    }
    return outcome;
}

std::optional<std::string> TextOption(int argc, char** argv, const char* name) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) {
            return std::string(argv[i + 1]);
        }
    }
    return std::nullopt;
}

std::optional<int> IntegerOption(int argc, char** argv, const char* name) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) {
            return std::atoi(argv[i + 1]);
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const int keys = std::max(1, IntegerOption(argc, argv, "--keys").value_or(100));
    const int warmup = std::max(0, IntegerOption(argc, argv, "--warmup").value_or(10));

    const QString corpus = GermanCorpus();
    constexpr qsizetype KiB = 1024;
    constexpr qsizetype MiB = 1024 * 1024;
    // Every set of option boxes the window lets the user tick (the Matrix box clears both leet
    // boxes), named by S slang, L 1337, W 1337-Wörters and M Matrix code.
    const std::pair<const char*, OptionSet> optionSets[] = {
        {"none", {false, false, false, false}},
        {"L", {true, false, false, false}},
        {"S", {false, true, false, false}},
        {"W", {false, false, true, false}},
        {"LW", StartUp},
        {"SL", {true, true, false, false}},
        {"SW", {false, true, true, false}},
        {"SLW", {true, true, true, false}},
        {"M", {false, false, false, true}},
        {"SM", {false, true, false, true}},
    };
    std::vector<Scenario> scenarios;
    for (const qsizetype size : {10 * KiB, 100 * KiB, MiB}) {
        for (const Action action : {Action::Forward, Action::Reverse}) {
            for (const auto& [name, set] : optionSets) {
                const char* direction = action == Action::Forward ? "forward-" : "reverse-";
                scenarios.push_back({std::string(direction) + name, action, set, size});
            }
        }
    }
    for (const auto& [name, set] : {std::pair{"LW", StartUp}, {"SLW", {true, true, true, false}}}) {
        scenarios.push_back({std::string("paragraph-") + name, Action::Forward, set, MiB, true});
    }
    for (const qsizetype size : {10 * KiB, 100 * KiB, MiB}) {
        scenarios.push_back({"keybox-M", Action::KeyBox, {false, false, false, true}, size});
    }
    for (const qsizetype size : {10 * KiB, 100 * KiB, MiB}) {
        scenarios.push_back({"paste-LW", Action::Paste, StartUp, size});
    }
    for (const qsizetype size : {10 * KiB, MiB}) {
        scenarios.push_back({"forward-LW-qclipboard", Action::Forward, StartUp, size, false, true});
    }
    const std::optional<std::string> only = TextOption(argc, argv, "--only");

    std::printf(
        "Key press to output, in ms: %d keys (at 1 MiB %d) after %d warm-up keys, "
        "platform %s\n",
        keys, std::max(1, keys / 4), warmup, qPrintable(QGuiApplication::platformName()));
    std::printf("window = whole key event minus the engine's time for the same text\n\n");
    std::printf("%-24s %8s | %8s %8s %8s | %8s %8s | %8s %8s %8s | %s\n", "case", "size", "p50",
                "p95", "max", "eng p50", "eng p95", "win p50", "win p95", "win max", "ok");
    std::vector<std::string> lines;
    for (const Scenario& scenario : scenarios) {
        if (only && scenario.Name.find(*only) == std::string::npos) {
            continue;
        }
        // Slow set-ups (a key box change and a paste redo a whole text) and 1 MiB texts get
        // fewer rounds.
        const bool few = scenario.What == Action::Paste || scenario.What == Action::KeyBox;
        const int rounds = std::max(1, few ? keys / 5 : scenario.Size >= MiB ? keys / 4 : keys);
        const Outcome outcome = Run(
            scenario, corpus, few || scenario.Size >= MiB ? std::min(warmup, 2) : warmup, rounds);
        const char* size = scenario.Size >= MiB         ? "1 MiB"
                           : scenario.Size >= 100 * KiB ? "100 KiB"
                                                        : "10 KiB";
        std::printf("%-24s %8s | %8.3f %8.3f %8.3f | %8.3f %8.3f | %8.3f %8.3f %8.3f | %s\n",
                    scenario.Name.c_str(), size, outcome.Total.P50, outcome.Total.P95,
                    outcome.Total.Max, outcome.Engine.P50, outcome.Engine.P95, outcome.Window.P50,
                    outcome.Window.P95, outcome.Window.Max, outcome.Correct ? "yes" : "NO");
        std::fflush(stdout);
        char line[256];
        std::snprintf(line, sizeof line,
                      "case=%s size=%lld p50_ms=%.3f p95_ms=%.3f max_ms=%.3f cpu_p50_ms=%.3f "
                      "cpu_p95_ms=%.3f ok=%s",
                      scenario.Name.c_str(), static_cast<long long>(scenario.Size),
                      outcome.Total.P50, outcome.Total.P95, outcome.Total.Max,
                      outcome.Processor.P50, outcome.Processor.P95, outcome.Correct ? "yes" : "no");
        lines.emplace_back(line);
    }
    std::printf("\n");
    for (const std::string& line : lines) {
        std::printf("%s\n", line.c_str());
    }
    return 0;
}
