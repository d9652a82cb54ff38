// The page as a person meets it: typing, the copy button, a link that keeps
// the settings, a colour that is not one, the keyboard; and nothing it does
// sends a request anywhere but to its own files.

import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { launchBrowser, openPage, runFade, serveSite } from './support.mjs';

const SITE_FILES = ['/', '/style.css', '/app.js', '/chromell.js', '/canvas.js', '/fragment.js',
    '/chromell.wasm', '/icon.png'];

let server;
let browser;
let page;
let context;
const requests = [];

before(async () => {
    server = await serveSite();
    browser = await launchBrowser();
    context = await browser.newContext({ viewport: { width: 1280, height: 900 } });
    context.on('request', (request) => requests.push(request.url()));
    await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: server.origin });
    ({ page } = await openPage(context, `${server.origin}/`));
});

after(async () => {
    await browser?.close();
    await server?.close();
});

function expectedMarkup(args) {
    const result = runFade(args);
    assert.equal(result.status, 0, result.error);
    return result.output.slice(0, -1);
}

test('typing updates the markup and the counts at once', async () => {
    const before = await page.inputValue('#output');
    assert.equal(before, expectedMarkup(['--', 'Chromell fades your text']));
    await page.fill('#text', '');
    await page.locator('#text').pressSequentially('I <3 e\u0301');
    assert.equal(await page.inputValue('#output'), expectedMarkup(['--', 'I <3 e\u0301']));
    const counts = await page.textContent('#counts');
    assert.match(counts, /Characters: 6 /);
    assert.match(counts, /UTF-16 units: 7 of the messenger's 32,767/);
});

test('the copy button puts the markup on the clipboard', async () => {
    await page.click('#copy');
    await page.waitForFunction(() => document.getElementById('copy-status').textContent !== '');
    const copied = await page.evaluate(() => navigator.clipboard.readText());
    assert.equal(copied, await page.inputValue('#output'));
});

test('a link with a fragment restores the text and every setting', async () => {
    const text = 'line one\nline two \u{1f468}\u200d\u{1f469}\u200d\u{1f467}';
    const fragment = new URLSearchParams({
        text, colors: 'gold,#123,DarkSlateGray,ff00ff', format: 'html', blend: 'oklab', wave: '1',
        'per-line': '1',
    });
    const { page: linked, context: other } = await openPage(browser, `${server.origin}/#${fragment}`);
    assert.equal(await linked.inputValue('#text'), text);
    assert.deepEqual(await linked.$$eval('#stops .value', (fields) => fields.map((f) => f.value)),
        ['gold', '#123', 'DarkSlateGray', 'ff00ff']);
    assert.equal(await linked.inputValue('#format'), 'html');
    assert.equal(await linked.inputValue('#blend'), 'oklab');
    assert.ok(await linked.isChecked('#wave'));
    assert.ok(await linked.isChecked('#per-line'));
    assert.equal(await linked.inputValue('#output'), expectedMarkup(['--colors',
        'gold,#123,DarkSlateGray,ff00ff', '--format', 'html', '--blend', 'oklab', '--wave',
        '--per-line', '--', text]));
    // What the user changes goes into the address, so the link can be shared.
    await linked.selectOption('#format', 'bbcode');
    await linked.waitForFunction(() => /format=bbcode/.test(location.hash));
    await other.close();
});

test('a colour that is not one is named next to its field and the last result stays', async () => {
    const good = await page.inputValue('#output');
    const field = page.locator('#stops .stop').nth(1).locator('.value');
    await field.fill('greem');
    const error = page.locator('#stops .stop').nth(1).locator('.error');
    assert.equal(await error.textContent(),
        "'greem' is not a colour; use RRGGBB, #RRGGBB, #RGB or a CSS name");
    assert.equal(await field.getAttribute('aria-invalid'), 'true');
    assert.equal(await page.inputValue('#output'), good);
    await field.fill('green');
    assert.equal(await error.textContent(), '');
    assert.notEqual(await page.inputValue('#output'), good);
});

test('a setting the program refuses shows its message until the user changes it', async () => {
    await page.fill('#text', 'abc');
    await page.check('#wave');
    const good = await page.inputValue('#output');
    await page.selectOption('#format', 'bbcode');
    const colours = await page.$$eval('#stops .value', (fields) => fields.map((f) => f.value).join(','));
    const refused = runFade(['--colors', colours, '--format', 'bbcode', '--wave', '--', 'abc']);
    assert.equal(refused.status, 2);
    assert.equal(await page.textContent('#fade-error'), refused.error.trim());
    assert.equal(await page.inputValue('#output'), good);
    await page.uncheck('#wave');
    assert.equal(await page.textContent('#fade-error'), '');
    assert.equal(await page.inputValue('#output'),
        expectedMarkup(['--colors', colours, '--format', 'bbcode', '--', 'abc']));
    await page.selectOption('#format', 'aim');
});

test('stops are added, moved and removed from the keyboard', async () => {
    await page.fill('#text', 'abcdef');
    const values = () => page.$$eval('#stops .value', (fields) => fields.map((f) => f.value));
    const start = await values();
    await page.focus('#add-stop');
    await page.keyboard.press('Enter');
    assert.equal((await values()).length, start.length + 1);
    // Focus stays on a control of the new stop: type its colour.
    await page.keyboard.press('Control+A');
    await page.keyboard.type('white');
    await page.getByRole('button', { name: 'Move colour 4 up' }).focus();
    await page.keyboard.press('Enter');
    assert.deepEqual(await values(), [start[0], start[1], 'white', start[2]]);
    // The moved stop's button keeps the focus, so it can move on.
    await page.keyboard.press('Enter');
    assert.deepEqual(await values(), [start[0], 'white', start[1], start[2]]);
    await page.getByRole('button', { name: 'Remove colour 2' }).focus();
    await page.keyboard.press('Space');
    assert.deepEqual(await values(), start);
    // The bars move with the arrow keys and write the colour into its field.
    const red = page.getByRole('slider', { name: 'Colour 1: red' });
    await red.focus();
    await page.keyboard.press('ArrowLeft');
    assert.equal((await values())[0], '#FE0000');
    assert.equal(await page.inputValue('#output'),
        expectedMarkup(['--colors', ['#FE0000', ...start.slice(1)].join(','), '--', 'abcdef']));
});

test('the counts warn before the messenger\'s limit and the fade fails past it, as the program does', async () => {
    // The default colours and options.
    await page.evaluate(() => {
        location.hash = '#text=ok';
    });
    await page.waitForFunction(() => document.getElementById('text').value === 'ok');
    const good = await page.inputValue('#output');
    await page.fill('#text', 'x'.repeat(30000));
    assert.equal(await page.textContent('#counts .near'), '2,767 left before the limit');
    const longer = 'x'.repeat(32768);
    await page.fill('#text', longer);
    assert.equal(await page.textContent('#counts .over'), '1 over the messenger\'s limit');
    assert.equal(await page.textContent('#fade-error'), runFade(['--', longer]).error.trim());
    assert.equal((await page.inputValue('#output')).length, 30000 * 21);
    // Other formats take any length; the preview, which draws the messenger's
    // markup, says why it is empty.
    await page.selectOption('#format', 'bbcode');
    assert.ok(await page.inputValue('#output') === expectedMarkup(['--format', 'bbcode', '--', longer]),
        'the bbcode markup of the long text differs from the program\'s');
    assert.match(await page.textContent('#preview-note'), /No preview/);
    await page.selectOption('#format', 'aim');
    await page.fill('#text', 'ok');
    assert.equal(await page.inputValue('#output'), good);
});

test('a host that serves the module without its content type still serves the page', async () => {
    const plain = await serveSite({ '.wasm': 'application/octet-stream' });
    try {
        const { page: served, context: other, errors } = await openPage(browser, `${plain.origin}/#text=abc`);
        assert.equal(await served.inputValue('#output'), expectedMarkup(['--', 'abc']));
        assert.deepEqual(errors, []);
        await other.close();
    } finally {
        await plain.close();
    }
});

test('the page asks for nothing but its own files', async () => {
    const origin = server.origin;
    for (const url of requests) {
        const parsed = new URL(url);
        assert.equal(parsed.origin, origin, url);
        assert.ok(SITE_FILES.includes(parsed.pathname), url);
    }
    assert.ok(requests.some((url) => url.endsWith('/chromell.wasm')));
    assert.ok(server.served.every((name) => SITE_FILES.includes(name)), server.served.join(' '));
});
