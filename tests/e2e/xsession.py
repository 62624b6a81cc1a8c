"""A private Xvfb server and the simulator running in it, driven as a person would:
answers typed into its console, keys pressed in its window, screenshots read back."""

import ctypes
import fcntl
import os
import select
import struct
import subprocess
import tempfile
import termios
import threading
import time

from ximage import read_xwd

# Xvfb with software GL is slow, and slower still under the sanitizers.
TIMEOUT = float(os.environ.get("AGV_E2E_TIMEOUT", "90"))


def _run(args, env, timeout=30):
    return subprocess.run(args, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          timeout=timeout, check=False)


class XServer:
    """Xvfb on a display number it picks itself; stopped by its own pid."""

    def __init__(self):
        self.proc = None
        self.display = None
        self.log = tempfile.TemporaryFile()

    def start(self):
        # A server the caller runs already, such as the one Wine's session uses.
        if os.environ.get("AGV_E2E_DISPLAY"):
            self.display = os.environ["AGV_E2E_DISPLAY"]
            return
        read_end, write_end = os.pipe()
        try:
            self.proc = subprocess.Popen(
                # Without -noreset the server resets whenever its last client leaves,
                # and a program that connects meanwhile is refused.
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x1024x24",
                 "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=self.log,
                stderr=self.log)
            os.close(write_end)
            number = b""
            deadline = time.monotonic() + TIMEOUT
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                if left <= 0 or not select.select([read_end], [], [], left)[0]:
                    raise RuntimeError("Xvfb did not report its display number")
                piece = os.read(read_end, 16)
                if not piece:
                    raise RuntimeError("Xvfb ended at start: " + self.log_text())
                number += piece
            self.display = ":" + number.decode().strip()
        finally:
            os.close(read_end)

    def log_text(self):
        self.log.seek(0)
        return self.log.read().decode(errors="replace")[-2000:]

    def env(self):
        env = dict(os.environ)
        env["DISPLAY"] = self.display
        env["LIBGL_ALWAYS_SOFTWARE"] = "1"
        env.pop("XAUTHORITY", None)
        # In a sanitizer build the GL driver's own allocations, made in modules it unloads
        # again, show as leaks at exit that no suppression can name; memory errors still halt.
        env["ASAN_OPTIONS"] = (env.get("ASAN_OPTIONS", "") + ":detect_leaks=0").lstrip(":")
        return env

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.log.close()


class _Drain(threading.Thread):
    """Collects a pipe's or a terminal's bytes so the program never blocks on a full pipe."""

    def __init__(self, fd):
        super().__init__(daemon=True)
        self.fd = fd
        self.data = bytearray()
        self.lock = threading.Lock()
        self.start()

    def run(self):
        try:
            for piece in iter(lambda: os.read(self.fd, 4096), b""):
                with self.lock:
                    self.data += piece
        except OSError:  # a terminal once its other side is closed
            pass

    def bytes(self):
        with self.lock:
            return bytes(self.data)


