// The page's case bar in headless chromium: a case saved by the page is read
// by the native tool and opens again as it was; files in the window's format,
// in GB18030 and with several cases open; refused files change nothing; the
// results go to the clipboard as text and as a table.

import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';

import { csvField, inputNames, parseCsv } from './cases.mjs';
import { chromium, download as downloadIn, enter, open as openIn, openFile, readClipboard, runNative,
         state, until } from './browser.mjs';

const session = chromium();
const download = (page, action) => downloadIn(session, action);
const open = async () => {
  const page = await openIn(session.browser, '2012-06-01');
  await page.bringToFront();
  return page;
};

let fileCount = 0;
// A file of the test's own, in a folder of its own.
function file(name, bytes) {
  const dir = path.join(session.dir, `file-${++fileCount}`);
  fs.mkdirSync(dir);
  fs.writeFileSync(path.join(dir, name), bytes);
  return path.join(dir, name);
}

// The window's format: a byte-order mark, and CRLF row ends.
const windowFormat = (rows) => `\uFEFF${rows.map((row) => row.map(csvField).join(',')).join('\r\n')}\r\n`;

const copyDisabled = (page) => page.$eval('#复制结果', (e) => e.disabled);
const listPick = (page, id) => page.$eval(`#${id}`, (e) => e.selectedIndex);

async function calculated(page, texts = {}) {
  await page.click('#清空按钮');
  await enter(page, { 伤残等级: '二', 医疗费: '35000.5', 孩子1年龄: '4', ...texts });
  await page.click('#计算按钮');
  assert.notEqual((await state(page)).results[21], '');
}

test('a saved case: the native tool reads it, and it opens again as it was', async () => {
  const page = await open();
  const typed = { 伤残等级: '三', 医疗费: '1,500', 住院天数: ' 12', 孩子1年龄: '4', 老人1年龄: '',
                  孩子2年龄: 'a"b', 交通费: '3天', 最近三年日平均收入: '120.33', 误工天数: '30' };
  await enter(page, typed);
  await page.click('#计算按钮');
  const shown = await state(page);
  assert.notEqual(shown.results[21], '');

  const saved = await download(page, () => page.click('#保存案例'));
  assert.equal(path.basename(saved), '案例-2011-11-11.csv');
  const bytes = fs.readFileSync(saved);
  assert.deepEqual([...bytes.subarray(0, 3)], [0xef, 0xbb, 0xbf]);
  const text = bytes.toString('utf8');
  assert.equal(text.split('\r\n').length, 3, 'two rows, each ended by CRLF');
  assert.ok(!/[^\r]\n/.test(text));
  const [message, ...results] = parseCsv(runNative([saved]))[1];
  assert.equal(message, '');
  assert.deepEqual(results, shown.results, 'the native tool\'s results are the page\'s');

  const again = await open();
  await openFile(again, saved);
  assert.deepEqual(again.alerts, []);
  assert.deepEqual((await state(again)).inputs, shown.inputs);
  assert.equal(shown.inputs.住院天数, ' 12');

  // Unpicked lists stay unpicked; with no accident year the name is plain.
  await enter(page, { 事故发生日年: null, 夫妻或单亲: null });
  const unpicked = await download(page, async () => {
    await page.focus('#医疗费');
    await page.keyboard.down('Control');
    await page.keyboard.press('s');
    await page.keyboard.up('Control');
  });
  assert.equal(path.basename(unpicked), '案例.csv');
  await openFile(again, unpicked);
  assert.deepEqual((await state(again)).inputs, (await state(page)).inputs);
  assert.equal(await listPick(again, '事故发生日年'), -1);
  assert.equal(await listPick(again, '夫妻或单亲'), -1);
  await Promise.all([page.close(), again.close()]);
});

