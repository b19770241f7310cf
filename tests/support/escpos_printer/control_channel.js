'use strict';
// The emulated printer's control channel: a second port on 127.0.0.1 that takes one JSON object
// a line, {"command": NAME, ...}, and answers each with one line, {"ok": true, "state": {...}}
// or {"ok": false, "error": TEXT}. The commands are those of COMMANDS below.

const net = require('net');
const {HOST} = require('./printer_port');

const LONGEST_WAIT_MS = 60000;

function flag(request, name = 'on') {
  const value = request[name] === undefined ? true : request[name];
  if (typeof value !== 'boolean') throw new Error(`"${name}" must be true or false`);
  return value;
}

function count(request, name, fallback) {
  const value = request[name] === undefined ? fallback : request[name];
  if (value === null && fallback === null) return null;
  if (!Number.isInteger(value) || value < 0) throw new Error(`"${name}" must be a whole number >= 0`);
  return value;
}

// Resolves once `done()` holds, checked on each of the printer's events, or fails after the
// request's timeout_ms.
function waitFor(printer, request, done, what) {
  const limit = Math.min(count(request, 'timeout_ms', 10000), LONGEST_WAIT_MS);
  return new Promise((resolve, reject) => {
    const check = () => {
      if (!done()) return;
      finish();
      resolve({});
    };
    const timer = setTimeout(() => {
      finish();
      reject(new Error(`${what} did not happen within ${limit} ms`));
    }, limit);
    const finish = () => {
      clearTimeout(timer);
      for (const event of ['paper', 'idle', 'change']) printer.off(event, check);
    };
    for (const event of ['paper', 'idle', 'change']) printer.on(event, check);
    check();
  });
}

const COMMANDS = {
  'state': () => ({}),
  'papers': ({printer}) => ({papers: printer.log.papers}),
  'wait-papers': ({printer}, request) => {
    const wanted = count(request, 'count', 1);
    return waitFor(printer, request, () => printer.log.papers.length >= wanted, `paper ${wanted}`)
        .then(() => ({papers: printer.log.papers}));
  },
  'wait-idle': ({printer}, request) =>
    waitFor(printer, request, () => printer.pendingBytes === 0 && !printer.busy, 'processing every byte'),
  'out-of-paper': ({printer}, request) => printer.outOfPaperAfter(count(request, 'after_lines', 0)),
  'refill': ({printer}, request) => printer.refill(count(request, 'lines', null)),
  'near-end': ({printer}, request) => printer.setNearEnd(flag(request)),
  'open-cover': ({printer}) => printer.setCoverOpen(true),
  'close-cover': ({printer}) => printer.setCoverOpen(false),
  'off-line': ({printer}, request) => printer.setOffLine(flag(request)),
  'error': ({printer}, request) => printer.setError(String(request.kind), flag(request)),
  'recover': ({printer}) => printer.recover(false),
  'silent': ({port}, request) => port.setSilent(flag(request)),
  'slow': ({printer}, request) => {
    printer.slowMs = count(request, 'ms', 0);
  },
  'line-ms': ({printer}, request) => {
    printer.lineMs = count(request, 'ms', 0);
  },
  'no-status': ({printer}, request) => {
    printer.noStatus = flag(request);
  },
  'drop-after': ({printer}, request) => {
    printer.dropAfter = count(request, 'bytes', null);
  },
  'refuse': ({port}, request) => port.refuse(flag(request)),
  'reset': ({printer, port}) => {
    port.setSilent(false);
    printer.reset();
  },
  'quit': ({quit}) => {
    setImmediate(quit);
  },
};

async function answer(context, line) {
  let request;
  try {
    request = JSON.parse(line);
  } catch (error) {
    return {ok: false, error: `not a JSON line: ${error.message}`};
  }
  if (request === null || typeof request !== 'object' || typeof request.command !== 'string') {
    return {ok: false, error: 'a request is an object with a "command" text'};
  }
  const command = COMMANDS[request.command];
  if (command === undefined) {
    return {ok: false, error: `unknown command "${request.command}" (one of ${Object.keys(COMMANDS).join(', ')})`};
  }
  try {
    const extra = (await command(context, request)) || {};
    return {ok: true, ...extra, state: context.printer.snapshot()};
  } catch (error) {
    return {ok: false, error: error.message, state: context.printer.snapshot()};
  }
}

// Listens on `port` (0: a free one) on 127.0.0.1; resolves with the server.
function openControlChannel(context, port) {
  const server = net.createServer((socket) => {
    let buffered = '';
    let chain = Promise.resolve();
    socket.setEncoding('utf8');
    socket.on('data', (text) => {
      buffered += text;
      let end;
      while ((end = buffered.indexOf('\n')) >= 0) {
        const line = buffered.slice(0, end).trim();
        buffered = buffered.slice(end + 1);
        if (line === '') continue;
        // Answers go back in the order of the requests.
        chain = chain.then(() => answer(context, line)).then((reply) => {
          if (!socket.destroyed) socket.write(`${JSON.stringify(reply)}\n`);
        });
      }
    });
    socket.on('error', () => {});
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, HOST, () => resolve(server));
  });
}

module.exports = {openControlChannel, COMMANDS};
