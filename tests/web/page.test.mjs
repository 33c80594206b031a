// build/web/quorvane.html in headless chromium, with the browser's date fixed:
// the controls, the start-up lists, typed cases against the native tool, the
// reset, scrolling, the links and the printed report. The standards editor
// has its tests in editor.test.mjs.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import { test } from 'node:test';
import { gzipSync } from 'node:zlib';

import { inputNames, resultNames } from './cases.mjs';
import { checkCases, chromium, enter, open as openIn, state } from './browser.mjs';

const screenshot = process.env.QUORVANE_SCREENSHOT;
const session = chromium();
const open = (day) => openIn(session.browser, day);

const startUpInputs = {
  受害人生日年: '1988', 受害人生日月: '8', 受害人生日日: '8', 事故发生日年: '2011',
  事故发生日月: '11', 事故发生日日: '11', 夫妻或单亲: '夫妻', 伤残等级: '一',
};

// What a slow connection waits for: the one file, gzipped as a web server would.
test('the page is at most 150,000 bytes gzipped', () => {
  const size = gzipSync(fs.readFileSync(process.env.QUORVANE_PAGE), { level: 9 }).length;
  assert.ok(size <= 150_000, `${size} bytes gzipped`);
});

test('every control of the catalogue, in its place, as its kind of element', async () => {
  const page = await open('2012-06-01');
  const controls = await page.$$eval('#窗口 [id]', (all) => all.map((e) => ({
    id: e.id, tag: e.tagName, type: e.getAttribute('type'), text: e.textContent,
    left: e.style.left, top: e.style.top, width: e.style.width, height: e.style.height,
  })));
  assert.equal(controls.length, 118);
  assert.equal(new Set(controls.map((c) => c.id)).size, 118);
  const byId = Object.fromEntries(controls.map((c) => [c.id, c]));
  for (const id of [...inputNames, ...resultNames]) {
    const isList = id in startUpInputs;
    assert.equal(byId[id].tag, isList ? 'SELECT' : 'INPUT', id);
  }
  assert.equal(controls.filter((c) => c.tag === 'SELECT').length, 8);
  assert.equal(controls.filter((c) => c.tag === 'INPUT' && c.type === 'text').length, 45);
  assert.deepEqual(controls.filter((c) => c.tag === 'BUTTON').map((c) => [c.id, c.text]),
                   [['计算按钮', '计算'], ['清空按钮', '清空'], ['法条依据按钮', '法条依据']]);
  assert.deepEqual(controls.filter((c) => c.tag === 'A').map((c) => c.id), ['主页']);
  // twips / 15, rounded as the window rounds
  const place = (id) => [byId[id].left, byId[id].top, byId[id].width, byId[id].height].join(' ');
  assert.equal(place('大图框'), '8px 0px 657px 817px');
  assert.equal(place('伤残赔偿金'), '512px 56px 121px 18px');
  assert.equal(place('Label17'), '0px 488px 129px 17px');
  assert.equal(place('主页'), '216px 768px 121px 17px');
  assert.equal(byId.Label17.text, '兄弟姐妹人数不含自己');
  assert.equal(await page.title(), 'Quorvane');
  assert.equal(await page.evaluate(() => document.activeElement.id), '大图框');
  await page.close();
});

test('start-up lists and picks for the browser date', async () => {
  const page = await open('2012-06-01');
  const lists = await page.$$eval('select', (all) => Object.fromEntries(all.map((e) =>
    [e.id, { items: [...e.options].map((o) => o.text), picked: e.value }])));
  const range = (from, to) => Array.from({ length: Math.abs(to - from) + 1 },
                                         (_, i) => String(from + (from <= to ? i : -i)));
  assert.deepEqual(lists.夫妻或单亲, { items: ['单亲', '夫妻'], picked: '夫妻' });
  assert.deepEqual(lists.伤残等级.items, ['一', '二', '三', '四', '五', '六', '七', '八', '九', '十']);
  assert.deepEqual(lists.受害人生日年, { items: range(2012, 1920), picked: '1988' });
  assert.equal(lists.受害人生日年.items.length, 93);
  assert.deepEqual(lists.受害人生日月, { items: range(1, 12), picked: '8' });
  assert.deepEqual(lists.受害人生日日, { items: range(1, 31), picked: '8' });
  assert.deepEqual(lists.事故发生日年, { items: ['2012', '2011'], picked: '2011' });
  assert.deepEqual(lists.事故发生日月, { items: range(1, 12), picked: '11' });
  assert.deepEqual(lists.事故发生日日, { items: range(1, 31), picked: '11' });
  const { inputs, results } = await state(page);
  assert.deepEqual(Object.fromEntries(Object.entries(inputs).filter(([, v]) => v !== '')),
                   startUpInputs);
  assert.ok(results.every((r) => r === ''));
  await page.close();
});

