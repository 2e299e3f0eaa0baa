"""What smb-check and syncthing-check have in common: simulated computers
running the real `zol` binary, the work they do in each round, the checks of
the studio folder afterwards, and the bookkeeping that ends every process and
removes every folder the check made.

Standard library only, so that Debian's python3 runs it as it is.
"""

import contextlib
import csv
import datetime
import json
import os
import random
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

SKIPPED = 77

# Files other programs leave in a studio folder: sync engines' temporary and
# conflict files, an office suite's lock file, a note someone wrote. Zol must
# leave every one of them where it is.
FOREIGN_NAMES = (
    ".syncthing.x.tmp",
    "foo.tmp",
    "x.sync-conflict-20261207-120000-ABCDEFG.json",
    "README",
    ".~lock.notes.csv#",
)
# Older than the half year after which a silent machine's folder is pruned:
# a README put there long ago is not a machine that stopped syncing.
FOREIGN_AGE_DAYS = 200
CONFLICT_MARK = ".sync-conflict-"


def tool(name):
    """The path of a program, looked for on PATH and in the sbin folders an
    ordinary user's PATH leaves out (smbd is there); None when missing."""
    search = os.pathsep.join([os.environ.get("PATH", ""), "/usr/sbin", "/sbin"])
    return shutil.which(name, path=search)


def skip_unless(check, tools, fuse=False):
    """Exits with CTest's skip status, saying which tool is missing in one
    line, unless every tool is there (and /dev/fuse can be opened)."""
    for name in tools:
        if tool(name) is None:
            print(f"{check}: skipped: {name} is not installed")
            sys.exit(SKIPPED)
    if fuse and not os.access("/dev/fuse", os.R_OK | os.W_OK):
        print(f"{check}: skipped: /dev/fuse cannot be opened")
        sys.exit(SKIPPED)


