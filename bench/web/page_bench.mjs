// Measures the page in headless Chromium: the gzip size of everything it
// loads, a fade of 32,767 characters in the page's module against the native
// chromell-fade on the same text, and the time from navigation to the first
// result on screen. Prints one line per figure; exits 1 if one is over its
// goal. Run by scripts/measure-web.sh, which sets the environment of
// tests/web/support.mjs.

import { spawnSync } from 'node:child_process';
import { gzipSync } from 'node:zlib';

import { fadeProgram, launchBrowser, serveSite } from '../../tests/web/support.mjs';

const RUNS = 25;
const GOAL_BYTES = 200 * 1024;
const GOAL_FADE_MS = 10;
const GOAL_FIRST_MS = 300;

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const text = 'The quick brown fox jumps over the lazy dog. '.repeat(800).slice(0, 32767);
let over = false;

function report(label, value, unit, goal) {
    const verdict = goal === undefined ? '' : value <= goal ? ` (goal <= ${goal})` : ` OVER the goal of ${goal}`;
    over ||= goal !== undefined && value > goal;
    console.log(`${label}: ${value.toFixed(unit === 'KiB' ? 1 : 2)} ${unit}${verdict}`);
}

const server = await serveSite();
const browser = await launchBrowser();
try {
    // Size: every response of a first visit, compressed as a server would.
    {
        const context = await browser.newContext();
        const page = await context.newPage();
        const bodies = new Map();
        page.on('response', (response) => {
            const url = new URL(response.url()).pathname;
            if (!bodies.has(url)) {
                bodies.set(url, response.body().then((body) =>
                    ({ url, raw: body.length, gzip: gzipSync(body, { level: 9 }).length })));
            }
        });
        await page.goto(`${server.origin}/`);
        await page.waitForFunction(() => performance.getEntriesByName('chromell-result').length > 0);
        await page.waitForLoadState('networkidle');
        const files = await Promise.all(bodies.values());
        for (const file of files) {
            console.log(`  ${file.url}: ${file.raw} bytes, ${file.gzip} gzipped`);
        }
        report('everything the page loads, gzip -9', files.reduce((n, f) => n + f.gzip, 0) / 1024,
            'KiB', GOAL_BYTES / 1024);
        await context.close();
    }

    // Navigation to the first frame that shows the result (cold cache).
    {
        const times = [];
        for (let k = 0; k < 7; ++k) {
            const context = await browser.newContext();
            await context.addInitScript(() => {
                const watch = () => {
                    const output = document.getElementById('output');
                    if (output && output.value !== '') {
                        window.firstFrame = performance.now();
                        return;
                    }
                    requestAnimationFrame(watch);
                };
                requestAnimationFrame(watch);
            });
            const page = await context.newPage();
            await page.goto(`${server.origin}/`);
            await page.waitForFunction(() => window.firstFrame !== undefined);
            times.push(await page.evaluate(() => window.firstFrame));
            await context.close();
        }
        report('navigation to the first frame with the result, median of 7', median(times), 'ms',
            GOAL_FIRST_MS);
    }

    // The fade alone, and the page's whole update as the user's input arrives.
    const context = await browser.newContext();
    const page = await context.newPage();
    await page.goto(`${server.origin}/`);
    await page.waitForFunction(() => performance.getEntriesByName('chromell-result').length > 0);
    const inPage = await page.evaluate(async ({ text, runs }) => {
        const { Chromell } = await import('./chromell.js');
        const engine = await Chromell.load();
        const time = (args) => {
            const times = [];
            for (let k = 0; k < runs + 3; ++k) {
                const start = performance.now();
                const result = engine.run(args);
                const end = performance.now();
                if (result.status !== 0) {
                    throw new Error(result.error);
                }
                if (k >= 3) {
                    times.push(end - start);
                }
            }
            return times.sort((a, b) => a - b)[Math.floor(times.length / 2)];
        };
        const field = document.getElementById('text');
        const updates = [];
        for (let k = 0; k < 7; ++k) {
            field.value = text.slice(0, text.length - (k % 2));
            const start = performance.now();
            field.dispatchEvent(new Event('input'));
            updates.push(performance.now() - start);
        }
        return {
            aim: time(['--', text]),
            html: time(['--format', 'html', '--', text]),
            oklab: time(['--blend', 'oklab', '--', text]),
            update: updates.sort((a, b) => a - b)[3],
        };
    }, { text, runs: RUNS });
    await context.close();

    const native = (args) => {
        const times = [];
        for (let k = 0; k < RUNS; ++k) {
            const start = process.hrtime.bigint();
            const result = spawnSync(fadeProgram, [...args, '--', text], { maxBuffer: 1 << 26 });
            times.push(Number(process.hrtime.bigint() - start) / 1e6);
            if (result.status !== 0) {
                throw new Error(result.stderr.toString());
            }
        }
        return median(times);
    };
    for (const [label, args] of [['aim', []], ['html', ['--format', 'html']], ['oklab', ['--blend', 'oklab']]]) {
        const nativeMs = native(args);
        report(`fade of 32,767 characters in the page, ${label}, median of ${RUNS}`, inPage[label], 'ms',
            GOAL_FADE_MS);
        console.log(`  native chromell-fade, the whole process: ${nativeMs.toFixed(2)} ms; ` +
            `page / native ${(inPage[label] / nativeMs).toFixed(2)}`);
    }
    report('the page\'s whole update for that text (fade, counts, markup box, preview), median of 7',
        inPage.update, 'ms');
} finally {
    await browser.close();
    await server.close();
}
process.exit(over ? 1 : 0);
