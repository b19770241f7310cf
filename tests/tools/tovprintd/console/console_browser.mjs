// Drives tovprintd's print console in the system's headless Chromium, as a manager and as a
// till, against the service console_test.py started: the printers' states as the API reports
// them, the emulated printer running out of paper and refilled while the page is open, a reprint
// and a cancel from the page, the preview, markup shown as text, the security
// headers, the refusal of another origin's calls, a phone's width and the Spanish texts.
// Every wait is bounded; the browser is closed whatever happens.
//
//     node console_browser.mjs --scenario FILE   (NODE_PATH names puppeteer-core's folder)

import { readFileSync } from "node:fs";
import http from "node:http";
import net from "node:net";
import { createRequire } from "node:module";

const require = createRequire(import.meta.url);
const puppeteer = require("puppeteer-core");

const waitMilliseconds = 20000;
const scenario = JSON.parse(readFileSync(process.argv[process.argv.indexOf("--scenario") + 1]));
const base = new URL(scenario.url);
const failures = [];

function check(condition, message) {
  if (!condition) throw new Error(message);
}

function step(name) {
  console.log("console: " + name);
}

// A call to the service with any headers (a browser would not let a page set Origin).
function call(method, path, headers = {}) {
  return new Promise((resolve, reject) => {
    const request = http.request({ host: base.hostname, port: base.port, method, path, headers,
      timeout: 10000 }, (response) => {
      let body = "";
      response.setEncoding("utf8");
      response.on("data", (chunk) => { body += chunk; });
      response.on("end", () => resolve({ status: response.statusCode, headers: response.headers,
        body }));
    });
    request.on("timeout", () => request.destroy(new Error(method + " " + path + " timed out")));
    request.on("error", reject);
    request.end();
  });
}

// One command on the emulated printer's control channel; its answer's state.
function printerControl(request) {
  return new Promise((resolve, reject) => {
    const channel = net.connect({ host: "127.0.0.1", port: scenario.printer_control_port });
    let answer = "";
    channel.setTimeout(10000, () => channel.destroy(new Error("the printer's control channel " +
      "did not answer " + request.command)));
    channel.on("connect", () => channel.write(JSON.stringify(request) + "\n"));
    channel.on("data", (chunk) => {
      answer += chunk;
      if (!answer.includes("\n")) return;
      channel.end();
      const reply = JSON.parse(answer);
      if (reply.ok) resolve(reply.state);
      else reject(new Error(request.command + ": " + reply.error));
    });
    channel.on("error", reject);
  });
}

const asManager = { Authorization: "Bearer " + scenario.manager_token };

// The page's name for a printer's state, from the API's status and reason.
function expectedPrinterState(printer) {
  if (printer.status === "can_print") return "online";
  if (["paper_end", "cover_open", "offline"].includes(printer.status)) return printer.status;
  if (printer.status === "cannot_print") {
    const reason = String(printer.reason || "").toLowerCase();
    if (/paper|papel/.test(reason)) return "paper_end";
    if (/cover|tampa|tapa/.test(reason)) return "cover_open";
    return "offline";
  }
  return "unknown";
}

async function checkSecurityHeaders() {
  step("security headers on the page, its files, the API and an error");
  for (const [path, headers] of [["/", {}], ["/console.js", {}], ["/console.css", {}],
    ["/v1/printers", asManager], ["/v1/jobs/999999", asManager], ["/nothing", {}]]) {
    const answer = await call("GET", path, headers);
    const policy = answer.headers["content-security-policy"] || "";
    for (const part of ["default-src 'self'", "script-src 'self'", "style-src 'self'",
      "img-src 'self' blob:", "frame-ancestors 'none'"]) {
      check(policy.includes(part), path + ": Content-Security-Policy without " + part);
    }
    check(!policy.includes("unsafe-inline"), path + ": the policy allows inline code");
    check(answer.headers["x-frame-options"] === "DENY", path + ": X-Frame-Options");
    check(answer.headers["x-content-type-options"] === "nosniff", path + ": nosniff");
    check(answer.headers["referrer-policy"] === "no-referrer", path + ": Referrer-Policy");
  }
  const page = await call("GET", "/");
  check(page.status === 200 && page.headers["content-type"].startsWith("text/html"),
    "the page: " + page.status);
  check(!/<script>|<script [^>]*>[^<]/.test(page.body) && !/ on[a-z]+=/.test(page.body) &&
    !/ style=/.test(page.body), "the page holds inline code or style");
}

