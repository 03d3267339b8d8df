// The page installed and offline: its manifest and icons, and its service worker, which keeps
// the page's files so that the page opens and converts without its server and takes the files of
// a new build once they are served. Each test serves a copy of the built site of its own, which
// it may change and stop.
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { cpSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, describe, test } from "node:test";
import { launchBrowser, openPage, repository, runCli, serveSite, siteDirectory } from "./browser.mjs";

let browser;
const copies = [];

before(async () => {
    browser = await launchBrowser();
});

after(async () => {
    await browser?.close();
    for (const copy of copies) {
        copy.server.close();
        rmSync(copy.directory, { recursive: true, force: true });
    }
});

async function siteCopy(headers) {
    const directory = mkdtempSync(join(tmpdir(), "schnackomat-site-"));
    cpSync(siteDirectory, directory, { recursive: true });
    const copy = { directory, ...(await serveSite(directory, headers)) };
    copies.push(copy);
    return copy;
}

// Stops serving, and makes sure that nothing answers at the address any more.
async function stop(copy) {
    await new Promise((done) => {
        copy.server.close(done);
        copy.server.closeAllConnections();
    });
    await assert.rejects(fetch(copy.url));
}

// Writes the worker of the copied site again, as the build does after changing a file.
function rebuildWorker(copy) {
    const run = spawnSync("cmake", [`-DSITE=${copy.directory}`, `-DTEMPLATE=${join(repository, "web/service-worker.js")}`,
        "-P", join(repository, "web/site-version.cmake")], { encoding: "utf8" });
    assert.equal(run.status, 0, run.stderr);
}

// Waits until the service worker has stored the page's files and answers the page's requests.
const controlled = (page) => page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 15000 });

const ready = (page) => page.waitForFunction(() => document.documentElement.dataset.state === "ready", { timeout: 10000 });

const cacheNames = (page) => page.evaluate(() => caches.keys());

// Types a sentence into the input box and answers whether the output box holds its conversion.
async function converts(page) {
    const text = "Das ist cool";
    await page.click("#Text1", { offset: { x: 4, y: 4 } });
    await page.keyboard.type(text);
    const output = await page.$eval("#Text2", (box) => box.value);
    return output === runCli(["--leet", "--leet-words"], text).output;
}

describe("without its server", () => {
    test("the page opens and converts on a reload and in a fresh tab", async () => {
        const copy = await siteCopy();
        const page = await openPage(browser, copy.url);
        await controlled(page);
        await stop(copy);
        await page.reload();
        await ready(page);
        assert.equal(await converts(page), true);
        // The page by its own name too, with a query as a link may add.
        for (const address of [copy.url, `${copy.url}index.html?from=link`]) {
            const tab = await openPage(browser, address);
            assert.equal(await converts(tab), true, address);
            await tab.close();
        }
        await page.close();
    });

    test("the page stores its own files and nothing else", async () => {
        const copy = await siteCopy();
        const page = await openPage(browser, copy.url);
        await controlled(page);
        await converts(page);
        const stored = await page.evaluate(async () => {
            const names = await caches.keys();
            const cache = await caches.open(names[0]);
            return {
                caches: names.length,
                files: (await cache.keys()).map((request) => new URL(request.url).pathname.slice(1)).sort(),
                localStorage: localStorage.length,
                sessionStorage: sessionStorage.length,
                databases: (await indexedDB.databases()).length,
                cookies: document.cookie,
            };
        });
        const siteFiles = readdirSync(copy.directory).filter((name) => name !== "service-worker.js").sort();
        assert.deepEqual(stored, { caches: 1, files: siteFiles, localStorage: 0, sessionStorage: 0, databases: 0, cookies: "" });
        await page.close();
    });

    test("a new build is taken once served, and then opens without the server", async () => {
        // A server that lets the browser keep every file for a day, as many do.
        const copy = await siteCopy({ "Cache-Control": "max-age=86400" });
        const page = await openPage(browser, copy.url);
        await controlled(page);
        const [first] = await cacheNames(page);
        const html = join(copy.directory, "index.html");
        writeFileSync(html, readFileSync(html, "utf8").replace('<main id="Desktop">', '<main id="Desktop" data-build="next">'));
        rebuildWorker(copy);
        // Opening the page again makes the browser look for a new worker; the new one takes over
        // and throws the old files away.
        await page.reload();
        await ready(page);
        await page.waitForFunction(async (old) => {
            const names = await caches.keys();
            return names.length === 1 && names[0] !== old;
        }, { timeout: 15000 }, first);
        await stop(copy);
        await page.reload();
        await ready(page);
        assert.equal(await page.$eval("#Desktop", (desktop) => desktop.dataset.build), "next");
        assert.equal(await converts(page), true);
        await page.close();
    });

    test("an unchanged build keeps its version", async () => {
        const copy = await siteCopy();
        const worker = () => readFileSync(join(copy.directory, "service-worker.js"), "utf8");
        const built = worker();
        rebuildWorker(copy);
        assert.equal(worker(), built);
        writeFileSync(join(copy.directory, "style.css"), readFileSync(join(copy.directory, "style.css"), "utf8") + "\n");
        rebuildWorker(copy);
        assert.notEqual(worker(), built);
    });
});

