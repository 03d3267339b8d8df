// The browser page in headless Chromium: how long a key press takes until its output is in the
// output box, for German text of a given size, and how long the page takes to become usable.
//
// A key press is timed from the keydown event's time stamp to the end of the input event that
// the box raises for it, after the conversion has written the output box; "laid out" also
// includes the layout of the changed boxes, forced at once; "clipboard" ends when the page hands
// the output to the browser's clipboard, which it does in a task of its own after the key.
import { readdirSync, lstatSync, readFileSync } from "node:fs";
import { join } from "node:path";
import { fileSize, launchChromium, openPage, serveSite } from "../../web/test/browser.mjs";

const FortunesDirectory = "/usr/share/games/fortunes/de";

// Debian's fortunes-de, every file once in name order (no indexes, no links), or generated
// text when it is not installed.
function germanCorpus() {
    try {
        const names = readdirSync(FortunesDirectory).sort();
        const parts = names
            .filter((name) => !name.endsWith(".dat") && !lstatSync(join(FortunesDirectory, name)).isSymbolicLink())
            .map((name) => readFileSync(join(FortunesDirectory, name)));
        if (parts.length > 0) {
            return Buffer.concat(parts);
        }
    } catch {
        // fall through
    }
    console.error("fortunes-de not found, using generated text");
    const words = "Das ist cool und der Hund hat nicht mal Lust auf Fußball, aber die Größe ändert sich öfter. Warum? Weil wir es können!".split(" ");
    return Buffer.from(Array.from({ length: 300000 }, (_, i) => words[(i * 7919) % words.length] + (i % 12 === 11 ? "\n" : " ")).join(""));
}

// The first `bytes` bytes of the corpus as UTF-8 (repeated as needed), cut back to a whole
// character.
function textOfSize(corpus, bytes) {
    let data = corpus;
    while (data.length < bytes) {
        data = Buffer.concat([data, corpus]);
    }
    let end = bytes;
    while (end > 0 && (data[end] & 0xc0) === 0x80) {
        end -= 1;
    }
    return data.subarray(0, end).toString("utf8");
}

function percentile(values, p) {
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.min(sorted.length - 1, Math.ceil((p / 100) * sorted.length) - 1)];
}

// Puts `text` into a box as a paste would (the box's rule runs once), with the caret at the end
// and the focus in the box, and starts recording every key press.
async function prepare(page, box, text) {
    await page.focus(`#${box}`);
    await page.evaluate((id, content) => {
        const element = document.getElementById(id);
        element.value = content;
        element.dispatchEvent(new Event("input"));
        element.setSelectionRange(content.length, content.length);
        window.keySamples = [];
        window.clipboardSamples = [];
        let pressed = 0;
        let received = 0;
        if (navigator.clipboard) {
            const handOver = navigator.clipboard.writeText.bind(navigator.clipboard);
            navigator.clipboard.writeText = (text) => {
                if (pressed > 0) {
                    window.clipboardSamples.push(performance.now() - pressed);
                }
                return handOver(text);
            };
        }
        window.addEventListener("keydown", (event) => {
            pressed = event.timeStamp;
            received = performance.now();
        }, { capture: true });
        element.addEventListener("input", () => {
            const written = performance.now();
            void document.getElementById("Text1").scrollHeight;
            void document.getElementById("Text2").scrollHeight;
            window.keySamples.push([written - pressed, performance.now() - pressed, written - received]);
        });
    }, box, text);
}

// A text box like Text1, laid over it, that no program listens to: what the browser alone takes
// for the same key press.
async function addBareBox(page) {
    await page.evaluate(() => {
        const model = document.getElementById("Text1");
        const bare = document.createElement("textarea");
        bare.id = "BareBox";
        bare.spellcheck = false;
        const computed = getComputedStyle(model);
        for (const name of computed) {
            bare.style.setProperty(name, computed.getPropertyValue(name));
        }
        bare.style.zIndex = "5";
        model.parentElement.append(bare);
    });
}

async function measureKeys(browser, url, { box, options, text, presses, bare }) {
    const page = await openPage(browser, url);
    if (bare) {
        await addBareBox(page);
    }
    for (const [id, wanted] of Object.entries(options)) {
        if ((await page.$eval(`#${id}`, (element) => element.checked)) !== wanted) {
            await page.click(`#${id}`);
        }
    }
    await prepare(page, box, text);
    const letters = "enisratd ";
    const warmUp = 10;
    for (let i = 0; i < warmUp + presses; ++i) {
        await page.keyboard.press(letters[i % letters.length] === " " ? "Space" : letters[i % letters.length]);
    }
    const samples = (await page.evaluate(() => window.keySamples)).slice(warmUp);
    const clipboard = (await page.evaluate(() => window.clipboardSamples)).slice(warmUp);
    await page.close();
    const written = samples.map((sample) => sample[0]);
    const laidOut = samples.map((sample) => sample[1]);
    const inPage = samples.map((sample) => sample[2]);
    return {
        p50: percentile(written, 50),
        p95: percentile(written, 95),
        max: Math.max(...written),
        laidOutP95: percentile(laidOut, 95),
        inPageP50: percentile(inPage, 50),
        inPageP95: percentile(inPage, 95),
        clipboardP95: clipboard.length > 0 ? percentile(clipboard, 95) : null,
        count: samples.length,
    };
}

