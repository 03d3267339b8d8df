// The engine's table applier, verb periphrasis and Matrix code against their plain forms: every
// table on thousands of generated texts and on real German text, generated tables of every shape,
// the periphrasis, and the Matrix code in both directions with every kind of key. The plain form is
// the definition of correct output; any difference is a fault of the engine.
#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <vector>

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

struct NamedTable {
    const char* Name;
    std::span<const ReplaceRow> Rows;
};

const NamedTable Tables[] = {
    {"SlangWordTable", SlangWordTable},
    {"PunctuationNormalisationTable", PunctuationNormalisationTable},
    {"InterjectionTable", InterjectionTable},
    {"LetterSwapTable", LetterSwapTable},
    {"LeetCharacterTable", LeetCharacterTable},
    {"LeetNameFixupTable", LeetNameFixupTable},
    {"LeetSlangTable", LeetSlangTable},
    {"LeetWordFixupTable", LeetWordFixupTable},
    {"RestoreLeetCharacterTable", RestoreLeetCharacterTable},
    {"RestoreLeetSlangTable", RestoreLeetSlangTable},
    {"ReverseSlangTable", ReverseSlangTable},
};

// Applies every table to `text` with the engine and the plain form; false after the first
// difference (reported through gtest).
bool TablesAgree(std::u16string_view text) {
    for (const NamedTable& table : Tables) {
        const std::u16string fast = ApplyTable(text, table.Rows);
        const std::u16string slow = ref::ApplyTable(text, table.Rows);
        if (fast != slow) {
            ADD_FAILURE() << table.Name << " on " << Show(text) << "\n  engine " << Show(fast)
                          << "\n  plain  " << Show(slow);
            return false;
        }
    }
    return true;
}

TEST(Differential, EveryTableAgreesOnGeneratedTexts) {
    TextGenerator generator(7);
    for (int i = 0; i < GeneratedTexts; ++i) {
        const std::u16string text = generator.Text(generator.Below(200));
        // Also the text as the slang stages see it, lower-cased and with interjections.
        const std::u16string slang = SwapLetters(ApplyInterjections(ToLower(text)));
        ASSERT_TRUE(TablesAgree(text));
        ASSERT_TRUE(TablesAgree(slang));
    }
}

// Tables of every shape: rows of one unit to one unit among the others, find strings with and
// without spaces, empty ones, replacements that make what later rows look for, and more units
// than a group takes.
TEST(Differential, GeneratedTablesAgree) {
    TextGenerator generator(99);
    for (int i = 0; i < GeneratedTexts; ++i) {
        std::vector<std::u16string> finds;
        std::vector<std::u16string> replacements;
        for (std::uint32_t rows = 1 + generator.Below(80); rows > 0; --rows) {
            const std::size_t findLength = generator.Below(5) == 0 ? 1 : 1 + generator.Below(8);
            finds.push_back(generator.Text(generator.Below(4)).substr(0, findLength));
            replacements.push_back(
                generator.Text(generator.Below(3)).substr(0, generator.Below(8)));
        }
        std::vector<ReplaceRow> table;
        for (std::size_t r = 0; r < finds.size(); ++r) {
            table.push_back({finds[r], replacements[r]});
        }
        const std::u16string text = generator.Text(generator.Below(300));
        ASSERT_EQ(Show(ApplyTable(text, table)), Show(ref::ApplyTable(text, table)))
            << Show(text) << ", " << table.size() << " rows";
    }
}

// The rows of one unit to one unit follow every unit through them: every unit, at every place.
TEST(Differential, UnitTablesAgreeOnEveryUnit) {
    std::u16string units;
    for (std::uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
        units += static_cast<char16_t>(unit);
    }
    for (std::size_t shift = 0; shift < 3; ++shift) {
        const std::u16string text = units.substr(shift) + units.substr(0, shift);
        const std::span<const ReplaceRow> unitTables[] = {
            LeetCharacterTable, LeetSlangTable, RestoreLeetCharacterTable, RestoreLeetSlangTable};
        for (std::span<const ReplaceRow> table : unitTables) {
            ASSERT_EQ(ApplyTable(text, table), ref::ApplyTable(text, table)) << "shift " << shift;
        }
    }
}

TEST(Differential, EveryTableAgreesOnGermanText) {
    const std::u16string corpus = ref::CorpusText(96 * 1024);
    if (corpus.empty()) {
        GTEST_SKIP() << "fortunes-de is not installed (" << ref::CorpusDirectory << ")";
    }
    const std::u16string lower = ToLower(corpus);
    for (const std::u16string& text :
         {corpus, lower, SwapLetters(ApplyInterjections(ApplySlangWords(lower)))}) {
        ASSERT_TRUE(TablesAgree(text));
        ASSERT_TRUE(TablesAgree(ApplyLeetCharacters(text, true)));
    }
}

