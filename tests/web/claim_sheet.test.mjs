// The page's 赔偿清单 in headless chromium: the sheet follows the window's
// fields and its own inputs and shows the table the native tool writes for the
// same case, refusals and working included; it goes by the kept standards, is
// saved, opened and printed with the case, and copied with its header.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';

import { csvField, inputNames, parseCsv } from './cases.mjs';
import { chromium, download, enter, open, openFile, readClipboard, runNative, state, until }
  from './browser.mjs';

const session = chromium();
const claimNames = ['计算标准年度', '定残日', '伤残附加指数', '精神损害抚慰金', '交强险', '责任比例',
                    '商业三者险限额', '案件类型', '护理依赖', '后续护理年限', '后续护理日工资', '后续治疗费',
                    '财产损失', '鉴定费',
                    ...['交强险', '责任比例', '商业三者险限额'].flatMap((n) => [`车辆2${n}`, `车辆3${n}`]),
                    ...['死亡伤残', '医疗费用', '财产损失'].map((head) => `其他受害人${head}`),
                    '简易程序'];
const noClaim = Object.fromEntries(claimNames.map((n) => [n, '']));
const example = {
  伤残等级: '十', 人员1的护理天数: '30', 护理人员1的工资: '100', 住院天数: '20', 误工天数: '90',
  最近三年日平均收入: '200', 孩子1年龄: '4', 老人1年龄: '65', 兄弟姐妹人数: '2', 交通费: '1200',
  医疗费: '35000.50', 营养费: '600', 计算标准年度: '2012', 伤残附加指数: '3', 精神损害抚慰金: '10000',
  交强险: '有责', 责任比例: '70', 商业三者险限额: '500000',
};
const columns = ['序号', '项目', '计算方式', '金额（元）', '依据'];
// The example's table: 序号, 项目, 金额 of the 9 items claimed, 合计 and who pays.
const exampleRows = [
  ['1', '残疾赔偿金', '85547.80'], ['2', '护理费', '3000.00'], ['3', '住院伙食补助费', '1000.00'],
  ['4', '误工费', '18000.00'], ['5', '被扶养人生活费', '34295.04'], ['6', '交通费', '1200.00'],
  ['7', '医疗费', '35000.50'], ['8', '营养费', '600.00'], ['9', '精神损害抚慰金', '10000.00'],
  ['', '合计', '188643.34'], ['', '交强险（医疗费用）', '10000.00'], ['', '交强险（死亡伤残）', '110000.00'],
  ['', '剩余损失', '68643.34'], ['', '责任方承担', '48050.34'], ['', '商业三者险', '48050.34'],
  ['', '受害人自担', '20593.00'],
];
// The table as shown: its header, and each row's class (item, total or payer) and cells.
const sheet = async (page) => ({ inputs: (await state(page)).inputs, ...(await page.evaluate((names) => {
  const table = document.getElementById('赔偿清单表');
  const cells = (tr) => [...tr.cells].map((cell) => cell.textContent);
  return {
    claim: Object.fromEntries(names.map((id) => [id, document.getElementById(id).value])),
    notice: document.getElementById('清单提示').textContent,
    fee: document.getElementById('案件受理费').textContent,
    copyOff: document.getElementById('复制清单按钮').disabled,
    header: [...table.tHead.rows].map(cells),
    kinds: [...table.tBodies[0].rows].map((tr) => tr.className),
    rows: [...table.tBodies[0].rows].map(cells),
  };
}, claimNames)) });
const amount = (shown, name) => shown.rows.find((cells) => cells[1] === name)?.[3];
// The rows of the table in a native --explain report's 【赔偿清单】, under its
// header, and the line under them (the court fee, empty for a refusal).
function filed(report) {
  const lines = (report.split('\n【').find((part) => part.startsWith('赔偿清单】')) ?? '').split('\n');
  const from = lines.indexOf(columns.join('\t'));
  if (from < 0) return { rows: [], fee: '' };
  const rows = lines.slice(from + 1);
  const end = rows.findIndex((line) => !line.includes('\t'));
  const stop = end < 0 ? rows.length : end;
  return { rows: rows.slice(0, stop).map((line) => line.split('\t')), fee: rows[stop] ?? '' };
}
const filedRows = (report) => filed(report).rows;

// Each shown sheet is the native tool's for its 31 inputs and 24 claim inputs:
// the notice of its claim columns, and the table of its --explain report, cell
// for cell, with the fee under it (a refusal shows the header alone).
function assertNative(shown, label, args = []) {
  const names = [...inputNames, ...claimNames];
  const csv = [names, ...shown.map((s) => names.map((n) => ({ ...s.inputs, ...s.claim })[n]))]
    .map((row) => row.map(csvField).join(',')).join('\n') + '\n';
  const [header, ...rows] = parseCsv(runNative(args, csv));
  const reports = runNative([...args, '--explain'], csv).split(/^==== 案例 .*\n/m).slice(1);
  shown.forEach((s, i) => {
    assert.deepEqual(s.header, [columns], label[i]);
    assert.equal(s.notice, rows[i][header.indexOf('清单提示')], label[i]);
    assert.deepEqual(s.rows, filedRows(reports[i]), label[i]);
    assert.equal(s.fee, filed(reports[i]).fee, label[i]);
    assert.deepEqual(s.kinds, s.rows.map(([number, name]) => {
      if (number !== '') return 'item';
      return name === '合计' ? 'total' : 'payer';
    }), label[i]);
  });
}

