// The engine and the preview renderer, compiled to WebAssembly
// (web/module/module.cpp), behind plain functions.

import { CanvasTarget } from './canvas.js';

const encoder = new TextEncoder();
const decoder = new TextDecoder();

// Answers every WASI call the C library might make with "not supported": the
// module reads no files and has no clock or environment.
function wasiStubs(module) {
    const stubs = {};
    for (const entry of WebAssembly.Module.imports(module)) {
        if (entry.module === 'wasi_snapshot_preview1') {
            stubs[entry.name] = () => 52; // ENOSYS
        }
    }
    return stubs;
}

// Compiles the module as it arrives; a host that does not serve .wasm as
// application/wasm gets it compiled once it is all there.
async function compile(url) {
    const response = await fetch(url);
    if (!response.ok) {
        throw new Error(`${url} could not be loaded (${response.status})`);
    }
    if (response.headers.get('content-type')?.startsWith('application/wasm')) {
        return WebAssembly.compileStreaming(response);
    }
    return WebAssembly.compile(await response.arrayBuffer());
}

export class Chromell {
    static async load(url = new URL('chromell.wasm', import.meta.url)) {
        const module = await compile(url);
        const canvas = new CanvasTarget();
        const instance = await WebAssembly.instantiate(module, {
            wasi_snapshot_preview1: wasiStubs(module),
            canvas: canvas.imports(),
        });
        canvas.memory = instance.exports.memory;
        instance.exports._initialize();
        return new Chromell(instance.exports, canvas);
    }

    constructor(exports, canvas) {
        this.exports = exports;
        this.canvas = canvas;
    }

    bytes(pointer, size) {
        return new Uint8Array(this.exports.memory.buffer, pointer, size);
    }

    // Puts the UTF-8 form of the strings into the module's input buffer, each
    // after its length in 4 bytes (little-endian), or a single string as it is.
    write(strings, withLengths) {
        let most = 0;
        for (const s of strings) {
            most += s.length * 3 + (withLengths ? 4 : 0);
        }
        let at = this.exports.input(most);
        const start = at;
        for (const s of strings) {
            const into = withLengths ? at + 4 : at;
            const { written } = encoder.encodeInto(s, this.bytes(into, most - (into - start)));
            if (withLengths) {
                new DataView(this.exports.memory.buffer).setUint32(at, written, true);
            }
            at = into + written;
        }
        this.exports.input(at - start);
    }

    output() {
        return decoder.decode(this.bytes(this.exports.output_data(), this.exports.output_size()));
    }

    error() {
        return decoder.decode(this.bytes(this.exports.error_data(), this.exports.error_size()));
    }

    // Runs chromell-fade with these arguments: { status, output, error }, the
    // exit status and exactly what the program writes to standard output and
    // standard error.
    run(args) {
        this.write(args, true);
        const status = this.exports.fade();
        return { status, output: this.output(), error: this.error() };
    }

    // A colour as --colors reads it: { rgb: [r, g, b] } or { error }.
    parseColor(text) {
        this.write([text], false);
        const value = this.exports.parse_color();
        if (value === 0) {
            return { error: this.error() };
        }
        return { rgb: [(value >> 16) & 255, (value >> 8) & 255, value & 255] };
    }

    // The characters (grapheme clusters) of a text.
    countCharacters(text) {
        this.write([text], false);
        return this.exports.count_characters();
    }

    // Draws the markup on the canvas, whose CSS size is width x height, as
    // the window's preview box draws it. Returns the height in CSS pixels
    // that shows every line, or throws.
    renderPreview(markup, canvas, width, height) {
        this.write([markup], false);
        this.canvas.attach(canvas, width, height);
        const needed = this.exports.render_preview(width, height);
        if (needed < 0) {
            throw new Error(this.error());
        }
        return needed;
    }
}
