// The page's 年度标准 editor in headless chromium, driven through its controls:
// the rows it shows, 添加, 保存 and what it refuses, 删除, 导入, 导出 and 取消,
// and the standards it keeps against the native tool reading the same file.
// Every test has a browser context of its own: nothing kept at the start.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';

import { checkCases, chromium, open, runNative, state, until } from './browser.mjs';

const session = chromium();
const beijing = path.join(process.env.QUORVANE_EXAMPLES_DIR, 'standards-beijing.csv');
const header = '年度,城镇居民人均可支配收入,城镇居民人均消费性支出,住院伙食补助标准,住宿补助标准,职工平均工资,来源';
const builtIn = ['2012,32903,21984,50,50,,内置', '2011,29073,19934,50,50,,内置'];
const fileText = (rows) => [header, ...rows].join('\n') + '\n';

// The rows a file adds as the native tool lists them, newest first.
const nativeFileRows = (file) => runNative(['--standards', file, '--list-standards'])
  .trimEnd().split('\n').slice(1).filter((row) => !row.endsWith(',内置')).reverse();

async function fresh(day, options = {}) {
  return open(await session.browser.createBrowserContext(options), day);
}

async function done(page) {
  await page.browserContext().close();
}

// The table's body rows, each as its texts joined by commas.
const rows = (page) => page.$$eval('#年度标准表 tbody tr', (all) => all.map((tr) =>
  [...tr.querySelectorAll('input')].map((input) => input.value).join(',')));
const stored = (page) => page.evaluate(() => localStorage.getItem('quorvane.standards'));
const years = (page) => page.$eval('#事故发生日年', (e) => [...e.options].map((o) => o.text));
const cell = (page, row, column) =>
  page.$(`#年度标准表 tbody tr:nth-child(${row + 1}) td:nth-child(${column + 1}) input`);

async function typeInto(page, row, column, text) {
  const input = await cell(page, row, column);
  await input.click();
  await input.evaluate((e) => e.select());
  await page.keyboard.press('Backspace');
  await page.keyboard.type(text);
}

async function ctrlClick(page, row, column) {
  await page.keyboard.down('Control');
  await (await cell(page, row, column)).click();
  await page.keyboard.up('Control');
}

// The focused cell: its place in the body, its selected text, whether its row
// is selected; and which rows are selected.
const focus = (page) => page.evaluate(() => {
  const input = document.activeElement;
  const tr = input.closest('#年度标准表 tbody tr');
  return tr && { row: tr.sectionRowIndex, column: input.closest('td').cellIndex,
                 picked: input.value.slice(input.selectionStart, input.selectionEnd),
                 rowSelected: tr.getAttribute('aria-selected') === 'true' };
});
const selected = (page) => page.$$eval('#年度标准表 tbody tr', (all) =>
  all.flatMap((tr, i) => (tr.getAttribute('aria-selected') === 'true' ? [i] : [])));

// Sets a file on 导入's input, as its dialog would, and waits for the table to
// change or an alert.
async function importFile(page, file) {
  const before = JSON.stringify(await rows(page));
  const alerts = page.alerts.length;
  await (await page.$('#导入文件')).uploadFile(file);
  await until(async () => page.alerts.slice(alerts).some((a) => a.startsWith('alert:')) ||
                          JSON.stringify(await rows(page)) !== before);
}

// Keeps a text as the editor keeps it, and opens the page anew.
async function keep(page, text) {
  await page.evaluate((t) => localStorage.setItem('quorvane.standards', t), text);
  await page.reload();
  await page.waitForSelector('html[data-ready="true"]');
}

function write(name, content) {
  const file = path.join(session.dir, name);
  fs.writeFileSync(file, content);
  return file;
}

