// The truth table beside the map: a row per minterm, the inputs' bits and the value, chosen
// from the four a cell can hold. Built only while its box is open (256 rows at 8 variables).

const VALUES = [['-', ''], ['1', '1'], ['0', '0'], ['*', '*']];

export function renderTruthTable(root, state, open) {
  if (!open) {
    root.innerHTML = '';
    return;
  }
  const names = state.names.slice(0, state.vars);
  let html = '<table><thead><tr><th scope="col">#</th>';
  for (const n of names) html += `<th scope="col">${n.replace(/[&<>]/g, '')}</th>`;
  html += '<th scope="col">F</th></tr></thead><tbody>';
  for (let m = 0; m < state.size; ++m) {
    html += `<tr><th scope="row">${m}</th>`;
    for (let k = state.vars - 1; k >= 0; --k) html += `<td>${(m >> k) & 1}</td>`;
    const options = VALUES.map(([v, shown]) =>
      `<option value="${v}"${state.cells[m] === v ? ' selected' : ''}>${shown}</option>`).join('');
    html += `<td><select data-m="${m}" aria-label="F(${m})">${options}</select></td></tr>`;
  }
  root.innerHTML = html + '</tbody></table>';
}