// From the start of navigation until the program has started (the first conversion is possible
// from then on), in a fresh browser context each time, so that nothing comes from a cache.
async function measureStart(browser, url, loads) {
    const ready = [];
    const firstOutput = [];
    for (let i = 0; i < loads; ++i) {
        const context = await browser.createBrowserContext();
        const page = await context.newPage();
        await page.goto(url);
        await page.waitForFunction(() => document.documentElement.dataset.state === "ready");
        ready.push(await page.evaluate(() => performance.getEntriesByName("schnackomat-ready")[0].startTime));
        await page.keyboard.type("a");
        await page.waitForFunction(() => document.getElementById("Text2").value !== "");
        firstOutput.push(await page.evaluate(() => performance.now()));
        await context.close();
    }
    return { ready, firstOutput };
}

const startUp = { Check1: true, Check2: false, Check3: true, Check4: false };
const slang = { Check1: true, Check2: true, Check3: true, Check4: false };
const KiB = 1024;

const site = await serveSite();
const browser = await launchChromium();
try {
    const corpus = germanCorpus();
    const cases = [
        { name: "forward, 1337 + 1337-Wörters", box: "Text1", options: startUp, size: 1 * KiB, presses: 200, limit: 2 },
        { name: "forward, 1337 + 1337-Wörters", box: "Text1", options: startUp, size: 100 * KiB, presses: 100, limit: 16 },
        { name: "forward, with slang", box: "Text1", options: slang, size: 1 * KiB, presses: 200, limit: 2 },
        { name: "forward, with slang", box: "Text1", options: slang, size: 100 * KiB, presses: 100, limit: 16 },
        { name: "reverse, typing into Text2", box: "Text2", options: startUp, size: 1 * KiB, presses: 200, limit: 2 },
        { name: "reverse, typing into Text2", box: "Text2", options: startUp, size: 100 * KiB, presses: 100, limit: 16 },
        { name: "forward, with slang", box: "Text1", options: slang, size: 1024 * KiB, presses: 30, limit: null },
        { name: "bare text box, no program", box: "BareBox", bare: true, options: {}, size: 1 * KiB, presses: 200, limit: null },
        { name: "bare text box, no program", box: "BareBox", bare: true, options: {}, size: 100 * KiB, presses: 100, limit: null },
    ];
    console.log(`Chromium ${await browser.version()}, headless; ${new Date().toISOString()}`);
    console.log("key press to output, ms (after one uncounted page and 10 warm-up presses): from the key event's time stamp until");
    console.log("the output box has the output; 'laid out' adds the layout of both boxes; 'in page' starts");
    console.log("when the page receives the key instead (no input routing); 'clipboard' ends when the output");
    console.log("is handed to the clipboard; 'bare text box' is a box over Text1 that no program listens to");
    console.log("case                              size |    p50    p95    max | laid out p95 | in page p50  p95 | clipboard p95 | limit | ok");
    // A fresh browser's first page pays for the browser's own start (its first text box, its
    // compilers warming up): one page typed into first, not counted, keeps that out of the cases.
    await measureKeys(browser, site.url, { ...cases[0], presses: 50, text: textOfSize(corpus, cases[0].size) });
    for (const c of cases) {
        const figures = await measureKeys(browser, site.url, { ...c, text: textOfSize(corpus, c.size) });
        const size = c.size >= 1024 * KiB ? `${c.size / 1024 / KiB} MiB` : `${c.size / KiB} KiB`;
        const ok = c.limit === null ? "-" : figures.p95 <= c.limit ? "yes" : "no";
        console.log(`${c.name.padEnd(30)} ${size.padStart(7)} | ${figures.p50.toFixed(2).padStart(6)} ${figures.p95.toFixed(2).padStart(6)} ${figures.max.toFixed(2).padStart(6)} | ${figures.laidOutP95.toFixed(2).padStart(12)} | ${figures.inPageP50.toFixed(2).padStart(11)} ${figures.inPageP95.toFixed(2).padStart(6)} | ${(figures.clipboardP95 === null ? "-" : figures.clipboardP95.toFixed(2)).padStart(13)} | ${c.limit === null ? "    -" : String(c.limit).padStart(5)} | ${ok}`);
    }
    const loads = 10;
    const start = await measureStart(browser, site.url, loads);
    console.log();
    console.log(`start-up, ms from navigation start (${loads} loads, fresh context each)`);
    console.log(`program started, first conversion possible: median ${percentile(start.ready, 50).toFixed(0)}, max ${Math.max(...start.ready).toFixed(0)} (limit 1000: ${Math.max(...start.ready) <= 1000 ? "yes" : "no"})`);
    console.log(`first key converted (test driver's key after start): median ${percentile(start.firstOutput, 50).toFixed(0)}, max ${Math.max(...start.firstOutput).toFixed(0)}`);
    console.log();
    const files = ["index.html", "style.css", "page.js", "schnackomat.js", "schnackomat.wasm", "schnackomat.svg"];
    const sizes = files.map((name) => [name, fileSize(name)]);
    console.log(`files: ${sizes.map(([name, bytes]) => `${name} ${bytes}`).join(", ")}; total ${sizes.reduce((sum, [, bytes]) => sum + bytes, 0)} bytes`);
} finally {
    await browser.close();
    site.server.close();
}
