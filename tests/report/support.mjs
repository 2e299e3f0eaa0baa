// Shared set-up of the browser tests: the reports written once per test file
// by the C++ fixture program, and Debian's Chromium with a fresh profile.
// Every page is watched for console errors, page errors and requests.

import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { pathToFileURL } from "node:url";
import { chromium } from "playwright-core";

const fixture = process.env.ZOL_REPORT_FIXTURE;

export async function startBrowser() {
  if (!fixture) {
    throw new Error("ZOL_REPORT_FIXTURE must name the report_fixture program (ctest sets it)");
  }
  const folder = mkdtempSync(join(tmpdir(), "zol-report-"));
  const reports = join(folder, "reports");
  execFileSync(fixture, [reports], { stdio: "inherit" });
  const context = await chromium.launchPersistentContext(join(folder, "profile"), {
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: [
      "--no-sandbox",
      "--disable-gpu",
      "--disable-background-networking",
      "--disable-component-update",
      "--no-first-run",
      "--disable-sync",
    ],
    viewport: { width: 1280, height: 900 },
  });

  return {
    // Opens a report, hands the page to `use`, then closes it and fails when
    // the page logged an error or asked for anything besides its own file.
    async withPage(name, use, { colorScheme = "light" } = {}) {
      const page = await context.newPage();
      await page.emulateMedia({ colorScheme });
      const errors = [];
      const requests = [];
      page.on("console", (message) => {
        if (message.type() === "error") errors.push(message.text());
      });
      page.on("pageerror", (error) => errors.push(error.message));
      page.on("request", (request) => requests.push(request.url()));
      const address = pathToFileURL(join(reports, name)).href;
      try {
        await page.goto(address, { waitUntil: "load" });
        await use(page);
      } finally {
        await page.close();
      }
      assert.deepEqual(errors, [], "the page logged errors");
      assert.deepEqual(requests.filter((url) => url !== address), [],
        "the page asked for something besides itself");
    },

    async stop() {
      await context.close();
      rmSync(folder, { recursive: true, force: true });
    },
  };
}

// What a reader sees of an element list: trimmed texts.
export async function texts(locator) {
  return (await locator.allInnerTexts()).map((text) => text.replace(/\s+/g, " ").trim());
}
