'use strict';
// A receipt printer emulated on 127.0.0.1 (or a file standing for a device), for tovprint's
// tests. It runs tovprint with --printer pointed at itself, takes every byte until tovprint ends
// the job, then closes the connection as a network printer does. What it received must be the
// expected bytes exactly, and the independent ESC/POS reader npos must decode it back to the
// expected transcript: text in the printer's code page, commands as <ESC t 3>.
//
//   node emulated_printer.js --tovprint BIN --modules DIR --via tcp|file --work DIR
//        --family esc-e-n|esc-e-f --code-page cp860 --expected NAME [--contains TEXT]...
//        [--update] -- TOVPRINT ARGUMENTS...
//
// NAME.bin and NAME.txt (UTF-8) beside this script are the expected bytes and transcript;
// --update writes them from what was received instead. --modules is the folder where npm
// installed this folder's package.json.

const childProcess = require('child_process');
const fs = require('fs');
const net = require('net');
const path = require('path');

const TIME_LIMIT_MS = 60000;

function parseArguments(argv) {
  const options = {contains: [], update: false, tovprintArguments: []};
  for (let i = 0; i < argv.length; i++) {
    const name = argv[i];
    if (name === '--') {
      options.tovprintArguments = argv.slice(i + 1);
      break;
    }
    if (name === '--update') {
      options.update = true;
    } else if (name === '--contains') {
      options.contains.push(argv[++i]);
    } else if (name.startsWith('--')) {
      options[name.slice(2).replace(/-(.)/g, (_, c) => c.toUpperCase())] = argv[++i];
    } else {
      throw new Error(`unexpected argument ${name}`);
    }
  }
  for (const required of ['tovprint', 'modules', 'via', 'work', 'family', 'codePage', 'expected']) {
    if (options[required] === undefined) throw new Error(`missing --${required}`);
  }
  return options;
}

// Runs tovprint; resolves with its output once it exits with status 0.
function runTovprint(options, printer) {
  return new Promise((resolve, reject) => {
    const args = [...options.tovprintArguments, '--printer', printer];
    childProcess.execFile(options.tovprint, args, {timeout: TIME_LIMIT_MS}, (error, stdout, stderr) => {
      if (error) {
        reject(new Error(`tovprint ${args.join(' ')} failed: ${error.message}\n${stdout}${stderr}`));
      } else {
        resolve(stdout + stderr);
      }
    });
  });
}

// tovprint asks a printer whose profile answers status requests before the job (DLE EOT 1..4)
// and after its last cut (GS ( H with a process ID, or GS r 1). This printer answers them as one
// that can print and has printed everything; they are no part of the document's bytes.
const REAL_TIME_READ = [0x10, 0x04];
const PAPER_SENSOR_READ = [0x1d, 0x72, 0x01];
const PROCESS_ID_READ = [0x1d, 0x28, 0x48, 0x06, 0x00, 0x30, 0x30];
const PROCESS_ID_SIZE = 4;

function startsWith(bytes, at, prefix) {
  return prefix.every((byte, i) => bytes[at + i] === byte);
}

// The length of the status request at `at`, 0 for none.
function requestAt(bytes, at) {
  if (startsWith(bytes, at, REAL_TIME_READ) && at + 2 < bytes.length &&
      bytes[at + 2] >= 1 && bytes[at + 2] <= 4) {
    return 3;
  }
  if (startsWith(bytes, at, PAPER_SENSOR_READ)) return PAPER_SENSOR_READ.length;
  if (startsWith(bytes, at, PROCESS_ID_READ) &&
      at + PROCESS_ID_READ.length + PROCESS_ID_SIZE <= bytes.length) {
    return PROCESS_ID_READ.length + PROCESS_ID_SIZE;
  }
  return 0;
}

function answerTo(request) {
  if (request[0] === 0x10) return Buffer.from([0x12]);
  if (request[1] === 0x72) return Buffer.from([0x00]);
  return Buffer.from([0x37, 0x22, ...request.slice(PROCESS_ID_READ.length), 0x00]);
}

// tovprint awaits the answer to each request before it sends more, so a request it awaits ends
// what has arrived so far.
function answerRequest(socket, bytes) {
  for (const size of [3, PAPER_SENSOR_READ.length, PROCESS_ID_READ.length + PROCESS_ID_SIZE]) {
    if (bytes.length >= size && requestAt(bytes, bytes.length - size) === size) {
      socket.write(answerTo(bytes.subarray(bytes.length - size)));
      return;
    }
  }
}

// The document's bytes: the status requests before the first byte and after the last cut taken
// off.
function documentBytes(received) {
  let start = 0;
  while (start < received.length && requestAt(received, start) === 3) start += 3;
  let end = received.length;
  for (const size of [PAPER_SENSOR_READ.length, PROCESS_ID_READ.length + PROCESS_ID_SIZE]) {
    if (end - size >= start && requestAt(received, end - size) === size) {
      end -= size;
      break;
    }
  }
  return received.subarray(start, end);
}

