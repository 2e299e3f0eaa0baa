// The year reports: month chips, month-by-month sessions, and how long a big
// year takes to draw (printed, not judged: timings belong to no assertion).

import assert from "node:assert/strict";
import { after, before, describe, test } from "node:test";
import { startBrowser, texts } from "./support.mjs";

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => { await browser?.stop(); });

const march = (page) => page.locator('details.month[data-month="2025-03"]');

describe("year report", () => {
  test("a bar and a chip per month, an empty August, sessions folded by month", () =>
    browser.withPage("year.html", async (page) => {
      assert.match(await page.locator("#lede").innerText(), /^\d+\.\d\d hours across 4 people and 47 projects\.$/);
      assert.equal(await page.locator("#chart-block h2").innerText(), "Month by month");
      assert.equal(await page.locator(".bar").count(), 12);
      assert.equal(await page.locator(".bar-value").count(), 12);
      assert.equal(await page.locator(".bar-value").nth(7).innerText(), "–");
      assert.equal(await page.locator("#chart-peak").innerText(), "");

      const chips = page.locator("#months button");
      assert.equal(await chips.count(), 13);
      const chipTexts = await texts(chips);
      assert.match(chipTexts[0], /^Whole year \d+h( \d+m)?$/);
      assert.equal(chipTexts[8], "Aug –");
      assert.equal(await chips.nth(8).isDisabled(), true);

      assert.equal(await page.locator("#session-count").innerText(), "2437 sessions");
      assert.equal(await page.locator("#sessions-host .month").count(), 12);
      assert.deepEqual(await texts(page.locator('#sessions-host .month[data-month="2025-08"]')),
        ["August 2025 nothing tracked"]);
      assert.match(await march(page).locator("summary").innerText(), /^March 2025\s+247 sessions\s+193\.27$/);
      assert.equal(await page.locator("#sessions-host table").count(), 0);
      assert.equal(await page.locator("#more").isVisible(), false);
    }));

  test("a month's table is built when opened, dropped when closed, and stays open through a search", () =>
    browser.withPage("year.html", async (page) => {
      // Opening and closing are announced after the click: wait for the table.
      const table = march(page).locator("table");
      await march(page).locator("summary").click();
      await table.waitFor();
      assert.equal(await march(page).locator("tbody tr").count(), 247);
      await march(page).locator("summary").click();
      await table.waitFor({ state: "detached" });

      await march(page).locator("summary").click();
      await table.waitFor();
      const wholeYear = page.locator("#months button").first();
      const before = await wholeYear.innerText();
      await page.locator("#q").fill("anna");
      assert.equal(await march(page).getAttribute("open"), "");
      const who = await texts(march(page).locator("tbody td:nth-child(2)"));
      assert.ok(who.length > 0 && who.every((name) => name === "Anna de Vries"));
      // The chips follow the search.
      assert.notEqual(await wholeYear.innerText(), before);
      const [count] = (await page.locator("#session-count").innerText()).split(" ");
      assert.ok(Number(count) > 0 && Number(count) < 2437);
    }));

  test("choosing a month narrows everything to its days and pages its sessions", () =>
    browser.withPage("year.html", async (page) => {
      const chip = page.locator('#months button[data-month="2025-03"]');
      await chip.click();
      assert.equal(await chip.getAttribute("aria-pressed"), "true");
      assert.equal(await page.locator("#lede").innerText(), "193.27 hours across 4 people and 47 projects.");
      assert.equal(await page.locator("#chart-block h2").innerText(), "Day by day");
      assert.equal(await page.locator(".bar").count(), 31);
      assert.equal(await page.locator("#chart-peak").innerText(), "tallest 16h 40m");

      assert.equal(await page.locator("#sessions-host tbody tr").count(), 200);
      assert.equal(await page.locator("#session-count").innerText(), "200 of 247");
      const more = page.locator("#more");
      assert.equal(await more.innerText(), "Show 47 more of 47");
      await more.click();
      assert.equal(await page.locator("#sessions-host tbody tr").count(), 247);
      assert.equal(await page.locator("#session-count").innerText(), "247 sessions");
      assert.equal(await more.isVisible(), false);

      // Back to the whole year, and a month chosen again starts at its first page.
      await page.locator("#months button").first().click();
      assert.equal(await page.locator("#sessions-host .month").count(), 12);
      await chip.click();
      assert.equal(await page.locator("#session-count").innerText(), "200 of 247");
    }));
});

describe("a year of 60,000 sessions", () => {
  test("time to draw, and to redraw after one keystroke", (t) =>
    browser.withPage("year-60k.html", async (page) => {
      // The page is complete when its load event has run: the script is
      // inline and draws synchronously. One frame more includes layout.
      const firstRender = await page.evaluate(() => new Promise((resolve) =>
        requestAnimationFrame(() => setTimeout(() => resolve(performance.now()), 0))));
      const navigation = await page.evaluate(() => performance.getEntriesByType("navigation")[0].toJSON());
      assert.equal(await page.locator("#session-count").innerText(), "60000 sessions");

      await page.locator("#q").focus();
      await page.evaluate(() => {
        window.addEventListener("keydown", () => {
          const start = performance.now();
          requestAnimationFrame(() => setTimeout(() => { window.keystrokeMs = performance.now() - start; }, 0));
        }, { capture: true, once: true });
      });
      await page.keyboard.press("r");
      const keystroke = await page.waitForFunction(() => window.keystrokeMs).then((handle) => handle.jsonValue());
      assert.match(await page.locator("#lede").innerText(), /matching “r”\.$/);

      const figures = [
        `60,000-session year: first complete render ${firstRender.toFixed(0)} ms after navigation start` +
          ` (load event done at ${navigation.loadEventEnd.toFixed(0)} ms)`,
        `60,000-session year: one search keystroke to the next frame ${keystroke.toFixed(1)} ms`,
      ];
      for (const line of figures) t.diagnostic(line);
    }));
});
