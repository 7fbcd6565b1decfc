# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks, waits and the running of scenarios, each in a process of its own."""
import json
import os
import pathlib
import signal
import subprocess
import sys
import tempfile
import time
import traceback

ARTIFACTS = pathlib.Path(os.environ.get("SORVANTO_ARTIFACTS", "/tmp/sorvanto-artifacts"))
ARTIFACTS.mkdir(parents=True, exist_ok=True)
# The scenario this process runs, for the names of what it leaves in the artifacts.
scenario = pathlib.Path(sys.argv[0]).stem

class Failure(Exception):
    """A check that does not hold; its text says what was seen instead."""

def fail(why):
    raise Failure(why)

def check(holds, why):
    """Fails with why (a text, or a function that gives it then) unless holds."""
    if not holds:
        fail(why() if callable(why) else why)

class Findings:
    """Checks that let the run go on, so that one run lists every fault: see() says each that does
    not hold, and if told each that does, with what was seen; done() fails if any did not."""

    def __init__(self, tell=False):
        self.faults, self.tell = [], tell

    def see(self, holds, why, seen=""):
        if self.tell or not holds:
            print("ok  " if holds else "FAIL:", why + (f" ({seen})" if seen else ""), flush=True)
        if not holds:
            self.faults.append(why)

    def done(self, *more):
        check(not self.faults, lambda: "\n".join([f"{len(self.faults)} failed: {'; '.join(self.faults)}", *more]))

def succeeds(*command):
    """The command, quietly, ends with status 0."""
    return subprocess.run(list(map(str, command)), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0

def output(*command, **options):
    """What the command writes to its standard output; fails the check when it fails."""
    done = subprocess.run(list(map(str, command)), capture_output=True, text=True, **options)
    check(done.returncode == 0, lambda: f"{' '.join(map(str, command))}: status {done.returncode}: {done.stderr}")
    return done.stdout

def within(seconds, probe):
    """probe()'s first true answer within the time, else its last answer; a probe that raises
    answers no (a window or an accessible may vanish while it is asked)."""
    deadline = time.monotonic() + seconds
    while True:
        try:
            found = probe()
        except Failure:
            raise
        except Exception:
            found = None
        if found or time.monotonic() >= deadline:
            return found
        time.sleep(0.1)

def until(seconds, probe, why):
    """probe()'s first true answer within the time; else fails with why."""
    found = within(seconds, probe)
    check(found, why)
    return found

def timed(seconds, probe, why):
    """How long until() waited."""
    started = time.monotonic()
    until(seconds, probe, why)
    return time.monotonic() - started

def _child(name, function, result):
    global scenario
    scenario = name
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("ended from outside"))
    try:
        passed, value = True, function()
    except Failure as failure:
        passed, value = False, str(failure)
        print("FAIL:", value)
    except BaseException as fault:
        traceback.print_exc()
        passed, value = False, f"the check broke: {fault!r}"
    sys.stdout.flush()
    sys.stderr.flush()
    os.write(result, json.dumps([passed, value]).encode())
    return 0 if passed else 1

def outcomes(scenarios, jobs=None, told=lambda *_: None):
    """Runs each (name, function) in a process of its own, at most jobs at once; returns
    {name: (passed, what the function returned or why it failed, what it printed)}, and tells each
    as it ends. The processes end, their desktops with them, when this one is asked to end."""
    pending, running, done = list(scenarios), {}, {}

    def stop(*_):
        pending.clear()
        for pid in running:
            os.kill(pid, signal.SIGTERM)
    signal.signal(signal.SIGTERM, stop)
    while pending or running:
        while pending and len(running) < (jobs or len(scenarios)):
            name, function = pending.pop(0)
            out, result = tempfile.TemporaryFile(), tempfile.TemporaryFile()
            sys.stdout.flush()
            sys.stderr.flush()
            pid = os.fork()
            if pid == 0:
                os.dup2(out.fileno(), 1)
                os.dup2(out.fileno(), 2)
                os._exit(_child(name, function, result.fileno()))
            running[pid] = name, out, result
        pid, _ = os.wait()
        name, out, result = running.pop(pid)
        out.seek(0)
        result.seek(0)
        passed, value = json.loads(result.read() or b'[false, "ended without a verdict"]')
        done[name] = passed, value, out.read().decode(errors="replace")
        told(name, *done[name])
    return done

def run(*scenarios, jobs=None):
    """Runs the scenarios (functions, or pairs of a name and a function), each on a desktop of its
    own, all at once unless jobs says otherwise; SCENARIOS, names apart by spaces, keeps some.
    Prints what each said and what it returned, a summary of what held, and exits with status 1
    when any failed."""
    named = [s if isinstance(s, tuple) else (s.__name__, s) for s in scenarios]
    wanted = os.environ.get("SCENARIOS", "").split()
    named = [(n, f) for n, f in named if not wanted or n in wanted]

    def tell(name, passed, value, output):
        verdict = ("holds" + (f": {value}" if value else "")) if passed else "FAILS"
        print(*([f"== {name}", output.rstrip()] if output.strip() else []), f"{name}: {verdict}", sep="\n", flush=True)
    failed = [name for name, (passed, _, _) in outcomes(named, jobs, tell).items() if not passed]
    if failed:
        print(f"{len(failed)} of {len(named)} failed: {' '.join(failed)}")
    sys.exit(1 if failed or not named else 0)
