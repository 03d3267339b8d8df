// Plays the scenario files of tests/scenarios against the page in headless Chromium: a fresh
// page for each file, driven by the key presses, mouse clicks, mouse moves and wheel turns a user
// makes; the page's own message boxes, answered by clicking their buttons; the browser's
// clipboard. Links the page hands to the browser are recorded instead of followed, and the tab
// is one the page cannot close, as a tab the user opened.
//
// The files are read by the same reader as the window's runner uses (scenario-steps, built from
// tests/scenarios), which gives their steps as JSON. A scenario pending on "page" is expected to
// fail, and fails the run as soon as it passes.
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { readdirSync } from "node:fs";
import { basename, join } from "node:path";
import { after, before, test } from "node:test";
import { launchBrowser, openPage, repository, runCli, serveSite } from "./browser.mjs";

const scenarioDirectory = join(repository, "tests/scenarios");
const stepsProgram = process.env.SCHNACKOMAT_SCENARIO_STEPS ??
    join(repository, "build-cli/tests/scenarios/scenario-steps");

// More Tab presses than a round of the main window's controls takes.
const TabStops = 20;

function readScenario(file) {
    const result = spawnSync(stepsProgram, [file], { encoding: "utf8" });
    if (result.error) {
        throw result.error;
    }
    if (result.status !== 0) {
        throw new Error(result.stderr.trim());
    }
    return JSON.parse(result.stdout);
}

// Runs in the page before its own scripts: the links it opens are written down, and closing
// the tab is left to the user.
function recordLinksAndKeepTheTab() {
    window.openedLinks = [];
    HTMLAnchorElement.prototype.click = function () {
        window.openedLinks.push(this.href);
    };
    window.open = (target) => {
        window.openedLinks.push(String(target));
        return null;
    };
    window.close = () => {};
}

const keyNames = {
    Esc: "Escape",
    Space: " ",
    Return: "Enter",
    Left: "ArrowLeft",
    Right: "ArrowRight",
    Up: "ArrowUp",
    Down: "ArrowDown",
};

// A KEY of a scenario ("Ctrl+Shift+Z") as the modifiers to hold and the key to press.
function keyOf(written) {
    const parts = written.split("+");
    const key = parts.pop();
    const modifiers = parts.map((modifier) => (modifier === "Ctrl" ? "Control" : modifier));
    if (/^[A-Z]$/.test(key)) {
        return { modifiers, key: `Key${key}` };
    }
    if (/^[0-9]$/.test(key)) {
        return { modifiers, key: `Digit${key}` };
    }
    return { modifiers, key: keyNames[key] ?? key };
}

