// Slang words and the censor: the first two stages of the slang style.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "schnackomat/text.h"

namespace schnackomat {

// German words, a few swear words, names and phrases, and their slang forms. Rows 1 to 46 are
// vocabulary, 47 to 64 names and nicknames, 65 to 70 phrases. The order matters: later rows see
// what earlier rows wrote ("fuck" also hits the "fucking" of rows 23 to 26, "elitär" the
// "elitärst" of rows 21 and 22, and so on).
inline constexpr std::array<ReplaceRow, 70> SlangWordTable{{
    {u"party", u"paaardy"},
    {u"porty", u"paaardy"},
    {u"pordy", u"paaardy"},
    {u"pardy", u"paaardy"},
    {u"normal", u"standard"},
    {u"logisch", u"standard"},
    {u"standart", u"standard"},
    {u"ok", u"kk"},
    {u"ja", u"jo"},
    {u"klar", u"kk"},
    {u"cool", u"leet"},
    {u"bitte", u"bidde"},
    {u"programm", u"proggy"},
    {u"penner", u"noob"},
    {u"depp", u"noob"},
    {u"idiot", u"noob"},
    {u"schwuchtel", u"gaylord"},
    {u"kompliziert", u"komplexiziert"},
    {u"schwer", u"komplexiziert"},
    {u"schwierig", u"komplexiziert"},
    {u"geil", u"elitärst"},
    {u"genial", u"elitärst"},
    {u"scheiße", u"shice (shit fucking kobo style)"},
    {u"scheisse", u"shice (shit fucking kobo style)"},
    {u"scheiß", u"shice (shit fucking kobo style)"},
    {u"scheis", u"shice (shit fucking kobo style)"},
    {u"fuck", u"shice (shit fucking kobo style)"},
    {u"besser", u"geleetet"},
    {u"nein", u"nope"},
    {u"wieder", u"wiedaa"},
    {u"sammal", u"wuuuh!"},
    {u"komisch", u"suspekt"},
    {u"nicht", u"nich"},
    {u"toll", u"tolls"},
    {u"ist", u"is"},
    {u"dumm", u"behindert"},
    {u"blöd", u"behindert"},
    {u"elitär", u"elitärst"},
    {u"derb", u"derbst"},
    {u"derbe", u"derbst"},
    {u"hart", u"derbst"},
    {u"zu", u"@"},
    {u"bei", u"@"},
    {u"zum", u"@"},
    {u"beim", u"@"},
    {u"nacht", u"n8"},
    {u"helko", u"wendrik"},
    {u"pfiii", u"wendrik"},
    {u"ulo", u"k1br4"},
    {u"ulmano", u"k1br4"},
    {u"jorik", u"gr1mb0r"},
    {u"kaltwiese", u"gr1mb0r"},
    {u"pumbo", u"zelit3"},
    {u"benald", u"benaldo"},
    {u"elwind", u"0"},
    {u"rul", u"rül und sirena"},
    {u"rül", u"rül und sirena"},
    {u"marlek", u"rül und sirena"},
    {u"sirena", u"rül und sirena"},
    {u"kobo", u"shit fucking kobo"},
    {u"kasimo", u"shit fucking kobo"},
    {u"grauwolf77", u"shit fucking kobo"},
    {u"fyonk", u"shit fucking kobo hüdde"},
    {u"fonk", u"shit fucking kobo hüdde"},
    {u"abgeschlossen", u"abgeschlüsselt"},
    {u"abgesperrt", u"abgeschlüsselt"},
    {u"wie ich", u"als wie ich"},
    {u"als ich", u"als wie ich"},
    {u"als du", u"als wie du"},
    {u"wie du", u"als wie du"},
}};

// The one forbidden word, its mask of the same length, and what the user is told.
inline constexpr std::u16string_view CensoredWord = u"muhaha";
inline constexpr std::u16string_view CensorMask = u"-*-*-*";
inline constexpr std::u16string_view CensorMessage =
    u"Achtung! Verstoß gegen den 1337n355-Kodex!! Wort wurde zensiert!";

// Applies every row of SlangWordTable in order.
std::u16string ApplySlangWords(std::u16string_view text);

struct CensorResult {
    std::u16string Text;
    bool Fired = false;  // the forbidden word occurred; the caller tells the user once
};

// Masks every occurrence of the forbidden word.
CensorResult ApplyCensor(std::u16string_view text);

}  // namespace schnackomat
