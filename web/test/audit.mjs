// The page audited by tools: axe-core's WCAG 2.0 and 2.1 rules of levels A and AA, in the browser
// under test, on the main window and on each of the windows that can lie above it; and
// Lighthouse's accessibility and best-practice audits, which drive Chromium only.
import assert from "node:assert/strict";
import { after, before, describe, test } from "node:test";
import { AxePuppeteer } from "@axe-core/puppeteer";
import lighthouse from "lighthouse";
import { browserName, launchBrowser, openPage, serveSite } from "./browser.mjs";

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

const wcag = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa"];

const messageBoxOpen = (page) => page.waitForFunction(() => document.getElementById("MessageBox").open);

describe("axe finds no violation of WCAG 2 A and AA", () => {
    const cases = [
        // `checked`: rules that must have found something to check and found it right (a modal
        // message box leaves only itself to check).
        { name: "the main window", open: async () => {}, checked: ["label", "button-name", "aria-command-name", "color-contrast"] },
        { name: "the help window open", open: (page) => page.click("#Command2"), checked: ["label", "button-name", "color-contrast"] },
        {
            name: "the exit question open",
            checked: ["button-name", "aria-valid-attr-value", "color-contrast"],
            open: async (page) => {
                await page.click("#Command1");
                await messageBoxOpen(page);
            },
        },
        {
            name: "the censor's message open",
            checked: ["button-name", "color-contrast"],
            open: async (page) => {
                await page.click("#Check2");
                await page.click("#Text1", { offset: { x: 4, y: 4 } });
                await page.keyboard.type("muhaha");
                await messageBoxOpen(page);
            },
        },
        {
            name: "the page after the end",
            checked: ["document-title", "html-has-lang", "color-contrast"],
            open: async (page) => {
                await page.evaluate(() => {
                    window.close = () => {};
                });
                for (const button of ["Command1", "MessageYes", "MessageYes", "MessageOk"]) {
                    await page.click(`#${button}`);
                    if (button !== "MessageOk") {
                        await messageBoxOpen(page);
                    }
                }
                await page.waitForFunction(() => document.documentElement.dataset.state === "ended");
            },
        },
    ];
    for (const { name, open, checked } of cases) {
        test(name, async () => {
            const page = await openPage(browser, site.url);
            await open(page);
            const result = await new AxePuppeteer(page).withTags(wcag).analyze();
            const violations = result.violations.map(({ id, nodes }) => `${id}: ${nodes.map((node) => node.target.join(" ")).join(", ")}`);
            assert.deepEqual(violations, []);
            const passed = result.passes.map(({ id }) => id);
            assert.deepEqual(checked.filter((rule) => !passed.includes(rule)), []);
            await page.close();
        });
    }
});

// The one audit the window's drawing fails on purpose: the window's tab order (Text1, Text2,
// Ende, the option boxes, ?, the key box, 1337-Wörters) is not the order in which it reads, which
// the page's layout for screens follows, so the page keeps it with tab indexes above 0. The test
// checks that these are the main window's controls, and nothing else.
const waived = ["tabindex"];

describe("Lighthouse", () => {
    test("scores accessibility and best practices 100", { skip: browserName !== "chromium" && "Lighthouse drives Chromium only" }, async (t) => {
        const port = Number(new URL(browser.wsEndpoint()).port);
        const { lhr } = await lighthouse(site.url, {
            port,
            output: "json",
            logLevel: "error",
            onlyCategories: ["accessibility", "best-practices"],
            skipAudits: waived,
        });
        assert.equal(lhr.runtimeError, undefined);
        assert.deepEqual(lhr.runWarnings, []);
        const categories = Object.values(lhr.categories);
        t.diagnostic(`Lighthouse ${lhr.lighthouseVersion}: ${categories.map(({ title, score }) => `${title} ${Math.round(score * 100)}`).join(", ")}`);
        const failing = categories
            .flatMap(({ auditRefs }) => auditRefs.map(({ id }) => lhr.audits[id]))
            .filter((audit) => audit.score !== null && audit.score < 1 && !["informative", "manual", "notApplicable"].includes(audit.scoreDisplayMode))
            .map((audit) => audit.id);
        assert.deepEqual(failing, []);
        assert.deepEqual(categories.map(({ score }) => score), [1, 1]);
    });

    test("the tab indexes it is not asked about are the main window's controls in its tab order", async () => {
        const page = await openPage(browser, site.url);
        const indexed = await page.evaluate(() => [...document.querySelectorAll("[tabindex]")]
            .filter((element) => element.tabIndex > 0)
            .sort((first, second) => first.tabIndex - second.tabIndex)
            .map((element) => element.id));
        assert.deepEqual(indexed, ["Text1", "Text2", "Command1", "Check1", "Check2", "Check4", "Command2", "Text3", "Check3"]);
        await page.close();
    });
});
