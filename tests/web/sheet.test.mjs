// The hero sheet in Debian's Chromium: start-up, real clicks and their totals, hover highlights
// in computed styles, a language pick surviving a reload, answer links, other data, and the
// drawn page (not blank, every box where the layer puts it).
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {mkdtemp, writeFile, rm} from 'node:fs/promises';
import {readFileSync} from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {serve, launch, open, command, dump, geometry, centre, click, totals, checkedAnswers,
  sampleDir} from './support.mjs';

let server, browser, extra;

before(async () => {
  extra = await mkdtemp(path.join(os.tmpdir(), 'herosheet-web-'));
  // Other data: one question, one total.
  await writeFile(path.join(extra, 'choice.ini'),
    '-- choice 1\r\n0 strength=7\r\n1 strength=2\r\n-- end\r\n');
  await writeFile(path.join(extra, 'array.ini'), 'strength=101\r\n');
  server = await serve(extra);
  browser = await launch();
});

after(async () => {
  await browser?.close();
  server?.close();
  await rm(extra, {recursive: true, force: true});
});

// A fresh browser context per test: its own storage, so settings never leak between tests.
async function fresh(hash = '', query = '') {
  const context = await browser.createBrowserContext();
  const errors = [];
  const page = await open(context, `${server.url}/herosheet.html${query}${hash}`, errors);
  return {context, page, errors};
}

test('start-up: every question unanswered, the base totals, no fragment', async () => {
  const {context, page, errors} = await fresh();
  const d = await dump(page);
  assert.equal(d.get('form').text, 'Quorvant');
  assert.deepEqual(checkedAnswers(d), [0, 0, 0, 0, 0]);
  assert.deepEqual(['1', '2', '3', '4', '0'].map((i) => d.get(`attrib.value.${i}`).text),
    ['4', '4', '4', '4', '2']);
  assert.equal(d.get('panel').flags.visible, '0');
  assert.equal(await page.evaluate(() => location.hash), '');
  assert.equal(await page.title(), 'Quorvant');
  assert.deepEqual(errors, []);
  await context.close();
});

test('real clicks commit answers: totals, checks and the fragment follow', async () => {
  const {context, page, errors} = await fresh();
  await click(page, 'q3.2'); // apprentice: intelligence, engineer, trainer, two-handed
  let d = await dump(page);
  assert.equal(d.get('q3.2').flags.checked, '1');
  assert.equal(d.get('q3.0').flags.checked, '0');
  assert.deepEqual(['0', '1', '2', '3', '4'].map((i) => d.get(`attrib.value.${i}`).text),
    ['2', '4', '4', '5', '4']);
  assert.equal(d.get('skills.value.0').text, '5');
  assert.equal(d.get('skills.value.20').text, '1');
  assert.equal(d.get('profic.value.2').text, '15');
  assert.equal(await page.evaluate(() => location.hash), '#a=0.0.2.0.0');
  // The DOM radio shows the layer's check.
  const g = await geometry(page);
  const checked = await page.evaluate((ids) => ids.map((id) =>
    document.querySelector(`[data-hs-id="${id}"] input`).checked), [g.get('q3.0').id, g.get('q3.2').id]);
  assert.deepEqual(checked, [false, true]);

  await click(page, 'q1.1');
  assert.equal(await page.evaluate(() => location.hash), '#a=1.0.2.0.0');
  await click(page, 'clear');
  d = await dump(page);
  assert.deepEqual(checkedAnswers(d), [0, 0, 0, 0, 0]);
  assert.equal(await page.evaluate(() => location.hash), '');
  assert.deepEqual(errors, []);
  await context.close();
});

// Computed style of every named control against the layer's own state.
async function stylesMatchDump(page) {
  const d = await dump(page);
  const g = await geometry(page);
  const rows = [...d].filter(([n]) => /^(q\d\.\d+|\w+\.(name|value)\.\d+)$/.test(n));
  const seen = await page.evaluate((list) => list.map(([name, id]) => {
    const el = document.querySelector(`[data-hs-id="${id}"]`);
    const text = el.querySelector('span') || el;
    const s = getComputedStyle(text);
    return [name, s.fontWeight, s.color];
  }), rows.map(([n]) => [n, g.get(n).id]));
  for (const [name, weight, color] of seen) {
    const f = d.get(name).flags;
    const hex = f.color.toLowerCase();
    const rgb = `rgb(${parseInt(hex.slice(0, 2), 16)}, ${parseInt(hex.slice(2, 4), 16)}, ` +
      `${parseInt(hex.slice(4, 6), 16)})`;
    assert.equal(weight === '700' ? '1' : '0', f.bold, `${name} weight`);
    assert.equal(color, rgb, `${name} colour`);
  }
  return d;
}

