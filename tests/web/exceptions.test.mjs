// The WebAssembly module's C++ exception runtime (web/module/exceptions.cpp),
// run in Node: tests/web/exceptions_probe.cpp reports a bit per failed check.
// CHROMELL_EXCEPTIONS_PROBE is the probe's .wasm.

import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { test } from 'node:test';

test('throwing, catching, rethrowing and unwinding work as C++ says', async () => {
    const module = await WebAssembly.compile(await readFile(process.env.CHROMELL_EXCEPTIONS_PROBE));
    const wasi = {};
    for (const entry of WebAssembly.Module.imports(module)) {
        wasi[entry.name] = () => 52;
    }
    const instance = await WebAssembly.instantiate(module, { wasi_snapshot_preview1: wasi });
    instance.exports._initialize();
    // Twice: the runtime keeps no state that a first round could spoil.
    for (let round = 0; round < 2; ++round) {
        const failed = instance.exports.probe();
        assert.equal(failed.toString(2), '0', `failed checks (bits): ${failed.toString(2)}`);
    }
});