test('the built-in rows, read-only, over the kept file\'s, newest first; a refused kept text adds none', async () => {
  const page = await fresh('2012-06-01');
  assert.deepEqual(await page.$$eval('#年度标准窗 h2', (all) => all.map((e) => e.textContent)), ['年度标准']);
  assert.deepEqual(await page.$$eval('#年度标准表 thead th', (all) => all.map((e) => e.textContent)),
                   header.split(','));
  assert.deepEqual(await page.$$eval('#年度标准窗 button', (all) => all.map((e) => `${e.id}:${e.textContent}`)),
                   ['添加按钮:添加', '删除按钮:删除', '导入按钮:导入…', '导出按钮:导出', '保存按钮:保存',
                    '取消按钮:取消']);
  assert.deepEqual(await page.$eval('#导入文件', (e) => [e.type, e.accept, e.hidden]),
                   ['file', '.csv,text/csv', true]);
  assert.deepEqual(await rows(page), builtIn);

  await keep(page, fs.readFileSync(beijing, 'utf8'));
  const fileRows = nativeFileRows(beijing);
  assert.equal(fileRows.length, 9);
  assert.deepEqual(await rows(page), [...builtIn, ...fileRows]);
  const kinds = await page.$$eval('#年度标准表 tbody tr', (all) => all.map((tr) => {
    const inputs = [...tr.children].map((td) => td.children);
    return [tr.dataset.builtIn !== undefined, inputs.every((c) => c.length === 1 && c[0].tagName === 'INPUT'),
            inputs.length, [...tr.querySelectorAll('input')].every((i) => i.readOnly)];
  }));
  assert.deepEqual(kinds, fileRows.map(() => [false, true, 7, false])
    .toSpliced(0, 0, [true, true, 7, true], [true, true, 7, true]));

  await keep(page, '年度,城镇居民人均可支配收入\n2011,1\n');
  assert.deepEqual(await rows(page), builtIn);
  assert.deepEqual(await years(page), ['2012', '2011']);
  await page.click('#计算按钮');
  assert.deepEqual(page.alerts, []);
  assert.notEqual((await state(page)).results[0], '');
  await done(page);
});

test('添加 and 保存: the accident year offers the new row, and a case in it is the native tool\'s', async () => {
  const page = await fresh('2026-03-01');
  assert.deepEqual(await years(page), ['2026', '2025']);
  await page.select('#事故发生日年', '2026');
  await page.click('#添加按钮');
  assert.deepEqual(await rows(page), [...builtIn, '2026,,,50,50,,']);
  assert.deepEqual(await focus(page), { row: 2, column: 1, picked: '', rowSelected: true });
  await page.keyboard.type('90000');
  await typeInto(page, 2, 2, '52000');
  await typeInto(page, 2, 4, '60');
  await typeInto(page, 2, 5, '101599');
  await typeInto(page, 2, 6, '手填，"核对"');
  // The picked year has a row now: the next is the newest year + 1, with its rates
  // and no wage.
  await page.click('#添加按钮');
  assert.deepEqual((await rows(page)).slice(2),
                   ['2027,,,50,60,,', '2026,90000,52000,50,60,101599,手填，"核对"']);
  await page.click('#删除按钮');
  assert.equal(await stored(page), null, 'nothing kept before 保存');
  await page.click('#保存按钮');
  assert.deepEqual(page.alerts, []);
  const kept = fileText(['2026,90000,52000,50,60,101599,"手填，""核对"""']);
  assert.equal(await stored(page), kept);
  assert.equal(await page.$eval('#事故发生日年', (e) => e.value), '2026', 'the pick stays');

  const file = write('added.csv', kept);
  assert.deepEqual(nativeFileRows(file), ['2026,90000,52000,50,60,101599,"手填，""核对"""']);
  await checkCases(page, [
    { name: 'the added year', alerts: [], enter: {
      事故发生日年: '2026', 伤残等级: '三', 住院天数: '10', 住宿天数: '4', 孩子1年龄: '4',
      老人1年龄: '70' } },
    { name: 'a year without a row', alerts: ['请升级'], enter: { 事故发生日年: '2025' } },
  ], ['--standards', file]);

  const again = await open(page.browserContext(), '2026-03-01');
  assert.deepEqual((await rows(again)).slice(2), ['2026,90000,52000,50,60,101599,手填，"核对"']);
  await done(page);
});