def zol_binary(check):
    if len(sys.argv) != 2 or not os.access(sys.argv[1], os.X_OK):
        print(f"usage: {check} PATH-TO-ZOL", file=sys.stderr)
        sys.exit(2)
    return os.path.abspath(sys.argv[1])


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_for(what, ready, timeout=20.0, interval=0.1):
    """Polls `ready` until it returns something true; fails after `timeout`."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = ready()
        except (OSError, ValueError):
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise CheckError(f"gave up waiting for {what} after {timeout:.0f} s")
        time.sleep(interval)


class CheckError(Exception):
    pass


def _interrupted(signum, _frame):
    raise SystemExit(128 + signum)


class Stack:
    """Owns what a check starts. close() ends the processes by their PIDs
    (zol first, then the daemons, newest first), unmounts what was mounted
    and removes the temporary folder; it runs on failure, Ctrl-C and SIGTERM
    too. ZOL_CHECK_KEEP=1 keeps the folder for a look afterwards."""

    def __init__(self, check):
        self.check = check
        self.root = tempfile.mkdtemp(prefix=f"zol-{check}-")
        self._lock = threading.Lock()
        self._commands = set()
        self._daemons = []
        self._mounts = []
        self._closed = False
        # SIGINT too: a check started in the background inherits it ignored.
        for signum in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
            signal.signal(signum, _interrupted)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()

    def path(self, *parts):
        path = os.path.join(self.root, *parts)
        os.makedirs(path, exist_ok=True)
        return path

    def daemon(self, argv, log, env=None, new_session=True):
        """Starts a long-running program with its output in `log`, in a
        session of its own unless it makes one itself (smbd does, and
        signals its whole process group when it stops)."""
        with open(log, "ab") as out:
            process = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=out,
                                       stderr=subprocess.STDOUT, env=env,
                                       start_new_session=new_session)
        self._daemons.append((process, log))
        return process

    def mounted(self, mountpoint):
        self._mounts.append(mountpoint)

    def run(self, argv, env, timeout):
        """Runs one short command, registered while it runs so that close()
        can end it. Returns (exit status, stdout, stderr)."""
        with self._lock:
            if self._closed:
                raise CheckError("stopping")
            process = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                       stderr=subprocess.PIPE, env=env)
            self._commands.add(process)
        try:
            out, err = process.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            out, err = process.communicate()
            err += f"\n(killed after {timeout} s)".encode()
        finally:
            with self._lock:
                self._commands.discard(process)
        return process.returncode, out.decode(errors="replace"), err.decode(errors="replace")

    def tail(self, log, lines=15):
        try:
            with open(log, errors="replace") as f:
                return "".join(f.readlines()[-lines:])
        except OSError:
            return ""

    def close(self):
        # A second Ctrl-C must not cut the tidying short.
        if threading.current_thread() is threading.main_thread():
            for signum in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
                signal.signal(signum, signal.SIG_IGN)
        with self._lock:
            self._closed = True
            commands = list(self._commands)
        for process in commands:
            _end(process)
        for mountpoint in reversed(self._mounts):
            for lazily in ([], ["-z"]):
                if subprocess.run([tool("fusermount3"), "-u", *lazily, mountpoint],
                                  stderr=subprocess.DEVNULL).returncode == 0:
                    break
        self._mounts.clear()
        for process, _log in reversed(self._daemons):
            _end(process)
        self._daemons.clear()
        if os.environ.get("ZOL_CHECK_KEEP") == "1":
            print(f"{self.check}: kept {self.root}")
        else:
            shutil.rmtree(self.root, ignore_errors=True)


def _end(process):
    if process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(timeout=5)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


class Ledger:
    """Every zol invocation of a check: how many, and those that failed."""

    def __init__(self):
        self._lock = threading.Lock()
        self.passes = 0
        self.failures = []
        self.refusals = []

    def record(self, computer, argv, status, err, refusal_allowed):
        with self._lock:
            self.passes += 1
            if status == 0:
                return
            line = f"{computer}: zol {' '.join(argv)} → exit {status}: {err.strip()}"
            if refusal_allowed and status == 1:
                self.refusals.append(line)
            else:
                self.failures.append(line)


class Computer:
    """One simulated computer: its own home, data and settings folders, a
    person's name, and the studio folder as this computer reaches it."""

    def __init__(self, stack, ledger, zol, name, folder):
        self.stack = stack
        self.ledger = ledger
        self.zol_path = zol
        self.name = name
        self.folder = folder
        home = stack.path("computers", name)
        self.home = home
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": home,
            "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_RUNTIME_DIR": stack.path("computers", name, "run"),
            "TZ": "UTC",
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
        }
        os.chmod(self.env["XDG_RUNTIME_DIR"], 0o700)
        self.machine_id = None
        self.projects_added = []

    def zol(self, *argv, at=None, refusal_allowed=False):
        """Runs `zol ARGV…`; with `at`, the clock reads that instant when the
        command starts (libfaketime). Returns (status, stdout)."""
        command = [self.zol_path, *argv]
        env = self.env
        if at is not None:
            command = [tool("faketime"), "-f", "@" + at.strftime("%Y-%m-%d %H:%M:%S"), *command]
            env = dict(env, FAKETIME_DONT_FAKE_MONOTONIC="1")
        status, out, err = self.stack.run(command, env, timeout=120)
        self.ledger.record(self.name, list(argv), status, err, refusal_allowed)
        return status, out

    def join(self):
        """Opens books of the studio's (the first books never leave the
        computer), names the person and chooses the studio folder."""
        self.zol("books", "add", "Studio")
        self.zol("books", "open", "Studio")
        self.zol("name", self.name)
        self.zol("studio", "folder", self.folder)
        status, out = self.zol("status", "--json")
        if status:
            raise CheckError(f"{self.name}: zol status failed")
        self.machine_id = json.loads(out)["machineId"]

    def projects(self):
        status, out = self.zol("projects", "--all", "--json")
        if status:
            return None
        return sorted((p["number"], p["name"], p["client"], p["isActive"])
                      for p in json.loads(out))

    def sessions(self):
        """Every session in this computer's books (the JSON export)."""
        target = os.path.join(self.home, "export.json")
        status, _ = self.zol("export", "json", "--all", "--output", target)
        if status:
            return []
        with open(target) as f:
            return json.load(f)["entries"]

    def peers(self):
        status, out = self.zol("studio", "--json")
        return json.loads(out)["peers"] if status == 0 else None


# --- the work of one round ---------------------------------------------------

def twin_round(round_number):
    return round_number % 5 == 1


