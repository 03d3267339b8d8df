// Takes the pictures of the page that the README and the AppStream metadata show: the page on a
// phone held upright (touch, device scale 3) and in a desktop browser, each with a sentence typed
// and the slang box ticked by the hand that screen has.
//
// Usage, after scripts/build-web and `npm ci` here: node web/test/screenshots.mjs [folder]
import { join, resolve } from "node:path";
import { launchChromium, openPage, repository, serveSite } from "./browser.mjs";

const folder = resolve(process.argv[2] ?? join(repository, "doc/screenshots"));
const sentence = "Ich mache heute eine Party. Das ist cool! Wir gehen morgen schwimmen, bist du dabei?";

const shots = [
    { file: "page-phone.png", viewport: { width: 390, height: 844, deviceScaleFactor: 3, hasTouch: true, isMobile: true } },
    { file: "page-desktop.png", viewport: { width: 1280, height: 800 } },
];

const site = await serveSite();
const browser = await launchChromium();
try {
    for (const { file, viewport } of shots) {
        const page = await openPage(browser, site.url, { viewport });
        await page.keyboard.type(sentence);
        const box = await (await page.$("#Check2Box")).boundingBox();
        const [x, y] = [box.x + box.width / 2, box.y + box.height / 2];
        if (viewport.hasTouch) {
            await page.touchscreen.tap(x, y);
        } else {
            await page.mouse.click(x, y);
        }
        // The caret blinks; the picture shows the page at rest.
        await page.$eval("#Text1", (text) => text.blur());
        await page.screenshot({ path: join(folder, file) });
        console.log(`${file}: ${viewport.width} × ${viewport.height} at scale ${viewport.deviceScaleFactor ?? 1}`);
        await page.close();
    }
} finally {
    await browser.close();
    site.server.close();
}
