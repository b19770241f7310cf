#!/usr/bin/env python3
"""The emulated printer as a device file: a pseudo-terminal in raw mode whose far end is joined
to the printer's raw port on 127.0.0.1, both ways, as a USB printer's /dev/usb/lp* carries the
printer's answers back to whoever has the device open.

    python3 device_link.py --printer-port N

It prints one line, {"device": PATH}, once the device is ready, and ends when its standard input
ends or the printer closes its port. It keeps the device open itself, so that the link stays up
between the jobs of the programs that open and close it.
"""

import argparse
import json
import os
import select
import socket
import sys
import tty


def relay(master, printer):
    """Bytes written to the device go to the printer, its answers come back to the device."""
    watched = [master, printer, sys.stdin.fileno()]
    while True:
        ready, _, _ = select.select(watched, [], [])
        if sys.stdin.fileno() in ready and not os.read(sys.stdin.fileno(), 4096):
            return
        if master in ready:
            printer.sendall(os.read(master, 65536))
        if printer in ready:
            answer = printer.recv(65536)
            if not answer:
                return
            os.write(master, answer)


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--printer-port", type=int, required=True)
    args = parser.parse_args()
    master, device = os.openpty()
    tty.setraw(device)
    with socket.create_connection(("127.0.0.1", args.printer_port), timeout=10) as printer:
        printer.settimeout(None)
        print(json.dumps({"device": os.ttyname(device)}), flush=True)
        try:
            relay(master, printer)
        finally:
            os.close(device)
            os.close(master)


if __name__ == "__main__":
    main()
