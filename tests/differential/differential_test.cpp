// The engine against the reference pipeline: every stage and both pipelines, under every option
// combination, on thousands of generated texts and on real German text. The reference is the
// definition of correct output; any difference is a fault of the engine.
#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>

#include "schnackomat/conversion.h"
#include "schnackomat/interjections.h"
#include "schnackomat/leet.h"
#include "schnackomat/matrix.h"
#include "schnackomat/reference/corpus.h"
#include "schnackomat/reference/reference.h"
#include "schnackomat/reverse.h"
#include "schnackomat/slang_words.h"
#include "schnackomat/text.h"
#include "schnackomat/tu_phrases.h"
#include "text_generator.h"

namespace schnackomat {
namespace {

namespace ref = schnackomat::reference;
using differential::SequenceRandomSource;
using differential::TextGenerator;

constexpr int GeneratedTexts = 2500;

// Shows a text with every unit outside printable ASCII escaped.
std::string Show(std::u16string_view text) {
    std::ostringstream out;
    out << '"';
    for (char16_t unit : text.substr(0, 400)) {
        if (unit >= 0x20 && unit < 0x7F) {
            out << static_cast<char>(unit);
        } else {
            out << "\\u" << std::hex << static_cast<unsigned>(unit) << std::dec;
        }
    }
    out << (text.size() > 400 ? "\"..." : "\"");
    return out.str();
}

// All 16 combinations of the four option boxes, with `key`.
ConversionOptions Options(unsigned bits, std::u16string_view key) {
    ConversionOptions options;
    options.SlangStyle = (bits & 1) != 0;
    options.LeetCharacters = (bits & 2) != 0;
    options.LeetWords = (bits & 4) != 0;
    options.MatrixStyle = (bits & 8) != 0;
    options.MatrixKey = std::u16string(key);
    return options;
}

std::string Describe(const ConversionOptions& options) {
    std::string flags;
    flags += options.SlangStyle ? "S" : "";
    flags += options.LeetCharacters ? "L" : "";
    flags += options.LeetWords ? "W" : "";
    flags += options.MatrixStyle ? "M" : "";
    return (flags.empty() ? "none" : flags) + " key " + Show(options.MatrixKey);
}

std::u16string Key(TextGenerator& generator) {
    static constexpr std::array<std::u16string_view, 6> Keys = {
        DefaultMatrixKey, u"", MasterCode, u"ab1", u"k\u00E4se", u"x/y"};
    if (generator.Below(3) != 0) {
        return std::u16string(Keys[generator.Below(Keys.size())]);
    }
    std::u16string key;
    for (std::uint32_t i = generator.Below(9); i > 0; --i) {
        key += static_cast<char16_t>(u'a' + generator.Below(26));
    }
    return key;
}

std::string ShowBack(const BackResult& result) {
    return std::holds_alternative<KeyRejected>(result) ? "KeyRejected"
                                                       : Show(std::get<std::u16string>(result));
}

// Compares one forward run and the reverse runs on its input and output; returns false after
// the first difference (reported through gtest).
bool PipelinesAgree(std::u16string_view text, const ConversionOptions& options,
                    std::uint32_t seed) {
    SequenceRandomSource engineRandom(seed);
    SequenceRandomSource referenceRandom(seed);
    const ForwardResult fast = ConvertForward(text, options, engineRandom);
    const ForwardResult slow = ref::ConvertForward(text, options, referenceRandom);
    if (fast.Text != slow.Text || fast.Censored != slow.Censored ||
        engineRandom.Draws() != referenceRandom.Draws()) {
        ADD_FAILURE() << "ConvertForward, options " << Describe(options) << "\n  input     "
                      << Show(text) << "\n  engine    " << Show(fast.Text) << " censored "
                      << fast.Censored << " draws " << engineRandom.Draws() << "\n  reference "
                      << Show(slow.Text) << " censored " << slow.Censored << " draws "
                      << referenceRandom.Draws();
        return false;
    }
    for (std::u16string_view back : {text, std::u16string_view(slow.Text)}) {
        const BackResult fastBack = ConvertBack(back, options);
        const BackResult slowBack = ref::ConvertBack(back, options);
        if (fastBack != slowBack) {
            ADD_FAILURE() << "ConvertBack, options " << Describe(options) << "\n  input     "
                          << Show(back) << "\n  engine    " << ShowBack(fastBack)
                          << "\n  reference " << ShowBack(slowBack);
            return false;
        }
    }
    return true;
}

TEST(Differential, PipelinesAgreeOnGeneratedTextsForEveryOptionCombination) {
    TextGenerator generator(20240601);
    for (int i = 0; i < GeneratedTexts; ++i) {
        const std::u16string text =
            generator.Text(generator.Below(4) == 0 ? generator.Below(12) : generator.Below(240));
        const std::u16string key = Key(generator);
        for (unsigned bits = 0; bits < 16; ++bits) {
            if (!PipelinesAgree(text, Options(bits, key), generator.Below(1u << 30))) {
                return;
            }
        }
    }
}

// A stage function of the engine and the reference version of it.
struct StagePair {
    const char* Name;
    std::u16string (*Engine)(std::u16string_view);
    std::u16string (*Reference)(std::u16string_view);
};

const StagePair Stages[] = {
    {"ToLower", [](std::u16string_view t) { return ToLower(t); },
     [](std::u16string_view t) { return ref::ToLower(t); }},
    {"ApplySlangWords", ApplySlangWords, ref::ApplySlangWords},
    {"ApplyCensor", [](std::u16string_view t) { return ApplyCensor(t).Text; },
     [](std::u16string_view t) { return ref::ApplyCensor(t).Text; }},
    {"ApplyInterjections", ApplyInterjections, ref::ApplyInterjections},
    {"SwapLetters", SwapLetters, ref::SwapLetters},
    {"ApplyTuPhrases", ApplyTuPhrases, ref::ApplyTuPhrases},
    {"ApplyLeetCharacters", [](std::u16string_view t) { return ApplyLeetCharacters(t, false); },
     [](std::u16string_view t) { return ref::ApplyLeetCharacters(t, false); }},
    {"ApplyLeetCharacters slang",
     [](std::u16string_view t) { return ApplyLeetCharacters(t, true); },
     [](std::u16string_view t) { return ref::ApplyLeetCharacters(t, true); }},
    {"ApplyLeetWords", ApplyLeetWords, ref::ApplyLeetWords},
    {"RestoreLeetCharacters", [](std::u16string_view t) { return RestoreLeetCharacters(t, false); },
     [](std::u16string_view t) { return ref::RestoreLeetCharacters(t, false); }},
    {"RestoreLeetCharacters slang",
     [](std::u16string_view t) { return RestoreLeetCharacters(t, true); },
     [](std::u16string_view t) { return ref::RestoreLeetCharacters(t, true); }},
    {"RestoreLeetWords", RestoreLeetWords, ref::RestoreLeetWords},
    {"RestoreSlangWords", RestoreSlangWords, ref::RestoreSlangWords},
};

TEST(Differential, EveryStageAgreesOnGeneratedTexts) {
    TextGenerator generator(7);
    for (int i = 0; i < GeneratedTexts; ++i) {
        const std::u16string text = generator.Text(generator.Below(200));
        // Also the text as the slang stages see it, lower-cased and with interjections.
        const std::u16string slang = ref::SwapLetters(ref::ApplyInterjections(ref::ToLower(text)));
        for (const StagePair& stage : Stages) {
            for (std::u16string_view input :
                 {std::u16string_view(text), std::u16string_view(slang)}) {
                const std::u16string fast = stage.Engine(input);
                const std::u16string slow = stage.Reference(input);
                ASSERT_EQ(Show(fast), Show(slow)) << stage.Name << " on " << Show(input);
            }
        }
        ASSERT_EQ(ApplyCensor(text).Fired, ref::ApplyCensor(text).Fired) << Show(text);
    }
}

TEST(Differential, ReplaceAllAndApplyTableAgreeWithTheReference) {
    TextGenerator generator(99);
    const std::span<const ReplaceRow> tables[] = {SlangWordTable,     PunctuationNormalisationTable,
                                                  InterjectionTable,  LetterSwapTable,
                                                  LeetCharacterTable, LeetNameFixupTable,
                                                  LeetWordFixupTable, RestoreLeetCharacterTable,
                                                  ReverseSlangTable};
    for (int i = 0; i < GeneratedTexts; ++i) {
        const std::u16string text = generator.Text(generator.Below(150));
        const std::u16string find =
            generator.Text(generator.Below(4)).substr(0, 1 + generator.Below(8));
        const std::u16string replacement =
            generator.Text(generator.Below(3)).substr(0, generator.Below(8));
        ASSERT_EQ(Show(ReplaceAll(text, find, replacement)),
                  Show(ref::ReplaceAll(text, find, replacement)))
            << Show(text) << " find " << Show(find) << " replacement " << Show(replacement);
        for (std::span<const ReplaceRow> table : tables) {
            ASSERT_EQ(Show(ApplyTable(text, table)), Show(ref::ApplyTable(text, table)))
                << Show(text);
        }
    }
}

TEST(Differential, ToLowerAgreesOnEveryUnit) {
    for (std::uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
        ASSERT_EQ(ToLower(static_cast<char16_t>(unit)), ref::ToLower(static_cast<char16_t>(unit)))
            << unit;
    }
}

// The leet letters and their reverse translate many units at a time: every unit, at every place
// in such a group.
TEST(Differential, LeetCharactersAgreeOnEveryUnit) {
    std::u16string units;
    for (std::uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
        units += static_cast<char16_t>(unit);
    }
    for (std::size_t shift = 0; shift < 17; ++shift) {
        const std::u16string text = units.substr(shift) + units.substr(0, shift);
        for (bool slangStyle : {false, true}) {
            ASSERT_EQ(ApplyLeetCharacters(text, slangStyle),
                      ref::ApplyLeetCharacters(text, slangStyle))
                << "shift " << shift << " slang " << slangStyle;
            ASSERT_EQ(RestoreLeetCharacters(text, slangStyle),
                      ref::RestoreLeetCharacters(text, slangStyle))
                << "shift " << shift << " slang " << slangStyle;
        }
    }
}

TEST(Differential, MatrixCodeAgreesForEveryKey) {
    TextGenerator generator(4711);
    for (int i = 0; i < GeneratedTexts; ++i) {
        const std::u16string text = generator.Text(generator.Below(160));
        const std::u16string key = Key(generator);
        const std::uint32_t seed = generator.Below(1u << 30);
        SequenceRandomSource engineRandom(seed);
        SequenceRandomSource referenceRandom(seed);
        const std::u16string coded = MatrixEncode(text, key, engineRandom);
        ASSERT_EQ(Show(coded), Show(ref::MatrixEncode(text, key, referenceRandom))) << Show(text);
        ASSERT_EQ(engineRandom.Draws(), referenceRandom.Draws());
        const std::u16string otherKey = Key(generator);
        // The coded text, the raw text, and the coded text cut short or run together with
        // more text, each read with the right key, another key and the master code.
        const std::u16string damaged =
            coded.substr(0, generator.Below(static_cast<std::uint32_t>(coded.size()) + 1)) + text;
        for (std::u16string_view input : {std::u16string_view(coded), std::u16string_view(text),
                                          std::u16string_view(damaged)}) {
            for (std::u16string_view readKey :
                 {std::u16string_view(key), std::u16string_view(otherKey), MasterCode}) {
                ASSERT_EQ(ShowBack(MatrixDecode(input, readKey)),
                          ShowBack(ref::MatrixDecode(input, readKey)))
                    << Show(input) << " key " << Show(readKey);
            }
        }
    }
}

TEST(Differential, PipelinesAgreeOnGermanText) {
    const std::u16string corpus = ref::CorpusText(96 * 1024);
    if (corpus.empty()) {
        GTEST_SKIP() << "fortunes-de is not installed (" << ref::CorpusDirectory << ")";
    }
    // The whole slice, and pieces of it cut at arbitrary places.
    for (unsigned bits = 0; bits < 16; ++bits) {
        ASSERT_TRUE(PipelinesAgree(corpus, Options(bits, DefaultMatrixKey), bits));
    }
    TextGenerator generator(1);
    for (int i = 0; i < 200; ++i) {
        const std::size_t start = generator.Below(static_cast<std::uint32_t>(corpus.size()));
        const std::u16string piece = corpus.substr(start, generator.Below(600));
        for (unsigned bits = 0; bits < 16; ++bits) {
            ASSERT_TRUE(PipelinesAgree(piece, Options(bits, DefaultMatrixKey), i));
        }
    }
}

// Texts long enough for the engine to work on them in parts: generated lines around many line
// breaks, and German text behind one sentence, so that either part can start after an odd number
// of full stops.
TEST(Differential, PipelinesAgreeOnLongTexts) {
    TextGenerator generator(99);
    std::u16string lines;
    while (lines.size() < 300 * 1024) {
        lines += generator.Text(generator.Below(160));
        lines += generator.Below(3) == 0 ? u"\n\n" : u"\n";
    }
    for (unsigned bits = 0; bits < 16; ++bits) {
        ASSERT_TRUE(PipelinesAgree(lines, Options(bits, DefaultMatrixKey), bits));
    }
    const std::u16string corpus = ref::CorpusText(640 * 1024);
    if (corpus.empty()) {
        GTEST_SKIP() << "fortunes-de is not installed (" << ref::CorpusDirectory << ")";
    }
    for (const std::u16string& text : {corpus, u"Ich gehe. " + corpus}) {
        for (unsigned bits = 0; bits < 8; ++bits) {
            ASSERT_TRUE(PipelinesAgree(text, Options(bits, DefaultMatrixKey), bits));
        }
    }
}

// A long text is cut in two just after the line break past its middle; the word that starts
// the second part may begin on the line before, and is then long enough for a leet ending.
TEST(Differential, PipelinesAgreeWhereALongTextIsCut) {
    const std::u16string_view seams[] = {u"abc\nd3n ", u"a b\nd3n ", u"ab \nd3n ",  u"abcd\nen. ",
                                         u"x\ngen ",   u"\n\nsten ", u"wor\nt57, ", u" \nmen",
                                         u"geh\nen!",  u"kob\no "};
    std::u16string filler;
    while (filler.size() < 140 * 1024) {
        filler += u"Wir gehen heute zum Markt und kaufen Brot. ";
    }
    for (std::u16string_view seam : seams) {
        // The line before the seam is the longer half, so the cut falls at the seam's line break.
        const std::u16string text = filler + u"und noch mehr " + std::u16string(seam) + filler;
        for (unsigned bits = 0; bits < 16; ++bits) {
            ASSERT_TRUE(PipelinesAgree(text, Options(bits, DefaultMatrixKey), bits))
                << "seam " << Show(seam);
        }
    }
}

// The reverse leet stages work through a text a few thousand units at a time. A pattern of odd
// length, dense with leet endings (followed by a space, a mark, two marks or more of the word)
// and with words that get one, puts every one of its units at the end of such a stretch
// somewhere in a text this long; the text also ends in each way an ending can.
TEST(Differential, PipelinesAgreeOnLeetEndingsEverywhereInALongerText) {
    const std::u16string_view pattern =
        u"w0rn. g3h0rn k0rn,x 0rn! 4b0rn wo0rn?! lorn  st0rn.y m3n 57 t gehen. machst kommen,x "
        u"lesen!? bist";
    ASSERT_EQ(pattern.size() % 2, 1U);
    std::u16string text;
    while (text.size() < 2048 * pattern.size() + 4096) {
        text += pattern;
    }
    for (std::u16string_view end : {u"", u"w0rn", u"w0rn.", u"w0rn. ", u"w0rn.."}) {
        const std::u16string whole = text + std::u16string(end);
        for (unsigned bits = 0; bits < 16; ++bits) {
            if ((bits & 6) != 0) {  // a leet option
                ASSERT_TRUE(PipelinesAgree(whole, Options(bits, DefaultMatrixKey), bits))
                    << "end " << Show(end);
            }
        }
    }
}

// With the slang style, the stages from the periphrasis on work on a long text in two parts cut
// just after the first sentence end past its middle. Around the cut: a verb pending up to it, a
// subject, a short word and a leet ending just after it. At the end: a verb still pending after
// each pass, which the whole text's next pass, and so the first part, starts with. The filler
// has no sentence end, so the cut falls at the seam's.
TEST(Differential, PipelinesAgreeWhereALongTextIsCutAfterASentence) {
    std::u16string filler;
    while (filler.size() < 130 * 1024) {
        filler += u"ich gehe heim, du gehst mit, wir gehen heute zum markt, ";
    }
    const std::u16string_view seams[] = {u"ich gehe. ",    u"x. ich gehe ", u"gehen. gehen ",
                                         u"du. wir gehen", u"?! du gehst",  u"ende: ab ",
                                         u"kk; 3n "};
    const std::u16string_view ends[] = {u"", u" ich gehe", u" du gehst", u" wir gehen",
                                        u" ich gehe, du gehst, wir gehen"};
    const auto check = [&](std::u16string_view start, std::u16string_view seam,
                           std::u16string_view end) {
        const std::u16string text = std::u16string(start) + filler + filler.substr(0, 2000) +
                                    std::u16string(seam) + filler + std::u16string(end);
        for (unsigned bits = 1; bits < 8; bits += 2) {  // the slang style with every leet option
            ASSERT_TRUE(PipelinesAgree(text, Options(bits, DefaultMatrixKey), bits))
                << "start " << Show(start) << " seam " << Show(seam) << " end " << Show(end);
        }
    };
    for (std::u16string_view seam : seams) {
        check(u"", seam, u" wir gehen");
    }
    for (std::u16string_view end : ends) {
        check(u"", u"ich gehe. ", end);
        check(u"hallo. ", u"x. ich gehe ", end);
    }
}

}  // namespace
}  // namespace schnackomat
