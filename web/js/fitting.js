// Laying both windows out from the program's drawing (window_layout.cpp): the boxes in twips,
// the tab order, the overlaps, the colours and the key box's font.
//
// The controls keep the browser's default font at its own size, and the whole drawing is scaled
// by one factor for both windows, the smallest at which every caption fits its box in that
// font, as the desktop window does. Where the viewport is too narrow for the main window at that
// factor, it is laid out for the screen instead (style.css): the same controls in the order the
// window reads, as wide as the screen. The help window likewise. Both are laid out again when the
// viewport or the default font changes.
const $ = (id) => document.getElementById(id);

const TwipsPerPixel = 15;
// The window's edge and the room the page leaves around it, in CSS pixels.
const FrameRoom = 2 + 2 * 8;

const drawing = { Form1: null, Form2: null };

// The page's element of a control of `form`: the help window's labels are "Form2.LabelN".
const elementNamed = (form, name) => $(form === "Form1" ? name : `${form}.${name}`);

// The box that shows a control: an option box's tick box sits inside the label around it.
const faceOf = (element) => (element.type === "checkbox" ? element.labels[0] : element);

export function drawForm(form, width, height) {
    drawing[form] = { width, height, places: [] };
}

// The main window's places come in tab order: the controls that take the focus are visited in
// that order, labels keep their place but take none.
export function drawPlace(form, name, left, top, width, height, kind) {
    const places = drawing[form].places;
    const element = elementNamed(form, name);
    if (form === "Form1" && element.matches("textarea, input, button")) {
        element.tabIndex = places.length + 1;
    }
    places.push({ element, face: faceOf(element), left, top, width, height, kind });
}

export function drawAbove(above, below) {
    $(above).style.zIndex = `${(Number($(below).style.zIndex) || 0) + 1}`;
}

export function drawColour(name, red, green, blue) {
    document.documentElement.style.setProperty(`--${name}`, `rgb(${red}, ${green}, ${blue})`);
}

let keyFontPoints = 0;

export function drawKeyFont(family, points) {
    keyFontPoints = points;
    document.documentElement.style.setProperty("--key-font-family", `"${family}"`);
}

const pixels = (twips, scale) => Math.round((twips * scale) / TwipsPerPixel);

function rectOf(place, scale) {
    const left = pixels(place.left, scale);
    const top = pixels(place.top, scale);
    return {
        left,
        top,
        width: pixels(place.left + place.width, scale) - left,
        height: pixels(place.top + place.height, scale) - top,
    };
}

const context = document.createElement("canvas").getContext("2d");

