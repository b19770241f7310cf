'use strict';
// The emulated printer's mechanism: the bytes it received and has not processed yet, the paper,
// the state its status answers tell, and the faults it can be told to have. Real-time requests
// (DLE EOT n, DLE ENQ n) are taken out of the bytes as they arrive and answered at once; the
// rest is processed in order, and only while nothing stops the printer: an answer in order
// (GS r, GS ( H) comes once everything before it is on paper.

const EventEmitter = require('events');
const {readCommand, DLE} = require('./escpos_commands');
const {Paper, PaperLog} = require('./paper');

const EOT = 0x04;
const ENQ = 0x05;
const STATUS_FIXED_BITS = 0x12;
const bit = (n) => 1 << n;

const PROCESS_ID_ANSWER_HEADER = [0x37, 0x22];
const PROCESS_ID_FUNCTION = 48;
const PAPER_SENSOR = new Set([1, 49]);
const DRAWER_SENSOR = new Set([2, 50]);
const ERROR_KINDS = ['mechanical', 'cutter', 'unrecoverable', 'auto-recoverable'];
// Errors DLE ENQ 1 or 2 clears, once their cause is gone.
const RECOVERABLE_ERRORS = ['mechanical', 'cutter'];

class EmulatedPrinter extends EventEmitter {
  constructor({family = 'esc-e-n', paperLog = null} = {}) {
    super();
    if (family !== 'esc-e-n' && family !== 'esc-e-f') throw new Error(`unknown bold family ${family}`);
    this.family = family;
    this.log = new PaperLog(paperLog);
    this.noStatus = false;
    this.queue = [];
    this.busy = null;
    this.connections = new Set();
    this.receivedBytes = 0;
    this.resetState();
  }

  // Faults, behaviours and the data not yet processed, all gone; the paper log stays, and so
  // does what the model is (its bold family, whether it answers status requests).
  resetState() {
    this.coverOpen = false;
    this.paperEnd = false;
    this.nearEnd = false;
    this.offLine = false;
    this.errors = new Set();
    this.linesLeft = null;
    this.silent = false;
    this.slowMs = 0;
    this.lineMs = 0;
    this.dropAfter = null;
    this.queue = [];
    if (this.busy) clearTimeout(this.busy);
    this.busy = null;
    this.codePage = 0;
    this.paper = new Paper(this.codePage);
  }

  reset() {
    if (!this.paper.empty) this.log.add(this.paper, 'reset');
    this.resetState();
    this.emit('change');
  }

  // --- what the status answers say

  get stopped() {
    return this.coverOpen || this.paperEnd || this.offLine || this.errors.size > 0;
  }

  realTimeStatus(n) {
    let byte = STATUS_FIXED_BITS;
    const set = (condition, mask) => {
      if (condition) byte |= mask;
    };
    if (n === 1) {
      set(this.stopped, bit(3));
      set([...this.errors].some((kind) => RECOVERABLE_ERRORS.includes(kind)), bit(5));
    } else if (n === 2) {
      set(this.coverOpen, bit(2));
      set(this.paperEnd, bit(5));
      set(this.errors.size > 0, bit(6));
    } else if (n === 3) {
      set(this.errors.has('mechanical'), bit(2));
      set(this.errors.has('cutter'), bit(3));
      set(this.errors.has('unrecoverable'), bit(5));
      set(this.errors.has('auto-recoverable'), bit(6));
    } else {
      set(this.nearEnd, bit(2) | bit(3));
      set(this.paperEnd, bit(5) | bit(6));
    }
    return byte;
  }

  paperSensorStatus() {
    return (this.nearEnd ? bit(0) | bit(1) : 0) | (this.paperEnd ? bit(2) | bit(3) : 0);
  }

  // --- faults and their remedies

  outOfPaperAfter(lines) {
    if (lines <= 0) {
      this.runOutOfPaper();
    } else {
      this.linesLeft = lines;
    }
    this.emit('change');
  }

  runOutOfPaper() {
    this.paperEnd = true;
    this.linesLeft = null;
    if (!this.paper.empty) {
      this.log.add(this.paper, 'paper-out');
      this.paper = new Paper(this.codePage);
      this.emit('paper');
    }
  }

  refill(lines = null) {
    this.paperEnd = false;
    this.nearEnd = false;
    this.linesLeft = lines;
    this.changed();
  }

  setCoverOpen(open) {
    this.coverOpen = open;
    this.changed();
  }

  setNearEnd(on) {
    this.nearEnd = on;
    this.changed();
  }

  setOffLine(on) {
    this.offLine = on;
    this.changed();
  }

  setError(kind, on = true) {
    if (!ERROR_KINDS.includes(kind)) {
      throw new Error(`unknown error kind ${kind} (one of ${ERROR_KINDS.join(', ')})`);
    }
    if (on) this.errors.add(kind);
    else this.errors.delete(kind);
    this.changed();
  }

  recover(clearData) {
    for (const kind of RECOVERABLE_ERRORS) this.errors.delete(kind);
    if (clearData) this.queue = [];
    this.changed();
  }

  changed() {
    this.emit('change');
    this.process();
  }

  // --- bytes in

