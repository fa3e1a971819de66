// One scenario, two backends: the page's herosheetCommand (web backend, real DOM events) and
// herosheet-sim built from the same sources (headless backend, under Node.js) answer alike.
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {spawnSync} from 'node:child_process';
import {mkdtemp, mkdir, copyFile, rm} from 'node:fs/promises';
import {existsSync} from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {serve, launch, open, command, buildDir, sampleDir} from './support.mjs';

const sim = path.join(buildDir, 'app', 'herosheet-sim.js');
const scenario = [
  'dump',
  'hover q2.3', 'dump',
  'click q1.2', 'click q2.3', 'click q4.6', 'dump',
  'hover attrib.name.1', 'dump',
  'hover skills.name.3', 'dump',
  'hover form', 'dump',
  'click settings', 'pick panel.language ru', 'dump',
  'click panel.exit', 'click clear', 'dump',
  'key Tab', 'key Tab', 'key Down', 'key Space', 'dump', 'key Shift+Tab', 'dump',
  'click nowhere', 'pick panel.language xx',
];

let server, browser, dir;

before(async () => {
  dir = await mkdtemp(path.join(os.tmpdir(), 'herosheet-sim-'));
  await mkdir(path.join(dir, 'program'));
  await mkdir(path.join(dir, 'data'));
  for (const f of ['choice.ini', 'array.ini', 'en.lng', 'ru.lng'])
    await copyFile(path.join(sampleDir, f), path.join(dir, 'data', f));
  for (const f of ['config.ini', 'en.lng', 'ru.lng'])
    await copyFile(path.join(sampleDir, f), path.join(dir, 'program', f));
  server = await serve();
  browser = await launch();
});

after(async () => {
  await browser?.close();
  server?.close();
  await rm(dir, {recursive: true, force: true});
});

test('the page and herosheet-sim answer one scenario alike', {skip: !existsSync(sim)}, async () => {
  const run = spawnSync(process.execPath,
    ['--no-experimental-fetch', sim, '--program-dir', path.join(dir, 'program')],
    {cwd: path.join(dir, 'data'), input: scenario.join('\n') + '\n', encoding: 'utf8'});
  assert.equal(run.status, 0, run.stderr);

  const context = await browser.createBrowserContext();
  const errors = [];
  const page = await open(context, `${server.url}/herosheet.html`, errors);
  let answers = '';
  for (const line of scenario) answers += await command(page, line);
  await context.close();

  const simLines = run.stdout.split('\n'), pageLines = answers.split('\n');
  assert.ok(simLines.length > 500);
  for (let i = 0; i < Math.max(simLines.length, pageLines.length); i++)
    assert.equal(pageLines[i], simLines[i], `line ${i + 1}`);
  assert.deepEqual(errors, []);
});