test('a file in the window\'s format opens over a calculated case, from Ctrl+O', async () => {
  const page = await open();
  await calculated(page);
  await page.$eval('#滚动条', (bar) => { bar.value = '12'; bar.dispatchEvent(new Event('change')); });
  assert.equal(await copyDisabled(page), false);

  const texts = Object.fromEntries(inputNames.map((name) => [name, '']));
  Object.assign(texts, { 受害人生日年: '1975', 受害人生日月: '3', 受害人生日日: '31',
                         事故发生日年: '2012', 事故发生日月: '2', 事故发生日日: '29',
                         夫妻或单亲: '单亲', 伤残等级: '一级', 交通费: '1,500', 老人2年龄: ' 70' });
  const filePath = file('窗口.csv', windowFormat([inputNames, inputNames.map((n) => texts[n])]));
  const [chooser] = await Promise.all([
    page.waitForFileChooser(),
    (async () => {
      await page.keyboard.down('Control');
      await page.keyboard.press('o');
      await page.keyboard.up('Control');
    })(),
  ]);
  await chooser.accept([filePath]);
  await until(async () => (await state(page)).inputs.受害人生日年 === '1975');

  const opened = await state(page);
  assert.deepEqual(opened.inputs, { ...texts, 伤残等级: '' }, '一级 is not offered: unpicked');
  assert.equal(await listPick(page, '伤残等级'), -1);
  assert.ok(opened.results.every((r) => r === '') && opened.working.every((w) => w === ''));
  assert.deepEqual(await page.$eval('#滚动条', (bar) => bar.value), '0');
  assert.equal(await page.$eval('#大图框', (e) => e.style.top), '0px');
  assert.equal(await copyDisabled(page), true);
  assert.deepEqual(page.alerts, []);
  await page.close();
});

test('a GB18030 file opens; fields it has no column for are empty', async () => {
  const text = '事故发生日年,伤残等级,医疗费,案号\r\n2012,五,"2,000",京A-1\r\n';
  const gb = spawnSync('iconv', ['-f', 'utf-8', '-t', 'gb18030'], { input: text });
  assert.equal(gb.status, 0, gb.stderr.toString());
  assert.notDeepEqual(gb.stdout, Buffer.from(text), 'the bytes are not UTF-8');
  const page = await open();
  await openFile(page, file('gb.csv', gb.stdout));
  assert.deepEqual(page.alerts, []);
  const { inputs } = await state(page);
  assert.deepEqual(Object.fromEntries(Object.entries(inputs).filter(([, v]) => v !== '')),
                   { 事故发生日年: '2012', 伤残等级: '五', 医疗费: '2,000' });
  assert.equal(await listPick(page, '受害人生日年'), -1);
  await page.close();
});

test('a file of several cases asks which to open; no answer opens none', async () => {
  const header = ['案号', '事故发生日年', '伤残等级', '医疗费'];
  const filePath = file('几个.csv', windowFormat([
    header, ['甲-1', '2011', '四', '100'], ['', '2012', '五', '200'], ['丙 3', '2011', '六', '300']]));
  const question = 'prompt:几个.csv 中有 3 个案例，打开哪一个？（填序号）\n' +
    '1. 第 2 行  甲-1\n2. 第 3 行\n3. 第 4 行  丙 3';
  const page = await open();
  const answers = [
    { answer: '3', opened: { 事故发生日年: '2011', 伤残等级: '六', 医疗费: '300' }, alerts: [] },
    { answer: ' 2 ', opened: { 事故发生日年: '2012', 伤残等级: '五', 医疗费: '200' }, alerts: [] },
    { answer: null, opened: null, alerts: [] },
    { answer: '7', opened: null, alerts: ['alert:请填 1 到 3 的序号。案例未打开。'] },
    { answer: '第 2 行', opened: null, alerts: ['alert:请填 1 到 3 的序号。案例未打开。'] },
  ];
  for (const { answer, opened, alerts } of answers) {
    await calculated(page, { 医疗费: '50' });
    const before = await state(page);
    page.alerts.length = 0;
    page.promptAnswer = answer;
    await openFile(page, filePath);
    assert.deepEqual(page.alerts, [question, ...alerts], `answer ${answer}`);
    const after = await state(page);
    if (opened === null) {
      assert.deepEqual(after, before, `answer ${answer}: nothing changes`);
    } else {
      for (const [name, text] of Object.entries(opened)) assert.equal(after.inputs[name], text);
      assert.equal(after.inputs.受害人生日年, '', 'a field the file has no column for');
      assert.ok(after.results.every((r) => r === ''));
    }
  }
  await page.close();
});

