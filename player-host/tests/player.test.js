// The player host in a real browser: Debian's chromium, headless, against the running nginx and
// the live sample stream (player-host/start.sh). The program's own address comes from the file
// named by VELMO_PLAYER_ADDRESS_FILE (written by the program's address tool under Wine).
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const http = require('http');
const { chromium } = require('playwright-core');
const { checkAll } = require('./check-es5.js');

const HOST = process.env.VELMO_HOST_URL || 'http://127.0.0.1';
const PREFIX = `${HOST}/ckplayer/ckplayer.swf?c=0&p=1&f=${HOST}/ckplayer/jym3u8.swf&a=http://`;
const SUFFIX = '&s=4&c=0&p=1&b=0&wh=16:9&lv=1';

let browser;

before(async () => {
  browser = await chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium', args: ['--no-sandbox'] });
});

after(async () => {
  if (browser) await browser.close();
});

function programAddress() {
  const file = process.env.VELMO_PLAYER_ADDRESS_FILE;
  assert.ok(file, 'VELMO_PLAYER_ADDRESS_FILE names the address the program composed');
  return fs.readFileSync(file, 'utf8').trim();
}

// The engines the page meets: one that plays HLS itself (this chromium), and one that needs the
// page's plug-in (as the web-browser control's engine does), made by hiding the native support.
const ENGINES = ['native HLS', 'HLS plug-in'];

// Opens an address in a new page of an engine and records every request the page makes.
async function open(address, engine = 'native HLS') {
  const page = await browser.newPage();
  if (engine === 'HLS plug-in') {
    await page.addInitScript(() => {
      const canPlayType = HTMLMediaElement.prototype.canPlayType;
      HTMLMediaElement.prototype.canPlayType = function (type) {
        return /mpegurl/i.test(type) ? '' : canPlayType.call(this, type);
      };
    });
  }
  if (engine === 'no HLS') {
    await page.addInitScript(() => {
      HTMLMediaElement.prototype.canPlayType = () => '';
      window.MediaSource = undefined;
      window.WebKitMediaSource = undefined;
    });
  }
  const requests = [];
  page.on('request', (request) => requests.push(request.url()));
  await page.goto(address);
  return { page, requests };
}

async function playback(page) {
  return page.evaluate(() => {
    const video = document.getElementById('video');
    const quality = video.getVideoPlaybackQuality ? video.getVideoPlaybackQuality() : null;
    return {
      time: video.currentTime,
      frames: quality ? quality.totalVideoFrames : video.webkitDecodedFrameCount || 0,
      state: document.body.getAttribute('data-state'),
      status: document.getElementById('status').textContent,
      notice: document.getElementById('notice').textContent,
    };
  });
}

// Waits until the video's time has advanced by a second and frames were decoded.
async function expectPlaying(page) {
  await page.waitForFunction(() => document.getElementById('video').currentTime > 0, null, { timeout: 30000 });
  const first = await playback(page);
  await page.waitForFunction((t) => document.getElementById('video').currentTime > t + 1, first.time, { timeout: 15000 });
  const later = await playback(page);
  assert.ok(later.frames > first.frames || later.frames > 10, `frames decoded: ${first.frames} -> ${later.frames}`);
  return later;
}

async function expectStatus(page, english) {
  await page.waitForFunction(
    (text) => document.getElementById('status').textContent.indexOf(text) >= 0, english, { timeout: 20000 });
  return playback(page);
}

function head(url) {
  return new Promise((resolve, reject) => {
    http.get(url, (response) => { response.resume(); resolve(response); }).on('error', reject);
  });
}

