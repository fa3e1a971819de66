// Sizes of the web build and the time to its first frame in headless Chromium.
//   node measure.mjs [--check] [--check-frame] [--loads N] [--trace] [--compare OLD_BUILD_DIR]
//                    [--network KBIT]
// Sizes: .wasm and .js raw and gzip -9 (limits: 1 MB raw, 300 KB gzip together; --check fails
// above them). First frame: the page's "herosheet-first-frame" mark (a frame after the sheet was
// built), from navigation start, the median of N loads after one warm-up (limit: 250 ms, or
// HS_FIRST_FRAME_LIMIT_MS; --check-frame fails above it: a time, so only on a quiet machine).
// Prints where the time goes: the page's marks and the downloads of the build's files; with
// --trace also the renderer's main-thread time up to the first frame, by kind of work. With
// --compare, the loads alternate between this build and another one, and both medians print.
// --network: every load over a connection of KBIT kbit/s each way with 40 ms of latency (a
// phone's or a slow line's), where the download sizes count as they do for a player.
import {existsSync, readFileSync, readdirSync, statSync} from 'node:fs';
import {gzipSync} from 'node:zlib';
import path from 'node:path';
import {serve, launch, buildDir} from './support.mjs';

const args = process.argv.slice(2);
const check = args.includes('--check');
const checkFrame = args.includes('--check-frame');
const trace = args.includes('--trace');
const loads = Number(args[args.indexOf('--loads') + 1]) || 7;
const compareDir = args.includes('--compare') ? args[args.indexOf('--compare') + 1] : null;
const kbit = args.includes('--network') ? Number(args[args.indexOf('--network') + 1]) : 0;
if (args.includes('--network') && !(kbit > 0)) throw new Error('--network takes kbit/s above 0');
const rawLimit = 1024 * 1024, gzipLimit = 300 * 1024;
const frameLimit = Number(process.env.HS_FIRST_FRAME_LIMIT_MS) || 250;

let raw = 0, gz = 0;
for (const f of ['herosheet.wasm', 'herosheet.js', 'herosheet.data', 'herosheet.html']) {
  const bytes = readFileSync(path.join(buildDir, f));
  const z = gzipSync(bytes, {level: 9}).length;
  if (f.endsWith('.wasm') || f.endsWith('.js')) {
    raw += bytes.length;
    gz += z;
  }
  console.log(`${f.padEnd(16)} ${String(bytes.length).padStart(8)} B raw ${String(z).padStart(8)} B gzip`);
}
console.log(`.wasm + .js      ${String(raw).padStart(8)} B raw ${String(gz).padStart(8)} B gzip`);
// The fonts the page loads before its first frame (compressed already, when WOFF2).
const fontDir = path.join(buildDir, 'fonts'); // none without fonts-liberation2
for (const f of (existsSync(fontDir) ? readdirSync(fontDir) : []).filter((n) => /\.(ttf|woff2)$/.test(n)))
  console.log(`${f.padEnd(28)} ${String(statSync(path.join(fontDir, f)).size).padStart(8)} B`);

const server = await serve();
const other = compareDir ? await serve() : null;
if (other) other.serveFrom(path.resolve(compareDir));
const browser = await launch();
const runs = [], otherRuns = [];
try {
  for (let i = 0; i <= loads; i++) {
    const r = await loadOnce(browser, server.url);
    if (i > 0) runs.push(r); // the first load warms the browser up
    if (other) {
      const o = await loadOnce(browser, other.url);
      if (i > 0) otherRuns.push(o);
    }
  }
  if (trace) await traceOneLoad(browser, server.url);
} finally {
  await browser.close();
  server.close();
  other?.close();
}

// One load in a fresh context (nothing cached): the page's marks and its downloads.
async function loadOnce(b, url) {
  const context = await b.createBrowserContext();
  const page = await context.newPage();
  if (kbit) {
    const bytes = (kbit * 1000) / 8;
    await page.emulateNetworkConditions({download: bytes, upload: bytes, latency: 40});
  }
  await page.goto(`${url}/herosheet.html`);
  await page.waitForFunction(() => performance.getEntriesByName('herosheet-first-frame').length);
  const r = await page.evaluate(() => {
    const marks = Object.fromEntries(performance.getEntriesByType('mark')
      .map((m) => [m.name.replace('herosheet-', ''), m.startTime]));
    const files = Object.fromEntries(performance.getEntriesByType('resource')
      .map((e) => [e.name.split('/').pop(), [e.startTime, e.responseEnd]]));
    return {marks, files};
  });
  await context.close();
  return r;
}

