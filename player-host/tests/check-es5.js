// Proves that the player page's script and the HLS plug-in parse as ECMAScript 5, the newest
// language the web-browser control's engine understands.
'use strict';
const fs = require('fs');
const path = require('path');
const acorn = require('acorn');

const www = path.join(__dirname, '..', 'www');

function scriptsOfPage(html) {
  const scripts = [];
  const pattern = /<script\b([^>]*)>([\s\S]*?)<\/script>/gi;
  for (let match; (match = pattern.exec(html));) if (!/\bsrc=/.test(match[1])) scripts.push(match[2]);
  return scripts;
}

function checkEs5(name, text) {
  acorn.parse(text, { ecmaVersion: 5, sourceType: 'script' });
  return name;
}

function checkAll() {
  const page = fs.readFileSync(path.join(www, 'player.html'), 'utf8');
  const scripts = scriptsOfPage(page);
  if (scripts.length === 0) throw new Error('player.html has no inline script');
  const checked = scripts.map((text, i) => checkEs5(`player.html script ${i + 1}`, text));
  checked.push(checkEs5('hls-plugin.js', fs.readFileSync(path.join(www, 'hls-plugin.js'), 'utf8')));
  return checked;
}

module.exports = { checkAll, checkEs5 };

if (require.main === module) {
  try {
    console.log('ES5: ' + checkAll().join(', '));
  } catch (error) {
    console.error('not ES5: ' + error.message);
    process.exit(1);
  }
}
