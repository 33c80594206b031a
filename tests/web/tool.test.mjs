// node build/web/quorvane-calc.js against the native quorvane-calc: the same
// bytes on standard output and standard error, and the same exit status.

import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { test } from 'node:test';

import { csvOf, randomCases } from './cases.mjs';

const native = process.env.QUORVANE_NATIVE_CALC;
const nodeTool = process.env.QUORVANE_NODE_CALC;
const examples = process.env.QUORVANE_EXAMPLES_DIR;
const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'quorvane-web-'));
process.on('exit', () => fs.rmSync(dir, { recursive: true, force: true }));

function write(name, text) {
  const file = path.join(dir, name);
  fs.writeFileSync(file, text);
  return file;
}

function both(args, input, env = process.env) {
  const options = { input, env, maxBuffer: 1 << 30 };
  const a = spawnSync(native, args, options);
  const b = spawnSync(process.execPath, [nodeTool, ...args], options);
  return [a, b];
}

function assertSame(args, input = '', env = undefined) {
  const [a, b] = both(args, input, env);
  assert.equal(b.status, a.status, `exit status of ${args.join(' ')}`);
  assert.equal(b.stderr.toString(), a.stderr.toString(), `standard error of ${args.join(' ')}`);
  assert.ok(b.stdout.equals(a.stdout), `standard output of ${args.join(' ')}`);
  return a;
}

const inputs = [
  ['empty input', ''],
  ['header only', '伤残等级\n'],
  ['byte-order mark and CRLF', '\ufeff受害人生日年,伤残等级\r\n1988,一\r\n'],
  ['CR line ends', '受害人生日年,伤残等级\r1988,一\r'],
  ['quoted fields', '医疗费,交通费\n"1,500","2""3"\n" 7","8\n9"\n'],
  ['blank lines skipped', '医疗费\n\n5\n\n'],
  ['unknown header name', '医疗费,外星人\n1,2\n'],
  ['header name twice', '医疗费,医疗费\n1,2\n'],
  ['too few fields', '医疗费,交通费\n1\n'],
  ['quote inside a field', '医疗费\n1"2\n'],
  ['unclosed quote', '医疗费\n"12\n'],
  ['not UTF-8', '医疗费\n\xff\n'],
  ['stops and notices', csvOf([
    { 受害人生日年: '1988', 受害人生日月: '', 受害人生日日: '8' },
    { 受害人生日年: '1988', 受害人生日月: '8', 受害人生日日: '8', 事故发生日年: '2013',
      事故发生日月: '1', 事故发生日日: '1', 伤残等级: '三', 医疗费: '100' },
    { 受害人生日年: '1988', 受害人生日月: '8', 受害人生日日: '8', 事故发生日年: '2013',
      事故发生日月: '1', 事故发生日日: '1', 兄弟姐妹人数: '-1' },
    { 受害人生日年: '1988', 受害人生日月: '8', 受害人生日日: '8', 事故发生日年: '2011',
      事故发生日月: '11', 事故发生日日: '11', 医疗费: '1E308', 交通费: '1E308' },
  ])],
];

test('the same answer to every kind of input', () => {
  for (const [name, text] of inputs) {
    const file = write('case.csv', Buffer.from(text, name === 'not UTF-8' ? 'latin1' : 'utf8'));
    assertSame([file]);
  }
});

test('the shipped example, from a file and from standard input, with and without --explain', () => {
  const file = path.join(examples, 'cases.csv');
  const output = assertSame([file]);
  assert.ok(output.stdout.toString().startsWith('提示,伤残赔偿金'));
  assertSame([], fs.readFileSync(file));
  assertSame(['-'], fs.readFileSync(file));
  assertSame(['--explain', file]);
});

