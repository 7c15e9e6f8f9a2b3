import puppeteer from 'puppeteer-core';
const page_ = process.argv[2];
const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking', '--disable-component-update', '--disable-sync'] });
const page = await browser.newPage();
page.on('console', (m) => console.log('console', m.type(), m.text()));
page.on('pageerror', (e) => console.log('pageerror', e.message));
await page.setViewport({ width: 1280, height: 900 });
await page.goto('file://' + page_ + '#v=4&ones=0,1,2,5&dc=3');
await page.waitForSelector('body[data-linked]', { timeout: 10000 });
console.log(await page.evaluate(() => [window.mapwright.readyMs, document.getElementById('formula-out').textContent, document.getElementById('messages').textContent]));
await page.screenshot({ path: '/tmp/webshots/a.png', fullPage: true });
await page.setViewport({ width: 360, height: 800, isMobile: true, hasTouch: true });
await page.screenshot({ path: '/tmp/webshots/phone.png', fullPage: true });
await browser.close();
