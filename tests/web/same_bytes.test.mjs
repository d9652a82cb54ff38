// The page's engine writes what chromell-fade writes, byte for byte, and
// fails with the same status and message: a few hundred generated texts and
// settings, run through the module the page loads and through the program.

import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { after, before, test } from 'node:test';

import { fadeProgram, launchBrowser, openPage, runFade, serveSite } from './support.mjs';

// A small deterministic generator, so that a failure can be run again.
function generator(seed) {
    let state = seed >>> 0;
    const next = () => {
        state = (state + 0x6d2b79f5) >>> 0;
        let t = state;
        t = Math.imul(t ^ (t >>> 15), t | 1);
        t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
    return {
        below: (n) => Math.floor(next() * n),
        pick(list) {
            return list[this.below(list.length)];
        },
    };
}

const PIECES = [
    'a', 'Z', ' ', '  ', '\t', 'Hello', 'I <3 you', '<', '>', '&', '&amp;', '\\', '"',
    '\r\n', '\n', '\r', 'e\u0301', '\u00e9', 'o\u0308\u0304', '\u0915\u094d\u0937',
    '\u0924\u094d\u0930', '\u1780\u17d2\u179a', '\u{1f468}\u200d\u{1f469}\u200d\u{1f467}\u200d\u{1f466}',
    '\u{1f1e9}\u{1f1ea}', '\u{1f44d}\u{1f3fd}', '\u6f22\u5b57', '\u{1f600}', '\x1b[1m', '\x1b[0m',
    '\x1b]8;;x\x07', '\x1b', '+chr13+', '<b>', '\u200b', '\ufeff',
];
const COLOURS = [
    'FF0000', '#00ff00', '#00F', '#abc', 'red', 'Lime', 'BLUE', 'rebeccapurple', 'gold', '#000000',
    'ffffff', 'DarkSlateGray', ' teal ', '#123456', '0E0080',
];
const FORMATS = ['aim', 'html', 'bbcode', 'ansi', 'ansi256', 'minimessage'];

function text(random, length) {
    let s = '';
    while (s.length < length) {
        s += random.pick(PIECES);
    }
    return s;
}

function settings(random) {
    const count = 2 + random.below(15);
    const colours = Array.from({ length: count }, () => random.pick(COLOURS));
    const format = random.pick(FORMATS);
    const args = ['--colors', colours.join(','), '--format', format];
    if (random.below(3) === 0) {
        args.push('--blend', 'oklab');
    }
    if ((format === 'aim' || format === 'html') && random.below(3) === 0) {
        args.push('--wave');
    }
    if (random.below(4) === 0) {
        args.push('--per-line');
    }
    return args;
}

function cases() {
    const random = generator(20261207);
    const list = [];
    for (let k = 0; k < 300; ++k) {
        const length = random.pick([0, 1, 2, 3, 5, 12, 40, 200, 1000]);
        list.push([...settings(random), '--', text(random, length)]);
    }
    // Long texts: up to the messenger's limit and past it.
    for (const format of FORMATS) {
        list.push(['--format', format, '--', text(random, 32767).slice(0, 32767)]);
    }
    list.push(['--', 'x'.repeat(32768)]);
    list.push(['--format', 'ansi', '--per-line', '--', text(random, 40000)]);
    list.push(['-c', 'red,blue', '--', '\u{1f600}'.repeat(16384)]);
    // What the command line refuses, with its message.
    list.push(['--colors', 'red', '--', 'x']);
    list.push(['--colors', Array(17).fill('red').join(','), '--', 'x']);
    list.push(['--colors', 'red,notacolour', '--', 'x']);
    list.push(['--colors', 'red,,blue', '--', 'x']);
    list.push(['--format', 'bbcode', '--wave', '--', 'x']);
    list.push(['--format', 'rtf', '--', 'x']);
    list.push(['--blend', 'hsl', '--', 'x']);
    list.push(['--columns', '--per-line', '--', 'x']);
    list.push(['-wc', 'red,blue', 'two', 'words']);
    return list;
}

let server;
let browser;
let page;

before(async () => {
    server = await serveSite();
    browser = await launchBrowser();
    ({ page } = await openPage(browser, `${server.origin}/`));
});

after(async () => {
    await browser?.close();
    await server?.close();
});

test('every generated case gives the same status, output and message', async () => {
    const list = cases();
    const results = await page.evaluate(async (all) => {
        const { Chromell } = await import('./chromell.js');
        const engine = await Chromell.load();
        return all.map((args) => engine.run(args));
    }, list);
    assert.equal(results.length, list.length);
    let failures = 0;
    list.forEach((args, k) => {
        const expected = runFade(args);
        const shown = JSON.stringify(args).slice(0, 160);
        try {
            assert.deepEqual(results[k], expected, `case ${k}: ${shown}`);
        } catch (error) {
            if (++failures <= 5) {
                console.error(error.message.slice(0, 2000));
            }
        }
    });
    assert.equal(failures, 0, `${failures} of ${list.length} cases differ`);
    // The generator reaches every format and both outcomes.
    assert.ok(results.some((r) => r.status === 0) && results.some((r) => r.status === 2));
});

// Text that is not UTF-8 cannot come from the page's fields; the module still
// refuses it as the program does. The engine's refusal travels as a C++
// exception, which the module's own exception runtime must deliver.
test('bytes that are not UTF-8 fail with the program\'s message', async () => {
    const texts = ['\\xff', 'ab\\xc3', 'ok\\xed\\xa0\\x80'];
    for (const format of ['aim', 'html']) {
        for (const bytes of texts) {
            const shell = spawnSync('bash', ['-c', `"$0" --format ${format} -- "$(printf '${bytes}')"`,
                fadeProgram], { encoding: 'utf8' });
            const shown = await page.evaluate(async ({ format, bytes }) => {
                const { Chromell } = await import('./chromell.js');
                const engine = await Chromell.load();
                const raw = bytes.split('\\x').slice(1).map((h) => parseInt(h, 16));
                const head = new TextEncoder().encode(bytes.split('\\x')[0]);
                const args = ['--format', format, '--'].map((a) => new TextEncoder().encode(a));
                args.push(Uint8Array.from([...head, ...raw]));
                const size = args.reduce((n, a) => n + 4 + a.length, 0);
                let at = engine.exports.input(size);
                for (const a of args) {
                    new DataView(engine.exports.memory.buffer).setUint32(at, a.length, true);
                    new Uint8Array(engine.exports.memory.buffer, at + 4, a.length).set(a);
                    at += 4 + a.length;
                }
                const status = engine.exports.fade();
                return { status, output: engine.output(), error: engine.error() };
            }, { format, bytes });
            assert.deepEqual(shown, { status: shell.status, output: shell.stdout, error: shell.stderr },
                `${format} ${bytes}`);
            assert.match(shown.error, /not valid UTF-8/);
        }
    }
});
