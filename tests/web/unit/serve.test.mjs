// The static server of the scripts and the tests keeps every request inside
// the folder it serves.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { fileFor } from '../../../web/serve.mjs';

test('a request names a file inside the served folder, never one beside or above it', () => {
  const root = '/srv/site';
  assert.equal(fileFor(root, '/'), '/srv/site/index.html');
  assert.equal(fileFor(root, '/app.js?v=2'), '/srv/site/app.js');
  assert.equal(fileFor(root, '/icons/../icon.svg'), '/srv/site/icon.svg');
  assert.equal(fileFor(root, '/..%2fsite2/secret.txt'), null, 'a sibling whose name starts alike');
  assert.equal(fileFor(root, '/..%2f..%2fetc%2fpasswd'), null);
  assert.equal(fileFor(root, '/%E0%A4%A'), null, 'a broken escape');
});
