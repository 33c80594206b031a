// The page's documents in headless chromium: 导出清单 and 导出起诉状 download
// the window's files (content.xml and styles.xml byte for byte, against the
// native document_export of the saved case file), named after the opened case
// file; 打印起诉状 prints the same texts; a fault keeps the complaint back; the
// complaint's inputs are saved, opened and cleared with the case.

import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';

import { chromium, download, enter, open, openFile, until } from './browser.mjs';

const session = chromium();
const exporter = process.env.QUORVANE_NATIVE_EXPORT;
const beijing = path.join(process.env.QUORVANE_EXAMPLES_DIR, 'standards-beijing.csv');
const shot = process.env.QUORVANE_COMPLAINT_SCREENSHOT;

const part = (file, name) => {
  const run = spawnSync('unzip', ['-p', file, name]);
  assert.equal(run.status, 0, `${name} in ${file}`);
  return run.stdout;
};
// What the window exports for the saved case file: { sheet, complaint } paths.
function nativeFiles(caseFile, standards = []) {
  const dir = fs.mkdtempSync(path.join(session.dir, 'native-'));
  const run = spawnSync(exporter, [caseFile, dir, ...standards]);
  assert.equal(run.status, 0, run.stderr.toString());
  return { sheet: path.join(dir, '赔偿清单.odt'), complaint: path.join(dir, '起诉状.odt') };
}
function assertSameParts(pageFile, nativeFile) {
  for (const name of ['content.xml', 'styles.xml']) {
    assert.ok(part(pageFile, name).equals(part(nativeFile, name)), `${name} of ${pageFile}`);
  }
}
// The texts of content.xml's paragraphs, without their spacing.
const paragraphs = (xml) => [...xml.toString().matchAll(/<text:p[^>]*>(.*?)<\/text:p>/g)]
  .map(([, inner]) => inner.replace(/<[^>]*>/g, '').replaceAll('&lt;', '<').replaceAll('&gt;', '>')
    .replaceAll('&quot;', '"').replaceAll('&apos;', "'").replaceAll('&amp;', '&').replace(/\s/g, ''))
  .filter((text) => text !== '');

const example = {
  伤残等级: '十', 人员1的护理天数: '30', 护理人员1的工资: '100', 住院天数: '20', 误工天数: '90',
  最近三年日平均收入: '200', 孩子1年龄: '4', 老人1年龄: '65', 兄弟姐妹人数: '2', 交通费: '1200',
  医疗费: '35000.50', 营养费: '600', 计算标准年度: '2012', 伤残附加指数: '3', 精神损害抚慰金: '10000',
  交强险: '有责', 责任比例: '70', 商业三者险限额: '500000',
};
const twoCars = {
  受害人生日年: '1970', 受害人生日月: '5', 受害人生日日: '20', 事故发生日年: '2023', 事故发生日月: '3',
  事故发生日日: '15', 夫妻或单亲: '夫妻', 伤残等级: '五', 人员1的护理天数: '60', 护理人员1的工资: '150',
  住院天数: '60', 误工天数: '200', 最近三年日平均收入: '300', 孩子1年龄: '10', 交通费: '2000',
  医疗费: '120000', 营养费: '3000', 计算标准年度: '2024', 定残日: '2023-09-01', 精神损害抚慰金: '30000',
  护理依赖: '部分', 后续护理年限: '10', 后续护理日工资: '150', 后续治疗费: '20000', 财产损失: '3000',
  鉴定费: '3500', 交强险: '有责', 责任比例: '70', 商业三者险限额: '1000000', 车辆2交强险: '有责',
  车辆2责任比例: '20', 车辆2商业三者险限额: '200000',
};
const parties = {
  车辆1号牌: '京A12345', 车辆1驾驶人: '张某', 车辆1交强险保险公司: '甲财产保险股份有限公司北京分公司',
  车辆2号牌: '京B67890', 车辆2驾驶人: '李某', 车辆2所有人: '乙运输有限公司',
  车辆2所有人类别: '法人、非法人组织', 车辆2交强险保险公司: '丙财产保险股份有限公司北京分公司',
  车辆2商业三者险保险公司: '丁财产保险股份有限公司北京分公司', 事故经过: '甲路口，两车相撞\n原告受伤',
  诉前保全: '否', 先行调解: '暂不确定',
};
const requests = [
  '1.判令被告甲财产保险股份有限公司北京分公司在机动车交通事故责任强制保险责任限额内赔偿原告199500.00元，在商业第三者责任保险责任限额内赔偿原告919941.96元；',
  '2.判令被告丙财产保险股份有限公司北京分公司在机动车交通事故责任强制保险责任限额内赔偿原告199500.00元；',
  '3.判令被告丁财产保险股份有限公司北京分公司在商业第三者责任保险责任限额内赔偿原告200000.00元；',
  '4.判令被告李某、乙运输有限公司赔偿原告62840.56元；',
  '5.本案诉讼费用由被告负担。',
];

const shown = (page) => page.evaluate(() => {
  const at = (id) => document.getElementById(id);
  return {
    requests: at('诉讼请求').textContent, fee: at('起诉状受理费').textContent,
    fault: at('起诉状提示').textContent, faultColour: getComputedStyle(at('起诉状提示')).color,
    off: ['导出清单', '导出起诉状', '打印起诉状'].map((id) => at(id).disabled),
  };
});
const complaintValues = (page, ids) =>
  page.evaluate((all) => all.map((id) => document.getElementById(id).value), ids);

