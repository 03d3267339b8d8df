// The page's events, handed to the rules: edits, keys, clicks, focus moves and the pointer.
import { deliver, numberOf } from "./bridge.js";
import { onKeyBoxBeforeInput, onKeyDown } from "./keys.js";

const $ = (id) => document.getElementById(id);

const isLabel = (element) => element.classList.contains("label");

export function connect() {
    const form1 = $("Form1");
    const form2 = $("Form2");
    for (const name of ["Text1", "Text2", "Text3"]) {
        $(name).addEventListener("input", (event) => {
            deliver("schnackomat_edited", numberOf(event.currentTarget));
        });
    }
    $("Text1").addEventListener("keydown", onKeyDown);
    $("Text3").addEventListener("keydown", onKeyDown);
    $("Text3").addEventListener("beforeinput", onKeyBoxBeforeInput);
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
    // The pointer over a label reaches that label; over no control, the window itself.
    form1.addEventListener("mouseover", (event) => {
        const control = numberOf(event.target);
        if (control !== undefined && (event.target === form1 || isLabel(event.target))) {
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
    // Esc presses "Ende".
    document.addEventListener("keydown", (event) => {
        if (event.key === "Escape" && !event.defaultPrevented && !$("MessageBox").open && !$("Form1Frame").hidden) {
            // The key must not go on to close the box that "Ende" opens at once.
            event.preventDefault();
            $("Command1").click();
        }
    });
}
