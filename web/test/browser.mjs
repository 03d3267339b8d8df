// What the browser test and the browser benchmark share: a static server for the built page,
// a headless browser with a fresh profile (Chromium, or Firefox with BROWSER=firefox), and a
// page opened and ready for input.
import { spawnSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, statSync } from "node:fs";
import { createServer } from "node:http";
import { tmpdir } from "node:os";
import { extname, join, normalize, resolve } from "node:path";
import puppeteer from "puppeteer-core";

export const repository = resolve(import.meta.dirname ?? new URL(".", import.meta.url).pathname, "../..");
export const siteDirectory = process.env.SCHNACKOMAT_SITE ?? join(repository, "build-web/site");
export const cliProgram = process.env.SCHNACKOMAT_CLI ?? join(repository, "build-cli/cli/schnackomat-cli");

const contentTypes = {
    ".html": "text/html; charset=utf-8",
    ".css": "text/css; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".wasm": "application/wasm",
    ".svg": "image/svg+xml",
    ".png": "image/png",
    ".webmanifest": "application/manifest+json",
};

// Serves the site's files on a free port of localhost, as any static server would, with
// `headers` added to every answer. Answers the server and the page's address; every request is
// counted by path.
export async function serveSite(directory = siteDirectory, headers = {}) {
    const requests = [];
    const server = createServer((request, response) => {
        const path = new URL(request.url, "http://localhost").pathname;
        requests.push(path);
        const file = normalize(join(directory, path === "/" ? "index.html" : path));
        if (!file.startsWith(directory)) {
            response.writeHead(403).end();
            return;
        }
        try {
            const body = readFileSync(file);
            response.writeHead(200, { ...headers, "Content-Type": contentTypes[extname(file)] ?? "application/octet-stream" });
            response.end(body);
        } catch {
            response.writeHead(404).end();
        }
    });
    await new Promise((done) => server.listen(0, "127.0.0.1", done));
    return { server, requests, url: `http://localhost:${server.address().port}/` };
}

// The browser the tests drive: "chromium" or "firefox".
export const browserName = process.env.BROWSER ?? "chromium";

export function launchBrowser() {
    return browserName === "firefox" ? launchFirefox() : launchChromium();
}

// Firefox is driven over WebDriver BiDi, which it speaks itself; puppeteer gives it a fresh
// profile of its own, with `preferences` set in it.
export function launchFirefox(preferences = {}) {
    return puppeteer.launch({
        browser: "firefox",
        protocol: "webDriverBiDi",
        executablePath: process.env.FIREFOX ?? "/usr/bin/firefox-esr",
        headless: true,
        extraPrefsFirefox: preferences,
    });
}

export async function launchChromium() {
    const profile = mkdtempSync(join(tmpdir(), "schnackomat-chromium-"));
    const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
        headless: true,
        args: [
            "--headless",
            "--no-sandbox",
            "--disable-gpu",
            "--no-first-run",
            "--disable-background-networking",
            "--disable-component-update",
            "--disable-sync",
            `--user-data-dir=${profile}`,
        ],
    });
    browser.on("disconnected", () => {
        try {
            rmSync(profile, { recursive: true, force: true, maxRetries: 5 });
        } catch {
            // Chromium may still be writing its profile as it goes; a stale folder in the
            // temporary directory is harmless.
        }
    });
    return browser;
}

// Opens the page with clipboard access granted, and waits until the program has started.
// `prepare` runs in the page before its own scripts; `viewport` sets the page's size. Firefox
// knows no clipboard permissions: it lets a page read what the page itself put on the clipboard.
export async function openPage(browser, url, { prepare, viewport } = {}) {
    if (browserName === "chromium") {
        const context = browser.defaultBrowserContext();
        await context.overridePermissions(new URL(url).origin, ["clipboard-read", "clipboard-write", "clipboard-sanitized-write"]);
    }
    const page = await browser.newPage();
    page.on("pageerror", (error) => console.error("page error:", error.message));
    if (viewport) {
        await page.setViewport(viewport);
    }
    if (prepare) {
        await page.evaluateOnNewDocument(prepare);
    }
    await page.goto(url);
    await page.waitForFunction(() => document.documentElement.dataset.state === "ready", { timeout: 10000 });
    await page.bringToFront();
    return page;
}

// What the command-line converter writes for `input` with `args`, and its exit status.
export function runCli(args, input) {
    const result = spawnSync(cliProgram, args, { input, encoding: "utf8" });
    if (result.error) {
        throw result.error;
    }
    return { output: result.stdout, status: result.status };
}

export function fileSize(name) {
    return statSync(join(siteDirectory, name)).size;
}
