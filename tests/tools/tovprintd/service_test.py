#!/usr/bin/env python3
"""End-to-end tests of tovprintd: the service started on 127.0.0.1 with printers emulated by
paper_sink.py, driven over HTTP as tills and a manager drive it. Every process and server a
case starts, it stops; every wait is bounded.

    service_test.py CASE --tovprintd BIN --library LIB --demo DATA/demo --work DIR [--jobs N]
"""

import argparse
import base64
import hashlib
import http.client
import json
import os
import random
import re
import shutil
import signal
import socket
import ssl
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from paper_sink import PaperSink  # noqa: E402

TILL_TOKENS = {"caixa-1": "till-one-token", "caixa-2": "till-two-token"}
MANAGER_TOKEN = "manager-token"
FINAL_STATES = {"printed", "sent", "unconfirmed", "cancelled"}
TAG = re.compile(rb"TAG-[0-9]+-[0-9]+")


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def silent_profile(args, name):
    """The built-in profile `name` as a printer that answers nothing (the paper sink): no status
    requests before a job, no confirmation after it, so its jobs are "sent"."""
    name = name or "escpos"
    with open(os.path.join(args.demo, "..", "printers", name + ".json")) as source:
        profile = json.load(source)
    profile.update(status="none", confirmation="none")
    path = os.path.join(args.work, name + ".json")
    with open(path, "w") as out:
        json.dump(profile, out)
    return path


class Service:
    """tovprintd with a configuration of the case's printers, restartable on one port."""

    def __init__(self, args, printers, queue_limit=None, max_body=None, tls=None):
        self.args = args
        self.tls_context = None
        self.port = free_port()
        os.makedirs(args.work, exist_ok=True)
        self.config_file = os.path.join(args.work, "config.json")
        callers = [{"name": name, "token_sha256": hashlib.sha256(token.encode()).hexdigest(),
                    "role": "till"} for name, token in TILL_TOKENS.items()]
        callers.append({"name": "gerente", "role": "manager",
                        "token_sha256": hashlib.sha256(MANAGER_TOKEN.encode()).hexdigest()})
        printers = {name: printer if printer.get("answers") is not None else
                    dict(printer, profile=silent_profile(args, printer.get("profile")))
                    for name, printer in printers.items()}
        printers = {name: {key: value for key, value in printer.items() if key != "answers"}
                    for name, printer in printers.items()}
        config = {"listen": "127.0.0.1:%d" % self.port,
                  "journal": os.path.join(args.work, "journal.db"),
                  "callers": callers, "printers": printers,
                  "package": {"now": "2026-12-08 14:30", "library": args.library}}
        if queue_limit:
            config["queue_limit"] = queue_limit
        if max_body:
            config["max_body_bytes"] = max_body
        if tls:
            config["tls"] = {"certificate": tls[0], "key": tls[1]}
            self.tls_context = ssl.create_default_context(cafile=tls[0])
        with open(self.config_file, "w") as out:
            json.dump(config, out)
        self.process = None
        self.log = []
        self.log_lock = threading.Lock()

    def start(self):
        self.process = subprocess.Popen([self.args.tovprintd, "--config", self.config_file],
                                        stderr=subprocess.PIPE, text=True)
        listening = threading.Event()
        threading.Thread(target=self._read_log, args=(self.process, listening),
                         daemon=True).start()
        if not listening.wait(timeout=30):
            self.process.kill()
            self.process.wait()
            raise Failure("tovprintd did not start: %s" % self.log[-3:])

    def _read_log(self, process, listening):
        for line in process.stderr:
            with self.log_lock:
                self.log.append(line.rstrip("\n"))
            if "listening on" in line:
                listening.set()

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=60)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
                raise Failure("tovprintd did not stop within 60 s of SIGTERM")
        if self.process:
            check(self.process.returncode == 0,
                  "tovprintd ended with status %s" % self.process.returncode)

    def kill(self):
        self.process.kill()
        self.process.wait()

    def call(self, method, path, body=None, token=TILL_TOKENS["caixa-1"], key=None,
             headers=None, timeout=30):
        if self.tls_context:
            connection = http.client.HTTPSConnection("127.0.0.1", self.port, timeout=timeout,
                                                     context=self.tls_context)
        else:
            connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=timeout)
        sent = dict(headers or {})
        if token is not None:
            sent["Authorization"] = "Bearer " + token
        if key is not None:
            sent["Idempotency-Key"] = key
        if isinstance(body, (dict, list)):
            body = json.dumps(body)
        try:
            connection.request(method, path, body=body, headers=sent)
            response = connection.getresponse()
            data = response.read()
            kind = response.getheader("Content-Type", "")
            answer = json.loads(data) if kind.startswith("application/json") else data
            return response.status, answer, response
        finally:
            connection.close()

    def job(self, job_id):
        status, answer, _ = self.call("GET", "/v1/jobs/%d" % job_id, token=MANAGER_TOKEN)
        check(status == 200, "GET job %d: %s %s" % (job_id, status, answer))
        return answer

    def jobs(self, **query):
        """Every job the query lists, page after page."""
        jobs = []
        for _ in range(10000):
            path = "/v1/jobs"
            if query:
                path += "?" + "&".join("%s=%s" % item for item in query.items())
            status, answer, _ = self.call("GET", path, token=MANAGER_TOKEN)
            check(status == 200, "GET %s: %s %s" % (path, status, answer))
            jobs += answer["jobs"]
            if answer["next_before"] is None:
                return jobs
            query = dict(query, before=answer["next_before"])
        raise Failure("the pages of jobs never end")

    def wait_until_settled(self, ids, seconds=90):
        deadline = time.monotonic() + seconds
        pending = set(ids)
        while pending and time.monotonic() < deadline:
            for job in self.jobs():
                if job["state"] in FINAL_STATES:
                    pending.discard(job["id"])
            if pending:
                time.sleep(0.1)
        check(not pending, "jobs never settled: %s" % sorted(pending)[:20])


