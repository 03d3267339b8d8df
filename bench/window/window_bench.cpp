// How long the main window takes to answer a key press: from the key event on Text1 (or Text2)
// until Text2 and the clipboard (or Text1) hold the new output. The whole chain runs inside the
// key event, so the time is that of handling the event. Beside it, the engine's conversion of
// the same text is timed on its own, so that the window's share shows.
//
// Usage: schnackomat_window_bench [--keys N] [--warmup N]
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "schnackomat/app/memory.h"
#include "schnackomat/conversion.h"
#include "schnackomat/random.h"
#include "schnackomat/ui/binding.h"
#include "schnackomat/ui/form1.h"
#include "schnackomat/ui/platform.h"

namespace {

using schnackomat::ConversionOptions;
using schnackomat::ui::Form1;
using schnackomat::ui::ReadText;
using schnackomat::ui::SetCaret;
using schnackomat::ui::ToEngineText;
using schnackomat::ui::ToQString;
using schnackomat::ui::WriteText;
using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
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

// `corpus` repeated and cut to `size` units, never inside a surrogate pair.
QString CutToSize(const QString& corpus, qsizetype size) {
    QString text;
    while (text.size() < size) {
        text += corpus;
    }
    text.truncate(size);
    if (!text.isEmpty() && text.back().isHighSurrogate()) {
        text.back() = QChar(u' ');
    }
    return text;
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

enum class Direction { Forward, Reverse };

struct Scenario {
    const char* Name;
    Direction Way;
    bool Slang;
    bool RealClipboard;
    qsizetype Size;
};

struct Outcome {
    Percentiles Total;
    Percentiles Engine;
    Percentiles Window;
    bool Correct = false;
    int Keys = 0;
};

// The letters typed, over and over.
constexpr char16_t Typed[] = u"und dann ";

void PressKey(QWidget* box, char16_t character) {
    const QString text(QChar{character});
    const int key = character == u' ' ? int(Qt::Key_Space) : int(Qt::Key_A + (character - u'a'));
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(box, &press);
}

void ReleaseKey(QWidget* box, char16_t character) {
    const QString text(QChar{character});
    const int key = character == u' ' ? int(Qt::Key_Space) : int(Qt::Key_A + (character - u'a'));
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(box, &release);
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
    auto* check2 = form.findChild<QCheckBox*>(QStringLiteral("Check2"));
    check2->setChecked(scenario.Slang);

    ConversionOptions options;
    options.LeetCharacters = true;
    options.LeetWords = true;
    options.SlangStyle = scenario.Slang;
    options.MatrixKey = u"qorvu";

    const QString german = CutToSize(corpus, scenario.Size);
    QPlainTextEdit* typedInto = nullptr;
    if (scenario.Way == Direction::Forward) {
        text1->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        WriteText(text1, german);
        typedInto = text1;
    } else {
        // Text2 holds slang text of the given size; typing into it converts back into Text1.
        const std::u16string slang =
            schnackomat::ConvertForward(ToEngineText(german), options).Text;
        text2->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        WriteText(text2, CutToSize(ToQString(slang), scenario.Size));
        typedInto = text2;
    }
    SetCaret(typedInto, static_cast<int>(ReadText(typedInto).size()));
    QCoreApplication::processEvents();

    std::vector<double> totals;
    std::vector<double> engines;
    std::vector<double> windows;
    for (int i = 0; i < warmup + keys; ++i) {
        const char16_t character = Typed[i % (std::size(Typed) - 1)];
        const Clock::time_point start = Clock::now();
        PressKey(typedInto, character);
        const double total = MillisecondsSince(start);
        ReleaseKey(typedInto, character);

        // The engine alone, on the very text the window has just converted.
        const std::u16string input = ToEngineText(ReadText(typedInto));
        const Clock::time_point engineStart = Clock::now();
        if (scenario.Way == Direction::Forward) {
            (void)schnackomat::ConvertForward(input, options, random);
        } else {
            (void)schnackomat::ConvertBack(input, options);
        }
        const double engine = MillisecondsSince(engineStart);
        QCoreApplication::processEvents();
        if (i >= warmup) {
            totals.push_back(total);
            engines.push_back(engine);
            windows.push_back(std::max(0.0, total - engine));
        }
    }

    Outcome outcome;
    outcome.Total = PercentilesOf(totals);
    outcome.Engine = PercentilesOf(engines);
    outcome.Window = PercentilesOf(windows);
    outcome.Keys = keys;
    // The last key's output must be where it belongs.
    if (scenario.Way == Direction::Forward) {
        const QString expected =
            ToQString(schnackomat::ConvertForward(ToEngineText(ReadText(text1)), options).Text);
        const QString onClipboard =
            scenario.RealClipboard ? QGuiApplication::clipboard()->text() : storing.Text();
        outcome.Correct = ReadText(text2) == expected && onClipboard == expected;
    } else {
        const schnackomat::BackResult back =
            schnackomat::ConvertBack(ToEngineText(ReadText(text2)), options);
        const auto* expected = std::get_if<std::u16string>(&back);
        outcome.Correct = expected && ReadText(text1) == ToQString(*expected);
    }
    return outcome;
}

// The binding on its own at each size: reading a box, and writing a one-unit change at the end
// with WriteText against a whole-text write.
void RunBinding(const QString& corpus, const std::vector<qsizetype>& sizes, int repeats) {
    std::printf("\nText box binding alone (ms, median of %d)\n", repeats);
    std::printf("%-8s %10s %14s %16s %16s\n", "size", "ReadText", "WriteText end",
                "WriteText start", "setPlainText");
    for (const qsizetype size : sizes) {
        QPlainTextEdit box;
        box.resize(577, 161);
        box.show();
        const QString text = CutToSize(corpus, size);
        box.setPlainText(text);
        std::vector<double> reads;
        std::vector<double> endWrites;
        std::vector<double> startWrites;
        std::vector<double> wholeWrites;
        for (int i = 0; i < repeats; ++i) {
            Clock::time_point start = Clock::now();
            const QString read = ReadText(&box);
            reads.push_back(MillisecondsSince(start));

            const QString longer = read + QChar(u'a' + i % 26);
            start = Clock::now();
            WriteText(&box, longer);
            endWrites.push_back(MillisecondsSince(start));

            const QString changedStart = QChar(u'a' + i % 26) + longer.sliced(1);
            start = Clock::now();
            WriteText(&box, changedStart);
            startWrites.push_back(MillisecondsSince(start));

            start = Clock::now();
            box.setPlainText(text);
            wholeWrites.push_back(MillisecondsSince(start));
            QCoreApplication::processEvents();
        }
        std::printf("%-8s %10.3f %14.3f %16.3f %16.3f\n",
                    size >= (1 << 20)   ? "1 MiB"
                    : size >= 100 << 10 ? "100 KiB"
                                        : "1 KiB",
                    PercentilesOf(reads).P50, PercentilesOf(endWrites).P50,
                    PercentilesOf(startWrites).P50, PercentilesOf(wholeWrites).P50);
    }
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
    schnackomat::app::KeepLargeBuffersForReuse();  // as the program starts
    QApplication application(argc, argv);
    const int keys = std::max(1, IntegerOption(argc, argv, "--keys").value_or(100));
    const int warmup = std::max(0, IntegerOption(argc, argv, "--warmup").value_or(10));

    const QString corpus = GermanCorpus();
    constexpr qsizetype KiB = 1024;
    constexpr qsizetype MiB = 1024 * 1024;
    const std::vector<Scenario> scenarios{
        {"forward, 1337 + 1337-Wörters", Direction::Forward, false, false, KiB},
        {"forward, 1337 + 1337-Wörters", Direction::Forward, false, false, 100 * KiB},
        {"forward, 1337 + 1337-Wörters", Direction::Forward, false, false, MiB},
        {"forward, with slang", Direction::Forward, true, false, KiB},
        {"forward, with slang", Direction::Forward, true, false, 100 * KiB},
        {"forward, with slang", Direction::Forward, true, false, MiB},
        {"reverse, typing into Text2", Direction::Reverse, false, false, KiB},
        {"reverse, typing into Text2", Direction::Reverse, false, false, 100 * KiB},
        {"reverse, typing into Text2", Direction::Reverse, false, false, MiB},
        {"forward, real QClipboard", Direction::Forward, false, true, KiB},
        {"forward, real QClipboard", Direction::Forward, false, true, MiB},
    };

    std::printf("Key press to output, in ms: %d keys after %d warm-up keys, platform %s\n", keys,
                warmup, qPrintable(QGuiApplication::platformName()));
    std::printf("window = whole key event minus the engine's time for the same text\n\n");
    std::printf("%-30s %8s | %8s %8s %8s | %8s %8s | %8s %8s %8s | %s\n", "case", "size", "p50",
                "p95", "max", "eng p50", "eng p95", "win p50", "win p95", "win max", "ok");
    for (const Scenario& scenario : scenarios) {
        const Outcome outcome = Run(scenario, corpus, warmup, keys);
        const char* size = scenario.Size >= MiB         ? "1 MiB"
                           : scenario.Size >= 100 * KiB ? "100 KiB"
                                                        : "1 KiB";
        std::printf("%-30s %8s | %8.3f %8.3f %8.3f | %8.3f %8.3f | %8.3f %8.3f %8.3f | %s\n",
                    scenario.Name, size, outcome.Total.P50, outcome.Total.P95, outcome.Total.Max,
                    outcome.Engine.P50, outcome.Engine.P95, outcome.Window.P50, outcome.Window.P95,
                    outcome.Window.Max, outcome.Correct ? "yes" : "NO");
        std::fflush(stdout);
    }
    RunBinding(corpus, {KiB, 100 * KiB, MiB}, 30);
    return 0;
}
