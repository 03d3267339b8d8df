// The modal message box, the help window and the end of the main window.
const $ = (id) => document.getElementById(id);

function setIcon(icon) {
    const element = $("MessageIcon");
    element.className = "message-icon" + (icon ? " " + icon : "");
    element.textContent = icon === "question" ? "?" : icon === "information" ? "i" : "";
}

// Shows the message box and answers a promise of the button pressed: "yes", "no" or "ok".
export function ask(text, title, yesNo, icon) {
    const messageBox = $("MessageBox");
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
}

export function showHelpWindow() {
    $("Form2").hidden = false;
}

export function hideHelpWindow() {
    $("Form2").hidden = true;
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
