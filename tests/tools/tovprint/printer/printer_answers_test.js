'use strict';
// tovprint against the emulated ESC/POS printer of tests/support/escpos_printer/ on 127.0.0.1:
// `tovprint status` reads each fact the printer answers, and a print job is "printed" only when
// the printer confirms it; out of paper, an open cover, a dropped connection or a silent printer
// never are. The group device does the same through a device file that reads back.
//
//   node printer_answers_test.js --tovprint BIN --request FILE --expected BIN_FILE --work DIR
//        status|jobs|device

const childProcess = require('child_process');
const fs = require('fs');
const net = require('net');
const path = require('path');

const PRINTER = path.join(__dirname, '..', '..', '..', 'support', 'escpos_printer', 'escpos_printer.js');
const DEVICE_LINK = path.join(path.dirname(PRINTER), 'device_link.py');
const TIME_LIMIT_MS = 30000;

function parseArguments(argv) {
  const options = {};
  for (let i = 0; i < argv.length; i++) {
    if (argv[i].startsWith('--')) options[argv[i].slice(2)] = argv[++i];
    else options.group = argv[i];
  }
  for (const required of ['tovprint', 'request', 'expected', 'work', 'group']) {
    if (options[required] === undefined) throw new Error(`missing ${required}`);
  }
  return options;
}

// A helper program that prints one JSON line once it is ready and ends with its standard input;
// resolves with that line and a stop().
function startHelper(command, args, what) {
  return new Promise((resolve, reject) => {
    const child = childProcess.spawn(command, args, {stdio: ['pipe', 'pipe', 'inherit']});
    let output = '';
    const timer = setTimeout(() => reject(new Error(`${what} did not start`)), TIME_LIMIT_MS);
    child.on('error', reject);
    child.stdout.on('data', (chunk) => {
      output += chunk;
      const end = output.indexOf('\n');
      if (end < 0) return;
      clearTimeout(timer);
      resolve({
        ready: JSON.parse(output.slice(0, end)),
        stop: () => new Promise((done) => {
          child.on('exit', done);
          child.stdin.end();
        }),
      });
    });
  });
}

// The emulated printer, started with `faults` (its options); stopped by stop().
async function startPrinter(faults, paperLog) {
  const {ready, stop} = await startHelper(process.execPath,
      [PRINTER, '--paper-log', paperLog, ...faults], 'the emulated printer');
  return {address: `tcp://127.0.0.1:${ready.printer}`, control: ready.control, stop};
}

function control(printer, request) {
  return new Promise((resolve, reject) => {
    const socket = net.connect(printer.control, '127.0.0.1');
    let answer = '';
    socket.setTimeout(TIME_LIMIT_MS, () => socket.destroy(new Error('the control channel is silent')));
    socket.on('connect', () => socket.write(JSON.stringify(request) + '\n'));
    socket.on('data', (chunk) => {
      answer += chunk;
      if (answer.includes('\n')) {
        socket.end();
        resolve(JSON.parse(answer.slice(0, answer.indexOf('\n'))));
      }
    });
    socket.on('error', reject);
  });
}

function run(tovprint, args) {
  return new Promise((resolve) => {
    childProcess.execFile(tovprint, args, {timeout: TIME_LIMIT_MS}, (error, stdout, stderr) => {
      resolve({status: error ? (error.code ?? -1) : 0, stdout, stderr});
    });
  });
}

const failures = [];
function expect(condition, what, result) {
  if (!condition) {
    failures.push(`${what}${result ? `\n  stdout: ${result.stdout}\n  stderr: ${result.stderr}` : ''}`);
  }
}

async function withPrinter(options, name, faults, body) {
  const paperLog = path.join(options.work, `${name}.papers.jsonl`);
  fs.rmSync(paperLog, {force: true});
  const printer = await startPrinter(faults, paperLog);
  try {
    await body(printer, () => (fs.existsSync(paperLog) ?
      fs.readFileSync(paperLog, 'utf8').split('\n').filter(Boolean).map((line) => JSON.parse(line)) : []));
  } finally {
    await printer.stop();
  }
}