test('the address the program composes for the sample channel plays the live stream', async (t) => {
  const address = programAddress();
  assert.ok(address.startsWith(`${HOST}/ckplayer/ckplayer.swf?`), address);
  for (const engine of ENGINES) {
    await t.test(engine, async () => {
      const { page, requests } = await open(address, engine);
      const state = await expectPlaying(page);
      assert.strictEqual(state.state, 'playing');
      assert.strictEqual(state.status, '');
      const pluginLoaded = requests.includes(`${HOST}/ckplayer/jym3u8.swf`);
      assert.strictEqual(pluginLoaded, engine === 'HLS plug-in', 'the plug-in named by f is loaded only when needed');
      assert.ok(requests.includes(`${HOST}/live/sample.m3u8`), 'the stream named by a was requested');
      assert.ok(await page.isVisible('#live'), 'lv=1 marks the stream live');
      const box = await page.locator('#frame').boundingBox();
      assert.ok(Math.abs(box.width / box.height - 16 / 9) < 0.01, `wh=16:9 gives the frame ${box.width} x ${box.height}`);
      await page.close();
    });
  }
});

test('failures show their message in Chinese and English', async (t) => {
  const cases = [
    { name: 'stream 404', channel: '127.0.0.1/live/missing.m3u8', english: 'The stream is unreachable or offline', chinese: '直播流无法访问或已停播' },
    { name: 'stream host down', channel: '127.0.0.1:9/live/sample.m3u8', english: 'The stream is unreachable or offline', chinese: '直播流无法访问或已停播' },
    { name: 'no stream address', address: `${HOST}/ckplayer/ckplayer.swf?c=0&p=1`, english: 'No stream address given', chinese: '地址里没有直播流' },
  ];
  for (const engine of ENGINES) {
    for (const c of cases) {
      await t.test(`${c.name}, ${engine}`, async () => {
        const { page } = await open(c.address || PREFIX + c.channel + SUFFIX, engine);
        const state = await expectStatus(page, c.english);
        assert.ok(state.status.includes(c.chinese), state.status);
        if (c.channel) assert.match(state.status, /reconnecting in \d+ s \(attempt \d+\)/);
        await page.close();
      });
    }
  }
});

test('an engine with neither HLS nor media source extensions is told so', async () => {
  const { page } = await open(programAddress(), 'no HLS');
  const state = await expectStatus(page, 'This browser cannot play HLS streams');
  assert.ok(state.status.includes('此浏览器无法播放 HLS 直播流'), state.status);
  await page.close();
});

test('a stream address with "&" (and a literal "+") is joined again, said so, and plays', async (t) => {
  for (const engine of ENGINES) {
    await t.test(engine, async () => {
      const { page, requests } = await open(PREFIX + '127.0.0.1/live/sample.m3u8?token=1+2&user=2' + SUFFIX, engine);
      const state = await expectPlaying(page);
      assert.ok(state.notice.includes('contained "&"'), state.notice);
      assert.ok(requests.includes(`${HOST}/live/sample.m3u8?token=1+2&user=2`), requests.join('\n'));
      await page.close();
    });
  }
});

test('a plug-in on another host is never loaded: the page uses its own copy', async () => {
  const address = `${HOST}/ckplayer/ckplayer.swf?c=0&p=1&f=http://plugin.invalid/hls.js&a=http://127.0.0.1/live/sample.m3u8${SUFFIX}`;
  const { page, requests } = await open(address, 'HLS plug-in');
  await expectPlaying(page);
  assert.ok(!requests.some((url) => url.startsWith('http://plugin.invalid')), requests.join('\n'));
  assert.ok(requests.includes(`${HOST}/ckplayer/jym3u8.swf`));
  await page.close();
});

test('the host serves the page and the plug-in with their types, the page uncached', async () => {
  const page = await head(`${HOST}/ckplayer/ckplayer.swf`);
  assert.strictEqual(page.headers['content-type'], 'text/html; charset=utf-8');
  assert.strictEqual(page.headers['x-ua-compatible'], 'IE=edge');
  assert.match(page.headers['cache-control'], /no-store/);
  const plugin = await head(`${HOST}/ckplayer/jym3u8.swf`);
  assert.strictEqual(plugin.headers['content-type'], 'application/javascript');
  const playlist = await head(`${HOST}/live/sample.m3u8`);
  assert.strictEqual(playlist.headers['access-control-allow-origin'], '*');
});

test('the page script and the plug-in are ES5', () => {
  assert.deepStrictEqual(checkAll(), ['player.html script 1', 'hls-plugin.js']);
});