async function checkOtherOrigins() {
  step("state-changing calls from another origin are refused");
  const path = "/v1/jobs/" + scenario.queued;
  for (const headers of [{ Origin: "http://evil.example" },
    { Origin: "http://127.0.0.1:1" }, { Origin: "null" }, { "Sec-Fetch-Site": "cross-site" },
    { "Sec-Fetch-Site": "same-site" }]) {
    const answer = await call("DELETE", path, { ...asManager, ...headers });
    check(answer.status === 403 && /another/.test(answer.body),
      "DELETE with " + JSON.stringify(headers) + ": " + answer.status + " " + answer.body);
  }
  const reprint = await call("POST", "/v1/jobs/" + scenario.unconfirmed + "/reprint",
    { ...asManager, Origin: "https://evil.example" });
  check(reprint.status === 403, "a reprint from another origin: " + reprint.status);
  // The job is still queued: none of them reached it. The same origin's call is not refused
  // for its origin (GET, a till's program sending no Origin, are not concerned at all).
  const job = JSON.parse((await call("GET", path, asManager)).body);
  check(job.state === "queued", "a refused call changed the job: " + job.state);
  const sameOrigin = await call("POST", "/v1/jobs/" + scenario.queued + "/reprint",
    { ...asManager, Origin: base.origin, "Sec-Fetch-Site": "same-origin" });
  check(sameOrigin.status === 409, "the same origin's reprint of a queued job: " +
    sameOrigin.status + " " + sameOrigin.body);
  const noToken = await call("DELETE", path, { Origin: base.origin });
  check(noToken.status === 401, "a DELETE without a token: " + noToken.status);
}

async function signIn(page, token) {
  await page.waitForSelector("#token", { visible: true, timeout: waitMilliseconds });
  await page.type("#token", token);
  await page.click("#sign-in-form button[type=submit]");
}

async function signOut(page) {
  await page.click("#sign-out");
  await page.waitForSelector("#token", { visible: true, timeout: waitMilliseconds });
}

async function rowOf(page, id) {
  return page.waitForSelector(`#jobs tr[data-job="${id}"]`, { timeout: waitMilliseconds });
}

async function waitForRowState(page, id, state) {
  await page.waitForFunction((job, wanted) => {
    const row = document.querySelector(`#jobs tr[data-job="${job}"]`);
    return row && row.dataset.state === wanted;
  }, { timeout: waitMilliseconds }, id, state);
}

async function checkPrinters(page) {
  step("the printers' states as the API reports them");
  await page.waitForSelector("#printers li", { timeout: waitMilliseconds });
  const deadline = Date.now() + waitMilliseconds;
  let shown = null;
  let expected = null;
  while (Date.now() < deadline) {
    const api = JSON.parse((await call("GET", "/v1/printers", asManager)).body).printers;
    expected = Object.fromEntries(api.map((p) => [p.name, [expectedPrinterState(p), p.queued]]));
    shown = await page.$$eval("#printers li", (items) => Object.fromEntries(items.map((item) =>
      [item.dataset.printer, [item.dataset.status,
        Number(item.querySelector(".printer-queue").textContent.match(/\d+/)[0])]])));
    if (JSON.stringify(shown) === JSON.stringify(expected)) break;
    await new Promise((resolve) => setTimeout(resolve, 250));
  }
  check(JSON.stringify(shown) === JSON.stringify(expected),
    "the page shows " + JSON.stringify(shown) + ", the API " + JSON.stringify(expected));
  check(shown.balcao[0] === "offline" && shown.balcao[1] === 2,
    "the printer that refuses connections: " + JSON.stringify(shown.balcao));
  const label = await page.$eval('#printers li[data-printer="balcao"] .printer-status',
    (badge) => badge.textContent);
  check(label === "Fora de linha", "the off-line printer's label: " + label);
}

