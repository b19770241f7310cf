"""A receipt printer's raw port emulated on 127.0.0.1 for tovprintd's tests.

Each connection is one job: the sink reads until the service ends its side, keeps every byte
with the times it began and ended, then closes. It can refuse (not listen), drop a connection
after some bytes, or wait before closing (a slow printer). Everything is bounded in time.
"""

import socket
import threading
import time


class Connection:
    def __init__(self, opened):
        self.opened = opened
        self.closed = None
        self.data = b""
        self.dropped = False


class PaperSink:
    def __init__(self, port=0, drop_after=None, drops=0, close_delay=0.0):
        """drop_after: bytes after which `drops` connections are dropped; close_delay: seconds
        a job's end waits before the connection is closed."""
        self.drop_after = drop_after
        self.drops_left = drops
        self.close_delay = close_delay
        self.connections = []
        self.lock = threading.Lock()
        self.listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self.listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self.listener.bind(("127.0.0.1", port))
        self.listener.listen(64)
        self.listener.settimeout(0.2)
        self.port = self.listener.getsockname()[1]
        self.stopping = False
        self.thread = threading.Thread(target=self._accept, daemon=True)
        self.thread.start()

    def _accept(self):
        while not self.stopping:
            try:
                client, _ = self.listener.accept()
            except socket.timeout:
                continue
            except OSError:
                return
            threading.Thread(target=self._serve, args=(client,), daemon=True).start()

    def _serve(self, client):
        connection = Connection(time.monotonic())
        with self.lock:
            drop = self.drop_after is not None and self.drops_left > 0
            if drop:
                self.drops_left -= 1
        client.settimeout(30)
        try:
            while True:
                chunk = client.recv(65536)
                if not chunk:
                    break
                connection.data += chunk
                if drop and len(connection.data) >= self.drop_after:
                    connection.data = connection.data[: self.drop_after]
                    connection.dropped = True
                    # An abortive close: the service sees the connection reset.
                    client.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, b"\x01\x00\x00\x00\x00\x00\x00\x00")
                    break
            if self.close_delay and not connection.dropped:
                time.sleep(self.close_delay)
        except OSError:
            connection.dropped = True
        finally:
            connection.closed = time.monotonic()
            client.close()
            with self.lock:
                if connection.data:
                    self.connections.append(connection)

    def jobs(self):
        with self.lock:
            return sorted(self.connections, key=lambda c: c.opened)

    def stop(self):
        self.stopping = True
        self.listener.close()
        self.thread.join(timeout=5)
