// Shared fixtures of the browser tests: a static server on 127.0.0.1 for the web build (and a
// folder of extra files under /extra/), Debian's Chromium through puppeteer-core, and helpers
// that read the sheet's dump and geometry through herosheetCommand.
import {createServer} from 'node:http';
import {readFile} from 'node:fs/promises';
import {existsSync} from 'node:fs';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const here = path.dirname(new URL(import.meta.url).pathname);
export const buildDir = path.resolve(process.env.HS_WEB_BUILD || path.join(here, '../../build/web'));
export const sampleDir = path.resolve(here, '../../data');

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.data': 'application/octet-stream', '.ttf': 'font/ttf', '.woff2': 'font/woff2',
  '.ini': 'text/plain', '.txt': 'text/plain',
  '.webmanifest': 'application/manifest+json', '.png': 'image/png', '.svg': 'image/svg+xml',
};

// Serves buildDir at / and extraDir at /extra/; routes maps a path to its own handler(req, res).
// Resolves to {url, close, serveFrom, down}: serveFrom(dir) serves another build at /,
// down(true) drops every request as a lost network.
export function serve(extraDir, routes = {}) {
  const state = {root: buildDir, down: false};
  const server = createServer(async (req, res) => {
    if (state.down) return req.socket.destroy();
    const url = new URL(req.url, 'http://x');
    if (routes[url.pathname]) return routes[url.pathname](req, res);
    let file = decodeURIComponent(url.pathname);
    const root = file.startsWith('/extra/') && extraDir ? extraDir : state.root;
    if (root === extraDir) file = file.slice('/extra'.length);
    const full = path.join(root, path.normalize(file));
    if (!full.startsWith(root) || !existsSync(full)) {
      res.writeHead(404);
      return res.end();
    }
    try {
      const body = await readFile(full);
      res.writeHead(200, {'content-type': types[path.extname(full)] || 'application/octet-stream'});
      res.end(body);
    } catch (e) {
      res.writeHead(404);
      res.end();
    }
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => {
    resolve({url: `http://127.0.0.1:${server.address().port}`, close: () => server.close(),
      serveFrom: (dir) => { state.root = dir; }, down: (on) => { state.down = on; }});
  }));
}

export async function launch() {
  return puppeteer.launch({
    executablePath: process.env.HS_CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--no-first-run', '--font-render-hinting=none'],
  });
}

// A new page at url, waiting until the sheet is ready; page errors fail the caller's test.
export async function open(browser, url, errors = []) {
  const page = await browser.newPage();
  await page.setViewport({width: 800, height: 600});
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  await page.goto(url);
  await page.evaluate(() => window.herosheetReady);
  return page;
}

export async function command(page, line) {
  return page.evaluate((l) => window.herosheetCommand(l), line);
}

// The dump as a Map name -> {text, flags}.
export async function dump(page) {
  const out = new Map();
  for (const line of (await command(page, 'dump')).split('\n')) {
    if (line === '.' || line === '') continue;
    const [name, text, flags] = line.split('\t');
    out.set(name, {text, flags: Object.fromEntries(flags.split(' ').map((f) => f.split('=')))});
  }
  return out;
}

// Geometry lines: name -> {id, x, y, w, h, shown}.
export async function geometry(page) {
  const out = new Map();
  for (const line of (await command(page, 'geometry')).split('\n')) {
    if (line === '.' || line === '') continue;
    const [name, id, x, y, w, h, shown] = line.split('\t');
    out.set(name, {id: +id, x: +x, y: +y, w: +w, h: +h, shown: shown === '1'});
  }
  return out;
}

// The page centre of a named control.
export async function centre(page, name) {
  const g = (await geometry(page)).get(name);
  return page.evaluate((id) => {
    const r = document.querySelector(`[data-hs-id="${id}"]`).getBoundingClientRect();
    return {x: r.left + r.width / 2, y: r.top + r.height / 2};
  }, g.id);
}

// A real mouse click at the centre of a named control.
export async function click(page, name) {
  const p = await centre(page, name);
  await page.mouse.click(p.x, p.y);
}

// The value labels as "name=text" in dump order.
export function totals(d) {
  return [...d].filter(([n]) => n.includes('.value.')).map(([n, w]) => `${n}=${w.text}`);
}

export function checkedAnswers(d) {
  const a = [];
  for (let q = 1; q <= 5; q++)
    for (let k = 0; d.has(`q${q}.${k}`); k++)
      if (d.get(`q${q}.${k}`).flags.checked === '1') a.push(k);
  return a;
}
