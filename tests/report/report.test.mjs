// The week, month and empty reports as a reader sees and uses them. The
// sessions behind them are in report_fixture.cpp.

import assert from "node:assert/strict";
import { after, before, describe, test } from "node:test";
import { startBrowser, texts } from "./support.mjs";

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => { await browser?.stop(); });

const hostileNote = '</script><img src=x onerror="window.__pwned=1">';
const lede = (page) => page.locator("#lede").innerText();
const firstCells = (page, column) =>
  texts(page.locator(`#sessions-host tbody tr td:nth-child(${column})`));

describe("week report", () => {
  test("lede, figures and a bar per day with its value under it", () =>
    browser.withPage("week.html", async (page) => {
      assert.equal(await lede(page), "14.52 hours across 4 people and 5 projects.");
      assert.deepEqual(await texts(page.locator("#figures .figure")),
        ["14h 31m tracked", "4 people", "5 projects", "7 sessions"]);

      // Days in the studio's own time zone, Monday first.
      assert.deepEqual(await texts(page.locator(".bar-label")), ["10", "11", "12", "13", "14", "15", "16"]);
      assert.deepEqual(await texts(page.locator(".bar-sub")), ["Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"]);
      assert.deepEqual(await texts(page.locator(".bar-value")), ["10h", "2h 30m", "1h 15m", "45m", "–", "–", "1m"]);
      assert.equal(await page.locator("#chart-peak").innerText(), "");
      // One minute beside ten hours is still drawn.
      const heights = await page.locator(".bar").evaluateAll((bars) => bars.map((bar) => bar.style.height));
      assert.deepEqual(heights, ["100%", "25%", "12.5%", "7.5%", "0%", "0%", "2%"]);
      assert.equal(await page.locator("#months").isVisible(), false);
    }));

  test("breakdown by each key, with shares and ties in name order", () =>
    browser.withPage("week.html", async (page) => {
      const rows = () => texts(page.locator("#breakdown tbody tr"));
      assert.deepEqual(await rows(), [
        "Anna de Vries 6.50 45%", "Bram Jansen 4.25 29%", "Chloé Martin 3.75 26%", "Dirk 0.02 0%",
      ]);
      assert.deepEqual(await texts(page.locator("#breakdown tfoot tr")), ["Total 14.52 100%"]);
      assert.equal(await page.locator("#breakdown-count").innerText(), "");
      assert.equal(await page.locator("#breakdown-more").isVisible(), false);

      await page.getByRole("button", { name: "Projects" }).click();
      assert.equal(await page.locator("#breakdown-title").innerText(), "By project");
      assert.equal(await page.locator("#breakdown th").first().innerText(), "Number");
      assert.deepEqual(await rows(), [
        "2301 Acme · Brand book 7.00 48%",
        "2302 Globex · Website 3.75 26%",
        "Internal Studio admin 3.00 21%",
        "Pitch deck Initech · Pitch deck 0.75 5%",
        "2303 Umbrella · Café menu 0.02 0%",
      ]);

      await page.getByRole("button", { name: "Clients" }).click();
      assert.equal(await page.locator("#breakdown th").first().innerText(), "Client");
      assert.deepEqual((await rows()).map((row) => row.split(" ")[0]),
        ["Acme", "Globex", "Internal", "Initech", "Umbrella"]);

      // Development and the sessions without a task tie at 3.75.
      await page.getByRole("button", { name: "Tasks" }).click();
      assert.equal(await page.locator("#breakdown-title").innerText(), "By task");
      assert.deepEqual(await rows(), ["Design 7.02 48%", "No task 3.75 26%", "Development 3.75 26%"]);
      assert.equal(await page.getByRole("button", { name: "Tasks" }).getAttribute("aria-pressed"), "true");
    }));

  test("sorting by a column header and reversing it", () =>
    browser.withPage("week.html", async (page) => {
      assert.deepEqual(await texts(page.locator("#sessions-host thead th")),
        ["Date ↑", "Who", "Client", "Project", "Number", "Task", "Hours", "Note"]);
      assert.deepEqual(await firstCells(page, 1), [
        "2025-03-10", "2025-03-10", "2025-03-10", "2025-03-11", "2025-03-12", "2025-03-13", "2025-03-16",
      ]);
      const header = (name) => page.locator("#sessions-host thead button", { hasText: name });

      await header("Hours").click();
      assert.deepEqual(await firstCells(page, 7), ["4.00", "3.00", "3.00", "2.50", "1.25", "0.75", "0.02"]);
      assert.equal(await page.locator("th[aria-sort]").getAttribute("aria-sort"), "descending");
      // Equal hours fall back to the date, then the first order.
      assert.deepEqual((await firstCells(page, 2)).slice(1, 3), ["Bram Jansen", "Chloé Martin"]);
      await header("Hours").click();
      assert.deepEqual(await firstCells(page, 7), ["0.02", "0.75", "1.25", "2.50", "3.00", "3.00", "4.00"]);

      await header("Who").click();
      assert.equal(await page.locator("th[aria-sort]").getAttribute("aria-sort"), "ascending");
      assert.deepEqual(await firstCells(page, 2), [
        "Anna de Vries", "Anna de Vries", "Bram Jansen", "Bram Jansen", "Chloé Martin", "Chloé Martin", "Dirk",
      ]);
      assert.deepEqual((await firstCells(page, 1)).slice(0, 2), ["2025-03-10", "2025-03-11"]);
      await header("Who").click();
      assert.equal((await firstCells(page, 2))[0], "Dirk");
    }));

  test("search narrows everything, folds accents, and Clear brings it all back", () =>
    browser.withPage("week.html", async (page) => {
      const search = page.locator("#q");
      assert.equal(await page.locator("#reset").isVisible(), false);
      await search.pressSequentially("GLOBEX");
      assert.equal(await lede(page), "3.75 hours across 2 sessions matching “GLOBEX”.");
      assert.equal(await page.locator("#session-count").innerText(), "2 sessions");
      assert.deepEqual(await texts(page.locator("#breakdown tbody tr")),
        ["Anna de Vries 2.50 67%", "Bram Jansen 1.25 33%"]);
      assert.equal(await page.locator("section.note").isVisible(), false);

      await search.fill("creme brulee");
      assert.equal(await lede(page), "0.02 hours across 1 session matching “creme brulee”.");
      await search.fill("internal");
      assert.deepEqual(await firstCells(page, 2), ["Chloé Martin"]);
      await search.fill("zzz");
      assert.deepEqual(await texts(page.locator("#sessions-host tbody tr")), ["Nothing matches."]);
      assert.deepEqual(await texts(page.locator("#breakdown tbody tr")), ["Nothing matches."]);
      assert.equal(await page.locator("#chart-block").isVisible(), false);

      await page.getByRole("button", { name: "Clear" }).click();
      assert.equal(await search.inputValue(), "");
      assert.equal(await lede(page), "14.52 hours across 4 people and 5 projects.");
      assert.equal(await page.locator("#reset").isVisible(), false);
      assert.equal(await page.locator("section.note").isVisible(), true);
      assert.equal(await page.locator("#chart-block").isVisible(), true);
    }));

  test("a hostile note stays text", () =>
    browser.withPage("week.html", async (page) => {
      const notes = await page.locator("#sessions-host td.note-text").allTextContents();
      assert.ok(notes.includes(hostileNote));
      assert.equal(await page.evaluate(() => window.__pwned), undefined);
      assert.equal(await page.locator("img").count(), 0);
      assert.ok((await page.content()).includes("\\u003C/script\\u003E\\u003Cimg"));
      assert.equal(await page.locator(".eyebrow").innerText(), "NOORD & ZUID <STUDIO>");
      assert.equal(await page.title(), "Noord & Zuid <Studio>: Week 11 · 10 March – 16 March");
    }));

  test("people without uploads, the CSV link and the footer", () =>
    browser.withPage("week.html", async (page) => {
      const note = page.locator("section.note");
      assert.equal(await note.locator("h2").innerText(), "Nothing uploaded for this period");
      assert.deepEqual(await texts(note.locator("li")), ["Eva Smit", "Femke Bos"]);
      const link = page.getByRole("link", { name: "sessions.csv" });
      assert.equal(await link.getAttribute("href"), "sessions.csv");
      assert.match(await page.locator("footer").innerText(),
        /^The same sessions as a spreadsheet, in this folder: sessions\.csv\n+Made 1 Apr 2025, 09:30 from the timesheets uploaded/);
    }));
});