// GB18030, which the node tool decodes with node's TextDecoder and the native
// one with iconv: the same cases, and the same line at fault in bytes that no
// character has.
test('GB18030 input, read whole and refused where it goes wrong', () => {
  const gb = (text) => spawnSync('iconv', ['-f', 'utf-8', '-t', 'gb18030'], { input: text }).stdout;
  const bytes = (...parts) => Buffer.concat(parts.map((p) => (typeof p === 'string' ? gb(p) : Buffer.from(p))));
  const inputs = [
    [[], gb(csvOf(randomCases(18030, 3000)))], // more than a 64 KiB read, characters cut between reads
    [['--keep', '案号'], bytes('\ufeff案号,伤残等级\r\n𠀀甲,三\r\n')],
    [[], bytes('医疗费\n1\n', [0xff, 0x0a])],
    [[], bytes('医疗费\r1\r', [0x81])],
    [[], bytes([0x80, 0x0a])],
    [[], bytes('医疗费\n1\n', [0x81, 0x30, 0x81, 0x0a])], // a four-byte form cut by a line end
    [[], bytes('医疗费\n1\n', [0x81, 0x30, 0x81, 0x0a], '2\n')], // and lines after it
  ];
  for (const [args, input] of inputs) assertSame(['--encoding', 'gb18030', ...args], input);
});

test('options and files the tool refuses', () => {
  assertSame(['--help']);
  assertSame(['--version']);
  assertSame(['--bogus']);
  assertSame(['a.csv', 'b.csv']);
  assertSame([path.join(dir, 'missing.csv')]);
  assertSame([dir]);
});

test('20000 random cases', () => {
  const file = write('random.csv', csvOf(randomCases(20120601, 20000)));
  const output = assertSame([file]);
  assert.equal(output.stdout.toString().split('\n').length, 20002);
});

test('standards files: named, the user\'s own, listed and refused', () => {
  const standards = path.join(examples, 'standards-beijing.csv');
  const cases = write('years.csv', csvOf(randomCases(2013, 300).map((c, i) => ({
    ...c, 事故发生日年: String(2011 + (i % 15)) }))));
  const config = path.join(dir, 'config');
  fs.mkdirSync(path.join(config, 'quorvane'), { recursive: true });
  const withUserFile = { ...process.env, XDG_CONFIG_HOME: config };
  const none = { ...process.env, XDG_CONFIG_HOME: path.join(dir, 'none') };

  assertSame(['--standards', standards, cases], '', none);
  assertSame(['--standards', standards, '--list-standards'], '', none);
  assertSame(['--list-standards'], '', none);
  fs.copyFileSync(standards, path.join(config, 'quorvane', 'standards.csv'));
  const output = assertSame([cases], '', withUserFile);
  assert.match(output.stdout.toString(), /\n,\d/, 'a year from the user\'s file computed');
  assertSame(['--list-standards'], '', withUserFile);
  const refusedFiles = [Buffer.from('年度\n2013\n'), Buffer.from('年度,城镇居民人均可支配收入\n2011,1\n'),
                        Buffer.from([0xff, 0x0a])];
  for (const bytes of refusedFiles) {
    assertSame(['--standards', write('refused.csv', bytes), cases], '', none);
  }
});

// Under node the C library takes every stream for a terminal: input that
// comes slowly through a pipe must still give no progress line on a pipe.
test('no progress line when standard error is not a terminal', async () => {
  const { spawn } = await import('node:child_process');
  const child = spawn(process.execPath, [nodeTool], { stdio: ['pipe', 'pipe', 'pipe'] });
  let stderr = '';
  child.stderr.on('data', (chunk) => { stderr += chunk; });
  child.stdout.resume();
  // More than the tool's 64 KiB read, so that it works on the first part while it waits.
  const rows = csvOf(randomCases(20120601, 3000)).split('\n');
  child.stdin.write(`${rows.slice(0, 1500).join('\n')}\n`);
  await new Promise((resolve) => setTimeout(resolve, 1500)); // past the progress line's first second
  child.stdin.end(rows.slice(1500).join('\n'));
  const status = await new Promise((resolve) => child.on('close', resolve));
  assert.equal(status, 0);
  assert.equal(stderr, '');
});
