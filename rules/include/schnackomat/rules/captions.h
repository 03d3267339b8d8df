// What the controls show and what a screen reader says of them, for every binding: the caption a
// control is created with, its accessible name and its description. The texts the rules write at
// run time are elsewhere (window_rules.h); the help window's lines are in help_texts.h.
#pragma once

#include <string_view>

#include "schnackomat/rules/toolkit.h"

namespace schnackomat::rules {

struct ControlTexts {
    // As the window draws it: a doubled ampersand stands for one ampersand shown. The main
    // window's caption is its title; text boxes have none.
    std::u16string_view Caption;
    std::u16string_view AccessibleName;
    std::u16string_view AccessibleDescription;
};

constexpr ControlTexts TextsOf(Control control) {
    switch (control) {
        case Control::Form1:
            return {u"Schnackomat V3.0 - schnackomat.example - von Benaldo", u"", u""};
        case Control::Text1:
            return {u"", u"Eingabe", u"Deutscher Text; jede Änderung wird sofort umgewandelt"};
        case Control::Text2:
            return {u"", u"Ausgabe",
                    u"Der umgewandelte Text, auch in der Zwischenablage; Eingaben hier werden "
                    u"zurückgewandelt"};
        case Control::Text3:
            return {u"", u"Schlüssel", u"Schlüssel des Matrix-Codes, nur Kleinbuchstaben"};
        case Control::Check1:
            return {u"1337", u"1337", u"Buchstaben als ähnlich aussehende Ziffern schreiben"};
        case Control::Check2:
            return {u"Pfiii- && Benaldo- Style", u"Pfiii- & Benaldo- Style",
                    u"Slang-Wörter, Einwürfe und vertauschte Buchstaben"};
        case Control::Check3:
            return {u"1337-Wörters", u"1337-Wörters", u"Wortendungen 0rn und 0rst"};
        case Control::Check4:
            return {u"The Matrix-Style", u"The Matrix-Style",
                    u"Jeder Buchstabe als Gruppe aus fünf Binärziffern"};
        case Control::Command1:
            return {u"Ende", u"Ende", u"Programm beenden, nach zwei Rückfragen"};
        case Control::Command2:
            return {u"?", u"Hilfe", u"Hilfe und Liste der Tastenkürzel zeigen"};
        case Control::Label1:
            return {u"Gemacht für schnackomat.example von", u"Gemacht für schnackomat.example von",
                    u"Hinweis auf die Urheber"};
        case Control::Label2:
            return {u"Anmerkung: Die schwule Farbe wollte", u"Anmerkung: Die schwule Farbe wollte",
                    u"Anmerkung zur Farbe"};
        case Control::Label3:
            return {u"Benaldo", u"Benaldo", u"Link: Mail an Benaldo schreiben"};
        case Control::Label4:
            return {u"Pfiii!", u"Pfiii!", u"Link: Mail an Pfiii schreiben"};
        case Control::Label5:
            return {u"schnackomat.example", u"schnackomat.example",
                    u"Link: Webseite schnackomat.example öffnen"};
        case Control::Form2:
            return {u"?", u"Hilfe", u"Hilfetext und Tastenkürzel; ein Klick schließt das Fenster"};
    }
    return {};
}

}  // namespace schnackomat::rules
