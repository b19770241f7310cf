'use strict';
// An ESC/POS receipt printer emulated on 127.0.0.1, for tests of programs that print to one and
// ask it about itself. See README.md beside this file.
//
//   node escpos_printer.js [--port N] [--control-port N] [--family esc-e-n|esc-e-f]
//        [--paper-log FILE] [--out-of-paper-after LINES] [--near-end] [--cover-open] [--off-line]
//        [--error KIND]... [--silent] [--slow MS] [--line-ms MS] [--no-status]
//        [--drop-after BYTES] [--refuse]
//
// It prints one line on standard output once it listens, {"printer": PORT, "control": PORT},
// and exits when its standard input ends or on the control channel's "quit".

const {EmulatedPrinter, ERROR_KINDS} = require('./printer');
const {PrinterPort} = require('./printer_port');
const {openControlChannel} = require('./control_channel');

const USAGE = `usage: node escpos_printer.js [options]
  --port N                 the printer's raw port on 127.0.0.1 (0, the default: a free one)
  --control-port N         the control channel's port (0, the default: a free one)
  --family esc-e-n|esc-e-f how it reads bold codes: ESC E n, or ESC E and ESC F (esc-e-n)
  --paper-log FILE         each paper as one JSON line, written as the paper ends
  --out-of-paper-after N   the paper runs out after N more lines (0: out of paper now)
  --near-end               the paper near-end sensor is on
  --cover-open             the cover is open
  --off-line               off line with no other cause
  --error KIND             an error: ${ERROR_KINDS.join(', ')} (may be repeated)
  --silent                 reads nothing of what it is sent
  --slow MS                pauses MS milliseconds after each piece it reads
  --line-ms MS             takes MS milliseconds to print each line
  --no-status              a model that answers no status request
  --drop-after N           drops the connection after N more bytes (once)
  --refuse                 nothing listens on its port until told otherwise`;

const VALUED = new Set(['port', 'control-port', 'family', 'paper-log', 'out-of-paper-after', 'error',
  'slow', 'line-ms', 'drop-after']);
const SWITCHES = new Set(['near-end', 'cover-open', 'off-line', 'silent', 'no-status', 'refuse']);
const NUMBERS = new Set(['port', 'control-port', 'out-of-paper-after', 'slow', 'line-ms', 'drop-after']);

function parseArguments(argv) {
  const options = {errors: []};
  for (let i = 0; i < argv.length; i++) {
    const argument = argv[i];
    if (argument === '--help') {
      console.log(USAGE);
      process.exit(0);
    }
    const name = argument.startsWith('--') ? argument.slice(2) : null;
    if (name !== null && SWITCHES.has(name)) {
      options[name] = true;
    } else if (name !== null && VALUED.has(name)) {
      if (i + 1 >= argv.length) throw new Error(`${argument} needs a value`);
      let value = argv[++i];
      if (NUMBERS.has(name)) {
        if (!/^\d+$/.test(value)) throw new Error(`${argument} needs a whole number, not "${value}"`);
        value = Number(value);
      }
      if (name === 'error') options.errors.push(value);
      else options[name] = value;
    } else {
      throw new Error(`unknown argument "${argument}"\n${USAGE}`);
    }
  }
  return options;
}

function configure(printer, options) {
  if (options['out-of-paper-after'] !== undefined) printer.outOfPaperAfter(options['out-of-paper-after']);
  printer.nearEnd = Boolean(options['near-end']);
  printer.coverOpen = Boolean(options['cover-open']);
  printer.offLine = Boolean(options['off-line']);
  for (const kind of options.errors) printer.setError(kind);
  printer.silent = Boolean(options.silent);
  printer.slowMs = options.slow || 0;
  printer.lineMs = options['line-ms'] || 0;
  printer.noStatus = Boolean(options['no-status']);
  printer.dropAfter = options['drop-after'] === undefined ? null : options['drop-after'];
}

async function main() {
  const options = parseArguments(process.argv.slice(2));
  const printer = new EmulatedPrinter({family: options.family, paperLog: options['paper-log']});
  configure(printer, options);
  const port = new PrinterPort(printer);
  const printerPort = await port.listen(options.port || 0);
  if (options.refuse) await port.refuse(true);
  let control = null;
  const quit = () => {
    port.close();
    if (control) control.close();
    process.exit(0);
  };
  control = await openControlChannel({printer, port, quit}, options['control-port'] || 0);
  process.stdin.on('end', quit);
  process.stdin.on('close', quit);
  process.stdin.resume();
  process.stdout.write(`${JSON.stringify({printer: printerPort, control: control.address().port})}\n`);
}

main().catch((error) => {
  console.error(`escpos_printer: ${error.message}`);
  process.exit(2);
});