// What the page shows of a control or a window, read inside the page.
function readPage(page, name, what, ...rest) {
    return page.evaluate((id, kind, ...more) => {
        const element = document.getElementById(id);
        const shown = (node) => node !== null && !node.closest("[hidden]") && node.getClientRects().length > 0;
        // Where the pointer reaches `node` itself, and no other element lying over it: its
        // middle where that is free. For a window, a point of its bare ground; for an option
        // box, its tick box.
        const pointOn = (node) => {
            if (!shown(node)) {
                return null;
            }
            const window = node.id === "Form1" || node.id === "Form2";
            const box = node.getBoundingClientRect();
            const reaches = (x, y) => {
                const hit = document.elementFromPoint(x, y);
                return window ? hit === node : hit !== null && node.contains(hit);
            };
            const middle = { x: Math.round(box.left + box.width / 2), y: Math.round(box.top + box.height / 2) };
            if (reaches(middle.x, middle.y)) {
                return middle;
            }
            for (let step = 1; step <= box.width / 2; ++step) {
                for (const x of [middle.x - step, middle.x + step]) {
                    if (reaches(x, middle.y)) {
                        return { x, y: middle.y };
                    }
                }
            }
            for (let y = Math.ceil(box.top); y < box.bottom; y += 2) {
                for (let x = Math.ceil(box.left); x < box.right; x += 2) {
                    if (reaches(x, y)) {
                        return { x, y };
                    }
                }
            }
            return null;
        };
        // Where character `position` of a text box begins on the screen, found by laying the
        // box's text out again in a copy of the box with the same font, size and wrapping.
        const characterPoint = (box, position) => {
            const style = getComputedStyle(box);
            const mirror = document.createElement("div");
            for (const property of ["fontFamily", "fontSize", "fontWeight", "fontStyle", "fontStretch", "letterSpacing",
                "wordSpacing", "lineHeight", "textTransform", "textIndent", "tabSize", "overflowWrap", "wordBreak",
                "whiteSpace", "paddingTop", "paddingRight", "paddingBottom", "paddingLeft", "direction"]) {
                mirror.style[property] = style[property];
            }
            const padding = parseFloat(style.paddingLeft) + parseFloat(style.paddingRight);
            Object.assign(mirror.style, {
                position: "absolute", visibility: "hidden", top: "0", left: "0", border: "0",
                boxSizing: "content-box", width: `${box.clientWidth - padding}px`,
            });
            mirror.textContent = box.value.slice(0, position);
            const marker = document.createElement("span");
            marker.textContent = box.value.slice(position, position + 1) || "\u200b";
            if (marker.textContent === "\n") {
                marker.textContent = "\u200b";
            }
            mirror.append(marker);
            document.body.append(mirror);
            const from = mirror.getBoundingClientRect();
            const at = marker.getClientRects()[0];
            mirror.remove();
            const edge = box.getBoundingClientRect();
            return {
                x: edge.left + box.clientLeft + (at.left - from.left) - box.scrollLeft + 1,
                y: edge.top + box.clientTop + (at.top - from.top) - box.scrollTop + at.height / 2,
                inView: at.top - from.top - box.scrollTop >= 0 &&
                    at.bottom - from.top - box.scrollTop <= box.clientHeight,
            };
        };
        switch (kind) {
            case "exists":
                return element !== null;
            case "point":
                return pointOn(element);
            case "bare":
                return pointOn(document.getElementById("Form1"));
            case "character":
                return characterPoint(element, more[0]);
            case "shown":
                return shown(element);
            case "value":
                return element.value;
            case "caption":
                return (element.labels?.[0] ?? element).textContent;
            case "selection":
                return { start: element.selectionStart, end: element.selectionEnd };
            case "checked":
                return element.checked ? "1" : "0";
            case "colour": {
                const [red, green, blue] = getComputedStyle(element).color.match(/\d+/g).map(Number);
                return "#" + [red, green, blue].map((part) => part.toString(16).padStart(2, "0")).join("");
            }
            case "view": {
                const top = element.scrollTop === 0;
                const end = element.scrollTop + element.clientHeight >= element.scrollHeight - 1;
                return { top, end, at: element.scrollTop, of: element.scrollHeight - element.clientHeight };
            }
            default:
                throw new Error(`nothing to read as ${kind}`);
        }
    }, name, what, ...rest);
}

// The open message box: its text, title, buttons and icon, and whether nothing lies over it.
function openMessageBox(page) {
    return page.evaluate(() => {
        const box = document.getElementById("MessageBox");
        if (!box?.open) {
            return null;
        }
        const visible = (id) => !document.getElementById(id).hidden;
        const icon = document.getElementById("MessageIcon").classList;
        const area = box.getBoundingClientRect();
        const hit = document.elementFromPoint(area.left + area.width / 2, area.top + area.height / 2);
        return {
            text: document.getElementById("MessageText").textContent,
            title: document.getElementById("MessageTitle").textContent,
            buttons: visible("MessageYes") && visible("MessageNo") ? "YesNo" : visible("MessageOk") ? "OK" : "other",
            icon: icon.contains("question") ? "question" : icon.contains("information") ? "information" : "none",
            onTop: hit !== null && box.contains(hit),
        };
    });
}

const answerButtons = { Yes: "MessageYes", No: "MessageNo", OK: "MessageOk" };

class Player {
    constructor(page) {
        this.page = page;
        this.answers = [];
        this.messages = [];
        this.unexpected = null;
    }

    // Lets the page finish what the last step started, and answers the message boxes that
    // come up meanwhile, one after the other.
    async settle() {
        for (;;) {
            await this.page.evaluate(() => new Promise((done) => setTimeout(done, 0)));
            const box = await openMessageBox(this.page);
            if (box === null) {
                return;
            }
            this.messages.push(box);
            let answer = this.answers.shift();
            if (answer === undefined) {
                this.unexpected ??= `message box ${JSON.stringify(box.text)} came up with no answer queued`;
            } else if ((answer === "OK") !== (box.buttons === "OK")) {
                this.unexpected ??= `the answer ${answer} was queued for message box ${JSON.stringify(box.text)}, which has no such button`;
                answer = undefined;
            }
            // Left open, the box would hold the run for ever: the harmless answer closes it.
            answer ??= box.buttons === "OK" ? "OK" : "No";
            await this.clickOn(answerButtons[answer]);
        }
    }

