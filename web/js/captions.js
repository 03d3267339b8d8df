// The captions, the accessible texts and the help window's lines come from the program
// (window_texts.cpp), which takes them from the rules: the markup holds none of its own.
import { elementOf } from "./bridge.js";
import { BrowserKeptLetters } from "./keys.js";

// A doubled ampersand stands for one.
const shown = (caption) => caption.replaceAll("&&", "&");

// The main window shows its caption in its title bar and the browser's tab, an option box beside
// its tick box; the help window has no title bar, and text boxes have no caption.
export function showControlTexts(control, caption, name, description) {
    const element = elementOf(control);
    const text = shown(caption);
    if (element.id === "Form1") {
        document.title = text;
        document.getElementById("Form1Caption").textContent = text;
    } else if (element.type === "checkbox") {
        element.labels[0].querySelector("span").textContent = text;
    } else if (element.id !== "Form2" && text !== "") {
        element.textContent = text;
    }
    if (name !== "" && name !== text) {
        element.setAttribute("aria-label", name);
    }
    if (description !== "") {
        element.setAttribute("aria-description", description);
    }
}

// Line 0 is the help text, lines 1 to 14 the shortcut list (Form2.Label2 to Form2.Label15). A
// shortcut line names its key after "STRG + "; the keys the browser keeps go with ALT on the page
// (keys.js), and their lines name that key.
export function showHelpLine(line, text) {
    const key = /^STRG \+ ([A-Z]) /.exec(text)?.[1];
    const pageKey = key !== undefined && BrowserKeptLetters.has(key.toLowerCase());
    document.getElementById(`Form2.Label${line + 1}`).textContent = pageKey ? text.replace(/^STRG/, "ALT") : text;
}

// The notes on the browser quote what a shortcut appends, without its closing space.
export function showShortcutText(key, text) {
    for (const element of document.querySelectorAll(`[data-shortcut="${key}"]`)) {
        element.textContent = text.trimEnd();
    }
}
