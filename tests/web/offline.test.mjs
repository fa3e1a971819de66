// The page as an installed app: its manifest, and a start without a network once it was opened
// (the service worker's copy, the last language kept), and a new build replacing the kept one.
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {cp, mkdtemp, readFile, rm, writeFile} from 'node:fs/promises';
import {readFileSync} from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {serve, launch, open, dump, geometry, click, buildDir, sampleDir} from './support.mjs';

let server, browser;
before(async () => {
  server = await serve();
  browser = await launch();
});
after(async () => {
  await browser?.close();
  server?.close();
});

// Waits until the page's service worker controls it and holds exactly the kept set named build.
async function kept(page, build) {
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.waitForFunction((b) => caches.keys().then((k) => k.length === 1 && k[0] === b)
    .then((ok) => ok && !!navigator.serviceWorker.controller), {polling: 100, timeout: 15000},
  'herosheet-' + build);
}
const buildOf = (dir) => /const build = '([0-9a-f]+)'/.exec(readFileSync(path.join(dir, 'sw.js'),
  'utf8'))[1];

test('installable: the manifest names the app, standalone, with the program\'s icons', async () => {
  const m = JSON.parse(readFileSync(path.join(buildDir, 'herosheet.webmanifest'), 'utf8'));
  assert.equal(m.name, 'Hero Sheet');
  assert.equal(m.display, 'standalone');
  assert.ok(m.icons.some((i) => i.sizes === '256x256'));
  const context = await browser.createBrowserContext();
  const page = await open(context, `${server.url}/herosheet.html`);
  const cdp = await page.createCDPSession();
  const {errors} = await cdp.send('Page.getAppManifest');
  assert.deepEqual(errors, []);
  for (const i of m.icons) assert.equal((await page.goto(`${server.url}/${i.src}`)).status(), 200);
  await context.close();
});

test('offline: a reload with no network shows the sheet in the last language, and it works', async () => {
  const context = await browser.createBrowserContext();
  const errors = [];
  const page = await open(context, `${server.url}/herosheet.html`, errors);
  await kept(page, buildOf(buildDir));
  await click(page, 'settings');
  const g = await geometry(page);
  const saved = page.evaluate(() => new Promise((resolve) =>
    document.addEventListener('herosheet-saved', resolve, {once: true})));
  await page.select(`[data-hs-id="${g.get('panel.language').id}"]`, 'ru');
  await saved;
  await page.reload();
  await page.evaluate(() => window.herosheetReady);
  await click(page, 'q3.2');
  const online = await dump(page);

  server.down(true);
  await page.setOfflineMode(true);
  try {
    await page.reload();
    await page.evaluate(() => window.herosheetReady);
    const ru = readFileSync(path.join(sampleDir, 'ru.lng'), 'utf8');
    assert.equal((await dump(page)).get('q1').text, /^ch1_caption\|(.*)$/m.exec(ru)[1].trim());
    await click(page, 'q3.2');
    assert.deepEqual(await dump(page), online);
  } finally {
    await page.setOfflineMode(false);
    server.down(false);
  }
  assert.deepEqual(errors.filter((e) => !/ERR_INTERNET_DISCONNECTED|Failed to load/.test(e)), []);
  await context.close();
});

test('a new build replaces the kept one whole at the next load', async () => {
  // The new build: the page and its script marked, so another service worker.
  const next = await mkdtemp(path.join(os.tmpdir(), 'herosheet-next-'));
  await cp(buildDir, next, {recursive: true});
  const html = path.join(next, 'herosheet.html');
  await writeFile(html, (await readFile(html, 'utf8'))
    .replace('<meta charset="utf-8">', '<meta charset="utf-8"><meta name="hs-next">'));
  const js = path.join(next, 'herosheet.js');
  await writeFile(js, (await readFile(js, 'utf8')) + ';window.hsNextScript = true;');
  const sw = path.join(next, 'sw.js');
  await writeFile(sw, (await readFile(sw, 'utf8')).replace(/const build = '[0-9a-f]+'/,
    'const build = \'0000000000000next\''));
  const context = await browser.createBrowserContext();
  let page;
  try {
    page = await open(context, `${server.url}/herosheet.html`);
    await kept(page, buildOf(buildDir));
    server.serveFrom(next);
    await page.reload();
    await page.evaluate(() => window.herosheetReady);
    await kept(page, '0000000000000next');
    server.down(true);
    await page.setOfflineMode(true);
    await page.reload();
    await page.evaluate(() => window.herosheetReady);
    // Both the page and its script of the new build: never a mix of two.
    assert.deepEqual(await page.evaluate(() =>
      [!!document.querySelector('meta[name=hs-next]'), window.hsNextScript === true]), [true, true]);
  } finally {
    await page?.setOfflineMode(false);
    server.down(false);
    server.serveFrom(buildDir);
    await context.close();
    await rm(next, {recursive: true, force: true});
  }
});