  // Bytes that arrived from a connection: {answer(bytes), carry} is that connection.
  receive(connection, chunk) {
    this.receivedBytes += chunk.length;
    const bytes = connection.carry.length ? Buffer.concat([connection.carry, chunk]) : chunk;
    connection.carry = Buffer.alloc(0);
    const data = [];
    let at = 0;
    while (at < bytes.length) {
      if (bytes[at] !== DLE) {
        data.push(bytes[at++]);
        continue;
      }
      if (at + 2 >= bytes.length && (at + 1 >= bytes.length || bytes[at + 1] === EOT || bytes[at + 1] === ENQ)) {
        connection.carry = Buffer.from(bytes.subarray(at));
        break;
      }
      if (this.realTime(connection, bytes[at + 1], bytes[at + 2])) {
        at += 3;
      } else {
        data.push(bytes[at++]);
      }
    }
    this.enqueue(connection, Buffer.from(data));
    this.process();
  }

  // DLE EOT n and DLE ENQ n, done as they arrive; false for other bytes after a DLE.
  realTime(connection, command, n) {
    if (command === EOT && n >= 1 && n <= 4) {
      if (!this.noStatus) connection.answer([this.realTimeStatus(n)]);
      return true;
    }
    if (command === ENQ && (n === 1 || n === 2)) {
      this.recover(n === 2);
      return true;
    }
    return false;
  }

  enqueue(connection, data) {
    if (data.length === 0) return;
    const last = this.queue[this.queue.length - 1];
    if (last && last.connection === connection) {
      last.bytes = Buffer.concat([last.bytes, data]);
    } else {
      this.queue.push({connection, bytes: data});
    }
  }

  get pendingBytes() {
    return this.queue.reduce((total, segment) => total + segment.bytes.length, 0);
  }

  // --- processing

  process() {
    while (!this.stopped && !this.busy && this.queue.length > 0) {
      const head = this.queue[0];
      if (head.bytes.length === 0) {
        this.queue.shift();
        continue;
      }
      let command = readCommand(head.bytes, 0, this.family);
      if (command === null) {
        // A command cut short: it may still come, unless other data already follows it.
        if (this.queue.length === 1) return;
        command = {kind: 'control', length: 1, name: `0x${head.bytes[0].toString(16)}`, parameters: []};
      }
      const bytes = head.bytes.subarray(0, command.length);
      head.bytes = head.bytes.subarray(command.length);
      this.apply(command, bytes, head.connection);
      if (command.kind === 'line-feed' && this.lineMs > 0 && !this.busy) {
        this.busy = setTimeout(() => {
          this.busy = null;
          this.process();
        }, this.lineMs);
      }
    }
    if (this.queue.length === 0 || (this.queue.length === 1 && this.queue[0].bytes.length === 0)) {
      this.queue = [];
      this.emit('idle');
    }
  }

  apply(command, bytes, connection) {
    if (command.kind === 'transmit-status') return this.transmitStatus(bytes, connection);
    if (command.kind === 'extended' && this.processIdRequest(bytes)) {
      if (!this.noStatus) connection.answer([...PROCESS_ID_ANSWER_HEADER, ...bytes.subarray(7, 11), 0]);
      return;
    }
    this.paper.take(bytes);
    if (command.kind === 'text') {
      this.paper.text(bytes);
      return;
    }
    this.paper.command(command.name, command.parameters);
    if (command.kind === 'line-feed') {
      this.lineDone();
    } else if (command.kind === 'feed-lines') {
      this.paper.feedLines(bytes[2]);
    } else if (command.kind === 'initialize') {
      this.selectCodePage(0);
    } else if (command.kind === 'code-page') {
      this.selectCodePage(bytes[2]);
    } else if (command.kind === 'cut') {
      this.log.add(this.paper, 'cut');
      this.paper = new Paper(this.codePage);
      this.emit('paper');
    }
  }

  selectCodePage(codePage) {
    this.codePage = codePage;
    this.paper.codePage = codePage;
  }

  lineDone() {
    if (this.linesLeft === null) return;
    this.linesLeft -= 1;
    if (this.linesLeft <= 0) {
      this.runOutOfPaper();
      this.emit('change');
    }
  }

  transmitStatus(bytes, connection) {
    if (this.noStatus) return;
    const n = bytes[2];
    if (PAPER_SENSOR.has(n)) connection.answer([this.paperSensorStatus()]);
    else if (DRAWER_SENSOR.has(n)) connection.answer([0]);
  }

  processIdRequest(bytes) {
    return bytes.length === 11 && bytes[2] === 'H'.charCodeAt(0) && bytes[3] === 6 && bytes[4] === 0 &&
        bytes[5] === PROCESS_ID_FUNCTION && bytes[6] === PROCESS_ID_FUNCTION;
  }

  // --- what the control channel shows

  snapshot() {
    return {
      cover_open: this.coverOpen,
      paper_end: this.paperEnd,
      near_end: this.nearEnd,
      off_line: this.offLine,
      errors: [...this.errors],
      lines_left: this.linesLeft,
      silent: this.silent,
      slow_ms: this.slowMs,
      line_ms: this.lineMs,
      no_status: this.noStatus,
      drop_after: this.dropAfter,
      family: this.family,
      code_page: this.codePage,
      pending_bytes: this.pendingBytes,
      received_bytes: this.receivedBytes,
      papers: this.log.papers.length,
      connections: this.connections.size,
      status: [1, 2, 3, 4].map((n) => this.realTimeStatus(n)),
    };
  }
}

module.exports = {EmulatedPrinter, ERROR_KINDS};
