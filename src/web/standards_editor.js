'use strict';
// The 年度标准 editor below the window: the built-in rows, read-only, over the
// rows of the standards file the browser keeps, which the user adds to,
// deletes, imports, saves or drops. The rules (the row 添加 makes, how 导入
// merges, what 保存 refuses and how it says so, the file it writes) are the
// engine's, the same as the window's dialog; here is only the table.
//
// kept: { text() -> the kept file's text, save(text), pickedYear() -> the
// accident year picked in the window }.
function standardsEditor(engine, kept) {
  const byId = (id) => document.getElementById(id);
  const table = byId('年度标准表');
  const body = table.tBodies[0];
  const columns = [...table.tHead.rows[0].cells].map((cell) => cell.textContent);
  const fileInput = byId('导入文件');
  let builtIn = [];
  let rows = []; // the file rows as shown, newest first: arrays of texts, one a column

  const isBuiltIn = (line) => line.dataset.builtIn !== undefined;
  const fileLines = () => [...body.rows].filter((line) => !isBuiltIn(line));

  function select(line) {
    for (const other of body.rows) other.setAttribute('aria-selected', String(other === line));
  }

  function line(texts, index) {
    const tr = document.createElement('tr');
    if (index === null) tr.dataset.builtIn = '';
    texts.forEach((text, column) => {
      const input = document.createElement('input');
      input.value = text;
      input.spellcheck = false;
      input.autocomplete = 'off';
      input.setAttribute('aria-label', columns[column]);
      if (index === null) input.readOnly = true;
      else input.addEventListener('input', () => { rows[index][column] = input.value; });
      const cell = document.createElement('td');
      cell.append(input);
      tr.append(cell);
    });
    tr.setAttribute('aria-selected', 'false');
    return tr;
  }

  function show() {
    body.replaceChildren(...builtIn.map((texts) => line(texts, null)),
                         ...rows.map((texts, index) => line(texts, index)));
  }

  // Focuses a file row's cell, its text selected, and selects its row.
  function focusCell(index, column) {
    const input = fileLines()[index]?.cells[column]?.firstChild;
    if (!input) return;
    input.focus();
    input.select();
  }

  // The kept file's rows, every unsaved edit gone.
  function load() {
    const shown = engine.standardsRows(kept.text());
    builtIn = shown.builtIn;
    rows = shown.file;
    show();
  }

  // A click or a tab into a cell selects its row alone; Ctrl (or ⌘) with a
  // click adds the row to the selection or takes it out.
  body.addEventListener('mousedown', (event) => {
    const tr = event.target.closest('tr');
    if (!tr) return;
    if (!(event.ctrlKey || event.metaKey)) {
      select(tr);
      return;
    }
    event.preventDefault();
    tr.setAttribute('aria-selected', String(tr.getAttribute('aria-selected') !== 'true'));
  });
  body.addEventListener('focusin', (event) => {
    const tr = event.target.closest('tr');
    if (tr && tr.getAttribute('aria-selected') !== 'true') select(tr);
  });

  byId('添加按钮').addEventListener('click', () => {
    const added = engine.addStandardsRow(rows, kept.pickedYear());
    rows = added.rows;
    show();
    focusCell(added.index, 1);
  });

  byId('删除按钮').addEventListener('click', () => {
    const lines = fileLines();
    const gone = lines.flatMap((tr, index) => (tr.getAttribute('aria-selected') === 'true' ? [index] : []));
    if (gone.length === 0) return;
    rows = rows.filter((_, index) => !gone.includes(index));
    show();
    focusCell(Math.min(gone[0], rows.length - 1), 0);
  });

  byId('导入按钮').addEventListener('click', () => fileInput.click());
  fileInput.addEventListener('change', async () => {
    const file = fileInput.files[0];
    if (!file) return;
    const bytes = new Uint8Array(await file.arrayBuffer());
    fileInput.value = '';
    const read = engine.importStandards(rows, bytes, file.name);
    if (read.refusal !== null) {
      alert(`标准文件未使用：${read.refusal}`);
      return;
    }
    rows = read.question === null || confirm(read.question) ? read.replaced : read.kept;
    show();
  });

  byId('保存按钮').addEventListener('click', () => {
    const checked = engine.checkStandardsRows(rows);
    if (checked.fault !== null) {
      alert(checked.fault.message);
      focusCell(checked.fault.index, checked.fault.column ?? 0);
      return;
    }
    kept.save(checked.text);
    load();
  });

  byId('取消按钮').addEventListener('click', load);

  // The kept table as a file, written as the window and the batch tool write it.
  byId('导出按钮').addEventListener('click', () => {
    const { text } = engine.checkStandardsRows(engine.standardsRows(kept.text()).file);
    const url = URL.createObjectURL(new Blob([text], { type: 'text/csv;charset=utf-8' }));
    const anchor = document.createElement('a');
    anchor.href = url;
    anchor.download = 'standards.csv';
    anchor.hidden = true;
    document.body.append(anchor);
    anchor.click();
    anchor.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  });

  load();
}
