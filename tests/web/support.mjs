// What the page's tests share: a static server for the built site on
// 127.0.0.1, Debian's Chromium driven by playwright-core, and the native
// chromell-fade of the same tree.
//
// Environment: CHROMELL_SITE (the built site folder), CHROMELL_FADE (the
// native program), CHROMELL_NODE_MODULES (where npm installed package.json's
// packages), CHROMELL_CHROMIUM (the browser; default /usr/bin/chromium).

import { spawnSync } from 'node:child_process';
import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import path from 'node:path';

const require = createRequire(path.join(process.env.CHROMELL_NODE_MODULES, 'index.js'));
export const { chromium } = require('playwright-core');
export const axePath = require.resolve('axe-core/axe.min.js');

export const site = process.env.CHROMELL_SITE;
export const fadeProgram = process.env.CHROMELL_FADE;

const TYPES = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.wasm': 'application/wasm',
    '.png': 'image/png',
};

// Serves the site folder; resolves to { origin, close(), served } where
// served lists every path asked for. `types` overrides content types by
// file extension (a host that does not know .wasm).
export async function serveSite(types = {}) {
    const served = [];
    const server = createServer(async (request, response) => {
        const url = new URL(request.url, 'http://localhost');
        served.push(url.pathname);
        const name = url.pathname === '/' ? 'index.html' : url.pathname.slice(1);
        const file = path.join(site, name);
        if (name.includes('..') || !TYPES[path.extname(file)]) {
            response.writeHead(404).end();
            return;
        }
        try {
            const body = await readFile(file);
            const type = types[path.extname(file)] ?? TYPES[path.extname(file)];
            response.writeHead(200, { 'content-type': type }).end(body);
        } catch {
            response.writeHead(404).end();
        }
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    return {
        origin: `http://127.0.0.1:${server.address().port}`,
        served,
        close: () => new Promise((resolve) => server.close(resolve)),
    };
}

export async function launchBrowser() {
    return chromium.launch({
        executablePath: process.env.CHROMELL_CHROMIUM || '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--font-render-hinting=none'],
    });
}

// Opens the page in a new context of the browser (or in the context given)
// and waits until it has handled its first state.
export async function openPage(browserOrContext, url, options = {}) {
    const context = browserOrContext.newContext
        ? await browserOrContext.newContext({ viewport: { width: 1280, height: 900 }, ...options })
        : browserOrContext;
    const page = await context.newPage();
    page.setDefaultTimeout(10000);
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    await page.goto(url);
    await page.waitForFunction(() => performance.getEntriesByName('chromell-ready').length > 0);
    return { context, page, errors };
}

// chromell-fade with these arguments: { status, output, error }.
export function runFade(args) {
    const result = spawnSync(fadeProgram, args, { encoding: 'utf8', maxBuffer: 1 << 26 });
    return { status: result.status, output: result.stdout, error: result.stderr };
}