class Work:
    """What the simulated people do, round by round: each adds a project
    (which syncs), records a session in the past on it (or on a colleague's
    project that arrived through the studio folder), switches projects now
    and then, syncs again in odd rounds and hands in. In some rounds two people add the same number in
    different case at the same moment. `seed` makes a run repeatable."""

    def __init__(self, computers, seed, rounds=20):
        self.computers = computers
        self.rounds = rounds
        self.random = random.Random(seed)
        now = datetime.datetime.now(datetime.timezone.utc).replace(tzinfo=None)
        # Twelve hours apart, each session 50 minutes, ending days before now;
        # the rounds run across a few ISO weeks and often a month boundary.
        self.first = now.replace(minute=0, second=0, microsecond=0) - datetime.timedelta(
            hours=12 * rounds + 48)
        self.twin_numbers = []
        self.jitter = {(r, c.name): self.random.random() * 0.15
                       for r in range(rounds) for c in computers}

    def number(self, computer_index, round_number):
        return f"{chr(ord('P') + computer_index)}{round_number:02d}"

    def run_round(self, round_number):
        if twin_round(round_number):
            self.twin_numbers.append(f"ab-{round_number}")
        threads = [threading.Thread(target=self._computer_round, args=(i, round_number),
                                    daemon=True)
                   for i in range(len(self.computers))]
        for t in threads:
            t.start()
        for t in threads:
            t.join()

    def _computer_round(self, index, r):
        # Once the check is stopping, the round simply ends.
        with contextlib.suppress(CheckError):
            self._do_round(index, r)

    def _do_round(self, index, r):
        computer = self.computers[index]
        time.sleep(self.jitter[(r, computer.name)])
        own = self.number(index, r)
        status, _ = computer.zol("project", "add", own, "--client", f"Client {index}",
                                 "--name", f"Project {own}")
        if status == 0:
            computer.projects_added.append(own)
        if twin_round(r) and index < 2:
            # The same number typed in another case on another computer: one
            # of the two may be refused once the other has arrived.
            twin = f"ab-{r}" if index == 0 else f"AB-{r}"
            computer.zol("project", "add", twin, "--client", "Twins", "--name",
                         f"Twin from {computer.name}", refusal_allowed=True)
        # A colleague's project of two rounds back has been synced here.
        colleague = (index + 1) % len(self.computers)
        first = self.number(colleague, r - 2) if r >= 2 and r % 3 == 0 else own
        start = self.first + datetime.timedelta(hours=12 * r)
        computer.zol("start", first, "--note", f"Round {r}", at=start)
        if r > 0 and r % 4 == 0:
            then = own if first != own else self.number(index, r - 1)
            computer.zol("start", then, "--note", "Switched",
                         at=start + datetime.timedelta(minutes=25))
        computer.zol("stop", at=start + datetime.timedelta(minutes=50))
        # Adding the project synced already; every other round syncs again.
        if r % 2:
            computer.zol("studio", "sync")
        computer.zol("studio", "upload")


def settle(computers, passes=2, pause=0.0):
    """Syncs and hands in on every computer in turn, `passes` times, so that
    everything written in the last round has been read everywhere."""
    for _ in range(passes):
        for computer in computers:
            computer.zol("studio", "sync")
            computer.zol("studio", "upload")
        time.sleep(pause)


# --- what the studio folder must hold afterwards -------------------------------

def fold(number):
    return number.casefold()