function textWidth(element, text) {
    const style = getComputedStyle(element);
    context.font = `${style.fontStyle} ${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
    return context.measureText(text).width;
}

const lineHeight = (element) => parseFloat(getComputedStyle(element).lineHeight);

function edges(element, side) {
    const style = getComputedStyle(element);
    const [first, second] = side === "width" ? ["Left", "Right"] : ["Top", "Bottom"];
    return ["padding", "border"].reduce((sum, edge) =>
        sum + parseFloat(style[`${edge}${first}${edge === "border" ? "Width" : ""}`]) +
        parseFloat(style[`${edge}${second}${edge === "border" ? "Width" : ""}`]), 0);
}

// How high a wrapped text is at `width`, laid out in a copy with the element's font.
function wrappedHeight(element, width) {
    const style = getComputedStyle(element);
    const copy = document.createElement("div");
    for (const property of ["fontFamily", "fontSize", "fontWeight", "fontStyle", "lineHeight", "letterSpacing",
        "wordSpacing", "overflowWrap"]) {
        copy.style[property] = style[property];
    }
    Object.assign(copy.style, { position: "absolute", visibility: "hidden", left: "0", top: "0", width: `${width}px` });
    copy.textContent = element.textContent;
    document.body.append(copy);
    const height = copy.getBoundingClientRect().height;
    copy.remove();
    return height;
}

// Whether a control's caption fits its box, as its kind shows it.
function captionFits(place, box) {
    const { face, kind } = place;
    switch (kind) {
        case "line":
            return textWidth(face, face.textContent) <= box.width && lineHeight(face) <= box.height;
        case "wrapped":
            return wrappedHeight(face, box.width) <= box.height;
        case "check-box": {
            const caption = face.querySelector("span");
            const indent = place.element.getBoundingClientRect().width + parseFloat(getComputedStyle(face).columnGap);
            return textWidth(caption, caption.textContent) <= box.width - indent && lineHeight(caption) <= box.height;
        }
        case "button":
            return textWidth(face, face.textContent) <= box.width - edges(face, "width") &&
                lineHeight(face) <= box.height - edges(face, "height");
        default:
            return true;
    }
}

function captionsFit(form, scale) {
    return drawing[form].places.every((place) => captionFits(place, rectOf(place, scale)));
}

// The factor grows in steps of one pixel of the main window's width, up to three times the
// drawing; the first step at which both windows' captions fit, since a larger one only has more
// room.
function layoutScale() {
    const width = drawing.Form1.width / TwipsPerPixel;
    const scaleAt = (step) => (width + step) / width;
    const fits = (step) => captionsFit("Form1", scaleAt(step)) && captionsFit("Form2", scaleAt(step));
    let low = 0;
    let high = 3 * width;
    while (low < high) {
        const middle = Math.floor((low + high) / 2);
        if (fits(middle)) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return scaleAt(low);
}

function setBox(element, box) {
    for (const [property, value] of Object.entries(box)) {
        element.style.setProperty(`--${property}`, `${value}px`);
    }
}

// Places a window's controls as drawn, or leaves them to the style sheet's layout for the
// screen when the drawn window would not fit the viewport's width. Answers the layout chosen.
function place(form, window, scale) {
    const { width, height, places } = drawing[form];
    const size = { "form-width": pixels(width, scale), "form-height": pixels(height, scale) };
    const drawn = size["form-width"] + FrameRoom <= document.documentElement.clientWidth;
    setBox(window, size);
    for (const one of places) {
        setBox(one.face, rectOf(one, scale));
    }
    return drawn ? "drawn" : "screen";
}

// The host name in the credit line is the link Label5, laid exactly over it. As drawn, the line
// is as wide as its text needs and the author's name, Label3, follows it after one space; for
// the screen the line may wrap, and the author's name follows in the row, a space apart.
function placeCreditLinks(layout) {
    const line = $("Label1");
    const text = line.textContent;
    const host = $("Label5").textContent;
    const hostStart = text.indexOf(host);
    $("Form1").style.setProperty("--space", `${textWidth(line, " ")}px`);
    if (layout === "screen") {
        const words = document.createRange();
        words.setStart(line.firstChild, hostStart);
        words.setEnd(line.firstChild, hostStart + host.length);
        const at = words.getBoundingClientRect();
        const row = line.offsetParent.getBoundingClientRect();
        setBox($("Label5"), { left: at.left - row.left, top: at.top - row.top, width: at.width, height: at.height });
        return;
    }
    const drawn = (element, side) => parseFloat(element.style.getPropertyValue(`--${side}`));
    const left = drawn(line, "left");
    setBox(line, { width: Math.max(drawn(line, "width"), Math.ceil(textWidth(line, text))) });
    const author = $("Label3");
    setBox(author, {
        left: left + Math.ceil(textWidth(line, text + " ")),
        width: Math.max(drawn(author, "width"), Math.ceil(textWidth(author, author.textContent))),
    });
    setBox($("Label5"), {
        left: left + Math.floor(textWidth(line, text.slice(0, hostStart))),
        top: drawn(line, "top"),
        width: Math.ceil(textWidth(line, host)),
        height: drawn(line, "height"),
    });
}

// Lays out both windows; their captions must be in.
export function layOut() {
    const scale = layoutScale();
    const root = document.documentElement;
    root.style.setProperty("--key-font-size", `${((keyFontPoints * 96) / 72) * scale}px`);
    root.style.setProperty("--main-width", `${pixels(drawing.Form1.width, scale)}px`);
    root.dataset.scale = String(scale);
    root.dataset.layout = place("Form1", $("Form1"), scale);
    $("Form2").dataset.layout = place("Form2", $("Form2"), scale);
    placeCreditLinks(root.dataset.layout);
}

// Lays the windows out again when the viewport changes (the browser's zoom included) and when
// the default font does, which a box one rem wide shows.
export function keepLaidOut() {
    const rem = document.createElement("div");
    rem.setAttribute("aria-hidden", "true");
    Object.assign(rem.style, { position: "absolute", visibility: "hidden", width: "1rem", height: "1rem", top: "0" });
    document.body.append(rem);
    let size = rem.getBoundingClientRect().width;
    new ResizeObserver(() => {
        const now = rem.getBoundingClientRect().width;
        if (now !== size) {
            size = now;
            layOut();
        }
    }).observe(rem);
    window.addEventListener("resize", layOut);
}
