// The browser page in a headless browser (Chromium, or Firefox with BROWSER=firefox), driven
// like a user: keys, clicks and the pointer. What the page converts is compared with what the
// command-line converter gives for the same text and options.
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { after, before, describe, test } from "node:test";
import { browserName, launchBrowser, openPage, repository, runCli, serveSite, siteDirectory } from "./browser.mjs";

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

// A fresh page for every test, in a desktop browser's window: the program keeps nothing between
// page loads.
async function freshPage() {
    return openPage(browser, site.url, { viewport: { width: 1280, height: 800 } });
}

const value = (page, id) => page.$eval(`[id="${id}"]`, (element) => element.value);
const checked = (page, id) => page.$eval(`[id="${id}"]`, (element) => element.checked);
const shown = (page, id) => page.$eval(`[id="${id}"]`, (element) => !element.closest("[hidden]"));
const textColour = (page, id) => page.$eval(`[id="${id}"]`, (element) => getComputedStyle(element).color);

// Ticks or clears the option boxes as a user does, one click each where the value differs.
async function setOptions(page, options) {
    for (const [box, wanted] of Object.entries(options)) {
        if ((await checked(page, box)) !== wanted) {
            await page.click(`#${box}`);
        }
    }
}

// Clicks near the box's top left corner, which the help window never covers, and types.
async function typeInto(page, id, text) {
    await page.click(`#${id}`, { offset: { x: 4, y: 4 } });
    await page.keyboard.type(text);
}

// Clicks into the key box and selects its whole text, as a triple click does (puppeteer's click
// count does not reach Firefox over WebDriver BiDi: it sees one click).
async function selectKeyBox(page) {
    await page.click("#Text3");
    await page.$eval("#Text3", (box) => box.select());
}

// The ids of the elements whose accessible name, as the browser computes it, is `name`.
const namedElements = async (page, name) =>
    Promise.all((await page.$$(`aria/${name}`)).map((element) => element.evaluate((named) => named.id)));

// What a screen reader learns about the element: puppeteer reads the accessibility tree over
// Chromium's own protocol only.
const accessibilityTree = browserName === "chromium" ? false : "Firefox gives no accessibility tree over WebDriver BiDi";

// The open message box, or null when none opens within `wait` milliseconds.
async function messageBox(page, wait = 1000) {
    try {
        await page.waitForFunction(() => document.getElementById("MessageBox").open, { timeout: wait });
    } catch {
        return null;
    }
    return page.evaluate(() => ({
        title: document.getElementById("MessageTitle").textContent,
        text: document.getElementById("MessageText").textContent,
        buttons: ["MessageYes", "MessageNo", "MessageOk"]
            .map((id) => document.getElementById(id))
            .filter((button) => !button.hidden)
            .map((button) => button.textContent),
    }));
}

// Presses a button of the open message box and waits until that box has closed (the next one
// may open at once).
async function answer(page, button) {
    await page.evaluate(() => {
        window.messageBoxClosed = false;
        document.getElementById("MessageBox").addEventListener("close", () => {
            window.messageBoxClosed = true;
        }, { once: true });
    });
    await page.click(`#${button}`);
    await page.waitForFunction(() => window.messageBoxClosed);
}

const optionArgs = ({ Check1, Check2, Check3, Check4 }) => [
    ...(Check2 ? ["--slang"] : []),
    ...(Check1 ? ["--leet"] : []),
    ...(Check3 ? ["--leet-words"] : []),
    ...(Check4 ? ["--matrix"] : []),
];

const startUp = { Check1: true, Check2: false, Check3: true, Check4: false };

describe("typing into the input box converts like the command-line converter", () => {
    test("the page starts with the focus in the input box", async () => {
        const page = await freshPage();
        await page.keyboard.type("Das ist cool");
        assert.equal(await page.evaluate(() => document.activeElement.id), "Text1");
        assert.equal(await value(page, "Text1"), "Das ist cool");
        assert.equal(await value(page, "Text2"), runCli(optionArgs(startUp), "Das ist cool").output);
        await page.close();
    });

    const cases = [
        { name: "start-up options", options: startUp, text: "Hallo Leute, das ist cool. Gehen wir heute schwimmen?" },
        { name: "slang only", options: { Check1: false, Check2: true, Check3: false }, text: "Ich mache heute eine Party. Das ist cool!" },
        { name: "slang and both leet boxes", options: { Check1: true, Check2: true, Check3: true }, text: "Du bist ein Depp, ja klar. Nicht schwer!" },
        { name: "leet characters only", options: { Check1: true, Check2: false, Check3: false }, text: "Größer, Äpfel und Übermut\nzweite Zeile" },
        { name: "leet words only", options: { Check1: false, Check2: false, Check3: true }, text: "wir gehen laufen und essen" },
    ];
    for (const { name, options, text } of cases) {
        test(name, async () => {
            const page = await freshPage();
            await setOptions(page, options);
            await typeInto(page, "Text1", text);
            assert.equal(await value(page, "Text1"), text);
            assert.equal(await value(page, "Text2"), runCli(optionArgs(options), text).output);
            await page.close();
        });
    }
});