describe("week report made for a search", () => {
  test("says what it matched and leaves out the people without uploads", () =>
    browser.withPage("week-query.html", async (page) => {
      assert.equal(await page.locator("#q").inputValue(), "acme");
      assert.equal(await lede(page), "7.00 hours across 2 sessions matching “acme”.");
      assert.equal(await page.locator("section.note").count(), 0);
      assert.equal(await page.getByText("Nothing uploaded for this period").count(), 0);
      await page.getByRole("button", { name: "Clear" }).click();
      assert.equal(await lede(page), "7.00 hours across 2 people and 1 project.");
    }));
});

describe("month report", () => {
  test("31 bars, the tallest day in the heading and values in tooltips", () =>
    browser.withPage("month.html", async (page) => {
      assert.equal(await page.locator(".bar").count(), 31);
      assert.equal(await page.locator("#chart-peak").innerText(), "tallest 10h");
      assert.equal(await page.locator(".bar-value").count(), 0);
      assert.equal(await page.locator('.bar-col[data-key="2025-03-10"]').getAttribute("title"), "Mon 10 Mar: 10h");
      assert.equal(await page.locator('.bar-col[data-key="2025-03-01"]').getAttribute("title"), "Sat 1 Mar: –");
      assert.equal(await page.locator("#session-count").innerText(), "37 sessions");
      assert.equal(await page.locator("#more").isVisible(), false);
    }));

  test("breakdown pages of 25", () =>
    browser.withPage("month.html", async (page) => {
      await page.getByRole("button", { name: "Projects" }).click();
      const rows = page.locator("#breakdown tbody tr");
      assert.equal(await rows.count(), 25);
      assert.equal(await page.locator("#breakdown-count").innerText(), "25 of 35");
      const more = page.locator("#breakdown-more");
      assert.equal(await more.innerText(), "Show 10 more of 10");
      assert.match(await page.locator("#breakdown tfoot").innerText(), /^Total \(all 35\)\s+53\.27\s+100%$/);
      // Shares are of the whole total, capped or not.
      assert.deepEqual((await texts(rows)).slice(0, 2), ["2301 Acme · Brand book 7.00 13%", "2302 Globex · Website 3.75 7%"]);

      await more.click();
      assert.equal(await rows.count(), 35);
      assert.equal(await more.isVisible(), false);
      assert.equal(await page.locator("#breakdown-count").innerText(), "");
      assert.match(await page.locator("#breakdown tfoot").innerText(), /^Total\s+53\.27\s+100%$/);

      // A new grouping starts at the first page again.
      await page.getByRole("button", { name: "People" }).click();
      assert.equal(await rows.count(), 4);
    }));
});

describe("empty period", () => {
  test("zero across zero, no chart, everybody listed as handing nothing in", () =>
    browser.withPage("empty.html", async (page) => {
      assert.equal(await lede(page), "0.00 hours across 0 people and 0 projects.");
      assert.deepEqual(await texts(page.locator("#figures .figure")),
        ["0m tracked", "0 people", "0 projects", "0 sessions"]);
      assert.equal(await page.locator("#chart-block").isVisible(), false);
      assert.deepEqual(await texts(page.locator("#breakdown tbody tr")), ["Nothing matches."]);
      assert.deepEqual(await texts(page.locator("#sessions-host tbody tr")), ["Nothing matches."]);
      assert.equal(await page.locator("#session-count").innerText(), "0 sessions");
      assert.deepEqual(await texts(page.locator("section.note li")),
        ["Anna de Vries", "Bram Jansen", "Chloé Martin", "Dirk", "Eva Smit", "Femke Bos"]);
    }));
});
