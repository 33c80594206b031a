'use strict';
// The 起诉状 part of the 赔偿清单 section: the complaint's inputs in the
// groups of the window's dialog, the numbered requests and the court fee as
// the engine makes them from the case and its sheet, following every field as
// it changes, and the form exported as .odt or printed. A fault of the checks
// (or a refused sheet) shows in red and keeps both back.
//
// page: { texts(), claimTexts() -> the window's and the sheet's inputs in the
// engine's order, standards() -> the kept standards file's text,
// fileName(kind) -> the name a document of that kind is offered under }.
// Returns { texts(), show(texts), update() }: the part's inputs in the
// engine's order, a case's put into them, the complaint anew.
function complaintPart(engine, page) {
  const byId = (id) => document.getElementById(id);
  const inputNames = engine.complaintInputNames();
  const requests = byId('诉讼请求');
  const fee = byId('起诉状受理费');
  const notice = byId('起诉状提示');
  const exportButton = byId('导出起诉状');
  const printButton = byId('打印起诉状');
  const frame = byId('起诉状打印');

  // An option input offers the empty input first, then the engine's texts, as
  // the window's lists do: empty reads 未填 (the form's boxes stay unticked),
  // but for an owner's kind, where it stands for the first, 自然人.
  for (const name of inputNames) {
    const offered = engine.complaintChoices(name);
    if (offered.length === 0) continue;
    const [empty, ...others] = name.endsWith('所有人类别') ? offered : ['未填', ...offered];
    byId(name).replaceChildren(new Option(empty, ''), ...others.map((text) => new Option(text, text)));
  }

  const texts = () => inputNames.map((name) => byId(name).value);
  const made = (what) => engine[what](page.texts(), page.claimTexts(), texts(), page.standards());

  function update() {
    const shown = made('complaint');
    requests.textContent = shown.requests.join('\n');
    fee.textContent = shown.fee;
    notice.textContent = shown.fault;
    exportButton.disabled = printButton.disabled = shown.fault !== '';
  }

  // A list takes its item of that text (自然人 is the empty input's), and a
  // text it does not offer leaves it unpicked, as the sheet's lists do.
  function show(complaintTexts) {
    inputNames.forEach((name, i) => {
      const control = byId(name);
      const text = complaintTexts[i] ?? '';
      if (control.tagName !== 'SELECT') control.value = text;
      else if (text === '') control.selectedIndex = 0;
      else control.selectedIndex = [...control.options].findIndex((o) => o.text === text);
    });
    update();
  }

  exportButton.addEventListener('click', () => {
    const bytes = made('complaintOdt');
    if (bytes !== null) offerDownload(bytes, page.fileName('起诉状'), odtType);
  });
  // The form in a frame of its own, printed once it has loaded.
  printButton.addEventListener('click', () => {
    const html = made('complaintHtml');
    if (html === null) return;
    frame.onload = () => {
      frame.onload = null;
      frame.contentWindow.print();
    };
    frame.srcdoc = html;
  });
  for (const area of [byId('宿主'), byId('清单输入'), byId('起诉状输入')]) {
    area.addEventListener('input', update);
    area.addEventListener('change', update);
  }
  update();

  return { texts, show, update };
}