test('导出 writes the kept table as the native tool and a fresh page read it', async () => {
  const downloads = fs.mkdtempSync(path.join(session.dir, 'downloads-'));
  const page = await fresh('2024-05-01', { downloadBehavior: { policy: 'allow', downloadPath: downloads } });
  await importFile(page, beijing);
  assert.deepEqual(page.alerts, [], 'no question: no year in common');
  await typeInto(page, 10, 1, '36470');
  await page.click('#保存按钮');
  const shown = (await rows(page)).slice(2);
  await typeInto(page, 2, 1, '1'); // unsaved: not exported
  await page.click('#导出按钮');
  const exported = path.join(downloads, 'standards.csv');
  await until(() => fs.existsSync(exported));
  const text = fs.readFileSync(exported, 'utf8');
  assert.equal(text, fileText(shown.map((row) => row.replace(/^2013,36469,/, '2013,36470,'))));
  assert.equal(text, await stored(page));
  assert.equal(runNative(['--standards', exported, '--list-standards']),
               fileText([...builtIn.toReversed(), ...shown]));

  const other = await fresh('2024-05-01');
  await importFile(other, exported);
  assert.deepEqual((await rows(other)).slice(2), shown);
  await other.click('#保存按钮');
  assert.equal(await stored(other), text);
  const cases = [
    { name: '2024 from the export', alerts: [], enter: {
      事故发生日年: '2024', 伤残等级: '四', 住院天数: '12', 误工天数: '30', 最近三年日平均收入: '300',
      孩子1年龄: '8' } },
    { name: '2013, the edited year', alerts: [], enter: { 事故发生日年: '2013', 伤残等级: '二' } },
  ];
  await checkCases(other, cases, ['--standards', exported]);
  await checkCases(page, cases, ['--standards', exported]);
  await done(page);
  await done(other);
});

test('保存 refuses a faulty cell: the message names row and column, the cell is focused, nothing kept', async () => {
  const page = await fresh('2012-06-01');
  await page.click('#添加按钮');
  await page.keyboard.type('36469');
  await typeInto(page, 2, 2, '24046');
  await page.click('#保存按钮');
  const kept = fileText(['2013,36469,24046,50,50,,']);
  assert.equal(await stored(page), kept);
  const notWhole = '不是整数：只能由数字组成，不带小数点、正负号、空格或单位';
  // Each on a new row 2014 (body row 2, 第 3 行) over the kept 2013 (第 4 行).
  const faults = [
    { row: 2, column: 0, text: 'abcd', message: '第 3 行：年度“abcd”不是四位数字' },
    { row: 2, column: 0, text: '2011', message: '第 3 行：2011 年度是内置标准，标准文件不能替换' },
    { row: 3, column: 0, text: '2014', message: '第 4 行：2014 年度在文件中出现了两次' },
    { row: 2, column: 1, text: '4万', message: `第 3 行：城镇居民人均可支配收入“4万”${notWhole}` },
    { row: 2, column: 2, text: '2147483648',
      message: '第 3 行：城镇居民人均消费性支出“2147483648”超过了上限 2147483647' },
    { row: 2, column: 3, text: '50.5', message: `第 3 行：住院伙食补助标准“50.5”${notWhole}` },
    { row: 2, column: 4, text: '', message: `第 3 行：住宿补助标准“”${notWhole}` },
    { row: 3, column: 4, text: '32768', message: '第 4 行：住宿补助标准“32768”超过了上限 32767' },
    { row: 3, column: 1, text: ' 1', message: `第 4 行：城镇居民人均可支配收入“ 1”${notWhole}` },
    { row: 2, column: 5, text: '6.2万', message: `第 3 行：职工平均工资“6.2万”${notWhole}` },
    { row: 3, column: 5, text: '2147483648', message: '第 4 行：职工平均工资“2147483648”超过了上限 2147483647' },
  ];
  for (const { row, column, text, message } of faults) {
    await page.click('#取消按钮');
    await page.click('#添加按钮');
    await page.keyboard.type('40321');
    await typeInto(page, 2, 2, '26275');
    await typeInto(page, row, column, text);
    page.alerts.length = 0;
    await page.click('#保存按钮');
    assert.deepEqual(page.alerts, [`alert:${message}`], message);
    assert.deepEqual(await focus(page), { row, column, picked: text, rowSelected: true }, message);
    assert.deepEqual(await selected(page), [row], message);
    assert.equal(await stored(page), kept, message);
  }
  await done(page);
});

