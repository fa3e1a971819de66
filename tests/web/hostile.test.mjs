// Hostile input to the page, one row per case: a ?data= address, files picked or dropped, an
// address fragment, storage that cannot be opened. Each row names the message the page must
// show (its text from the language file) and what the sheet must still show afterwards.
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {mkdtemp, mkdir, writeFile, truncate, rm} from 'node:fs/promises';
import {readFileSync} from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {serve, launch, open, dump, geometry, click, checkedAnswers, totals, sampleDir} from
  './support.mjs';

let server, browser, extra;

function caption(lang, key) {
  const text = readFileSync(path.join(sampleDir, `${lang}.lng`), 'utf8');
  return new RegExp(`^${key}\\|(.*)$`, 'm').exec(text)[1].trim();
}

before(async () => {
  extra = await mkdtemp(path.join(os.tmpdir(), 'herosheet-hostile-'));
  await mkdir(path.join(extra, 'junk'));
  await writeFile(path.join(extra, 'junk', 'choice.ini'), Buffer.from([0, 1, 2, 0xff, 0, 0x2d, 0]));
  await writeFile(path.join(extra, 'junk', 'array.ini'), Buffer.from([0, 0, 0x3d, 0]));
  await mkdir(path.join(extra, 'good'));
  await writeFile(path.join(extra, 'good', 'choice.ini'),
    '-- choice 1\r\n0 strength=7\r\n1 strength=2\r\n-- end\r\n');
  await writeFile(path.join(extra, 'good', 'array.ini'), 'strength=101\r\n');
  // A sparse file one byte past the bound: its size is known without a byte read.
  await mkdir(path.join(extra, 'big'));
  await writeFile(path.join(extra, 'big', 'choice.ini'), '');
  await truncate(path.join(extra, 'big', 'choice.ini'), 256 * 1024 * 1024 + 1);
  await writeFile(path.join(extra, 'big', 'array.ini'), 'strength=101\r\n');
  // A server that announces a file past the bound (and never sends it).
  const huge = (req, res) => {
    res.writeHead(200, {'content-type': 'text/plain', 'content-length': String(300 * 1024 * 1024)});
    res.write('-- choice 1\r\n');
    req.on('close', () => res.destroy());
  };
  server = await serve(extra, {'/huge/choice.ini': huge, '/huge/array.ini': huge});
  browser = await launch();
});

after(async () => {
  await browser?.close();
  server?.close();
  await rm(extra, {recursive: true, force: true});
});

const sample = (d) => d.get('attrib.value.1').text === '4' && d.get('profic.value.1').text === '15';
const upload = (...names) => async (page) => {
  const input = await page.$('#herosheet-files');
  await input.uploadFile(...names.map((n) => path.join(extra, n)));
};
// A drop carrying a folder: the entry the browser gives for a dropped directory.
const dropFolder = async (page) => page.evaluate(() => {
  const e = new Event('drop', {bubbles: true, cancelable: true});
  Object.defineProperty(e, 'dataTransfer', {value: {
    files: [new File([''], 'data')], items: [{webkitGetAsEntry: () => ({isDirectory: true})}]}});
  document.dispatchEvent(e);
});
const blockStorage = (page) => page.evaluateOnNewDocument(() => {
  indexedDB.open = () => { throw new DOMException('blocked', 'SecurityError'); };
});
const pickRussian = async (page) => {
  await click(page, 'settings');
  const g = await geometry(page);
  await page.select(`[data-hs-id="${g.get('panel.language').id}"]`, 'ru');
};