def compare_projects(computers, twin_numbers, check_twins):
    """Problems with the project lists: lists that differ between computers
    and projects that went missing. Case twins are compared only when
    `check_twins`; otherwise what each computer has of them is returned as
    notes."""
    problems, notes = [], []
    twins = {fold(n) for n in twin_numbers}
    lists = {}
    for computer in computers:
        listed = computer.projects()
        if listed is None:
            problems.append(f"{computer.name}: zol projects failed")
            continue
        lists[computer.name] = listed
    for key in sorted(twins):
        held = {name: [p[0] for p in listed if fold(p[0]) == key]
                for name, listed in lists.items()}
        if all(len(numbers) == 1 for numbers in held.values()):
            continue
        if len({tuple(numbers) for numbers in held.values()}) == 1:
            line = f"{key}: every computer lists {next(iter(held.values()))}"
        else:
            line = f"{key}: " + "; ".join(f"{name} lists {numbers}"
                                          for name, numbers in held.items())
        (problems if check_twins else notes).append(line)
    for name, listed in lists.items():
        numbers = {fold(p[0]) for p in listed}
        for computer in computers:
            lost = [n for n in computer.projects_added if fold(n) not in numbers]
            if lost:
                problems.append(f"{name} lacks {computer.name}'s projects {lost}")
    reference_name, reference = next(iter(lists.items()), (None, []))

    def comparable(listed):
        if check_twins:
            return listed
        return [p for p in listed if fold(p[0]) not in twins]

    for name, listed in lists.items():
        if comparable(listed) != comparable(reference):
            only_here = sorted(set(comparable(listed)) - set(comparable(reference)))
            only_there = sorted(set(comparable(reference)) - set(comparable(listed)))
            problems.append(f"{name}'s project list differs from {reference_name}'s: "
                            f"only on {name} {only_here[:5]}, only on {reference_name} "
                            f"{only_there[:5]}")
    count = len(reference)
    return count, problems, notes


def read_timesheets(studio_folder):
    """The handed-in timesheets: {machine id: {(kind, period id): set of
    session ids}}, read from the person folders under .zol/hours (the
    folder's marker says whose it is; kind is "weeks" or "months")."""
    hours = os.path.join(studio_folder, ".zol", "hours")
    found = {}
    try:
        people = os.listdir(hours)
    except FileNotFoundError:
        return found
    for person in people:
        folder = os.path.join(hours, person)
        try:
            with open(os.path.join(folder, ".person.json")) as f:
                machine_id = json.load(f)["machineId"]
        except (OSError, ValueError, KeyError):
            continue
        sheets = found.setdefault(machine_id, {})
        for year in os.listdir(folder):
            for kind in ("weeks", "months"):
                kind_folder = os.path.join(folder, year, kind)
                if not os.path.isdir(kind_folder):
                    continue
                for name in os.listdir(kind_folder):
                    if not name.endswith(".csv") or name.startswith(".") or CONFLICT_MARK in name:
                        continue
                    with open(os.path.join(kind_folder, name), newline="") as f:
                        rows = list(csv.DictReader(f))
                    ids = {row["id"] for row in rows if row.get("end") != "TOTAL" and row.get("id")}
                    sheets.setdefault((kind, name[:-4]), set()).update(ids)
    return found


def periods_of(started_at):
    """The week and month a session is handed in under (TZ=UTC)."""
    day = datetime.datetime.strptime(started_at, "%Y-%m-%dT%H:%M:%SZ")
    year, week, _ = day.isocalendar()
    return [("weeks", f"{year:04d}-W{week:02d}"), ("months", f"{day.year:04d}-{day.month:02d}")]


def compare_timesheets(computers, studio_folder):
    """Problems with the handed-in timesheets: a session missing from its
    week's or month's file, or a file holding sessions that are not in the
    books. Returns (number of sessions, problems)."""
    problems = []
    sheets = read_timesheets(studio_folder)
    total = 0
    for computer in computers:
        expected = {}
        for entry in computer.sessions():
            if not entry.get("endedAt"):
                continue
            total += 1
            for period in periods_of(entry["startedAt"]):
                expected.setdefault(period, set()).add(entry["id"])
        handed_in = sheets.get(computer.machine_id, {})
        if expected and not handed_in:
            problems.append(f"{computer.name}: no person folder with timesheets on the share")
            continue
        for period in sorted(set(expected) | set(handed_in)):
            want, have = expected.get(period, set()), handed_in.get(period, set())
            if period not in handed_in and want:
                problems.append(f"{computer.name}: no timesheet for {period[1]} "
                                f"({len(want)} sessions)")
            elif want != have:
                problems.append(f"{computer.name}: {period[1]} misses {len(want - have)} and "
                                f"has {len(have - want)} unknown sessions")
    return total, problems