describe("typing into the output box converts back like the command-line converter", () => {
    const cases = [
        { name: "start-up options", options: startUp, text: "h4ll0 w3l7, d45 157 c001" },
        { name: "slang", options: { Check1: false, Check2: true, Check3: false }, text: "leet paaardy, jo kk noob" },
        { name: "everything but the Matrix", options: { Check1: true, Check2: true, Check3: true }, text: "1337 63h0rn, n8 w1ed44" },
    ];
    for (const { name, options, text } of cases) {
        test(name, async () => {
            const page = await freshPage();
            await setOptions(page, options);
            await typeInto(page, "Text2", text);
            assert.equal(await value(page, "Text1"), runCli(["--reverse", ...optionArgs(options)], text).output);
            // Converting back leaves the input box's own change rule idle: the output box keeps
            // exactly what was typed.
            assert.equal(await value(page, "Text2"), text);
            await page.close();
        });
    }
});

describe("the option boxes and their nesting", () => {
    const text = "Hallo Welt, das ist cool";
    const cases = [
        { name: "ticking the Matrix clears both leet boxes", start: startUp, click: "Check4", after: { Check1: false, Check2: false, Check3: false, Check4: true } },
        { name: "ticking 1337 clears the Matrix only", start: { Check1: false, Check2: true, Check3: false, Check4: true }, click: "Check1", after: { Check1: true, Check2: true, Check3: false, Check4: false } },
        { name: "ticking 1337-Wörters clears the Matrix", start: { Check1: false, Check2: false, Check3: false, Check4: true }, click: "Check3", after: { Check1: false, Check2: false, Check3: true, Check4: false } },
        { name: "slang combines with the Matrix", start: { Check1: false, Check2: false, Check3: false, Check4: true }, click: "Check2", after: { Check1: false, Check2: true, Check3: false, Check4: true } },
        { name: "clearing a box clears nothing else", start: startUp, click: "Check1", after: { Check1: false, Check2: false, Check3: true, Check4: false } },
    ];
    for (const { name, start, click, after: expected } of cases) {
        test(name, async () => {
            const page = await freshPage();
            await setOptions(page, start);
            await typeInto(page, "Text1", text);
            await page.click(`#${click}`);
            for (const [box, wanted] of Object.entries(expected)) {
                assert.equal(await checked(page, box), wanted, box);
            }
            // The click gave the focus back to the input box and converted it again.
            assert.equal(await page.evaluate(() => document.activeElement.id), "Text1");
            const output = await value(page, "Text2");
            if (expected.Check4) {
                const decoded = runCli(["--reverse", "--matrix", "--key", "qorvu"], output).output;
                const reference = runCli(["--reverse", "--matrix", "--key", "qorvu"],
                    runCli(optionArgs(expected).concat(["--key", "qorvu"]), text).output).output;
                assert.equal(decoded, reference);
            } else {
                assert.equal(output, runCli(optionArgs(expected), text).output);
            }
            await page.close();
        });
    }

    test("with the input box empty a click converts nothing and keeps the output box", async () => {
        const page = await freshPage();
        await typeInto(page, "Text2", "h4ll0");
        await page.$eval("#Text1", (box) => { box.value = ""; });
        const before = await value(page, "Text2");
        await page.click("#Check2");
        assert.equal(await value(page, "Text2"), before);
        assert.equal(await page.evaluate(() => document.activeElement.id), "Text1");
        await page.close();
    });
});

