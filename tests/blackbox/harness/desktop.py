# SPDX-License-Identifier: GPL-3.0-or-later
"""A private headless desktop, and the programs under test on it."""
import ctypes
import os
import pathlib
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import dbus

from . import checks, sni, ui, x11
from .checks import Failure, check, fail, succeeds, until, within

HERE = pathlib.Path(__file__).resolve().parent
BLACKBOX = HERE.parent
_libc = ctypes.CDLL(None)
REMINDER = "está na hora de levantar dessa cadeira!!!"
# Window managers that tile give the alert the screen as a fullscreen window; the others maximize it.
ALERT_STATE = {"i3": "fullscreen", "sway": "fullscreen"}

def _end_with_parent():
    """A process of the desktop ends with the test's, even when that one is killed."""
    _libc.prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG

def tone(wave, seconds, frequency=440, volume=0.5, bits=16):
    """A wave file of a sine tone, in stereo at 44.1 kHz."""
    check(succeeds("sox", "-n", "-r", 44100, "-c", 2, "-b", bits, wave, "synth", seconds, "sine", frequency,
                   "vol", volume), "sox made no tone")
    return wave

def ok_inside(window):
    """The alert's "OK", where the accessibility bus places it, lies inside the window."""
    x, y, width, height = ui.extents("OK")
    at = x11.place(window)
    check(x >= at.x and x + width <= at.x + at.width and y + height <= at.y + at.height,
          f"OK at {x},{y} {width}x{height}, outside the alert at {at}")

def arm_for(minutes):
    """"Ativado" with the interval at that many minutes, and the window hides."""
    ui.settext("Intervalo", str(minutes))
    ui.press("Ativado")
    until(5, x11.hidden, "arming leaves the window")

