// The page's checks, each a function of the browser and the expected answers; check(name,
// ok, detail) records one outcome.
import { execFileSync } from 'node:child_process';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { analysed, readPage, inkShare } from './browser.mjs';

const same = (a, b) => JSON.stringify(a) === JSON.stringify(b);

// The page's answer against mapwright-cli's analyze and explain for the same map.
function compare(check, name, shown, c) {
  check(`${name}: formula`, shown.formula === c.analyze.formula, `${shown.formula} != ${c.analyze.formula}`);
  check(`${name}: terms`, same(shown.terms, c.analyze.terms.map((t) => t.text)), `${shown.terms}`);
  check(`${name}: primes`, same(shown.primes, c.explain.primes.map((p) => p.text)), `${shown.primes}`);
  // Listing and counting beyond the first minimum stop after a time, so which minima a run
  // lists depends on its speed: where the CLI listed them all, the page lists the same ones;
  // elsewhere every one the page lists costs the minimum.
  const expected = c.explain.solutions.map((s) => s.formula);
  const all = c.explain.count_complete && c.explain.solution_count === expected.length;
  const costs = shown.costs.every(([t, l]) => t === c.explain.minimum.terms && l === c.explain.minimum.literals);
  check(`${name}: minimal solutions`, shown.solutions.length > 0 &&
    (all ? same(shown.solutions.slice().sort(), expected.slice().sort()) : costs),
  `${shown.solutions.length} shown, ${expected.length} expected${all ? ' (all)' : ''}`);
  check(`${name}: the minimum`, same(shown.costs[0], [c.explain.minimum.terms, c.explain.minimum.literals]),
    `${shown.costs[0]}`);
}

export function linkOfCase(c) {
  return `#v=${c.vars}&ones=${c.ones}&zeros=${c.zeros}&dc=${c.dc}${c.pos ? '&pos' : ''}`;
}

// Every seeded map opened by its link: the same formulas and minimal solutions as the CLI.
export async function seededMaps(b, url, cases, check, figures) {
  const page = await b.open(url);
  for (const [i, c] of cases.entries()) {
    const ms = await analysed(page, () => page.evaluate((h) => { location.hash = h; }, linkOfCase(c)));
    if (c.vars === 8) figures.worst8Ms = Math.max(figures.worst8Ms || 0, ms);
    compare(check, `map ${i} (${c.vars} variables, ${c.pos ? 'POS' : 'SOP'})`, await readPage(page), c);
  }
  // "An exact minimum": the result costs what the minimal solutions cost.
  await page.select('#method', 'exact');
  for (const [i, c] of cases.slice(0, 28).entries()) {
    await analysed(page, () => page.evaluate((h) => { location.hash = h; }, linkOfCase(c)));
    const terms = (await readPage(page)).terms;
    const literals = terms.reduce((n, t) => n + t.split(c.pos ? '+' : '*').filter((x) => x !== '').length, 0);
    const cost = terms.length === 1 && /^[01]$/.test(terms[0]) ? [1, 0] : [terms.length, literals];
    check(`exact map ${i}: the minimum`, same(cost, [c.explain.minimum.terms, c.explain.minimum.literals]),
      `${cost} for ${terms}`);
  }
  await page.close();
}

// The prime chart: a small map's in full, one mark per prime and cell; a symmetric 8-variable
// map's chart of about a hundred thousand cells left out with a word why.
export async function chartSizes(b, url, check) {
  const page = await b.open(url);
  await analysed(page, () => page.evaluate(() => { location.hash = '#v=4&ones=0,1,2,5,6,7,8,9,10,14'; }));
  const small = await page.evaluate(() => ({
    rows: document.querySelectorAll('#chart tbody tr').length,
    marks: [...document.querySelectorAll('#chart td')].filter((td) => td.textContent === '×').length,
    primes: document.querySelectorAll('#primes li').length,
  }));
  check('chart: a small map in full', small.rows === 10 && small.primes > 0 && small.marks >= small.rows,
    JSON.stringify(small));
  const ones = [];
  for (let m = 0; m < 256; ++m) {
    let bits = 0;
    for (let k = m; k; k >>= 1) bits += k & 1;
    if ((58 >> bits) & 1) ones.push(m);
  }
  await analysed(page, () => page.evaluate((h) => { location.hash = h; }, `#v=8&ones=${ones.join(',')}`));
  const large = await page.evaluate(() => ({
    cells: document.querySelectorAll('#chart td').length,
    text: document.getElementById('chart').textContent,
  }));
  check('chart: a large one left out', large.cells === 0 && large.text === 'The chart is too large to show here.',
    JSON.stringify(large));
  await page.close();
}