// The interjections on generated texts, on texts of nothing but marks, spaces and letters, and on
// German text.
TEST(Differential, InterjectionsAgree) {
    TextGenerator generator(37);
    for (int i = 0; i < GeneratedTexts; ++i) {
        const std::u16string text = ToLower(generator.Text(generator.Below(240)));
        ASSERT_EQ(Show(ApplyInterjections(text)), Show(ref::ApplyInterjections(text)))
            << Show(text);
    }
    static constexpr std::u16string_view units = u".,;:?! a";
    for (int i = 0; i < GeneratedTexts; ++i) {
        std::u16string text;
        for (std::uint32_t n = generator.Below(20); n > 0; --n) {
            text += units[generator.Below(units.size())];
        }
        ASSERT_EQ(Show(ApplyInterjections(text)), Show(ref::ApplyInterjections(text)))
            << Show(text);
    }
    const std::u16string corpus = ToLower(ref::CorpusText(96 * 1024));
    ASSERT_EQ(ApplyInterjections(corpus), ref::ApplyInterjections(corpus));
}

// The periphrasis on texts as it sees them, after the interjections, with subjects, verbs and
// sentence ends close together, and on German text.
TEST(Differential, TuPhrasesAgree) {
    TextGenerator generator(31);
    for (int i = 0; i < GeneratedTexts; ++i) {
        const std::u16string text =
            SwapLetters(ApplyInterjections(ToLower(generator.Text(generator.Below(240)))));
        ASSERT_EQ(Show(ApplyTuPhrases(text)), Show(ref::ApplyTuPhrases(text))) << Show(text);
    }
    // Texts of nothing but subjects, verbs of every pass and sentence ends, where placed verbs
    // make words for the later passes.
    static constexpr std::array<std::u16string_view, 17> words = {
        u"ich", u"du", u"wir", u"mache", u"machst", u"gehen", u"ich.", u"du:",  u"wir.",
        u"so.", u"x!", u"",    u"tue",   u"bist",   u"a.b",   u"..",   u"ichst"};
    for (int i = 0; i < GeneratedTexts; ++i) {
        std::u16string text;
        for (std::uint32_t n = generator.Below(30); n > 0; --n) {
            text += words[generator.Below(words.size())];
            text += u' ';
        }
        if (!text.empty() && generator.Below(2) == 0) {
            text.pop_back();  // the last word ends the text
        }
        ASSERT_EQ(Show(ApplyTuPhrases(text)), Show(ref::ApplyTuPhrases(text))) << Show(text);
    }
    const std::u16string corpus = ref::CorpusText(96 * 1024);
    const std::u16string slang = SwapLetters(ApplyInterjections(ApplySlangWords(ToLower(corpus))));
    ASSERT_EQ(ApplyTuPhrases(slang), ref::ApplyTuPhrases(slang));
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

// Codes `text` with both forms from the same random letters, and reads the coded text, the text
// itself and `damaged` back with the right key, another key and the master code.
void MatrixAgrees(std::u16string_view text, std::u16string_view key, std::u16string_view otherKey,
                  std::uint32_t seed, std::size_t cut) {
    SequenceRandomSource engineRandom(seed);
    SequenceRandomSource referenceRandom(seed);
    const std::u16string coded = MatrixEncode(text, key, engineRandom);
    ASSERT_EQ(Show(coded), Show(ref::MatrixEncode(text, key, referenceRandom))) << Show(text);
    ASSERT_EQ(engineRandom.Draws(), referenceRandom.Draws());
    // The coded text cut short and run together with more text.
    const std::u16string damaged = coded.substr(0, cut % (coded.size() + 1)) + std::u16string(text);
    for (std::u16string_view input :
         {std::u16string_view(coded), text, std::u16string_view(damaged)}) {
        for (std::u16string_view readKey : {key, otherKey, MasterCode}) {
            ASSERT_EQ(ShowBack(MatrixDecode(input, readKey)),
                      ShowBack(ref::MatrixDecode(input, readKey)))
                << Show(input) << " key " << Show(readKey);
        }
    }
}

TEST(Differential, MatrixCodeAgreesForEveryKey) {
    TextGenerator generator(4711);
    for (int i = 0; i < GeneratedTexts; ++i) {
        const std::u16string text = generator.Text(generator.Below(160));
        const std::u16string key = Key(generator);
        const std::u16string otherKey = Key(generator);
        const std::uint32_t seed = generator.Below(1u << 30);
        MatrixAgrees(text, key, otherKey, seed, generator.Below(1u << 30));
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST(Differential, MatrixCodeAgreesOnGermanText) {
    const std::u16string corpus = ref::CorpusText(32 * 1024);
    if (corpus.empty()) {
        GTEST_SKIP() << "fortunes-de is not installed (" << ref::CorpusDirectory << ")";
    }
    TextGenerator generator(1);
    for (int i = 0; i < 50; ++i) {
        const std::size_t start = generator.Below(static_cast<std::uint32_t>(corpus.size()));
        const std::u16string piece = corpus.substr(start, generator.Below(2000));
        MatrixAgrees(piece, DefaultMatrixKey, u"abc", generator.Below(1u << 30),
                     generator.Below(1u << 30));
        if (HasFatalFailure()) {
            return;
        }
    }
}

}  // namespace
}  // namespace schnackomat