    async clickOn(name) {
        const point = await readPage(this.page, name, "point");
        if (point === null) {
            return `no part of ${name} can be reached by the mouse`;
        }
        await this.page.mouse.click(point.x, point.y);
        return null;
    }

    async press(written) {
        const { modifiers, key } = keyOf(written);
        for (const modifier of modifiers) {
            await this.page.keyboard.down(modifier);
        }
        await this.page.keyboard.press(key);
        for (const modifier of modifiers.reverse()) {
            await this.page.keyboard.up(modifier);
        }
    }

    async focused() {
        return this.page.evaluate(() => {
            const element = document.activeElement;
            if (element === null || element === document.body) {
                return "nothing";
            }
            return element.closest("#MessageBox") ? "a message box" : element.id;
        });
    }

    // Plays the steps in order; answers the first step that fails, with its line, or null.
    async play(steps) {
        for (const step of steps) {
            let failure = await this.run(step);
            await this.settle();
            failure ??= this.unexpected;
            if (failure !== null) {
                return `line ${step.line} (${step.step}): ${failure}`;
            }
        }
        return null;
    }

    async run({ step, arguments: [first, second, third, fourth, fifth] }) {
        const page = this.page;
        // The steps whose first argument is a control that must be there.
        const aboutNoControl = ["answer", "type", "paste", "press", "hover window", "expect messages", "expect message",
            "expect links", "expect link", "expect leads", "expect clipboard", "expect focus", "expect open",
            "expect closed"];
        if (!aboutNoControl.includes(step) && !(await readPage(page, first, "exists"))) {
            return `${first} is not there`;
        }
        switch (step) {
            case "answer":
                this.answers.push(first);
                return null;
            case "type":
                // Key by key, each with what it starts done, a message box included, as a user
                // answers the box before typing on.
                for (const character of first) {
                    await page.keyboard.type(character);
                    await this.settle();
                }
                return null;
            case "press":
                await this.press(first);
                return null;
            case "paste":
                await page.evaluate((text) => navigator.clipboard.writeText(text), first);
                await this.press("Shift+Insert");
                return null;
            case "focus":
                for (let presses = 0; (await this.focused()) !== first; ++presses) {
                    if (presses === TabStops) {
                        return `the Tab key does not reach ${first}`;
                    }
                    await this.press("Tab");
                    await this.settle();
                }
                return null;
            case "click":
                return this.clickOn(first);
            case "click at": {
                const point = await readPage(page, first, "character", second);
                if (point === null || !point.inView) {
                    return `position ${second} is not in view`;
                }
                await page.mouse.click(point.x, point.y);
                return null;
            }
            case "hover":
            case "hover window": {
                const point = await readPage(page, first ?? "Form1", step === "hover" ? "point" : "bare");
                if (point === null) {
                    return `no part of ${first ?? "the bare window"} can be reached by the mouse`;
                }
                await page.mouse.move(point.x, point.y);
                return null;
            }
            case "scroll": {
                const point = await readPage(page, first, "point");
                await page.mouse.move(point.x, point.y);
                await page.mouse.wheel({ deltaY: 1e6 });
                try {
                    await page.waitForFunction((id) => {
                        const box = document.getElementById(id);
                        return box.scrollTop + box.clientHeight >= box.scrollHeight - 1;
                    }, { timeout: 2000 }, first);
                } catch {
                    return "the mouse wheel does not take the view to the end";
                }
                return null;
            }
            case "expect text":
                return compare(await readPage(page, first, "value"), second, "the text");
            case "expect caret": {
                const { start, end } = await readPage(page, first, "selection");
                if (start !== end) {
                    return `the box has ${end - start} characters selected from ${start}`;
                }
                return compare(start, second, "the caret");
            }
            case "expect selection": {
                const { start, end } = await readPage(page, first, "selection");
                return compare(`${start} ${end - start}`, `${second} ${third}`, "the selection (start length)");
            }
            case "expect checked":
                return compare(await readPage(page, first, "checked"), second, "the value");
            case "expect focus":
                return compare(await this.focused(), first, "the focus");
            case "expect leads": {
                const leads = await page.evaluate(() => document.getElementById("Form1").dataset.leads);
                if (leads === undefined) {
                    return "the page does not say which box leads (data-leads on Form1)";
                }
                return compare(leads, first, "the leading box");
            }
            case "expect clipboard":
                return this.expectClipboard(first);
            case "expect clipboard of":
                return this.expectClipboard(await readPage(page, first, "value"));
            case "expect messages":
                return compare(this.messages.length, first, "message boxes");
            case "expect message": {
                const shown = this.messages[first - 1];
                if (shown === undefined) {
                    return `only ${this.messages.length} message boxes came up`;
                }
                const got = [shown.text, shown.title, shown.buttons, shown.icon];
                const failure = compare(JSON.stringify(got), JSON.stringify([second, third, fourth, fifth]), "the message box");
                return failure ?? (shown.onTop ? null : `message box ${first} came up under another element`);
            }
            case "expect links":
            case "expect link": {
                const links = await page.evaluate(() => window.openedLinks);
                if (step === "expect links") {
                    return compare(links.length, first, "links");
                }
                return first <= links.length ? compare(links[first - 1], second, "the link")
                    : `only ${links.length} links were opened`;
            }
            case "expect caption":
                return compare(await readPage(page, first, "caption"), second, "the caption");
            case "expect colour":
                return compare(await readPage(page, first, "colour"), second, "the text colour");
            case "expect open":
            case "expect closed":
                return this.expectWindow(first, step === "expect open");
            case "expect view": {
                const view = await readPage(page, first, "view");
                return view[second] ? null : `the view stands at ${view.at} of 0 to ${view.of}`;
            }
            case "expect decoded": {
                const { output, status } = runCli(["--reverse", "--matrix", "--key", second], await readPage(page, first, "value"));
                return status === 0 ? compare(output, third, "the decoded text")
                    : `the text is no Matrix text with the key ${second}`;
            }
            case "expect letters": {
                const text = await readPage(page, first, "value");
                return /^[a-z]+$/.test(text) ? null : `the text ${JSON.stringify(text)} is not all letters a to z`;
            }
            default:
                return `the step ${step} is unknown here`;
        }
    }

