'use strict';
// Reads one ESC/POS command, control byte or run of text at a position of the bytes a printer
// processes, so that a command's parameters are never taken for text. What the emulated printer
// does with each is its `kind`; `name` and `parameters` are for the transcript (<ESC t 3>).

const LF = 0x0a;
const CR = 0x0d;
const DLE = 0x10;
const ESC = 0x1b;
const FS = 0x1c;
const GS = 0x1d;
const NUL = 0x00;

// Commands of ESC and GS by the byte after it: their whole length, or a function of the bytes
// that gives it (undefined while the bytes do not tell it yet).
const fixed = (length) => () => length;
const toNul = (from) => (bytes, at) => {
  const end = bytes.indexOf(NUL, at + from);
  return end < 0 ? undefined : end - at + 1;
};
const withSize = (header, sizeAt, unit) => (bytes, at) => {
  if (bytes.length < at + sizeAt + 2) return undefined;
  return header + (bytes[at + sizeAt] + 256 * bytes[at + sizeAt + 1]) * unit(bytes, at);
};
const once = () => 1;

const ESC_COMMANDS = {
  '@': {length: fixed(2), kind: 'initialize'},
  't': {length: fixed(3), kind: 'code-page'},
  '!': {length: fixed(3), kind: 'print-mode'},
  'd': {length: fixed(3), kind: 'feed-lines'},
  'J': {length: fixed(3), kind: 'feed'},
  'i': {length: fixed(2), kind: 'cut'},
  'm': {length: fixed(2), kind: 'cut'},
  'p': {length: fixed(5), kind: 'drawer-pulse'},
  '$': {length: fixed(4), kind: 'style'},
  '\\': {length: fixed(4), kind: 'style'},
  'c': {length: fixed(4), kind: 'style'},
  'D': {length: toNul(2), kind: 'style'},
  '*': {
    length: withSize(5, 3, (bytes, at) => (bytes[at + 2] >= 32 ? 3 : 1)),
    kind: 'image',
  },
  '2': {length: fixed(2), kind: 'style'},
};
// ESC x n with one parameter byte.
for (const command of '-EGMRSTVaer{ 3UL') {
  if (!(command in ESC_COMMANDS)) ESC_COMMANDS[command] = {length: fixed(3), kind: 'style'};
}
ESC_COMMANDS['E'] = {length: fixed(3), kind: 'bold-parameter'};

const GS_COMMANDS = {
  'V': {
    length: (bytes, at) => {
      if (bytes.length < at + 3) return undefined;
      return bytes[at + 2] >= 65 ? 4 : 3;
    },
    kind: 'cut',
  },
  'r': {length: fixed(3), kind: 'transmit-status'},
  '(': {length: withSize(5, 3, once), kind: 'extended'},
  'k': {
    length: (bytes, at) => {
      if (bytes.length < at + 3) return undefined;
      const m = bytes[at + 2];
      if (m <= 6) return toNul(3)(bytes, at);
      if (bytes.length < at + 4) return undefined;
      return 4 + bytes[at + 3];
    },
    kind: 'barcode',
  },
  'v': {
    length: (bytes, at) => {
      if (bytes.length < at + 8) return undefined;
      const width = bytes[at + 4] + 256 * bytes[at + 5];
      const height = bytes[at + 6] + 256 * bytes[at + 7];
      return 8 + width * height;
    },
    kind: 'image',
  },
  '*': {
    length: (bytes, at) => (bytes.length < at + 4 ? undefined : 4 + bytes[at + 2] * bytes[at + 3] * 8),
    kind: 'image',
  },
  'L': {length: fixed(4), kind: 'style'},
  'W': {length: fixed(4), kind: 'style'},
  'P': {length: fixed(4), kind: 'style'},
};
for (const command of '!BHIabfhw/') {
  if (!(command in GS_COMMANDS)) GS_COMMANDS[command] = {length: fixed(3), kind: 'style'};
}

const FS_COMMANDS = {
  'p': {length: fixed(4), kind: 'image'},
  'C': {length: fixed(3), kind: 'style'},
  '.': {length: fixed(2), kind: 'style'},
  '&': {length: fixed(2), kind: 'style'},
};

const INTRODUCERS = {[ESC]: ['ESC', ESC_COMMANDS], [GS]: ['GS', GS_COMMANDS], [FS]: ['FS', FS_COMMANDS]};

function isControl(byte) {
  return byte < 0x20 || byte === 0x7f;
}

function text(bytes, at) {
  let end = at;
  while (end < bytes.length && !isControl(bytes[end])) end++;
  return {kind: 'text', length: end - at};
}

// The bold family of a printer: esc-e-n reads ESC E n (bold when n is odd); esc-e-f reads ESC E
// (bold on) and ESC F (bold off) without a parameter.
function commandTable(introducer, family) {
  const [name, table] = INTRODUCERS[introducer];
  if (introducer !== ESC || family === 'esc-e-n') return [name, table];
  return [name, {...table, 'E': {length: fixed(2), kind: 'bold-on'}, 'F': {length: fixed(2), kind: 'bold-off'}}];
}

// The command at `at`: {kind, length, name, parameters}, or null when the bytes end before it
// does.
function readCommand(bytes, at, family) {
  const first = bytes[at];
  if (!isControl(first)) return text(bytes, at);
  if (first === LF) return {kind: 'line-feed', length: 1, name: 'LF', parameters: []};
  if (first === CR) return {kind: 'carriage-return', length: 1, name: 'CR', parameters: []};
  if (!(first in INTRODUCERS)) {
    return {kind: 'control', length: 1, name: `0x${first.toString(16).padStart(2, '0')}`, parameters: []};
  }
  if (at + 1 >= bytes.length) return null;
  const [introducer, table] = commandTable(first, family);
  const letter = String.fromCharCode(bytes[at + 1]);
  const command = table[letter];
  const length = command === undefined ? 2 : command.length(bytes, at);
  if (length === undefined || at + length > bytes.length) return null;
  const parameters = [...bytes.subarray(at + 2, at + Math.min(length, 12))].map(String);
  return {
    kind: command === undefined ? 'unknown' : command.kind,
    length,
    name: `${introducer} ${letter}`,
    parameters,
  };
}

module.exports = {readCommand, LF, CR, DLE, ESC, GS, NUL};
