#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Installs the Debian package into a fresh root of its Debian release, with nothing but the
package's own dependencies, checks that other programs' fonts stay as they were, starts the
installed program on the private desktop, sees its window and its tray icon, arms it and sees the
alert (SORVANTO_FAST_CLOCK, when set, names the library that shortens the countdown to a second) and
ends it with "OK" (without it: closes the window), then purges the package and checks that none of
its files is left.
  install.py PACKAGE_BUILD_DIR [DIST]   (default: bookworm)
Needs root (mmdebstrap, chroot, mounts in a private mount namespace) and Debian's archive. The fresh
root and the downloaded packages are kept under ~/.cache/sorvanto/ (SORVANTO_ROOT_CACHE)."""
import os
import pathlib
import re
import shutil
import subprocess
import sys
import time

def enter(root, archives, *command):
    """The command in the root, as this process, after the mounts it needs: the root's /proc and
    /dev/shm, the package cache, and the desktop's session bus, home and runtime folder (where the
    accessibility bus is), where the host sees them. Run in a private mount namespace that ends with
    the command, so that none is ever left behind and removing the root can never reach through into
    the host."""
    def mount(*arguments):
        subprocess.run(["mount", *map(str, arguments)], check=True)
    mount("-t", "proc", "proc", f"{root}/proc")
    mount("-t", "tmpfs", "tmpfs", f"{root}/dev/shm")
    mount("--bind", archives, f"{root}/var/cache/apt/archives")
    bus = os.environ.get("DBUS_SESSION_BUS_ADDRESS", "").removeprefix("unix:path=").split(",")[0]
    if bus and os.path.exists(bus):
        os.makedirs(root + os.path.dirname(bus), exist_ok=True)
        pathlib.Path(root + bus).touch()
        mount("--bind", bus, root + bus)
        for folder in (os.environ["HOME"], os.environ["XDG_RUNTIME_DIR"]):
            os.makedirs(root + folder, exist_ok=True)
            mount("--bind", folder, root + folder)
    env = {"PATH": "/usr/sbin:/usr/bin:/sbin:/bin", "HOME": "/root", "LANG": "C.UTF-8",
           "DEBIAN_FRONTEND": "noninteractive",
           **{k: os.environ[k] for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS") if k in os.environ}}
    if os.environ.get("SORVANTO_PRELOAD"):
        env.update(LD_PRELOAD=os.environ["SORVANTO_PRELOAD"], QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    os.chroot(root)
    os.chdir("/")
    os.execvpe(command[0], command, env)

if sys.argv[1] == "--in-root":
    enter(*sys.argv[2:])

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "blackbox"))
from harness import Desktop, Findings, Program, check, output, run, succeeds, ui, within, x11  # noqa: E402

deb = next(pathlib.Path(sys.argv[1]).resolve().glob("sorvanto_*.deb"), None)
dist = (sys.argv[2:] or ["bookworm"])[0]
mirror = os.environ.get("SORVANTO_DEBIAN_MIRROR", "http://deb.debian.org/debian")
security = os.environ.get("SORVANTO_DEBIAN_SECURITY_MIRROR", "http://deb.debian.org/debian-security")
cache = pathlib.Path(os.environ.get("SORVANTO_ROOT_CACHE", pathlib.Path.home() / ".cache/sorvanto"))
fastclock = os.environ.get("SORVANTO_FAST_CLOCK")

def install_start_remove():
    check(deb, f"no package in {sys.argv[1]}")
    check(succeeds("unshare", "--mount", "--propagation", "private", "true"),
          "cannot make a private mount namespace (needs CAP_SYS_ADMIN)")
    see = (found := Findings()).see
    with Desktop(None, sound=False) as desktop:
        root, archives = desktop.dir / "root", cache / f"{dist}-archives"
        (archives / "partial").mkdir(parents=True, exist_ok=True)
        root.mkdir()

        def rooted(*command):
            return ["unshare", "--mount", "--propagation", "private", "--", sys.executable, __file__, "--in-root",
                    str(root), str(archives), *command]

        def in_root(*command, log="apt"):
            """The command in the root; its output in the log, or as text if log is None."""
            if log is None:
                return output(*rooted(*command))
            with open(desktop.log(log), "a") as out:
                check(subprocess.run(rooted(*command), stdout=out, stderr=out).returncode == 0,
                      lambda: f"{' '.join(command)} failed:\n" + desktop.said(log, 30))

        started = time.monotonic()
        tarball = cache / f"{dist}-minbase.tar"
        if not tarball.exists():
            with open(desktop.log("mmdebstrap"), "w") as out:
                check(subprocess.run(["mmdebstrap", "--variant=minbase", "--format=tar", dist, f"{tarball}.new",
                                      f"deb {mirror} {dist} main", f"deb {mirror} {dist}-updates main",
                                      f"deb {security} {dist}-security main"], stdout=out, stderr=out).returncode == 0,
                      lambda: desktop.said("mmdebstrap", 20))
            os.rename(f"{tarball}.new", tarball)
        output("tar", "-C", root, "-xf", tarball)
        print(f"fresh {dist} root ready after {time.monotonic() - started:.0f} s")
        (root / "usr/sbin/policy-rc.d").write_text("#!/bin/sh\nexit 101\n")
        (root / "usr/sbin/policy-rc.d").chmod(0o755)
        shutil.copy(deb, root / "tmp")

        started = time.monotonic()
        in_root("apt-get", "update", "-q")
        # The package's dependencies first, to see what other programs' fonts are before the package comes.
        depends = re.sub(r"\([^)]*\)|,", " ", output("dpkg-deb", "-f", deb, "Depends")).split()
        in_root("apt-get", "install", "-y", "-q", "--no-install-recommends", *depends)

        def fonts():
            return "\n".join(f"{family} -> {in_root('fc-match', family, log=None).strip()}"
                             for family in ("Script", "MS Sans Serif", "Arial"))
        fonts_before = fonts()
        in_root("apt-get", "install", "-y", "-q", "--no-install-recommends", f"/tmp/{deb.name}")
        print(*(line for line in desktop.said("apt", 999).splitlines() if "newly installed" in line), sep="\n")
        print(f"package installed after {time.monotonic() - started:.0f} s")

        print("== the installed files")
        files = in_root("dpkg-query", "-L", "sorvanto", log=None).splitlines()
        for path in ("/usr/bin/sorvanto", "/usr/share/applications/sorvanto.desktop",
                     "/usr/share/icons/hicolor/32x32/apps/sorvanto.png",
                     "/usr/share/icons/hicolor/scalable/apps/sorvanto.svg"):
            see(path in files, f"the package does not install {path}")
        version = in_root("/usr/bin/sorvanto", "--version", log=None).strip()
        see(version == f"sorvanto {output('dpkg-deb', '-f', deb, 'Version').strip()}", f"sorvanto --version: {version}")
        print(fonts())
        see(fonts() == fonts_before, f"the package changed other programs' fonts; before it: {fonts_before}")

        print("== the installed program on the desktop")
        desktop.start("1024x768")
        # The X server's abstract socket is reachable from the root: it belongs to the network namespace.
        if fastclock:
            shutil.copy(fastclock, root / "tmp/fastclock.so")
        app = Program(desktop, desktop.spawn(*rooted("/usr/bin/sorvanto"), log="app",
                                             env={"SORVANTO_PRELOAD": "/tmp/fastclock.so" if fastclock else None}))
        window = within(20, x11.shown) and x11.main_window()
        if window:
            see(x11.prop(window, "_NET_WM_PID") == [app.pid], "the window belongs to another process")
            exe = os.readlink(f"/proc/{app.pid}/exe")
            see(exe == f"{root}/usr/bin/sorvanto", f"not the installed program: {exe}")
        else:
            see(False, "no window")
        icon = within(10, x11.tray_icon)
        see(icon and x11.prop(icon, "_NET_WM_PID") == [app.pid], "no tray icon of the program's")
        x11.shot(f"package-installed-{dist}")
        if window and fastclock:
            # Armed for a second, the alert comes back maximized; "OK" ends the program.
            ui.press("Ativado")
            check(within(20, lambda: ui.showing("OK")), "arming shows no alert")
            see(x11.maximized(x11.main_window()), f"the alert is not maximized: {x11.wm_state(x11.main_window())}")
            x11.shot(f"package-alert-{dist}")
            ui.press("OK")
            status = app.ended()
            see(status == 0, "OK does not end the program" if status is None else f"exit status {status}")
        elif window:
            # Closed the way a user does, through the window manager, which may still be announcing what it supports.
            within(10, lambda: "_NET_ACTIVE_WINDOW" in x11.atoms(x11.root(), "_NET_SUPPORTED"))
            x11.xdotool("windowactivate", "--sync", window, "key", "alt+F4")
            status = app.ended()
            see(status == 0, "Alt+F4 does not end the program" if status is None else f"exit status {status}")

        print("== removal")
        in_root("apt-get", "purge", "-y", "-q", "sorvanto")
        states = subprocess.run(rooted("dpkg-query", "-W", "-f", "${db:Status-Status}", "sorvanto"),
                                capture_output=True, text=True).stdout
        see("installed" not in states, "still installed")
        left = [path for path in files if os.path.lexists(f"{root}{path}")
                and not (os.path.isdir(f"{root}{path}") and not os.path.islink(f"{root}{path}"))]
        see(not left, f"left behind: {left}")
        found.done()
    return f"installed in a fresh {dist} root, started, {'armed, ended with OK' if fastclock else 'closed'}, purged"

if os.getuid() != 0:
    print("SKIP: needs root for mmdebstrap and chroot")
    sys.exit(77)
run(install_start_remove)