    // The page hands the clipboard its text in a task of its own: it may arrive a little after
    // the step.
    async expectClipboard(wanted) {
        const read = () => this.page.evaluate(() => navigator.clipboard.readText());
        try {
            await this.page.waitForFunction(async (text) => (await navigator.clipboard.readText()) === text,
                { timeout: 2000 }, wanted);
            return null;
        } catch {
            return compare(await read(), wanted, "the clipboard");
        }
    }

    // A window is open while it shows. A closed main window leaves the page's notice that the
    // program has ended in its place, which must be readable: nothing of the page over it.
    async expectWindow(name, wantedOpen) {
        const open = await readPage(this.page, name, "shown");
        if (open !== wantedOpen) {
            return `${name} is ${open ? "open" : "closed"}`;
        }
        if (name !== "Form1" || open) {
            return null;
        }
        const covered = await this.page.evaluate(() => {
            const notice = document.getElementById("Ended");
            if (notice === null || notice.closest("[hidden]")) {
                return "the page shows no notice that the program has ended";
            }
            for (const line of notice.children) {
                if (line.hidden) {
                    continue;
                }
                const area = line.getBoundingClientRect();
                const hit = document.elementFromPoint(area.left + area.width / 2, area.top + area.height / 2);
                if (hit === null || !notice.contains(hit)) {
                    return `the notice ${JSON.stringify(line.textContent.trim().slice(0, 40))} lies under ${hit?.id || "another element"}`;
                }
            }
            return null;
        });
        return covered;
    }
}

function compare(got, wanted, what) {
    return got === wanted ? null : `${what} is ${JSON.stringify(got)}, not ${JSON.stringify(wanted)}`;
}

let site;
let browser;

before(async () => {
    site = await serveSite();
    browser = await launchBrowser();
});

after(async () => {
    await browser?.close();
    site?.server.close();
});

const only = process.env.SCHNACKOMAT_SCENARIOS?.split(",");
const files = readdirSync(scenarioDirectory)
    .filter((name) => name.endsWith(".scenario"))
    .filter((name) => !only || only.includes(basename(name, ".scenario")))
    .sort();

for (const name of files) {
    test(basename(name, ".scenario"), async (context) => {
        const scenario = readScenario(join(scenarioDirectory, name));
        const page = await openPage(browser, site.url, { prepare: recordLinksAndKeepTheTab, viewport: { width: 1280, height: 900 } });
        // Every scenario starts with an empty clipboard, which the browser shares between pages.
        await page.evaluate(() => navigator.clipboard.writeText(""));
        const failure = await new Player(page).play(scenario.steps);
        await page.close();
        const pending = scenario.pending.page;
        if (pending === undefined) {
            assert.equal(failure, null);
        } else if (failure === null) {
            assert.fail(`passes on the page now, though pending ("${pending}"): remove its pending line`);
        } else {
            context.diagnostic(`pending: ${pending}; fails at ${failure}`);
        }
    });
}