// Maps entered by clicking cells and typing, analysed by the button.
export async function typedMaps(b, url, cases, check) {
  for (const [i, c] of cases.entries()) {
    const page = await b.open(url);
    await page.select('#vars', String(c.vars));
    if (c.pos) await page.click('input[name=form][value=pos]');
    const value = (m) => (c.table[m] === '-' ? '*' : c.table[m]);
    for (let m = 0; m < (1 << c.vars); ++m) {
      await page.click(`#map td[data-m="${m}"]`);
      await page.keyboard.type(value(m));
    }
    await analysed(page, () => page.click('#analyze'));
    compare(check, `typed map ${i}`, await readPage(page), c);
    await page.close();
  }
}

export async function formulaMaps(b, url, cases, check) {
  for (const [i, c] of cases.entries()) {
    const page = await b.open(url);
    await page.select('#vars', String(c.vars));
    await page.type('#formula', c.formula);
    if (c.formulaType === 'POS') await page.click('input[name=ftype][value=POS]');
    await page.click('#formula-form button');
    await page.waitForFunction(() => document.querySelector('#map td[data-m="0"]').textContent !== '' ||
      [...document.querySelectorAll('#map td')].some((td) => td.textContent !== ''));
    await analysed(page, () => page.click('#analyze'));
    compare(check, `formula ${c.formula}`, await readPage(page), c);
    await page.close();
  }
}

// Bad input: the message, and the map as it was.
export async function badInput(b, url, check, german) {
  const page = await b.open(`${url}#v=3&ones=1,2`);
  const before = (await readPage(page)).cells;
  const tryIt = async (name, act, message) => {
    await page.evaluate(() => { document.getElementById('messages').textContent = ''; });
    await act();
    await page.waitForFunction(() => document.getElementById('messages').textContent !== '', { timeout: 10000 });
    const shown = await readPage(page);
    check(`${name}: message`, shown.messages.startsWith(message), shown.messages);
    check(`${name}: map kept`, shown.cells === before, shown.cells);
  };
  await tryIt('unknown variable', async () => {
    await page.type('#formula', 'A*Q');
    await page.click('#formula-form button');
  }, 'Unknown variable in line.\nPosition: 3.');
  await page.click('#sets-form summary, details:nth-of-type(2) summary');
  await tryIt('bad sets', async () => {
    await page.type('#ones', '1,x');
    await page.click('#sets-form button');
  }, 'Invalid symbol in string.');
  await tryIt('bad link', () => page.evaluate(() => { location.hash = '#v=9&ones=1'; }),
    'Invalid number of variables');
  await page.evaluate(() => { for (const d of document.querySelectorAll('details')) d.open = true; });
  const setNames = (names) => page.evaluate((n) => {
    document.querySelectorAll('#names input').forEach((input, i) => { input.value = n[i]; });
    document.querySelector('#names-form button').click();
  }, names);
  await tryIt('names twice', () => setNames(['q', 'Q', 'C']), 'Variable: "Q"\r\nis redeclarated.');
  await tryIt('name with an operator', () => setNames(['A+', 'B', 'C']), 'Invalid variable name: "A+"');
  await setNames(['x1', 'Y', 'Z']);
  await page.waitForFunction(() => document.querySelector('th.corner').textContent.includes('X1'), { timeout: 10000 })
    .catch(() => {});
  const corner = await page.$eval('th.corner', (th) => th.textContent.replace(/\s+/g, ' ').trim());
  check('names taken, upper case', corner === 'Y Z X1', corner);
  await page.select('#language', 'german');
  await page.waitForFunction((t) => document.getElementById('analyze').textContent === t, { timeout: 10000 }, german.analyze);
  check('German captions', true);
  // The screen reader's labels too, from the same file; they follow the captions by one more call.
  await page.waitForFunction((t) => document.querySelector('nav.tools').getAttribute('aria-label') === t,
    { timeout: 10000 }, german.tools).catch(() => {});
  const labels = await page.evaluate(() => {
    const cell = document.querySelector('#map td[data-m="1"]');
    return [cell.getAttribute('aria-label'), cell.textContent, document.querySelector('nav.tools').getAttribute('aria-label')];
  });
  check('German screen reader labels', labels[0] === german.minterm.replace('%1', '1').replace('%2', labels[1] || '–') &&
    labels[2] === german.tools, labels.join(' | '));
  await page.$eval('#formula', (el) => { el.value = ''; });
  await tryIt('German message', async () => {
    await page.type('#formula', 'Y*Q');  // the names are X1, Y and Z now
    await page.click('#formula-form button');
  }, german.unknownVariable);
  await page.close();
}

