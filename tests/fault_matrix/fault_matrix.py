#!/usr/bin/env python3
"""The fault matrix: breaks the browser under Vorlane and checks what Vorlane
does about it.

  tests/fault_matrix/fault_matrix.py --build BUILD [--trials 50] [--page-trials 30]
                                     [--stop-seconds 10] [--timing enforce|report]

Kinds of trial, each against a headless Chromium of the script's own (a
temporary profile, a free loopback port) whose pages come from a loopback
HTTP server of the script's own:

  kill/<command>   The browser is killed (SIGKILL) at a moment drawn
                   uniformly from 0 to 300 ms after vorlane-cli started
                   `tabs`, `elements HANDLE` or `set-value HANDLE ITEM TEXT`
                   (kill/elements@rows: after `elements` wrote its first
                   row, so that the kill lands in the listing), or after
                   the main window's first refresh began (fault_probe
                   window). The browser shows a page of about 10,000
                   elements and --small-tabs small ones. Rules: no crash,
                   no hang (still running 5 s and a call's deadline after
                   the fault); vorlane-cli exits 0 only with
                   its whole, right output and nothing on stderr, else 1 or 2
                   with exactly one line on stderr and on stdout what was
                   listed before the failure: whole rows, each the true one
                   of its place (set-value: nothing); the main window ends with
                   an empty list and a status panel saying that the browser
                   is not answering. Timed (see --timing): nothing waits on
                   the dead browser for a call's deadline.
  close|navigate/<op>
                   A tab is closed, or navigates elsewhere, at a moment drawn
                   uniformly from the operation's undisturbed duration after
                   the page model began a search or a row fill (fault_probe
                   page). Rules: no crash, no hang; every cell the model
                   gives as read holds the element's true value, the others
                   are neutral (unavailable) or failed with error 462 or 70;
                   a search finds only elements that match.
  stop/window      The browser is stopped (SIGSTOP) for --stop-seconds while
                   the main window refreshes, then resumed (SIGCONT).
                   Figures: the longest UI-thread stall, the ticks' total
                   stall, the longest tick after the first stall until the
                   resume, the ticks after the resume until the list is
                   right. Targets: at most 2.5 s stalled in all, every later
                   tick at most 10 ms, the list right within two ticks, and
                   the status panel saying the browser is not answering
                   after the first stall. With --timing report (the CTest
                   form) these targets are reported, not enforced.

A trial whose command ends before the fault lands counts as finished first:
its output must then be whole and right. The script builds nothing; it
prints a table and exits 1 when any trial broke a rule. However it ends,
by SIGTERM, SIGINT or SIGHUP too, the browsers and programs it started end
with it.
"""
import argparse
import json
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import urllib.error
import urllib.request
from concurrent.futures import ThreadPoolExecutor
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from pathlib import Path

LONG_TEXT = "abcdefghij" * 90_000  # 900,000 characters, read in pieces
HANG_GRACE_S = 5.0


# ---------------------------------------------------------------- pages

class BigPage:
    """A page of about `count` elements. Every element's id is
    e<position>-<TAG>, its position in document.all, so that any cell read
    can be checked against the element it claims to come from."""

    def __init__(self, count):
        self.expected = []  # position -> dict(tag, id, name, value, text)
        parts = []

        def element(tag, open_tag, inner="", close=True, name=None, value=None, text=None):
            k = len(self.expected)
            eid = f"e{k}-{tag}"
            self.expected.append({"tag": tag, "id": eid, "name": name, "value": value, "text": text})
            attrs = open_tag.format(id=eid, k=k)
            return f"<{tag.lower()} {attrs}>" + (f"{inner}</{tag.lower()}>" if close else "")

        # The head, with the script that sends the page elsewhere when the
        # server answers its request (the navigate trials).
        html_open = element("HTML", 'id="{id}"', close=False)
        head_open = element("HEAD", 'id="{id}"', close=False)
        meta = element("META", 'charset="utf-8" id="{id}"', close=False, name="")
        title = element("TITLE", 'id="{id}"', "big", text="big")
        script = element("SCRIPT", 'id="{id}"',
                         "fetch('/hold?t=' + new URLSearchParams(location.search).get('t'))"
                         ".then(r => r.text()).then(u => { if (u) location.href = u; });")
        body_open = element("BODY", 'id="{id}"', close=False)
        long_p = element("P", 'id="{id}" hidden', LONG_TEXT, text=LONG_TEXT)  # no layout of one 900,000-letter word
        parts += [html_open, head_open, meta, title, script, "</head>", body_open, long_p]
        while len(self.expected) < count:
            k = len(self.expected)
            kind = k % 4
            if kind == 0:
                parts.append(element("INPUT", 'id="{id}" name="n{k}" value="v{k}"', close=False,
                                     name=f"n{k}", value=f"v{k}", text=""))
            elif kind == 1:
                parts.append(element("B", 'id="{id}"', f"needle {k}", text=f"needle {k}"))
            elif kind == 2:
                parts.append(element("A", 'id="{id}" href="http://a.test/{k}"', f"link {k}",
                                     name="", text=f"link {k}"))
            else:
                parts.append(element("SPAN", 'id="{id}"', f"text {k}", text=f"text {k}"))
        parts.append("</body></html>")
        self.html = ("<!doctype html>" + "".join(parts)).encode("utf-8")
        self.matches = [k for k, e in enumerate(self.expected) if e["tag"] == "B"]
        self.first_input = next(k for k, e in enumerate(self.expected) if e["tag"] == "INPUT")