// Each fact the printer answers, its line, and the exit status of the verdict.
async function statusGroup(options) {
  const cases = [
    {name: 'on line', faults: [], status: 0, lines: ['on line', 'can print']},
    {name: 'paper end', faults: ['--out-of-paper-after', '0'], status: 1, lines: ['paper end', 'cannot print']},
    {name: 'near end', faults: ['--near-end'], status: 0, lines: ['on line', 'paper near end', 'can print']},
    {name: 'cover open', faults: ['--cover-open'], status: 1, lines: ['cover open', 'cannot print: cover open']},
    {name: 'off line', faults: ['--off-line'], status: 1, lines: ['off line', 'cannot print: off line']},
    {name: 'cutter error', faults: ['--error', 'cutter'], status: 1, lines: ['cutter error', 'cannot print']},
    {name: 'no status', faults: ['--no-status'], status: 2, lines: ['status unknown']},
  ];
  for (const c of cases) {
    await withPrinter(options, `status-${c.name.replace(/ /g, '-')}`, c.faults, async (printer) => {
      const result = await run(options.tovprint, ['status', '--printer', printer.address, '--timeout', '1']);
      expect(result.status === c.status, `status, ${c.name}: exit ${result.status}, expected ${c.status}`, result);
      const lines = result.stdout.split('\n');
      for (const wanted of c.lines) {
        expect(lines.some((line) => line.startsWith(wanted)), `status, ${c.name}: no line "${wanted}"`, result);
      }
      if (c.status !== 0) expect(!lines.includes('on line') || c.name !== 'no status', `status, ${c.name}: on line`, result);
    });
  }
  await withPrinter(options, 'status-json', ['--cover-open'], async (printer) => {
    const result = await run(options.tovprint, ['status', '--printer', printer.address, '--json']);
    let answer = {};
    try {
      answer = JSON.parse(result.stdout);
    } catch (error) {
      expect(false, `status --json is no JSON object: ${error.message}`, result);
    }
    expect(result.status === 1 && answer.verdict === 'cannot print' &&
        answer.off_line_cause && answer.off_line_cause.cover_open === true,
        `status --json, cover open: ${result.stdout}`, result);
  });
  await withPrinter(options, 'status-refused', ['--refuse'], async (printer) => {
    const result = await run(options.tovprint, ['status', '--printer', printer.address, '--timeout', '1']);
    expect(result.status === 1 && /refused the connection/.test(result.stderr) && result.stdout === '',
        `status, refused: exit ${result.status}`, result);
  });
}

function printArguments(options, printer, extra = []) {
  return ['print', 'vendedor', '--request', options.request, '--now', '2026-12-08 14:30',
    '--printer', printer.address, ...extra];
}

// The emulated printer behind a device file that carries its answers back (device_link.py);
// resolves with the device's address and a stop().
async function startDeviceLink(printer) {
  const port = printer.address.split(':').pop();
  const {ready, stop} = await startHelper('python3', [DEVICE_LINK, '--printer-port', port],
      'the device link');
  return {address: `file:${ready.device}`, stop};
}

// A device that reads back is asked and confirms as a network printer does; one that cannot be
// read (/dev/null) is written as before: status unknown, "sent, not confirmed", at once.
async function deviceGroup(options) {
  const expected = fs.readFileSync(options.expected);
  await withPrinter(options, 'device', [], async (printer, papers) => {
    const device = await startDeviceLink(printer);
    try {
      let result = await run(options.tovprint, ['status', '--printer', device.address, '--timeout', '2']);
      expect(result.status === 0 && result.stdout.split('\n').includes('on line'),
          `status over the device: exit ${result.status}, expected 0 and "on line"`, result);
      await control(printer, {command: 'out-of-paper', after_lines: 0});
      result = await run(options.tovprint, ['status', '--printer', device.address, '--timeout', '2']);
      expect(result.status === 1 && result.stdout.split('\n').includes('paper end'),
          `status over the device, out of paper: exit ${result.status}, expected 1 and "paper end"`, result);
      result = await run(options.tovprint, printArguments(options, device));
      expect(result.status === 1 && /cannot print: .*; nothing was sent\n$/.test(result.stderr),
          `a job to the device out of paper: exit ${result.status}, expected 1, nothing sent`, result);
      await control(printer, {command: 'refill'});
      result = await run(options.tovprint, printArguments(options, device));
      expect(result.status === 0 && result.stdout.includes(`printer ${device.address}: printed\n`),
          `a job over the device: exit ${result.status}, no "printed"`, result);
      await control(printer, {command: 'wait-papers', count: 1, timeout_ms: 5000});
      const log = papers();
      const bytes = Buffer.concat(log.map((paper) => Buffer.from(paper.bytes_base64, 'base64')));
      expect(log.length === 1 && bytes.equals(expected),
          `a job over the device: the paper log holds ${bytes.length} bytes in ${log.length} papers, ` +
          `expected the job's ${expected.length} whole`);
    } finally {
      await device.stop();
    }
  });

  if (fs.existsSync('/dev/null')) {
    const nowhere = {address: 'file:/dev/null'};
    const started = Date.now();
    let result = await run(options.tovprint, printArguments(options, nowhere, ['--timeout', '5']));
    expect(result.status === 0 && result.stdout.includes('printer file:/dev/null: sent, not confirmed\n') &&
        Date.now() - started < 4000, `a job to /dev/null: exit ${result.status}, not sent at once`, result);
    result = await run(options.tovprint, ['status', '--printer', 'file:/dev/null']);
    expect(result.status === 2, `status of /dev/null: exit ${result.status}, expected 2 (unknown)`, result);
  }
}

