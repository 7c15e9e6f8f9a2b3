// Makes the one-file page: the page's modules bundled by esbuild, the style sheet, and the
// logic (the compiled WebAssembly inlined in its loader) with the worker's side, all inside
// one HTML file that works opened from disk. Usage: node bundle.mjs LOGIC.js OUT.html
import { build } from 'esbuild';
import { readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const [logicArg, outFile] = process.argv.slice(2);
const logicFile = logicArg && (logicArg.startsWith('/') ? logicArg : join(process.cwd(), logicArg));
if (!logicFile || !outFile) {
  console.error('usage: node bundle.mjs LOGIC.js OUT.html');
  process.exit(2);
}

// Inside a script block only "</script" could end it early.
const inert = (text) => text.replace(/<\/(script)/gi, '<\\/$1');

const page = await build({
  entryPoints: [join(here, 'page/main.js')],
  bundle: true, minify: true, format: 'iife', target: 'chrome100', write: false,
});
const logic = readFileSync(logicFile, 'utf8') + '\n' + readFileSync(join(here, 'page/worker.js'), 'utf8');
// The map's layouts (Gray labels and minterm of every cell) asked of the logic now, so the
// page shows its map and takes keys before the worker has compiled the WebAssembly.
const logicModule = await createRequire(import.meta.url)(logicFile)();
const layouts = logicModule.ccall('mw_call', 'string', ['string'], ['layouts']);
const css = readFileSync(join(here, 'page/style.css'), 'utf8');
// Replacements by function: the texts hold "$" sequences that a replacement string would expand.
const html = readFileSync(join(here, 'page/index.html'), 'utf8')
  .replace('/*STYLE*/', () => css)
  .replace('/*LAYOUTS*/', () => layouts)
  .replace('/*LOGIC*/', () => inert(logic))
  .replace('/*PAGE*/', () => inert(page.outputFiles[0].text));
writeFileSync(outFile, html);
console.log(`${outFile}: ${html.length} bytes`);
