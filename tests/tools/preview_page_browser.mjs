// Opens preview pages in Debian's headless Chromium through puppeteer-core and prints, per page,
// one JSON line: axe-core's violations (WCAG 2 A and AA, best practices), the elements whose
// content overflows their box on a phone, two desktops and paper both ways, the sheets it prints
// on (A4 and Letter, both ways), each date cell's data-writers, the lowest contrast of a lane's
// colour, the dates whose changes the keyboard does not open, and the smallest printed text.
// The page named SHOTS is also taken as screenshots beside it: phone, desktop, paper, forced colours.
// usage: node preview_page_browser.mjs BROWSER SHOTS PAGE...
import { createRequire } from 'node:module';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

const require = createRequire(import.meta.url);
const axeSource = require('axe-core').source;

// Returns the elements whose content is wider or taller than their own box.
function overflowing() {
  const found = [];
  for (const element of document.querySelectorAll('body *')) {
    // Text for screen readers alone is clipped on purpose.
    if (!(element instanceof HTMLElement) || element.classList.contains('sr')) continue;
    if (getComputedStyle(element).display === 'inline') continue;
    if (element.clientWidth === 0 && element.clientHeight === 0) continue;
    if (element.scrollWidth > element.clientWidth + 1 || element.scrollHeight > element.clientHeight + 1)
      found.push(`${element.tagName.toLowerCase()}.${element.className}: ${element.textContent.slice(0, 60)}`);
  }
  return found;
}

function sheets(pdf) {
  return (Buffer.from(pdf).toString('latin1').match(/\/Type\s*\/Page(?!s)/g) || []).length;
}

// Returns the relative luminance of a CSS colour, for WCAG's contrast ratio.
function contrastOfLanes() {
  const luminance = (css) => {
    const [r, g, b] = css.match(/\d+(\.\d+)?/g).slice(0, 3).map((v) => {
      const c = Number(v) / 255;
      return c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
    });
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
  };
  let lowest = Infinity;
  for (const path of document.querySelectorAll('.lane svg path')) {
    const [a, b] = [luminance(getComputedStyle(path).fill), luminance(getComputedStyle(path.parentNode).backgroundColor)];
    lowest = Math.min(lowest, (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05));
  }
  return lowest;
}

// Returns the smallest font size of any text that shows, in CSS px.
function smallestText() {
  let smallest = Infinity;
  for (const element of document.querySelectorAll('body *')) {
    if (element.classList.contains('sr') || element.getClientRects().length === 0) continue;
    if (![...element.childNodes].some((n) => n.nodeType === Node.TEXT_NODE && n.textContent.trim())) continue;
    smallest = Math.min(smallest, parseFloat(getComputedStyle(element).fontSize));
  }
  return smallest;
}

// Opens every date's changes from the keyboard: Tab to its summary, Enter; returns those that stay shut.
async function shutFromTheKeyboard(page) {
  const count = await page.evaluate(() => document.querySelectorAll('details.changes').length);
  const shut = [];
  for (let i = 0; i < count; ++i) {
    await page.evaluate((i) => document.querySelectorAll('details.changes summary')[i].focus(), i);
    await page.keyboard.press('Enter');
    const open = await page.evaluate((i) => {
      const details = document.querySelectorAll('details.changes')[i];
      return document.activeElement === details.querySelector('summary') && details.open &&
        details.querySelector('pre').getClientRects().length > 0;
    }, i);
    if (!open) shut.push(i);
  }
  return { count, shut };
}

const [browserPath, shots, ...pages] = process.argv.slice(2);
const browser = await puppeteer.launch({
  executablePath: browserPath,
  headless: 'shell',
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
         '--disable-sync', '--no-first-run', '--disable-quic'],
});
// The sizes a page is looked at: a phone, two desktops, and an A4 sheet less its margins both ways.
const screens = { phone: [390, 844], laptop: [1280, 900], desktop: [1366, 768] };
const papers = { portrait: [733, 1062], landscape: [1062, 733] };
try {
  for (const path of pages) {
    const page = await browser.newPage();
    const client = await page.createCDPSession();
    await page.setViewport({ width: 1280, height: 900 });
    await page.goto(pathToFileURL(path).href, { waitUntil: 'load' });
    await page.addScriptTag({ content: axeSource });
    const axe = await page.evaluate(async () => {
      const result = await window.axe.run(document, {
        runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'best-practice'] } });
      return result.violations.map((v) => `${v.id} (${v.impact}, ${v.nodes.length} elements)`);
    });
    const writers = await page.evaluate(() => Object.fromEntries(
      [...document.querySelectorAll('td[data-date]')].map((td) => [td.dataset.date, td.dataset.writers])));
    const lanes = await page.evaluate(contrastOfLanes);
    const overflow = {};
    for (const [name, [width, height]] of Object.entries(screens)) {
      await page.setViewport({ width, height });
      overflow[name] = await page.evaluate(overflowing);
      if (path === shots) await page.screenshot({ path: path.replace(/\.html$/, `-${name}.png`) });
    }
    const keyboard = await shutFromTheKeyboard(page);
    await page.emulateMediaType('print');
    let printText = Infinity;
    for (const [name, [width, height]] of Object.entries(papers)) {
      await page.setViewport({ width, height });
      overflow[`print-${name}`] = await page.evaluate(overflowing);
      printText = Math.min(printText, await page.evaluate(smallestText));
      if (path === shots) await page.screenshot({ path: path.replace(/\.html$/, `-print-${name}.png`), fullPage: true });
    }
    const sheets_ = {};
    for (const format of ['A4', 'Letter'])
      for (const landscape of [false, true])
        sheets_[`${format}${landscape ? '-landscape' : ''}`] = sheets(await page.pdf({ format, landscape,
          margin: { top: '8mm', bottom: '8mm', left: '8mm', right: '8mm' }, printBackground: true }));
    if (path === shots) {
      await page.emulateMediaType('screen');
      await client.send('Emulation.setEmulatedMedia', { features: [{ name: 'forced-colors', value: 'active' }] });
      await page.setViewport({ width: 1366, height: 768 });
      await page.screenshot({ path: path.replace(/\.html$/, '-forced-colours.png') });
    }
    console.log(JSON.stringify({ page: path, axe, overflow, sheets: sheets_, writers, lanes, keyboard, printText }));
    await page.close();
  }
} finally {
  await browser.close();
}
