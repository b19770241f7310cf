'use strict';
// The paper in the printer: what its processed bytes put on it, line by line, until a cut ends it
// (or the roll runs out under it). Each paper that ends goes to the paper log.

const fs = require('fs');
const {decode} = require('./code_pages');

class Paper {
  constructor(codePage) {
    this.chunks = [];
    this.lines = [];
    this.line = '';
    this.transcript = '';
    this.codePage = codePage;
  }

  get empty() {
    return this.chunks.length === 0;
  }

  // Bytes of a command or of text, as they were processed.
  take(bytes) {
    this.chunks.push(Buffer.from(bytes));
  }

  text(bytes) {
    const text = decode(bytes, this.codePage);
    this.line += text;
    this.transcript += text;
  }

  command(name, parameters) {
    if (name === 'CR') {
      this.transcript += '<CR>';
    } else if (name === 'LF') {
      this.transcript += '<LF>\n';
      this.lines.push(this.line);
      this.line = '';
    } else {
      this.transcript += `<${[name, ...parameters].join(' ')}>`;
    }
  }

  // ESC d n: the line in progress, then n - 1 blank ones.
  feedLines(count) {
    for (let i = 0; i < count; i++) {
      this.lines.push(this.line);
      this.line = '';
    }
  }

  // The paper as the log keeps it.
  record(number, end) {
    const bytes = Buffer.concat(this.chunks);
    const lines = this.line === '' ? [...this.lines] : [...this.lines, this.line];
    return {
      paper: number,
      end,
      length: bytes.length,
      bytes_base64: bytes.toString('base64'),
      bytes_hex: bytes.toString('hex'),
      lines,
      text: lines.join('\n'),
      transcript: this.transcript,
    };
  }
}

// The papers that ended, kept in memory and, with a file, one JSON line each as it ends.
class PaperLog {
  constructor(file) {
    this.file = file;
    this.papers = [];
    if (file) fs.writeFileSync(file, '');
  }

  add(paper, end) {
    const record = paper.record(this.papers.length + 1, end);
    this.papers.push(record);
    if (this.file) fs.appendFileSync(this.file, `${JSON.stringify(record)}\n`);
    return record;
  }
}

module.exports = {Paper, PaperLog};