class Program:
    """The simulator with its console on pipes, or on a pseudo-terminal under a UTF-8 locale,
    and its window on the given server; `closed` names standard descriptors it starts without."""

    def __init__(self, path, server, args=(), closed=(), terminal=False):
        self.server = server
        self.env = dict(server.env(), **({"LC_ALL": "C.UTF-8"} if terminal else {}))
        self.master, self.terminal = os.openpty() if terminal else (None, None)
        console = self.terminal if terminal else subprocess.PIPE
        closing = " ".join("%d>&-" % fd for fd in closed)
        self.proc = subprocess.Popen(["sh", "-c", 'exec "$0" "$@" ' + closing, path, *args],
                                     stdin=console, stdout=console, stderr=subprocess.PIPE,
                                     env=self.env)
        self.out = _Drain(self.master if terminal else self.proc.stdout.fileno())
        self.err = _Drain(self.proc.stderr.fileno())
        self.window = None

    # Console side.
    def type(self, text):
        os.write(self.proc.stdin.fileno() if self.master is None else self.master, text.encode())

    def output(self):
        """Console output, written in CP932 on a pipe."""
        return self.out.bytes().decode("cp932" if self.master is None else "utf-8",
                                       errors="replace")

    def wait_key_mode(self):
        """On the terminal: until a single-key read has switched line editing off."""
        deadline = time.monotonic() + TIMEOUT
        while termios.tcgetattr(self.terminal)[3] & termios.ICANON:
            self._check_alive("waiting for a key read")
            if time.monotonic() > deadline:
                raise AssertionError("no key read; output:\n" + self.output()[-1500:])
            time.sleep(0.02)

    def end_terminal(self):
        """Once the program ended: the count of typed bytes left unread, and all output."""
        unread = struct.unpack("i", fcntl.ioctl(self.terminal, termios.FIONREAD, b"\0" * 4))[0]
        os.close(self.terminal)
        self.terminal = None
        self.out.join(TIMEOUT)
        return unread, self.out.bytes()

    def wait_output(self, text, count=1):
        deadline = time.monotonic() + TIMEOUT
        while self.output().count(text) < count:
            self._check_alive("waiting for console text %r" % text)
            if time.monotonic() > deadline:
                raise AssertionError("console never showed %r %d times; output:\n%s"
                                     % (text, count, self.output()[-1500:]))
            time.sleep(0.1)

    # Window side.
    def find_window(self):
        """The id of the program's mapped top-level window, or None."""
        found = _run(["xdotool", "search", "--onlyvisible", "--name", "x,X,y,Y"],
                     self.env).stdout.split()
        return found[0].decode() if found else None

    def wait_window(self):
        deadline = time.monotonic() + TIMEOUT
        while True:
            self._check_alive("waiting for the window")
            self.window = self.find_window()
            if self.window:
                self._place_on_screen()
                return self.window
            if time.monotonic() > deadline:
                raise AssertionError("no window appeared; output:\n" + self.output()[-1500:])
            time.sleep(0.2)

    def _place_on_screen(self):
        """Without a window manager GLUT's default place is (-1, -1), one pixel off screen;
        move the window fully on screen, as a window manager would, so screenshots are whole."""
        _run(["xdotool", "windowmove", "--sync", self.window, "16", "16"], self.env)

    def resize(self, width, height):
        _run(["xdotool", "windowsize", "--sync", self.window, str(width), str(height)], self.env)

    def property(self, name, format_=None):
        """(type, raw xprop value) of a window property."""
        args = ["xprop", "-id", self.window]
        if format_:
            args += ["-f", name, format_]
        # A UTF-8 locale makes xprop decode compound text.
        line = _run(args + [name], dict(self.env, LC_ALL="C.UTF-8")).stdout.decode(
            errors="replace").strip()
        head, _, value = line.partition(" = ")
        kind = head[head.find("(") + 1:head.find(")")] if "(" in head else ""
        return kind, value

    def geometry(self):
        info = _run(["xwininfo", "-id", self.window], self.env).stdout.decode()
        size = {}
        for line in info.splitlines():
            key, _, value = line.strip().partition(":")
            if key in ("Width", "Height"):
                size[key] = int(value)
        return size.get("Width"), size.get("Height")

    def screenshot(self):
        dump = _run(["xwd", "-silent", "-id", self.window], self.env)
        if dump.returncode != 0:
            raise AssertionError("xwd failed: " + dump.stderr.decode(errors="replace"))
        image = read_xwd(dump.stdout)
        if (image.width, image.height) != self.geometry():
            raise AssertionError("screenshot %dx%d of a window of %s"
                                 % (image.width, image.height, self.geometry()))
        return image

    def press(self, *keys):
        """Keys as X keysym names, sent one after another to the window."""
        result = _run(["xdotool", "key", "--window", self.window, "--delay", "30", *keys],
                      self.env, timeout=TIMEOUT)
        if result.returncode != 0:
            raise AssertionError("xdotool failed: " + result.stderr.decode(errors="replace"))

    def press_escape(self):
        """ESC ends the program at its key press, so no key release is sent."""
        _run(["xdotool", "keydown", "--window", self.window, "Escape"], self.env)

    def wait_image(self, condition, what):
        """A screenshot for which condition(image) holds and that stays the same a moment
        later, so the keys sent before have all been handled."""
        deadline = time.monotonic() + TIMEOUT
        previous = None
        while True:
            self._check_alive("waiting for " + what)
            image = self.screenshot()
            if condition(image):
                if previous is not None and previous.rgb == image.rgb:
                    return image
                previous = image
            else:
                previous = None
            if time.monotonic() > deadline:
                raise AssertionError("the window never showed %s (last screenshot kept in %s)"
                                     % (what, self.keep(image)))
            time.sleep(0.3)

    def keep(self, image):
        from ximage import write_png
        fd, path = tempfile.mkstemp(prefix="agvsim-e2e-", suffix=".png")
        os.close(fd)
        write_png(image, path)
        return path

    def destroy_window(self):
        """XDestroyWindow from another client, as a window manager or script might."""
        xlib = ctypes.CDLL("libX11.so.6")
        xlib.XOpenDisplay.restype = ctypes.c_void_p
        display = ctypes.c_void_p(xlib.XOpenDisplay(self.env["DISPLAY"].encode()))
        xlib.XDestroyWindow(display, ctypes.c_ulong(int(self.window)))
        xlib.XCloseDisplay(display)

    def kill_window(self):
        """xkill's way: the server drops the program's connection."""
        _run(["xdotool", "windowkill", self.window], self.env)

    def cpu_seconds(self):
        with open("/proc/%d/stat" % self.proc.pid) as stat:
            fields = stat.read().rpartition(")")[2].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    # Lifetime.
    def wait_exit(self):
        try:
            return self.proc.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            raise AssertionError("the program did not end")

    def close(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        for fd in (self.terminal, self.master):
            if fd is not None:
                os.close(fd)
        for pipe in (self.proc.stdin, self.proc.stdout, self.proc.stderr):
            try:
                if pipe:
                    pipe.close()
            except OSError:
                pass

    def _check_alive(self, doing):
        if self.proc.poll() is not None:
            raise AssertionError("the program ended with status %s while %s; stderr:\n%s\n"
                                 "output:\n%s" % (self.proc.returncode, doing,
                                                  self.err.bytes().decode(errors="replace")[-1500:],
                                                  self.output()[-1500:]))


class WineProgram(Program):
    """A Windows build of the simulator under Wine (WINEPREFIX and the like from the
    environment). Wine ignores key events sent to a window and reads Shift from its own
    keyboard state, so keys are pressed as real input to the focused window."""

    def __init__(self, path, server, args=()):
        super().__init__("wine", server, (path, *args))

    def press(self, *keys):
        _run(["xdotool", "windowfocus", "--sync", self.window], self.env)
        result = _run(["xdotool", "key", "--delay", "30", *keys], self.env, timeout=TIMEOUT)
        if result.returncode != 0:
            raise AssertionError("xdotool failed: " + result.stderr.decode(errors="replace"))
