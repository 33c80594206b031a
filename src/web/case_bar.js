'use strict';
// The case bar below the window: 保存案例 downloads the case as a case file,
// 打开案例… reads one (asking which case when it holds several), 复制结果
// puts the results on the clipboard as text and as a table. The files are the
// window's and the batch tool's: the engine writes and reads them.
//
// shown: { texts() -> the input texts in the engine's order, claimTexts() and
// complaintTexts() -> the claim sheet's and the complaint's inputs in the
// engine's order, showCase(texts, claimTexts, complaintTexts, fileName) ->
// puts them into the controls and clears the results, results() ->
// [{caption, amount}] in the engine's order }.
// Returns update(), to be called whenever results appear or go.
function caseBar(engine, inputNames, shown) {
  const byId = (id) => document.getElementById(id);
  const fileInput = byId('打开案例文件');
  const copyButton = byId('复制结果');

  // The window's suggestion: the accident date when its year is picked.
  function fileName(texts) {
    const at = (name) => texts[inputNames.indexOf(name)];
    const year = at('事故发生日年');
    return year === '' ? '案例.csv' : `案例-${year}-${at('事故发生日月')}-${at('事故发生日日')}.csv`;
  }

  function save() {
    const texts = shown.texts();
    offerDownload(engine.caseFileBytes(texts, shown.claimTexts(), shown.complaintTexts()),
                  fileName(texts), 'text/csv;charset=utf-8');
  }

  // Which of several cases to open, as the window's list offers them: its
  // index, or -1 when the question is cancelled or answered with no case.
  function choose(name, cases) {
    const items = cases.map((entry, i) =>
      `${i + 1}. 第 ${entry.line} 行${entry.caseNumber === '' ? '' : `  ${entry.caseNumber}`}`);
    const answer = prompt(`${name} 中有 ${cases.length} 个案例，打开哪一个？（填序号）\n${items.join('\n')}`, '1');
    if (answer === null) return -1;
    const number = Number(answer.trim());
    if (Number.isInteger(number) && number >= 1 && number <= cases.length) return number - 1;
    alert(`请填 1 到 ${cases.length} 的序号。案例未打开。`);
    return -1;
  }

  async function open(file) {
    // One byte past the largest case file is enough to refuse a larger one.
    const bytes = new Uint8Array(await file.slice(0, engine.largestCaseFile() + 1).arrayBuffer());
    const read = engine.readCaseFile(bytes);
    if (read.refusal !== null) {
      const { line, reason } = read.refusal;
      alert(`案例文件未打开：${file.name}${line > 0 ? `:${line}` : ''}: ${reason}`);
      return;
    }
    const pick = read.cases.length === 1 ? 0 : choose(file.name, read.cases);
    if (pick < 0) return;
    const { texts, claim, complaint } = read.cases[pick];
    shown.showCase(texts, claim, complaint, file.name);
    update();
  }

  async function copy() {
    if (copyButton.disabled) return;
    await copyRows(shown.results().map(({ caption, amount }) => [caption, amount]), '结果未复制');
  }

  function update() {
    copyButton.disabled = shown.results().at(-1).amount === '';
  }

  byId('保存案例').addEventListener('click', save);
  byId('打开案例').addEventListener('click', () => fileInput.click());
  byId('复制结果').addEventListener('click', copy);
  fileInput.addEventListener('change', async () => {
    const file = fileInput.files[0];
    if (!file) return;
    try {
      await open(file);
    } finally {
      fileInput.value = '';
    }
  });
  document.addEventListener('keydown', (event) => {
    if (!(event.ctrlKey || event.metaKey) || event.altKey) return;
    const key = event.key.toLowerCase();
    if (!event.shiftKey && key === 's') save();
    else if (!event.shiftKey && key === 'o') fileInput.click();
    else if (event.shiftKey && key === 'c') copy();
    else return;
    event.preventDefault();
  });

  return update;
}

const odtType = 'application/vnd.oasis.opendocument.text';

// Bytes offered as a download under the given name.
function offerDownload(bytes, name, type) {
  const url = URL.createObjectURL(new Blob([bytes], { type }));
  const anchor = document.createElement('a');
  anchor.href = url;
  anchor.download = name;
  anchor.hidden = true;
  document.body.append(anchor);
  anchor.click();
  anchor.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}

const escapedHtml = (text) => text.replaceAll('&', '&amp;').replaceAll('<', '&lt;')
  .replaceAll('>', '&gt;').replaceAll('"', '&quot;');

// Rows of cells on the clipboard, under the header's cells when given: one
// line a row, split by tabs (pasted into a spreadsheet, a column a cell), and
// the same as a table with the header in <th> for pasting into a document. A
// refusal is said after the given words.
async function copyRows(rows, refusal, header = null) {
  const lines = header === null ? rows : [header, ...rows];
  const text = lines.map((cells) => `${cells.join('\t')}\n`).join('');
  const tableRow = (cells, tag) =>
    `<tr>${cells.map((cell) => `<${tag}>${escapedHtml(cell)}</${tag}>`).join('')}</tr>`;
  const html = '<table border="1" cellspacing="0" cellpadding="3">' +
    (header === null ? '' : tableRow(header, 'th')) +
    rows.map((cells) => tableRow(cells, 'td')).join('') + '</table>';
  try {
    if (typeof ClipboardItem === 'function') {
      await navigator.clipboard.write([new ClipboardItem({
        'text/plain': new Blob([text], { type: 'text/plain' }),
        'text/html': new Blob([html], { type: 'text/html' }),
      })]);
    } else {
      await navigator.clipboard.writeText(text);
    }
  } catch (error) {
    alert(`${refusal}：${error.message}`);
  }
}
