// A single-file page's WebAssembly, deflated and in base64 (tools/web_page.py
// puts it where WASM stands), inflated for the Emscripten script after this
// one, which takes it as Module.wasmBinary instead of fetching a file. The
// inflater reads raw DEFLATE data (RFC 1951): stored blocks and blocks of
// fixed or dynamic Huffman codes. Needs nothing of the browser beyond atob.
var Module = typeof Module != 'undefined' ? Module : {};
Module['wasmBinary'] = (function (packed) {
  var input = Uint8Array.from(atob(packed), function (c) { return c.charCodeAt(0); });
  var output = new Uint8Array(4 * input.length), length = 0;
  var at = 0, bitBuffer = 0, bitCount = 0;

  function bits(n) {   // the next n bits, least significant first
    while (bitCount < n) {
      if (at >= input.length) throw new Error('deflated data ends early');
      bitBuffer |= input[at++] << bitCount;
      bitCount += 8;
    }
    var value = bitBuffer & ((1 << n) - 1);
    bitBuffer >>>= n;
    bitCount -= n;
    return value;
  }
  function put(byte) {
    if (length == output.length) {
      var larger = new Uint8Array(2 * output.length);
      larger.set(output);
      output = larger;
    }
    output[length++] = byte;
  }
  // A canonical Huffman code from its code lengths: how many codes of each
  // length, and the symbols in the order of their codes.
  function code(lengths) {
    var counts = new Uint16Array(16), offsets = new Uint16Array(16), symbols = new Uint16Array(lengths.length);
    for (var i = 0; i < lengths.length; i++) counts[lengths[i]]++;
    counts[0] = 0;
    for (var len = 1; len < 16; len++) offsets[len] = offsets[len - 1] + counts[len - 1];
    for (i = 0; i < lengths.length; i++) if (lengths[i]) symbols[offsets[lengths[i]]++] = i;
    return {counts: counts, symbols: symbols};
  }
  // One symbol, its code read a bit at a time (codes are stored from their
  // most significant bit).
  function symbol(huffman) {
    var value = 0, first = 0, index = 0;
    for (var len = 1; len < 16; len++) {
      value |= bits(1);
      var count = huffman.counts[len];
      if (value - first < count) return huffman.symbols[index + value - first];
      index += count;
      first = (first + count) << 1;
      value <<= 1;
    }
    throw new Error('a Huffman code that is not in its table');
  }

  var lengthBase = [3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31, 35, 43, 51, 59, 67, 83, 99, 115, 131,
                    163, 195, 227, 258];
  var lengthExtra = [0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0];
  var distanceBase = [1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257, 385, 513, 769, 1025, 1537,
                      2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577];
  var distanceExtra = [0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13];
  var lengthOrder = [16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15];

  function inflateBlock(literals, distances) {
    for (;;) {
      var s = symbol(literals);
      if (s < 256) {
        put(s);
      } else if (s == 256) {
        return;
      } else {
        s -= 257;
        var n = lengthBase[s] + bits(lengthExtra[s]);
        var d = symbol(distances);
        var back = distanceBase[d] + bits(distanceExtra[d]);
        if (back > length) throw new Error('a distance back past the start');
        for (var k = 0; k < n; k++) put(output[length - back]);
      }
    }
  }

  var fixedLiterals = null, fixedDistances = null;
  for (var last = 0; !last;) {
    last = bits(1);
    var type = bits(2);
    if (type == 0) {   // stored: from the next byte, a length, its complement, the bytes
      bitBuffer = bitCount = 0;
      if (at + 4 > input.length) throw new Error('deflated data ends early');
      var n = input[at] | (input[at + 1] << 8);
      if ((n ^ (input[at + 2] | (input[at + 3] << 8))) != 0xFFFF) throw new Error('a stored block of a wrong length');
      at += 4;
      if (at + n > input.length) throw new Error('deflated data ends early');
      for (var k = 0; k < n; k++) put(input[at++]);
    } else if (type == 1) {
      if (!fixedLiterals) {
        var lengths = [];
        for (var i = 0; i < 288; i++) lengths.push(i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8);
        fixedLiterals = code(lengths);
        fixedDistances = code(new Array(30).fill(5));
      }
      inflateBlock(fixedLiterals, fixedDistances);
    } else if (type == 2) {
      var literalCount = bits(5) + 257, distanceCount = bits(5) + 1, lengthCount = bits(4) + 4;
      var codeLengths = new Array(19).fill(0);
      for (i = 0; i < lengthCount; i++) codeLengths[lengthOrder[i]] = bits(3);
      var lengthCode = code(codeLengths), all = [];
      while (all.length < literalCount + distanceCount) {
        var s = symbol(lengthCode);
        if (s < 16) {
          all.push(s);
        } else {
          if (s == 16 && !all.length) throw new Error('a repeat with nothing before it');
          var repeated = s == 16 ? all[all.length - 1] : 0;
          var times = s == 16 ? 3 + bits(2) : s == 17 ? 3 + bits(3) : 11 + bits(7);
          while (times--) all.push(repeated);
        }
      }
      if (all.length > literalCount + distanceCount) throw new Error('too many code lengths');
      inflateBlock(code(all.slice(0, literalCount)), code(all.slice(literalCount)));
    } else {
      throw new Error('a block of type 3');
    }
  }
  return output.subarray(0, length);
})('{{{ WASM }}}');
