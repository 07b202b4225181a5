// Writes the page in its two forms from the sources in web/ and the module
// the build linked:
//   --single FILE   one self-contained HTML file: style, script and the
//                   WebAssembly inlined, so it runs opened from a disk
//   --site DIR      the same page as files for a web server, with a web
//                   app manifest, icons and a worker that keeps every file
//                   for offline use
// The page's script is written as ES modules (web/src/); both forms get them
// joined into one classic script, so they also run from file://.
import { createHash } from 'node:crypto';
import { copyFileSync, mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { basename, dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));

// In the order they depend on one another.
export const kModules = [
  'messages.js',
  'ticker.js',
  'scroll_geometry.js',
  'scroll_bar.js',
  'figures.js',
  'page.js',
  'record.js',
  'record_hook.js',
  'boot.js',
];

// The modules as one script: their imports dropped (every name lives in the
// one scope) and their exports made plain declarations.
export function joinModules(sources) {
  const body = sources
    .map(({ name, text }) => {
      const code = text
        .replace(/^import\s[^;]*;[ \t]*\n/gm, '')
        .replace(/^export\s+(?=(const|let|function|class|async)\b)/gm, '');
      if (/^\s*(import|export)\b/m.test(code)) throw new Error(`${name}: an import or export the join cannot take`);
      return `// --- ${name}\n${code}`;
    })
    .join('\n');
  return `(() => {\n'use strict';\n${body}\n})();\n`;
}

// Text that may stand inside an HTML script element.
export function inlineScript(text) {
  return text.replace(/<\/(script)/gi, '<\\/$1').replace(/<!--/g, '<\\!--');
}

export function fillTemplate(template, values) {
  return template.replace(/@(\w+)@/g, (whole, key) => {
    if (!(key in values)) throw new Error(`the page template has no value for ${whole}`);
    return values[key];
  });
}

function parseArguments(argv) {
  const options = {};
  for (let i = 0; i < argv.length; i += 2) {
    if (!argv[i].startsWith('--') || argv[i + 1] === undefined) throw new Error(`bad argument ${argv[i]}`);
    options[argv[i].slice(2)] = argv[i + 1];
  }
  for (const needed of ['version', 'icon', 'module', 'single', 'site']) {
    if (!options[needed]) throw new Error(`--${needed} is missing`);
  }
  return options;
}

const dataUrl = (type, bytes) => `data:${type};base64,${Buffer.from(bytes).toString('base64')}`;

function build(options) {
  const read = (path) => readFileSync(path, 'utf8');
  const template = read(join(here, 'index.html'));
  const style = read(join(here, 'page.css')) + read(join(here, 'record.css')) + read(join(here, 'contrast.css'));
  const app = joinModules(kModules.map((name) => ({ name, text: read(join(here, 'src', name)) })));
  const iconSvg = readFileSync(options.icon);
  const touchIcon = readFileSync(join(here, 'icons', 'apple-touch-icon.png'));
  const moduleName = basename(options.module);
  const wasmName = moduleName.replace(/\.js$/, '.wasm');
  const wasm = readFileSync(join(dirname(options.module), wasmName));

  // The single file.
  const single = fillTemplate(template, {
    offline: '',
    head: [
      `<link rel="icon" type="image/svg+xml" href="${dataUrl('image/svg+xml', iconSvg)}">`,
      `<link rel="apple-touch-icon" href="${dataUrl('image/png', touchIcon)}">`,
      `<style>\n${style}</style>`,
    ].join('\n'),
    // The WebAssembly first, as text that is not run (base64 needs no
    // escaping), and the script that starts compiling it while the
    // module's script and the page's are read.
    scripts: [
      `<script type="application/octet-stream" id="program">${wasm.toString('base64')}</script>`,
      `<script>\n${inlineScript(read(join(here, 'start_compiling.js')))}</script>`,
      `<script>\n${inlineScript(read(options.module))}</script>`,
      `<script>\n${inlineScript(app)}</script>`,
    ].join('\n'),
  });
  mkdirSync(dirname(options.single), { recursive: true });
  writeFileSync(options.single, single);

  // The folder.
  const site = options.site;
  rmSync(site, { recursive: true, force: true });
  mkdirSync(site, { recursive: true });
  const files = new Map([
    ['index.html', fillTemplate(template, {
      offline: ' data-offline',
      head: [
        '<link rel="icon" type="image/svg+xml" href="icon.svg">',
        '<link rel="apple-touch-icon" href="apple-touch-icon.png">',
        '<link rel="manifest" href="manifest.webmanifest">',
        '<link rel="stylesheet" href="page.css">',
      ].join('\n'),
      scripts: `<script src="${moduleName}"></script>\n<script src="app.js"></script>`,
    })],
    ['page.css', style],
    ['app.js', app],
    [moduleName, readFileSync(options.module)],
    [wasmName, wasm],
    ['manifest.webmanifest', read(join(here, 'manifest.webmanifest'))],
    ['icon.svg', iconSvg],
  ]);
  for (const png of ['icon-192.png', 'icon-512.png', 'icon-maskable-512.png', 'apple-touch-icon.png']) {
    files.set(png, readFileSync(join(here, 'icons', png)));
  }
  const hash = createHash('sha256');
  for (const [name, content] of files) hash.update(name).update(content);
  const cache = `shoutotsu-${options.version}-${hash.digest('hex').slice(0, 12)}`;
  const kept = ['./', ...files.keys()];
  files.set('sw.js', fillTemplate(read(join(here, 'sw.js')), { cache, files: JSON.stringify(kept) }));
  for (const [name, content] of files) writeFileSync(join(site, name), content);
}

if (process.argv[1] && fileURLToPath(import.meta.url) === process.argv[1]) {
  try {
    build(parseArguments(process.argv.slice(2)));
  } catch (error) {
    console.error(`build_page: ${error.message}`);
    process.exit(1);
  }
}