async function waitForPrinterState(page, name, state) {
  await page.waitForFunction((printer, wanted) => {
    const item = document.querySelector(`#printers li[data-printer="${printer}"]`);
    return item && item.dataset.status === wanted;
  }, { timeout: waitMilliseconds }, name, state);
  return page.$eval(`#printers li[data-printer="${name}"] .printer-status`,
    (badge) => badge.textContent);
}

// The page shows the printer's paper end by itself, without being reloaded, and that it is on
// line again once a new roll is in.
async function checkPaperOut(page) {
  step("the emulated printer runs out of paper, then gets a new roll");
  check(await waitForPrinterState(page, "caixa", "online") === "Em linha",
    "the printer that can print is not shown on line");
  const borderOf = () => page.$eval('#printers li[data-printer="caixa"]',
    (item) => getComputedStyle(item).borderLeftColor);
  const onLineBorder = await borderOf();
  await page.evaluate(() => { window.__tovNotReloaded = true; });
  await printerControl({ command: "out-of-paper", after_lines: 0 });
  const label = await waitForPrinterState(page, "caixa", "paper_end");
  check(label === "Fim de papel", "the printer out of paper's label: " + label);
  const reason = await page.$eval('#printers li[data-printer="caixa"] .printer-reason',
    (line) => line.textContent);
  check(/sem papel/.test(reason) && !/paper/.test(reason),
    "the printer out of paper's reason is not in Portuguese: " + reason);
  check(await borderOf() !== onLineBorder, "the printer out of paper does not stand out");
  await printerControl({ command: "refill" });
  await waitForPrinterState(page, "caixa", "online");
  check(await page.evaluate(() => window.__tovNotReloaded === true), "the page was reloaded");
}

async function checkJobs(page) {
  step("the jobs: newest first, dates as the store writes them, markup as text");
  await rowOf(page, scenario.queued);
  const ids = await page.$$eval("#jobs tr", (rows) => rows.map((row) => Number(row.dataset.job)));
  check(ids.length >= 5 && ids.every((id, i) => i === 0 || ids[i - 1] > id),
    "the jobs are not newest first: " + ids);
  const created = await page.$$eval("#jobs .job-created", (cells) => cells.map((c) =>
    c.textContent));
  check(created.every((text) => /^\d{2}\/\d{2}\/\d{4} \d{2}:\d{2}$/.test(text)),
    "dates not as dd/mm/yyyy HH:MM: " + created);
  const attention = await page.$eval(`#jobs tr[data-job="${scenario.unconfirmed}"]`,
    (row) => [row.classList.contains("attention"), row.querySelector(".badge").textContent,
      row.querySelector(".job-error").textContent]);
  check(attention[0] && attention[1] === "Não confirmado" &&
    attention[2] === "a impressora não confirmou o trabalho",
    "the unconfirmed job does not stand out, or not in Portuguese: " + attention);
  const caller = await page.$eval(`#jobs tr[data-job="${scenario.markup_job}"] .job-caller`,
    (cell) => [cell.textContent, cell.children.length]);
  check(caller[0] === scenario.markup_caller && caller[1] === 0,
    "the caller named with markup: " + JSON.stringify(caller));
  const injected = await page.evaluate(() => [document.querySelectorAll("main img").length,
    typeof window.__tovMarkup]);
  check(injected[0] === 1 && injected[1] === "undefined",
    "markup from the service became elements: " + JSON.stringify(injected));
}

async function checkPreview(page) {
  step("a job's preview, fetched with the token, shown through a blob URL");
  const row = await rowOf(page, scenario.markup_job);
  await (await row.$(".preview-button")).click();
  await page.waitForFunction(() => {
    const image = document.getElementById("preview-image");
    return image.src.startsWith("blob:") && image.complete && image.naturalWidth > 100;
  }, { timeout: waitMilliseconds });
}

