#!/usr/bin/env python3
"""tovprintd's speed: jobs per second through the service to an emulated printer that takes
each job at once, the time from a job's submission until the printer has taken the whole of it
(median and 95th percentile) with 1, 4 and 16 clients, and the service's memory after 1,000 and
10,000 jobs.

    bench/tovprintd_bench.py --tovprintd BUILD/tools/tovprintd/tovprintd \\
        --library BUILD/libPkg_Tov00000.so --demo data/demo --work /tmp/tovprintd-bench
"""

import argparse
import os
import shutil
import statistics
import sys
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "tools", "tovprintd"))
from paper_sink import PaperSink  # noqa: E402
import service_test  # noqa: E402


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def run_clients(service, args, clients, per_client, series):
    submitted = {}
    lock = threading.Lock()

    def client(number):
        for i in range(per_client):
            tag = "TAG-%d%02d-%d" % (series, number, i)
            started = time.monotonic()
            service_test.submit(service, args, tag, till=list(service_test.TILL_TOKENS)[number % 2])
            with lock:
                submitted[tag] = started

    threads = [threading.Thread(target=client, args=(n,)) for n in range(clients)]
    began = time.monotonic()
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    return began, submitted


def wait_on_paper(sink, tags, seconds=300):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        taken = {}
        for connection in sink.jobs():
            found = service_test.TAG.search(connection.data)
            if found and found.group().decode() in tags:
                taken[found.group().decode()] = connection.closed
        if len(taken) == len(tags):
            return taken
        time.sleep(0.05)
    raise SystemExit("the printer never took every job")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--tovprintd", required=True)
    parser.add_argument("--library", required=True)
    parser.add_argument("--demo", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--jobs", type=int, default=10000, help="jobs of the memory run")
    args = parser.parse_args()
    for name in ("tovprintd", "library", "demo", "work"):
        setattr(args, name, os.path.abspath(getattr(args, name)))
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    sink = PaperSink()
    service = service_test.Service(args, {"caixa": {"address": "tcp://127.0.0.1:%d" % sink.port}},
                                   queue_limit=100000)
    service.start()
    try:
        print("| clients | jobs | jobs/s | median ms | p95 ms |")
        print("| --- | --- | --- | --- | --- |")
        for series, clients in enumerate((1, 4, 16), 1):
            per_client = max(1, 800 // clients)
            began, submitted = run_clients(service, args, clients, per_client, series)
            taken = wait_on_paper(sink, set(submitted))
            latencies = sorted((taken[tag] - submitted[tag]) * 1000 for tag in submitted)
            elapsed = max(taken.values()) - began
            p95 = latencies[int(len(latencies) * 0.95) - 1]
            print("| %d | %d | %.0f | %.1f | %.1f |" % (clients, len(submitted),
                                                        len(submitted) / elapsed,
                                                        statistics.median(latencies), p95))
        done = 3 * 800
        memory = {}
        series = 10
        while done < args.jobs:
            batch = min(1000, args.jobs - done)
            _, submitted = run_clients(service, args, 8, batch // 8, series)
            wait_on_paper(sink, set(submitted))
            series += 1
            done += len(submitted)
            memory[done] = resident_kib(service.process.pid)
        for jobs, kib in sorted(memory.items()):
            print("memory after %d jobs: %.1f MiB" % (jobs, kib / 1024))
    finally:
        service.stop()
        sink.stop()


if __name__ == "__main__":
    main()
