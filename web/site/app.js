// The page: colours, text and options in, markup, counts and preview out,
// updated as the user types. All the work is done by the engine in
// chromell.wasm, exactly as chromell-fade does it.

import { Chromell } from './chromell.js';
import { readFragment, writeFragment } from './fragment.js';

const MIN_STOPS = 2;
const MAX_STOPS = 16;
// The messenger takes at most this many UTF-16 units of text.
const LIMIT = 32767;
// From here on the counts warn that the limit is near.
const NEAR = Math.floor(LIMIT * 0.9);
const MAX_PREVIEW_HEIGHT = 400;

const $ = (id) => document.getElementById(id);
const number = new Intl.NumberFormat('en');

let engine;
let state;

function hex(rgb) {
    return rgb.map((v) => v.toString(16).padStart(2, '0')).join('').toUpperCase();
}

function stopRows() {
    return [...$('stops').children];
}

// --- the colour stops ---------------------------------------------------

function showStop(row, k) {
    const name = `Colour ${k + 1}`;
    row.querySelector('legend').textContent = name;
    row.querySelector('.picker').setAttribute('aria-label', `${name}: pick`);
    row.querySelector('.value').setAttribute('aria-label', `${name}: hex or name`);
    row.querySelector('.up').setAttribute('aria-label', `Move ${name.toLowerCase()} up`);
    row.querySelector('.down').setAttribute('aria-label', `Move ${name.toLowerCase()} down`);
    row.querySelector('.remove').setAttribute('aria-label', `Remove ${name.toLowerCase()}`);
    const channels = row.querySelectorAll('.channel');
    ['red', 'green', 'blue'].forEach((channel, c) =>
        channels[c].setAttribute('aria-label', `${name}: ${channel}`));
    row.querySelector('.up').disabled = k === 0;
    row.querySelector('.down').disabled = k === state.colors.length - 1;
    row.querySelector('.remove').disabled = state.colors.length <= MIN_STOPS;
}

// Shows the colour's value in the row's picker and bars, or the reason it is
// not a colour next to its field. Returns whether it is one.
function checkStop(row, k) {
    const field = row.querySelector('.value');
    const error = row.querySelector('.error');
    const parsed = engine.parseColor(state.colors[k].trim());
    if (parsed.error) {
        field.setAttribute('aria-invalid', 'true');
        error.id = `stop-error-${k}`;
        field.setAttribute('aria-describedby', error.id);
        error.textContent = parsed.error;
        return false;
    }
    field.removeAttribute('aria-invalid');
    field.removeAttribute('aria-describedby');
    error.textContent = '';
    row.querySelector('.picker').value = '#' + hex(parsed.rgb).toLowerCase();
    row.querySelectorAll('.channel').forEach((bar, c) => {
        bar.value = parsed.rgb[c];
    });
    return true;
}

function buildStops() {
    const list = $('stops');
    const template = $('stop-template');
    list.replaceChildren();
    state.colors.forEach((colour, k) => {
        const row = template.content.firstElementChild.cloneNode(true);
        row.querySelector('.value').value = colour;
        list.append(row);
        showStop(row, k);
    });
    $('add-stop').disabled = state.colors.length >= MAX_STOPS;
}

function stopIndex(element) {
    return stopRows().indexOf(element.closest('.stop'));
}

function setColour(k, text, row) {
    state.colors[k] = text;
    row.querySelector('.value').value = text;
}

function moveStop(k, to, focusClass) {
    const [colour] = state.colors.splice(k, 1);
    state.colors.splice(to, 0, colour);
    buildStops();
    update();
    const row = stopRows()[to];
    const button = row.querySelector(focusClass);
    (button.disabled ? row.querySelector('.value') : button).focus();
}

function wireStops() {
    const list = $('stops');
    list.addEventListener('input', (event) => {
        const target = event.target;
        const k = stopIndex(target);
        const row = stopRows()[k];
        if (target.classList.contains('value')) {
            state.colors[k] = target.value;
        } else if (target.classList.contains('picker')) {
            setColour(k, '#' + target.value.slice(1).toUpperCase(), row);
        } else if (target.classList.contains('channel')) {
            const rgb = [...row.querySelectorAll('.channel')].map((bar) => Number(bar.value));
            setColour(k, '#' + hex(rgb), row);
        }
        update();
    });
    list.addEventListener('click', (event) => {
        const button = event.target.closest('button');
        if (!button) {
            return;
        }
        const k = stopIndex(button);
        if (button.classList.contains('up')) {
            moveStop(k, k - 1, '.up');
        } else if (button.classList.contains('down')) {
            moveStop(k, k + 1, '.down');
        } else if (button.classList.contains('remove')) {
            state.colors.splice(k, 1);
            buildStops();
            update();
            stopRows()[Math.min(k, state.colors.length - 1)].querySelector('.value').focus();
        }
    });
    $('add-stop').addEventListener('click', () => {
        state.colors.push(state.colors[state.colors.length - 1]);
        buildStops();
        update();
        stopRows().at(-1).querySelector('.value').focus();
    });
}

// --- the fade -------------------------------------------------------------

function commandLine(format) {
    const args = ['--colors', state.colors.map((c) => c.trim()).join(','), '--format', format,
        '--blend', state.blend];
    if (state.wave) {
        args.push('--wave');
    }
    if (state.perLine) {
        args.push('--per-line');
    }
    args.push('--', state.text);
    return args;
}