describe("installing the page", () => {
    test("the manifest names the page, its start, its window and its colour", async () => {
        const copy = await siteCopy();
        const page = await openPage(browser, copy.url);
        const found = await page.evaluate(async () => {
            const link = document.querySelector('link[rel="manifest"]');
            const response = await fetch(link.href);
            const manifest = await response.json();
            // A colour as the browser gives it back, to compare with the window's.
            const computed = (colour) => {
                const probe = document.createElement("div");
                probe.style.color = colour;
                document.body.append(probe);
                const result = getComputedStyle(probe).color;
                probe.remove();
                return result;
            };
            return {
                url: link.href,
                manifest,
                theme: computed(manifest.theme_color),
                metaTheme: computed(document.querySelector('meta[name="theme-color"]').content),
                window: getComputedStyle(document.getElementById("Form1")).backgroundColor,
                caption: document.getElementById("Form1Caption").textContent,
            };
        });
        const { manifest } = found;
        assert.ok(found.caption.startsWith(`${manifest.name} - `), manifest.name);
        assert.ok(manifest.name.startsWith(manifest.short_name) && manifest.short_name.length <= 12, manifest.short_name);
        assert.equal(new URL(manifest.start_url, found.url).href, copy.url);
        assert.equal(new URL(manifest.scope, found.url).href, copy.url);
        assert.equal(manifest.display, "standalone");
        // The installed page describes itself as the installed program does.
        const desktopEntry = readFileSync(join(repository, "data/example.schnackomat.Schnackomat.desktop"), "utf8");
        assert.equal(manifest.description, desktopEntry.match(/^Comment\[de\]=(.*)$/m)[1]);
        assert.equal(manifest.lang, "de");
        assert.equal(found.theme, found.window);
        assert.equal(found.metaTheme, found.window);
        await page.close();
    });

    test("every icon of the manifest loads at the size it declares", async () => {
        const copy = await siteCopy();
        const page = await openPage(browser, copy.url);
        const icons = await page.evaluate(async () => {
            const link = document.querySelector('link[rel="manifest"]');
            const manifest = await (await fetch(link.href)).json();
            return Promise.all(manifest.icons.map(async (icon) => {
                const address = new URL(icon.src, link.href).href;
                const response = await fetch(address);
                const picture = new Image();
                picture.src = address;
                await picture.decode();
                return { ...icon, served: response.headers.get("Content-Type"), width: picture.naturalWidth, height: picture.naturalHeight };
            }));
        });
        const declared = icons.map(({ type, sizes }) => `${type} ${sizes}`).sort();
        assert.deepEqual(declared, ["image/png 192x192", "image/png 512x512", "image/svg+xml any"]);
        for (const icon of icons) {
            assert.equal(icon.served, icon.type, icon.src);
            if (icon.sizes === "any") {
                assert.ok(icon.width > 0 && icon.height === icon.width, icon.src);
            } else {
                assert.equal(`${icon.width}x${icon.height}`, icon.sizes, icon.src);
            }
        }
        // The scalable one is the window's own icon.
        const source = readFileSync(join(repository, "ui/icons/schnackomat.svg"), "utf8");
        assert.ok(icons.some((icon) => icon.type === "image/svg+xml" &&
            readFileSync(join(copy.directory, icon.src), "utf8") === source));
        await page.close();
    });
});
