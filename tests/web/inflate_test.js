// The single-file page's inflater (tools/web_inflate.js) under node, on data
// that node's zlib deflates every way DEFLATE allows: stored blocks, fixed
// and dynamic Huffman codes, matches at the longest length and the farthest
// distance, empty data; and refusing data cut short or corrupted.
// usage: node inflate_test.js tools/web_inflate.js
'use strict';
const fs = require('fs');
const vm = require('vm');
const zlib = require('zlib');

const inflater = fs.readFileSync(process.argv[2], 'utf8');
function inflate(deflated) {
  const page = {atob: (text) => Buffer.from(text, 'base64').toString('binary')};
  vm.runInNewContext(inflater.replace('{{{ WASM }}}', deflated.toString('base64')), page);
  return Buffer.from(page.Module.wasmBinary);
}

let seed = 12345;
function random(n) {   // a repeatable stream of bytes
  const bytes = Buffer.alloc(n);
  for (let i = 0; i < n; i++) {
    seed = (seed * 1103515245 + 12345) & 0x7fffffff;
    bytes[i] = seed >> 16;
  }
  return bytes;
}
const text = Buffer.from('the heat equation on a polar grid, twenty steps a second; '.repeat(2000));
const far = Buffer.concat([random(40000), random(0), Buffer.alloc(300, 7)]);
far.copy(far, 35000, 100, 400);   // a match 34 900 bytes back, beyond the window's reach, then one within it
const cases = [
  ['empty', Buffer.alloc(0), {}],
  ['stored blocks', random(150000), {level: 0}],
  ['incompressible, level 9', random(70000), {level: 9}],
  ['fixed codes', Buffer.from('abcabcabcabc hello hello'), {strategy: zlib.constants.Z_FIXED}],
  ['dynamic codes', text, {level: 9}],
  ['runs of 258 and more', Buffer.alloc(100000, 0x55), {level: 9}],
  ['matches far back', far, {level: 9}],
  ['one byte', Buffer.from([42]), {}],
];
let failed = 0;
for (const [name, data, options] of cases) {
  const deflated = zlib.deflateRawSync(data, options);
  let ok;
  try {
    ok = inflate(deflated).equals(data);
  } catch (error) {
    ok = false;
    console.log(`  ${error.message}`);
  }
  console.log(`${ok ? 'ok  ' : 'FAIL'} - ${name}: ${data.length} bytes from ${deflated.length}`);
  failed += !ok;
}
// Broken data is refused, never taken for a program.
const good = zlib.deflateRawSync(text, {level: 9});
for (const [name, broken] of [['cut short', good.subarray(0, good.length >> 1)],
                               ['block type 3', Buffer.from([0x07, 0, 0])],
                               ['stored length not its complement', Buffer.from([0x01, 4, 0, 4, 0, 1, 2, 3, 4])]]) {
  let refused = false;
  try {
    refused = !inflate(broken).equals(text);
  } catch (error) {
    refused = true;
  }
  console.log(`${refused ? 'ok  ' : 'FAIL'} - ${name} is refused`);
  failed += !refused;
}
process.exit(failed ? 1 : 0);