test('typed cases give the native tool\'s messages and results', async () => {
  const page = await open('2012-06-01');
  await checkCases(page, [
    { name: 'start-up case', enter: {}, alerts: [] },
    { name: 'worked example', alerts: [], enter: {
      受害人生日年: '1980', 受害人生日月: '1', 受害人生日日: '1', 事故发生日年: '2012',
      伤残等级: '二', 孩子1年龄: '4', 老人1年龄: '65', 兄弟姐妹人数: '2' } },
    { name: 'every field', alerts: [], enter: {
      受害人生日年: '1950', 受害人生日月: '1', 受害人生日日: '10', 事故发生日月: '1',
      事故发生日日: '1', 夫妻或单亲: '单亲', 伤残等级: '五', 护理人员1的工资: '150',
      人员1的护理天数: '20', 护理人员2的工资: '80.1', 人员2的护理天数: '3天', 住院天数: '1 0',
      最近三年日平均收入: '120.33', 误工天数: '60', 住宿天数: '&H10', 孩子1年龄: '10',
      孩子2年龄: '17.5', 孩子3年龄: '0', 孩子4年龄: 'abc', 孩子5年龄: '3', 孩子6年龄: '1E1',
      老人1年龄: '82', 老人2年龄: '60', 老人3年龄: '59', 老人4年龄: '100', 兄弟姐妹人数: '1',
      交通费: '1,500', 医疗费: '35000.5', 营养费: '0.1', 残疾辅助器具: '2d-2' } },
    { name: 'grade 九 and a carried date', alerts: [], enter: {
      伤残等级: '九', 受害人生日月: '2', 受害人生日日: '30', 孩子1年龄: '1', 老人1年龄: '70' } },
    { name: 'birth after the accident', alerts: [], enter: { 受害人生日年: '2012' } },
    { name: 'birth month empty', alerts: ['请选择受害人生日.'], enter: { 受害人生日月: null } },
    { name: 'accident day empty', alerts: ['请选择事故发生日.'], enter: { 事故发生日日: null } },
    { name: 'both dates incomplete', alerts: ['请选择受害人生日.'],
      enter: { 受害人生日年: null, 事故发生日年: null } },
    { name: 'siblings -1', alerts: ['兄弟姐妹人数不能为-1.'], enter: { 兄弟姐妹人数: '-1' } },
    { name: 'beyond the range', alerts: ['数值超出计算范围.'], enter: { 医疗费: '1E400' } },
  ]);
  await page.close();
});

test('a year without standards: "请升级", then the results', async () => {
  const page = await open('2014-03-01');
  assert.equal(await page.$eval('#事故发生日年', (e) => e.value), '');
  await checkCases(page, [
    { name: 'accident year unpicked', alerts: ['请选择事故发生日.'], enter: {} },
    { name: 'year without standards', alerts: ['请升级'],
      enter: { 事故发生日年: '2014', 住院天数: '10', 误工天数: '5', 最近三年日平均收入: '100',
               孩子1年龄: '4', 医疗费: '800' } },
    { name: 'notice, then a stop', alerts: ['请升级', '兄弟姐妹人数不能为-1.'],
      enter: { 事故发生日年: '2013', 兄弟姐妹人数: '-1' } },
  ]);
  await page.close();
});