def demo_request(args, tag):
    with open(os.path.join(args.demo, "vendedor.json")) as file:
        request = json.load(file)
    with open(os.path.join(args.demo, "vendedor.xml"), "rb") as file:
        request["P_VENDASVENDEDOR"] = {"base64": base64.b64encode(file.read()).decode()}
    request["stNmCaixa"] = "Caixa " + tag
    return request


def job_body(args, tag, printer="caixa"):
    return {"printer": printer, "document": "vendedor", "request": demo_request(args, tag)}


def submit(service, args, tag, printer="caixa", till="caixa-1"):
    status, answer, _ = service.call("POST", "/v1/jobs", job_body(args, tag, printer),
                                     token=TILL_TOKENS[till], key=tag)
    check(status == 201, "POST %s: %s %s" % (tag, status, answer))
    return answer["id"]


def holding(sink, tag):
    """The connections that carry the tag."""
    return [c for c in sink.jobs() if re.search(re.escape(tag.encode()) + rb"(?![0-9])", c.data)]


def tags_on_paper(sink):
    counts = {}
    for connection in sink.jobs():
        for tag in TAG.findall(connection.data):
            counts[tag.decode()] = counts.get(tag.decode(), 0) + 1
    return counts


def check_not_interleaved(sink):
    """One job per connection, and no two connections to a printer at once."""
    connections = sink.jobs()
    for connection in connections:
        tags = set(TAG.findall(connection.data))
        check(len(tags) <= 1, "one connection carried several jobs: %s" % sorted(tags)[:5])
    for before, after in zip(connections, connections[1:]):
        check(before.closed <= after.opened + 0.001,
              "two jobs were written to the printer at once")


def expected_job_bytes(args, tag, profile):
    """The bytes tovprint itself sends for the same request: the service must send the same."""
    folder = os.path.join(args.work, "expected")
    os.makedirs(folder, exist_ok=True)
    request = demo_request(args, tag)
    request["P_VENDASVENDEDOR"] = os.path.join(args.demo, "vendedor.xml")
    request_file = os.path.join(folder, tag + ".json")
    with open(request_file, "w") as out:
        json.dump(request, out)
    tovprint = os.path.join(os.path.dirname(os.path.dirname(args.tovprintd)), "tovprint",
                            "tovprint")
    raw = os.path.join(folder, tag + ".raw")
    subprocess.run([tovprint, "print", "vendedor", "--request", request_file, "--library",
                    args.library, "--now", "2026-12-08 14:30", "--profile", profile,
                    "--printer", "file:" + raw], check=True, stdout=subprocess.DEVNULL)
    with open(raw, "rb") as file:
        return file.read()


# --- the cases ---------------------------------------------------------------------------------

