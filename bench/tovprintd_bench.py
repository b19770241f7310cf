#!/usr/bin/env python3
"""tovprintd's speed: jobs per second through the service to an emulated printer that takes
each job at once, the time from a job's submission until the printer has taken the whole of it
(median and 95th percentile) with 1, 4 and 16 clients, and the service's memory after 1,000 and
10,000 jobs. Then the same series to the emulated ESC/POS printer, which answers the status
requests before each job and confirms it: the time until the service says the job printed.
Every job is synced to the journal as the service always does.

    bench/tovprintd_bench.py --tovprintd BUILD/tools/tovprintd/tovprintd \\
        --library BUILD/libPkg_Tov00000.so --demo data/demo --work /tmp/tovprintd-bench

The printer and each client run in processes of their own, so that they do not wait for one
another's interpreter lock: the figures are the service's, not the harness's. The goals on a
2-core machine: the 95th percentile under 20 ms with one client, at least 200 jobs per second
with 16, memory flat from 1,000 to 10,000 jobs.
"""

import argparse
import http.client
import json
import multiprocessing
import os
import re
import shutil
import statistics
import sys
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "tools", "tovprintd"))
from paper_sink import PaperSink  # noqa: E402
import service_test  # noqa: E402

PLACEHOLDER = "TAG-PLACEHOLDER"


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def printer_process(port_out, requests):
    """The printer: a paper sink answering, on request, when each tag it took was taken whole."""
    sink = PaperSink()
    port_out.send(sink.port)
    taken = {}
    seen = 0
    while True:
        request = requests.recv()
        if request == "stop":
            sink.stop()
            return
        connections = sink.jobs()
        for connection in connections[seen:]:
            found = service_test.TAG.search(connection.data)
            if found:
                taken[found.group().decode()] = connection.closed
        seen = len(connections)
        requests.send({tag: taken[tag] for tag in request if tag in taken})


def client_process(job):
    """One client: its jobs one after the other, each with its own key; the start of each."""
    port, body, token, tags = job
    started = {}
    for tag in tags:
        data = body.replace(PLACEHOLDER, tag).encode()
        headers = {"Authorization": "Bearer " + token, "Idempotency-Key": tag,
                   "Content-Type": "application/json"}
        began = time.monotonic()
        connection = http.client.HTTPConnection("127.0.0.1", port, timeout=30)
        try:
            connection.request("POST", "/v1/jobs", body=data, headers=headers)
            response = connection.getresponse()
            answer = response.read()
        finally:
            connection.close()
        if response.status != 201:
            raise SystemExit("POST %s: %d %s" % (tag, response.status, answer[:200]))
        started[tag] = (began, json.loads(answer)["id"])
    return started


def run_clients(pool, service, body, clients, per_client, series):
    tokens = list(service_test.TILL_TOKENS.values())
    jobs = [(service.port, body, tokens[n % len(tokens)],
             ["TAG-%d%02d-%d" % (series, n, i) for i in range(per_client)])
            for n in range(clients)]
    began = time.monotonic()
    submitted = {}
    for started in pool.map(client_process, jobs, chunksize=1):
        submitted.update(started)
    return began, submitted


class ConfirmingService(service_test.Service):
    """The service, with the moment each of its log lines told a job printed."""

    PRINTED = re.compile(r"^tovprintd: job ([0-9]+) \S+ \S+ printed$")

    def __init__(self, *arguments, **options):
        super().__init__(*arguments, **options)
        self.printed = {}
        self.changed = threading.Condition()

    def _read_log(self, process, listening):
        for line in process.stderr:
            found = self.PRINTED.match(line.rstrip("\n"))
            if found:
                with self.changed:
                    self.printed[int(found.group(1))] = time.monotonic()
                    self.changed.notify_all()
            elif "listening on" in line:
                listening.set()
            elif " unconfirmed" in line or " sent" in line:
                raise SystemExit("a job was not confirmed: " + line)


def one_at_a_time(service, body, jobs):
    """A till that prints one ticket and waits for it before the next: each job's time alone."""
    latencies = []
    began = time.monotonic()
    for i in range(jobs):
        start = time.monotonic()
        job = client_process((service.port, body, service_test.TILL_TOKENS["caixa-1"],
                              ["TAG-30-%d" % i]))["TAG-30-%d" % i][1]
        with service.changed:
            if not service.changed.wait_for(lambda: job in service.printed, timeout=30):
                raise SystemExit("job %d was never confirmed" % job)
            latencies.append((service.printed[job] - start) * 1000)
    return began, latencies


