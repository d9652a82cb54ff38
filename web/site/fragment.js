// The text and the settings in the address's fragment, so that a link
// reproduces the result. The fragment never leaves the browser.

export const DEFAULTS = Object.freeze({
    text: 'Chromell fades your text',
    colors: ['FF0000', '00FF00', '0000FF'],
    format: 'aim',
    blend: 'rgb',
    wave: false,
    perLine: false,
});

// The state in a fragment ("#text=...&colors=red,00FF00&format=html&wave=1");
// what it leaves out keeps its default.
export function readFragment(hash) {
    const params = new URLSearchParams(hash.replace(/^#/, ''));
    const state = { ...DEFAULTS, colors: [...DEFAULTS.colors] };
    if (params.has('text')) {
        state.text = params.get('text');
    }
    if (params.has('colors')) {
        state.colors = params.get('colors').split(',');
    }
    for (const key of ['format', 'blend']) {
        if (params.has(key)) {
            state[key] = params.get(key);
        }
    }
    state.wave = params.get('wave') === '1';
    state.perLine = params.get('per-line') === '1';
    return state;
}

export function writeFragment(state) {
    const params = new URLSearchParams();
    params.set('text', state.text);
    params.set('colors', state.colors.join(','));
    params.set('format', state.format);
    params.set('blend', state.blend);
    if (state.wave) {
        params.set('wave', '1');
    }
    if (state.perLine) {
        params.set('per-line', '1');
    }
    return '#' + params.toString();
}
