// Keys as the desktop window's text boxes see them: the character code a key press types, handed
// to the rules before the box takes it.
import { deliver, numberOf } from "./bridge.js";

// Ctrl+N, Ctrl+T and Ctrl+W never reach a page in Chromium, so Alt with these letters types
// their codes.
export const BrowserKeptLetters = new Set(["n", "t", "w"]);

function letterOf(event) {
    if (event.key.length === 1 && /[a-z]/i.test(event.key)) {
        return event.key.toLowerCase();
    }
    const match = /^Key([A-Z])$/.exec(event.code);
    return match ? match[1].toLowerCase() : null;
}

// The character code a key press types: Ctrl with a letter gives 1 to 26, Ctrl+Backspace 127.
// null for keys that type nothing.
function typedCharacter(event) {
    if (event.isComposing || event.key === "Process" || event.key === "Unidentified") {
        return null;
    }
    const control = event.ctrlKey && !event.altKey && !event.metaKey;
    const alternative = event.altKey && !event.ctrlKey && !event.metaKey;
    switch (event.key) {
        case "Tab":
        case "Delete":
            return null;
        case "Backspace":
            return control ? 127 : 8;
        case "Enter":
            return 13;
        case "Escape":
            return 27;
        default:
            break;
    }
    const letter = letterOf(event);
    if (letter !== null && (control || (alternative && BrowserKeptLetters.has(letter)))) {
        return letter.charCodeAt(0) - 96;
    }
    if (event.key.length === 1 && !event.ctrlKey && !event.metaKey) {
        return event.key.charCodeAt(0);
    }
    return null;
}

// The key event of Text1 and Text3: the rules answer 0 to drop the key.
export function onKeyDown(event) {
    const code = typedCharacter(event);
    if (code === null) {
        return;
    }
    const result = deliver("schnackomat_typed", numberOf(event.currentTarget), code);
    if (result === 0 || result instanceof Promise) {
        event.preventDefault();
    }
}

// Characters that arrive without a key of their own (an on-screen keyboard, an input method)
// pass the key box's filter as well; pasted text does not, as on the desktop.
export function onKeyBoxBeforeInput(event) {
    if (event.inputType !== "insertText" || !event.data || !event.cancelable) {
        return;
    }
    const box = event.currentTarget;
    let kept = "";
    for (const character of event.data) {
        const code = character.charCodeAt(0);
        if (character.length === 1 && deliver("schnackomat_typed", numberOf(box), code) === code) {
            kept += character;
        }
    }
    if (kept !== event.data) {
        event.preventDefault();
        if (kept !== "") {
            box.setRangeText(kept, box.selectionStart, box.selectionEnd, "end");
            deliver("schnackomat_edited", numberOf(box));
        }
    }
}

// A one-line box takes only the first line of a paste, cut to the room its length leaves, as it
// takes the whole of a paste of one line.
export function onKeyBoxPaste(event) {
    const pasted = event.clipboardData?.getData("text/plain") ?? "";
    const firstLine = pasted.split(/\r\n|\r|\n/, 1)[0];
    if (firstLine === pasted) {
        return;
    }
    event.preventDefault();
    const box = event.currentTarget;
    const room = box.maxLength - box.value.length + (box.selectionEnd - box.selectionStart);
    const kept = firstLine.slice(0, Math.max(room, 0));
    if (kept !== "" || box.selectionStart !== box.selectionEnd) {
        box.setRangeText(kept, box.selectionStart, box.selectionEnd, "end");
        deliver("schnackomat_edited", numberOf(box));
    }
}