async function checkReprintAndCancel(page) {
  step("a manager reprints the unconfirmed job and cancels a queued one");
  const before = (await page.$$("#jobs tr")).length;
  const row = await rowOf(page, scenario.unconfirmed);
  await (await row.$(".reprint-button")).click();
  await page.waitForFunction(() => /reimpresso como \d+/.test(
    document.getElementById("console-message").textContent), { timeout: waitMilliseconds });
  const message = await page.$eval("#console-message", (node) => node.textContent);
  const reprint = Number(message.match(/como (\d+)/)[1]);
  // The page shows the reprint by itself, confirmed by the printer, without being reloaded.
  await waitForRowState(page, reprint, "printed");
  check((await page.$$("#jobs tr")).length === before + 1, "the reprint's row");
  const note = await page.$eval(`#jobs tr[data-job="${reprint}"] .job-notes`, (n) => n.textContent);
  check(note.includes(String(scenario.unconfirmed)), "the reprint's note: " + note);
  const queued = await rowOf(page, scenario.queued);
  check(!(await queued.$(".reprint-button")), "a queued job offers a reprint");
  await (await queued.$(".cancel-button")).click();
  await waitForRowState(page, scenario.queued, "cancelled");
  const standsOut = await page.$eval(`#jobs tr[data-job="${scenario.queued}"]`,
    (row) => row.classList.contains("attention"));
  check(!standsOut, "a cancelled job stands out as failed");
}

async function checkFilters(page) {
  step("the filters by printer and state");
  await page.select("#filter-state", "cancelled");
  await page.waitForFunction((id) => {
    const rows = document.querySelectorAll("#jobs tr");
    return rows.length === 1 && rows[0].dataset.job === String(id);
  }, { timeout: waitMilliseconds }, scenario.queued);
  await page.select("#filter-state", "");
  await page.select("#filter-printer", "balcao");
  await page.waitForFunction(() => {
    const rows = Array.from(document.querySelectorAll("#jobs tr"));
    return rows.length === 2 && rows.every((row) =>
      row.querySelector(".job-printer").textContent === "balcao");
  }, { timeout: waitMilliseconds });
  await page.select("#filter-printer", "");
  await page.waitForFunction(() => document.querySelectorAll("#jobs tr").length > 2,
    { timeout: waitMilliseconds });
}

async function checkTill(page) {
  step("a till sees its own jobs, and neither reprint nor cancel");
  await signOut(page);
  check(await page.evaluate(() => sessionStorage.length === 0), "the token outlived sign-out");
  await signIn(page, scenario.till_token);
  await page.waitForSelector("#jobs tr", { timeout: waitMilliseconds });
  await page.waitForFunction(() => document.querySelector("#printers li"),
    { timeout: waitMilliseconds });
  // Let a refresh or two go by: the buttons must not come with one.
  await new Promise((resolve) => setTimeout(resolve, 3500));
  const seen = await page.evaluate(() => ({
    role: document.getElementById("who-role").textContent,
    callers: Array.from(document.querySelectorAll("#jobs .job-caller")).map((c) => c.textContent),
    reprints: document.querySelectorAll(".reprint-button").length,
    cancels: document.querySelectorAll(".cancel-button").length,
    previews: document.querySelectorAll(".preview-button").length,
  }));
  check(seen.role === "caixa", "the till's role: " + seen.role);
  check(seen.callers.length > 0 && seen.callers.every((c) => c === scenario.till_name),
    "the till sees others' jobs: " + seen.callers);
  check(seen.reprints === 0 && seen.cancels === 0, "a till is offered " + seen.reprints +
    " reprints and " + seen.cancels + " cancels");
  check(seen.previews > 0, "a till has no previews");
}

async function checkPhone(page) {
  step("a phone's width");
  await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 1 });
  await new Promise((resolve) => setTimeout(resolve, 500));
  const width = await page.evaluate(() => document.documentElement.scrollWidth);
  check(width <= 391, "the page is " + width + " px wide on a 390 px screen");
  await page.screenshot({ path: scenario.phone_screenshot, fullPage: true });
  await page.setViewport({ width: 1280, height: 900, deviceScaleFactor: 1 });
}

async function checkSignInRefused(page) {
  step("a wrong token is refused on the sign-in");
  await signIn(page, "not-a-token");
  await page.waitForFunction(() => document.getElementById("sign-in-message").textContent !== "",
    { timeout: waitMilliseconds });
  check(await page.evaluate(() => sessionStorage.length === 0 && document.cookie === ""),
    "a refused token was kept");
}