class PageServer:
    """Serves the big page, small pages and the page navigations go to; a
    /hold request waits until the trial releases it with an address."""

    def __init__(self, big):
        self.big = big
        self.holds = {}
        self.lock = threading.Lock()
        server = self

        class Handler(BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.1"

            def log_message(self, *args):
                pass

            def do_GET(self):
                path, _, query = self.path.partition("?")
                params = dict(p.split("=", 1) for p in query.split("&") if "=" in p)
                if path == "/big.html":
                    return self.send(server.big.html)
                if path.startswith("/small/"):
                    n = path[len("/small/"):].split(".")[0]
                    return self.send(f"<!doctype html><title>small {n}</title><p>page {n}</p>".encode())
                if path == "/other.html":
                    return self.send(b"<!doctype html><title>other</title><p id=elsewhere>elsewhere</p>")
                if path == "/hold":
                    with server.lock:
                        hold = server.holds.get(params.get("t"))
                    if hold is None:
                        return self.send(b"", "text/plain")
                    hold["event"].wait(120)
                    return self.send(hold.get("to", "").encode(), "text/plain")
                self.send_response(404)
                self.send_header("Content-Length", "0")
                self.end_headers()

            def send(self, body, kind="text/html; charset=utf-8"):
                try:
                    self.send_response(200)
                    self.send_header("Content-Type", kind)
                    self.send_header("Content-Length", str(len(body)))
                    self.send_header("Cache-Control", "no-store")
                    self.end_headers()
                    self.wfile.write(body)
                except OSError:
                    pass

        self.httpd = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.httpd.daemon_threads = True
        self.port = self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def url(self, path):
        return f"http://127.0.0.1:{self.port}{path}"

    def hold(self, trial):
        with self.lock:
            self.holds[trial] = {"event": threading.Event()}

    def release(self, trial, to):
        with self.lock:
            hold = self.holds.get(trial)
        if hold:
            hold["to"] = to
            hold["event"].set()

    def close(self):
        with self.lock:
            for hold in self.holds.values():
                hold["event"].set()
        self.httpd.shutdown()


# ---------------------------------------------------------------- processes

def processes():
    """(pid, state, parent, process group) of every process there is."""
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            stat = Path("/proc", entry, "stat").read_text()
        except OSError:
            continue
        state, parent, group = stat[stat.rindex(")") + 2:].split()[:3]
        yield int(entry), state, int(parent), int(group)


class Children:
    """What the script starts, so that it ends with the script however that
    ends. A browser leads a process group of its own, which its helpers
    join; vorlane-cli and fault_probe are plain children."""

    def __init__(self):
        # Held across a start until the child is known, and for good once
        # the script is ending, so that nothing starts after the last sweep.
        self.lock = threading.RLock()
        self.groups = set()
        self.folders = set()

    def start(self, argv, group=False, **kwargs):
        with self.lock:
            proc = subprocess.Popen(argv, start_new_session=group, **kwargs)
            if group:
                self.groups.add(proc.pid)
            return proc

    @staticmethod
    def wait_gone(groups):
        """Until no process of the groups runs: a helper that outlives its
        browser may still write into the profile. Bounded, for a process
        that a kill cannot end at once."""
        until = time.monotonic() + 10
        while time.monotonic() < until:
            if not any(group in groups and state not in "ZX" for _, state, _, group in processes()):
                return
            time.sleep(0.02)

    def end_group(self, leader):
        try:
            os.killpg(leader, signal.SIGKILL)
        except (ProcessLookupError, PermissionError):
            pass
        self.wait_gone({leader})
        with self.lock:
            self.groups.discard(leader)

    def end_all(self, signum, _frame):
        """The signal handler: ends every child and its group, removes the
        folders and ends the script by the same signal."""
        self.lock.acquire()
        me = os.getpid()
        groups = set(self.groups)
        # A child whose start the signal cut short is known to /proc only.
        for pid, _state, parent, group in processes():
            if parent != me:
                continue
            if group == pid:
                groups.add(pid)
            else:
                try:
                    os.kill(pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
        for group in groups:
            try:
                os.killpg(group, signal.SIGKILL)
            except (ProcessLookupError, PermissionError):
                pass
        self.wait_gone(groups)
        for folder in self.folders:
            shutil.rmtree(folder, ignore_errors=True)
        signal.signal(signum, signal.SIG_DFL)
        os.kill(me, signum)
        os._exit(128 + signum)


CHILDREN = Children()


# ---------------------------------------------------------------- browser

class Browser:
    """A headless Chromium with a temporary profile on a port it picks."""

    def __init__(self):
        program = os.environ.get("VORLANE_CHROMIUM") or shutil.which("chromium")
        if not program:
            raise RuntimeError("chromium is not installed")
        self.profile = tempfile.mkdtemp(prefix="vorlane-faults-profile-")
        CHILDREN.folders.add(self.profile)
        args = [program, "--headless=new", "--no-first-run", "--no-default-browser-check",
                "--disable-background-networking", "--disable-component-update", "--disable-sync",
                "--disable-quic", "--disable-gpu", "--window-size=1024,768",
                "--remote-debugging-address=127.0.0.1", "--remote-debugging-port=0",
                f"--user-data-dir={self.profile}", "about:blank"]
        if os.geteuid() == 0:
            args.insert(1, "--no-sandbox")
        # Chromium leaves a folder for its single-instance socket in TMPDIR
        # whenever it is stopped; within the profile, it goes with the profile.
        temp = os.path.join(self.profile, "tmp")
        os.mkdir(temp)
        # A group of its own, which its helpers join, so that all end together.
        self.proc = CHILDREN.start(args, group=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   env=dict(os.environ, TMPDIR=temp))
        self.port = 0
        deadline = time.monotonic() + 30
        active = Path(self.profile) / "DevToolsActivePort"
        while time.monotonic() < deadline:
            try:
                first = active.read_text().splitlines()[0]
                self.port = int(first)
                if self.port:
                    break
            except (OSError, ValueError, IndexError):
                pass
            if self.proc.poll() is not None:
                break
            time.sleep(0.05)
        if not self.port:
            self.stop()
            raise RuntimeError("chromium did not open its debugging port")
        self.endpoint = f"http://127.0.0.1:{self.port}"

    @property
    def pid(self):
        return self.proc.pid

    def http(self, path, method="GET", timeout=5):
        request = urllib.request.Request(self.endpoint + path, method=method)
        with urllib.request.urlopen(request, timeout=timeout) as answer:
            return answer.read()

    def open_tab(self, url):
        return json.loads(self.http("/json/new?" + url, method="PUT"))["id"]

    def close_tab(self, target):
        try:
            self.http("/json/close/" + target)
        except (urllib.error.URLError, OSError):
            pass

    def kill(self):
        try:
            self.proc.send_signal(signal.SIGKILL)
        except ProcessLookupError:
            pass

    def stop(self):
        if self.proc.poll() is None:
            try:
                # Its helpers too: the browser leads a session of its own.
                os.killpg(self.proc.pid, signal.SIGCONT)
                os.killpg(self.proc.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait(5)
        CHILDREN.end_group(self.proc.pid)
        shutil.rmtree(self.profile, ignore_errors=True)
        CHILDREN.folders.discard(self.profile)


# ---------------------------------------------------------------- runs

class Pipe:
    """A child's output, read to its end on a thread of its own, so that the
    child never waits on a full pipe and a trial can wait for its first
    bytes; what is checked is every byte the child wrote."""

    def __init__(self, stream):
        self.data = bytearray()
        self.ended = False
        self.changed = threading.Condition()
        self.thread = threading.Thread(target=self.read, args=(stream.fileno(),), daemon=True)
        self.thread.start()

    def read(self, fd):
        while True:
            try:
                chunk = os.read(fd, 1 << 16)
            except OSError:
                chunk = b""
            with self.changed:
                self.data += chunk
                self.ended = not chunk
                self.changed.notify_all()
            if not chunk:
                return

    def wait_for(self, enough, timeout):
        """What came until enough(it) held, the output ended or the time ran out."""
        with self.changed:
            self.changed.wait_for(lambda: self.ended or enough(self.data), timeout)
            return bytes(self.data)

    def all(self):
        self.thread.join()
        return bytes(self.data)


class Child:
    def __init__(self, proc):
        self.proc = proc
        self.out = Pipe(proc.stdout)
        self.err = Pipe(proc.stderr)


class Run:
    def __init__(self, code, out, err, seconds, hung):
        self.code = code
        self.out = out
        self.err = err
        self.seconds = seconds
        self.hung = hung

    @property
    def crashed(self):
        return self.code is not None and self.code < 0 and not self.hung

    def err_lines(self):
        return [line for line in self.err.splitlines() if line.strip()]


class Matrix:
    def __init__(self, args):
        self.args = args
        self.cli = args.cli
        self.probe = args.probe
        self.deadline_s = args.call_timeout_ms / 1000 if args.call_timeout_ms else 2.0
        self.state = tempfile.mkdtemp(prefix="vorlane-faults-")
        CHILDREN.folders.add(self.state)
        os.chmod(self.state, 0o700)
        self.env = dict(os.environ)
        self.env["VORLANE_CONFIG_DIR"] = os.path.join(self.state, "config")
        self.env["VORLANE_RUNTIME_DIR"] = os.path.join(self.state, "runtime")
        self.env.setdefault("QT_QPA_PLATFORM", "offscreen")
        for folder in ("config", "runtime"):
            os.makedirs(os.path.join(self.state, folder), mode=0o700)
        if args.call_timeout_ms:
            self.env["VORLANE_CALL_TIMEOUT_MS"] = str(args.call_timeout_ms)
        else:
            self.env.pop("VORLANE_CALL_TIMEOUT_MS", None)
        self.big = BigPage(args.elements)
        self.server = PageServer(self.big)
        self.rng = random.Random(args.seed)
        self.results = {}  # kind -> list of dicts
        self.durations = {}  # op -> undisturbed seconds
        self.figures = []

    def close(self):
        self.server.close()
        shutil.rmtree(self.state, ignore_errors=True)
        CHILDREN.folders.discard(self.state)

    def start(self, argv):
        return Child(CHILDREN.start(argv, stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=self.env))

    # A process with a deadline: the calls' own plus the grace; past it the
    # process is killed and the run counted as a hang.
    def finish(self, child, started, limit):
        try:
            child.proc.wait(timeout=max(0.1, limit - (time.monotonic() - started)))
            hung = False
        except subprocess.TimeoutExpired:
            child.proc.kill()
            child.proc.wait()
            hung = True
        return Run(child.proc.returncode, child.out.all().decode("utf-8", "replace"),
                   child.err.all().decode("utf-8", "replace"), time.monotonic() - started, hung)

    def cli_run(self, browser, args, limit=None):
        started = time.monotonic()
        child = self.start([self.cli, "--endpoint", browser.endpoint] + args)
        return self.finish(child, started, limit or 60)

    def tabs_json(self, browser):
        run = self.cli_run(browser, ["tabs", "--json"], limit=30)
        if run.code != 0:
            return None
        try:
            return json.loads(run.out)
        except ValueError:
            return None

    def wait_loaded(self, browser, urls, timeout=30):
        """The tabs listing once every url shows, loaded; None on time-out."""
        deadline = time.monotonic() + timeout
        # The browser's own list first: a page has its title once parsed.
        while time.monotonic() < deadline:
            try:
                listed = {t["url"]: t["title"] for t in json.loads(browser.http("/json/list"))}
            except (OSError, ValueError):
                listed = {}
            if all(listed.get(u) not in (None, "", u) for u in urls):
                break
            time.sleep(0.05)
        while time.monotonic() < deadline:
            rows = self.tabs_json(browser)
            if rows is not None:
                shown = {row["url"]: row for row in rows}
                if all(u in shown and shown[u]["readyState"] == 4 for u in urls):
                    return rows
            time.sleep(0.1)
        return None

    def browser_with_tabs(self):
        """A fresh browser with the big page and the small ones loaded: the
        browser, the tabs listing and the big page's handle."""
        urls = [self.server.url("/big.html?t=k")]
        urls += [self.server.url(f"/small/{i}.html") for i in range(self.args.small_tabs)]
        browser = Browser()
        try:
            # Opened side by side: one at a time costs a second or two.
            with ThreadPoolExecutor(8) as pool:
                list(pool.map(browser.open_tab, urls))
            rows = self.wait_loaded(browser, urls)
            if rows is None:
                raise RuntimeError("the tabs did not load")
            rows = [row for row in rows if row["url"] in urls]
            handle = next(row["handle"] for row in rows if row["url"] == urls[0])
            return browser, rows, handle
        except Exception:
            browser.stop()
            raise

    def prepared(self, count):
        """count fresh browsers with their tabs, each made ready while the
        trial before it runs, since a browser is killed with its trial."""
        with ThreadPoolExecutor(1) as pool:
            future = pool.submit(self.browser_with_tabs) if count > 0 else None
            try:
                for i in range(count):
                    current, future = future.result(), None
                    if i + 1 < count:
                        future = pool.submit(self.browser_with_tabs)
                    try:
                        yield current
                    finally:
                        current[0].stop()
            finally:
                if future is not None:
                    try:
                        future.result()[0].stop()
                    except Exception:
                        pass

    def record(self, kind, outcome, faults, **extra):
        entry = {"outcome": outcome, "faults": faults}
        entry.update(extra)
        self.results.setdefault(kind, []).append(entry)
        stderr = entry.get("stderr", "")
        if self.args.logs and faults and stderr:
            # With QT_LOGGING_RULES="vorlane.devtools.debug=true", the protocol traffic.
            os.makedirs(self.args.logs, exist_ok=True)
            name = f"{kind.replace('/', '-')}-{len(self.results[kind])}.log"
            Path(self.args.logs, name).write_text(stderr, encoding="utf-8")
        entry["stderr"] = stderr.strip()[:300]
        if self.args.verbose:
            print(f"  {kind} #{len(self.results[kind])}: {outcome}" + (f": {'; '.join(faults)}" if faults else ""),
                  file=sys.stderr, flush=True)

    # ------------------------------------------------------------ checks

    def check_cli_exit(self, run, output):
        """The rule of a vorlane-cli run killed under it: (outcome, faults).
        output(out, whole, said) checks what it wrote: rows that are each
        right, and with whole all of them."""
        if run.hung:
            return "hang", [f"still running after {run.seconds:.1f} s"]
        if run.crashed:
            return "crash", [f"ended by signal {-run.code}: {run.err.strip()[:200]}"]
        lines = run.err_lines()
        if run.code == 0:
            faults = output(run.out, True, "exit 0")
            if lines:
                faults.append(f"exit 0 with stderr: {lines[0][:200]}")
            return "finished first", faults
        if run.code in (1, 2):
            # What was listed before the failure still reaches the reader,
            # but only as whole rows that are true.
            faults = output(run.out, False, f"exit {run.code}")
            if len(lines) != 1:
                faults.append(f"exit {run.code} with {len(lines)} lines on stderr: "
                              + " | ".join(line[:160] for line in lines[:3]))
            elif not lines[0].startswith("vorlane-cli: ") or len(lines[0]) < len("vorlane-cli: ") + 10:
                faults.append(f"exit {run.code} with an unclear line: {lines[0][:200]}")
            return f"exit {run.code}", faults
        return f"exit {run.code}", [f"exit status {run.code}"]

    @staticmethod
    def rows_of(out, total, whole, said, what):
        """The lines of out, and the faults of their number and of a line
        cut short at the end."""
        lines = out.split("\n")
        cut = lines.pop()
        faults = [f"{said} with a cut line at the end: {cut[:120]!r}"] if cut else []
        if len(lines) > total or (whole and len(lines) != total):
            faults.append(f"{said} with {len(lines)} of {total} {what}")
        return lines[:total], faults

    def tabs_output(self, rows):
        def check(out, whole, said):
            lines, faults = self.rows_of(out, len(rows), whole, said, "tabs")
            for line, row in zip(lines, rows):
                fields = line.split("\t")
                want = [str(row["no"]), row["state"], row["url"], row["title"], row["handle"]]
                if fields != want:
                    faults.append(f"{said} with a wrong row: {fields!r}, not {want!r}")
                    break
            return faults
        return check

    def elements_output(self, out, whole, said):
        lines, faults = self.rows_of(out, len(self.big.expected), whole, said, "elements")
        for k, (line, want) in enumerate(zip(lines, self.big.expected)):
            fields = line.split("\t")
            if len(fields) != 12:
                return faults + [f"{said} with a malformed row {k}: {line[:120]!r}"]
            no, item, tag, _type, _click, name, value, _alt, _href, text, _inner, eid = fields
            problems = []
            if no != str(k + 1) or item != str(k):
                problems.append(f"numbered {no}/{item}")
            if tag != want["tag"]:
                problems.append(f"tagName {tag!r}")
            if eid != want["id"]:
                problems.append(f"id {eid!r}")
            if want["value"] is not None and value != want["value"]:
                problems.append(f"value {value!r}")
            if want["name"] is not None and name != want["name"]:
                problems.append(f"name {name!r}")
            if want["text"] is not None and text != want["text"]:
                problems.append(f"innerText of {len(text)} characters, not {len(want['text'])}")
            if problems:
                return faults + [f"{said} with row {k} wrong: " + ", ".join(problems)]
        return faults

    # ------------------------------------------------------------ kill trials

    def kill_cli(self, name, args_for, from_first_row=False):
        """With from_first_row, the delay counts from the first byte of
        output, so that the kill lands in the listing itself."""
        kind = f"kill/{name}" + ("@rows" if from_first_row else "")
        for browser, rows, handle in self.prepared(self.args.trials):
            delay = self.rng.uniform(0, 0.3)
            started = time.monotonic()
            child = self.start([self.cli, "--endpoint", browser.endpoint] + args_for(handle))
            if from_first_row:
                child.out.wait_for(bool, 60)
                counted_from = time.monotonic()
            else:
                counted_from = started
            time.sleep(max(0.0, delay - (time.monotonic() - counted_from)))
            ended_first = child.proc.poll() is not None
            browser.kill()
            # A hang: still running 5 s and a call's deadline after the kill.
            killed = time.monotonic()
            run = self.finish(child, killed, self.deadline_s + HANG_GRACE_S)
            after_kill = time.monotonic() - killed
            run.seconds = time.monotonic() - started
            if name == "tabs":
                output = self.tabs_output(rows)
            elif name == "elements":
                output = self.elements_output
            else:
                output = lambda out, whole, said: [f"{said} with {out[:80]!r} on stdout"] if out else []
            outcome, faults = self.check_cli_exit(run, output)
            if not ended_first:
                faults += self.waited_out(after_kill)
            self.record(kind, outcome, faults, delay_ms=round(delay * 1000), seconds=run.seconds,
                        after_fault_ms=after_kill * 1000, ended_first=ended_first, stderr=run.err)

    def kill_window(self):
        kind = "kill/window"
        for browser, rows, _handle in self.prepared(self.args.trials):
            delay = self.rng.uniform(0, 300)
            run = self.probe_run(["window", "--endpoint", browser.endpoint, "--browser-pid",
                                  str(browser.pid), "--expect", ",".join(r["url"] for r in rows),
                                  "--fault", "kill", "--after-ms", str(int(delay))],
                                 limit=25 + 3 + self.deadline_s * 2 + HANG_GRACE_S)
            outcome, faults, report = self.check_probe(run)
            if report is not None:
                if report.get("setUpFailed"):
                    faults.append("the list never came right before the fault")
                if report.get("finalRows") != 0:
                    faults.append(f"{report.get('finalRows')} rows listed after the kill")
                if not report.get("finalNotAnswering"):
                    faults.append(f"the status panel says {report.get('finalStatus')!r} after the kill")
                if report.get("longestGapMs", 0) > HANG_GRACE_S * 1000:
                    faults.append(f"the UI thread stalled {report['longestGapMs']:.0f} ms")
                if report.get("messageBoxes"):
                    faults.append(f"{report['messageBoxes']} message boxes")
                faults += self.waited_out(report.get("longestTickAfterFaultMs", 0) / 1000)
                outcome = "during a tick" if report.get("faultDuringTick") else "between ticks"
            self.record(kind, outcome, faults, delay_ms=round(delay), report=report,
                        after_fault_ms=(report or {}).get("longestTickAfterFaultMs"), stderr=run.err)

    def waited_out(self, seconds):
        """A dead browser answers nothing: whatever waits on it after the
        kill has failed or ended well before a call's deadline. A timing
        rule, enforced only with --timing enforce."""
        if seconds < self.deadline_s:
            return []
        text = f"[timing] {seconds * 1000:.0f} ms after the kill (a call's deadline is {self.deadline_s * 1000:.0f} ms)"
        return [text] if self.args.timing == "enforce" else []

    def probe_run(self, args, limit):
        started = time.monotonic()
        return self.finish(self.start([self.probe] + args), started, limit)

    def check_probe(self, run):
        if run.hung:
            return "hang", [f"fault_probe still running after {run.seconds:.1f} s"], None
        if run.crashed:
            return "crash", [f"fault_probe ended by signal {-run.code}: {run.err.strip()[:200]}"], None
        if run.code != 0:
            return f"exit {run.code}", [f"fault_probe failed: {run.err.strip()[:300]}"], None
        try:
            return "ran", [], json.loads(run.out.strip().splitlines()[-1])
        except (ValueError, IndexError):
            return "garbled", [f"fault_probe printed {run.out[:200]!r}"], None

    # ------------------------------------------------------------ stop trial

    def stop_window(self):
        kind = "stop/window"
        for _ in range(self.args.stop_trials):
            browser, rows, _handle = self.browser_with_tabs()
            try:
                stopped_ms = int(self.args.stop_seconds * 1000)
                run = self.probe_run(["window", "--endpoint", browser.endpoint, "--browser-pid",
                                      str(browser.pid), "--expect", ",".join(r["url"] for r in rows),
                                      "--fault", "stop", "--after-ms", "1500", "--stopped-ms", str(stopped_ms)],
                                     limit=25 + 1.5 + self.args.stop_seconds + 3 + self.deadline_s * 2
                                     + HANG_GRACE_S)
                outcome, faults, report = self.check_probe(run)
                timing = []
                if report is not None:
                    outcome = "resumed"
                    if report.get("setUpFailed") or "stallTotalMs" not in report:
                        faults.append("the list never came right before the stop")
                    else:
                        self.figures.append(report)
                        if report["longestGapMs"] > HANG_GRACE_S * 1000 + self.deadline_s * 1000:
                            faults.append(f"the UI thread stalled {report['longestGapMs']:.0f} ms")
                        if report["stallTotalMs"] > 2500:
                            timing.append(f"{report['stallTotalMs']:.0f} ms stalled in all (target 2500)")
                        if report["longestTickAfterStallMs"] > 10:
                            timing.append(f"a later tick took {report['longestTickAfterStallMs']:.1f} ms (target 10)")
                        if report["stallFirstAtMs"] < 0:
                            timing.append("no tick waited for the stopped browser")
                        elif report["notAnsweringTicksAfterStall"] != report["ticksAfterStallUntilResume"]:
                            timing.append(f"the status panel said the browser is not answering at "
                                          f"{report['notAnsweringTicksAfterStall']} of "
                                          f"{report['ticksAfterStallUntilResume']} ticks after the stall")
                        right = report["ticksAfterResumeUntilRight"]
                        if right < 0 or right > 2:
                            timing.append(f"the list was right {right} ticks after the resume (target 2)")
                        if not report.get("finalListRight"):
                            faults.append("the list is not right at the end")
                    if self.args.timing == "enforce":
                        faults += timing
                    elif timing and self.args.verbose:
                        print("  stop/window (timing, reported only): " + "; ".join(timing), file=sys.stderr)
                self.record(kind, outcome, faults, report=report, timing=timing, stderr=run.err)
            finally:
                browser.stop()

    # ------------------------------------------------------------ tab trials

    def page_probe(self, browser, url, op, fault=None, delay=0.0, target=None, trial=None):
        """Runs the page model's op on url; fault breaks the tab `delay`
        seconds after the probe says it starts."""
        limit = 60 + self.deadline_s * 3 + HANG_GRACE_S
        started = time.monotonic()
        child = self.start([self.probe, "page", "--endpoint", browser.endpoint, "--url", url, "--op", op])
        head = child.out.wait_for(lambda data: b"\n" in data, max(0.1, limit - (time.monotonic() - started)))
        if head.split(b"\n")[0].strip() == b"start" and fault:
            time.sleep(delay)
            if fault == "close":
                browser.close_tab(target)
            else:
                self.server.release(trial, self.server.url(f"/other.html?t={trial}"))
            # A hang: still running 5 s and a call's deadline after the
            # fault, beyond what the undisturbed operation takes.
            started = time.monotonic()
            limit = self.durations.get(op, 10) + self.deadline_s + HANG_GRACE_S
        return self.finish(child, started, limit)

    def calibrate(self, browser, op):
        """The operation's undisturbed duration in seconds, checked as a trial
        that finished first."""
        trial = f"calibrate-{op}"
        url = self.server.url(f"/big.html?t={trial}")
        target = browser.open_tab(url)
        try:
            if self.wait_loaded(browser, [url]) is None:
                raise RuntimeError("the big page did not load")
            run = self.page_probe(browser, url, op)
            outcome, faults, report = self.check_probe(run)
            if report is None or faults:
                raise RuntimeError(f"the undisturbed {op} failed: {outcome}: {faults}")
            faults = self.check_page_report(report, op, disturbed=False)
            if faults:
                raise RuntimeError(f"the undisturbed {op} is wrong: {faults[:3]}")
            return report["ms"] / 1000
        finally:
            browser.close_tab(target)

    def check_page_report(self, report, op, disturbed):
        faults = []
        allowed = {462, 70}
        for number in report.get("reported", []):
            if number not in allowed:
                faults.append(f"a message box with error {number}")
        if report.get("beeps", 0) > len(report.get("reported", [])):
            faults.append(f"{report['beeps']} beeps: reads failed with an error other than 462 or 70")
        if not disturbed and report.get("beeps"):
            faults.append("beeps on an undisturbed page")
        if op == "search":
            found = report.get("found", [])
            result = report.get("result")
            wrong = [k for k in found if k >= len(self.big.expected) or self.big.expected[k]["tag"] != "B"]
            if wrong:
                faults.append(f"the search found {len(wrong)} elements that do not match, e.g. {wrong[:3]}")
            if result not in (-1, len(found)):
                faults.append(f"the search returned {result} for {len(found)} elements found")
            if not disturbed and found != self.big.matches:
                faults.append(f"the undisturbed search found {len(found)} of {len(self.big.matches)}")
            return faults
        codes = report.get("codes", [])
        rows = report.get("rows", [])
        if not disturbed and len(rows) != len(self.big.expected):
            faults.append(f"the undisturbed fill gave {len(rows)} rows")
        bad = []
        for item, cells in rows:
            want = self.big.expected[item] if 0 <= item < len(self.big.expected) else None
            for code, (outcome, text) in zip(codes, cells):
                if outcome in ("B", "P"):
                    continue  # counted by the beeps and boxes above
                if outcome == "U":
                    if not disturbed and want and (code in ("tagName", "id")
                                                   or (code == "innerText" and want["text"] is not None)):
                        bad.append(f"item {item} {code} unavailable on an undisturbed page")
                    continue
                if want is None:
                    bad.append(f"item {item} outside the page")
                    continue
                expected = {"tagName": want["tag"], "id": want["id"], "name": want["name"],
                            "value": want["value"], "innerText": want["text"]}[code]
                if code in ("name", "value") and want["tag"] != "INPUT" and expected is None:
                    expected = ""  # a member some elements have, empty here
                if expected is None:
                    continue
                if isinstance(text, dict):
                    same = (text.get("len") == len(expected) and expected.startswith(text.get("head", ""))
                            and expected.endswith(text.get("tail", "")))
                    shown = f"{text.get('len')} characters"
                else:
                    same = text == expected
                    shown = repr(text[:40])
                if not same:
                    bad.append(f"item {item} {code} read as {shown} with no failure")
        if bad:
            faults.append(f"{len(bad)} cells wrong: " + "; ".join(bad[:3]))
        return faults

    def tab_trials(self):
        browser = Browser()
        try:
            durations = {op: self.calibrate(browser, op) for op in ("search", "fill")}
            self.durations.update(durations)
            trials = [(fault, op, n) for fault in ("close", "navigate") for op in ("search", "fill")
                      for n in range(self.args.page_trials)]

            def open_trial(index):
                """Opens the tab of a trial; the next one loads while this one runs."""
                if index >= len(trials):
                    return None
                fault, op, n = trials[index]
                trial = f"{fault}-{op}-{n}"
                url = self.server.url(f"/big.html?t={trial}")
                if fault == "navigate":
                    self.server.hold(trial)
                return trial, url, browser.open_tab(url)

            upcoming = open_trial(0)
            for index, (fault, op, n) in enumerate(trials):
                kind = f"{fault}/{op}"
                trial, url, target = upcoming
                try:
                    loaded = self.wait_loaded(browser, [url]) is not None
                    upcoming = open_trial(index + 1)
                    if not loaded:
                        self.record(kind, "not loaded", ["the big page did not load"])
                        continue
                    delay = self.rng.uniform(0, durations[op] * 1.1)
                    run = self.page_probe(browser, url, op, fault, delay, target, trial)
                    outcome, faults, report = self.check_probe(run)
                    if report is not None:
                        faults += self.check_page_report(report, op, disturbed=True)
                        if report.get("samePageAfter"):
                            outcome = "finished first"
                            faults += [f + " (undisturbed)" for f in
                                       self.check_page_report(report, op, disturbed=False)]
                        else:
                            outcome = "broken under it"
                    self.record(kind, outcome, faults, delay_ms=round(delay * 1000),
                                stderr=run.err)
                finally:
                    self.server.release(trial, "")
                    browser.close_tab(target)
        finally:
            browser.stop()

    # ------------------------------------------------------------ report

    def table(self):
        print()
        print(f"{'trial':<18}{'runs':>5}  {'crash':>5} {'hang':>5} {'broken':>6} {'after':>7}  outcomes")
        total_faults = 0
        for kind, entries in self.results.items():
            crashes = sum(e["outcome"] == "crash" for e in entries)
            hangs = sum(e["outcome"] == "hang" for e in entries)
            broken = sum(bool(e["faults"]) for e in entries)
            total_faults += broken
            outcomes = {}
            for e in entries:
                outcomes[e["outcome"]] = outcomes.get(e["outcome"], 0) + 1
            text = ", ".join(f"{v} {k}" for k, v in sorted(outcomes.items()))
            afters = [e["after_fault_ms"] for e in entries if e.get("after_fault_ms") is not None
                      and not e.get("ended_first")]
            after = f"{max(afters):.0f}ms" if afters else "-"
            print(f"{kind:<18}{len(entries):>5}  {crashes:>5} {hangs:>5} {broken:>6} {after:>7}  {text}")
        for report in self.figures:
            print()
            print(f"browser stopped {report['stoppedMs'] / 1000:.1f} s during the main window's refresh:")
            print(f"  longest UI-thread stall (event loop):  {report['stallLongestGapMs']:.0f} ms")
            print(f"  longest tick while stopped:            {report['stallLongestTickMs']:.0f} ms"
                  f" (first stall {report['stallFirstAtMs']:.0f} ms after the stop)")
            print(f"  total stall of the ticks:              {report['stallTotalMs']:.0f} ms (target <= 2500)")
            print(f"  longest tick after it until resume:    {report['longestTickAfterStallMs']:.2f} ms"
                  f" over {report['ticksAfterStallUntilResume']} ticks (target <= 10)")
            print(f"  status 'not answering' at those ticks: {report['notAnsweringTicksAfterStall']}"
                  f" of {report['ticksAfterStallUntilResume']}")
            print(f"  ticks after resume until list right:   {report['ticksAfterResumeUntilRight']} (target <= 2)")
        if self.durations:
            print()
            print("undisturbed: search " + f"{self.durations['search'] * 1000:.0f} ms, "
                  f"fill {self.durations['fill'] * 1000:.0f} ms over {len(self.big.expected)} elements")
        print("after: the longest a killed browser's vorlane-cli ran on after the kill, or the longest tick "
              "of the main window after it")
        faults = [(kind, e) for kind, entries in self.results.items() for e in entries if e["faults"]]
        if faults:
            print()
            print("rules broken:")
            for kind, e in faults[:40]:
                print(f"  {kind} ({e['outcome']}): " + "; ".join(e["faults"])[:400])
        return total_faults


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", help="the build folder, for vorlane-cli and fault_probe")
    parser.add_argument("--cli", help="vorlane-cli (default: BUILD/app/vorlane-cli)")
    parser.add_argument("--probe", help="fault_probe (default: BUILD/tests/fault_matrix/fault_probe)")
    parser.add_argument("--trials", type=int, default=50, help="kill trials of each kind")
    parser.add_argument("--page-trials", type=int, default=30, help="close and navigate trials of each kind")
    parser.add_argument("--stop-trials", type=int, default=1)
    parser.add_argument("--stop-seconds", type=float, default=10)
    parser.add_argument("--elements", type=int, default=10_000, help="elements of the big page")
    parser.add_argument("--small-tabs", type=int, default=7, help="small pages beside the big one")
    parser.add_argument("--timing", choices=("enforce", "report"), default="enforce",
                        help="whether the stall targets are rules or only figures")
    parser.add_argument("--call-timeout-ms", type=int, default=0,
                        help="VORLANE_CALL_TIMEOUT_MS for the programs (default: theirs, 2000)")
    parser.add_argument("--only", action="append", help="kinds to run: tabs, elements (from its start and "
                        "from its first row), set-value, window, "
                        "pages, stop (repeatable; default all)")
    parser.add_argument("--logs", metavar="DIR", help="keep the whole stderr of each trial that broke a rule here")
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--json", help="write every trial's record to this file")
    parser.add_argument("-v", "--verbose", action="store_true")
    args = parser.parse_args()
    if args.build:
        args.cli = args.cli or os.path.join(args.build, "app", "vorlane-cli")
        args.probe = args.probe or os.path.join(args.build, "tests", "fault_matrix", "fault_probe")
    if not args.cli or not args.probe:
        parser.error("give --build, or --cli and --probe")
    for program in (args.cli, args.probe):
        if not os.access(program, os.X_OK):
            parser.error(f"{program} is not built")
    if args.seed is None:
        args.seed = random.randrange(1 << 30)
    only = set(args.only or ["tabs", "elements", "set-value", "window", "pages", "stop"])

    for ending in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(ending, CHILDREN.end_all)
    matrix = Matrix(args)
    started = time.monotonic()
    print(f"fault matrix: seed {args.seed}, {args.trials} kill trials each, {args.page_trials} tab trials each, "
          f"browser stopped {args.stop_seconds:g} s", flush=True)
    try:
        if "tabs" in only:
            matrix.kill_cli("tabs", lambda handle: ["tabs"])
        if "elements" in only:
            matrix.kill_cli("elements", lambda handle: ["elements", handle])
        if "elements" in only:
            matrix.kill_cli("elements", lambda handle: ["elements", handle], from_first_row=True)
        if "set-value" in only:
            matrix.kill_cli("set-value", lambda handle: ["set-value", handle, str(matrix.big.first_input),
                                                         "fault-matrix"])
        if "window" in only:
            matrix.kill_window()
        if "pages" in only:
            matrix.tab_trials()
        if "stop" in only:
            matrix.stop_window()
        broken = matrix.table()
    finally:
        matrix.close()
    if args.json:
        with open(args.json, "w", encoding="utf-8") as out:
            json.dump(matrix.results, out, ensure_ascii=False, indent=1)
    print(f"\n{time.monotonic() - started:.0f} s; {broken} trials broke a rule; seed {args.seed}")
    return 1 if broken else 0


if __name__ == "__main__":
    sys.exit(main())