export async function undoRedo(b, url, check) {
  const page = await b.open(url);
  await page.click('#map td[data-m="5"]');
  await page.keyboard.type('1');
  const cell = () => page.$eval('#map td[data-m="5"]', (td) => td.textContent);
  check('typed value', (await cell()) === '1', await cell());
  await page.keyboard.down('Control');
  await page.keyboard.press('z');
  await page.keyboard.up('Control');
  check('undo', (await cell()) === '', await cell());
  await page.click('#redo');
  check('redo', (await cell()) === '1', await cell());
  // A drag selects a block; one key fills it.
  const box = async (m) => (await page.$(`#map td[data-m="${m}"]`)).boundingBox();
  const [from, to] = [await box(0), await box(10)];  // opposite corners of 4 variables
  await page.mouse.move(from.x + 5, from.y + 5);
  await page.mouse.down();
  await page.mouse.move(to.x + 5, to.y + 5, { steps: 5 });
  await page.mouse.up();
  await page.keyboard.type('*');
  const cells = (await readPage(page)).cells.split(',');
  check('drag select', cells.every((v) => v === '*'), cells.join(''));
  await page.keyboard.press('Delete');
  check('delete', (await readPage(page)).cells.split(',').every((v) => v === ''), '');
  await page.close();
}

// Files through the program's own writers and readers; the pictures against the desktop's.
export async function filesAndPictures(b, url, check, cli, dir) {
  const page = await b.open(`${url}#v=5&ones=0,1,4,5,31&dc=7`);
  const cells = async () => (await page.evaluate(() => [...document.querySelectorAll('#map td[role=gridcell]')]
    .sort((x, y) => x.dataset.m - y.dataset.m).map((td) => td.textContent).join(',')));
  const before = await cells();
  for (const kind of ['km', 'csv', 'pla']) {
    const text = await page.evaluate((k) => window.mapwright.saveAs(k), kind);
    check(`save .${kind}`, text && text.length > 0, String(text));
    writeFileSync(join(dir, `page.${kind}`), text || '');
    await page.click('#clear');
    await (await page.$('#open')).uploadFile(join(dir, `page.${kind}`));
    await page.waitForFunction(() => document.querySelector('#map td[data-m="31"]').textContent === '1', { timeout: 10000 })
      .catch(() => {});
    check(`open .${kind} gives the map back`, (await cells()) === before, await cells());
  }
  execFileSync(cli, ['convert', join(dir, 'page.km'), join(dir, 'desktop.svg')]);
  const desktop = readFileSync(join(dir, 'desktop.svg'), 'utf8');
  // The desktop's SVG gives its size in millimetres at 96 dots per inch.
  const size = (text) => {
    const m = /<svg[^>]*\swidth="([\d.]+)(mm)?"[^>]*\sheight="([\d.]+)(mm)?"/s.exec(text);
    const px = (v, unit) => (unit ? (Number(v) * 96) / 25.4 : Number(v));
    return m ? [px(m[1], m[2]), px(m[3], m[4])] : null;
  };
  const [w, h] = size(await page.evaluate(() => window.mapwright.svg())), desk = size(desktop);
  check('SVG picture as large as the desktop\'s', desk && Math.abs(w - desk[0]) <= 1 && Math.abs(h - desk[1]) <= 1,
    `page ${w}x${h}, desktop ${desk}`);
  execFileSync(cli, ['convert', join(dir, 'page.km'), join(dir, 'desktop.png')]);
  const png = readFileSync(join(dir, 'desktop.png'));
  const pngSize = await page.evaluate(() => window.mapwright.pngSize());
  check('PNG picture as large as the desktop\'s', same(pngSize, [png.readUInt32BE(16), png.readUInt32BE(20)]),
    `page ${pngSize}, desktop ${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`);
  const tex = await page.evaluate(() => window.mapwright.tex());
  writeFileSync(join(dir, 'page.tex'), tex);
  let compiled = true;
  try {
    execFileSync('pdflatex', ['-interaction=nonstopmode', '-halt-on-error', 'page.tex'], { cwd: dir, stdio: 'ignore' });
  } catch (e) {
    compiled = e.code === 'ENOENT' ? 'no pdflatex' : false;  // installed by ./test; absent: said, not failed
  }
  if (compiled === 'no pdflatex') console.log('pdflatex is not installed: the TeX picture was not compiled');
  else check('TeX picture compiles', compiled);
  await page.close();
}

