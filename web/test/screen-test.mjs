// The page on screens of every size, at the browser's default font and at a larger one, by
// mouse and by touch: the main window as drawn where it fits and laid out for the screen where
// it does not, every control a target a finger can hit, the help window inside the viewport.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { after, before, describe, test } from "node:test";
import { browserName, launchBrowser, launchFirefox, repository, serveSite } from "./browser.mjs";

let site;
let browser;
// Firefox reads its default font size from its preferences as it starts: one Firefox for each
// size, by size. Chromium is told the size for each page.
const firefoxes = new Map();

before(async () => {
    site = await serveSite();
    if (browserName !== "firefox") {
        browser = await launchBrowser();
    }
});

after(async () => {
    for (const firefox of firefoxes.values()) {
        await firefox.close();
    }
    await browser?.close();
    site?.server.close();
});

async function browserFor(fontSize) {
    if (browserName !== "firefox") {
        return browser;
    }
    if (!firefoxes.has(fontSize)) {
        firefoxes.set(fontSize, await launchFirefox({ "font.size.variable.x-western": fontSize }));
    }
    return firefoxes.get(fontSize);
}

// What only Chromium can be made to do here: change the default font of an open page (over its
// own protocol), and take touches and a pen (headless Firefox fails to make touch events, and
// its WebDriver has no pen).
const onlyChromium = (reason) => (browserName === "chromium" ? false : reason);
const fontChange = onlyChromium("Firefox reads its default font size only as it starts");
const touches = onlyChromium("headless Firefox makes no touch events");
const pens = onlyChromium("Firefox's WebDriver has no pen");

const phone = { width: 390, height: 844, deviceScaleFactor: 3, hasTouch: true, isMobile: true };
const desktop = { width: 1280, height: 800 };

// Opens the page in `viewport` with the browser's default font at `fontSize` pixels. The links
// it opens are written down instead of followed.
async function openAt(viewport, fontSize = 16) {
    const page = await (await browserFor(fontSize)).newPage();
    page.on("pageerror", (error) => console.error("page error:", error.message));
    const session = browserName === "chromium" ? await page.createCDPSession() : null;
    await session?.send("Page.setFontSizes", { fontSizes: { standard: fontSize } });
    await page.setViewport(viewport);
    await page.evaluateOnNewDocument(() => {
        window.openedLinks = [];
        HTMLAnchorElement.prototype.click = function () {
            window.openedLinks.push(this.href);
        };
    });
    await page.goto(site.url);
    await page.waitForFunction(() => document.documentElement.dataset.state === "ready", { timeout: 10000 });
    return { page, session };
}

// The main window's controls in the order the window reads, top to bottom, a row at a time.
const rows = [
    ["Text1"],
    ["Check1Box", "Check3Box", "Check2Box", "Check4Box", "Text3", "Command2"],
    ["Text2"],
    ["Label1", "Label5", "Label3", "Label2", "Label4", "Command1"],
];

const boxes = (page, ids) => page.evaluate((names) => Object.fromEntries(names.map((id) => {
    const { left, top, right, bottom, width, height } = document.getElementById(id).getBoundingClientRect();
    return [id, { left, top, right, bottom, width, height }];
})), ids);

const viewportOf = (page) => page.evaluate(() => ({ width: document.documentElement.clientWidth, height: window.innerHeight }));

const screens = [
    { name: "a phone held upright", viewport: phone, fontSize: 16, layout: "screen" },
    { name: "a desktop browser", viewport: desktop, fontSize: 16, layout: "drawn" },
    { name: "a phone at a 24-pixel default font", viewport: phone, fontSize: 24, layout: "screen" },
    { name: "a desktop browser at a 24-pixel default font", viewport: desktop, fontSize: 24, layout: "screen" },
    { name: "a wide desktop browser at a 24-pixel default font", viewport: { width: 1920, height: 1080 }, fontSize: 24, layout: "drawn" },
];

