// The page side of the browser binding: finds the elements by the controls' names, hands the
// user's actions to the window rules in WebAssembly, and offers the rules the few operations
// they call back (Module.page below). The rules decide everything; this script only carries
// events in and element changes out.
"use strict";

(() => {
    const $ = (id) => document.getElementById(id);
    const form1 = $("Form1");
    const form2 = $("Form2");
    const messageBox = $("MessageBox");

    let module = null;
    // Element of each control number, and number of each element, as the program names them.
    let elements = [];
    const numbers = new Map();
    // A call into the rules is running, or a rule waits for a message box to be answered. The
    // page's own writes raise events of their own (focus moves, for one): the rules already
    // know about those. And while a message box is open the rest of the page is inert.
    let running = 0;
    let waiting = false;

    // Calls an entry point of the program. Answers its result, a promise when the rule waits
    // for a message box, or null when the event was not delivered.
    function deliver(entry, ...args) {
        if (module === null || running > 0 || waiting) {
            return null;
        }
        running += 1;
        let result;
        try {
            result = module.ccall(entry, "number", args.map(() => "number"), args);
        } finally {
            running -= 1;
        }
        if (result instanceof Promise) {
            waiting = true;
            result.finally(() => {
                waiting = false;
            });
        }
        return result;
    }

    function numberOf(element) {
        return element && numbers.has(element) ? numbers.get(element) : undefined;
    }

    // The character code a key press types, as the desktop window's text boxes see it: Ctrl with
    // a letter gives 1 to 26, Ctrl+Backspace 127. null for keys that type nothing. Ctrl+N, Ctrl+T
    // and Ctrl+W never reach a page in Chromium, so Alt with these letters types their codes.
    const BrowserKeptLetters = new Set(["n", "t", "w"]);

    function letterOf(event) {
        if (event.key.length === 1 && /[a-z]/i.test(event.key)) {
            return event.key.toLowerCase();
        }
        const match = /^Key([A-Z])$/.exec(event.code);
        return match ? match[1].toLowerCase() : null;
    }

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

    function onKeyDown(event) {
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
    function onKeyBoxBeforeInput(event) {
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

    const clipboard = { text: null, scheduled: false };
    // The program's texts are UTF-16, as the page's strings are; a lone surrogate, which no
    // keyboard types, would come out as U+FFFD.
    const utf16Decoder = new TextDecoder("utf-16le");

    function flushClipboard() {
        clipboard.scheduled = false;
        const text = clipboard.text;
        if (navigator.clipboard && text !== null) {
            navigator.clipboard.writeText(text).catch(() => {});
        }
    }

    function setIcon(icon) {
        const element = $("MessageIcon");
        element.className = "message-icon" + (icon ? " " + icon : "");
        element.textContent = icon === "question" ? "?" : icon === "information" ? "i" : "";
    }

    // What the program calls back (dom_page.cpp).
    const page = {
        readText: (control) => elements[control].value,
        // Replaces the whole text of a box when it differs from what the box holds, and answers
        // whether the box's text changed: a text box keeps every line break as "\n", and a
        // one-line box none.
        replaceText(control, text) {
            const box = elements[control];
            const before = box.value;
            if (text === before) {
                return false;
            }
            box.value = text;
            return box.value !== before;
        },
        select(control, start, length) {
            elements[control].setSelectionRange(start, start + length, "forward");
        },
        checked: (control) => elements[control].checked,
        setChecked(control, checked) {
            elements[control].checked = checked;
        },
        focus(control) {
            const element = elements[control];
            if (element && typeof element.focus === "function") {
                element.focus();
            }
        },
        setTextColour(control, red, green, blue) {
            elements[control].style.color = `rgb(${red}, ${green}, ${blue})`;
        },
        ask(text, title, yesNo, icon) {
            return new Promise((resolve) => {
                $("MessageTitle").textContent = title;
                $("MessageText").textContent = text;
                setIcon(icon);
                $("MessageYes").hidden = !yesNo;
                $("MessageNo").hidden = !yesNo;
                $("MessageOk").hidden = yesNo;
                const buttons = [$("MessageYes"), $("MessageNo"), $("MessageOk")];
                const finish = (answer) => {
                    for (const button of buttons) {
                        button.onclick = null;
                    }
                    messageBox.oncancel = null;
                    messageBox.close();
                    resolve(answer);
                };
                for (const button of buttons) {
                    button.onclick = () => finish(button.value);
                }
                // Esc or the browser closing the box: No for a question, OK otherwise.
                messageBox.oncancel = (event) => {
                    event.preventDefault();
                    finish(yesNo ? "no" : "ok");
                };
                messageBox.showModal();
                (yesNo ? $("MessageYes") : $("MessageOk")).focus();
            });
        },
        // The clipboard takes the last text written in one go: emptying it and then putting
        // the new text on it becomes a single write. It is handed to the browser in a task of
        // its own, after the key press or click that made it has been handled: the handover
        // costs up to a few milliseconds, which the output box need not wait for.
        writeClipboard(text) {
            clipboard.text = text;
            if (!clipboard.scheduled) {
                clipboard.scheduled = true;
                setTimeout(flushClipboard, 0);
            }
        },
        openLink(target) {
            const link = document.createElement("a");
            link.href = target;
            if (/^https?:/.test(target)) {
                link.target = "_blank";
                link.rel = "noopener noreferrer";
            }
            link.click();
        },
        showHelpWindow() {
            form2.hidden = false;
        },
        hideHelpWindow() {
            form2.hidden = true;
        },
        endMainWindow() {
            $("Form1Frame").hidden = true;
            $("BrowserHelp").hidden = true;
            $("Ended").hidden = false;
            document.documentElement.dataset.state = "ended";
            window.close();
            // A tab the user opened stays open whatever the page asks; then say so.
            setTimeout(() => {
                if (!window.closed) {
                    $("EndedTab").hidden = false;
                }
            }, 50);
        },
        utf16(at, length) {
            return utf16Decoder.decode(module.HEAPU8.subarray(at, at + 2 * length));
        },
    };

    // The layout was drawn for a small interface font: the largest size at which every caption
    // fits its box is used, as the desktop window does.
    function fits(element) {
        return element.scrollWidth <= element.clientWidth && element.scrollHeight <= element.clientHeight;
    }

    function fitFont(property, elementsToFit) {
        const root = document.documentElement.style;
        for (let size = 12; size >= 7; size -= 0.5) {
            root.setProperty(property, `${size}px`);
            if (elementsToFit.every(fits)) {
                return;
            }
        }
    }

    function textWidth(element, text) {
        const context = document.createElement("canvas").getContext("2d");
        context.font = getComputedStyle(element).font;
        return context.measureText(text).width;
    }

    // The host name in the credit line is the link Label5, laid exactly over it; the author's
    // name, Label3, follows the line after one space.
    function placeCreditLinks() {
        const line = $("Label1");
        const text = line.textContent;
        const host = $("Label5").textContent;
        const left = line.offsetLeft;
        const hostStart = textWidth(line, text.slice(0, text.indexOf(host)));
        const lineWidth = Math.max(185, Math.ceil(textWidth(line, text)));
        line.style.width = `${lineWidth}px`;
        $("Label5").style.left = `${left + Math.floor(hostStart)}px`;
        $("Label5").style.width = `${Math.ceil(textWidth(line, host))}px`;
        const author = $("Label3");
        author.style.left = `${left + Math.ceil(textWidth(line, text + " "))}px`;
        author.style.width = `${Math.max(41, Math.ceil(textWidth(author, author.textContent)))}px`;
    }

    function layOut() {
        fitFont("--control-font-size", [
            $("Check1Box"), $("Check2Box"), $("Check3Box"), $("Check4Box"),
            $("Label1"), $("Label2"), $("Label3"), $("Label4"), $("Command1"),
        ]);
        form2.hidden = false;
        fitFont("--help-font-size", Array.from(form2.children));
        form2.hidden = true;
        placeCreditLinks();
    }

    function connect() {
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
            if (control !== undefined && (event.target === form1 || event.target.classList.contains("label"))) {
                deliver("schnackomat_pointed", control);
            }
        });
        // Clicks on the bare window, on a label or on the help window leave the keyboard focus
        // where it is, as on the desktop, where none of these takes the focus.
        const keepFocus = (event) => {
            if (event.target === form1 || event.target.classList.contains("label") || form2.contains(event.target)) {
                event.preventDefault();
            }
        };
        form1.addEventListener("mousedown", keepFocus);
        form2.addEventListener("mousedown", keepFocus);
        form2.addEventListener("click", () => deliver("schnackomat_clicked", numberOf(form2)));
        // Esc presses "Ende".
        document.addEventListener("keydown", (event) => {
            if (event.key === "Escape" && !event.defaultPrevented && !messageBox.open &&
                !$("Form1Frame").hidden) {
                // The key must not go on to close the box that "Ende" opens at once.
                event.preventDefault();
                $("Command1").click();
            }
        });
    }

    async function start() {
        // The module loads and compiles while the page lays itself out.
        const loading = createSchnackomat({ page });
        layOut();
        module = await loading;
        const count = module.ccall("schnackomat_control_count", "number", [], []);
        elements = [];
        for (let control = 0; control < count; ++control) {
            const name = module.ccall("schnackomat_control_name", "string", ["number"], [control]);
            const element = $(name);
            elements.push(element);
            if (element) {
                numbers.set(element, control);
            }
        }
        connect();
        for (const name of ["Text1", "Text2", "Text3"]) {
            $(name).disabled = false;
        }
        deliver("schnackomat_start");
        form1.setAttribute("aria-busy", "false");
        document.documentElement.dataset.state = "ready";
        performance.mark("schnackomat-ready");
    }

    start().catch((error) => {
        document.documentElement.dataset.state = "failed";
        console.error(error);
    });
})();