async function checkSpanish(browser) {
  step("Spanish for a browser that prefers it");
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(() => {
    Object.defineProperty(navigator, "languages", { get: () => ["es-CO", "es", "pt-BR"] });
  });
  await page.goto(scenario.url, { waitUntil: "load", timeout: waitMilliseconds });
  await signIn(page, scenario.manager_token);
  await rowOf(page, scenario.unconfirmed);
  const seen = await page.evaluate((id) => ({
    title: document.querySelector("h1").textContent,
    state: document.querySelector(`#jobs tr[data-job="${id}"] .badge`).textContent,
    offline: document.querySelector('#printers li[data-printer="balcao"] .printer-status')
      .textContent,
    paperEnd: document.querySelector('#printers li[data-printer="caixa"] .printer-status')
      .textContent,
    reason: document.querySelector('#printers li[data-printer="caixa"] .printer-reason')
      .textContent,
    date: document.querySelector("#jobs .job-created").textContent,
  }), scenario.unconfirmed);
  check(seen.title === "Consola de impresión" && seen.state === "Sin confirmar" &&
    seen.offline === "Fuera de línea" && seen.paperEnd === "Sin papel" && /sin papel/.test(seen.reason), "the Spanish page: " + JSON.stringify(seen));
  check(/^\d{2}\/\d{2}\/\d{4} \d{2}:\d{2}$/.test(seen.date), "a Spanish date: " + seen.date);
  await page.close();
}

async function main() {
  await checkSecurityHeaders();
  await checkOtherOrigins();
  const browser = await puppeteer.launch({
    executablePath: scenario.chromium,
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--lang=pt-BR", "--no-first-run"],
    timeout: 60000,
  });
  try {
    const page = await browser.newPage();
    page.setDefaultTimeout(waitMilliseconds);
    page.on("dialog", (dialog) => dialog.accept());
    page.on("console", (message) => {
      if (message.type() === "error") failures.push("the page said: " + message.text());
    });
    page.on("pageerror", (error) => failures.push("the page threw: " + error.message));
    await page.setViewport({ width: 1280, height: 900, deviceScaleFactor: 1 });
    await page.evaluateOnNewDocument(() => {
      Object.defineProperty(navigator, "languages", { get: () => ["pt-BR", "pt"] });
    });
    await page.goto(scenario.url, { waitUntil: "load", timeout: waitMilliseconds });
    await checkSignInRefused(page);
    // The refused sign-in logged its 401 to the console: that one is expected.
    failures.length = 0;
    await page.click("#token", { clickCount: 3 });
    await page.keyboard.press("Backspace");
    await signIn(page, scenario.manager_token);
    await page.waitForSelector("#who:not([hidden])", { timeout: waitMilliseconds });
    check(await page.evaluate(() => sessionStorage.getItem("tovprintd.token") !== null &&
      document.cookie === ""), "the token is not kept in sessionStorage alone");
    await checkPrinters(page);
    await checkJobs(page);
    await checkPreview(page);
    await checkPaperOut(page);
    await checkReprintAndCancel(page);
    await checkFilters(page);
    step("the manager's screenshot, with the printer out of paper again");
    await printerControl({ command: "out-of-paper", after_lines: 0 });
    await waitForPrinterState(page, "caixa", "paper_end");
    await page.click("#preview-close");
    await page.evaluate(() => { document.getElementById("console-message").textContent = ""; });
    await page.screenshot({ path: scenario.screenshot, fullPage: true });
    await checkPhone(page);
    await checkSpanish(browser);
    await checkTill(page);
    check(failures.length === 0, failures.join("; "));
  } finally {
    await browser.close();
  }
  console.log("console: every check passed");
}

const guard = setTimeout(() => {
  console.error("console: the browser's test ran over 200 s");
  process.exit(2);
}, 200000);
main().then(() => clearTimeout(guard), (error) => {
  clearTimeout(guard);
  console.error("console: FAILED: " + error.message);
  process.exitCode = 1;
});