test('the sheet follows the fields and its inputs, as the native tool writes it', async () => {
  const page = await open(session.browser, '2012-06-01');
  const steps = [
    ['start-up case', {}],
    ['worked example', example],
    ['the summary procedure', { 简易程序: '是' }],
    ['a window field, no 计算', { 伤残等级: '九', 孩子2年龄: '17' }],
    ['refused: a window text', { 医疗费: '1,500' }],
    ['no 交强险, whole liability', { 医疗费: '800', 交强险: '', 责任比例: '' }],
    ['无责, assessed later, the accident year', { 交强险: '无责', 定残日: '2012-11-30', 计算标准年度: '' }],
    ['later care, property, fees, a second car, other victims', {
      责任比例: '60', 护理依赖: '大部分', 后续护理年限: '3', 后续护理日工资: '120', 财产损失: '2500',
      鉴定费: '1800', 车辆2交强险: '有责', 车辆2责任比例: '30', 车辆2商业三者险限额: '0',
      其他受害人医疗费用: '9000' }],
    ['refused: the shares add up to 100.01', { 车辆3责任比例: '10.01' }],
    ['refused: a date that does not exist', { 定残日: '2011-02-30' }],
    ['refused: a year without standards', { 定残日: '', 计算标准年度: '2013' }],
    ['清空 empties the section', null],
  ];
  const shown = [];
  for (const [, texts] of steps) {
    if (texts === null) await page.click('#清空按钮');
    else await enter(page, texts);
    shown.push(await sheet(page));
  }
  assert.deepEqual(page.alerts, []);
  assert.deepEqual((await page.$$eval('#清单输入 [id]', (all) => all.map((e) => e.id))).sort(),
                   [...claimNames].sort(), 'an input for each claim input');
  assert.deepEqual(shown[1].rows.map(([number, name, , text]) => [number, name, text]),
                   exampleRows, 'the worked example: no 0.00 item, no 侵权人 at 0.00');
  assert.deepEqual([shown[1].fee, shown[2].fee], [
    '案件受理费 3661.01 元（按诉讼请求 168050.34 元，诉讼费用交纳办法第十三条）',
    '案件受理费 1830.50 元（按诉讼请求 168050.34 元，诉讼费用交纳办法第十三条，简易程序减半）']);
  const refused = steps.map(([label]) => label.startsWith('refused'));
  assert.deepEqual(shown.map((s) => s.notice !== ''), refused);
  assert.deepEqual(shown.map((s) => s.copyOff), refused, '复制清单 only for a sheet');
  assert.deepEqual(shown.at(-1).claim, noClaim);
  assertNative(shown, steps.map(([label]) => label));
  assert.deepEqual(await page.$$eval('#计算标准年度列表 option', (all) => all.map((o) => o.value)),
                   ['2012', '2011']);

  // Standards saved in the editor: their years offered at once, and the sheet goes by them.
  const beijing = path.join(process.env.QUORVANE_EXAMPLES_DIR, 'standards-beijing.csv');
  await (await page.$('#导入文件')).uploadFile(beijing);
  await until(() => page.$$eval('#年度标准表 tbody tr', (all) => all.length > 2));
  await page.click('#保存按钮');
  assert.deepEqual(await page.$$eval('#计算标准年度列表 option', (all) => all.map((o) => o.value)),
                   ['2026', '2025', '2024', '2023', '2018', '2017', '2016', '2014', '2013', '2012',
                    '2011']);
  await enter(page, { ...example, 计算标准年度: '2024' });
  assertNative([await sheet(page)], ['2024'], ['--standards', beijing]);

  // A death case goes by the saved row's average wage.
  await enter(page, {
    受害人生日年: '1960', 受害人生日月: '3', 受害人生日日: '15', 事故发生日年: '2013', 事故发生日月: '6',
    事故发生日日: '1', 孩子1年龄: '16', 老人1年龄: '80', 兄弟姐妹人数: '1', 人员1的护理天数: '',
    护理人员1的工资: '', 住院天数: '5', 误工天数: '10', 最近三年日平均收入: '300', 交通费: '3000',
    医疗费: '52000', 营养费: '', 计算标准年度: '2014', 案件类型: '死亡', 伤残附加指数: '',
    精神损害抚慰金: '50000', 责任比例: '100', 商业三者险限额: '1000000',
  });
  const died = await sheet(page);
  assert.equal(amount(died, '合计'), '1041393.00');

  // Two cars: later care, later treatment, property and fees, each car's insurers.
  await page.click('#清空按钮');
  await enter(page, {
    受害人生日年: '1970', 受害人生日月: '5', 受害人生日日: '20', 事故发生日年: '2023', 事故发生日月: '3',
    事故发生日日: '15', 夫妻或单亲: '夫妻', 伤残等级: '五', 人员1的护理天数: '60', 护理人员1的工资: '150',
    住院天数: '60', 误工天数: '200', 最近三年日平均收入: '300', 孩子1年龄: '10', 交通费: '2000',
    医疗费: '120000', 营养费: '3000', 计算标准年度: '2024', 定残日: '2023-09-01', 精神损害抚慰金: '30000',
    护理依赖: '部分', 后续护理年限: '10', 后续护理日工资: '150', 后续治疗费: '20000', 财产损失: '3000',
    鉴定费: '3500', 交强险: '有责', 责任比例: '70', 商业三者险限额: '1000000', 车辆2交强险: '有责',
    车辆2责任比例: '20', 车辆2商业三者险限额: '200000',
  });
  const twoCars = await sheet(page);
  assert.deepEqual(['后续护理费', '合计', '剩余损失', '车辆1 商业三者险', '车辆2 侵权人']
    .map((name) => amount(twoCars, name)), ['273750.00', '1713202.80', '1314202.80', '919941.96',
                                             '62840.56']);
  assertNative([died, twoCars], ['death', 'two cars'], ['--standards', beijing]);
  await page.close();
});

