// The modal message box, the help window and the end of the main window.
const $ = (id) => document.getElementById(id);

function setIcon(icon) {
    const element = $("MessageIcon");
    element.className = "message-icon" + (icon ? " " + icon : "");
    element.textContent = icon === "question" ? "?" : icon === "information" ? "i" : "";
}

// Shows the message box and answers a promise of the button pressed: "yes", "no" or "ok". When
// it has gone, the control that had the keyboard has it again, with its caret and selection as
// they were, as a window gets them back from a message box on the desktop.
export function ask(text, title, yesNo, icon) {
    const messageBox = $("MessageBox");
    const control = document.activeElement;
    const selection = control?.selectionStart != null
        ? [control.selectionStart, control.selectionEnd, control.selectionDirection]
        : null;
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
            control?.focus?.();
            if (selection !== null) {
                control.setSelectionRange(...selection);
            }
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
}

// The help window opens as the active window; it takes no keys of its own. When it closes, the
// main window has the keyboard again, on the control that had it.
let activeBeforeHelp = null;

export function showHelpWindow() {
    const helpWindow = $("Form2");
    if (helpWindow.hidden) {
        activeBeforeHelp = document.activeElement;
    }
    helpWindow.hidden = false;
    helpWindow.focus();
}

export function hideHelpWindow() {
    const helpWindow = $("Form2");
    const active = helpWindow.contains(document.activeElement);
    helpWindow.hidden = true;
    if (active && !$("Form1Frame").hidden) {
        activeBeforeHelp?.focus?.();
    }
}

// Takes the main window off the page and closes the tab where the browser allows it.
export function endMainWindow() {
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
}