// A screenshot of each view holds something; the map is laid out as the desktop's picture.
export async function screenshots(b, url, check, dir, figures) {
  const page = await b.open(`${url}#v=4&ones=0,1,2,5&dc=3`);
  for (const [name, selector] of [['map', '.map-panel'], ['result', '#result-title'], ['minimal solutions', '.explain']]) {
    const el = selector.startsWith('#') ? await page.$(`${selector}`).then((h) => h.evaluateHandle((e) => e.parentElement)) : await page.$(selector);
    const png = await el.screenshot({ path: join(dir, `${name.replace(' ', '-')}.png`) });
    const ink = await inkShare(page, png);
    check(`${name} screenshot not blank`, ink > 0.02, `ink ${ink.toFixed(3)}`);
  }
  await page.click('#terms li');
  const filled = await page.$$eval('#map td.term', (tds) => tds.map((td) => Number(td.dataset.m)).sort((a, b) => a - b));
  check('term highlighted on the map', filled.length > 0, String(filled));
  await page.click('#solutions li');
  const loops = await page.$$eval('#map svg.loops path', (p) => p.length);
  check('loops drawn', loops >= 2, String(loops));
  figures.pageReadyMs = await page.evaluate(() => window.mapwright.readyMs);
  figures.logicReadyMs = await page.evaluate(() => window.mapwright.logicMs);
  await page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: 'dark' }]);
  const dark = await page.evaluate(() => getComputedStyle(document.body).backgroundColor);
  check('dark follows the system', dark !== 'rgb(255, 255, 255)', dark);
  await page.close();
}

// A 360 px phone: nothing wider than the screen, cells large enough to tap, taps enter values.
export async function phone(b, url, check) {
  const page = await b.open(url, { width: 360, height: 780, isMobile: true, hasTouch: true });
  await page.select('#vars', '6');
  const width = await page.evaluate(() => document.documentElement.scrollWidth);
  check('phone: the page fits 360 px', width <= 360, String(width));
  const cell = await page.$('#map td[data-m="9"]');
  const box = await cell.boundingBox();
  check('phone: cells large enough to tap', box.width >= 40 && box.height >= 40, `${box.width}x${box.height}`);
  await cell.tap();
  await (await page.$('.pad button[data-value="1"]')).tap();
  check('phone: tap enters', (await page.$eval('#map td[data-m="9"]', (td) => td.textContent)) === '1', '');
  await page.close();
}