def case_two_tills(args):
    """Two tills send 200 jobs each to one printer: each on paper once, never mixed, each byte
    as tovprint prints the same request."""
    count = args.jobs or 200
    sink = PaperSink()
    service = Service(args, {"caixa": {"address": "tcp://127.0.0.1:%d" % sink.port}})
    service.start()
    ids = []
    lock = threading.Lock()
    errors = []

    def till(name, number):
        try:
            for i in range(count):
                job_id = submit(service, args, "TAG-%d-%d" % (number, i), till=name)
                with lock:
                    ids.append(job_id)
        except Exception as error:  # noqa: BLE001 - reported below
            errors.append(error)

    threads = [threading.Thread(target=till, args=(name, n))
               for n, name in enumerate(TILL_TOKENS, 1)]
    try:
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join(timeout=240)
        check(not errors, "a till failed: %s" % errors[:1])
        check(len(ids) == 2 * count, "%d jobs accepted of %d" % (len(ids), 2 * count))
        service.wait_until_settled(ids)
        states = {job["state"] for job in service.jobs()}
        check(states == {"sent"}, "states: %s" % states)
        counts = tags_on_paper(sink)
        for n in (1, 2):
            for i in range(count):
                tag = "TAG-%d-%d" % (n, i)
                check(counts.get(tag) == 1, "%s on paper %s times" % (tag, counts.get(tag, 0)))
        check_not_interleaved(sink)
        on_paper = holding(sink, "TAG-1-7")
        check(len(on_paper) == 1 and on_paper[0].data == expected_job_bytes(args, "TAG-1-7",
                                                                             "escpos"),
              "the job's bytes differ from tovprint's for the same request")
        # A till reads its own jobs, not the other's.
        status, answer, _ = service.call("GET", "/v1/jobs", token=TILL_TOKENS["caixa-2"])
        check(status == 200 and {j["caller"] for j in answer["jobs"]} == {"caixa-2"},
              "a till's list holds other callers' jobs")
    finally:
        service.stop()
        sink.stop()


def case_restart_with_queue(args):
    """Jobs queued for a printer that is down survive a restart and print once it is back; a
    stop while a job is sending lets that job finish."""
    port = free_port()
    service = Service(args, {"caixa": {"address": "tcp://127.0.0.1:%d" % port, "timeout": 2}})
    service.start()
    sink = None
    try:
        ids = [submit(service, args, "TAG-1-%d" % i) for i in range(5)]
        deadline = time.monotonic() + 20
        status = None
        while time.monotonic() < deadline:
            status = service.call("GET", "/v1/printers")[1]["printers"][0]
            if status["status"] == "cannot_print":
                break
            time.sleep(0.1)
        check(status["status"] == "cannot_print" and "refused" in status["reason"],
              "the printer that is down: %s" % status)
        check(status["queued"] == 5 and status["oldest_queued_age_seconds"] is not None,
              "the queue of the printer that is down: %s" % status)
        check(all(service.job(i)["state"] == "queued" for i in ids), "jobs left the queue")
        service.stop()
        sink = PaperSink(port, close_delay=1.0)
        service.start()
        service.wait_until_settled(ids)
        counts = tags_on_paper(sink)
        check(all(counts.get("TAG-1-%d" % i) == 1 for i in range(5)), "on paper: %s" % counts)
        # A stop while a job is being sent: the job finishes, and is sent, not unconfirmed.
        late = submit(service, args, "TAG-2-0")
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline and service.job(late)["state"] != "sending":
            time.sleep(0.02)
        check(service.job(late)["state"] == "sending", "the last job never began")
        service.stop()
        service.start()
        check(service.job(late)["state"] == "sent", "the job in progress at SIGTERM: %s"
              % service.job(late))
    finally:
        service.stop()
        if sink:
            sink.stop()


def case_dropped_printer(args):
    """A printer that drops the connection in the middle of a job: that job is unconfirmed and
    never sent again; the next jobs print."""
    sink = PaperSink(drop_after=60, drops=1)
    service = Service(args, {"caixa": {"address": "tcp://127.0.0.1:%d" % sink.port,
                                       "timeout": 2}})
    service.start()
    try:
        first = submit(service, args, "TAG-1-0")
        service.wait_until_settled([first])
        job = service.job(first)
        check(job["state"] == "unconfirmed" and job["error"], "the dropped job: %s" % job)
        rest = [submit(service, args, "TAG-1-%d" % i) for i in range(1, 4)]
        service.wait_until_settled(rest)
        check(all(service.job(i)["state"] == "sent" for i in rest), "the jobs after the drop")
        time.sleep(1.5)
        check(service.job(first)["attempts"] == 1, "the dropped job was sent again")
        counts = tags_on_paper(sink)
        check(all(counts.get("TAG-1-%d" % i) == 1 for i in range(1, 4)), "counts %s" % counts)
        check(counts.get("TAG-1-0", 0) == 0, "the dropped job's tag within its first 60 bytes")
        check(sum(1 for c in sink.jobs() if c.dropped) == 1, "one dropped connection")
        check(any("unconfirmed" in line for line in service.log), "no log line of it")
    finally:
        service.stop()
        sink.stop()


