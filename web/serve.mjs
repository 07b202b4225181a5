// Serves a folder on the loopback address, as any static web server would:
//   node web/serve.mjs DIR [PORT]
// The page's browser tests serve the site folder with the same server.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.json': 'application/json',
  '.map': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
  '.svg': 'image/svg+xml',
};

// The file a request's path names inside `root`, or null for a path that
// leads out of it (a sibling folder whose name starts like root's too).
export function fileFor(root, urlPath) {
  let path;
  try {
    path = decodeURIComponent(new URL(urlPath, 'http://localhost').pathname);
  } catch {
    return null;
  }
  const file = normalize(join(root, path.endsWith('/') ? `${path}index.html` : path));
  return file === root || file.startsWith(root + sep) ? file : null;
}

// Starts serving `dir` on 127.0.0.1 (`port` 0: any free one). `headers(file)`
// gives the headers each file is sent with besides its type. close() cuts
// every connection at once, as a lost network would.
export async function serveFolder(dir, { port = 0, headers = () => ({}) } = {}) {
  const root = resolve(dir);
  const server = createServer(async (request, response) => {
    const file = fileFor(root, request.url ?? '/');
    if (file === null) {
      response.writeHead(403).end();
      return;
    }
    try {
      const body = await readFile(file);
      response.writeHead(200, { ...headers(file), 'content-type': types[extname(file)] ?? 'application/octet-stream' });
      response.end(body);
    } catch {
      response.writeHead(404, { 'content-type': 'text/plain; charset=utf-8' }).end('not found\n');
    }
  });
  const sockets = new Set();
  server.on('connection', (socket) => {
    sockets.add(socket);
    socket.on('close', () => sockets.delete(socket));
  });
  await new Promise((done) => server.listen(port, '127.0.0.1', done));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () =>
      new Promise((done) => {
        for (const socket of sockets) socket.destroy();
        server.close(done);
      }),
  };
}

if (process.argv[1] && fileURLToPath(import.meta.url) === resolve(process.argv[1])) {
  const served = await serveFolder(process.argv[2] ?? '.', {
    port: Number(process.argv[3] ?? 8000),
    // The worker must always be fetched afresh, so a new page replaces an old one.
    headers: (file) => ({ 'cache-control': file.endsWith('sw.js') ? 'no-cache' : 'max-age=60' }),
  });
  console.log(served.url);
}