def drop_foreign_files(zol_folder, folders):
    """Writes FOREIGN_NAMES into each of `folders` (paths relative to the
    ".zol" folder), most dated FOREIGN_AGE_DAYS back, plus the conflict copy a
    sync engine makes of a file there (in a person's weeks, also of an
    old-style "<week>-<name>.csv"). Returns their paths."""
    aged = time.time() - FOREIGN_AGE_DAYS * 86400
    stamp = CONFLICT_MARK + "20261207-120000-ABCDEFG"
    dropped = []

    def drop(path, text):
        with open(path, "w") as f:
            f.write(text)
        # Syncthing removes its own temporary files after a day.
        if not os.path.basename(path).startswith(".syncthing."):
            os.utime(path, (aged, aged))
        dropped.append(path)

    for relative in folders:
        folder = os.path.join(zol_folder, relative)
        if not os.path.isdir(folder):
            continue
        for name in FOREIGN_NAMES:
            drop(os.path.join(folder, name), "Not Zol's.\n")
        originals = sorted(n for n in os.listdir(folder)
                           if n.endswith((".json", ".csv")) and not n.startswith(".")
                           and CONFLICT_MARK not in n)
        if originals:
            stem, extension = os.path.splitext(originals[0])
            drop(os.path.join(folder, stem + stamp + extension), "{}\n")
            if os.path.basename(folder) == "weeks":
                person = os.path.basename(os.path.dirname(os.path.dirname(folder)))
                drop(os.path.join(folder, f"{stem}-{person}{stamp}{extension}"), "id,end\n")
    return dropped


def foreign_folders(zol_folder, computer):
    """Where foreign files go: .zol itself, "peers", one computer's own
    folder there, "hours", that person's folder and its weeks."""
    folders = [".", "peers", os.path.join("peers", computer.machine_id), "hours"]
    hours = os.path.join(zol_folder, "hours")
    for person in sorted(os.listdir(hours)):
        try:
            with open(os.path.join(hours, person, ".person.json")) as f:
                if json.load(f).get("machineId") != computer.machine_id:
                    continue
        except (OSError, ValueError):
            continue
        folders.append(os.path.join("hours", person))
        years = sorted(y for y in os.listdir(os.path.join(hours, person)) if y.isdigit())
        if years:
            folders.append(os.path.join("hours", person, years[-1], "weeks"))
        break
    return folders


def kept(paths):
    return [p for p in paths if os.path.lexists(p)]


def conflict_copies(folder):
    """The paths, relative to `folder`, of the sync engines' conflict copies
    below it."""
    return sorted(os.path.relpath(os.path.join(parent, name), folder)
                  for parent, _dirs, files in os.walk(folder)
                  for name in files if CONFLICT_MARK in name)


def case_twin_env():
    return os.environ.get("ZOL_CHECK_CASE_TWINS", "1") == "1"


def seed_from_env():
    text = os.environ.get("ZOL_CHECK_SEED")
    return int(text) if text else random.SystemRandom().randrange(1 << 30)


@contextlib.contextmanager
def holding_files(root, subfolders, seed):
    """A colleague's programs holding files of the studio folder open for a
    moment, over and over, in the background: a few shards, markers and
    timesheets at a time, each for up to 1.5 s. Yields a counter of the
    files held."""
    held = [0]
    rng = random.Random(seed)
    stop = threading.Event()

    def candidates():
        found = []
        for sub in subfolders:
            for parent, _dirs, files in os.walk(os.path.join(root, sub)):
                found += [os.path.join(parent, n) for n in files
                          if n.endswith((".json", ".csv")) and CONFLICT_MARK not in n]
        return found

    def hold():
        while not stop.is_set():
            try:
                files = candidates()
                chosen = rng.sample(files, min(len(files), 3))
                opened = []
                for path in chosen:
                    with contextlib.suppress(OSError):
                        opened.append(open(path, "rb"))
                held[0] += len(opened)
                stop.wait(0.3 + rng.random() * 1.2)
                for f in opened:
                    with contextlib.suppress(OSError):
                        f.close()
            except OSError:
                stop.wait(0.2)

    thread = threading.Thread(target=hold, daemon=True)
    thread.start()
    try:
        yield held
    finally:
        stop.set()
        thread.join(timeout=10)


def report(check, ledger, projects, sessions, foreign_kept, foreign_total, seconds, extra=""):
    print(f"{check}: {ledger.passes} passes, {len(ledger.failures)} failed, {projects} projects, "
          f"{sessions} sessions, foreign files kept {foreign_kept}/{foreign_total}"
          f"{extra}, {seconds:.0f} s")