def case_backup_printer(args):
    """Jobs for a printer that is down move to its backup, converted to the backup's profile."""
    bar = PaperSink()
    service = Service(args, {"caixa": {"address": "tcp://127.0.0.1:%d" % free_port(),
                                       "backup": "bar", "timeout": 2},
                             "bar": {"address": "tcp://127.0.0.1:%d" % bar.port,
                                     "profile": "esc-e-f"}})
    service.start()
    try:
        ids = [submit(service, args, "TAG-1-%d" % i) for i in range(3)]
        service.wait_until_settled(ids)
        for job_id in ids:
            job = service.job(job_id)
            check(job["state"] == "sent" and job["printer"] == "bar" and
                  job["moved_from"] == "caixa", "the moved job: %s" % job)
        counts = tags_on_paper(bar)
        check(all(counts.get("TAG-1-%d" % i) == 1 for i in range(3)), "on bar: %s" % counts)
        on_bar = holding(bar, "TAG-1-1")[0].data
        check(on_bar == expected_job_bytes(args, "TAG-1-1", "esc-e-f"),
              "the moved job's bytes are not those of the backup's profile")
    finally:
        service.stop()
        bar.stop()


def case_reprint_and_cancel(args):
    """A manager cancels a queued job and reprints a sent one, marked as a reprint; a till may
    do neither; the preview is a PNG picture."""
    port = free_port()
    service = Service(args, {"caixa": {"address": "tcp://127.0.0.1:%d" % port, "timeout": 1}})
    service.start()
    sink = None
    try:
        kept = submit(service, args, "TAG-1-0")
        dropped = submit(service, args, "TAG-1-1")
        status, answer, _ = service.call("DELETE", "/v1/jobs/%d" % dropped)
        check(status == 403, "a till cancelled: %s" % status)
        status, answer, _ = service.call("DELETE", "/v1/jobs/%d" % dropped, token=MANAGER_TOKEN)
        check(status == 200 and answer["state"] == "cancelled", "cancel: %s %s" % (status, answer))
        status, answer, _ = service.call("DELETE", "/v1/jobs/%d" % dropped, token=MANAGER_TOKEN)
        check(status == 409, "cancelled twice: %s" % status)
        status, answer, _ = service.call("POST", "/v1/jobs/%d/reprint" % kept,
                                         token=MANAGER_TOKEN)
        check(status == 409, "a queued job reprinted: %s" % status)
        sink = PaperSink(port)
        service.wait_until_settled([kept])
        status, answer, _ = service.call("POST", "/v1/jobs/%d/reprint" % kept)
        check(status == 403, "a till reprinted: %s" % status)
        status, answer, _ = service.call("POST", "/v1/jobs/%d/reprint" % kept,
                                         token=MANAGER_TOKEN)
        check(status == 201, "reprint: %s %s" % (status, answer))
        reprint = answer["id"]
        service.wait_until_settled([reprint])
        check(service.job(reprint)["reprint_of"] == kept, "reprint_of")
        papers = [c.data for c in sink.jobs()]
        check(len(papers) == 2, "on paper: %d jobs" % len(papers))
        check(b"REIMPRESSAO" not in papers[0] and
              papers[1].startswith(b"\x1b@\x1bt\x02*** REIMPRESSAO ***\r\n") and
              papers[1][len(b"\x1b@\x1bt\x02*** REIMPRESSAO ***\r\n"):] == papers[0][5:],
              "the reprint is the same paper with one line before it")
        check(not holding(sink, "TAG-1-1"), "the cancelled job was printed")
        status, picture, response = service.call("GET", "/v1/jobs/%d/preview.png" % kept)
        check(status == 200 and picture.startswith(b"\x89PNG\r\n"), "preview: %s" % status)
    finally:
        service.stop()
        if sink:
            sink.stop()


