// What the program calls back (dom_page.cpp, window_texts.cpp, window_layout.cpp): plain operations on the page's
// elements, named by the controls' numbers. The rules decide everything; these only carry
// element changes out.
import { elementOf, programText } from "./bridge.js";
import { showControlTexts, showHelpLine, showShortcutText } from "./captions.js";
import { ask, endMainWindow, hideHelpWindow, showHelpWindow } from "./dialogs.js";
import { drawAbove, drawColour, drawForm, drawKeyFont, drawPlace } from "./fitting.js";

// Replaces the whole text of a box when it differs from what the box holds, and answers whether
// the box's text changed: a text box keeps every line break as "\n", and a one-line box none.
function replaceText(control, text) {
    const box = elementOf(control);
    const before = box.value;
    if (text === before) {
        return false;
    }
    box.value = text;
    return box.value !== before;
}

function openLink(target) {
    const link = document.createElement("a");
    link.href = target;
    if (/^https?:/.test(target)) {
        link.target = "_blank";
        link.rel = "noopener noreferrer";
    }
    link.click();
}

export const page = {
    readText: (control) => elementOf(control).value,
    replaceText,
    select(control, start, length) {
        elementOf(control).setSelectionRange(start, start + length, "forward");
    },
    checked: (control) => elementOf(control).checked,
    setChecked(control, checked) {
        elementOf(control).checked = checked;
    },
    focus(control) {
        elementOf(control)?.focus?.();
    },
    setTextColour(control, red, green, blue) {
        elementOf(control).style.color = `rgb(${red}, ${green}, ${blue})`;
    },
    ask,
    showLeadingBox(box) {
        document.getElementById("Form1").dataset.leads = box;
    },
    // Emptying the clipboard is writing the empty text. Failures are ignored: the output box holds
    // the text all the same.
    writeClipboard(text) {
        navigator.clipboard?.writeText(text).catch(() => {});
    },
    openLink,
    showHelpWindow,
    hideHelpWindow,
    endMainWindow,
    showControlTexts,
    showHelpLine,
    showShortcutText,
    drawForm,
    drawPlace,
    drawAbove,
    drawColour,
    drawKeyFont,
    utf16: programText,
};
