#!/usr/bin/env python3
"""The print console in a real browser: tovprintd started on 127.0.0.1 with the emulated ESC/POS
printer of tests/support/escpos_printer/ (which answers status requests and confirms its paper;
the connection of the first job is dropped, so that job is unconfirmed) and a printer that refuses
connections (off line, its jobs queued), jobs sent by two tills, one of them named with markup.
console_browser.mjs then drives the page in the system's headless Chromium, and runs the emulated
printer out of paper through its control channel to see the page show it. Afterwards the
emulated printer's paper log must hold the reprint the page asked for, marked as one, and the job
it cancelled must be cancelled. Every process and server it starts, it stops; every wait is
bounded.

    console_test.py --tovprintd BIN --library LIB --demo DATA/demo --work DIR
                    --node NODE --modules DIR --chromium BIN [--screenshot FILE]
"""

import argparse
import hashlib
import json
import os
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from service_test import (MANAGER_TOKEN, TILL_TOKENS, EscPosPrinter, Failure,  # noqa: E402
                          Service, check, free_port, job_body)

MARKUP_TILL = "<img src=x onerror=window.__tovMarkup=1>"
MARKUP_TOKEN = "markup-till-token"
REPRINT_MARK = "*** REIMPRESSAO ***"
# Past the status request that opens a job, inside the bill: the printer is left with part of it.
DROPPED_AFTER_BYTES = 200


def add_markup_till(service):
    """A till whose name holds markup: the page must show it as text."""
    with open(service.config_file) as file:
        config = json.load(file)
    config["callers"].append({"name": MARKUP_TILL, "role": "till",
                              "token_sha256": hashlib.sha256(MARKUP_TOKEN.encode()).hexdigest()})
    with open(service.config_file, "w") as out:
        json.dump(config, out)


def submit_as(service, args, tag, printer, token):
    body = job_body(args, tag, printer)
    body["request"]["stNmCaixa"] = "<b>" + tag + "</b> " + MARKUP_TILL
    status, answer, _ = service.call("POST", "/v1/jobs", body, token=token, key=tag)
    check(status == 201, "POST %s: %s %s" % (tag, status, answer))
    return answer["id"]


def wait_for(what, predicate, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    raise Failure("never came: %s" % what)


def run_browser(args, scenario_file):
    command = [args.node, os.path.join(HERE, "console_browser.mjs"), "--scenario", scenario_file]
    environment = dict(os.environ, NODE_PATH=os.path.join(args.modules, "node_modules"),
                       PUPPETEER_SKIP_DOWNLOAD="1")
    browser_test = subprocess.Popen(command, env=environment)
    try:
        status = browser_test.wait(timeout=240)
    except subprocess.TimeoutExpired:
        # SIGTERM first: puppeteer closes the browser it started before node ends.
        browser_test.terminate()
        try:
            browser_test.wait(timeout=15)
        except subprocess.TimeoutExpired:
            browser_test.kill()
            browser_test.wait()
        raise Failure("the browser's test did not end within 240 s")
    check(status == 0, "the browser's test failed (%d)" % status)


def cut_papers_holding(printer, tag):
    """The papers the emulated printer cut that hold tag."""
    papers = printer.control(command="papers")["papers"]
    return [paper for paper in papers if paper["end"] == "cut" and tag in paper["text"]]


def run(args):
    printer = EscPosPrinter(args)
    printers = {"caixa": {"address": "tcp://127.0.0.1:%d" % printer.port, "profile": "escpos",
                          "answers": True, "timeout": 3},
                "balcao": {"address": "tcp://127.0.0.1:%d" % free_port(), "timeout": 1}}
    service = Service(args, printers)
    add_markup_till(service)
    try:
        service.start()
        till = TILL_TOKENS["caixa-1"]
        # The first job's connection is dropped: unconfirmed, for the page to reprint. What the
        # printer kept of it is torn off, so that the next paper starts clean.
        printer.control(command="drop-after", bytes=DROPPED_AFTER_BYTES)
        unconfirmed = submit_as(service, args, "TAG-1-0", "caixa", till)
        service.wait_until_settled([unconfirmed])
        check(service.job(unconfirmed)["state"] == "unconfirmed", "the dropped job is not "
              "unconfirmed: %s" % service.job(unconfirmed))
        printer.control(command="reset")
        printed = submit_as(service, args, "TAG-1-1", "caixa", TILL_TOKENS["caixa-2"])
        markup = submit_as(service, args, "TAG-1-2", "caixa", MARKUP_TOKEN)
        service.wait_until_settled([printed, markup])
        for job in (printed, markup):
            check(service.job(job)["state"] == "printed", "a job the printer confirmed: %s"
                  % service.job(job))
        queued = [submit_as(service, args, "TAG-2-%d" % i, "balcao", till) for i in range(2)]
        wait_for("balcao reported as refusing", lambda: any(
            p["name"] == "balcao" and p["status"] == "cannot_print"
            for p in service.call("GET", "/v1/printers")[1]["printers"]))
        scenario = {
            "url": "http://127.0.0.1:%d/" % service.port,
            "printer_control_port": printer.control_port,
            "manager_token": MANAGER_TOKEN,
            "till_token": till,
            "till_name": "caixa-1",
            "markup_caller": MARKUP_TILL,
            "unconfirmed": unconfirmed,
            "queued": queued[0],
            "markup_job": markup,
            "chromium": args.chromium,
            "screenshot": args.screenshot or os.path.join(args.work, "console.png"),
            "phone_screenshot": os.path.join(args.work, "console-phone.png"),
        }
        scenario_file = os.path.join(args.work, "scenario.json")
        with open(scenario_file, "w") as out:
            json.dump(scenario, out)
        run_browser(args, scenario_file)
        # What the page did, seen from the service and the printer.
        check(service.job(queued[0])["state"] == "cancelled", "the job cancelled on the page: "
              "%s" % service.job(queued[0]))
        check(service.job(queued[1])["state"] == "queued", "the other queued job left its queue")
        reprints = [job for job in service.jobs() if job["reprint_of"] == unconfirmed]
        check(len(reprints) == 1 and reprints[0]["state"] == "printed",
              "the reprint asked on the page: %s" % reprints)
        on_paper = cut_papers_holding(printer, "TAG-1-0")
        check(len(on_paper) == 1 and on_paper[0]["text"].lstrip().startswith(REPRINT_MARK),
              "the reprint in the emulated printer's paper log: %d papers hold TAG-1-0%s"
              % (len(on_paper), "".join("\n" + paper["text"][:80] for paper in on_paper)))
        check(not cut_papers_holding(printer, "TAG-2-0"), "the cancelled job was printed")
    finally:
        service.stop()
        printer.stop()


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for name in ("tovprintd", "library", "demo", "work", "node", "modules", "chromium"):
        parser.add_argument("--" + name, required=True)
    parser.add_argument("--screenshot")
    args = parser.parse_args()
    for name in ("tovprintd", "library", "demo", "work", "modules"):
        setattr(args, name, os.path.abspath(getattr(args, name)))
    if args.screenshot:
        args.screenshot = os.path.abspath(args.screenshot)
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    started = time.monotonic()
    try:
        run(args)
    except Failure as failure:
        print("FAILED console: %s" % failure)
        return 1
    print("passed console in %.1f s" % (time.monotonic() - started))
    return 0


if __name__ == "__main__":
    sys.exit(main())