def click_ok():
    """A real click on the alert's "OK"."""
    x, y, width, height = ui.extents("OK")
    x11.click(x + width // 2, y + height // 2)

def armed_without_tray(program, wm, tray=None, bring_back=x11.activate_as_user):
    """Without a tray, arming leaves the window where the user reaches it: minimized, from where the
    task list brings back the configuration view (bring_back(window): the user's click on its button),
    or, where the window manager does not minimize, in that view at once; the countdown runs until
    "Desativado". Returns which, or that the window manager has a tray of its own."""
    with Desktop(wm=wm, tray=tray, sound=False) as desktop:
        app = desktop.start_shown(program)
        window = x11.main_window()
        ui.settext("Intervalo", "30")
        ui.press("Ativado")
        # Some window managers keep a minimized window mapped, for its thumbnail.
        minimized = within(5, lambda: x11.iconic(window))
        check(app.countdown(), "no countdown")
        if x11.tray_icon() or sni.registered():
            result = "n/a: a tray of its own"
        elif minimized:
            time.sleep(0.5)
            x11.shot(f"no-tray-armed-{wm}")
            bring_back(window)
            until(5, x11.shown, "the task list does not bring the window back")
            check(ui.showing("Intervalo"), "brought back, the window is not in the configuration view")
            check(app.countdown(), "the countdown stopped")
            result = "minimized, brought back"
        else:
            check(x11.viewable(window), "hidden instead of minimized")
            check(ui.showing("Intervalo"), "left on screen in the armed view")
            result = "kept on screen, in the configuration view"
        ui.press("Desativado")
        until(5, lambda: app.countdown() is None, "Desativado does not stop the countdown")
    return result

def covers(width, height):
    """That much of the 1024 x 768 screen is at least 90 % of it."""
    return width * height * 10 >= 1024 * 768 * 9

def read_and_end(app):
    """The reminder is as it was, whatever the user typed, and a real click on "OK", inside the alert,
    removes the tray icon and ends the program. Under sway too the click goes through the X server: the
    headless compositor has no pointer of its own."""
    text = ui.text("texto do sorvanto")
    check(text == REMINDER, f"typing elsewhere changed the reminder to {text!r}")
    ok_inside(x11.main_window())
    click_ok()
    app.ends("a click on OK", icon_removed=True)

def alert_over(program, wm, fullscreen):
    """The alert, its countdown a second long, comes as the user types on in another program's focused
    window, ordinary or fullscreen: in front and focused, covering the screen (maximized, or fullscreen
    where the window manager tiles), drawn whole, and read_and_end(); with an XEmbed tray to hide into.
    Returns how it covered the screen."""
    with Desktop(wm=wm, sound=False) as desktop:
        app = desktop.start_shown(program, docked=True, fast=True)
        desktop.other_window(fullscreen)
        ui.press("Ativado")
        check(x11.type_along(15), "no alert")
        alert = x11.main_window()
        until(5, lambda: x11.active_window() == alert, "the alert is not focused")
        until(5, lambda: x11.on_top(x11.main_window()), "the alert does not stay on top")
        until(5, lambda: covers(*x11.place(x11.main_window())[2:]),
              lambda: f"the alert takes {x11.place(x11.main_window())} of the screen")
        time.sleep(1)
        x11.shot(f"alert-over-{'fullscreen' if fullscreen else 'ordinary'}-{wm}")
        state = "fullscreen" if "FULLSCREEN" in x11.wm_state(alert) else "maximized"
        check(state == ALERT_STATE.get(wm, "maximized"), f"the alert is {state}")
        check(state == "fullscreen" or x11.maximized(alert), "the alert is not maximized")
        check(x11.drawn_whole(alert), "the alert is covered or not drawn")
        at = x11.place(alert)
        read_and_end(app)
    return f"{state} {at.width}x{at.height}"

def measure(wave):
    """The played part of a recording: its length in seconds and its peak, silence trimmed at both ends."""
    said = subprocess.run(["sox", wave, "-n", "silence", "1", "0.001", "0.5%", "reverse", "silence", "1", "0.001",
                           "0.5%", "reverse", "stat"], capture_output=True, text=True).stderr
    figures = {k.strip(): v.strip() for k, _, v in (line.partition(":") for line in said.splitlines())}
    return float(figures.get("Length (seconds)", 0)), float(figures.get("Maximum amplitude", 0))

def _left_overview():
    shell = dbus.SessionBus().get_object("org.gnome.Shell", "/org/gnome/Shell", introspect=False)
    if shell.Get("org.gnome.Shell", "OverviewActive", dbus_interface=dbus.PROPERTIES_IFACE):
        x11.xdotool("key", "Escape")
        return False
    return True

def _chosen(variable, default):
    value = os.environ.get(variable, default)
    return None if value == "none" else value

class Desktop:
    """A private headless desktop, torn down by its processes when the with-block leaves it: an X
    server of the size given (None: only the desktop's folder and home, for a session started
    otherwise, or later with start()), a session bus, a sound server with a null sink unless sound
    is false, a window manager and a tray:
      wm    openbox, xfwm4, mutter, kwin_x11, marco, metacity, icewm, fluxbox, i3, gnome-shell, None
      tray  trayer (XEmbed); xfce4-panel (its systray, StatusNotifierItem and XEmbed, beside a task
            list); tasklist (that panel with its task list and no tray); lxqt-panel
            (StatusNotifierItem only); lxqt-panel+tray (with its tray plugin too); plasma (Plasma's
            panel under kwin_x11); appindicator (GNOME Shell's indicator extension); None
    DESKTOP_WM and DESKTOP_TRAY ("none" for None) choose them for the desktops that name none.
    What the programs on it write to their home (Qt's dialog history, caches) stays in its folder.
    A failed check leaves a screenshot in the artifacts and prints what the program said."""

    def __init__(self, size="1024x768", wm=_chosen("DESKTOP_WM", "openbox"), tray=_chosen("DESKTOP_TRAY", "trayer"),
                 sound=True):
        self.size, self.wm, self.tray, self.sound = size, wm, tray, sound
        self.processes, self.cleanups, self.watcher, self.display = [], [], None, None

    def __enter__(self):
        self.dir = pathlib.Path(tempfile.mkdtemp(prefix="sorvanto-desktop."))
        home = self.dir / "home"
        os.environ.update(HOME=str(home), XDG_CONFIG_HOME=f"{home}/.config", XDG_CACHE_HOME=f"{home}/.cache",
                          XDG_DATA_HOME=f"{home}/.local/share", XDG_STATE_HOME=f"{home}/.local/state",
                          XDG_RUNTIME_DIR=str(self.dir / "runtime"))
        home.mkdir()
        (self.dir / "runtime").mkdir(mode=0o700)
        try:
            if self.size:
                self.start()
        except BaseException:
            self.__exit__(*sys.exc_info())
            raise
        return self

    def __exit__(self, kind, value, trace):
        if isinstance(value, Failure):
            self.report()
        for cleanup in self.cleanups:
            subprocess.run(cleanup, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for process in self.processes:
            process.terminate()
        # fluxbox blocks SIGTERM once its X server is gone, and would never end.
        deadline = time.monotonic() + 5
        for process in self.processes:
            try:
                process.wait(max(0, deadline - time.monotonic()))
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        shutil.rmtree(self.dir, ignore_errors=True)

    def report(self):
        if self.display and os.environ.get("DISPLAY") == self.display:
            succeeds("import", "-window", "root", checks.ARTIFACTS / f"failed-{checks.scenario.replace('/', '-')}.png")
        if self.said("app"):
            print("--- the program said:", self.said("app"), sep="\n")

    def log(self, name):
        return self.dir / f"{name}.log"

    def said(self, name, lines=40):
        """The last lines of what the process logged under name said."""
        log = self.log(name)
        return "\n".join(log.read_text(errors="replace").splitlines()[-lines:]) if log.exists() else ""

    def spawn(self, *command, log=None, env=None, **options):
        """Starts the command in the background, its output in the desktop's folder under log (else
        its name), its environment changed by env (None unsets); it ends with the desktop."""
        command = [str(c) for c in command]
        if env is not None:
            env = {k: v for k, v in {**os.environ, **env}.items() if v is not None}
        with open(self.log(log or pathlib.Path(command[0]).name), "ab") as out:
            process = subprocess.Popen(command, **{"stdin": subprocess.DEVNULL, **options}, stdout=out,
                                       stderr=subprocess.STDOUT, env=env, preexec_fn=_end_with_parent)
        self.processes.append(process)
        return process

    def set_display(self, name):
        self.display = os.environ["DISPLAY"] = name

    def start(self, size=None):
        """The X server (of that size, else of the desktop's), the session bus, the sound server, the
        window manager and the tray."""
        self.size = size or self.size
        # The X server takes the first free display itself and says which: a display chosen beforehand
        # may be taken meanwhile by a test running in parallel, whose server this test would then use.
        # Without -noreset the server resets whenever its last client leaves, and a client connecting
        # meanwhile, such as the window manager, is refused.
        number = self.dir / "display"
        with open(number, "w") as out:
            self.spawn("Xvfb", "-displayfd", out.fileno(), "-noreset", "-screen", "0", f"{self.size}x24",
                       "-nolisten", "tcp", pass_fds=[out.fileno()])
        until(10, lambda: number.read_text().endswith("\n"), lambda: "no X server: " + self.said("Xvfb"))
        self.set_display(":" + number.read_text().strip())
        until(10, x11.root, "no X server")
        self.start_bus()
        if self.sound:
            # Without rewinds: a sink that rewinds to start a new stream at once drops that stream's first
            # milliseconds from what its monitor already recorded.
            self.pulse = self.spawn("pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--system=false",
                                    "--disallow-exit", "-L", "module-null-sink sink_name=sorvanto_sink norewinds=1",
                                    "-L", f"module-native-protocol-unix socket={self.dir}/pulse")
            os.environ["PULSE_SERVER"] = f"unix:{self.dir}/pulse"
            until(10, lambda: succeeds("pactl", "info"), lambda: "no sound server: " + self.said("pulseaudio"))
            check(succeeds("pactl", "set-default-sink", "sorvanto_sink"), "no null sink")
        else:
            os.environ["PULSE_SERVER"] = f"unix:{self.dir}/no-sound-server"
        self.start_wm(self.wm)
        self.start_tray(self.tray)

    def start_bus(self, system=False):
        """A session bus, or a system bus of the desktop's own; its address in the environment."""
        address = self.dir / ("system-bus" if system else "session-bus")
        with open(address, "w") as out:
            self.spawn("dbus-daemon", "--session", "--nofork", f"--print-address={out.fileno()}",
                       pass_fds=[out.fileno()])
        until(10, lambda: address.read_text().endswith("\n"), "no bus")
        os.environ["DBUS_SYSTEM_BUS_ADDRESS" if system else "DBUS_SESSION_BUS_ADDRESS"] = address.read_text().strip()

    def start_wm(self, name):
        if name is None:
            return
        command, env = {"mutter": ["mutter", "--x11", "--replace"], "kwin_x11": ["kwin_x11", "--replace"],
                        "gnome-shell": ["gnome-shell", "--x11", "--replace"]}.get(name, [name]), None
        if name == "i3":
            # A configuration of its own keeps i3 from asking for one, and from adding a bar with a tray.
            (self.dir / "i3.config").write_text("# i3 config file (v4)\nfont pango:monospace 8\n")
            command += ["-c", self.dir / "i3.config"]
        elif name == "gnome-shell":
            # GNOME Shell wants logind's system bus; a bus of its own without logind makes it do without.
            self.start_bus(system=True)
            extensions = "['ubuntu-appindicators@ubuntu.com']" if self.tray == "appindicator" else "[]"
            for key, value in (("disable-user-extensions", "false"), ("enabled-extensions", extensions)):
                check(succeeds("gsettings", "set", "org.gnome.shell", key, value), "gsettings failed")
            env = {"LIBGL_ALWAYS_SOFTWARE": "1"}
        self.spawn(*command, log=name, env=env)
        until(30, lambda: x11.prop(x11.root(), "_NET_SUPPORTING_WM_CHECK"),
              lambda: f"no window manager {name}: " + self.said(name))
        if name == "gnome-shell":
            # GNOME Shell opens its overview once it has started, and a window that comes meanwhile takes
            # no focus: the user leaves the overview first, as after logging in.
            until(30, lambda: "GNOME Shell started" in self.said(name, 999), lambda: "GNOME Shell: " + self.said(name))
            until(10, _left_overview, "GNOME Shell stays in its overview")

    def start_tray(self, name):
        if name is None:
            return
        if name == "trayer":
            self.trayer = self.spawn("trayer", "--edge", "top", "--align", "right", "--widthtype", "request",
                                     "--height", "24", "--SetDockType", "true")
            until(10, lambda: x11.windows("trayer"), "no tray")
        elif name in ("xfce4-panel", "tasklist"):
            # The panel takes its first configuration from the folders in XDG_CONFIG_DIRS: a task list, and
            # the systray, which hosts StatusNotifierItem icons and XEmbed ones, unless there is to be no tray.
            plugins = {"tasklist": '<property name="flat-buttons" type="bool" value="true"/>'}
            if name == "xfce4-panel":
                plugins["systray"] = ""
            ids = "".join(f'<value type="int" value="{n}"/>' for n in range(1, len(plugins) + 1))
            entries = "".join(f'<property name="plugin-{n}" type="string" value="{plugin}">{inside}</property>'
                              for n, (plugin, inside) in enumerate(plugins.items(), 1))
            config = self.dir / "panel/xfce4/panel"
            config.mkdir(parents=True)
            (config / "default.xml").write_text(f"""<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array"><value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/><property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/><property name="size" type="uint" value="26"/>
      <property name="plugin-ids" type="array">{ids}</property>
    </property>
  </property>
  <property name="plugins" type="empty">{entries}</property>
</channel>
""")
            self.spawn("xfce4-panel", log=name, env={"XDG_CONFIG_DIRS": str(self.dir / "panel")})
            ready = (lambda: x11.windows(wm_class=b"xfce4-panel")) if name == "tasklist" else sni.host_running
            until(20, ready, lambda: "no panel: " + self.said(name))
        elif name in ("lxqt-panel", "lxqt-panel+tray"):
            # Its tray plugin hands XEmbed icons over to its StatusNotifierItem plugin.
            config = pathlib.Path(os.environ["XDG_CONFIG_HOME"], "lxqt")
            config.mkdir(parents=True, exist_ok=True)
            (config / "panel.conf").write_text(
                "[General]\n__userfile__=true\npanels=panel1\n[panel1]\nposition=Top\n"
                f"plugins={'icons, tray' if name.endswith('+tray') else 'icons'}\n"
                "[icons]\ntype=statusnotifier\n[tray]\ntype=tray\n")
            self.spawn("lxqt-panel", log=name)
            until(20, sni.host_running, lambda: "no panel: " + self.said(name))
        elif name == "plasma":
            # Plasma's tray asks the KDE daemon for the watcher, which a session would have started first.
            self.spawn("kded5")
            until(20, lambda: succeeds("dbus-send", "--session", "--print-reply", "--dest=org.kde.kded5", "/kded",
                                       "org.kde.kded5.loadModule", "string:statusnotifierwatcher"), "no KDE daemon")
            self.spawn("plasmashell", "--no-respawn", log=name, env={"LIBGL_ALWAYS_SOFTWARE": "1"})
            until(60, sni.host_running, lambda: "no Plasma: " + self.said(name))
        elif name == "appindicator":
            until(30, sni.host_running, "no indicator extension")
        else:
            fail(f"no tray called {name}")

    def start_watcher(self):
        """A StatusNotifierItem watcher and host of the test's own (sni.py) on the session bus, whose
        items sni.items() lists; its process."""
        self.watcher = self.spawn(sys.executable, HERE / "sni.py", log="watcher")
        until(10, sni.watcher_up, "no watcher")
        return self.watcher

    def start_program(self, *command, fast=False, env=None):
        """The program under test, reachable over the accessibility bus and held when it quits
        (holdquit.cpp, which SORVANTO_HOLDQUIT names), its countdowns a second long if fast
        (fastclock.cpp, which SORVANTO_FAST_CLOCK names)."""
        names = ["SORVANTO_HOLDQUIT", *(["SORVANTO_FAST_CLOCK"] if fast else [])]
        preload = [os.environ.get(name, "") for name in names]
        check(all(map(os.path.isfile, preload)), f"{' or '.join(names)} names no library to preload")
        asan = ":".join(filter(None, [os.environ.get("ASAN_OPTIONS"), "verify_asan_link_order=0"]))
        return Program(self, self.spawn(*command, log="app", env={
            "LD_PRELOAD": " ".join(preload), "SORVANTO_QUIT_FILE": str(self.dir / "quitting"),
            "ASAN_OPTIONS": asan, "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", **(env or {})}))

    def start_shown(self, *command, docked=False, **options):
        """start_program, then until its window shows, and its icon is in the X tray if docked."""
        program = self.start_program(*command, **options)
        until(60, x11.shown, "no window")
        check(not docked or within(20, x11.tray_icon), "no tray icon")
        return program

    def icon_gone(self):
        """The program's tray icon is gone from both kinds of tray: no icon window in an XEmbed tray,
        and neither the connection nor the object of an item it registered with the test's watcher."""
        return not x11.tray_icon() and all(sni.gone(item) for item in (sni.items() if self.watcher else []))

    def other_window(self, fullscreen=False):
        """Another program's window (xev's), focused, and fullscreen if asked."""
        self.spawn("xev", "-name", "sorvanto-other")
        window = until(10, lambda: next(iter(x11.windows("sorvanto-other")), None), "no other window")
        if fullscreen:
            x11.wm_request(window, "_NET_WM_STATE", 1, "_NET_WM_STATE_FULLSCREEN", 0, 1)
        x11.activate_as_user(window)
        check(not fullscreen or within(10, lambda: "FULLSCREEN" in x11.wm_state(window)), "not fullscreen")
        return window

    def recorder(self, wave):
        """Records what reaches the null sink into the wave file until its process ends."""
        return self.spawn("parecord", "--latency-msec=20", "-d", "sorvanto_sink.monitor", "--file-format=wav", wave)

    def wine_prefix(self, prefix):
        """Wine, quiet and without the downloads it would offer, in a prefix there, made if it is not
        there yet, that says it is Windows 10, as the setup asks (Debian's Wine 8 says Windows 7).
        Wine has none of Windows' faces: the window's names get those that the Linux build maps them
        to, so that they are listed as on Windows. Wine's server ends with the desktop."""
        os.environ.update(WINEPREFIX=str(prefix), WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
        self.cleanups.append(["wineserver", "-k"])
        if (pathlib.Path(prefix) / "system.reg").exists():
            return
        settings = {r"HKCU\Software\Wine": {"Version": "win10"}, r"HKCU\Software\Wine\Fonts\Replacements": {
            "Arial": "Liberation Sans", "MS Sans Serif": "DejaVu Sans", "Script": "Dancing Script"}}
        for command in [["wineboot", "-i"]] + [["reg", "add", key, "/v", name, "/d", value, "/f"]
                                               for key, values in settings.items() for name, value in values.items()]:
            check(self.wine(*command) == 0, lambda: f"no Wine prefix: {' '.join(command)}: " + self.said("wine"))

    def wine(self, *arguments, timeout=None):
        """A Windows program's status under Wine, which hands back its low byte; what it says goes to the log."""
        with open(self.log("wine"), "ab") as out:
            try:
                done = subprocess.run(["wine", *map(str, arguments)], stdout=out, stderr=out, timeout=timeout)
            except subprocess.TimeoutExpired:
                return "timed out"
        return done.returncode

class Program:
    """A program started on the desktop."""

    def __init__(self, desktop, process):
        self.desktop, self.process, self.pid = desktop, process, process.pid

    def quitting(self):
        """Until the program has asked its event loop to end: it waits there, with its windows and
        tray icon as it leaves them, until ended() lets it go on."""
        return within(30, (self.desktop.dir / "quitting").exists)

    def ended(self, seconds=30):
        """Lets a held program go on and waits for its end: its exit status (less the number of the
        signal that ended it), or None while it still runs."""
        (self.desktop.dir / "quitting").unlink(missing_ok=True)
        try:
            return self.process.wait(seconds)
        except subprocess.TimeoutExpired:
            return None

    def ends(self, how, icon_removed=False, held=True):
        """After how, the program quits, its tray icon removed before if asked, and ends with status 0.
        A program started otherwise than by start_program (held false) is not held when it quits."""
        check(not held or self.quitting(), f"{how}: the program does not quit")
        check(not icon_removed or self.desktop.icon_gone(),
              f"{how}: the tray icon is still there when the program quits")
        status = self.ended()
        check(status is not None, f"{how}: the program does not end")
        check(status == 0, f"{how}: exit status {status}")

    def offspring(self):
        """The processes that run with the environment the program was given: itself while it runs,
        and what it started."""
        mark, found = f"SORVANTO_QUIT_FILE={self.desktop.dir}/quitting".encode(), []
        for environ in pathlib.Path("/proc").glob("[0-9]*/environ"):
            try:
                if mark in environ.read_bytes().split(b"\0"):
                    found.append(int(environ.parent.name))
            except OSError:
                pass
        return found

    def countdown(self):
        """Seconds left on the program's countdown, a kernel timer on the clock that goes on during
        sleep (CLOCK_BOOTTIME, 7); None when none runs."""
        for info in pathlib.Path(f"/proc/{self.pid}/fdinfo").glob("*"):
            try:
                lines = info.read_text().splitlines()
                fields = {k: v.strip() for k, _, v in (line.partition(":") for line in lines)}
            except OSError:
                continue
            if fields.get("clockid") == "7":
                seconds, nanoseconds = map(int, fields["it_value"].strip("()").split(","))
                if seconds or nanoseconds:
                    return seconds + nanoseconds / 1e9
        return None