describe("on every screen", () => {
    for (const { name, viewport, fontSize, layout } of screens) {
        test(`${name}: every control is a whole target in the viewport, in the window's order`, async () => {
            const { page } = await openAt(viewport, fontSize);
            assert.equal(await page.evaluate(() => document.documentElement.dataset.layout), layout);
            const shown = await viewportOf(page);
            const all = await boxes(page, rows.flat());
            for (const [id, box] of Object.entries(all)) {
                assert.ok(box.width >= 24 && box.height >= 24, `${id} is ${box.width} × ${box.height}`);
                assert.ok(box.left >= 0 && box.right <= shown.width, `${id} lies at ${box.left} to ${box.right}`);
            }
            // Each row lies below the one before it.
            const middle = (box) => (box.top + box.bottom) / 2;
            for (let row = 1; row < rows.length; ++row) {
                const above = Math.max(...rows[row - 1].map((id) => middle(all[id])));
                const below = Math.min(...rows[row].map((id) => middle(all[id])));
                assert.ok(above < below, `${rows[row - 1]} above ${rows[row]}`);
            }
            const textSizes = await page.$$eval("#Text1, #Text2, #Text3", (texts) => texts.map((box) => parseFloat(getComputedStyle(box).fontSize)));
            for (const size of textSizes) {
                assert.ok(size >= fontSize, `text of ${size} px`);
            }
            await page.close();
        });

        test(`${name}: the help window lies inside the viewport`, async () => {
            const { page } = await openAt(viewport, fontSize);
            await page.click("#Command2");
            const shown = await viewportOf(page);
            const [help] = Object.values(await boxes(page, ["Form2"]));
            assert.ok(help.left >= 0 && help.top >= 0 && help.right <= shown.width && help.bottom <= shown.height,
                `the help window lies at ${JSON.stringify(help)}`);
            // Its last line can be scrolled to inside it.
            const last = await page.$eval('[id="Form2.Label15"]', (line) => {
                line.scrollIntoView({ block: "nearest" });
                const box = line.getBoundingClientRect();
                return box.bottom <= window.innerHeight && box.top >= 0;
            });
            assert.ok(last);
            await page.close();
        });

        test(`${name}: the Tab key visits the controls in the window's tab order`, async () => {
            const { page } = await openAt(viewport, fontSize);
            const visited = [];
            for (let press = 0; press < 9; ++press) {
                await page.keyboard.press("Tab");
                visited.push(await page.evaluate(() => document.activeElement.id));
            }
            assert.deepEqual(visited, ["Text2", "Command1", "Check1", "Check2", "Check4", "Command2", "Text3", "Check3", "Text1"]);
            await page.close();
        });
    }
});