// The program's output less the line feed it ends with.
function markupOf(result) {
    return result.output.endsWith('\n') ? result.output.slice(0, -1) : result.output;
}

function showCounts(markup) {
    const units = state.text.length;
    const counts = $('counts');
    const parts = [
        `Characters: ${number.format(engine.countCharacters(state.text))}`,
        `UTF-16 units: ${number.format(units)} of the messenger's ${number.format(LIMIT)}`,
        `Markup: ${number.format(markup.length)} characters`,
    ];
    counts.textContent = parts.join(' · ');
    if (units >= NEAR) {
        const warning = document.createElement('strong');
        warning.className = units > LIMIT ? 'over' : 'near';
        warning.textContent = units > LIMIT
            ? `${number.format(units - LIMIT)} over the messenger's limit`
            : `${number.format(LIMIT - units)} left before the limit`;
        counts.append(' · ', warning);
    }
}

// The preview canvas's size in CSS pixels: its width follows the layout (a
// ResizeObserver keeps it), its height the lines drawn.
const previewSize = { width: 0, height: 25 };

function drawPreview(markup) {
    const canvas = $('preview');
    const note = $('preview-note');
    const { width } = previewSize;
    if (markup === null) {
        setPreviewHeight(25);
        engine.renderPreview('', canvas, width, 25);
        note.textContent = `No preview: the messenger's markup holds at most ${number.format(LIMIT)} UTF-16 units.`;
        return;
    }
    note.textContent = 'As the messenger shows the aim markup.';
    const needed = engine.renderPreview(markup, canvas, width, previewSize.height);
    const height = Math.min(Math.max(needed, 25), MAX_PREVIEW_HEIGHT);
    if (height !== previewSize.height) {
        setPreviewHeight(height);
        engine.renderPreview(markup, canvas, width, height);
    }
}

function setPreviewHeight(height) {
    previewSize.height = height;
    $('preview').style.height = `${height}px`;
}

// The address keeps the state, written once the user pauses: a long text
// makes a long address, which takes the browser a while to store.
let fragmentTimer = 0;

function saveFragment() {
    clearTimeout(fragmentTimer);
    fragmentTimer = setTimeout(() => {
        try {
            history.replaceState(null, '', writeFragment(state));
        } catch {
            // Too long for an address: the link keeps the last state that fitted.
        }
    }, 200);
}

function update() {
    try {
        fade();
    } catch (error) {
        // The module failed in a way the command line has no message for:
        // say so, and keep the last result.
        $('fade-error').textContent = `Chromell failed: ${error.message}`;
    }
}

function fade() {
    saveFragment();
    $('copy-status').textContent = ''; // "Copied" was about the markup before
    let colours = true;
    stopRows().forEach((row, k) => {
        colours = checkStop(row, k) && colours;
    });
    const fadeError = $('fade-error');
    if (!colours) {
        fadeError.textContent = '';
        showCounts($('output').value);
        return; // the last good result stays
    }
    const result = engine.run(commandLine(state.format));
    if (result.status !== 0) {
        fadeError.textContent = result.error.trim();
        showCounts($('output').value);
        return;
    }
    fadeError.textContent = '';
    const markup = markupOf(result);
    $('output').value = markup;
    showCounts(markup);
    let previewMarkup = null;
    if (state.format === 'aim') {
        previewMarkup = markup;
    } else if (state.text.length <= LIMIT) {
        const aim = engine.run(commandLine('aim'));
        previewMarkup = aim.status === 0 ? markupOf(aim) : null;
    }
    drawPreview(previewMarkup);
    performance.mark('chromell-result');
}

// --- the rest of the controls ----------------------------------------------

function showState() {
    $('text').value = state.text;
    $('format').value = state.format;
    $('blend').value = state.blend;
    $('wave').checked = state.wave;
    $('per-line').checked = state.perLine;
    buildStops();
}

function wireControls() {
    $('text').addEventListener('input', (event) => {
        state.text = event.target.value;
        update();
    });
    $('format').addEventListener('change', (event) => {
        state.format = event.target.value;
        update();
    });
    $('blend').addEventListener('change', (event) => {
        state.blend = event.target.value;
        update();
    });
    $('wave').addEventListener('change', (event) => {
        state.wave = event.target.checked;
        update();
    });
    $('per-line').addEventListener('change', (event) => {
        state.perLine = event.target.checked;
        update();
    });
    $('fade-it').addEventListener('click', update);
    $('copy').addEventListener('click', async () => {
        const status = $('copy-status');
        try {
            await navigator.clipboard.writeText($('output').value);
            status.textContent = 'Copied';
        } catch {
            $('output').select();
            status.textContent = 'Selected: press Ctrl+C to copy';
        }
    });
    window.addEventListener('hashchange', () => {
        state = readFragment(location.hash);
        showState();
        update();
    });
    new ResizeObserver(([entry]) => {
        const width = Math.round(entry.contentRect.width);
        if (width !== previewSize.width) {
            previewSize.width = width;
            update();
        }
    }).observe($('preview'));
}

async function start() {
    state = readFragment(location.hash);
    previewSize.width = $('preview').clientWidth;
    engine = await Chromell.load();
    showState();
    wireStops();
    wireControls();
    update();
    performance.mark('chromell-ready');
}

start().catch((error) => {
    $('fade-error').textContent = `Chromell could not start: ${error.message}`;
});