// A job is printed only when the printer confirms it; every way it can fail is reported.
async function jobsGroup(options) {
  const expected = fs.readFileSync(options.expected);
  await withPrinter(options, 'job-printed', [], async (printer, papers) => {
    const result = await run(options.tovprint, printArguments(options, printer));
    expect(result.status === 0 && result.stdout.includes(`printer ${printer.address}: printed\n`),
        `a printer that can print: exit ${result.status}, no "printed"`, result);
    await control(printer, {command: 'wait-papers', count: 1, timeout_ms: 5000});
    const log = papers();
    const bytes = Buffer.concat(log.map((paper) => Buffer.from(paper.bytes_base64, 'base64')));
    expect(log.length === 1 && log[0].end === 'cut' && bytes.equals(expected),
        `a printer that can print: the paper log holds ${bytes.length} bytes in ${log.length} papers, ` +
        `expected the job's ${expected.length} whole`);
  });

  const unconfirmed = [
    {name: 'paper runs out mid-job', faults: ['--out-of-paper-after', '3']},
    {name: 'connection dropped', faults: ['--drop-after', '40']},
    {name: 'silent printer', faults: ['--silent']},
  ];
  for (const c of unconfirmed) {
    await withPrinter(options, `job-${c.name.replace(/ /g, '-')}`, c.faults, async (printer, papers) => {
      const result = await run(options.tovprint, printArguments(options, printer, ['--timeout', '2']));
      expect(result.status === 1, `${c.name}: exit ${result.status}, expected 1`, result);
      expect(!/: printed\n/.test(result.stdout), `${c.name}: reported printed`, result);
      if (c.name !== 'connection dropped') {
        expect(result.stderr.includes('sent whole; the printer did not confirm it printed'),
            `${c.name}: not the line of an unconfirmed job`, result);
      }
      expect(!papers().some((paper) => paper.end === 'cut'), `${c.name}: a paper was cut`);
    });
  }

  // The cover opened while the job prints (31 lines, 100 ms each): the rest waits in the printer,
  // which so never answers the request after the cut.
  await withPrinter(options, 'job-cover-opened', ['--line-ms', '100'], async (printer, papers) => {
    const running = run(options.tovprint, printArguments(options, printer, ['--timeout', '8']));
    let state = {};
    for (let i = 0; i < 200 && !(state.received_bytes > 100); i++) {
      state = (await control(printer, {command: 'state'})).state;
      if (!(state.received_bytes > 100)) await new Promise((done) => setTimeout(done, 20));
    }
    await control(printer, {command: 'open-cover'});
    const result = await running;
    expect(result.status === 1 && result.stderr.includes('sent whole; the printer did not confirm it printed') &&
        !/: printed\n/.test(result.stdout), `cover opened mid-job: exit ${result.status}`, result);
    expect(!papers().some((paper) => paper.end === 'cut'), 'cover opened mid-job: a paper was cut');
  });

  for (const c of [
    {name: 'out of paper', faults: ['--out-of-paper-after', '0'], reason: 'out of paper'},
    {name: 'cover open', faults: ['--cover-open'], reason: 'cover open'},
  ]) {
    await withPrinter(options, `job-before-${c.name.replace(/ /g, '-')}`, c.faults, async (printer, papers) => {
      const result = await run(options.tovprint, printArguments(options, printer));
      expect(result.status === 1 && /cannot print: .*; nothing was sent\n$/.test(result.stderr) &&
          result.stderr.includes(c.reason) && result.stdout.includes('=== failed: '),
          `${c.name} before the job: exit ${result.status}, expected 1 and the reason`, result);
      await control(printer, {command: 'refill'});
      await control(printer, {command: 'close-cover'});
      await control(printer, {command: 'wait-idle', timeout_ms: 5000});
      expect(papers().length === 0, `${c.name} before the job: something printed once it could`);
    });
  }

  const profile = path.join(options.work, 'no-confirmation.json');
  const escpos = JSON.parse(fs.readFileSync(path.join(__dirname, '..', '..', '..', '..', 'data', 'printers', 'escpos.json')));
  fs.writeFileSync(profile, JSON.stringify({...escpos, confirmation: 'none'}));
  await withPrinter(options, 'job-no-confirmation', [], async (printer) => {
    const result = await run(options.tovprint, printArguments(options, printer, ['--profile', profile]));
    expect(result.status === 0 && result.stdout.includes(': sent, not confirmed\n'),
        `a profile without confirmation: exit ${result.status}, no "sent, not confirmed"`, result);
  });
}

async function main() {
  const options = parseArguments(process.argv.slice(2));
  fs.mkdirSync(options.work, {recursive: true});
  if (options.group === 'status') await statusGroup(options);
  else if (options.group === 'jobs') await jobsGroup(options);
  else if (options.group === 'device') await deviceGroup(options);
  else throw new Error(`unknown group ${options.group}`);
  for (const failure of failures) console.error(`FAILED: ${failure}`);
  console.log(`${options.group}: ${failures.length === 0 ? 'all as expected' : `${failures.length} failed`}`);
  process.exitCode = failures.length === 0 ? 0 : 1;
}

main().catch((error) => {
  console.error(`FAILED: ${error.stack}`);
  process.exitCode = 1;
});
