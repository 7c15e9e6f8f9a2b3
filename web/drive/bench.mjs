// The page's figures for the README: its size, the time to ready after opening from disk
// (the map takes keys) and to the logic's start, the median of 5 openings, and the slowest
// 8-variable analysis with its "Minimal solutions" in the page, over symmetric functions (the
// hardest maps the core's benchmark found: large cyclic cores, many equal minima) and seeded
// random maps. Usage: node bench.mjs PAGE [CHROMIUM]
import { readFileSync } from 'node:fs';
import { launch, analysed } from './browser.mjs';

const [pageFile, chromium = '/usr/bin/chromium'] = process.argv.slice(2);
const url = `file://${pageFile}`;
const b = await launch(chromium);
const median = (xs) => xs.slice().sort((x, y) => x - y)[Math.floor(xs.length / 2)];

const ready = [], logic = [];
for (let i = 0; i < 5; ++i) {
  const page = await b.open(url);
  await page.waitForFunction(() => window.mapwright.logicMs !== null);
  ready.push(await page.evaluate(() => window.mapwright.readyMs));
  logic.push(await page.evaluate(() => window.mapwright.logicMs));
  await page.close();
}

const maps = [];
for (let weights = 1; weights < 511; weights += 3) {
  const ones = [];
  for (let m = 0; m < 256; ++m) {
    let bits = 0;
    for (let k = m; k; k >>= 1) bits += k & 1;
    if ((weights >> bits) & 1) ones.push(m);
  }
  maps.push({ name: `symmetric, weights ${weights}`, hash: `#v=8&ones=${ones.join(',')}` });
}
let seed = 20261208;
const random = () => ((seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648);
for (let k = 0; k < 40; ++k) {
  const ones = [], dc = [];
  for (let m = 0; m < 256; ++m) {
    const r = random();
    if (r < 0.2 * (k % 3)) dc.push(m);
    else if (r < 0.2 * (k % 3) + (1 - 0.2 * (k % 3)) / 2) ones.push(m);
  }
  maps.push({ name: `random #${k}`, hash: `#v=8&ones=${ones.join(',')}&dc=${dc.join(',')}${k % 2 ? '&pos' : ''}` });
}
const page = await b.open(url);
let worst = { ms: 0 };
for (const map of maps) {
  const ms = await analysed(page, () => page.evaluate((h) => { location.hash = h; }, map.hash));
  if (ms > worst.ms) worst = { ms, name: map.name };
}
await page.close();
await b.close();
console.log(`page: ${readFileSync(pageFile).length} bytes`);
console.log(`ready to type: median ${median(ready).toFixed(0)} ms of 5 openings (logic started: ${median(logic).toFixed(0)} ms)`);
console.log(`slowest 8-variable analysis with minimal solutions: ${worst.ms.toFixed(0)} ms (${worst.name}) of ${maps.length} maps`);
console.log(`console errors: ${b.errors.length}`);