describe("the key box", () => {
    const cases = [
        { typed: "AbC d1", kept: "bd" },
        { typed: "äöüß?x", kept: "x" },
        { typed: "nowiknowall", kept: "nowiknowall" },
    ];
    for (const { typed, kept } of cases) {
        test(`typing ${JSON.stringify(typed)} keeps ${JSON.stringify(kept)}`, async () => {
            const page = await freshPage();
            await selectKeyBox(page);
            await page.keyboard.press("Backspace");
            assert.equal(await value(page, "Text3"), "");
            await page.keyboard.type(typed);
            assert.equal(await value(page, "Text3"), kept);
            await page.close();
        });
    }

    test("a wrong key gives random letters and the right key decodes again", async () => {
        const page = await freshPage();
        await setOptions(page, { Check4: true });
        const text = "geheime botschaft";
        await typeInto(page, "Text1", text);
        const coded = await value(page, "Text2");
        const decoded = runCli(["--reverse", "--matrix", "--key", "qorvu"], coded).output;
        await selectKeyBox(page);
        await page.keyboard.type("abc");
        const scrambled = await value(page, "Text1");
        assert.match(scrambled, /^[a-z]+$/);
        assert.equal(runCli(["--reverse", "--matrix", "--key", "abc"], coded).status, 3);
        await selectKeyBox(page);
        await page.keyboard.type("qorvu");
        assert.equal(await value(page, "Text1"), decoded);
        assert.equal(await value(page, "Text2"), coded);
        await page.close();
    });
});

describe("shortcut keys in the input box", () => {
    const cases = [
        { start: "hallo", keys: ["Control", "p"], result: "hallopaaardy " },
        { start: "hallo ", keys: ["Control", "d"], result: "hallo wuuuh " },
        { start: "ab cd", keys: ["Control", "z"], result: "ab cdzyoooooooom " },
        // Chromium keeps Ctrl+N, Ctrl+T and Ctrl+W; Alt takes their place.
        { start: "", keys: ["Alt", "n"], result: "weeeeeiß nich " },
        { start: "x ", keys: ["Alt", "w"], result: "x whäääy " },
        { start: "hallo welt", keys: ["Control", "Backspace"], result: "hallo" },
        { start: "hallo", keys: ["Control", "Backspace"], result: "" },
    ];
    for (const { start, keys, result } of cases) {
        test(`${keys.join("+")} on ${JSON.stringify(start)}`, async () => {
            const page = await freshPage();
            await typeInto(page, "Text1", start);
            await page.keyboard.down(keys[0]);
            await page.keyboard.press(keys[1]);
            await page.keyboard.up(keys[0]);
            assert.equal(await value(page, "Text1"), result);
            assert.equal(await value(page, "Text2"), runCli(optionArgs(startUp), result).output);
            const caret = await page.$eval("#Text1", (box) => [box.selectionStart, box.selectionEnd]);
            assert.deepEqual(caret, [result.length, result.length]);
            await page.close();
        });
    }
});

describe("the censor's message box", () => {
    const censor = {
        title: "Schnackomat V3.0",
        text: "Achtung! Verstoß gegen den 1337n355-Kodex!! Wort wurde zensiert!",
        buttons: ["OK"],
    };

    test("typing the word shows the box and the run goes on after OK", async () => {
        const page = await freshPage();
        await setOptions(page, { Check1: false, Check2: true, Check3: false });
        await typeInto(page, "Text1", "haha muhah");
        assert.equal(await messageBox(page, 200), null);
        await page.keyboard.type("a");
        assert.deepEqual(await messageBox(page), censor);
        await answer(page, "MessageOk");
        const options = { Check2: true };
        assert.equal(await value(page, "Text2"), runCli(optionArgs(options), "haha muhaha").output);
        assert.match(await value(page, "Text2"), /-\*-\*-\*/);
        assert.equal(await value(page, "Text1"), "haha muhaha");
        await page.close();
    });

    test("ticking the Matrix with slang and both leet boxes shows it three times", async () => {
        const page = await freshPage();
        await setOptions(page, { Check1: true, Check2: true, Check3: true });
        await typeInto(page, "Text1", "muhah");
        await page.keyboard.type("a");
        assert.deepEqual(await messageBox(page), censor);
        await answer(page, "MessageOk");
        await page.click("#Check4");
        let shownTimes = 0;
        for (let box = await messageBox(page); box !== null; box = await messageBox(page, 500)) {
            assert.deepEqual(box, censor);
            shownTimes += 1;
            await answer(page, "MessageOk");
        }
        assert.equal(shownTimes, 3);
        assert.equal(await checked(page, "Check4"), true);
        await page.close();
    });
});