// The printer on 127.0.0.1: one connection, read to its end, then closed.
function printOverTcp(options) {
  return new Promise((resolve, reject) => {
    let received = null;
    let output = null;
    const finish = () => {
      if (received === null || output === null) return;
      server.close();
      resolve({bytes: received, output});
    };
    const server = net.createServer((socket) => {
      const chunks = [];
      socket.on('data', (chunk) => {
        chunks.push(chunk);
        answerRequest(socket, Buffer.concat(chunks));
      });
      socket.on('end', () => {
        received = documentBytes(Buffer.concat(chunks));
        socket.end();
        finish();
      });
      socket.on('error', reject);
    });
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      runTovprint(options, `tcp://127.0.0.1:${server.address().port}`).then((text) => {
        output = text;
        finish();
      }, (error) => {
        server.close();
        reject(error);
      });
    });
  });
}

async function printToFile(options) {
  const file = path.join(options.work, `${options.expected}.received.bin`);
  fs.rmSync(file, {force: true});
  const output = await runTovprint(options, `file:${file}`);
  return {bytes: fs.readFileSync(file), output};
}

// npos's rule table for the bold family: ESC/POS as npos knows it, or ESC E and ESC F with no
// parameter (and ESC m, the cut of that family).
function rulesFor(npos, family) {
  const rules = JSON.parse(JSON.stringify(npos.rules));
  if (family === 'esc-e-f') {
    Object.assign(rules[npos.symbols.ESC], {E: 0, F: 0, m: 0});
  } else if (family !== 'esc-e-n') {
    throw new Error(`unknown bold family ${family}`);
  }
  return rules;
}

function transcript(ast, iconv, codePage) {
  let text = '';
  for (const node of ast.tree) {
    const bytes = ast.raw.slice(node.offset, node.offset + node.length);
    if (node.ascii === 'STX') {
      text += iconv.decode(bytes, codePage).replace(/\r/g, '<CR>').replace(/\n/g, '<LF>\n');
    } else {
      const parameters = [...bytes.slice(1 + node.fn.length)].map(String);
      text += `<${[node.ascii, node.fn, ...parameters].join(' ')}>`;
    }
  }
  return text;
}

function firstDifference(actual, expected) {
  let at = 0;
  while (at < actual.length && at < expected.length && actual[at] === expected[at]) at++;
  return at;
}

function check(options, received, decoded) {
  const expectedBytes = path.join(__dirname, `${options.expected}.bin`);
  const expectedText = path.join(__dirname, `${options.expected}.txt`);
  if (options.update) {
    fs.writeFileSync(expectedBytes, received);
    fs.writeFileSync(expectedText, decoded);
    return [];
  }
  const failures = [];
  const bytes = fs.readFileSync(expectedBytes);
  if (!received.equals(bytes)) {
    const at = firstDifference(received, bytes);
    failures.push(`received ${received.length} bytes, expected ${bytes.length} (${expectedBytes}); ` +
        `first difference at byte ${at}`);
  }
  const text = fs.readFileSync(expectedText, 'utf8');
  if (decoded !== text) {
    const lines = decoded.split('\n');
    const expectedLines = text.split('\n');
    const line = lines.findIndex((value, i) => value !== expectedLines[i]);
    failures.push(`npos decodes line ${line + 1} as ${JSON.stringify(lines[line])}, expected ` +
        `${JSON.stringify(expectedLines[line])} (${expectedText})`);
  }
  for (const wanted of options.contains) {
    if (!decoded.includes(wanted)) failures.push(`the decoded text lacks ${JSON.stringify(wanted)}`);
  }
  return failures;
}

async function main() {
  const options = parseArguments(process.argv.slice(2));
  const modules = path.join(options.modules, 'node_modules');
  const npos = require(path.join(modules, 'npos'));
  const iconv = require(path.join(modules, 'iconv-lite'));
  fs.mkdirSync(options.work, {recursive: true});

  const {bytes, output} = options.via === 'tcp' ? await printOverTcp(options) : await printToFile(options);
  fs.writeFileSync(path.join(options.work, `${options.expected}.received.bin`), bytes);
  if (!/took \d+ bytes/.test(output)) throw new Error(`tovprint did not report the job:\n${output}`);

  const ast = await npos.parser(rulesFor(npos, options.family)).parse(bytes);
  const decoded = transcript(ast, iconv, options.codePage);
  fs.writeFileSync(path.join(options.work, `${options.expected}.received.txt`), decoded);
  const failures = check(options, bytes, decoded);
  for (const failure of failures) console.error(`FAILED: ${failure}`);
  console.log(`${options.expected}: ${bytes.length} bytes received over ${options.via}, ` +
      `${failures.length === 0 ? 'as expected' : 'not as expected'}`);
  process.exitCode = failures.length === 0 ? 0 : 1;
}

main().catch((error) => {
  console.error(`FAILED: ${error.message}`);
  process.exitCode = 1;
});
