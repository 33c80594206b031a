'use strict';
// The window's behaviour on the page: start-up lists and picks, calculation
// with the messages as alerts, the working as tooltips, reset, scrolling, the
// legal-basis link, the printed report, the standards the editor keeps, case
// files, the claim sheet and the complaint.
(async () => {
  // The engine's wasm comes in the page as a string, a character a byte, which
  // packs smaller; the alphabet says which byte each character stands for.
  const byteOf = new Uint8Array(0x200);
  for (let b = 0; b < 256; ++b) byteOf[quorvaneEngineAlphabet.charCodeAt(b)] = b;
  const wasmBinary = new Uint8Array(quorvaneEngineWasm.length);
  for (let i = 0; i < wasmBinary.length; ++i) wasmBinary[i] = byteOf[quorvaneEngineWasm.charCodeAt(i)];
  const engine = await QuorvaneEngine({ wasmBinary });
  const inputNames = engine.inputNames();
  const resultNames = engine.resultNames();
  const host = document.getElementById('宿主');
  const definition = document.getElementById('窗口定义');
  const byId = (id) => document.getElementById(id);

  // The standards file saved in the editor, kept as its text in the browser; the
  // rows it adds go into every run, as the window's standards file does. A kept
  // text the reader now refuses adds none.
  const storageKey = 'quorvane.standards';
  let standardsFile = '';
  try {
    standardsFile = localStorage.getItem(storageKey) ?? '';
  } catch {
    // no storage (a private window, say): the built-in rows alone
  }
  if (engine.standardsRows(standardsFile).refused) standardsFile = '';

  const pixels = (twips) => Math.sign(twips) * Math.round(Math.abs(twips) / 15);

  // A single-precision quotient rounded half to even, as the scroll maximum is.
  function roundHalfEven(x) {
    const down = Math.floor(x);
    const rest = x - down;
    if (rest > 0.5) return down + 1;
    if (rest < 0.5) return down;
    return down % 2 === 0 ? down : down + 1;
  }

  function fill(list, items) {
    list.replaceChildren(...items.map((text) => new Option(text, text)));
  }

  // An item that is not in the list leaves it unpicked, as in the window.
  function pickByText(list, text) {
    list.selectedIndex = [...list.options].findIndex((option) => option.text === text);
  }

  // The lists as the window starts them, from the same definition.
  const startupLists = () => engine.startupLists(new Date().getFullYear(), standardsFile);

  function startUp() {
    for (const { name, items, pick } of startupLists()) {
      fill(byId(name), items);
      pickByText(byId(name), pick);
    }
    byId('大图框').focus();
  }

  const caseTexts = () => inputNames.map((name) => byId(name).value);

  // The results as the window's clipboard has them: each named by its label.
  const results = () => resultNames.map((name) => ({
    caption: document.querySelector(`label[for="${name}"]`)?.textContent ?? name,
    amount: byId(name).value,
  }));

  let resultsChanged = () => {};
  let claimSection = null;
  let complaintSection = null;
  // The opened case file's name without its extension, until 清空: the
  // exported documents are named after it, as the window names them.
  let caseName = '';
  const fileName = (kind) => (caseName === '' ? `${kind}.odt` : `${caseName}-${kind}.odt`);

  function calculate() {
    const outcome = engine.calculate(caseTexts(), standardsFile);
    if (outcome.notice !== null) alert(outcome.notice);
    if (outcome.stop !== null) {
      alert(outcome.stop);
      return;
    }
    resultNames.forEach((name, i) => {
      byId(name).value = outcome.results[i];
      byId(name).title = outcome.working[i];
    });
    resultsChanged();
  }

  function scrollToTop() {
    byId('滚动条').value = '0';
    byId('大图框').style.top = '0px';
  }

  // An opened case: every text in its control (a list text that is not
  // offered leaves the list unpicked), no results, the top in view.
  function showCase(texts, claimTexts, complaintTexts, opened) {
    caseName = opened.replace(/\.[^.]*$/, '');
    inputNames.forEach((name, i) => {
      const control = byId(name);
      if (control.tagName === 'SELECT') pickByText(control, texts[i]);
      else control.value = texts[i];
    });
    for (const name of resultNames) {
      byId(name).value = '';
      byId(name).title = '';
    }
    scrollToTop();
    claimSection.show(claimTexts);
    complaintSection.show(complaintTexts);
  }

  // The window anew from its definition: every typed text, result, pick and
  // the scroll position gone, and the claim sheet's inputs with them.
  function show() {
    host.replaceChildren(definition.content.cloneNode(true));
    const box = byId('大图框');
    const bar = byId('滚动条');
    const step = Number(bar.dataset.step);
    bar.max = String(roundHalfEven(Math.fround(Math.fround(Number(box.dataset.height)) / step)));
    scrollToTop();
    // 'change' comes on release: dragging alone moves nothing.
    bar.addEventListener('change', () => {
      box.style.top = `${pixels(Number(bar.value) * -step)}px`;
    });
    byId('计算按钮').addEventListener('click', calculate);
    byId('清空按钮').addEventListener('click', show);
    const legalBasis = byId('法条依据按钮');
    legalBasis.addEventListener('click', () => window.open(legalBasis.dataset.href, '_blank', 'noopener'));
    startUp();
    caseName = '';
    claimSection?.show([]);
    complaintSection?.show([]);
    resultsChanged();
  }

  function element(tag, text, attributes = {}) {
    const node = document.createElement(tag);
    if (text !== undefined) node.textContent = text;
    for (const [name, value] of Object.entries(attributes)) node.setAttribute(name, value);
    return node;
  }

  // The same report as the window prints: the case, the standards, every amount
  // with its working.
  function writeReport() {
    const report = engine.report(caseTexts(), claimSection.texts(), standardsFile);
    const today = new Date();
    const sheet = byId('报告');
    sheet.replaceChildren();
    sheet.append(element('h2', report.title, { align: 'center' }));
    const heading = element('p');
    heading.append(`打印日期：${today.getFullYear()}年${today.getMonth() + 1}月${today.getDate()}日`,
                   element('br'), element('b', report.referenceOnly));
    if (report.notice !== null) heading.append(element('br'), `提示：${report.notice}`);
    sheet.append(heading);
    for (const section of report.sections) {
      sheet.append(element('h3', section.title));
      const table = element('table');
      const explained = section.rows.some((row) => row.working !== '');
      for (const row of section.rows) {
        const line = element('tr');
        line.append(element('td', row.name, { width: '22%' }), element('td', row.value));
        if (explained) {
          const working = element('td', undefined, { width: '60%' });
          working.append(element('small', row.working));
          working.style.whiteSpace = 'pre-line';
          line.append(working);
        }
        table.append(line);
      }
      sheet.append(table);
      if (section.table.length === 0) continue;
      const filed = element('table');
      section.table.forEach((cells, index) => {
        const line = element('tr');
        for (const text of cells) line.append(element(index === 0 ? 'th' : 'td', text));
        filed.append(line);
      });
      sheet.append(filed);
      if (section.note) sheet.append(element('p', section.note));
    }
  }
  window.addEventListener('beforeprint', writeReport);

  // A new set of years for the accident-year list; the pick stays where it can.
  function useStandards(text) {
    standardsFile = text;
    try {
      localStorage.setItem(storageKey, text);
    } catch {
      // kept for this page only
    }
    const list = byId('事故发生日年');
    const picked = list.value;
    fill(list, startupLists().find(({ name }) => name === '事故发生日年').items);
    pickByText(list, picked);
    claimSection.standardsChanged();
    complaintSection.update();
  }

  standardsEditor(engine, {
    text: () => standardsFile,
    save: useStandards,
    pickedYear: () => byId('事故发生日年').value,
  });

  resultsChanged = caseBar(engine, inputNames, {
    texts: caseTexts, claimTexts: () => claimSection.texts(),
    complaintTexts: () => complaintSection.texts(), showCase, results });
  show();
  const standards = () => standardsFile;
  claimSection = claimSheet(engine, { texts: caseTexts, standards, fileName });
  complaintSection = complaintPart(engine, {
    texts: caseTexts, claimTexts: () => claimSection.texts(), standards, fileName });
  document.documentElement.dataset.ready = 'true';
})();
