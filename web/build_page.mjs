// Writes the page in its two forms from the sources in web/ and the module
// the build linked:
//   --single FILE   one self-contained HTML file: style, script and the
//                   WebAssembly inlined, so it runs opened from a disk
//   --site DIR      the same page as files for a web server, with a web
//                   app manifest, icons and a worker that keeps every file
//                   for offline use
// The page's script is written as ES modules (web/src/, entered at boot.js);
// esbuild bundles them for both forms into one minified classic script, each
// module in its own scope, so the page also runs from file://.
import { createHash } from 'node:crypto';
import { mkdirSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { basename, dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';
import { buildSync, transformSync } from 'esbuild';

const here = dirname(fileURLToPath(import.meta.url));

// The page's script from its entry module, for the browsers of the class's
// devices; with `map`, also its source map, named for the script `name`.
export function bundleScript({ map = false, name = 'app.js' } = {}) {
  const result = buildSync({
    entryPoints: [join(here, 'src', 'boot.js')],
    bundle: true,
    format: 'iife',
    minify: true,
    target: ['chrome92', 'safari15', 'firefox90'],
    charset: 'utf8',
    legalComments: 'none',
    banner: { js: "'use strict';" },
    sourcemap: map ? 'external' : false,
    outfile: join(here, name),
    write: false,
    logLevel: 'silent',
  });
  const code = result.outputFiles.find((file) => file.path.endsWith('.js')).text;
  if (!map) return { code };
  const mapText = result.outputFiles.find((file) => file.path.endsWith('.map')).text;
  return { code: `${code}//# sourceMappingURL=${name}.map\n`, map: mapText };
}

// The inflater the single file unpacks its WebAssembly with, as a classic
// script that leaves one global, shoutotsuGunzip: the same code in every
// browser, the oldest the page runs in too.
export function bundleGunzip() {
  return buildSync({
    stdin: { contents: "import { gunzipSync } from 'fflate'; window.shoutotsuGunzip = gunzipSync;", resolveDir: here },
    bundle: true,
    format: 'iife',
    minify: true,
    target: ['chrome92', 'safari15', 'firefox90'],
    legalComments: 'none',
    write: false,
    logLevel: 'silent',
  }).outputFiles[0].text;
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
  // The window's sheet first, then the record's, whose sheet the class's
  // record builds on; the forced-colours rules last, every other part's
  // sheet between them by name.
  const first = ['page.css', 'record.css'];
  const sheets = readdirSync(here).filter((name) => name.endsWith('.css') && !first.includes(name) && name !== 'contrast.css').sort();
  // Minified, as the script is: the single file carries every sheet.
  const style = transformSync([...first, ...sheets, 'contrast.css'].map((name) => read(join(here, name))).join(''), {
    loader: 'css', minify: true, charset: 'utf8', logLevel: 'silent',
  }).code;
  const app = bundleScript();
  const siteApp = bundleScript({ map: true });
  const iconSvg = readFileSync(options.icon);
  const touchIcon = readFileSync(join(here, 'icons', 'apple-touch-icon.png'));
  const moduleName = basename(options.module);
  // The module's own script, written by the WebAssembly build, minified as
  // the page's is; its top-level names (createShoutotsu) stay as they are.
  const moduleScript = transformSync(read(options.module), {
    minify: true, target: ['chrome92', 'safari15', 'firefox90'], charset: 'utf8', logLevel: 'silent',
  }).code;
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
    // The WebAssembly first, packed with gzip (less than half its size) as
    // text that is not run (base64 needs no escaping), then its inflater
    // and the script that unpacks it and starts compiling it while the
    // module's script and the page's are read.
    scripts: [
      `<script type="application/gzip" id="program">${gzipSync(wasm, { level: 9 }).toString('base64')}</script>`,
      `<script>\n${inlineScript(bundleGunzip())}</script>`,
      `<script>\n${inlineScript(read(join(here, 'start_compiling.js')))}</script>`,
      `<script>\n${inlineScript(moduleScript)}</script>`,
      `<script>\n${inlineScript(app.code)}</script>`,
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
    ['app.js', siteApp.code],
    ['app.js.map', siteApp.map],
    [moduleName, moduleScript],
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