describe("Ende and its questions", () => {
    const first = { title: "Beenden", text: "Sind Sie sicher?", buttons: ["Ja", "Nein"] };

    test("No to the first question keeps the window and its texts", async () => {
        const page = await freshPage();
        await typeInto(page, "Text1", "bleib da");
        const output = await value(page, "Text2");
        await page.click("#Command1");
        assert.deepEqual(await messageBox(page), first);
        await answer(page, "MessageNo");
        assert.equal(await messageBox(page, 300), null);
        assert.equal(await shown(page, "Form1"), true);
        assert.equal(await value(page, "Text1"), "bleib da");
        assert.equal(await value(page, "Text2"), output);
        await page.close();
    });

    test("Esc presses Ende, and Esc in the question answers No", async () => {
        const page = await freshPage();
        await page.keyboard.press("Escape");
        assert.deepEqual(await messageBox(page), first);
        await page.keyboard.press("Escape");
        assert.equal(await messageBox(page, 300), null);
        assert.equal(await shown(page, "Form1"), true);
        await page.close();
    });

    test("Yes, Yes and OK end the page", async () => {
        const page = await freshPage();
        await page.click("#Command1");
        await answer(page, "MessageYes");
        assert.equal((await messageBox(page)).title, "In echt jetzt?!");
        await answer(page, "MessageYes");
        assert.deepEqual(await messageBox(page), { title: "Whääy", text: "Wuuuuuh!", buttons: ["OK"] });
        const closed = new Promise((done) => page.once("close", () => done(true)));
        await page.click("#MessageOk");
        // A page the browser lets close goes away (Firefox lets a page it opened for WebDriver
        // close); any other shows that it has ended.
        const endedHere = (async () => {
            await page.waitForFunction(() => document.documentElement.dataset.state === "ended");
            return false;
        })();
        // Waiting fails at once when the page has gone before the wait began.
        const ended = await Promise.race([closed, endedHere.catch(async (error) => {
            await Promise.race([closed, new Promise((done) => setTimeout(done, 1000))]);
            if (!page.isClosed()) {
                throw error;
            }
            return true;
        })]);
        if (!ended) {
            assert.equal(await shown(page, "Form1"), false);
            assert.equal(await shown(page, "Ended"), true);
            await page.close();
        }
    });
});

describe("the clipboard", () => {
    test("holds the output after every forward run, not after a reverse one", async () => {
        const page = await freshPage();
        await typeInto(page, "Text1", "Das ist cool");
        const clip = () => page.evaluate(() => navigator.clipboard.readText());
        await page.waitForFunction(async () => (await navigator.clipboard.readText()) === document.getElementById("Text2").value);
        assert.equal(await clip(), runCli(optionArgs(startUp), "Das ist cool").output);
        await page.keyboard.type("!");
        await page.waitForFunction(async () => (await navigator.clipboard.readText()) === document.getElementById("Text2").value);
        const forward = await clip();
        await typeInto(page, "Text2", "x");
        await new Promise((done) => setTimeout(done, 100));
        assert.equal(await clip(), forward);
        await page.close();
    });
});

describe("the help window and the credit links", () => {
    test("? shows one help window, a click on it closes it, ? shows it again", async () => {
        const page = await freshPage();
        assert.equal(await shown(page, "Form2"), false);
        await page.click("#Command2");
        await page.click("#Command2");
        assert.equal(await shown(page, "Form2"), true);
        assert.equal(await page.$$eval("#Form2", (windows) => windows.length), 1);
        assert.equal(await page.$eval('[id="Form2.Label10"]', (label) => label.textContent), "ALT + N --> weeeiß nich");
        // The help window has the keyboard while it is open, and gives it back when it closes.
        assert.equal(await page.evaluate(() => document.activeElement.id), "Form2");
        await page.click('[id="Form2.Label2"]');
        assert.equal(await shown(page, "Form2"), false);
        assert.equal(await page.evaluate(() => document.activeElement.id), "Command2");
        await page.click("#Command2");
        assert.equal(await shown(page, "Form2"), true);
        // The main window stays usable while it is open.
        await typeInto(page, "Text1", "cool");
        assert.equal(await value(page, "Text2"), runCli(optionArgs(startUp), "cool").output);
        await page.close();
    });

    test("a link lights up under the pointer and goes dark over the bare window only", async () => {
        const page = await freshPage();
        const lit = "rgb(255, 255, 128)";
        const normal = "rgb(255, 192, 128)";
        await page.hover("#Label3");
        assert.equal(await textColour(page, "Label3"), lit);
        await page.hover("#Text2");
        assert.equal(await textColour(page, "Label3"), lit);
        const form = await page.$("#Form1");
        const box = await form.boundingBox();
        await page.mouse.move(box.x + 580, box.y + 3);
        assert.equal(await textColour(page, "Label3"), normal);
        await page.close();
    });
});