test('refused files say why, as the window does, and change nothing', async () => {
  const header = inputNames.join(',');
  const refused = [
    { name: 'empty.csv', bytes: '', alert: 'empty.csv:1: the file is empty' },
    { name: 'header.csv', bytes: `\uFEFF${header}\r\n`, alert: 'header.csv:1: the file holds no case' },
    { name: 'unknown.csv', bytes: '事故发生日年,车牌\r\n2012,京A\r\n', alert: /^unknown\.csv:1: .*车牌/ },
    { name: 'long.csv', bytes: `医疗费\r\n${'1'.repeat(2000)}\r\n`,
      alert: 'long.csv:2: 医疗费 is longer than 1024 bytes' },
    { name: 'binary.png', bytes: Buffer.from([0x89, 0x50, 0x4e, 0x47, 0, 0xff, 0xfe, 0x80, 0x0a]),
      alert: /^binary\.png(:\d+)?: .*not UTF-8/ },
    { name: 'big.csv', bytes: Buffer.alloc((16 << 20) + 1, 0x31),
      alert: 'big.csv: the file is larger than 16 MB: not a case file' },
  ];
  const page = await open();
  await calculated(page, { 医疗费: '1234' });
  const before = await state(page);
  for (const { name, bytes, alert } of refused) {
    page.alerts.length = 0;
    await openFile(page, file(name, bytes));
    assert.equal(page.alerts.length, 1, name);
    const prefix = 'alert:案例文件未打开：';
    assert.ok(page.alerts[0].startsWith(prefix), page.alerts[0]);
    const message = page.alerts[0].slice(prefix.length);
    if (typeof alert === 'string') assert.equal(message, alert);
    else assert.match(message, alert);
    assert.deepEqual(await state(page), before, `${name}: nothing changes`);
    assert.equal(await copyDisabled(page), false, `${name}: the results stay to copy`);
  }
  await page.close();
});

test('复制结果 copies the results as text and as a table, while there are any', async () => {
  // Granted while this session lasts.
  const cdp = await session.browser.target().createCDPSession();
  await cdp.send('Browser.grantPermissions',
                 { permissions: ['clipboardReadWrite', 'clipboardSanitizedWrite'] });
  const page = await open();
  const clipboard = () => readClipboard(page);
  assert.equal(await copyDisabled(page), true, 'nothing to copy yet');
  await enter(page, { 伤残等级: '二', 最近三年日平均收入: '120.33', 护理人员1的工资: '80.1',
                      人员1的护理天数: '30', 住院天数: '12', 误工天数: '30', 孩子1年龄: '4',
                      兄弟姐妹人数: '2', 老人1年龄: '65', 交通费: '1200', 医疗费: '35000.5',
                      营养费: '600' });
  await page.click('#计算按钮');
  assert.equal(await copyDisabled(page), false);
  await page.click('#复制结果');
  const { results } = await state(page);

  // The clipboard is written asynchronously: wait for the copy to land.
  let copied;
  await until(async () => {
    copied = await clipboard();
    return copied.text !== null;
  });
  const { text, html } = copied;
  const lines = text.split('\n');
  assert.equal(lines.pop(), '', 'every line ends with a line feed');
  assert.equal(lines.length, 22);
  assert.deepEqual(lines.map((line) => line.split('\t')[1]), results);
  assert.equal(lines[0].split('\t').length, 2);
  assert.ok(lines.every((line) => line.split('\t')[0] !== ''), 'every result has its caption');
  assert.equal(lines[21], `${await page.$eval('label[for="合计"]', (e) => e.textContent)}\t782014.58043375`);
  assert.ok(html.includes('<table border="1" cellspacing="0" cellpadding="3">'), html);
  const cells = [...html.matchAll(/<tr><td>([^<]*)<\/td><td>([^<]*)<\/td><\/tr>/g)];
  assert.deepEqual(cells.map((m) => `${m[1]}\t${m[2]}`), lines);

  // Ctrl+Shift+C copies too; 清空 leaves nothing to copy.
  await page.evaluate(() => navigator.clipboard.writeText('other'));
  await page.keyboard.down('Control');
  await page.keyboard.down('Shift');
  await page.keyboard.press('C');
  await page.keyboard.up('Shift');
  await page.keyboard.up('Control');
  await until(() => page.evaluate(() => navigator.clipboard.readText().then((t) => t !== 'other',
                                                                           () => false)));
  assert.equal((await clipboard()).text, text);
  await page.click('#清空按钮');
  assert.equal(await copyDisabled(page), true);
  await page.close();
  await cdp.detach();
});