// The drawing, read from the rules' source: each control's box in twips and how its caption
// fits it.
function drawnPlaces() {
    const source = readFileSync(join(repository, "rules/include/schnackomat/rules/window_layout.h"), "utf8");
    const form1 = [...source.matchAll(/At\(Control::(\w+), (\d+), (\d+), (\d+), (\d+)(?:, CaptionKind::(\w+))?\)/g)]
        .map(([, id, ...rest]) => ({ id, box: rest.slice(0, 4).map(Number), kind: rest[4] ?? "None" }));
    const form2 = [...source.matchAll(/Place\{"(\w+)", (\d+), (\d+), (\d+), (\d+), CaptionKind::(\w+)/g)]
        .map(([, id, ...rest]) => ({ id: `Form2.${id}`, box: rest.slice(0, 4).map(Number), kind: rest[4] }));
    return [...form1, ...form2].filter(({ kind }) => kind !== "None");
}

// Whether every caption fits its box at `scale`, measured in the page: a line by its text's
// width and its line height, a wrapped text by the height of its lines, an option box's caption
// beside its tick box, a button's inside its frame.
function captionsFitAt(page, places, scale) {
    return page.evaluate((all, factor) => {
        const pixels = (twips) => Math.round((twips * factor) / 15);
        const misfits = [];
        for (const { id, box: [left, top, width, height], kind } of all) {
            const element = document.getElementById(id);
            const face = kind === "CheckBox" ? element.labels[0].querySelector("span") : element;
            const style = getComputedStyle(face);
            let room = pixels(left + width) - pixels(left);
            let rows = pixels(top + height) - pixels(top);
            if (kind === "CheckBox") {
                room -= element.getBoundingClientRect().width + parseFloat(getComputedStyle(element.labels[0]).columnGap);
            }
            if (kind === "Button") {
                room -= face.offsetWidth - face.clientWidth + parseFloat(style.paddingLeft) + parseFloat(style.paddingRight);
                rows -= face.offsetHeight - face.clientHeight + parseFloat(style.paddingTop) + parseFloat(style.paddingBottom);
            }
            const copy = document.createElement("div");
            for (const property of ["fontStyle", "fontWeight", "fontSize", "fontFamily", "lineHeight"]) {
                copy.style[property] = style[property];
            }
            copy.style.position = "absolute";
            copy.style.whiteSpace = kind === "Wrapped" ? "normal" : "nowrap";
            copy.style.width = kind === "Wrapped" ? `${room}px` : "max-content";
            copy.textContent = face.textContent;
            document.body.append(copy);
            const needs = copy.getBoundingClientRect();
            copy.remove();
            if ((kind !== "Wrapped" && needs.width > room) || needs.height > rows) {
                misfits.push(id);
            }
        }
        return misfits;
    }, places, scale);
}

describe("the drawing's scale", () => {
    for (const fontSize of [16, 24]) {
        test(`at a ${fontSize}-pixel default font, every caption fits its box, and at the next smaller factor one does not`, async () => {
            const { page } = await openAt({ width: 1920, height: 1080 }, fontSize);
            const scale = Number(await page.evaluate(() => document.documentElement.dataset.scale));
            assert.ok(scale > 1, `scale ${scale}`);
            const places = drawnPlaces();
            assert.equal(places.length, 10 + 15);
            assert.deepEqual(await captionsFitAt(page, places, scale), []);
            assert.notDeepEqual(await captionsFitAt(page, places, scale - 1 / 592), []);
            // The main window is the drawing at that factor.
            const [form] = Object.values(await boxes(page, ["Form1"]));
            assert.equal(form.width, Math.round((8880 * scale) / 15));
            await page.close();
        });
    }

    const state = (page) => page.evaluate(() => [document.documentElement.dataset.layout, Number(document.documentElement.dataset.scale)]);

    test("follows the viewport as it changes", async () => {
        const { page } = await openAt(desktop);
        const [layout, scale] = await state(page);
        assert.equal(layout, "drawn");
        await page.setViewport({ width: 700, height: 800 });
        await page.waitForFunction(() => document.documentElement.dataset.layout === "screen");
        await page.setViewport(desktop);
        await page.waitForFunction(() => document.documentElement.dataset.layout === "drawn");
        assert.deepEqual(await state(page), [layout, scale]);
        await page.close();
    });

    test("follows the default font as it changes", { skip: fontChange }, async () => {
        const { page, session } = await openAt(desktop);
        const [layout, scale] = await state(page);
        assert.equal(layout, "drawn");
        await session.send("Page.setFontSizes", { fontSizes: { standard: 24 } });
        await page.waitForFunction((before) => Number(document.documentElement.dataset.scale) > before, {}, scale);
        assert.equal((await state(page))[0], "screen");
        await session.send("Page.setFontSizes", { fontSizes: { standard: 16 } });
        await page.waitForFunction((before) => Number(document.documentElement.dataset.scale) === before, {}, scale);
        assert.deepEqual(await state(page), [layout, scale]);
        await page.close();
    });
});

// The middle of an element, where a finger taps it.
async function tap(page, selector) {
    const box = await (await page.$(selector)).boundingBox();
    await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
}

describe("by touch alone", { skip: touches }, () => {
    const checked = (page, id) => page.$eval(`#${id}`, (box) => box.checked);

    test("a tap ticks and clears the option boxes", async () => {
        const { page } = await openAt(phone);
        const cases = [
            { tap: "Check2Box", box: "Check2", after: true },
            { tap: "Check1Box", box: "Check1", after: false },
            { tap: "Check4Box", box: "Check4", after: true },
            { tap: "Check3Box", box: "Check3", after: true },
        ];
        for (const { tap: target, box, after: wanted } of cases) {
            await tap(page, `#${target}`);
            assert.equal(await checked(page, box), wanted, target);
        }
        await page.close();
    });

    test("a tap on ? opens the help window and a tap on it closes it", async () => {
        const { page } = await openAt(phone);
        const open = () => page.$eval("#Form2", (help) => !help.hidden);
        await tap(page, "#Command2");
        assert.equal(await open(), true);
        await tap(page, '[id="Form2.Label5"]');
        assert.equal(await open(), false);
        await page.close();
    });

    test("a tap on Ende asks, and a tap answers", async () => {
        const { page } = await openAt(phone);
        await tap(page, "#Command1");
        await page.waitForFunction(() => document.getElementById("MessageBox").open);
        assert.equal(await page.$eval("#MessageText", (text) => text.textContent), "Sind Sie sicher?");
        await tap(page, "#MessageNo");
        await page.waitForFunction(() => !document.getElementById("MessageBox").open);
        assert.equal(await page.$eval("#Form1Frame", (frame) => frame.hidden), false);
        await page.close();
    });

    const links = [
        { label: "Label3", target: /^mailto:/ },
        { label: "Label4", target: /^mailto:/ },
        { label: "Label5", target: /^https?:/ },
    ];
    for (const { label, target } of links) {
        test(`a tap on ${label} opens its link and leaves its colour`, async () => {
            const { page } = await openAt(phone);
            const colour = () => page.$eval(`#${label}`, (link) => getComputedStyle(link).color);
            const normal = await colour();
            await tap(page, `#${label}`);
            const opened = await page.evaluate(() => window.openedLinks);
            assert.equal(opened.length, 1);
            assert.match(opened[0], target);
            assert.equal(await colour(), normal);
            await page.close();
        });
    }
});

describe("a link lights up under a mouse or a pen, never under a finger", () => {
    const cases = [
        { pointer: "mouse", lit: true },
        { pointer: "pen", lit: true, skip: pens },
        { pointer: "touch", lit: false, skip: touches },
    ];
    for (const { pointer, lit, skip = false } of cases) {
        test(pointer, { skip }, async () => {
            const { page, session } = await openAt({ ...desktop, hasTouch: true });
            const box = await (await page.$("#Label3")).boundingBox();
            const x = box.x + box.width / 2;
            const y = box.y + box.height / 2;
            if (pointer === "touch") {
                await page.touchscreen.touchStart(x, y);
                await page.touchscreen.touchEnd();
            } else if (session) {
                await session.send("Input.dispatchMouseEvent", { type: "mouseMoved", x, y, pointerType: pointer });
            } else {
                await page.mouse.move(x, y);
            }
            const colour = await page.$eval("#Label3", (link) => getComputedStyle(link).color);
            assert.equal(colour, lit ? "rgb(255, 255, 128)" : "rgb(255, 192, 128)");
            await page.close();
        });
    }
});

describe("the page's help", () => {
    test("says which keys need a keyboard and that everything else goes without one", async () => {
        const { page } = await openAt(phone);
        const text = await page.$eval("#WithoutKeyboard", (paragraph) => paragraph.textContent.replace(/\s+/g, " "));
        assert.match(text, /STRG \+ Buchstabe/);
        assert.match(text, /ganz ohne sie/);
        await page.close();
    });
});
