// Random texts made to hit the conversion tables: their find strings and replacements, pieces of
// them glued together so that rows overlap, capitals, umlauts, emoji, line breaks, runs of
// spaces and marks, digits, slashes and Matrix groups.
#pragma once

#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "schnackomat/interjections.h"
#include "schnackomat/leet.h"
#include "schnackomat/matrix.h"
#include "schnackomat/reverse.h"
#include "schnackomat/slang_words.h"
#include "schnackomat/text.h"
#include "schnackomat/tu_phrases.h"

namespace schnackomat::differential {

// Every replacement table of the conversions, in the order the stages use them.
inline const std::span<const ReplaceRow> EveryReplaceTable[] = {
    SlangWordTable,
    PunctuationNormalisationTable,
    InterjectionTable,
    LetterSwapTable,
    LeetCharacterTable,
    LeetNameFixupTable,
    LeetSlangTable,
    LeetWordFixupTable,
    RestoreLeetCharacterTable,
    RestoreLeetSlangTable,
    ReverseSlangTable,
};

class TextGenerator {
  public:
    explicit TextGenerator(std::uint32_t seed) : random_(seed) {
        for (const std::span<const ReplaceRow> table : EveryReplaceTable) {
            for (const ReplaceRow& row : table) {
                vocabulary_.emplace_back(row.Find);
                vocabulary_.emplace_back(row.Replacement);
            }
        }
        for (const MatrixCodeRow& row : MatrixCodeTable) {
            vocabulary_.emplace_back(row.Group);
            vocabulary_.emplace_back(1, row.Character);
        }
        for (const TuPhrasePass& pass : TuPhrasePasses) {
            vocabulary_.emplace_back(pass.Subject);
            vocabulary_.emplace_back(pass.Auxiliary);
            vocabulary_.push_back(std::u16string(pass.Subject) + u" mach" +
                                  std::u16string(pass.Ending));
        }
        for (std::u16string_view extra : {CensoredWord,
                                          CensorMask,
                                          SentenceInterjection,
                                          MatrixMarker,
                                          MatrixMarkerGroup,
                                          MatrixSpaceGroup,
                                          MatrixZeroGroup,
                                          DefaultMatrixKey,
                                          MasterCode,
                                          std::u16string_view(u"3n"),
                                          std::u16string_view(u"57"),
                                          std::u16string_view(u"orn"),
                                          std::u16string_view(u"0rn"),
                                          std::u16string_view(u"0rst"),
                                          std::u16string_view(u" whatever"),
                                          std::u16string_view(u"00000"),
                                          std::u16string_view(u"machorn"),
                                          std::u16string_view(u"sch3n."),
                                          std::u16string_view(u"gehen"),
                                          std::u16string_view(u"mache")}) {
            vocabulary_.emplace_back(extra);
        }
    }

    // A text of about `length` units.
    std::u16string Text(std::size_t length) {
        std::u16string text;
        while (text.size() < length) {
            AppendPiece(text);
        }
        return text;
    }

    std::uint32_t Below(std::uint32_t bound) {
        return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(random_);
    }

  private:
    std::u16string_view Word() { return vocabulary_[Below(vocabulary_.size())]; }

    static std::u16string Upper(std::u16string_view word) {
        std::u16string upper(word);
        for (char16_t& unit : upper) {
            if (unit >= u'a' && unit <= u'z') {
                unit = static_cast<char16_t>(unit - u'a' + u'A');
            } else if (unit == u'ä' || unit == u'ö' || unit == u'ü') {
                unit = static_cast<char16_t>(unit - 0x20);
            }
        }
        return upper;
    }

    void AppendPiece(std::u16string& text) {
        static constexpr std::u16string_view Marks = u".,;:?!-)(*@/";
        static constexpr std::u16string_view Letters = u"abcdefghijklmnopqrstuvwxyzäöüß";
        switch (Below(14)) {
            case 0:
            case 1:
            case 2:
                text += Word();
                break;
            case 3: {  // the end of one table string glued to the start of another
                const std::u16string_view first = Word();
                const std::u16string_view second = Word();
                text += first.substr(Below(static_cast<std::uint32_t>(first.size()) + 1));
                text += second.substr(0, Below(static_cast<std::uint32_t>(second.size()) + 1));
                break;
            }
            case 4: {  // capitals, whole or first letter only
                const std::u16string upper = Upper(Word());
                text += Below(2) == 0 ? upper : upper.substr(0, 1);
                break;
            }
            case 5:
            case 6:
                text.append(1 + Below(Below(4) == 0 ? 4 : 1), u' ');
                break;
            case 7:
                text.append(1 + Below(3), Marks[Below(Marks.size())]);
                break;
            case 8:
                text += Letters[Below(Letters.size())];
                break;
            case 9:
                text += static_cast<char16_t>(u'0' + Below(10));
                break;
            case 10:
                text += std::u16string_view(Below(2) == 0 ? u"\r\n" : u"\n");
                break;
            case 11: {  // a character outside Latin-1: emoji, a lone surrogate, Kelvin, İ
                static constexpr std::u16string_view Others[] = {
                    u"\U0001F600", u"\U0001F44D", u"\u212A", u"\u0130",
                    u"\u00C4",     u"\u00DF",     u"\t",     u"\xD800"};
                text += Others[Below(std::size(Others))];
                break;
            }
            case 12: {  // a Matrix group, sometimes with a digit missing
                const std::u16string_view group = MatrixCodeTable[Below(29)].Group;
                text += Below(4) == 0 ? group.substr(1) : group;
                break;
            }
            default:
                text += Below(2) == 0 ? MatrixMarker : MatrixMarkerGroup;
                break;
        }
    }

    std::mt19937 random_;
    std::vector<std::u16string> vocabulary_;
};

// Plays back a fixed pseudo-random sequence; two sources with the same seed give the same values.
class SequenceRandomSource final : public RandomSource {
  public:
    explicit SequenceRandomSource(std::uint32_t seed) : state_(seed | 1) {}

    std::uint32_t NextBelow(std::uint32_t bound) override {
        ++draws_;
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ % bound;
    }

    std::size_t Draws() const { return draws_; }

  private:
    std::uint32_t state_;
    std::size_t draws_ = 0;
};

}  // namespace schnackomat::differential
