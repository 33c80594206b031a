// Cases for comparing the web builds with the native tool: a seeded generator
// of random cases that reach every branch of the engine, and CSV helpers.

export const inputNames = [
  '受害人生日年', '受害人生日月', '受害人生日日', '事故发生日年', '事故发生日月', '事故发生日日',
  '夫妻或单亲', '伤残等级', '人员1的护理天数', '护理人员1的工资', '人员2的护理天数', '护理人员2的工资',
  '住院天数', '误工天数', '最近三年日平均收入', '住宿天数', '孩子1年龄', '孩子2年龄', '孩子3年龄',
  '孩子4年龄', '孩子5年龄', '孩子6年龄', '老人1年龄', '老人2年龄', '老人3年龄', '老人4年龄',
  '兄弟姐妹人数', '交通费', '医疗费', '营养费', '残疾辅助器具',
];

export const resultNames = [
  '伤残赔偿金', '人员1的护理费', '人员2的护理费', '住院伙食补助', '误工费', '住宿费',
  '扶养费孩子1', '扶养费孩子2', '扶养费孩子3', '扶养费孩子4', '扶养费孩子5', '扶养费孩子6',
  '扶养费老人1', '扶养费老人2', '扶养费老人3', '扶养费老人4', '扶养费合计',
  '计算交通费', '计算医疗费', '计算营养费', '计算残疾辅助器具', '合计',
];

export function csvField(text) {
  return /[",\r\n]/.test(text) ? `"${text.replaceAll('"', '""')}"` : text;
}

export function csvOf(cases) {
  const rows = [inputNames.join(',')];
  for (const c of cases) rows.push(inputNames.map((name) => csvField(c[name] ?? '')).join(','));
  return rows.join('\n') + '\n';
}

// Splits the tool's output (fields quoted only when they hold , " or a line end).
export function parseCsv(text) {
  const rows = [];
  let row = [], field = '', quoted = false;
  for (let i = 0; i < text.length; ++i) {
    const c = text[i];
    if (quoted) {
      if (c === '"' && text[i + 1] === '"') { field += '"'; ++i; }
      else if (c === '"') quoted = false;
      else field += c;
    } else if (c === '"') quoted = true;
    else if (c === ',') { row.push(field); field = ''; }
    else if (c === '\n') { row.push(field); rows.push(row); row = []; field = ''; }
    else field += c;
  }
  return rows;
}

// Small, seeded, the same on every run.
export function random(seed) {
  let state = seed >>> 0;
  const next = () => {
    state = (state + 0x6d2b79f5) >>> 0;
    let t = state;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
  const pick = (items) => items[Math.floor(next() * items.length)];
  const int = (low, high) => low + Math.floor(next() * (high - low + 1));
  return { next, pick, int };
}

const grades = ['一', '二', '三', '四', '五', '六', '七', '八', '九', '十'];

// Number texts as people type them, and the odd ones the reader must still handle.
function numberText(r, scale) {
  switch (r.int(0, 11)) {
    case 0: return '';
    case 1: return String(r.int(0, scale));
    case 2: return (r.next() * scale).toFixed(r.int(0, 6));
    case 3: return `${r.int(1, 99)}天`;
    case 4: return `${r.int(1, 9)} ${r.int(0, 9)}`;
    case 5: return `${r.int(1, 9)}E${r.int(-3, 5)}`;
    case 6: return `&H${r.int(1, 4095).toString(16).toUpperCase()}`;
    case 7: return `-${r.int(1, scale)}`;
    case 8: return r.pick(['abc', '.5', '5.', '1,500', '+7', '1D2', '&O17', '0.1', '1e-7']);
    case 9: return String(r.next() * scale * 1e6);
    case 10: return r.pick(['1E400', '-1E400', '1E308', '9.99E307', '1e-400']);
    default: return String(r.next() * scale);
  }
}

function ageText(r) {
  return r.next() < 0.4 ? '' : r.pick([String(r.int(0, 100)), numberText(r, 90)]);
}

export function randomCase(r) {
  const c = {};
  const part = (low, high) => (r.next() < 0.02 ? '' : String(r.int(low, high)));
  c.受害人生日年 = part(1920, 2012);
  c.受害人生日月 = part(1, 12);
  c.受害人生日日 = part(1, 31);
  c.事故发生日年 = r.next() < 0.9 ? r.pick(['2011', '2012']) : part(2009, 2014);
  c.事故发生日月 = part(1, 12);
  c.事故发生日日 = part(1, 31);
  c.夫妻或单亲 = r.pick(['夫妻', '单亲', '']);
  c.伤残等级 = r.next() < 0.95 ? r.pick(grades) : r.pick(['', '一级']);
  for (const name of ['人员1的护理天数', '人员2的护理天数', '住院天数', '误工天数', '住宿天数']) {
    c[name] = numberText(r, 400);
  }
  for (const name of ['护理人员1的工资', '护理人员2的工资', '最近三年日平均收入']) {
    c[name] = numberText(r, 1000);
  }
  for (let i = 1; i <= 6; ++i) c[`孩子${i}年龄`] = ageText(r);
  for (let i = 1; i <= 4; ++i) c[`老人${i}年龄`] = ageText(r);
  c.兄弟姐妹人数 = r.next() < 0.05 ? '-1' : String(r.int(0, 6));
  for (const name of ['交通费', '医疗费', '营养费', '残疾辅助器具']) c[name] = numberText(r, 100000);
  return c;
}

export function randomCases(seed, count) {
  const r = random(seed);
  return Array.from({ length: count }, () => randomCase(r));
}
