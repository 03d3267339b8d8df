// What the program calls back (dom_page.cpp, window_texts.cpp): plain operations on the page's
// elements, named by the controls' numbers. The rules decide everything; these only carry
// element changes out.
import { elementOf, programText } from "./bridge.js";
import { showControlTexts, showHelpLine, showShortcutText } from "./captions.js";
import { ask, endMainWindow, hideHelpWindow, showHelpWindow } from "./dialogs.js";

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

const clipboard = { text: null, scheduled: false };

function flushClipboard() {
    clipboard.scheduled = false;
    navigator.clipboard?.writeText(clipboard.text).catch(() => {});
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
    // The clipboard takes the last text written in one go: emptying it and then putting the new
    // text on it becomes a single write. It is handed to the browser in a task of its own, after
    // the key press or click that made it has been handled: the handover costs up to a few
    // milliseconds, which the output box need not wait for. Failures are ignored.
    writeClipboard(text) {
        clipboard.text = text;
        if (!clipboard.scheduled) {
            clipboard.scheduled = true;
            setTimeout(flushClipboard, 0);
        }
    },
    openLink,
    showHelpWindow,
    hideHelpWindow,
    endMainWindow,
    showControlTexts,
    showHelpLine,
    showShortcutText,
    utf16: programText,
};
