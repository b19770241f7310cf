// tovprintd's print console: the printers and the jobs of the service that serves this page,
// refreshed every few seconds. Every value from the service is put in the page as text
// (textContent), never as markup. The caller's token is kept in sessionStorage only and sent in
// the Authorization header of each call; no cookie is ever used.
"use strict";

(function () {
  const refreshMilliseconds = 3000;
  const tokenKey = "tovprintd.token";
  const states = ["queued", "sending", "printed", "sent", "unconfirmed", "cancelled"];

  const texts = {
    pt: {
      title: "Console de impressão",
      signInTitle: "Entrar",
      tokenLabel: "Token de acesso",
      signIn: "Entrar",
      signOut: "Sair",
      printers: "Impressoras",
      jobs: "Trabalhos",
      printerFilter: "Impressora",
      stateFilter: "Estado",
      all: "Todos",
      allPrinters: "Todas",
      colId: "Nº",
      colDocument: "Documento",
      colPrinter: "Impressora",
      colCaller: "Origem",
      colCreated: "Criado",
      colFinished: "Concluído",
      colState: "Estado",
      colActions: "Ações",
      noJobs: "Nenhum trabalho.",
      previous: "Anterior",
      next: "Próxima",
      close: "Fechar",
      preview: "Ver",
      reprint: "Reimprimir",
      cancel: "Cancelar",
      confirmReprint: "Reimprimir o trabalho {id}?",
      confirmCancel: "Cancelar o trabalho {id}?",
      reprinted: "Trabalho {id} reimpresso como {new}.",
      cancelled: "Trabalho {id} cancelado.",
      previewTitle: "Trabalho {id}",
      paperOf: "Via {n} de {total}",
      queued: "{n} na fila",
      oldest: "o mais antigo há {age}",
      checked: "consultada há {age}",
      backup: "reserva: {name}",
      updated: "Atualizado às {time}",
      attempts: "{n} tentativas",
      reprintOf: "reimpressão do {id}",
      movedFrom: "desviado de {name}",
      roles: { manager: "gerente", till: "caixa" },
      badToken: "Token não aceito pelo serviço.",
      unreachable: "Serviço fora de alcance: {error}",
      failed: "O serviço recusou: {error}",
      // The service's own words for a job that went wrong.
      jobErrors: {
        "the printer did not confirm the job": "a impressora não confirmou o trabalho",
        "the service stopped while the job was being sent":
          "o serviço parou enquanto o trabalho era enviado",
      },
      // The service's status reasons, as the printer's answers name them.
      printerReasons: {
        "cover open": "tampa aberta",
        "stopped at the end of the paper": "parada no fim do papel",
        "out of paper": "sem papel",
        "paper near its end": "papel perto do fim",
        "mechanical error": "erro mecânico",
        "cutter error": "erro da guilhotina",
        "unrecoverable error": "erro irrecuperável",
        "error that clears by itself (print head too hot?)":
          "erro que passa sozinho (cabeça de impressão quente demais?)",
        "waiting for recovery": "esperando recuperação",
        "error": "erro",
        "off line": "fora de linha",
      },
      printerStates: {
        online: "Em linha",
        paper_end: "Fim de papel",
        cover_open: "Tampa aberta",
        offline: "Fora de linha",
        unknown: "Estado desconhecido",
      },
      jobStates: {
        queued: "Na fila",
        sending: "Enviando",
        printed: "Impresso",
        sent: "Enviado",
        unconfirmed: "Não confirmado",
        cancelled: "Cancelado",
      },
      documents: {
        conferencia: "Conferência de mesa",
        vendedor: "Vendas por vendedor",
        cupom_troca: "Cupom de troca",
        tipo_rece: "Recebimentos",
        extrato: "Extrato do consumidor",
        dados_paf: "Dados do PAF",
      },
    },
    es: {
      title: "Consola de impresión",
      signInTitle: "Ingresar",
      tokenLabel: "Token de acceso",
      signIn: "Ingresar",
      signOut: "Salir",
      printers: "Impresoras",
      jobs: "Trabajos",
      printerFilter: "Impresora",
      stateFilter: "Estado",
      all: "Todos",
      allPrinters: "Todas",
      colId: "N.º",
      colDocument: "Documento",
      colPrinter: "Impresora",
      colCaller: "Origen",
      colCreated: "Creado",
      colFinished: "Terminado",
      colState: "Estado",
      colActions: "Acciones",
      noJobs: "Ningún trabajo.",
      previous: "Anterior",
      next: "Siguiente",
      close: "Cerrar",
      preview: "Ver",
      reprint: "Reimprimir",
      cancel: "Cancelar",
      confirmReprint: "¿Reimprimir el trabajo {id}?",
      confirmCancel: "¿Cancelar el trabajo {id}?",
      reprinted: "Trabajo {id} reimpreso como {new}.",
      cancelled: "Trabajo {id} cancelado.",
      previewTitle: "Trabajo {id}",
      paperOf: "Copia {n} de {total}",
      queued: "{n} en cola",
      oldest: "el más antiguo hace {age}",
      checked: "consultada hace {age}",
      backup: "respaldo: {name}",
      updated: "Actualizado a las {time}",
      attempts: "{n} intentos",
      reprintOf: "reimpresión del {id}",
      movedFrom: "desviado de {name}",
      roles: { manager: "gerente", till: "caja" },
      badToken: "El servicio no aceptó el token.",
      unreachable: "Servicio fuera de alcance: {error}",
      failed: "El servicio rechazó: {error}",
      jobErrors: {
        "the printer did not confirm the job": "la impresora no confirmó el trabajo",
        "the service stopped while the job was being sent":
          "el servicio se detuvo mientras se enviaba el trabajo",
      },
      printerReasons: {
        "cover open": "tapa abierta",
        "stopped at the end of the paper": "detenida al final del papel",
        "out of paper": "sin papel",
        "paper near its end": "papel cerca del final",
        "mechanical error": "error mecánico",
        "cutter error": "error de la cortadora",
        "unrecoverable error": "error irrecuperable",
        "error that clears by itself (print head too hot?)":
          "error que se corrige solo (¿cabezal demasiado caliente?)",
        "waiting for recovery": "esperando recuperación",
        "error": "error",
        "off line": "fuera de línea",
      },
      printerStates: {
        online: "En línea",
        paper_end: "Sin papel",
        cover_open: "Tapa abierta",
        offline: "Fuera de línea",
        unknown: "Estado desconocido",
      },
      jobStates: {
        queued: "En cola",
        sending: "Enviando",
        printed: "Impreso",
        sent: "Enviado",
        unconfirmed: "Sin confirmar",
        cancelled: "Cancelado",
      },
      documents: {
        conferencia: "Cuenta de mesa",
        vendedor: "Ventas por vendedor",
        cupom_troca: "Cupón de cambio",
        tipo_rece: "Cobros",
        extrato: "Extracto del consumidor",
        dados_paf: "Datos del PAF",
      },
    },
  };

  // Spanish when the browser puts it before Portuguese; Portuguese otherwise.
  function chosenLanguage() {
    const preferred = navigator.languages && navigator.languages.length
      ? navigator.languages : [navigator.language || "pt-BR"];
    for (const tag of preferred) {
      const language = String(tag).toLowerCase().split("-")[0];
      if (language === "es" || language === "pt") return language;
    }
    return "pt";
  }

  const language = chosenLanguage();
  const t = texts[language];

  function fill(template, values) {
    return template.replace(/\{(\w+)\}/g, (whole, name) =>
      Object.prototype.hasOwnProperty.call(values, name) ? String(values[name]) : whole);
  }

  // --- the store's regional forms: dd/mm/yyyy HH:MM, a comma before decimals ---------------

  function twoDigits(number) {
    return String(number).padStart(2, "0");
  }

  function formatDate(iso) {
    if (!iso) return "";
    const date = new Date(iso);
    if (Number.isNaN(date.getTime())) return String(iso);
    return twoDigits(date.getDate()) + "/" + twoDigits(date.getMonth() + 1) + "/" +
      date.getFullYear() + " " + twoDigits(date.getHours()) + ":" + twoDigits(date.getMinutes());
  }

  function formatTime(date) {
    return twoDigits(date.getHours()) + ":" + twoDigits(date.getMinutes()) + ":" +
      twoDigits(date.getSeconds());
  }

  function formatNumber(value, decimals) {
    const fixed = Math.abs(value).toFixed(decimals);
    const [whole, fraction] = fixed.split(".");
    const grouped = whole.replace(/\B(?=(\d{3})+(?!\d))/g, ".");
    return (value < 0 ? "-" : "") + grouped + (fraction ? "," + fraction : "");
  }

  function formatAge(seconds) {
    if (seconds < 60) return formatNumber(seconds, 1) + " s";
    if (seconds < 3600) return formatNumber(seconds / 60, 1) + " min";
    return formatNumber(seconds / 3600, 1) + " h";
  }

  // --- the page's parts ----------------------------------------------------------------------

  const byId = (id) => document.getElementById(id);
  const parts = {
    signIn: byId("sign-in"),
    signInForm: byId("sign-in-form"),
    token: byId("token"),
    signInMessage: byId("sign-in-message"),
    console: byId("console"),
    consoleMessage: byId("console-message"),
    who: byId("who"),
    whoName: byId("who-name"),
    whoRole: byId("who-role"),
    signOut: byId("sign-out"),
    printers: byId("printers"),
    jobs: byId("jobs"),
    noJobs: byId("no-jobs"),
    updated: byId("updated"),
    filterPrinter: byId("filter-printer"),
    filterState: byId("filter-state"),
    preview: byId("preview"),
    previewTitle: byId("preview-title"),
    previewPaper: byId("preview-paper"),
    previewPrevious: byId("preview-previous"),
    previewNext: byId("preview-next"),
    previewClose: byId("preview-close"),
    previewMessage: byId("preview-message"),
    previewImage: byId("preview-image"),
  };

  function element(tag, className, text) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    if (text !== undefined && text !== null) made.textContent = String(text);
    return made;
  }

  function translateStatic() {
    document.documentElement.lang = language === "es" ? "es-CO" : "pt-BR";
    document.title = t.title;
    for (const node of document.querySelectorAll("[data-text]")) {
      const text = t[node.getAttribute("data-text")];
      if (typeof text === "string") node.textContent = text;
    }
    for (const state of states) {
      const option = element("option", null, t.jobStates[state]);
      option.value = state;
      parts.filterState.appendChild(option);
    }
  }

  // --- the service ---------------------------------------------------------------------------

  class ServiceError extends Error {
    constructor(status, message) {
      super(message);
      this.status = status;
    }
  }

  let session = null;  // {token, name, role}
  let refreshTimer = null;
  let previewState = null;  // {job, paper, url}

  async function call(method, path) {
    let response;
    try {
      response = await fetch(path, {
        method,
        headers: { Authorization: "Bearer " + session.token, Accept: "application/json" },
        credentials: "omit",
        cache: "no-store",
        referrerPolicy: "no-referrer",
      });
    } catch (error) {
      throw new ServiceError(0, fill(t.unreachable, { error: error.message }));
    }
    if (response.status === 401) {
      signOut(t.badToken);
      throw new ServiceError(401, t.badToken);
    }
    const kind = response.headers.get("Content-Type") || "";
    if (!response.ok) {
      let message = String(response.status);
      if (kind.startsWith("application/json")) {
        const answer = await response.json().catch(() => ({}));
        if (answer && typeof answer.error === "string") message = answer.error;
      }
      throw new ServiceError(response.status, fill(t.failed, { error: message }));
    }
    return kind.startsWith("application/json") ? response.json() : response.blob();
  }

  // --- printers ------------------------------------------------------------------------------

  // What the page calls a printer's state, from the service's status and its reason.
  function printerState(printer) {
    const status = String(printer.status || "unknown");
    if (status === "can_print") return "online";
    if (status === "paper_end" || status === "cover_open" || status === "offline") return status;
    if (status === "cannot_print") {
      const reason = String(printer.reason || "").toLowerCase();
      if (/paper|papel/.test(reason)) return "paper_end";
      if (/cover|tampa|tapa/.test(reason)) return "cover_open";
      return "offline";
    }
    return "unknown";
  }

  // The reason in the page's language where it is one the printer's answers name; any other
  // (a connection's failure, say) as the service wrote it.
  function printerReason(reason) {
    const known = reason.split(", ").map((part) => ownText(t.printerReasons, part));
    return known.every(Boolean) ? known.join(", ") : reason;
  }

  function ownText(table, key) {
    return Object.prototype.hasOwnProperty.call(table, key) ? table[key] : null;
  }

  function showPrinters(printers) {
    const items = printers.map((printer) => {
      const state = printerState(printer);
      const item = element("li", "printer state-" + state);
      item.dataset.printer = String(printer.name);
      item.dataset.status = state;
      const head = element("div", "printer-head");
      head.appendChild(element("span", "printer-name", printer.name));
      head.appendChild(element("span", "badge printer-status", t.printerStates[state]));
      item.appendChild(head);
      const queue = element("p", "printer-queue", fill(t.queued, { n: printer.queued }));
      if (typeof printer.oldest_queued_age_seconds === "number") {
        queue.textContent += ", " +
          fill(t.oldest, { age: formatAge(printer.oldest_queued_age_seconds) });
      }
      item.appendChild(queue);
      if (printer.reason) {
        item.appendChild(element("p", "printer-reason", printerReason(String(printer.reason))));
      }
      const details = [printer.address, printer.profile];
      if (printer.backup) details.push(fill(t.backup, { name: printer.backup }));
      item.appendChild(element("p", "printer-details", details.filter(Boolean).join(" · ")));
      return item;
    });
    parts.printers.replaceChildren(...items);
    keepPrinterChoices(printers.map((printer) => String(printer.name)));
  }

  function keepPrinterChoices(names) {
    const select = parts.filterPrinter;
    const known = Array.from(select.options).slice(1).map((option) => option.value);
    if (known.join("\n") === names.join("\n")) return;
    const chosen = select.value;
    while (select.options.length > 1) select.remove(1);
    for (const name of names) {
      const option = element("option", null, name);
      option.value = name;
      select.appendChild(option);
    }
    select.value = names.includes(chosen) ? chosen : "";
  }

  // --- jobs ----------------------------------------------------------------------------------

  function cell(label, className, text) {
    const made = element("td", className, text);
    made.dataset.label = label;
    return made;
  }

  function jobButton(className, label, action) {
    const button = element("button", className, label);
    button.type = "button";
    button.addEventListener("click", action);
    return button;
  }

  function jobRow(job) {
    const row = element("tr", "job state-" + job.state);
    row.dataset.job = String(job.id);
    row.dataset.state = String(job.state);
    // Unconfirmed, or failing while it waits: someone must look. A cancelled job's last
    // failure is shown, quietly.
    const failing = job.error && (job.state === "queued" || job.state === "sending");
    if (job.state === "unconfirmed" || failing) row.classList.add("attention");
    row.appendChild(cell(t.colId, "job-id", job.id));
    const documentCell = cell(t.colDocument, "job-document",
      t.documents[job.document] || job.document);
    const notes = [];
    if (job.reprint_of) notes.push(fill(t.reprintOf, { id: job.reprint_of }));
    if (job.moved_from) notes.push(fill(t.movedFrom, { name: job.moved_from }));
    if (job.attempts > 1) notes.push(fill(t.attempts, { n: job.attempts }));
    if (notes.length) documentCell.appendChild(element("small", "job-notes", notes.join(" · ")));
    row.appendChild(documentCell);
    row.appendChild(cell(t.colPrinter, "job-printer", job.printer));
    row.appendChild(cell(t.colCaller, "job-caller", job.caller));
    row.appendChild(cell(t.colCreated, "job-created", formatDate(job.created)));
    row.appendChild(cell(t.colFinished, "job-finished", formatDate(job.finished)));
    const stateCell = cell(t.colState, "job-state");
    stateCell.appendChild(element("span", "badge", t.jobStates[job.state] || job.state));
    if (job.error) {
      const error = String(job.error);
      stateCell.appendChild(element("small", "job-error", ownText(t.jobErrors, error) || error));
    }
    row.appendChild(stateCell);
    const actions = cell(t.colActions, "job-actions");
    if (job.papers > 0) {
      actions.appendChild(jobButton("preview-button", t.preview, () => openPreview(job, 1)));
    }
    if (session.role === "manager") {
      if (job.state === "printed" || job.state === "sent" || job.state === "unconfirmed") {
        actions.appendChild(jobButton("reprint-button", t.reprint, () => reprint(job)));
      }
      if (job.state === "queued") {
        actions.appendChild(jobButton("cancel-button", t.cancel, () => cancel(job)));
      }
    }
    row.appendChild(actions);
    return row;
  }

  // The rows are made again only when a job changed, so that a refresh never takes a button
  // from under the operator's pointer.
  let shownJobs = "";

  function showJobs(jobs) {
    const newestFirst = jobs.slice().sort((a, b) => b.id - a.id);
    const key = session.role + JSON.stringify(newestFirst);
    if (key === shownJobs) return;
    shownJobs = key;
    parts.jobs.replaceChildren(...newestFirst.map(jobRow));
    parts.noJobs.hidden = newestFirst.length > 0;
  }

  function jobsPath() {
    const query = new URLSearchParams();
    if (parts.filterPrinter.value) query.set("printer", parts.filterPrinter.value);
    if (parts.filterState.value) query.set("state", parts.filterState.value);
    const text = query.toString();
    return "/v1/jobs" + (text ? "?" + text : "");
  }

  function say(message, kind) {
    parts.consoleMessage.textContent = message || "";
    parts.consoleMessage.className = "message" + (kind ? " " + kind : "");
  }

  async function reprint(job) {
    if (!window.confirm(fill(t.confirmReprint, { id: job.id }))) return;
    try {
      const answer = await call("POST", "/v1/jobs/" + encodeURIComponent(job.id) + "/reprint");
      say(fill(t.reprinted, { id: job.id, new: answer.id }), "done");
    } catch (error) {
      say(error.message, "error");
    }
    refresh();
  }

  async function cancel(job) {
    if (!window.confirm(fill(t.confirmCancel, { id: job.id }))) return;
    try {
      await call("DELETE", "/v1/jobs/" + encodeURIComponent(job.id));
      say(fill(t.cancelled, { id: job.id }), "done");
    } catch (error) {
      say(error.message, "error");
    }
    refresh();
  }

  // --- preview -------------------------------------------------------------------------------

  function dropPreviewPicture() {
    if (previewState && previewState.url) URL.revokeObjectURL(previewState.url);
    parts.previewImage.removeAttribute("src");
  }

  async function openPreview(job, paper) {
    dropPreviewPicture();
    previewState = { job, paper, url: null };
    parts.preview.hidden = false;
    parts.previewTitle.textContent = fill(t.previewTitle, { id: job.id });
    parts.previewPaper.textContent = fill(t.paperOf, { n: paper, total: job.papers });
    parts.previewPrevious.disabled = paper <= 1;
    parts.previewNext.disabled = paper >= job.papers;
    parts.previewMessage.textContent = "";
    try {
      const picture = await call("GET", "/v1/jobs/" + encodeURIComponent(job.id) +
        "/preview.png?paper=" + encodeURIComponent(paper));
      if (!previewState || previewState.job.id !== job.id || previewState.paper !== paper) return;
      previewState.url = URL.createObjectURL(picture);
      parts.previewImage.alt = fill(t.previewTitle, { id: job.id });
      parts.previewImage.src = previewState.url;
    } catch (error) {
      parts.previewMessage.textContent = error.message;
    }
  }

  function closePreview() {
    dropPreviewPicture();
    previewState = null;
    parts.preview.hidden = true;
  }

  // --- refreshing ----------------------------------------------------------------------------

  let refreshing = false;

  async function refresh() {
    if (!session || refreshing) return;
    refreshing = true;
    try {
      const [printers, jobs] = await Promise.all([call("GET", "/v1/printers"),
        call("GET", jobsPath())]);
      if (!session) return;
      showPrinters(printers.printers || []);
      showJobs(jobs.jobs || []);
      parts.updated.textContent = fill(t.updated, { time: formatTime(new Date()) });
      if (parts.consoleMessage.classList.contains("unreachable")) say("");
    } catch (error) {
      if (session && error.status !== 401) say(error.message, "error unreachable");
    } finally {
      refreshing = false;
    }
  }

  function startRefreshing() {
    stopRefreshing();
    refresh();
    refreshTimer = window.setInterval(refresh, refreshMilliseconds);
  }

  function stopRefreshing() {
    if (refreshTimer !== null) window.clearInterval(refreshTimer);
    refreshTimer = null;
  }

  // --- signing in and out --------------------------------------------------------------------

  function showSignIn(message) {
    parts.console.hidden = true;
    parts.who.hidden = true;
    parts.signIn.hidden = false;
    parts.signInMessage.textContent = message || "";
    parts.token.value = "";
    parts.token.focus();
  }

  function showConsole() {
    parts.signIn.hidden = true;
    parts.console.hidden = false;
    parts.who.hidden = false;
    parts.whoName.textContent = session.name;
    parts.whoRole.textContent = t.roles[session.role] || session.role;
    document.body.dataset.role = session.role;
    say("");
    startRefreshing();
  }

  async function signIn(token) {
    session = { token, name: "", role: "till" };
    try {
      const who = await call("GET", "/v1/whoami");
      session = { token, name: String(who.name), role: who.role === "manager" ? "manager" : "till" };
      sessionStorage.setItem(tokenKey, token);
      showConsole();
    } catch (error) {
      session = null;
      sessionStorage.removeItem(tokenKey);
      showSignIn(error.message);
    }
  }

  function signOut(message) {
    stopRefreshing();
    closePreview();
    session = null;
    sessionStorage.removeItem(tokenKey);
    delete document.body.dataset.role;
    parts.printers.replaceChildren();
    parts.jobs.replaceChildren();
    shownJobs = "";
    showSignIn(message);
  }

  function start() {
    translateStatic();
    parts.signInForm.addEventListener("submit", (event) => {
      event.preventDefault();
      const token = parts.token.value.trim();
      if (token) signIn(token);
    });
    parts.signOut.addEventListener("click", () => signOut(""));
    parts.filterPrinter.addEventListener("change", refresh);
    parts.filterState.addEventListener("change", refresh);
    parts.previewClose.addEventListener("click", closePreview);
    parts.previewPrevious.addEventListener("click", () => {
      if (previewState) openPreview(previewState.job, previewState.paper - 1);
    });
    parts.previewNext.addEventListener("click", () => {
      if (previewState) openPreview(previewState.job, previewState.paper + 1);
    });
    const kept = sessionStorage.getItem(tokenKey);
    if (kept) signIn(kept);
    else showSignIn("");
  }

  start();
})();
