// Opens preview pages in Debian's headless Chromium through puppeteer-core and prints, per page,
// one JSON line: axe-core's violations (WCAG 2 A and AA, best practices), the elements whose
// content overflows their box on a 1280 px screen and in print, the sheets it prints on (A4 and
// Letter, landscape), and each date cell's data-writers.
// usage: node preview_page_browser.mjs BROWSER PAGE...
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

const [browserPath, ...pages] = process.argv.slice(2);
const browser = await puppeteer.launch({
  executablePath: browserPath,
  headless: 'shell',
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
         '--disable-sync', '--no-first-run', '--disable-quic'],
});
try {
  for (const path of pages) {
    const page = await browser.newPage();
    await page.setViewport({ width: 1280, height: 900 });
    await page.goto(pathToFileURL(path).href, { waitUntil: 'load' });
    await page.addScriptTag({ content: axeSource });
    const axe = await page.evaluate(async () => {
      const result = await window.axe.run(document, {
        runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'best-practice'] } });
      return result.violations.map((v) => `${v.id} (${v.impact}, ${v.nodes.length} elements)`);
    });
    const screen = await page.evaluate(overflowing);
    const writers = await page.evaluate(() => Object.fromEntries(
      [...document.querySelectorAll('td[data-date]')].map((td) => [td.dataset.date, td.dataset.writers])));
    await page.emulateMediaType('print');
    await page.setViewport({ width: 1060, height: 740 });  // A4 landscape less the margins, at 96 dpi
    const print = await page.evaluate(overflowing);
    const a4 = sheets(await page.pdf({ preferCSSPageSize: true, printBackground: true }));
    const letter = sheets(await page.pdf({ format: 'Letter', landscape: true, margin: { top: '8mm', bottom: '8mm',
      left: '8mm', right: '8mm' }, printBackground: true }));
    console.log(JSON.stringify({ page: path, axe, overflow: { screen, print }, sheets: { a4, letter }, writers }));
    await page.close();
  }
} finally {
  await browser.close();
}
