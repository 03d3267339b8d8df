// The golden conversions: generated texts and what the engine made of each in every option set,
// recorded once and compared on every test run, so that a rewrite of any stage shows at once
// where its output differs from what the program gave before.
//
// For every text, Outcomes() runs the same list of conversions: in every option set the text
// forward, the forward result back, and the text itself back; with the Matrix code on, the
// forward result back with a wrong key and with the master code as well. The file holds, text by
// text, the key, the text and those outcomes, each a 32-bit little-endian count of UTF-16 units
// followed by the units (RejectedKey and no units where a key did not fit), a forward outcome
// followed by one byte, 1 when the censor fired. Units are stored raw, so lone surrogates and
// every other unit survive.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "schnackomat/conversion.h"
#include "schnackomat/matrix.h"

namespace schnackomat::golden {

inline constexpr std::uint32_t RejectedKey = 0xFFFFFFFF;

struct Outcome {
    std::string Case;                    // what was converted, for a failure message
    bool Forward = false;                // a forward run, which records the censor
    std::optional<std::u16string> Text;  // nothing where the key did not fit
    bool Censored = false;               // forward only

    friend bool operator==(const Outcome& a, const Outcome& b) {
        return a.Text == b.Text && a.Censored == b.Censored;
    }
};

// The random source the golden Matrix texts were coded with: a fixed xorshift sequence that
// starts anew for every forward run.
class GoldenRandomSource final : public RandomSource {
  public:
    std::uint32_t NextBelow(std::uint32_t bound) override {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ % bound;
    }

  private:
    std::uint32_t state_ = 2463534242u;
};

inline ConversionOptions OptionsFromBits(unsigned bits, std::u16string_view key) {
    ConversionOptions options;
    options.SlangStyle = (bits & 1) != 0;
    options.LeetCharacters = (bits & 2) != 0;
    options.LeetWords = (bits & 4) != 0;
    options.MatrixStyle = (bits & 8) != 0;
    options.MatrixKey = key;
    return options;
}

// The conversions of `text` with `key`, in the order the file holds them.
inline std::vector<Outcome> Outcomes(std::u16string_view text, std::u16string_view key) {
    std::vector<Outcome> outcomes;
    const auto back = [&](std::string name, std::u16string_view input,
                          const ConversionOptions& options) {
        BackResult result = ConvertBack(input, options);
        auto* converted = std::get_if<std::u16string>(&result);
        outcomes.push_back({std::move(name), false,
                            converted ? std::optional(std::move(*converted)) : std::nullopt});
    };
    for (unsigned bits = 0; bits < 16; ++bits) {
        const ConversionOptions options = OptionsFromBits(bits, key);
        const std::string set = "options " + std::to_string(bits) + ": ";
        GoldenRandomSource random;
        ForwardResult forward = ConvertForward(text, options, random);
        outcomes.push_back({set + "forward", true, forward.Text, forward.Censored});
        back(set + "forward result back", forward.Text, options);
        back(set + "text back", text, options);
        if (options.MatrixStyle) {
            back(set + "forward result back, wrong key", forward.Text,
                 OptionsFromBits(bits, u"zzz"));
            back(set + "forward result back, master code", forward.Text,
                 OptionsFromBits(bits, MasterCode));
        }
    }
    return outcomes;
}

inline void WriteCount(std::ostream& out, std::uint32_t count) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.put(static_cast<char>((count >> shift) & 0xFF));
    }
}

inline void WriteUnits(std::ostream& out, std::u16string_view units) {
    WriteCount(out, static_cast<std::uint32_t>(units.size()));
    for (char16_t unit : units) {
        out.put(static_cast<char>(unit & 0xFF));
        out.put(static_cast<char>(unit >> 8));
    }
}

inline void WriteOutcome(std::ostream& out, const Outcome& outcome) {
    if (outcome.Text) {
        WriteUnits(out, *outcome.Text);
    } else {
        WriteCount(out, RejectedKey);
    }
    if (outcome.Forward) {
        out.put(outcome.Censored ? 1 : 0);
    }
}

inline std::optional<std::uint32_t> ReadCount(std::istream& in) {
    unsigned char bytes[4];
    if (!in.read(reinterpret_cast<char*>(bytes), 4)) {
        return std::nullopt;
    }
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// A count and that many units; nothing at the end of the file or where it is cut short.
inline std::optional<std::u16string> ReadUnits(std::istream& in, std::uint32_t count) {
    std::string bytes(std::size_t{count} * 2, '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        return std::nullopt;
    }
    std::u16string units(count, u'\0');
    for (std::size_t i = 0; i < count; ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return units;
}

inline std::optional<std::u16string> ReadUnits(std::istream& in) {
    const std::optional<std::uint32_t> count = ReadCount(in);
    return count ? ReadUnits(in, *count) : std::nullopt;
}

// Reads the next outcome into `outcome`, whose Forward says which kind comes next; false where
// the file ends early.
inline bool ReadOutcome(std::istream& in, Outcome& outcome) {
    const std::optional<std::uint32_t> count = ReadCount(in);
    if (!count) {
        return false;
    }
    outcome.Text.reset();
    if (*count != RejectedKey) {
        outcome.Text = ReadUnits(in, *count);
        if (!outcome.Text) {
            return false;
        }
    }
    if (outcome.Forward) {
        const int censored = in.get();
        if (censored == std::char_traits<char>::eof()) {
            return false;
        }
        outcome.Censored = censored == 1;
    }
    return true;
}

}  // namespace schnackomat::golden
