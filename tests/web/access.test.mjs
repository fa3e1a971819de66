// The sheet for assistive technology in Chromium: the accessibility tree names the questions,
// their answers with their checked states and the result rows; a click is announced; axe-core
// finds no violation of the WCAG 2.1 A and AA rules on the sheet or on the open settings panel.
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {readFileSync} from 'node:fs';
import {createRequire} from 'node:module';
import {serve, launch, open, click, dump, checkedAnswers} from './support.mjs';

const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
let server, browser;

before(async () => {
  server = await serve();
  browser = await launch();
});

after(async () => {
  await browser?.close();
  server?.close();
});

// The violations of the WCAG 2.1 A and AA rules, one line each.
async function violations(page) {
  if (!(await page.evaluate(() => !!window.axe))) await page.evaluate(axeSource);
  return page.evaluate(async () => {
    const tags = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'];
    const r = await window.axe.run(document, {runOnly: {type: 'tag', values: tags}});
    return r.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
  });
}

// Every node of the accessibility tree with the given role.
function nodes(tree, role, out = []) {
  if (tree.role === role) out.push(tree);
  for (const c of tree.children || []) nodes(c, role, out);
  return out;
}

test('the tree names the questions, answers and rows; a click is seen and announced', async () => {
  const context = await browser.createBrowserContext();
  const errors = [];
  const page = await open(context, `${server.url}/herosheet.html`, errors);
  await page.waitForFunction(() => document.querySelectorAll('[role=radiogroup]').length === 5);
  let tree = await page.accessibility.snapshot({interestingOnly: false});
  const groups = nodes(tree, 'radiogroup');
  assert.deepEqual(groups.map((g) => g.name),
    ['Gender', 'Your father was', 'Childhood', 'Youth', 'Why you set out']);
  for (const g of groups) {
    const radios = nodes(g, 'radio');
    assert.ok(radios.length >= 3, g.name);
    assert.deepEqual(radios.map((r) => !!r.checked), radios.map((_, k) => k === 0), g.name);
  }
  const apprentice = nodes(groups[2], 'radio')[2];
  assert.match(apprentice.description, /^Intelligence \+1, /);
  const boxes = nodes(tree, 'group');
  assert.deepEqual(boxes.map((l) => l.name), ['Weapons', 'Attributes', 'Skills', 'Other']);
  assert.ok(nodes(boxes[1], 'listitem').some((i) => i.name === 'Intelligence 4'));
  assert.equal(nodes(boxes[0], 'alert')[0].name, '(!!!)');
  assert.deepEqual(nodes(nodes(tree, 'region')[0], 'button').map((b) => b.name), ['Clear', 'Settings']);

  await click(page, 'q3.2');
  await page.waitForFunction(() => document.getElementById('herosheet-live').textContent !== '');
  tree = await page.accessibility.snapshot({interestingOnly: false});
  const radios = nodes(nodes(tree, 'radiogroup')[2], 'radio');
  assert.deepEqual(radios.map((r) => !!r.checked), radios.map((_, k) => k === 2));
  assert.ok(nodes(tree, 'listitem').some((i) => i.name === 'Intelligence 5'));
  const said = await page.evaluate(() => document.getElementById('herosheet-live').textContent);
  assert.match(said, /Intelligence 5/);
  // A click with no mouse behind it, as a screen reader sends, chooses as well.
  await page.evaluate(() =>
    document.querySelectorAll('[role=radiogroup]')[4].querySelectorAll('input')[5].click());
  assert.deepEqual(checkedAnswers(await dump(page)), [0, 0, 2, 0, 5]);
  assert.deepEqual(errors, []);
  await context.close();
});

test('axe-core finds no WCAG 2.1 A or AA violation on the sheet or the settings panel', async () => {
  const context = await browser.createBrowserContext();
  const errors = [];
  const page = await open(context, `${server.url}/herosheet.html`, errors);
  await page.waitForFunction(() => document.querySelectorAll('[role=radiogroup]').length === 5);
  assert.deepEqual(await violations(page), []);
  await click(page, 'settings');
  await page.waitForFunction(() => {
    const d = document.querySelector('[role=dialog]');
    return d && getComputedStyle(d).display !== 'none';
  });
  const tree = await page.accessibility.snapshot({interestingOnly: false});
  const dialog = nodes(tree, 'dialog')[0];
  assert.equal(dialog.name, 'Settings');
  assert.equal(nodes(dialog, 'combobox')[0].name, 'Language:');
  assert.deepEqual(await violations(page), []);
  assert.deepEqual(errors, []);
  await context.close();
});