describe("long texts", () => {
    const line = "Das ist ein ziemlich langer Satz, und er kommt immer wieder.\n";
    const text = line.repeat(400);

    // Puts `pasted` into Text1 as a paste does: the box takes the whole text in one edit.
    async function paste(page, pasted) {
        await page.$eval("#Text1", (box, content) => {
            box.value = content;
            box.dispatchEvent(new InputEvent("input", { inputType: "insertFromPaste" }));
            box.setSelectionRange(content.length, content.length);
        }, pasted);
    }

    test("a long output is the output box's own text", async () => {
        const page = await freshPage();
        await paste(page, text);
        const output = runCli(optionArgs(startUp), text).output;
        assert.equal(await value(page, "Text2"), output);
        assert.equal(await page.$eval("#Text2", (box) => box.textLength), output.length);
        assert.deepEqual(await namedElements(page, "Ausgabe"), ["Text2"]);
        await page.close();
    });

    test("a screen reader gets the whole of a long output", { skip: accessibilityTree }, async () => {
        const page = await freshPage();
        await paste(page, text);
        const node = await page.accessibility.snapshot({ root: await page.$("#Text2") });
        assert.equal(node.name, "Ausgabe");
        assert.equal(node.value, runCli(optionArgs(startUp), text).output);
        await page.close();
    });

    test("selecting and replacing a part of a long output act on its whole text", async () => {
        const page = await freshPage();
        await paste(page, text);
        const output = runCli(optionArgs(startUp), text).output;
        // Tab moves the focus to the output box, whose focus rule selects all of it.
        await page.focus("#Text1");
        await page.keyboard.press("Tab");
        const selection = () => page.$eval("#Text2", (box) => [box.selectionStart, box.selectionEnd]);
        assert.deepEqual(await selection(), [0, output.length]);
        const middle = Math.floor(output.length / 2);
        await page.$eval("#Text2", (box, at) => {
            box.setRangeText("c00l", at, at + 10, "end");
            box.dispatchEvent(new InputEvent("input", { inputType: "insertReplacementText" }));
        }, middle);
        const edited = output.slice(0, middle) + "c00l" + output.slice(middle + 10);
        assert.equal(await value(page, "Text2"), edited);
        assert.deepEqual(await selection(), [middle + 4, middle + 4]);
        assert.equal(await value(page, "Text1"), runCli(["--reverse", ...optionArgs(startUp)], edited).output);
        await page.close();
    });

    test("typing on at the end of a long text leaves the newest output in the box and on the clipboard", async () => {
        const page = await freshPage();
        const long = "Der Hund hat heute keine Lust auf Fußball.\n".repeat(500);
        await paste(page, long);
        await page.focus("#Text1");
        await page.$eval("#Text1", (box) => box.setSelectionRange(box.value.length, box.value.length));
        await page.keyboard.type("Das ist cool");
        const output = runCli(optionArgs(startUp), long + "Das ist cool").output;
        assert.equal(await value(page, "Text2"), output);
        assert.equal(await page.$eval("#Text2", (box) => box.textLength), output.length);
        await page.waitForFunction(async () => (await navigator.clipboard.readText()) === document.getElementById("Text2").value);
        assert.equal(await page.evaluate(() => navigator.clipboard.readText()), output);
        await page.close();
    });
});

// The texts every binding shows, read from the rules' sources: a run of adjacent u"..."
// literals is one text.
const literal = /u"((?:[^"\\]|\\.)*)"/g;
const cxxText = (run) => [...run.matchAll(literal)]
    .map(([, body]) => body.replace(/\\(u[0-9a-fA-F]{4}|.)/g, (_, escape) =>
        escape.length === 5 ? String.fromCharCode(parseInt(escape.slice(1), 16)) : escape))
    .join("");