test('the worked example\'s 赔偿清单 is the window\'s', async () => {
  const page = await open(session.browser, '2012-06-01');
  await enter(page, example);
  const sheet = await download(session, () => page.click('#导出清单'));
  assert.equal(path.basename(sheet), '赔偿清单.odt');
  const saved = await download(session, () => page.click('#保存案例'));
  assertSameParts(sheet, nativeFiles(saved).sheet);
  assert.ok(part(sheet, 'content.xml').includes('85547.80'));

  // A refused sheet exports nothing; its complaint shows the sheet's message.
  await enter(page, { 医疗费: '1,500' });
  const refused = await shown(page);
  assert.deepEqual(refused.off, [true, true, true]);
  assert.notEqual(refused.fault, '');
  assert.equal(refused.fault, await page.$eval('#清单提示', (e) => e.textContent));
  assert.deepEqual(page.alerts, []);
  await page.close();
});

test('the two-car complaint: exported, printed, saved and opened with the case', async () => {
  const page = await open(session.browser, '2012-06-01');
  await (await page.$('#导入文件')).uploadFile(beijing);
  await until(() => page.$$eval('#年度标准表 tbody tr', (all) => all.length > 2));
  await page.click('#保存按钮');
  await page.click('#起诉状部分 > summary');
  const ids = await page.$$eval('#起诉状输入 [id]', (all) => all.map((e) => e.id));
  assert.equal(ids.length, 43, 'an input for each complaint input');
  assert.deepEqual(await page.$$eval('#原告性别 option, #先行调解 option',
                                     (all) => all.map((o) => o.value)),
                   ['', '男', '女', '', '是', '否', '暂不确定'], 'the empty input first');
  await enter(page, { ...twoCars, ...parties });

  // A wrong check digit: shown in red, export and print refused, the figures kept.
  await enter(page, { 原告证件号码: '110105197005201234' });
  const faulty = await shown(page);
  assert.equal(faulty.fault, '原告证件号码“110105197005201234”校验位不符');
  assert.equal(faulty.faultColour, 'rgb(192, 0, 0)');
  assert.deepEqual(faulty.off, [false, true, true]);
  assert.equal(faulty.requests, requests.join('\n'));
  await enter(page, { 原告证件号码: '11010519700520127x' });
  const fine = await shown(page);
  assert.deepEqual([fine.fault, fine.off], ['', [false, false, false]]);
  assert.equal(fine.requests, requests.join('\n'));
  assert.equal(fine.fee, '案件受理费 19036.04 元（按诉讼请求 1581782.52 元，诉讼费用交纳办法第十三条）');

  const complaint = await download(session, () => page.click('#导出起诉状'));
  assert.equal(path.basename(complaint), '起诉状.odt');
  const sheet = await download(session, () => page.click('#导出清单'));
  const saved = await download(session, () => page.click('#保存案例'));
  const native = nativeFiles(saved, [beijing]);
  assertSameParts(complaint, native.complaint);
  assertSameParts(sheet, native.sheet);

  // The print is the same form: every paragraph of the file, in the frame sent to the printer.
  await page.evaluate(() => {
    const frame = document.getElementById('起诉状打印');
    frame.addEventListener('load', () => {
      frame.contentWindow.print = () => { window.printed = frame.contentDocument.body.innerText; };
    }, { capture: true });
  });
  await page.click('#打印起诉状');
  await until(() => page.evaluate(() => window.printed !== undefined));
  const printed = (await page.evaluate(() => window.printed)).replace(/\s/g, '');
  const texts = paragraphs(part(complaint, 'content.xml'));
  assert.ok(texts.includes(requests[0]), 'the requests are paragraphs of the file');
  for (const text of texts) assert.ok(printed.includes(text), `printed: ${text}`);

  if (shot) {
    // The section with its 起诉状 part, the whole page in view.
    const section = await page.$('#赔偿清单窗');
    await page.evaluate(() => { document.activeElement.blur(); window.scrollTo(0, 0); });
    const { y, height } = await section.boundingBox();
    await page.setViewport({ width: 760, height: Math.ceil(y + height) + 16 });
    await page.evaluate(() => window.scrollTo(0, 0));
    await page.screenshot({ path: shot, clip: await section.boundingBox() });
    await page.setViewport({ width: 760, height: 860 });
  }

  // Opened again: every input back, the documents named after the file; 清空 clears them.
  const names = Object.keys(parties);
  await page.click('#清空按钮');
  assert.deepEqual(await complaintValues(page, ids), ids.map(() => ''));
  const opened = path.join(path.dirname(saved), '两车.案例.csv');
  fs.renameSync(saved, opened);
  await openFile(page, opened);
  assert.deepEqual(await complaintValues(page, names), Object.values(parties));
  assert.equal((await shown(page)).requests, requests.join('\n'));
  assert.equal(path.basename(await download(session, () => page.click('#导出起诉状'))),
               '两车.案例-起诉状.odt');
  assert.equal(path.basename(await download(session, () => page.click('#导出清单'))),
               '两车.案例-赔偿清单.odt');
  await page.click('#清空按钮');
  assert.equal(path.basename(await download(session, () => page.click('#导出起诉状'))),
               '起诉状.odt');
  assert.deepEqual(page.alerts, []);
  await page.close();
});