def case_bad_requests(args):
    """Every kind of bad request is refused with a 4xx naming what was wrong; nothing is kept
    and nothing printed."""
    sink = PaperSink()
    service = Service(args, {"caixa": {"address": "tcp://127.0.0.1:%d" % sink.port}},
                      max_body=64 * 1024)
    service.start()
    good = job_body(args, "TAG-9-0")
    bad_packet = job_body(args, "TAG-9-1")
    bad_packet["request"]["P_VENDASVENDEDOR"] = {"base64": base64.b64encode(b"not a packet").decode()}
    file_packet = job_body(args, "TAG-9-2")
    file_packet["request"]["P_VENDASVENDEDOR"] = "/etc/passwd"
    drawer = job_body(args, "TAG-9-4")
    drawer["request"]["stNmCaixa"] = "Caixa \u0010\u0014\u0001\u0001\u0008"
    missing_key = job_body(args, "TAG-9-3")
    del missing_key["request"]["doVrTotGeral"]
    cases = [
        ("no token", "POST", "/v1/jobs", good, None, "k", 401, "Authorization"),
        ("unknown token", "POST", "/v1/jobs", good, "nobody", "k", 401, "token"),
        ("no key", "POST", "/v1/jobs", good, TILL_TOKENS["caixa-1"], None, 400, "Idempotency-Key"),
        ("not JSON", "POST", "/v1/jobs", "{nope", TILL_TOKENS["caixa-1"], "k1", 400, "JSON"),
        ("not an object", "POST", "/v1/jobs", [1], TILL_TOKENS["caixa-1"], "k2", 400, "object"),
        ("unknown printer", "POST", "/v1/jobs", dict(good, printer="cozinha"),
         TILL_TOKENS["caixa-1"], "k3", 400, "cozinha"),
        ("unknown document", "POST", "/v1/jobs", dict(good, document="nota"),
         TILL_TOKENS["caixa-1"], "k4", 400, "nota"),
        ("unknown key", "POST", "/v1/jobs", dict(good, copies=2), TILL_TOKENS["caixa-1"], "k5",
         400, "copies"),
        ("missing request key", "POST", "/v1/jobs", missing_key, TILL_TOKENS["caixa-1"], "k6",
         400, "doVrTotGeral"),
        ("packet named by a file", "POST", "/v1/jobs", file_packet, TILL_TOKENS["caixa-1"], "k7",
         400, "base64"),
        ("packet the package refuses", "POST", "/v1/jobs", bad_packet, TILL_TOKENS["caixa-1"],
         "k8", 422, "RelatorioVendedor_Tov00000"),
        ("a printer's real-time command in a text", "POST", "/v1/jobs", drawer,
         TILL_TOKENS["caixa-1"], "k10", 422, "DLE"),
        ("body too large", "POST", "/v1/jobs", "x" * (70 * 1024), TILL_TOKENS["caixa-1"], "k9",
         413, "larger"),
        ("unknown job", "GET", "/v1/jobs/999", None, TILL_TOKENS["caixa-1"], None, 404, "999"),
        ("no job id", "GET", "/v1/jobs/abc", None, TILL_TOKENS["caixa-1"], None, 404, "abc"),
        ("unknown state", "GET", "/v1/jobs?state=lost", None, MANAGER_TOKEN, None, 400, "lost"),
        ("wrong method", "PUT", "/v1/jobs", good, TILL_TOKENS["caixa-1"], None, 405, "PUT"),
        ("unknown path", "GET", "/v2/jobs", None, TILL_TOKENS["caixa-1"], None, 404, "/v2/jobs"),
    ]
    try:
        for name, method, path, body, token, key, expected, named in cases:
            status, answer, _ = service.call(method, path, body, token=token, key=key)
            check(status == expected, "%s: %s instead of %s (%s)" % (name, status, expected,
                                                                     answer))
            check(isinstance(answer, dict) and named in answer.get("error", ""),
                  "%s: the error does not name %r: %s" % (name, name, answer))
        check(service.jobs() == [], "a refused request left a job")
        # The same key with another body is refused; a key is the caller's own.
        first = service.call("POST", "/v1/jobs", good, key="same")
        check(first[0] == 201, "the good job: %s" % (first,))
        again = service.call("POST", "/v1/jobs", good, key="same")
        check(again[0] == 200 and again[1]["id"] == first[1]["id"], "the same again: %s"
              % (again,))
        other = service.call("POST", "/v1/jobs", job_body(args, "TAG-9-5"), key="same")
        check(other[0] == 409, "another body under the same key: %s" % (other,))
        other_till = service.call("POST", "/v1/jobs", good, key="same",
                                  token=TILL_TOKENS["caixa-2"])
        check(other_till[0] == 201 and other_till[1]["id"] != first[1]["id"],
              "keys are per caller: %s" % (other_till,))
        health = service.call("GET", "/v1/health", token=None)
        check(health[0] == 200, "health without a token")
        service.wait_until_settled([first[1]["id"], other_till[1]["id"]])
        check(len(service.jobs()) == 2, "jobs kept: %d" % len(service.jobs()))
        check([j["id"] for j in service.jobs(limit=1)] == [other_till[1]["id"], first[1]["id"]],
              "the pages of one job each")
        check(service.call("GET", "/v1/jobs?limit=0", token=MANAGER_TOKEN)[0] == 400, "limit 0")
        counts = tags_on_paper(sink)
        check(counts == {"TAG-9-0": 2}, "on paper: %s" % counts)
    finally:
        service.stop()
        sink.stop()


