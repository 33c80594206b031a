'use strict';
// The 赔偿清单 section below the case bar: the claim sheet the engine computes
// beside the 22 amounts (what a court awards and who pays it), from the
// window's fields and the section's own inputs, following both as they
// change. The table is the one a complaint files (序号, 项目, 计算方式, 金额,
// 依据: the items claimed, 合计, who pays), as the window's dialog and the
// printout show it, with the court fee under it; its rules and texts are the
// engine's, here are only the inputs and the table.
//
// page: { texts() -> the window's input texts in the engine's order,
// standards() -> the kept standards file's text, fileName(kind) -> the name a
// document of that kind is offered under }. 导出清单 downloads the sheet as the
// window exports it.
// Returns { texts(), show(texts), update(), standardsChanged() }: the
// section's inputs in the engine's order, a case's put into them, the sheet
// anew, and the offered years with the sheet anew.
function claimSheet(engine, page) {
  const byId = (id) => document.getElementById(id);
  const inputNames = engine.claimInputNames();
  const notice = byId('清单提示');
  const copyButton = byId('复制清单按钮');
  const exportButton = byId('导出清单');
  const years = byId('计算标准年度列表');
  const table = byId('赔偿清单表');
  const fee = byId('案件受理费');
  let shown = { columns: [], rows: [] };

  const row = (cells, tag) => {
    const line = document.createElement('tr');
    line.append(...cells.map((text) => {
      const cell = document.createElement(tag);
      cell.textContent = text;
      return cell;
    }));
    return line;
  };

  const texts = () => inputNames.map((name) => byId(name).value);

  // The header row stays; a refusal has no other rows.
  function update() {
    shown = engine.claimTable(page.texts(), texts(), page.standards());
    notice.textContent = shown.notice;
    fee.textContent = shown.fee;
    table.tHead.replaceChildren(row(shown.columns, 'th'));
    table.tBodies[0].replaceChildren(...shown.rows.map(({ kind, cells }) => {
      const line = row(cells, 'td');
      line.className = kind;
      return line;
    }));
    copyButton.disabled = exportButton.disabled = shown.notice !== '';
  }

  // The years of the standards in force, newest first.
  function standardsChanged() {
    const { builtIn, file } = engine.standardsRows(page.standards());
    const offered = [...builtIn, ...file].map((row) => row[0]).sort((a, b) => b - a);
    years.replaceChildren(...offered.map((year) => new Option(year)));
    update();
  }

  // A case's inputs; a pick-only list's empty text is its first item (无 for
  // the vehicles' 交强险 and for 护理依赖, 伤残 for 案件类型, 否 for 简易程序),
  // and a text it does not offer leaves it unpicked, as the window's lists do.
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
    shown.rows.map(({ cells }) => cells), '清单未复制', shown.columns));
  exportButton.addEventListener('click', () => {
    const bytes = engine.sheetOdt(page.texts(), texts(), page.standards());
    if (bytes !== null) offerDownload(bytes, page.fileName('赔偿清单'), odtType);
  });
  standardsChanged();

  return { texts, show, update, standardsChanged };
}
