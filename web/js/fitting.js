// Fitting the window to the browser's interface font. The layout was drawn for a small font: the
// largest size at which every caption fits its box is used, as the desktop window does.
const $ = (id) => document.getElementById(id);

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

// Lays out both windows once their captions are in.
export function layOut() {
    fitFont("--control-font-size", [
        $("Check1Box"), $("Check2Box"), $("Check3Box"), $("Check4Box"),
        $("Label1"), $("Label2"), $("Label3"), $("Label4"), $("Command1"),
    ]);
    const helpWindow = $("Form2");
    helpWindow.hidden = false;
    fitFont("--help-font-size", Array.from(helpWindow.children));
    helpWindow.hidden = true;
    placeCreditLinks();
}
