// Chromium for the page's checks: headless, offline-minded flags, a fresh profile each run;
// every console error and page error is kept, so a check can say that none happened.
import puppeteer from 'puppeteer-core';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

export async function launch(chromium) {
  const profile = mkdtempSync(join(tmpdir(), 'mw-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      `--user-data-dir=${profile}`],
  });
  const errors = [];
  const open = async (url, viewport = { width: 1280, height: 900 }) => {
    const page = await browser.newPage();
    page.on('console', (m) => { if (m.type() === 'error') errors.push(`console: ${m.text()}`); });
    page.on('pageerror', (e) => errors.push(`page error: ${e.message}`));
    page.on('error', (e) => errors.push(`page crashed: ${e.message}`));
    await page.setViewport(viewport);
    await page.goto(url);
    await page.waitForSelector('body[data-linked]', { timeout: 20000 });
    return page;
  };
  const close = async () => {
    await browser.close();
    rmSync(profile, { recursive: true, force: true });
  };
  return { browser, open, close, errors };
}

// Waits for the analysis started by `start` to be shown (or refused with a message).
export async function analysed(page, start) {
  const before = await page.evaluate(() => Number(document.body.dataset.analysed || 0));
  const t0 = await page.evaluate(() => performance.now());
  await start();
  await page.waitForFunction((n) => Number(document.body.dataset.analysed || 0) > n ||
    document.getElementById('messages').textContent !== '', { timeout: 30000 }, before);
  return (await page.evaluate(() => performance.now())) - t0;
}

// What the page shows: the result and the minimal solutions, the map's cells by minterm.
export function readPage(page) {
  return page.evaluate(() => {
    const texts = (id, col) => [...document.querySelectorAll(`#${id} li`)].map((li) =>
      (col === undefined ? li : li.children[col]).textContent);
    return {
      formula: document.getElementById('formula-out').textContent,
      terms: texts('terms'),
      primes: texts('primes', 1),
      solutions: texts('solutions', 1),
      costs: [...document.querySelectorAll('#solutions li')].map((li) =>
        [...li.children].slice(2).map((e) => Number(e.textContent))),
      count: document.getElementById('count').textContent,
      messages: document.getElementById('messages').textContent,
      cells: [...document.querySelectorAll('#map td[role=gridcell]')]
        .sort((a, b) => a.dataset.m - b.dataset.m).map((td) => td.textContent).join(','),
    };
  });
}

// Share of the picture's pixels that differ from its most common colour: 0 for a blank one.
export function inkShare(page, png) {
  return page.evaluate(async (b64) => {
    const img = new Image();
    img.src = `data:image/png;base64,${b64}`;
    await img.decode();
    const c = document.createElement('canvas');
    c.width = img.width;
    c.height = img.height;
    const ctx = c.getContext('2d');
    ctx.drawImage(img, 0, 0);
    const d = ctx.getImageData(0, 0, c.width, c.height).data;
    const counts = new Map();
    for (let i = 0; i < d.length; i += 4) {
      const k = (d[i] << 16) | (d[i + 1] << 8) | d[i + 2];
      counts.set(k, (counts.get(k) || 0) + 1);
    }
    const most = Math.max(...counts.values());
    return 1 - most / (d.length / 4);
  }, Buffer.from(png).toString('base64'));
}
