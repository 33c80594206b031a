// build/web/quorvane.html in headless chromium, driven as a user drives it,
// with the browser's date fixed, against the native tool.

import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before } from 'node:test';
import { pathToFileURL } from 'node:url';

import puppeteer from 'puppeteer-core';

import { csvOf, inputNames, parseCsv, resultNames } from './cases.mjs';

const native = process.env.QUORVANE_NATIVE_CALC;
const pageFile = process.env.QUORVANE_PAGE;

// A chromium of the test file's own, with a profile that goes with it:
// { browser, dir } once the tests start, dir a folder for the tests' files.
export function chromium() {
  const session = { browser: null, dir: fs.mkdtempSync(path.join(os.tmpdir(), 'quorvane-chromium-')) };
  before(async () => {
    session.browser = await puppeteer.launch({
      executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
      userDataDir: path.join(session.dir, 'profile'),
      args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
             '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    });
  });
  after(async () => {
    await session.browser?.close();
    fs.rmSync(session.dir, { recursive: true, force: true });
  });
  return session;
}

// The page opened from file:// on the given day, in a browser or one of its
// contexts; every alert is recorded and closed, a confirm answered as
// page.confirmAnswer says (OK unless it is set to false), and a prompt with
// page.promptAnswer (its default unless set; null cancels it).
export async function open(browser, day) {
  const page = await browser.newPage();
  await page.setViewport({ width: 760, height: 860 });
  await page.evaluateOnNewDocument((fixed) => {
    const RealDate = Date;
    const now = new RealDate(fixed).getTime();
    globalThis.Date = class extends RealDate {
      constructor(...args) { super(...(args.length ? args : [now])); }
      static now() { return now; }
    };
    window.__opened = [];
    window.open = (...args) => { window.__opened.push(args); return null; };
  }, `${day}T12:00:00`);
  page.alerts = [];
  page.confirmAnswer = true;
  page.promptAnswer = undefined;
  page.on('dialog', async (dialog) => {
    page.alerts.push(`${dialog.type()}:${dialog.message()}`);
    if (dialog.type() === 'confirm' && !page.confirmAnswer) await dialog.dismiss();
    else if (dialog.type() === 'prompt' && page.promptAnswer === null) await dialog.dismiss();
    else if (dialog.type() === 'prompt') await dialog.accept(page.promptAnswer ?? dialog.defaultValue());
    else await dialog.accept();
  });
  await page.goto(pathToFileURL(pageFile).href);
  await page.waitForSelector('html[data-ready="true"]');
  return page;
}

// Waits, a little at a time, until ready() holds or ten seconds have passed.
export async function until(ready) {
  for (let waited = 0; !(await ready()) && waited < 10000; waited += 50) {
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

// Sets the file on the case bar's hidden input as the chooser does, and waits
// until the page has done with it (it empties the input then).
export async function openFile(page, filePath) {
  const input = await page.$('#打开案例文件');
  await input.uploadFile(filePath);
  await until(() => page.$eval('#打开案例文件', (e) => e.files.length === 0));
}

let downloads = 0;
// What the action (保存案例, say) downloads, into a folder of its own in the
// session's: the file.
export async function download(session, action) {
  const dir = path.join(session.dir, `download-${++downloads}`);
  const cdp = await session.browser.target().createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: dir });
  await action();
  const done = () => fs.existsSync(dir) &&
    fs.readdirSync(dir).some((name) => !name.endsWith('.crdownload'));
  await until(done);
  await cdp.detach();
  assert.ok(done(), 'a file is downloaded');
  return path.join(dir, fs.readdirSync(dir)[0]);
}

// The clipboard's text and HTML (null where it has none), once the session
// may read it.
export const readClipboard = (page) => page.evaluate(async () => {
  const [item] = await navigator.clipboard.read();
  const read = async (type) => (item.types.includes(type) ? (await item.getType(type)).text() : null);
  return { text: await read('text/plain'), html: await read('text/html') };
});

export const state = (page) => page.evaluate((inputs, results) => {
  const value = (id) => document.getElementById(id).value;
  return {
    inputs: Object.fromEntries(inputs.map((id) => [id, value(id)])),
    results: results.map(value),
    working: results.map((id) => document.getElementById(id).title),
  };
}, inputNames, resultNames);

// Types texts and picks items as a user would; null leaves a list unpicked,
// which only a script can do.
export async function enter(page, texts) {
  for (const [id, text] of Object.entries(texts)) {
    const kind = await page.$eval(`#${id}`, (e) => e.tagName);
    if (kind === 'SELECT') {
      if (text === null) await page.$eval(`#${id}`, (e) => { e.selectedIndex = -1; });
      else assert.deepEqual(await page.select(`#${id}`, text), [text], `${id} offers ${text}`);
    } else {
      // Emptied as a user empties it: the page hears of it.
      await page.$eval(`#${id}`, (e) => {
        e.value = '';
        e.dispatchEvent(new Event('input', { bubbles: true }));
      });
      await page.type(`#${id}`, text);
    }
  }
}

// The native tool's run: its output rows after the header, or (with
// --list-standards) its whole output as text.
export function runNative(args, input = '') {
  const env = { ...process.env, XDG_CONFIG_HOME: path.join(os.tmpdir(), 'quorvane-no-config') };
  const run = spawnSync(native, args, { input, env });
  assert.equal(run.status, 0, run.stderr.toString());
  return run.stdout.toString();
}

const nativeRows = (cases, args) => parseCsv(runNative(args, csvOf(cases))).slice(1);

// Each case starts from a reset window; the page must show what the native tool
// writes: the same message last, and on a completed run the same 22 texts.
export async function checkCases(page, cases, args = []) {
  const seen = [];
  for (const c of cases) {
    await page.click('#清空按钮');
    await enter(page, c.enter);
    page.alerts.length = 0;
    await page.click('#计算按钮');
    seen.push({ ...(await state(page)), alerts: [...page.alerts] });
  }
  const expected = nativeRows(seen.map((s) => s.inputs), args);
  cases.forEach((c, i) => {
    const [message, ...results] = expected[i];
    const { alerts } = seen[i];
    if (c.alerts) assert.deepEqual(alerts, c.alerts.map((a) => `alert:${a}`), c.name);
    assert.equal(alerts.at(-1) ?? 'alert:', `alert:${message}`, `${c.name}: message`);
    assert.deepEqual(seen[i].results, results, `${c.name}: results`);
    if (results[0] !== '') assert.ok(seen[i].working.every((w) => w !== ''), `${c.name}: working`);
  });
}