// A colour that reads as black: the sheet's regular row captions are near-black values whose
// red part is the row's index.
function dark(hex) {
  const [r, g, b] = [0, 2, 4].map((i) => parseInt(hex.slice(i, i + 2), 16));
  return g === 0 && b === 0 && r < 0x40;
}

test('hover: the answer turns bold and the rows it changes light up, in computed styles', async () => {
  const {context, page, errors} = await fresh();
  const p = await centre(page, 'q3.2');
  await page.mouse.move(p.x, p.y, {steps: 3});
  let d = await stylesMatchDump(page);
  assert.equal(d.get('q3.2').flags.bold, '1');
  const lit = [...d].filter(([n, w]) => /\.name\./.test(n) && !dark(w.flags.color));
  assert.ok(lit.length >= 3, `highlighted rows: ${lit.map(([n]) => n)}`);
  // Off the answers onto the bare form: every highlight goes.
  const form = await page.evaluate(() =>
    document.querySelector('.hs-window').getBoundingClientRect().toJSON());
  await page.mouse.move(form.left + 200, form.top + 160, {steps: 3});
  d = await stylesMatchDump(page);
  assert.equal(d.get('q3.2').flags.bold, '0');
  assert.deepEqual([...d].filter(([n, w]) => /\.name\./.test(n) && !dark(w.flags.color)), []);
  assert.deepEqual(errors, []);
  await context.close();
});

test('a language pick is kept in the browser and applies at the next load', async () => {
  const {context, page, errors} = await fresh();
  await click(page, 'settings');
  let d = await dump(page);
  assert.equal(d.get('panel').flags.visible, '1');
  assert.equal(d.get('q1').text, 'Gender');
  const g = await geometry(page);
  const saved = page.evaluate(() => new Promise((resolve) =>
    document.addEventListener('herosheet-saved', (e) => resolve(e.detail), {once: true})));
  await page.select(`[data-hs-id="${g.get('panel.language').id}"]`, 'ru');
  assert.equal(await saved, 'config.ini');
  d = await dump(page);
  assert.equal(d.get('panel.language').flags.selected, 'ru');
  assert.equal(d.get('q1').text, 'Gender'); // not before the next load
  await page.reload();
  await page.evaluate(() => window.herosheetReady);
  d = await dump(page);
  const ru = readFileSync(path.join(sampleDir, 'ru.lng'), 'utf8');
  const caption = /^ch1_caption\|(.*)$/m.exec(ru)[1].trim();
  assert.equal(d.get('q1').text, caption);
  assert.deepEqual(errors, []);
  await context.close();
});

test('a link with answers opens them checked, with the totals clicks give', async () => {
  const byHand = await fresh();
  for (const name of ['q1.1', 'q2.3', 'q3.2', 'q4.5', 'q5.4']) await click(byHand.page, name);
  const expected = totals(await dump(byHand.page));
  assert.equal(await byHand.page.evaluate(() => location.hash), '#a=1.3.2.5.4');
  await byHand.context.close();

  const {context, page, errors} = await fresh('#a=1.3.2.5.4');
  const d = await dump(page);
  assert.deepEqual(checkedAnswers(d), [1, 3, 2, 5, 4]);
  assert.deepEqual(totals(d), expected);
  assert.equal(await page.evaluate(() => location.hash), '#a=1.3.2.5.4');
  assert.deepEqual(errors, []);
  await context.close();
});

test('a bad fragment is ignored: the sheet starts unanswered', async () => {
  const plain = await fresh();
  const base = totals(await dump(plain.page));
  await plain.context.close();
  for (const hash of ['#a=1.3.2.5.99', '#a=1.3.2', '#a=x', '#zzz', '#a=1.3.2.5.4.1', '#a=%00']) {
    const {context, page, errors} = await fresh(hash);
    const d = await dump(page);
    assert.deepEqual(checkedAnswers(d), [0, 0, 0, 0, 0], hash);
    assert.deepEqual(totals(d), base, hash);
    assert.deepEqual(errors, [], hash);
    await context.close();
  }
});

