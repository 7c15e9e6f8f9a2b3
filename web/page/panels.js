// The result list and the "Minimal solutions" view. Each list is a listbox: selecting a term,
// a prime or a solution shows it on the map.

import { LOOP_COLOURS } from './loops.js';

const esc = (t) => String(t).replace(/[&<>"]/g, (ch) => `&#${ch.charCodeAt(0)};`);

// A listbox of options; onPick(index) when one is chosen by click, tap, arrows or Enter.
export function fillListbox(list, items, onPick) {
  list.innerHTML = items.map((html, i) =>
    `<li role="option" id="${list.id}-${i}" aria-selected="false" data-i="${i}">${html}</li>`)
    .join('');
  list.setAttribute('tabindex', items.length ? '0' : '-1');
  list.removeAttribute('aria-activedescendant');
  const pick = (i) => {
    for (const li of list.children) li.setAttribute('aria-selected', String(Number(li.dataset.i) === i));
    if (i >= 0) list.setAttribute('aria-activedescendant', `${list.id}-${i}`);
    onPick(i);
  };
  list.onclick = (e) => {
    const li = e.target.closest('li[role=option]');
    if (li) pick(Number(li.dataset.i));
  };
  list.onkeydown = (e) => {
    const current = [...list.children].findIndex((li) => li.getAttribute('aria-selected') === 'true');
    const step = { ArrowDown: 1, ArrowUp: -1 }[e.key];
    if (step) {
      pick(Math.max(0, Math.min(items.length - 1, current + step)));
      e.preventDefault();
    }
  };
}

export function loopsOf(items) {
  return items.map((item, k) => ({ blocks: item.loops, colour: LOOP_COLOURS[k % LOOP_COLOURS.length] }));
}

export function showResult(el, result, notation, view) {
  const shown = (o) => (notation === 'textbook' ? o.textbook : o.text);
  el.formula.textContent = notation === 'textbook' ? result.textbook : result.formula;
  fillListbox(el.terms, result.terms.map((t) => esc(shown(t))), (i) => {
    const term = result.terms[i];
    view.show(term ? term.minterms : [], term ? loopsOf([term]) : []);
  });
}

export function showExplanation(el, e, t, view) {
  el.summary.textContent = `${e.comparison}\n${t('Designed gluing:')} ${e.gluing}`;
  el.count.textContent = e.count;
  el.primesHead.innerHTML = ['Prime', 'Term', 'Cells', 'Literals', 'Essential']
    .map((h) => `<span>${esc(t(h))}</span>`).join('');
  fillListbox(el.primes, e.primes.map((p) =>
    `<span>${esc(p.label)}</span><span>${esc(p.text)}</span><span>${p.minterms.join(', ')}</span>` +
    `<span>${p.literals}</span><span>${esc(p.essential)}</span>`), (i) => {
    const p = e.primes[i];
    view.show([], p ? loopsOf([p]) : []);
  });
  for (const [i, li] of [...el.primes.children].entries())
    li.classList.toggle('essential', e.primes[i].essential !== '');
  el.chart.innerHTML = chartTable(e, t);
  el.steps.innerHTML = e.steps.map((s) => `<li>${esc(s)}</li>`).join('');
  el.solutionsHead.innerHTML = ['#', 'Formula', 'Terms', 'Literals']
    .map((h) => `<span>${esc(h === '#' ? h : t(h))}</span>`).join('');
  fillListbox(el.solutions, e.solutions.map((s, i) =>
    `<span>${i + 1}</span><span>${esc(s.formula)}</span><span>${s.terms}</span><span>${s.literals}</span>`),
  (i) => {
    const s = e.solutions[i];
    view.show([], s ? loopsOf(s.primes.map((p) => e.primes[p])) : []);
  });
}

// The prime chart: a row per cell to cover, a column per prime, a mark where the prime holds
// the cell; the essential primes' columns and the cyclic core's rows stand out.
// Past the report's own limit the chart is left out with a word why: a symmetric map's chart of
// a hundred thousand cells kept the browser busy for seconds after the answer came.
const CHART_CELLS = 8192;

function chartTable(e, t) {
  if (e.targets.length * e.primes.length > CHART_CELLS)
    return `<p class="chart-left-out">${esc(t('The chart is too large to show here.'))}</p>`;
  const core = new Set(e.coreCells);
  let html = `<table class="chart"><caption>${esc(t('Prime chart'))}</caption><thead><tr><th scope="col"></th>`;
  for (const p of e.primes)
    html += `<th scope="col" class="${p.essential ? 'essential' : ''}" title="${esc(p.text)}">${esc(p.label)}</th>`;
  html += '</tr></thead><tbody>';
  const holds = e.primes.map((p) => new Set(p.minterms));
  for (const cell of e.targets) {
    html += `<tr class="${core.has(cell) ? 'core' : ''}"><th scope="row">${cell}</th>`;
    for (const h of holds) html += `<td>${h.has(cell) ? '×' : ''}</td>`;
    html += '</tr>';
  }
  return html + '</tbody></table>';
}