// query/hash: the address; before: done to the page before it loads; act: done once the sheet
// is up (the totals must stay as they were); key: the expected message; note: where it shows;
// sheet: what the sheet still shows; answers: the answers still checked.
const rows = [
  {name: 'a missing data folder', query: '?data=missing/', key: 'msg_data_missing', sheet: sample},
  {name: 'a data file announced past the bound', query: '?data=/huge/', key: 'msg_data_too_big',
    sheet: sample},
  {name: 'another site', query: '?data=http://example.invalid/', key: 'msg_data_other_site',
    sheet: sample},
  {name: 'another site without a scheme', query: '?data=//example.invalid/x/',
    key: 'msg_data_other_site', sheet: sample},
  {name: 'a javascript: address', query: '?data=javascript:alert(1)', key: 'msg_data_bad_address',
    sheet: sample},
  {name: 'a data: address', query: '?data=data:text/plain,x', key: 'msg_data_bad_address',
    sheet: sample},
  {name: 'binary junk behind the address', query: '?data=extra/junk', key: 'msg_files_not_data',
    sheet: sample},
  {name: 'the message in the language kept', lang: 'ru', query: '?data=missing/',
    key: 'msg_data_missing', sheet: sample},
  {name: 'a picked file past the bound', hash: '#a=1.3.2.5.4', act: upload('big/choice.ini',
    'big/array.ini'), key: 'msg_data_too_big', answers: [1, 3, 2, 5, 4]},
  {name: 'a single file', hash: '#a=1.3.2.5.4', act: upload('good/choice.ini'),
    key: 'msg_files_pair', answers: [1, 3, 2, 5, 4]},
  {name: 'a dropped folder', hash: '#a=1.3.2.5.4', act: dropFolder, key: 'msg_files_folder',
    answers: [1, 3, 2, 5, 4]},
  {name: 'picked binary junk', hash: '#a=1.3.2.5.4', act: upload('junk/choice.ini',
    'junk/array.ini'), key: 'msg_files_not_data', answers: [1, 3, 2, 5, 4]},
  {name: 'a fragment of 100 KB', hash: '#a=' + '1.'.repeat(50 * 1024), key: 'msg_answers_refused',
    answers: [0, 0, 0, 0, 0], sheet: sample},
  {name: 'a fragment beyond the data', hash: '#a=1.3.2.5.99', key: 'msg_answers_refused',
    answers: [0, 0, 0, 0, 0], sheet: sample},
  {name: 'storage that cannot be opened', before: blockStorage, act: pickRussian,
    key: 'btn_msg_not_saved', note: 'panel', sheet: (d) => sample(d) &&
      d.get('panel.language').flags.selected === 'ru' && d.get('q1').text === 'Gender'},
];

for (const row of rows) {
  test(`hostile input: ${row.name}`, async () => {
    const context = await browser.createBrowserContext();
    const errors = [];
    const url = `${server.url}/herosheet.html${row.query || ''}${row.hash || ''}`;
    if (row.lang) {
      const first = await open(context, `${server.url}/herosheet.html`, errors);
      const saved = first.evaluate(() => new Promise((resolve) =>
        document.addEventListener('herosheet-saved', resolve, {once: true})));
      await pickRussian(first);
      await saved;
      await first.close();
    }
    const page = await context.newPage();
    await page.setViewport({width: 800, height: 600});
    page.on('pageerror', (e) => errors.push(e.message));
    if (row.before) await row.before(page);
    await page.goto(url);
    await page.evaluate(() => window.herosheetReady);
    const before = totals(await dump(page));
    if (row.act) await row.act(page);
    const want = caption(row.lang || 'en', row.key);
    if (row.note === 'panel') {
      await page.waitForFunction(() => window.herosheetCommand('dump').includes('visible=1'));
      const d = await dump(page);
      assert.equal(d.get('panel.note').text, want);
    } else {
      await page.waitForFunction((t) =>
        document.getElementById('herosheet-note').textContent === t, {timeout: 5000}, want);
    }
    const d = await dump(page);
    assert.equal(d.get('q1').text, row.lang ? caption('ru', 'ch1_caption') : 'Gender');
    if (row.sheet) assert.ok(row.sheet(d), 'the sheet shows its data');
    if (row.answers) assert.deepEqual(checkedAnswers(d), row.answers);
    assert.deepEqual(totals(d), before);
    assert.deepEqual(errors, []);
    await context.close();
  });
}