test('?data= loads another pair of files; other origins and missing files keep the sample', async () => {
  let {context, page, errors} = await fresh('', '?data=extra/');
  let d = await dump(page);
  assert.equal(d.get('attrib.value.1').text, '7');
  assert.equal(d.get('profic.value.1').text, '0');
  await click(page, 'q1.1');
  assert.equal((await dump(page)).get('attrib.value.1').text, '9');
  assert.deepEqual(errors, []);
  await context.close();

  for (const query of ['?data=http://example.invalid/', '?data=missing/']) {
    ({context, page} = await fresh('', query));
    d = await dump(page);
    assert.equal(d.get('attrib.value.1').text, '4', query);
    assert.equal(d.get('profic.value.1').text, '15', query);
    await context.close();
  }
});

test('the file picker replaces the data and restarts the sheet', async () => {
  const {context, page, errors} = await fresh('#a=1.3.2.5.4');
  const input = await page.$('#herosheet-files');
  await input.uploadFile(path.join(extra, 'choice.ini'), path.join(extra, 'array.ini'));
  await page.waitForFunction(() => window.herosheetPage.dataSource === 'files');
  const d = await dump(page);
  assert.deepEqual(checkedAnswers(d), [0, 0, 0, 0, 0]);
  assert.equal(d.get('attrib.value.1').text, '7');
  assert.equal(await page.evaluate(() => location.hash), '');
  assert.deepEqual(errors, []);
  await context.close();
});

test('the page is drawn: not blank, every shown box within 1 px of its geometry', async () => {
  const {context, page, errors} = await fresh();
  const shot = await page.screenshot({encoding: 'base64', clip: {x: 0, y: 0, width: 580, height: 470}});
  const colours = await page.evaluate(async (b64) => {
    const img = new Image();
    img.src = 'data:image/png;base64,' + b64;
    await img.decode();
    const c = new OffscreenCanvas(img.width, img.height);
    const g = c.getContext('2d');
    g.drawImage(img, 0, 0);
    const px = g.getImageData(0, 0, img.width, img.height).data;
    const set = new Set();
    let dark = 0;
    for (let i = 0; i < px.length; i += 4) {
      set.add((px[i] << 16) | (px[i + 1] << 8) | px[i + 2]);
      if (px[i] + px[i + 1] + px[i + 2] < 150) dark++;
    }
    return {distinct: set.size, dark};
  }, shot);
  assert.ok(colours.distinct > 20, `distinct colours: ${colours.distinct}`);
  assert.ok(colours.dark > 2000, `dark pixels (text): ${colours.dark}`);

  const g = await geometry(page);
  const form = g.get('form');
  const boxes = await page.evaluate((list, formId) => {
    const client = document.querySelector(`[data-hs-id="${formId}"] .hs-client`).getBoundingClientRect();
    return list.map(([name, id]) => {
      const r = document.querySelector(`[data-hs-id="${id}"]`).getBoundingClientRect();
      return [name, r.left - client.left, r.top - client.top, r.width, r.height];
    });
  }, [...g].filter(([n, v]) => v.shown && n !== 'form').map(([n, v]) => [n, v.id]), form.id);
  assert.ok(boxes.length > 100);
  for (const [name, x, y, w, h] of boxes) {
    const e = g.get(name);
    for (const [k, got, want] of [['x', x, e.x], ['y', y, e.y], ['w', w, e.w], ['h', h, e.h]])
      assert.ok(Math.abs(got - want) <= 1, `${name} ${k}: ${got} vs ${want}`);
  }
  // Text is drawn with the shipped font.
  assert.ok(await page.evaluate(() => document.fonts.check('11px "Liberation Sans"')));
  assert.deepEqual(errors, []);
  await context.close();
});

test('herosheetCommand answers errors as the scripted runner does', async () => {
  const {context, page} = await fresh();
  assert.equal(await command(page, 'click nowhere'), 'error: unknown name nowhere\n');
  assert.equal(await command(page, 'jump q1.1'), 'error: unknown command jump\n');
  assert.equal(await command(page, 'pick q1.1 x'), 'error: q1.1 has no items\n');
  assert.equal(await command(page, ''), '');
  await command(page, 'click q5.3');
  assert.equal(await page.evaluate(() => location.hash), '#a=0.0.0.0.3');
  await context.close();
});