const literalRuns = (source) => (source.match(/(?:u"(?:[^"\\]|\\.)*"\s*)+/g) ?? []).map(cxxText);
const rulesSource = (name) => readFileSync(join(repository, "rules/include/schnackomat/rules", name), "utf8");

function controlTexts() {
    const texts = {};
    for (const [, control, body] of rulesSource("captions.h").matchAll(/case Control::(\w+):\s*return \{([\s\S]*?)\};/g)) {
        const [caption, name, description] = literalRuns(body);
        texts[control] = { caption, name, description };
    }
    return texts;
}

function helpLines() {
    const source = rulesSource("help_texts.h");
    const list = source.slice(source.indexOf("ShortcutCaptions{"));
    return [literalRuns(source.slice(source.indexOf("HelpText =")))[0], ...literalRuns(list.slice(0, list.indexOf("};")))];
}

const shortcutTexts = () => Object.fromEntries([...rulesSource("shortcuts.h").matchAll(/\{'([A-Z])', \d+, (u"[^"]*")\}/g)]
    .map(([, key, text]) => [key, cxxText(text)]));

describe("the texts come from the rules", () => {
    test("every control shows its caption and carries its accessible name", async () => {
        const page = await freshPage();
        const texts = controlTexts();
        assert.equal(Object.keys(texts).length, 16);
        assert.equal(await page.title(), texts.Form1.caption);
        assert.equal(await page.$eval("#Form1Caption", (caption) => caption.textContent), texts.Form1.caption);
        await page.click("#Command2");
        for (const [control, { caption, name }] of Object.entries(texts)) {
            if (control === "Form1") {
                continue;
            }
            const shownAs = caption.replaceAll("&&", "&");
            // An option box shows its caption beside its tick box, in the label around both.
            const face = control.startsWith("Check") ? `#${control}Box` : `[id="${control}"]`;
            if (shownAs !== "" && control !== "Form2") {
                assert.equal(await page.$eval(face, (element) => element.textContent), shownAs, control);
            }
            if (!["Label1", "Label2"].includes(control)) {
                assert.ok((await namedElements(page, name)).includes(control), `${control} is named ${name}`);
            }
        }
        await page.close();
    });

    test("every control carries its accessible description", { skip: accessibilityTree }, async () => {
        const page = await freshPage();
        await page.click("#Command2");
        for (const [control, { description }] of Object.entries(controlTexts())) {
            if (control === "Form1") {
                continue;
            }
            const node = await page.accessibility.snapshot({ root: await page.$(`[id="${control}"]`), interestingOnly: false });
            assert.equal(node.description, description, control);
        }
        await page.close();
    });

    test("the help window shows the help text and the shortcut list, and the notes quote the shortcuts", async () => {
        const page = await freshPage();
        const lines = helpLines();
        assert.equal(lines.length, 15);
        await page.click("#Command2");
        const shownLines = await page.$$eval("#Form2 > *", (labels) => labels.map((label) => [label.id, label.textContent]));
        // The three shortcuts Chromium keeps go with Alt on the page, and their lines name it.
        const onThePage = (line) => line.replace(/^STRG \+ ([NTW]) /, "ALT + $1 ");
        assert.deepEqual(shownLines, lines.map((line, i) => [`Form2.Label${i + 1}`, onThePage(line)]));
        assert.deepEqual(shownLines.filter(([, line]) => line.startsWith("ALT")).map(([, line]) => line.slice(0, 7)),
            ["ALT + W", "ALT + N", "ALT + T"]);
        const appended = shortcutTexts();
        const quoted = await page.$$eval("[data-shortcut]", (spans) => spans.map((span) => [span.dataset.shortcut, span.textContent]));
        assert.deepEqual(quoted, ["N", "T", "W"].map((key) => [key, appended[key].trimEnd()]));
        await page.close();
    });
});

describe("the page", () => {
    test("loads nothing from other hosts", async () => {
        const page = await browser.newPage();
        const hosts = new Set();
        page.on("request", (request) => hosts.add(new URL(request.url()).host));
        await page.goto(site.url);
        await page.waitForFunction(() => document.documentElement.dataset.state === "ready");
        assert.deepEqual([...hosts], [new URL(site.url).host]);
        await page.close();
    });

    test("every control carries its name as id", async () => {
        const page = await freshPage();
        const ids = ["Form1", "Text1", "Text2", "Text3", "Check1", "Check2", "Check3", "Check4", "Command1", "Command2",
            "Label1", "Label2", "Label3", "Label4", "Label5", "Form2"];
        const missing = await page.evaluate((names) => names.filter((id) => !document.getElementById(id)), ids);
        assert.deepEqual(missing, []);
        await page.close();
    });
});

describe("the README", () => {
    test("lists the built files of the page with their sizes", () => {
        const check = spawnSync(join(repository, "scripts/web-sizes"), ["--check"],
            { encoding: "utf8", env: { ...process.env, SCHNACKOMAT_SITE: siteDirectory } });
        assert.equal(check.status, 0, check.stderr);
    });
});
