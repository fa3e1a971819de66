// The backend conformance suite on the web backend: its test program is a page (built when the
// web build has the tests: HS_BUILD_TESTS=ON with a GoogleTest built by Emscripten), run here
// in Chromium until it exits.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {existsSync} from 'node:fs';
import path from 'node:path';
import {serve, launch, buildDir} from './support.mjs';

const page = 'tests/backends/backends_conformance_web_tests.html';
const built = existsSync(path.join(buildDir, page));

test('the web backend passes the backend conformance suite', {skip: !built && 'not built'}, async () => {
  const server = await serve();
  const browser = await launch();
  try {
    const tab = await browser.newPage();
    await tab.setViewport({width: 800, height: 600});
    const errors = [];
    tab.on('pageerror', (e) => errors.push(e.message));
    await tab.goto(`${server.url}/${page}`);
    // The backend's pending timers keep the program alive after main: wait for the summary.
    await tab.waitForFunction(() => window.hsModule &&
      window.hsModule.hsOutput.some((l) => / tests? from .* ran\./.test(l)), {timeout: 60000});
    const output = await tab.evaluate(() => window.hsModule.hsOutput.join('\n'));
    // Every test that ran passed, and the suite ran at all.
    const ran = /\[==========\] (\d+) tests? from .* ran\./.exec(output);
    assert.ok(ran && +ran[1] >= 8, output);
    assert.match(output, new RegExp(`\\[  PASSED  \\] ${ran[1]} tests?\\.`), output);
    assert.doesNotMatch(output, /FAILED/, output);
    assert.deepEqual(errors, []);
  } finally {
    await browser.close();
    server.close();
  }
});
