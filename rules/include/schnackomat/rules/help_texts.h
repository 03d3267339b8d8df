// What the help window shows: the help text and the list of the shortcut keys.
#pragma once

#include <array>
#include <string_view>

namespace schnackomat::rules {

// The help text at the top of the help window (its Label1).
inline constexpr std::u16string_view HelpText =
    u"Särs Leutz! Ich tu euch jetzt mal kurz was zu dem proggy hier sagen tun, weil ihr nämlich "
    u"auf den komischen ?-Button geklick0rt habt. Warum müsst ihr selber wissen oder so. Also "
    u"mit dem proggy könnt ihr schnell und einfach im leeter-style schreiben tu0rn oder was "
    u"lesen des wo euch zu komplexiziert geleetet sein tut. Dann könnt ihr noch so schreib0rn "
    u"tun als wie ich oder pfiii des immer tun oder so. Wenn euch des zu krass sein tut könnt "
    u"ihr des auch zurücküberstz0rn lassen, aber des is für des proggy ziemlich schwer (wir tun "
    u"halt einfach ne gehobene sprache sprechen die wo net mal n pc verstehen tut. Ihr könnt "
    u"auch noch so 10101-Matrix-Style was schreib0rn, was des bringt weiß ich au net. Whatever. "
    u"Wuuuh, genau, wenn ihr mal schnell so wichtige wörters wie wuuuh oder whäääy oder so "
    u"einfügen wollt könnt ihr des auch mit krass tastenkombis machen. Jetzt hab ich kein Bock "
    u"mehr. Viel spaß und so. Whatever!";

// The fourteen lines of the shortcut list, top to bottom (Label2 to Label15). Two of them spell
// the word with fewer letters than the shortcut actually appends ("weeeiß nich", "zyoooooom"),
// and the window keeps them that way.
inline constexpr std::array<std::u16string_view, 14> ShortcutCaptions{
    u"STRG + D --> wuuuh",    u"STRG + W --> whäääy",        u"STRG + Z --> zyoooooom",
    u"STRG + E --> whatever", u"STRG + L --> leet",          u"STRG + O --> oha",
    u"STRG + G --> gaylord",  u"STRG + S --> oder so",       u"STRG + N --> weeeiß nich",
    u"STRG + P --> paaardy",  u"STRG + U --> martello duro", u"STRG + Y --> mystisch",
    u"STRG + T --> stylisch", u"STRG + A --> standard",
};

}  // namespace schnackomat::rules