def wait_printed(service, ids, seconds=300):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if all(i in service.printed for i in ids):
            return
        time.sleep(0.05)
    raise SystemExit("the printer never confirmed every job")


def table_head(title):
    print("\n" + title + "\n")
    print("| clients | jobs | jobs/s | median ms | p95 ms |")
    print("| --- | --- | --- | --- | --- |")


def table_row(clients, began, latencies, ended):
    latencies = sorted(latencies)
    p95 = latencies[max(0, int(len(latencies) * 0.95) - 1)]
    print("| %d | %d | %.0f | %.1f | %.1f |" % (clients, len(latencies),
                                                len(latencies) / (ended - began),
                                                statistics.median(latencies), p95), flush=True)


def confirmed_series(args, pool, body):
    """The same series to the emulated ESC/POS printer, which answers the status requests
    before each job and confirms each (GS ( H): from submission until the service says
    printed."""
    work = argparse.Namespace(**vars(args))
    work.work = os.path.join(args.work, "confirmed")
    printer = service_test.EscPosPrinter(args)
    service = ConfirmingService(work, {"caixa": {"address": "tcp://127.0.0.1:%d" % printer.port,
                                                 "profile": "escpos", "answers": True}},
                                queue_limit=100000)
    service.start()
    try:
        table_head("To a printer that answers and confirms every job (the first row: one job at "
                   "a time, each awaited; the others: as fast as the clients can send):")
        began, latencies = one_at_a_time(service, body, min(200, args.series_jobs))
        table_row(1, began, latencies, time.monotonic())
        for series, clients in enumerate((1, 4, 16), 1):
            per_client = max(1, args.series_jobs // clients)
            began, submitted = run_clients(pool, service, body, clients, per_client, 20 + series)
            wait_printed(service, [job for _, job in submitted.values()])
            latencies = [(service.printed[job] - start) * 1000
                         for start, job in submitted.values()]
            table_row(clients, began, latencies,
                      max(service.printed[job] for _, job in submitted.values()))
    finally:
        service.stop()
        printer.stop()


def wait_on_paper(printer, tags, seconds=300):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        printer.send(tags)
        taken = printer.recv()
        if len(taken) == len(tags):
            return taken
        time.sleep(0.05)
    raise SystemExit("the printer never took every job")


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tovprintd", required=True)
    parser.add_argument("--library", required=True)
    parser.add_argument("--demo", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--jobs", type=int, default=10000, help="jobs of the memory run")
    parser.add_argument("--series-jobs", type=int, default=800,
                        help="jobs of each series of 1, 4 and 16 clients")
    parser.add_argument("--no-confirming", action="store_true",
                        help="leave out the series to a printer that confirms (it needs node)")
    args = parser.parse_args()
    for name in ("tovprintd", "library", "demo", "work"):
        setattr(args, name, os.path.abspath(getattr(args, name)))
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)

    context = multiprocessing.get_context("fork")
    port_in, port_out = context.Pipe()
    requests, printer = context.Pipe()
    sink = context.Process(target=printer_process, args=(port_out, requests), daemon=True)
    sink.start()
    sink_port = port_in.recv()
    service = service_test.Service(args, {"caixa": {"address": "tcp://127.0.0.1:%d" % sink_port}},
                                   queue_limit=100000)
    body = json.dumps(service_test.job_body(args, PLACEHOLDER))
    service.start()
    pool = context.Pool(16)
    try:
        table_head("To a printer that takes each job at once (no status, no confirmation):")
        memory = {}
        done = 0
        for series, clients in enumerate((1, 4, 16), 1):
            per_client = max(1, args.series_jobs // clients)
            began, submitted = run_clients(pool, service, body, clients, per_client, series)
            taken = wait_on_paper(printer, set(submitted))
            table_row(clients, began, [(taken[tag] - start) * 1000
                                       for tag, (start, _) in submitted.items()],
                      max(taken.values()))
            done += len(submitted)
            memory[done] = resident_kib(service.process.pid)
        series = 10
        while done < args.jobs:
            batch = min(1000, args.jobs - done)
            _, submitted = run_clients(pool, service, body, 8, batch // 8, series)
            wait_on_paper(printer, set(submitted))
            series += 1
            done += len(submitted)
            memory[done] = resident_kib(service.process.pid)
        print()
        for jobs, kib in sorted(memory.items()):
            print("memory after %d jobs: %.1f MiB" % (jobs, kib / 1024))
        if not args.no_confirming:
            confirmed_series(args, pool, body)
    finally:
        pool.terminate()
        service.stop()
        printer.send("stop")
        sink.join(timeout=10)


if __name__ == "__main__":
    main()