def case_full_queue(args):
    service = Service(args, {"caixa": {"address": "tcp://127.0.0.1:%d" % free_port(),
                                       "timeout": 1}}, queue_limit=2)
    service.start()
    try:
        submit(service, args, "TAG-1-0")
        submit(service, args, "TAG-1-1")
        status, answer, response = service.call("POST", "/v1/jobs", job_body(args, "TAG-1-2"),
                                                key="TAG-1-2")
        check(status == 503 and response.getheader("Retry-After") == "5", "full: %s" % status)
        check(len(service.jobs()) == 2, "the refused job was kept")
    finally:
        service.stop()


def case_tls(args):
    """With a certificate the API speaks HTTPS only."""
    certificate = os.path.join(args.work, "cert.pem")
    key = os.path.join(args.work, "key.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1",
                    "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                    "-keyout", key, "-out", certificate], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    sink = PaperSink()
    service = Service(args, {"caixa": {"address": "tcp://127.0.0.1:%d" % sink.port}},
                      tls=(certificate, key))
    service.start()
    try:
        check(service.call("GET", "/v1/health", token=None)[0] == 200, "health over HTTPS")
        job_id = submit(service, args, "TAG-1-0")
        service.wait_until_settled([job_id])
        check(tags_on_paper(sink) == {"TAG-1-0": 1}, "the job over HTTPS")
        plain = http.client.HTTPConnection("127.0.0.1", service.port, timeout=5)
        try:
            plain.request("GET", "/v1/health")
            answered = plain.getresponse().status
        except (OSError, http.client.HTTPException):
            answered = None
        finally:
            plain.close()
        check(answered != 200, "plain HTTP was answered on the HTTPS port")
    finally:
        service.stop()
        sink.stop()


def case_slow_clients(args):
    """Clients that open connections and send half a request hold no thread: the others are
    answered meanwhile, and nothing the slow ones sent is kept."""
    sink = PaperSink()
    service = Service(args, {"caixa": {"address": "tcp://127.0.0.1:%d" % sink.port}})
    service.start()
    slow = []
    try:
        for i in range(48):
            client = socket.create_connection(("127.0.0.1", service.port), timeout=5)
            if i % 2:
                client.sendall(b"POST /v1/jobs HTTP/1.1\r\nHost: x\r\nAuthorization: Bearer ")
            else:
                client.sendall(b"POST /v1/jobs HTTP/1.1\r\nHost: x\r\nContent-Length: 900"
                               b"\r\nAuthorization: Bearer " + TILL_TOKENS["caixa-1"].encode() +
                               b"\r\nIdempotency-Key: slow-%d\r\n\r\n{\"printer\"" % i)
            slow.append(client)
        for i in range(10):
            status = service.call("GET", "/v1/health", token=None, timeout=5)[0]
            check(status == 200, "health while slow clients wait: %s" % status)
        job_id = submit(service, args, "TAG-1-0")
        service.wait_until_settled([job_id])
        check(len(service.jobs()) == 1, "the slow clients' jobs were kept")
    finally:
        for client in slow:
            client.close()
        service.stop()
        sink.stop()


def case_kill_nine(args):
    """The service killed with SIGKILL at random moments while two tills send their jobs and
    send each again, with its key, until it is answered: every accepted job ends on paper
    exactly once, or unconfirmed and on paper at most once; none twice."""
    count = args.jobs or 2000
    sink = PaperSink()
    service = Service(args, {"caixa": {"address": "tcp://127.0.0.1:%d" % sink.port}})
    service.start()
    accepted = {}
    lock = threading.Lock()
    done = threading.Event()
    errors = []
    kills = [0]

    def till(name, number, share):
        try:
            for i in range(share):
                tag = "TAG-%d-%d" % (number, i)
                body = job_body(args, tag)
                for attempt in range(400):
                    if done.is_set() and errors:
                        return
                    try:
                        status, answer, _ = service.call("POST", "/v1/jobs", body,
                                                         token=TILL_TOKENS[name], key=tag,
                                                         timeout=10)
                    except (OSError, http.client.HTTPException):
                        time.sleep(0.05)
                        continue
                    check(status in (200, 201), "%s: %s %s" % (tag, status, answer))
                    with lock:
                        check(accepted.setdefault(tag, answer["id"]) == answer["id"],
                              "%s answered two jobs" % tag)
                    break
                else:
                    raise Failure("%s never answered" % tag)
        except Exception as error:  # noqa: BLE001 - reported below
            errors.append(error)

    def killer():
        generator = random.Random(int(os.environ.get("TOV_KILL_SEED", "1")))
        try:
            while not done.wait(generator.uniform(0.05, 0.3)):
                service.kill()
                kills[0] += 1
                service.start()
        except Exception as error:  # noqa: BLE001 - reported below
            errors.append(error)
            done.set()

    share = count // 2
    threads = [threading.Thread(target=till, args=(name, n, share))
               for n, name in enumerate(TILL_TOKENS, 1)]
    killing = threading.Thread(target=killer)
    try:
        for thread in threads:
            thread.start()
        killing.start()
        for thread in threads:
            thread.join(timeout=240)
        done.set()
        killing.join(timeout=30)
        check(not errors, "a till failed: %s" % errors[:1])
        check(len(accepted) == 2 * share, "%d of %d jobs accepted" % (len(accepted), 2 * share))
        service.wait_until_settled(accepted.values())
        jobs = {job["id"]: job for job in service.jobs()}
        check(len(jobs) == 2 * share, "the journal holds %d jobs for %d keys"
              % (len(jobs), 2 * share))
        counts = tags_on_paper(sink)
        unconfirmed = 0
        for tag, job_id in accepted.items():
            state = jobs[job_id]["state"]
            on_paper = counts.get(tag, 0)
            if state == "unconfirmed":
                unconfirmed += 1
                check(on_paper <= 1, "%s unconfirmed and on paper %d times" % (tag, on_paper))
            else:
                check(state == "sent" and on_paper == 1,
                      "%s %s and on paper %d times" % (tag, state, on_paper))
        check(max(counts.values(), default=0) <= 1, "a job on paper twice")
        check(kills[0] >= 3, "only %d kills: the jobs went too fast for the test" % kills[0])
        check_not_interleaved_per_service(sink)
        print("%d jobs, %d kills, %d unconfirmed" % (2 * share, kills[0], unconfirmed))
    finally:
        done.set()
        service.stop()
        sink.stop()


class EscPosPrinter:
    """The emulated ESC/POS printer of tests/support/escpos_printer/, which answers status
    requests and confirms what it printed; stopped by stop()."""

    def __init__(self, args, *faults):
        script = os.path.join(args.demo, "..", "..", "tests", "support", "escpos_printer",
                              "escpos_printer.js")
        self.process = subprocess.Popen([shutil.which("node"), script, *faults],
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        ports = json.loads(self.process.stdout.readline())
        self.port, self.control_port = ports["printer"], ports["control"]

    def control(self, **request):
        with socket.create_connection(("127.0.0.1", self.control_port), timeout=30) as channel:
            channel.sendall((json.dumps(request) + "\n").encode())
            answer = channel.makefile().readline()
        return json.loads(answer)

    def stop(self):
        self.process.stdin.close()
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


def printer_entry(service, name):
    found = [p for p in service.call("GET", "/v1/printers", token=MANAGER_TOKEN)[1]["printers"]
             if p["name"] == name]
    check(len(found) == 1, "no printer %s in GET /v1/printers" % name)
    return found[0]


def wait_for(condition, what, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return
        time.sleep(0.2)
    raise Failure("never: %s" % what)


def case_paper_out_mid_queue(args):
    """A printer that runs out of paper in the middle of a job: that job is not printed, the jobs
    after it wait in the queue, and they print once the paper is refilled."""
    printer = EscPosPrinter(args)
    service = Service(args, {"caixa": {"address": "tcp://127.0.0.1:%d" % printer.port,
                                       "profile": "escpos", "answers": True, "timeout": 3}})
    service.start()
    try:
        first = submit(service, args, "TAG-P-0")
        service.wait_until_settled([first])
        check(service.job(first)["state"] == "printed", "a confirmed job: %s" % service.job(first))
        printer.control(command="out-of-paper", after_lines=3)
        second = submit(service, args, "TAG-P-1")
        service.wait_until_settled([second])
        check(service.job(second)["state"] == "unconfirmed", "the job the paper ran out under: %s"
              % service.job(second))
        third = submit(service, args, "TAG-P-2")
        wait_for(lambda: printer_entry(service, "caixa")["status"] == "cannot_print",
                 "the printer shown out of paper")
        time.sleep(1.5)
        check(service.job(third)["state"] == "queued", "a job sent to a printer out of paper: %s"
              % service.job(third))
        printer.control(command="refill")
        service.wait_until_settled([third])
        check(service.job(third)["state"] == "printed", "the job after the refill: %s"
              % service.job(third))
    finally:
        service.stop()
        printer.stop()


def case_cover_open_status(args):
    """GET /v1/printers shows what the printer answers: an open cover, then that it can print."""
    printer = EscPosPrinter(args, "--cover-open")
    service = Service(args, {"caixa": {"address": "tcp://127.0.0.1:%d" % printer.port,
                                       "profile": "escpos", "answers": True, "timeout": 3}})
    service.start()
    try:
        wait_for(lambda: printer_entry(service, "caixa")["status"] == "cannot_print",
                 "the open cover shown")
        entry = printer_entry(service, "caixa")
        check("cover open" in (entry["reason"] or ""), "the reason: %s" % entry)
        printer.control(command="close-cover")
        wait_for(lambda: printer_entry(service, "caixa")["status"] == "can_print",
                 "the printer shown able to print once the cover is closed")
    finally:
        service.stop()
        printer.stop()


def case_device_printer(args):
    """A printer behind a device that carries its answers back (a USB printer's /dev/usb/lp*):
    its status is read, a job over it is confirmed printed, whole, and a paper end is shown."""
    printer = EscPosPrinter(args)
    script = os.path.join(args.demo, "..", "..", "tests", "support", "escpos_printer",
                          "device_link.py")
    link = subprocess.Popen([sys.executable, script, "--printer-port", str(printer.port)],
                            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    service = None
    try:
        device = json.loads(link.stdout.readline())["device"]
        service = Service(args, {"caixa": {"address": "file:" + device, "profile": "escpos",
                                           "answers": True, "timeout": 3}})
        service.start()
        wait_for(lambda: printer_entry(service, "caixa")["status"] == "can_print",
                 "the printer behind the device shown able to print")
        job = submit(service, args, "TAG-D-0")
        service.wait_until_settled([job])
        check(service.job(job)["state"] == "printed", "a job over the device: %s"
              % service.job(job))
        papers = [paper for paper in printer.control(command="papers")["papers"]
                  if paper["end"] == "cut" and "TAG-D-0" in paper["text"]]
        on_paper = [base64.b64decode(paper["bytes_base64"]) for paper in papers]
        expected = expected_job_bytes(args, "TAG-D-0", "escpos")
        check(on_paper == [expected], "the job's paper over the device is not tovprint's bytes: "
              "%r against %r" % ([p[:12] + b"..." + p[-12:] for p in on_paper],
                                 expected[:12] + b"..." + expected[-12:]))
        printer.control(command="out-of-paper", after_lines=0)
        wait_for(lambda: "out of paper" in (printer_entry(service, "caixa")["reason"] or ""),
                 "the paper end read over the device")
    finally:
        if service:
            service.stop()
        link.stdin.close()
        link.wait(timeout=10)
        printer.stop()


def check_not_interleaved_per_service(sink):
    # A killed service leaves its connection to be closed by the system while the next one may
    # already write: only the bytes of one job may be in each connection.
    for connection in sink.jobs():
        tags = set(TAG.findall(connection.data))
        check(len(tags) <= 1, "one connection carried several jobs: %s" % sorted(tags)[:5])


CASES = {name[len("case_"):]: function for name, function in globals().items()
         if name.startswith("case_")}


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("case", choices=sorted(CASES))
    parser.add_argument("--tovprintd", required=True)
    parser.add_argument("--library", required=True)
    parser.add_argument("--demo", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--jobs", type=int, default=int(os.environ.get("TOV_SERVICE_JOBS", "0")))
    args = parser.parse_args()
    for name in ("tovprintd", "library", "demo", "work"):
        setattr(args, name, os.path.abspath(getattr(args, name)))
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    started = time.monotonic()
    try:
        CASES[args.case](args)
    except Failure as failure:
        print("FAILED %s: %s" % (args.case, failure))
        return 1
    print("passed %s in %.1f s" % (args.case, time.monotonic() - started))
    return 0


if __name__ == "__main__":
    sys.exit(main())
