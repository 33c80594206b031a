'use strict';
// The 赔偿清单 section below the case bar: the claim sheet the engine computes
// beside the 22 amounts (what a court awards and who pays it), from the
// window's fields and the section's own inputs, following both as they
// change. The rules and the texts are the engine's, as the batch tool writes
// them; here are only the inputs and the table.
//
// page: { texts() -> the window's input texts in the engine's order,
// standards() -> the kept standards file's text }.
// Returns { texts(), show(texts), update(), standardsChanged() }: the
// section's inputs in the engine's order, a case's put into them, the sheet
// anew, and the offered years with the sheet anew.
function claimSheet(engine, page) {
  const byId = (id) => document.getElementById(id);
  const inputNames = engine.claimInputNames();
  const columnNames = engine.claimColumnNames();
  const notice = byId('清单提示');
  const copyButton = byId('复制清单按钮');
  const years = byId('计算标准年度列表');

  const lines = columnNames.map((name) => {
    const line = document.createElement('tr');
    if (name === '清单合计') line.className = 'total';
    line.append(document.createElement('td'), document.createElement('td'));
    line.cells[0].textContent = name;
    return line;
  });
  byId('赔偿清单表').tBodies[0].replaceChildren(...lines);

  const texts = () => inputNames.map((name) => byId(name).value);

  function update() {
    const sheet = engine.claimSheet(page.texts(), texts(), page.standards());
    notice.textContent = sheet.notice;
    lines.forEach((line, i) => {
      line.cells[1].textContent = sheet.texts[i];
      line.title = sheet.working[i];
    });
    copyButton.disabled = sheet.notice !== '';
  }

  // The years of the standards in force, newest first.
  function standardsChanged() {
    const { builtIn, file } = engine.standardsRows(page.standards());
    const offered = [...builtIn, ...file].map((row) => row[0]).sort((a, b) => b - a);
    years.replaceChildren(...offered.map((year) => new Option(year)));
    update();
  }

  // A case's inputs; a pick-only list's empty text is its first item (无 for
  // the vehicles' 交强险 and for 护理依赖, 伤残 for 案件类型), and a text it
  // does not offer leaves it unpicked, as the window's lists do.
  function show(claimTexts) {
    inputNames.forEach((name, i) => {
      const control = byId(name);
      const text = claimTexts[i] ?? '';
      if (control.tagName !== 'SELECT') control.value = text;
      else if (text === '') control.selectedIndex = 0;
      else control.selectedIndex = [...control.options].findIndex((o) => o.text === text);
    });
    update();
  }

  for (const area of [byId('宿主'), byId('清单输入')]) {
    area.addEventListener('input', update);
    area.addEventListener('change', update);
  }
  copyButton.addEventListener('click', () => copyRows(
    lines.map((line) => [line.cells[0].textContent, line.cells[1].textContent]), '清单未复制'));
  standardsChanged();

  return { texts, show, update, standardsChanged };
}
