// Drives the one-file page in Chromium: the seeded maps by link against mapwright-cli's
// answers (computed by the test that starts this), maps typed and clicked in, formulas, bad
// input, undo, files, pictures, screenshots, a phone screen, keyboard and screen-reader use.
// Usage: node main.mjs CASES.json   (the file names the page, the CLI, Chromium and a folder)
// Prints one line per failed check, the figures, and "N passed, M failed".
import { readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { launch } from './browser.mjs';
import * as checks from './checks.mjs';

const input = JSON.parse(readFileSync(process.argv[2], 'utf8'));
const url = `file://${input.page}`;
let passed = 0, failed = 0;
const check = (name, ok, detail = '') => {
  if (ok) ++passed;
  else {
    ++failed;
    console.log(`FAIL ${name}${detail ? `: ${detail}` : ''}`);
  }
};

// The German texts the page must show, from the shipped language file itself.
function german(file) {
  const entries = new Map();
  for (const line of readFileSync(file, 'utf8').split('\n')) {
    const eq = line.indexOf('=');
    if (eq > 0) entries.set(line.slice(0, eq), line.slice(eq + 1).trimEnd());
  }
  return {
    analyze: entries.get('Form1.N25.Caption'),
    unknownVariable: `${entries.get('Unknown variable in line.')}\n${entries.get('Position:')} 3.`,
    minterm: entries.get('Minterm %1: %2'),
    tools: entries.get('Tools'),
  };
}

const figures = { pageBytes: readFileSync(input.page).length };
const b = await launch(input.chromium);
try {
  await checks.seededMaps(b, url, input.seeded, check, figures);
  await checks.chartSizes(b, url, check);
  await checks.typedMaps(b, url, input.typed, check);
  await checks.formulaMaps(b, url, input.formulas, check);
  await checks.badInput(b, url, check, german(input.germanFile));
  await checks.undoRedo(b, url, check);
  await checks.resultTools(b, url, input.typed[2], check, input.cli);
  await checks.plaOutputs(b, url, check, input.cli, input.folder);
  await checks.filesAndPictures(b, url, check, input.cli, input.folder);
  await checks.screenshots(b, url, check, input.folder, figures);
  await checks.phone(b, url, check);
  const axe = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
  await checks.accessibility(b, url, check, axe);
} catch (e) {
  check('the run itself', false, e.stack || String(e));
} finally {
  await b.close();
}
check('no console errors', b.errors.length === 0, b.errors.slice(0, 5).join('\n'));
writeFileSync(join(input.folder, 'figures.json'), JSON.stringify(figures, null, 1));
console.log(`figures: ${JSON.stringify(figures)}`);
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