test('a stop writes nothing; the reset brings back the start-up window', async () => {
  const page = await open('2012-06-01');
  await enter(page, { 医疗费: '100', 伤残等级: '三' });
  await page.click('#计算按钮');
  const done = await state(page);
  assert.equal(done.results[18], '100');
  await enter(page, { 受害人生日日: null });
  await page.click('#计算按钮');
  assert.deepEqual((await state(page)).results, done.results);

  const scroll = (value) => page.$eval('#滚动条', (bar, v) => {
    bar.value = v;
    bar.dispatchEvent(new Event('change'));
    return document.getElementById('大图框').style.top;
  }, value);
  assert.equal(await scroll('24'), '-800px');
  assert.equal(await scroll('1'), '-33px');
  await page.click('#清空按钮');
  const fresh = await state(page);
  assert.ok(fresh.results.every((r) => r === '') && fresh.working.every((w) => w === ''));
  assert.equal(fresh.inputs.医疗费, '');
  assert.equal(fresh.inputs.伤残等级, '一');
  assert.equal(fresh.inputs.受害人生日日, '8');
  assert.deepEqual(await page.$eval('#滚动条', (bar) => [bar.max, bar.value]), ['25', '0']);
  assert.equal(await page.$eval('#大图框', (e) => e.style.top), '0px');
  await page.close();
});

test('the links go to the publisher\'s pages, in a new tab', async () => {
  const page = await open('2012-06-01');
  const link = await page.$eval('#主页', (a) => [a.href, a.target]);
  assert.deepEqual(link, ['http://www.quorvane.com/', '_blank']);
  await page.click('#法条依据按钮');
  const opened = await page.evaluate(() => window.__opened);
  assert.deepEqual(opened, [['http://www.quorvane.com/Topic.aspx?Id=15598', '_blank', 'noopener']]);
  await page.close();
});

test('the worked example of the desktop screenshot, its printed report and the page\'s', async () => {
  const page = await open('2012-06-01');
  await enter(page, {
    伤残等级: '二', 最近三年日平均收入: '120.33', 护理人员1的工资: '80.1', 人员1的护理天数: '30',
    住院天数: '12', 误工天数: '30', 孩子1年龄: '4', 兄弟姐妹人数: '2', 老人1年龄: '65',
    交通费: '1200', 医疗费: '35000.5', 营养费: '600' });
  await page.click('#计算按钮');
  const { results, working } = await state(page);
  assert.equal(results[0], '523313.986136913');
  assert.equal(results[16], '215287.194296837');
  assert.equal(results[21], '782014.58043375');
  assert.match(working[0], /29073/);

  await page.evaluate(() => window.dispatchEvent(new Event('beforeprint')));
  await page.emulateMediaType('print');
  const report = await page.$eval('#报告', (e) => ({ text: e.innerText, shown: e.offsetHeight > 0 }));
  assert.ok(report.shown);
  assert.match(report.text, /人身损害赔偿计算书/);
  assert.match(report.text, /打印日期：2012年6月1日/);
  assert.ok(report.text.includes('合计\t782014.58043375'), 'the total as the window shows it');
  assert.equal(await page.$eval('#宿主', (e) => e.offsetHeight), 0);
  assert.equal(await page.$eval('#年度标准窗', (e) => e.offsetHeight), 0, 'no editor on paper');
  assert.equal(await page.$eval('#案例栏', (e) => e.offsetHeight), 0, 'no case buttons on paper');
  await page.emulateMediaType('screen');
  if (screenshot) {
    // The window, the case bar, a claim sheet and the standards editor under them.
    await enter(page, { 计算标准年度: '2012', 交强险: '有责', 责任比例: '70', 商业三者险限额: '500000' });
    await page.evaluate(() => { document.activeElement.blur(); window.scrollTo(0, 0); });
    const [top, bottom] = await Promise.all(['#窗口', '#年度标准窗'].map((s) => page.$(s)));
    const [a, b] = await Promise.all([top.boundingBox(), bottom.boundingBox()]);
    const x = Math.min(a.x, b.x);
    const clip = { x, y: a.y, width: Math.max(a.x + a.width, b.x + b.width) - x,
                   height: b.y + b.height - a.y };
    await page.setViewport({ width: 760, height: Math.ceil(clip.y + clip.height) + 16 });
    await page.screenshot({ path: screenshot, clip });
  }
  await page.close();
});
