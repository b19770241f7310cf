'use strict';
// The emulated printer's raw port on 127.0.0.1, and what it can be told to do wrong there:
// refuse connections, drop one after some bytes, read nothing (silent) or read slowly.

const net = require('net');

const HOST = '127.0.0.1';

// One connection to the port, as the printer sees it: where its answers go.
class PrinterConnection {
  constructor(socket) {
    this.socket = socket;
    this.carry = Buffer.alloc(0);
  }

  answer(bytes) {
    if (!this.socket.destroyed && this.socket.writable) this.socket.write(Buffer.from(bytes));
  }
}

class PrinterPort {
  constructor(printer) {
    this.printer = printer;
    this.server = null;
    this.port = null;
    this.refusing = false;
  }

  // Listens on `port` (0: a free one); resolves with the port.
  async listen(port) {
    this.server = net.createServer({allowHalfOpen: true}, (socket) => this.accept(socket));
    await new Promise((resolve, reject) => {
      this.server.once('error', reject);
      this.server.listen(port, HOST, resolve);
    });
    this.port = this.server.address().port;
    return this.port;
  }

  // Refusing, nothing listens on the port: a connection is refused as by a printer switched off.
  async refuse(on) {
    if (on === this.refusing) return;
    this.refusing = on;
    if (on) {
      this.server.close();
      this.server = null;
    } else {
      await this.listen(this.port);
    }
  }

  accept(socket) {
    const connection = new PrinterConnection(socket);
    this.printer.connections.add(connection);
    socket.on('data', (chunk) => this.read(connection, chunk));
    // The printer has the whole job in its buffer once the host ends its side; what is still
    // unprocessed prints later, whether the connection is there or not.
    socket.on('end', () => socket.end());
    socket.on('error', () => {});
    socket.on('close', () => this.printer.connections.delete(connection));
    if (this.printer.silent) socket.pause();
  }

  read(connection, chunk) {
    const {printer, socket} = {printer: this.printer, socket: connection.socket};
    if (printer.dropAfter !== null) {
      if (chunk.length >= printer.dropAfter) {
        printer.receive(connection, chunk.subarray(0, printer.dropAfter));
        printer.dropAfter = null;
        socket.resetAndDestroy();
        return;
      }
      printer.dropAfter -= chunk.length;
    }
    printer.receive(connection, chunk);
    if (printer.slowMs > 0) {
      socket.pause();
      setTimeout(() => this.resumeReading(connection), printer.slowMs);
    }
  }

  resumeReading(connection) {
    if (!this.printer.silent && !connection.socket.destroyed) connection.socket.resume();
  }

  setSilent(on) {
    this.printer.silent = on;
    for (const connection of this.printer.connections) {
      if (on) connection.socket.pause();
      else this.resumeReading(connection);
    }
  }

  close() {
    if (this.server) this.server.close();
    for (const connection of this.printer.connections) connection.socket.destroy();
  }
}

module.exports = {PrinterPort, HOST};
