// Builds the page's HLS plug-in: the Promise polyfill, then hls.js (whose last line for the
// Internet Explorer 11 engine is 1.1.x), in one ES5 file that defines window.Hls.
'use strict';
const fs = require('fs');
const path = require('path');

const parts = [
  require.resolve('promise-polyfill/dist/polyfill.min.js'),
  require.resolve('hls.js/dist/hls.min.js'),
];
const out = path.join(__dirname, 'www', 'hls-plugin.js');
const text = parts.map((file) => fs.readFileSync(file, 'utf8')).join(';\n');
fs.writeFileSync(out, '/* Velmo HLS plug-in: promise-polyfill 8.3.0 + hls.js 1.1.5 */\n' + text + '\n');
console.log('wrote ' + path.relative(process.cwd(), out) + ' (' + text.length + ' bytes)');
