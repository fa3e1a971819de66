// Ctrl+C, the Copy button and Ctrl+V through the page's clipboard in Debian's Chromium: the text
// is the one every backend gives (tests/support/sheet_text/), with the page's address last; the
// copied address opens the same sheet in herosheet-sim; a paste that holds no fitting code changes
// nothing and says so on the page.
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {spawnSync} from 'node:child_process';
import {existsSync, readFileSync, writeFileSync, mkdtempSync, copyFileSync, mkdirSync,
  rmSync} from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {serve, launch, open, command, dump, click, checkedAnswers, buildDir,
  sampleDir} from './support.mjs';

const texts = path.resolve(sampleDir, '../tests/support/sheet_text');
const copied = [{language: 'en', code: '1.3.2.5.4'}, {language: 'ru', code: '2.6.1.4.3'}];
let server, browser;

before(async () => {
  server = await serve();
  browser = await launch();
});

after(async () => {
  await browser?.close();
  server?.close();
});

async function fresh(hash = '') {
  const context = await browser.createBrowserContext();
  await context.overridePermissions(server.url, ['clipboard-read', 'clipboard-write',
    'clipboard-sanitized-write']);
  const errors = [];
  const page = await open(context, `${server.url}/herosheet.html${hash}`, errors);
  return {context, page, errors};
}

async function ctrl(page, key) {
  await page.keyboard.down('Control');
  await page.keyboard.press(key);
  await page.keyboard.up('Control');
}

const readClipboard = (page) => page.evaluate(() => navigator.clipboard.readText());
const writeClipboard = (page, text) => page.evaluate((t) => navigator.clipboard.writeText(t), text);
// A paste as the browser delivers one, with text on its data.
const paste = (page, text) => page.evaluate((t) => {
  const data = new DataTransfer();
  data.setData('text/plain', t);
  document.body.dispatchEvent(new ClipboardEvent('paste', {clipboardData: data, bubbles: true}));
}, text);

test('Ctrl+C and the Copy button give the shared text and the address', async () => {
  for (const {language, code} of copied) {
    const {context, page, errors} = await fresh(`#a=${code}`);
    if (language !== 'en') {
      const saved = page.evaluate(() => new Promise((resolve) =>
        document.addEventListener('herosheet-saved', resolve, {once: true})));
      await command(page, 'click settings');
      await command(page, `pick panel.language ${language}`);
      await saved;
      await page.reload();
      await page.evaluate(() => window.herosheetReady);
    }
    const address = `${server.url}/herosheet.html#a=${code}\n`;
    const expected = readFileSync(path.join(texts, `${language}-${code}.txt`), 'utf8') + address;
    await page.mouse.click(700, 580); // the page has the focus, no control of the sheet
    await ctrl(page, 'KeyC');
    assert.equal(await readClipboard(page), expected, language);
    await writeClipboard(page, 'nothing');
    await page.click('#herosheet-copy');
    assert.equal(await readClipboard(page), expected, language);
    assert.equal(await command(page, 'copy'), expected + '.\n');

    // The copied address on herosheet-sim's command line opens the same sheet.
    const sim = path.join(buildDir, 'app', 'herosheet-sim.js');
    if (existsSync(sim)) {
      const dir = mkdtempSync(path.join(os.tmpdir(), 'herosheet-clip-'));
      mkdirSync(path.join(dir, 'program'));
      for (const f of ['choice.ini', 'array.ini']) copyFileSync(path.join(sampleDir, f), path.join(dir, f));
      for (const f of ['en.lng', 'ru.lng']) copyFileSync(path.join(sampleDir, f), path.join(dir, 'program', f));
      writeFileSync(path.join(dir, 'program', 'config.ini'), `[main]\r\nlanguage=${language}\r\n`);
      const again = spawnSync(process.execPath, ['--no-experimental-fetch', sim, '--program-dir',
        path.join(dir, 'program'), '--answers', address.trim()],
      {cwd: dir, input: 'copy\n', encoding: 'utf8'});
      assert.equal(again.status, 0, again.stderr);
      assert.equal(again.stdout, expected.slice(0, -address.length) + '.\n', language);
      rmSync(dir, {recursive: true, force: true});
    }
    assert.deepEqual(errors, []);
    await context.close();
  }
});

test('Ctrl+V opens a pasted code or address; anything else changes nothing and says so', async () => {
  const {context, page, errors} = await fresh('#a=2.6.1.4.3');
  const rows = [
    ['1.3.0.0.0', [1, 3, 0, 0, 0], ''],
    [`https://example.org/herosheet.html#a=0.2.0.0.5`, [0, 2, 0, 0, 5], ''],
    ['9.9.9.9.9', [0, 2, 0, 0, 5], 'no answer code'],
    ['1..2', [0, 2, 0, 0, 5], 'no answer code'],
    ['7'.repeat(10240), [0, 2, 0, 0, 5], 'no answer code'],
    ['\uff11.2.3.4.5', [0, 2, 0, 0, 5], 'no answer code'],
    ['', [0, 2, 0, 0, 5], 'no answer code'],
    ['2.6.1.4.3', [2, 6, 1, 4, 3], ''],
  ];
  for (const [text, answers, note] of rows) {
    await paste(page, text);
    const d = await dump(page);
    assert.deepEqual(checkedAnswers(d), answers, text.slice(0, 20));
    const shown = await page.$eval('#herosheet-note', (n) => n.textContent);
    if (note) assert.match(shown, new RegExp(note), text.slice(0, 20));
    await page.evaluate(() => { document.getElementById('herosheet-note').textContent = ''; });
  }
  // The user's own keys: the clipboard written, then Ctrl+V.
  await writeClipboard(page, '1.1.1.1.1');
  await click(page, 'q5.2');
  await ctrl(page, 'KeyV');
  assert.deepEqual(checkedAnswers(await dump(page)), [1, 1, 1, 1, 1]);
  assert.equal(await page.evaluate(() => location.hash), '#a=1.1.1.1.1');
  assert.deepEqual(errors, []);
  await context.close();
});