// Main-thread work of one load up to the first frame, summed by trace event name (top-level
// events of the renderer's main thread only, so nothing counts twice).
async function traceOneLoad(b, url) {
  const context = await b.createBrowserContext();
  const page = await context.newPage();
  await page.tracing.start({categories: ['devtools.timeline', 'v8', 'disabled-by-default-devtools.timeline']});
  await page.goto(`${url}/herosheet.html`);
  await page.waitForFunction(() => performance.getEntriesByName('herosheet-first-frame').length);
  const events = JSON.parse(new TextDecoder().decode(await page.tracing.stop())).traceEvents;
  await context.close();
  // The page's renderer: of the renderers' main threads, the busiest.
  const mains = events.filter((e) => e.name === 'thread_name' && e.args.name === 'CrRendererMain');
  const busy = (m) => events.reduce((t, e) => t + (e.pid === m.pid && e.tid === m.tid &&
    e.ph === 'X' && e.dur ? e.dur : 0), 0);
  const main = mains.sort((a, b) => busy(b) - busy(a))[0];
  const sums = new Map();
  let open = null;
  for (const e of events.filter((x) => main && x.pid === main.pid && x.tid === main.tid &&
    x.ph === 'X' && x.dur).sort((a, b) => a.ts - b.ts)) {
    if (open && e.ts < open.ts + open.dur) continue; // inside the previous top-level event
    if (e.name === 'RunTask' || e.name === 'ThreadControllerImpl::RunTask') {
      open = null; // look inside tasks: their first-level children say what the work is
      continue;
    }
    open = e;
    sums.set(e.name, (sums.get(e.name) || 0) + e.dur / 1000);
  }
  console.log('main-thread work of one load, by kind (ms):');
  for (const [k, v] of [...sums].sort((a, b) => b[1] - a[1]).slice(0, 12))
    console.log(`  ${k.padEnd(30)} ${v.toFixed(1)}`);
}
runs.sort((a, b) => a.marks['first-frame'] - b.marks['first-frame']);
const median = runs[Math.floor(runs.length / 2)];
const fmt = (t) => `${t.toFixed(1)} ms`;
console.log(`first frame over ${runs.length} loads: median ${fmt(median.marks['first-frame'])}, ` +
  `best ${fmt(runs[0].marks['first-frame'])}, worst ${fmt(runs[runs.length - 1].marks['first-frame'])}`);
if (otherRuns.length) {
  otherRuns.sort((a, b) => a.marks['first-frame'] - b.marks['first-frame']);
  const m = otherRuns[Math.floor(otherRuns.length / 2)].marks['first-frame'];
  console.log(`the other build (${compareDir}), loads alternating: median ${fmt(m)}, ` +
    `best ${fmt(otherRuns[0].marks['first-frame'])}, ` +
    `worst ${fmt(otherRuns[otherRuns.length - 1].marks['first-frame'])}`);
}
console.log('marks of the median load (ms from navigation start):');
for (const [k, t] of Object.entries(median.marks).sort((a, b) => a[1] - b[1]))
  console.log(`  ${k.padEnd(14)} ${fmt(t)}`);
console.log('downloads of the median load (start .. end):');
for (const [k, [s, e]] of Object.entries(median.files))
  console.log(`  ${k.padEnd(28)} ${fmt(s)} .. ${fmt(e)}`);

if (check || checkFrame) {
  const failures = [];
  if (raw >= rawLimit) failures.push(`.wasm + .js ${raw} B >= ${rawLimit} B`);
  if (gz >= gzipLimit) failures.push(`.wasm + .js gzip ${gz} B >= ${gzipLimit} B`);
  if (checkFrame && median.marks['first-frame'] >= frameLimit)
    failures.push(`first frame ${fmt(median.marks['first-frame'])} >= ${frameLimit} ms`);
  if (failures.length) {
    console.error('over the limits: ' + failures.join('; '));
    process.exit(1);
  }
}
