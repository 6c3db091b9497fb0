// A static server for the built page, on 127.0.0.1 only.
//
//   node serve.mjs SITE_DIR [PORT]    (PORT 0 or absent: any free port)

import { readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';

const TYPES = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css' };

/** Starts serving dir; resolves to the server and the page's address. */
export async function serve(dir, port = 0) {
  const root = resolve(dir);
  const server = createServer((req, res) => {
    const path = join(root, decodeURIComponent(new URL(req.url, 'http://host').pathname));
    const file = path.endsWith(sep) ? join(path, 'index.html') : path;
    if (file !== root && !file.startsWith(root + sep)) return res.writeHead(403).end();
    let body;
    try {
      body = readFileSync(file);
    } catch {
      return res.writeHead(404).end();
    }
    res.writeHead(200, { 'content-type': TYPES[extname(file)] ?? 'application/octet-stream' }).end(body);
  });
  await new Promise((ok, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', ok);
  });
  return { server, url: `http://127.0.0.1:${server.address().port}/index.html` };
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [dir, port] = process.argv.slice(2);
  if (!dir) {
    console.error('usage: node serve.mjs SITE_DIR [PORT]');
    process.exit(2);
  }
  try {
    const { url } = await serve(dir, Number(port ?? 0));
    console.log(`Studio is served at ${url} (Ctrl+C stops)`);
  } catch (e) {
    console.error(`studio: cannot serve ${dir} on 127.0.0.1:${port ?? 0}: ${e.message}`);
    process.exit(1);
  }
}