test('saved with the case, read by the native tool, opened again, printed, copied', async () => {
  const page = await open(session.browser, '2012-06-01');
  await enter(page, {
    ...example, 定残日: '2012-01-05', 护理依赖: '完全', 后续护理年限: '2', 后续护理日工资: '100',
    鉴定费: '1500', 车辆3交强险: '无责', 车辆3责任比例: '0', 其他受害人死亡伤残: '40000' });
  const shown = await sheet(page);
  const saved = await download(session, () => page.click('#保存案例'));
  const [header, row] = parseCsv(runNative([saved]));
  const at = (name) => row[header.indexOf(name)];
  assert.equal(at('清单提示'), shown.notice);
  assert.deepEqual(shown.rows, filedRows(runNative([saved, '--explain'])));
  const plain = path.join(session.dir, 'plain.csv');
  fs.writeFileSync(plain, '伤残等级,医疗费\r\n五,100\r\n');
  await openFile(page, plain);
  assert.deepEqual((await sheet(page)).claim, noClaim, 'no claim columns: an empty section');

  // Printed with 【赔偿清单】 while any claim input is set.
  const printed = async () => {
    await page.evaluate(() => window.dispatchEvent(new Event('beforeprint')));
    await page.emulateMediaType('print');
    return page.$eval('#报告', (e) => e.innerText);
  };
  assert.ok(!(await printed()).includes('赔偿清单'));
  await openFile(page, saved);
  assert.deepEqual(await sheet(page), shown);
  const report = await printed();
  // The inputs as entered, then the sheet as filed: a row a claimed item, the payers after.
  for (const line of ['赔偿清单', '定残日\t2012-01-05', '护理依赖\t完全',
                      '序号\t项目\t计算方式\t金额（元）\t依据', '1\t残疾赔偿金\t',
                      '\t85547.80\t人身损害赔偿解释第十二条', '\t73000.00\t人身损害赔偿解释第八条',
                      `\t${at('受害人自担')}\t`, '，车辆3 ', shown.fee]) {
    assert.ok(report.includes(line), line);
  }
  assert.deepEqual(page.alerts, []);

  // 复制清单 of the worked example: the table as text and as a table, header included.
  const cdp = await session.browser.target().createCDPSession();
  await cdp.send('Browser.grantPermissions',
                 { permissions: ['clipboardReadWrite', 'clipboardSanitizedWrite'] });
  await page.emulateMediaType('screen');
  await page.click('#清空按钮');
  await enter(page, example);
  const worked = await sheet(page);
  assert.deepEqual(worked.rows.map(([number, name, , text]) => [number, name, text]), exampleRows);
  await page.bringToFront();
  await page.click('#复制清单按钮');
  let copied;
  await until(async () => (copied = await readClipboard(page).catch(() => null))?.html != null);
  assert.equal(copied.text,
               [columns, ...worked.rows].map((cells) => `${cells.join('\t')}\n`).join(''));
  const table = [...copied.html.matchAll(/<tr>(.*?)<\/tr>/g)].map(([, cells]) =>
    [...cells.matchAll(/<(t[hd])>([^<]*)<\/t[hd]>/g)].map(([, tag, text]) => `${tag}:${text}`));
  assert.deepEqual(table, [columns.map((text) => `th:${text}`),
                           ...worked.rows.map((cells) => cells.map((text) => `td:${text}`))]);
  await cdp.detach();
  await page.close();
});