export async function accessibility(b, url, check, axeSource) {
  const page = await b.open(`${url}#v=4&ones=0,1,2,5&dc=3`);
  await page.addScriptTag({ content: axeSource });
  const found = await page.evaluate(async () => {
    const r = await window.axe.run(document, { resultTypes: ['violations'] });
    return r.violations.filter((v) => v.impact === 'serious' || v.impact === 'critical')
      .map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).slice(0, 3).join('; ')}`);
  });
  check('no serious accessibility faults', found.length === 0, found.join('\n'));
  // Keyboard alone: Tab reaches the map, arrows move, a key enters.
  await page.focus('#map td[tabindex="0"]');
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.type('0');
  const m = await page.evaluate(() => Number(document.activeElement.dataset.m));
  check('keyboard entry', (await page.$eval(`#map td[data-m="${m}"]`, (td) => td.textContent)) === '0', String(m));
  await page.close();
}

// The formula copied, shown in textbook notation, the map filled from the truth table: each
// against mapwright-cli on the same map.
export async function resultTools(b, url, c, check, cli) {
  const page = await b.open(url);
  await page.select('#vars', String(c.vars));
  if (c.pos) await page.click('input[name=form][value=pos]');
  await page.click('#tt-box summary');
  await page.waitForSelector('#truth-table select[data-m="0"]');  // the table is built on the toggle event
  for (let m = 0; m < (1 << c.vars); ++m)
    await page.select(`#truth-table select[data-m="${m}"]`, c.table[m] === '-' ? '*' : c.table[m]);
  await analysed(page, () => page.click('#analyze'));
  const shown = await readPage(page);
  compare(check, 'truth table fill', shown, c);

  // The clipboard read back needs the permission a page from disk is never asked for.
  const session = await b.browser.target().createCDPSession();
  await session.send('Browser.grantPermissions', { permissions: ['clipboardReadWrite', 'clipboardSanitizedWrite'] });
  await page.bringToFront();
  await page.click('#copy');
  const copied = await page.evaluate(() => navigator.clipboard.readText()).catch((e) => `(${e.message})`);
  await session.detach();
  check('copy formula', copied === c.analyze.formula, `${copied} != ${c.analyze.formula}`);

  await page.click('input[name=notation][value=textbook]');
  const textbook = (await readPage(page)).formula;
  const args = ['check', '--vars', String(c.vars), '--answer', textbook, '--json'];
  if (c.pos) args.push('--pos');
  for (const [option, list] of [['--ones', c.ones], ['--zeros', c.zeros], ['--dc', c.dc]])
    if (list) args.push(option, list);
  const verdict = JSON.parse(execFileSync(cli, args, { encoding: 'utf8' }));
  check('textbook notation: the same function', verdict.equal === true && textbook !== c.analyze.formula,
    `${textbook}: ${JSON.stringify(verdict).slice(0, 200)}`);
  check('textbook notation: the same terms', verdict.answer.terms === c.analyze.terms.length,
    `${verdict.answer.terms} terms, ${c.analyze.terms.length} expected`);
  await page.click('input[name=notation][value=typed]');
  check('back to the formula as typed', (await readPage(page)).formula === c.analyze.formula,
    (await readPage(page)).formula);
  await page.close();
}

// A PLA of several outputs: the page asks which one, and opens the one chosen as the command
// line reads it.
export async function plaOutputs(b, url, check, cli, dir) {
  const lines = ['.i 3', '.o 3', '.ilb a b c', '.ob f g h', '.p 4',
    '1-0 100', '01- 010', '-11 011', '000 101', '.e'];
  const file = join(dir, 'three.pla');
  writeFileSync(file, `${lines.join('\n')}\n`);
  const page = await b.open(url);
  let offered = '';
  page.on('dialog', (d) => {
    offered = d.message();
    d.accept('g');
  });
  await (await page.$('#open')).uploadFile(file);
  await page.waitForFunction(() => document.querySelector('#vars').value === '3', { timeout: 10000 }).catch(() => {});
  check('PLA outputs offered', offered.includes('f, g, h'), offered);
  const csv = await page.evaluate(() => window.mapwright.saveAs('csv'));
  execFileSync(cli, ['convert', file, join(dir, 'g.csv'), '--output', 'g']);
  // Byte for byte, the output's name in the title column included.
  const expected = readFileSync(join(dir, 'g.csv'), 'utf8');
  check('PLA output chosen as the command line reads it', csv === expected, `${csv} != ${expected}`);
  await page.close();
}
