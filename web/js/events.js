// The page's events, handed to the rules: edits, keys, clicks, focus moves and the pointer.
import { deliver, numberOf } from "./bridge.js";
import { onKeyBoxBeforeInput, onKeyBoxPaste, onKeyDown } from "./keys.js";

const $ = (id) => document.getElementById(id);

const isLabel = (element) => element.classList.contains("label");

// A click into a text box that has not the focus gives it the focus first, and with it the
// box's focus rule, which selects the whole text; then the caret goes where the click was, as in
// the desktop's edit boxes. The browser places it once this handler is done, but not inside a
// selection, where a press may start dragging it: so the rule's selection is let go here.
function placeCaretAfterFocus(event) {
    const box = event.currentTarget;
    if (event.button !== 0 || document.activeElement === box) {
        return;
    }
    box.focus();
    box.setSelectionRange(box.selectionEnd, box.selectionEnd);
}

// The Tab key goes round the main window's controls, from the last straight back to the first
// (and Shift+Tab the other way), without the stops the browser has outside the page. The
// controls take the focus as the browser moves it: those with a tab index above 0 by it, then
// the others in the order of the page.
const tabRank = (control) => (control.tabIndex > 0 ? control.tabIndex : Infinity);

function wrapTabOrder(event) {
    if (event.key !== "Tab" || event.ctrlKey || event.altKey || event.metaKey) {
        return;
    }
    const order = Array.from(event.currentTarget.querySelectorAll("textarea, input, button"))
        .sort((first, second) => (tabRank(first) === tabRank(second) ? 0 : tabRank(first) - tabRank(second)));
    const [from, to] = event.shiftKey ? [order[0], order.at(-1)] : [order.at(-1), order[0]];
    if (event.target === from) {
        event.preventDefault();
        to.focus();
    }
}

export function connect() {
    const form1 = $("Form1");
    const form2 = $("Form2");
    for (const name of ["Text1", "Text2", "Text3"]) {
        $(name).addEventListener("input", (event) => {
            deliver("schnackomat_edited", numberOf(event.currentTarget));
        });
        $(name).addEventListener("mousedown", placeCaretAfterFocus);
    }
    $("Text1").addEventListener("keydown", onKeyDown);
    $("Text3").addEventListener("keydown", onKeyDown);
    $("Text3").addEventListener("beforeinput", onKeyBoxBeforeInput);
    $("Text3").addEventListener("paste", onKeyBoxPaste);
    // The browser keeps one undo history for the whole page: its undo and redo reach a box's
    // own edits only while that box has the focus, and a step of another box stays where it is.
    document.addEventListener("beforeinput", (event) => {
        const history = event.inputType === "historyUndo" || event.inputType === "historyRedo";
        if (history && event.target !== document.activeElement) {
            event.preventDefault();
        }
    }, true);
    form1.addEventListener("keydown", wrapTabOrder);
    for (const name of ["Check1", "Check2", "Check3", "Check4"]) {
        $(name).addEventListener("change", (event) => {
            deliver("schnackomat_clicked", numberOf(event.currentTarget));
        });
    }
    for (const name of ["Command1", "Command2", "Label1", "Label2", "Label3", "Label4", "Label5"]) {
        $(name).addEventListener("click", (event) => {
            deliver("schnackomat_clicked", numberOf(event.currentTarget));
        });
    }
    form1.addEventListener("focusin", (event) => {
        const control = numberOf(event.target);
        if (control !== undefined) {
            deliver("schnackomat_focused", control);
        }
    });
    // The pointer over a label reaches that label; over no control, the window itself. Only a
    // mouse or a pen points: a finger touches where it taps, and hovers nowhere.
    form1.addEventListener("pointerover", (event) => {
        const control = numberOf(event.target);
        if (event.pointerType !== "touch" && control !== undefined && (event.target === form1 || isLabel(event.target))) {
            deliver("schnackomat_pointed", control);
        }
    });
    // Clicks on the bare window, on a label or on the help window leave the keyboard focus
    // where it is, as on the desktop, where none of these takes the focus.
    const keepFocus = (event) => {
        if (event.target === form1 || isLabel(event.target) || form2.contains(event.target)) {
            event.preventDefault();
        }
    };
    form1.addEventListener("mousedown", keepFocus);
    form2.addEventListener("mousedown", keepFocus);
    form2.addEventListener("click", () => deliver("schnackomat_clicked", numberOf(form2)));
    // Esc presses "Ende"; the help window takes no keys.
    document.addEventListener("keydown", (event) => {
        if (event.key === "Escape" && !event.defaultPrevented && !$("MessageBox").open && !$("Form1Frame").hidden &&
            !form2.contains(event.target)) {
            // The key must not go on to close the box that "Ende" opens at once.
            event.preventDefault();
            $("Command1").click();
        }
    });
}
