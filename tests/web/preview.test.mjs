// The preview on the page's canvas: drawn by the engine's renderer through
// the canvas surface, in the colours the markup gives, a cluster at a time.

import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { launchBrowser, openPage, serveSite } from './support.mjs';

let server;
let browser;
let page;

before(async () => {
    server = await serveSite();
    browser = await launchBrowser();
    const context = await browser.newContext({ viewport: { width: 1280, height: 900 } });
    // Every text the page draws on a canvas since the canvas was last
    // cleared, with its position.
    await context.addInitScript(() => {
        window.drawnTexts = [];
        const prototype = CanvasRenderingContext2D.prototype;
        const { fillText, fillRect } = prototype;
        prototype.fillText = function (text, x, y, ...rest) {
            window.drawnTexts.push({ text, x, y });
            return fillText.call(this, text, x, y, ...rest);
        };
        prototype.fillRect = function (x, y, ...rest) {
            if (x === 0 && y === 0) {
                window.drawnTexts = [];
            }
            return fillRect.call(this, x, y, ...rest);
        };
    });
    ({ page } = await openPage(context, `${server.origin}/`));
});

after(async () => {
    await browser?.close();
    await server?.close();
});

async function show(fragment) {
    await page.evaluate((hash) => {
        window.drawnTexts = [];
        location.hash = hash;
    }, fragment);
    await page.waitForFunction(() => window.drawnTexts.length > 0);
}

// The colour at a point of the canvas, in CSS pixels, as [r, g, b].
function pixel(x, y) {
    return page.evaluate(([px, py]) => {
        const canvas = document.getElementById('preview');
        const ratio = canvas.width / canvas.clientWidth;
        const data = canvas.getContext('2d')
            .getImageData(Math.round(px * ratio), Math.round(py * ratio), 1, 1).data;
        return [data[0], data[1], data[2]];
    }, [x, y]);
}

function colours(markup) {
    return [...markup.matchAll(/<Font Color=#([0-9A-F]{6})>/g)].map((m) =>
        [0, 2, 4].map((k) => parseInt(m[1].slice(k, k + 2), 16)));
}

test('the first and last clusters are drawn in their colours, the last in the last stop', async () => {
    // Full blocks fill their cell: the middle of each is the fore colour itself.
    await show('#text=' + encodeURIComponent('\u2588'.repeat(12)) + '&colors=FF0000,0000FF');
    const markup = await page.inputValue('#output');
    const expected = colours(markup);
    assert.equal(expected.length, 12);
    assert.deepEqual(expected.at(-1), [0, 0, 255]);
    const width = await page.evaluate(() => {
        const context = document.createElement('canvas').getContext('2d');
        context.font = '10pt "Arial", sans-serif';
        return context.measureText('\u2588').width;
    });
    assert.deepEqual(await pixel(2 + width / 2, 8), expected[0]);
    assert.deepEqual(await pixel(2 + width * 11.5, 8), expected[11]);
    // Left of the first glyph, the box's white.
    assert.deepEqual(await pixel(0.5, 8), [255, 255, 255]);
});

test('a conjunct, an accented letter and an emoji family are each drawn in one call', async () => {
    const family = '\u{1f468}\u200d\u{1f469}\u200d\u{1f467}';
    await show('#text=' + encodeURIComponent(`\u0915\u094d\u0937e\u0301${family}`));
    const drawn = await page.evaluate(() => window.drawnTexts.map((entry) => entry.text));
    assert.deepEqual(drawn, ['\u0915\u094d\u0937', 'e\u0301', family]);
});

test('every line break of the text starts a line 16 pixels down, and the canvas grows to show it', async () => {
    await show('#text=' + encodeURIComponent('one\r\ntwo\rthree'));
    const height = await page.evaluate(() => document.getElementById('preview').clientHeight);
    assert.ok(height >= 2 * 16 + 13, `height ${height}`);
    const drawn = await page.evaluate(() => window.drawnTexts);
    // The LF after the CR is drawn at the start of the second line.
    assert.deepEqual(drawn.map((entry) => entry.text).join(''), 'one\ntwothree');
    const starts = drawn.filter((entry) => entry.x === 2);
    assert.deepEqual(starts.map((entry) => entry.text), ['o', '\n', 't']);
    const baseline = starts[0].y;
    assert.deepEqual(starts.map((entry) => entry.y - baseline), [0, 16, 32]);
});

test('the wave moves the characters a pixel up and down in its cycle', async () => {
    await show('#text=abcdef&wave=1');
    const drawn = await page.evaluate(() => window.drawnTexts);
    assert.deepEqual(drawn.map((entry) => entry.text).join(''), 'abcdef');
    const base = drawn[1].y;
    assert.deepEqual(drawn.map((entry) => entry.y - base), [-1, 0, 1, 0, -1, 0]);
});
