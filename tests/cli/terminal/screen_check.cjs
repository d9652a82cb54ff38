// Feeds real-world terminal output through chromell-fade's terminal formats
// and reads both on a headless terminal emulator: the screen must show what
// the plain input shows, and text written after the output is uncoloured.
// Usage: node screen_check.cjs CHROMELL_FADE NODE_MODULES_DIR
'use strict';
const { spawnSync } = require('node:child_process');
const path = require('node:path');

const [fade, modules] = process.argv.slice(2);
const { Terminal } = require(path.join(modules, '@xterm', 'headless'));

const ESC = '\x1b';
const cases = [
  { name: 'tput sgr0', text: `red${ESC}(B${ESC}[mplain` },
  { name: 'tput sc and rc', text: `abcdef${ESC}7ghi${ESC}8XY` },
  { name: 'full reset', text: `gone${ESC}cstays` },
  { name: 'line drawing', text: `${ESC}(0lqqk${ESC}(B ok` },
  { name: 'OSC 8 hyperlink', text: `see ${ESC}]8;;https://example.org/${ESC}\\link${ESC}]8;;${ESC}\\ here` },
  { name: 'DCS string', text: `x${ESC}Pzz;1\nmore${ESC}\\y` },
  { name: 'C1 CSI', text: 'a\u009b1mbold\u009b0m plain' },
  { name: 'progress line', text: '10%\r20%\r30% done' },
  { name: 'cut-off OSC', text: `ab${ESC}]0;tit`, cut: true },
  { name: 'cut-off CSI', text: `ab${ESC}[3`, cut: true },
];

function write(terminal, data) {
  return new Promise((resolve) => terminal.write(data, resolve));
}

function screen(terminal) {
  const buffer = terminal.buffer.active;
  const lines = [];
  for (let y = 0; y < terminal.rows; ++y) {
    lines.push(buffer.getLine(buffer.viewportY + y).translateToString(true));
  }
  return { lines: lines.join('\n').trimEnd(), x: buffer.cursorX, y: buffer.cursorY };
}

async function check(testCase, args) {
  const run = spawnSync(fade, args, { input: Buffer.from(testCase.text + '\n', 'utf8') });
  if (run.status !== 0) {
    return `chromell-fade ${args.join(' ')} exited ${run.status}: ${run.stderr}`;
  }
  const plain = new Terminal({ cols: 80, rows: 10, allowProposedApi: true });
  const faded = new Terminal({ cols: 80, rows: 10, allowProposedApi: true });
  await write(plain, Buffer.from(testCase.text + '\n', 'utf8'));
  await write(faded, run.stdout);
  const want = screen(plain);
  const got = screen(faded);
  if (got.lines !== want.lines) {
    return `the screen shows ${JSON.stringify(got.lines)}, not ${JSON.stringify(want.lines)}`;
  }
  if (!testCase.cut && (got.x !== want.x || got.y !== want.y)) {
    return `the cursor is at ${got.x},${got.y}, not ${want.x},${want.y}`;
  }
  await write(faded, 'Z');
  const buffer = faded.buffer.active;
  const cell = buffer.getLine(buffer.viewportY + buffer.cursorY).getCell(buffer.cursorX - 1);
  if (cell.getChars() !== 'Z' || !cell.isFgDefault() || !cell.isAttributeDefault()) {
    return 'text written afterwards is not plain';
  }
  return null;
}

(async () => {
  let failed = 0;
  let passed = 0;
  for (const testCase of cases) {
    for (const format of ['ansi', 'ansi256']) {
      for (const perLine of [false, true]) {
        const args = ['--format', format, ...(perLine ? ['--per-line'] : [])];
        const problem = await check(testCase, args);
        const label = `${testCase.name} (${args.join(' ')})`;
        if (problem) {
          ++failed;
          console.log(`FAIL ${label}: ${problem}`);
        } else {
          ++passed;
          console.log(`ok   ${label}`);
        }
      }
    }
  }
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed === 0 ? 0 : 1);
})();
