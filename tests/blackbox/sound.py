#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The alert's sound for real: each kind of name handed to the desktop's sound service, and what
reached the sound server, recorded from the null sink's monitor and measured with sox; the
recordings are kept in the artifacts, in sound/. On a desktop without any sound server, the service
neither complains nor crashes nor keeps anyone waiting, whatever it is asked to play, and the
program starts and ends as ever.
  sound.py SORVANTO PLAYSOUNDS"""
import os
import signal
import subprocess
import sys
import time

from harness import ARTIFACTS, Desktop, Findings, check, measure, run, tone, ui, until

program, playsounds = map(os.path.realpath, sys.argv[1:3])
THEME = "/usr/share/sounds/freedesktop/stereo"

def sounds_heard():
    with Desktop("800x600") as desktop:
        work, recordings, found = desktop.dir / "sound", ARTIFACTS / "sound", Findings(tell=True)
        work.mkdir()
        recordings.mkdir(exist_ok=True)

        def play(*arguments, timeout=20):
            """The real service plays the names, each for the milliseconds after it: its status, and what it said."""
            try:
                done = subprocess.run([playsounds, *map(str, arguments)], cwd=work, capture_output=True, text=True,
                                      timeout=timeout)
                return done.returncode, done.stderr
            except subprocess.TimeoutExpired:
                return "timed out", ""

        def record(name, *arguments):
            """The played part of what the sink's monitor heard while the service played the names."""
            wave = recordings / f"{name}.wav"
            wave.unlink(missing_ok=True)
            recorder = desktop.recorder(wave)
            # The monitor delivers nothing before the stream has settled: start once samples arrive.
            until(10, lambda: wave.stat().st_size > 44144, "no recording")
            status, said = play(*arguments)
            time.sleep(0.3)
            recorder.send_signal(signal.SIGINT)
            recorder.wait()
            if status != 0 or said:
                found.see(False, f"{name}: exit {status}, said: {said}")
            return measure(wave)

        def expect(case, heard, wanted):
            """The played part lasts the length wanted ± 0.02 s and peaks at the peak wanted ± 0.002."""
            found.see(abs(heard[0] - wanted[0]) <= 0.02 and abs(heard[1] - wanted[1]) <= 0.002, case,
                      f"length, peak {heard}; expected {wanted}")

        for name, seconds, frequency, volume, bits in (("tone", 0.8, 440, 0.5, 16), ("long", 3, 300, 0.4, 16),
                                                       ("short", 0.5, 880, 0.6, 16), ("deep", 0.8, 440, 0.5, 24)):
            tone(work / f"{name}.wav", seconds, frequency, volume, bits)
        for name in ("bell", "complete"):
            check(subprocess.run(["sox", f"{THEME}/{name}.oga", "-r", "44100", "-c", "2", "-b", "16",
                                  work / f"{name}.wav"]).returncode == 0, f"no {name}.wav")
        (work / "folder.wav").mkdir()
        (work / "text.wav").write_text("not a sound at all\n")
        whole = (work / "tone.wav").read_bytes()
        (work / "truncated.wav").write_bytes(whole[:30000])
        os.mkfifo(work / "pipe.wav")
        # A header that claims far more samples than follow it.
        (work / "lying.wav").write_bytes(whole[:40] + b"\xf0\xff\xff\x7f" + whole[44:20044])
        (work / "huge.wav").touch()
        os.truncate(work / "huge.wav", 2 << 30)
        odd_name = work / "a\nb; $(touch pwned) `touch pwned`.wav"
        bell, short, played = measure(work / "bell.wav"), measure(work / "short.wav"), measure(work / "tone.wav")

        expect("a wave file by its full path plays its samples", record("wave-file", work / "tone.wav", "@1500"),
               played)
        expect("a theme sound by name: bell", record("theme-bell", "bell", "@1000"), bell)
        expect("a theme sound by name: complete", record("theme-complete", "complete", "@1800"),
               measure(work / "complete.wav"))
        expect("a file name relative to the current directory", record("relative-name", "tone.wav", "@1500"), played)
        for label, name in (("empty name", ""), ("missing file", work / "missing.wav"),
                            ("directory", work / "folder.wav"), ("file that is not audio", work / "text.wav"),
                            ("truncated wave file", work / "truncated.wav"),
                            ("24-bit wave, which the service cannot read", work / "deep.wav"),
                            ("FIFO", work / "pipe.wav"), ("device file", "/dev/zero"),
                            ("wave whose header claims more than it holds", work / "lying.wav"),
                            ("huge file that is not audio", work / "huge.wav"),
                            ("name with a newline and shell characters", odd_name),
                            ("theme name that does not exist", "no-such-sound-in-any-theme")):
            expect(f"the default sound for a {label}", record(f"default-{label.replace(' ', '-')}", name, "@1000"),
                   bell)
        found.see(not (work / "pwned").exists(), "no sound name is run as a command")

        # The long sound starts, the short one cuts it off 0.7 s later: what is heard ends with the short
        # one, and the two never sound together (their peaks would add up).
        length, peak = record("cut-off", work / "long.wav", "@700", work / "short.wav", "@1500")
        found.see(short[0] + 0.3 < length < short[0] + 1.0 and abs(peak - short[1]) < 0.005,
                  "a later sound cuts off one still playing", f"length, peak {length} {peak}")

        # A sound server that stops answering holds the service's thread, never the program's end.
        desktop.pulse.send_signal(signal.SIGSTOP)
        started = time.monotonic()
        status, said = play(work / "tone.wav", "@200", work / "short.wav")
        took = time.monotonic() - started
        desktop.pulse.send_signal(signal.SIGCONT)
        found.see(status == 0 and took < 10, "a sound server that stops answering does not hold the program",
                  f"exit {status} after {took:.0f} s")
        found.done(f"recordings in {recordings}")
    return "every kind of name played or gave the default sound; a later sound cuts off; a stopped server holds nothing"

def no_sound_server():
    with Desktop("800x600", sound=False) as desktop:
        (desktop.dir / "folder").mkdir()
        names = [tone(desktop.dir / "tone.wav", 0.3), "bell", "complete", "", desktop.dir / "missing.wav",
                 desktop.dir / "folder", __file__]
        gaps = ["@100"] * (len(names) - 1) + ["@300"]
        done = subprocess.run([playsounds, *(f for pair in zip(names, gaps) for f in pair)], capture_output=True,
                              text=True, timeout=30)
        check(done.returncode == 0 and not done.stderr,
              f"with no sound server the sound service ended with {done.returncode} and said: {done.stderr}")
        app = desktop.start_shown(program)
        ui.press("sair")
        app.ends("sair")
        check(not desktop.said("app"), "the program with no sound server said something")
    return "every kind of name: no error, no crash, no hang; the program starts and ends"

run(sounds_heard, no_sound_server)