test('删除 takes the selected file rows out; built-in rows stay', async () => {
  const page = await fresh('2012-06-01');
  await keep(page, fs.readFileSync(beijing, 'utf8'));
  const [r2026, r2025, r2024, r2023, r2018, r2017, r2016, r2014, r2013] = nativeFileRows(beijing);
  await (await cell(page, 5, 1)).click();
  assert.deepEqual(await selected(page), [5]);
  await page.click('#删除按钮');
  assert.deepEqual((await rows(page)).slice(2),
                   [r2026, r2025, r2024, r2018, r2017, r2016, r2014, r2013]);

  await (await cell(page, 2, 0)).click();
  await ctrlClick(page, 3, 5);
  await ctrlClick(page, 4, 2);
  await ctrlClick(page, 6, 5);
  assert.deepEqual(await selected(page), [2, 3, 4, 6]);
  await ctrlClick(page, 8, 0);
  await ctrlClick(page, 8, 1);
  assert.deepEqual(await selected(page), [2, 3, 4, 6], 'a second Ctrl-click takes the row out');
  await page.click('#删除按钮');
  assert.deepEqual((await rows(page)).slice(2), [r2018, r2016, r2014, r2013]);

  await ctrlClick(page, 0, 1);
  await (await cell(page, 0, 1)).click();
  assert.deepEqual(await selected(page), [0], 'a plain click selects its row alone');
  await page.click('#删除按钮');
  await (await cell(page, 1, 1)).click();
  await ctrlClick(page, 3, 0);
  await page.click('#删除按钮');
  assert.deepEqual(await rows(page), [...builtIn, r2018, r2014, r2013]);
  await page.click('#保存按钮');
  assert.equal(await stored(page), fileText([r2018, r2014, r2013]));
  await done(page);
});

test('导入: a year the table holds is replaced on OK and kept on Cancel; a refused file changes nothing', async () => {
  const page = await fresh('2012-06-01');
  await page.click('#添加按钮');
  for (const [column, text] of [[1, '1'], [2, '2'], [3, '3'], [4, '4'], [5, '5'], [6, '表中']]) {
    await typeInto(page, 2, column, text);
  }
  await page.click('#保存按钮');
  const mine = '2013,1,2,3,4,5,表中';
  const kept = fileText([mine]);
  assert.equal(await stored(page), kept);
  const [r2026, r2025, r2024, r2023, r2018, r2017, r2016, r2014, r2013] = nativeFileRows(beijing);
  const question = 'confirm:导入的文件中以下年度表中已有：2013。\n替换为导入的数值，还是保留表中的数值？';

  page.confirmAnswer = false;
  await importFile(page, beijing);
  assert.deepEqual(page.alerts, [question]);
  assert.deepEqual((await rows(page)).slice(2),
                   [r2026, r2025, r2024, r2023, r2018, r2017, r2016, r2014, mine]);
  assert.equal(await stored(page), kept, 'imported rows wait for 保存');

  await page.click('#取消按钮');
  page.alerts.length = 0;
  page.confirmAnswer = true;
  await importFile(page, beijing);
  assert.deepEqual(page.alerts, [question]);
  const replaced = [r2026, r2025, r2024, r2023, r2018, r2017, r2016, r2014, r2013];
  assert.deepEqual((await rows(page)).slice(2), replaced);

  const refusals = [
    ['refused.csv', '年度,城镇居民人均可支配收入\n2011,1\n', '第 1 行：标题行缺少“城镇居民人均消费性支出”列'],
    ['gbk.csv', Buffer.from([0xc4, 0xea, 0xb6, 0xc8, 0x0a]), '第 1 行：不是 UTF-8 文本（请另存为 CSV UTF-8 格式）'],
    ['built-in.csv', `${header}\n2012,1,1,1,1,,\n`, '第 2 行：2012 年度是内置标准，标准文件不能替换'],
  ];
  for (const [name, content, reason] of refusals) {
    page.alerts.length = 0;
    await importFile(page, write(name, content));
    assert.deepEqual(page.alerts, [`alert:标准文件未使用：${name} ${reason}`]);
    assert.deepEqual((await rows(page)).slice(2), replaced, name);
  }
  await page.click('#保存按钮');
  assert.equal(await stored(page), fileText(replaced));
  await done(page);
});

test('取消 drops every unsaved edit and shows the kept rows again', async () => {
  const page = await fresh('2014-03-01');
  await keep(page, fs.readFileSync(beijing, 'utf8'));
  const before = await rows(page);
  const list = await years(page);
  await typeInto(page, 2, 1, '1');
  await page.click('#添加按钮');
  await (await cell(page, 5, 0)).click();
  await page.click('#删除按钮');
  await importFile(page, write('more.csv', `${header}\n2030,1,1,1,1,,\n`));
  assert.notDeepEqual(await rows(page), before);
  await page.click('#取消按钮');
  assert.deepEqual(await rows(page), before);
  assert.deepEqual(await selected(page), []);
  assert.deepEqual(await years(page), list);
  assert.equal(await stored(page), fs.readFileSync(beijing, 'utf8'), 'the kept text untouched');
  await done(page);
});
