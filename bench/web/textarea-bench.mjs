// What the browser alone costs for the page's two text boxes, with no program of this project on
// the page (bench/web/textareas holds two plain text areas sized as the page's): a key typed at
// the end of one box, and that key with a whole-text write of the other box, written in each of
// the ways a script can write a text area's whole text, and with CSS on the written box that
// changes nothing it shows. Each key press is timed as web-bench.mjs times it, from the keydown
// event's time stamp to the end of the typed box's input event, with the layout forced there.
//
// Usage: node bench/web/textarea-bench.mjs [--firefox] [SIZE_KIB ...]   (default 1 and 100)
// --firefox times firefox-esr (through WebDriver BiDi) instead of Chromium.
// Prints one line per case: case=NAME size=BYTES p50_ms=... p95_ms=... max_ms=... ok=yes|no,
// ok telling whether the written box shows the text written at the last key.
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { join } from "node:path";
import { launchChromium, repository, serveSite } from "../../web/test/browser.mjs";
import { germanCorpus, percentile, textOfSize } from "./figures.mjs";

const KiB = 1024;

// How each case writes the other box at a key (none: the key alone), and the style it gives it.
const Cases = [
    { name: "typed-key", write: "none" },
    { name: "typed-key+value", write: "value" },
    { name: "typed-key+textContent", write: "textContent" },
    { name: "typed-key+defaultValue", write: "defaultValue" },
    { name: "typed-key+replaceChildren", write: "replaceChildren" },
    { name: "typed-key+value,contain-strict", write: "value", style: "contain: strict" },
    { name: "typed-key+value,contain-layout-paint", write: "value", style: "contain: layout paint" },
    { name: "typed-key+value,content-visibility", write: "value", style: "content-visibility: auto" },
    { name: "value-write-alone", write: "value", alone: true },
];

async function measure(browser, url, text, { write, style, alone }, presses) {
    const page = await browser.newPage();
    await page.goto(url);
    await page.evaluate((content, how, css) => {
        const typed = document.getElementById("Typed");
        const written = document.getElementById("Written");
        if (css) {
            written.setAttribute("style", css);
        }
        typed.value = content;
        typed.focus();
        typed.setSelectionRange(content.length, content.length);
        window.samples = [];
        window.lastWritten = content;
        let pressed = 0;
        window.addEventListener("keydown", (event) => {
            pressed = event.timeStamp;
        }, { capture: true });
        const writeWhole = (value) => {
            if (how === "value") {
                written.value = value;
            } else if (how === "textContent") {
                written.textContent = value;
            } else if (how === "defaultValue") {
                written.defaultValue = value;
            } else if (how === "replaceChildren") {
                written.replaceChildren(document.createTextNode(value));
            }
            window.lastWritten = value;
        };
        window.writeWhole = writeWhole;
        if (how === "none") {
            written.value = content;
        } else {
            writeWhole(content);
        }
        typed.addEventListener("input", () => {
            if (how !== "none") {
                writeWhole(typed.value);
            }
            void document.documentElement.scrollHeight;
            void typed.scrollHeight;
            void written.scrollHeight;
            window.samples.push(performance.now() - pressed);
        });
    }, text, write, style ?? "");
    let samples;
    if (alone) {
        // The write alone, once a frame, nothing typed: the written text one letter longer each time.
        samples = await page.evaluate(async (count) => {
            const written = document.getElementById("Written");
            const times = [];
            let shown = written.value;
            for (let i = 0; i < count; ++i) {
                await new Promise((frame) => requestAnimationFrame(frame));
                shown += "enisratd "[i % 9];
                const start = performance.now();
                window.writeWhole(shown);
                void document.documentElement.scrollHeight;
                void written.scrollHeight;
                times.push(performance.now() - start);
            }
            return times;
        }, presses + 10);
    } else {
        for (let i = 0; i < presses + 10; ++i) {
            const letter = "enisratd "[i % 9];
            await page.keyboard.press(letter === " " && !firefox ? "Space" : letter);
        }
        samples = await page.evaluate(() => window.samples);
    }
    const shown = await page.evaluate(() => document.getElementById("Written").value === window.lastWritten);
    await page.close();
    return { samples: samples.slice(10), ok: shown };
}

const firefox = process.argv.includes("--firefox");
// puppeteer-core is installed for the browser tests, in web/test.
const puppeteer = createRequire(join(repository, "web/test/package.json"))("puppeteer-core");
const sizes = process.argv.slice(2).filter((argument) => argument !== "--firefox").map(Number);
const site = await serveSite(join(import.meta.dirname, "textareas"));
const browser = firefox
    ? await puppeteer.launch({ browser: "firefox", executablePath: process.env.FIREFOX ?? "/usr/bin/firefox-esr", headless: true })
    : await launchChromium();
try {
    console.log(`${await browser.version()}, headless; load ${readFileSync("/proc/loadavg", "utf8").split(" ").slice(0, 3).join(" ")}; ${new Date().toISOString()}`);
    const corpus = germanCorpus();
    for (const kib of sizes.length > 0 ? sizes : [1, 100]) {
        const text = textOfSize(corpus, kib * KiB);
        const presses = kib <= 10 ? 200 : 60;
        for (const c of Cases) {
            const { samples, ok } = await measure(browser, site.url, text, c, presses);
            console.log(`case=${c.name} size=${kib * KiB} p50_ms=${percentile(samples, 50).toFixed(2)} ` +
                `p95_ms=${percentile(samples, 95).toFixed(2)} max_ms=${Math.max(...samples).toFixed(2)} ok=${ok ? "yes" : "no"}`);
        }
    }
} finally {
    await browser.close();
    site.server.close();
}
