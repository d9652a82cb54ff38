// axe-core finds no violations on the page, in the light and the dark colour
// scheme, wide and narrow, with an error on show; and from 320 pixels wide
// nothing reaches past the screen's edge.

import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { after, before, test } from 'node:test';

import { axePath, launchBrowser, openPage, serveSite } from './support.mjs';

let server;
let browser;
let axeSource;

before(async () => {
    server = await serveSite();
    browser = await launchBrowser();
    axeSource = await readFile(axePath, 'utf8');
});

after(async () => {
    await browser?.close();
    await server?.close();
});

async function violations(page) {
    // Evaluated by the browser's debugging protocol: the page's content
    // security policy does not apply to it.
    await page.evaluate(axeSource);
    return page.evaluate(async () => {
        const result = await window.axe.run(document, { resultTypes: ['violations'] });
        return result.violations.map((v) =>
            `${v.id}: ${v.help} (${v.nodes.map((n) => n.target.join(' ')).join(', ')})`);
    });
}

for (const colorScheme of ['light', 'dark']) {
    for (const width of [1280, 360]) {
        test(`no violations in the ${colorScheme} scheme at ${width} pixels`, async () => {
            // A bad colour and the counts' warning on show, so that their
            // colours are checked too.
            const { page, context } = await openPage(browser,
                `${server.origin}/#colors=red,notacolour,blue&text=${'x'.repeat(30000)}`,
                { colorScheme, viewport: { width, height: 800 } });
            assert.equal(await page.locator('#stops .error:not(:empty)').count(), 1);
            assert.notEqual(await page.textContent('#counts .near'), '');
            assert.deepEqual(await violations(page), []);
            await context.close();
        });
    }
}

test('at 320 pixels wide the page needs no sideways scrolling', async () => {
    const { page, context } = await openPage(browser, `${server.origin}/#colors=red,notacolour,blue`,
        { viewport: { width: 320, height: 700 } });
    const widest = await page.evaluate(() => Math.max(...[...document.querySelectorAll('body *')]
        .map((element) => element.getBoundingClientRect().right)));
    assert.ok(widest <= 320, `an element reaches ${widest} pixels`);
    assert.equal(await page.evaluate(() => document.documentElement.scrollWidth), 320);
    await context.close();
});
