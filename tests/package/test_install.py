#!/usr/bin/env python3
"""Installs into a temporary DESTDIR and uses the installed program and tool
the way a user of the machine does, with HOME and XDG_DATA_HOME in a
temporary folder: the first start copies the delivered data into the user's
folder and opens the demo plan there; a change lands in the user's folder,
never under DESTDIR/usr/share; a second start finds it.

The window part needs an X display and xdotool (CTest runs this under
xvfb-run when it is installed); without them only the files and the tool are
checked.

Usage: test_install.py BUILD_DIR
"""
import json, os, shutil, subprocess, sys, tempfile, time

BUILD = os.path.abspath(sys.argv[1])
SKIP = 77
failures = []


def check(cond, what):
    if not cond:
        failures.append(what)
    return cond


INSTALLED = [
    'usr/bin/orvanta', 'usr/bin/orvanta-tool',
    'usr/share/orvanta/Orvan.Dat', 'usr/share/orvanta/Sterbetafel_2004.csv',
    'usr/share/orvanta/FAZ 30_05_06.pdf', 'usr/share/orvanta/G002 m 35 100 1 5 30.txt',
    'usr/share/orvanta/bank_logo.jpg', 'usr/share/orvanta/matterhorn.jpg',
    'usr/share/orvanta/schweizerkreuz.jpg',
    'usr/share/applications/orvanta.desktop',
    'usr/share/icons/hicolor/scalable/apps/orvanta.svg',
    'usr/share/icons/hicolor/256x256/apps/orvanta.png',
    'usr/share/metainfo/de.orvanta.orvanta.metainfo.xml',
    'usr/share/man/man1/orvanta.1.gz', 'usr/share/man/man1/orvanta-tool.1.gz',
    'usr/share/doc/orvanta/copyright', 'usr/share/doc/orvanta/changelog.gz',
]


def read(path):
    with open(path, 'rb') as f:
        return f.read()


class Installed:
    def __init__(self, tmp):
        self.root = os.path.join(tmp, 'root')
        self.home = os.path.join(tmp, 'home')
        self.work = os.path.join(tmp, 'Kunden')
        self.share = os.path.join(self.root, 'usr/share/orvanta')
        self.user = os.path.join(self.home, '.local/share/orvanta')
        runtime = os.path.join(tmp, 'run')
        for d in (self.home, self.work, runtime):
            os.makedirs(d, mode=0o700)
        self.env = dict(os.environ, HOME=self.home, XDG_DATA_HOME=os.path.join(self.home, '.local/share'),
                        XDG_CONFIG_HOME=os.path.join(self.home, '.config'), XDG_RUNTIME_DIR=runtime)
        self.env.pop('QT_QPA_PLATFORM', None)

    def bin(self, name):
        return os.path.join(self.root, 'usr/bin', name)

    def tool(self, *args):
        return subprocess.run([self.bin('orvanta-tool'), *args], cwd=self.work, env=self.env,
                              capture_output=True, timeout=120)

    def surname(self, plan):
        p = self.tool('dump', plan)
        if p.returncode != 0:
            return None
        return json.loads(p.stdout)['Nachname']


def install(tmp):
    inst = Installed(tmp)
    p = subprocess.run(['cmake', '--install', BUILD, '--prefix', '/usr'],
                       env=dict(os.environ, DESTDIR=inst.root), capture_output=True, text=True)
    if not check(p.returncode == 0, f'cmake --install: {p.stderr}'):
        return None
    for f in INSTALLED:
        check(os.path.isfile(os.path.join(inst.root, f)), f'not installed: {f}')
    check(not os.path.exists(os.path.join(inst.root, 'usr/local')), 'files under usr/local')
    return inst


def command_line(inst):
    p = subprocess.run([inst.bin('orvanta'), '--version'], env=inst.env, capture_output=True, timeout=30)
    check(p.returncode == 0 and p.stdout == b'Orvanta 1.6\n', f'orvanta --version: {p}')
    p = subprocess.run([inst.bin('orvanta'), '--help'], env=inst.env, capture_output=True, timeout=30)
    check(p.returncode == 0 and 'Aufruf: orvanta' in p.stdout.decode(), f'orvanta --help: {p}')

    # A fresh plan from the delivered defaults, from any working directory.
    p = inst.tool('new', 'Meier.Dat')
    plan = os.path.join(inst.work, 'Meier.Dat')
    check(p.returncode == 0 and read(plan) == read(os.path.join(inst.share, 'Orvan.Dat')), f'new: {p}')

    # The installed tool finds the mortality table in ../share/orvanta: a plan
    # ending at life expectancy gives the same table as the build's tool.
    src = json.loads(inst.tool('dump', 'Meier.Dat').stdout)
    src['AuszEndeArt'] = 2
    with open(os.path.join(inst.work, 'le.json'), 'w', encoding='utf-8') as f:
        json.dump(src, f, ensure_ascii=False)
    check(inst.tool('make', 'le.json', 'le.Dat').returncode == 0, 'make le.Dat')
    installed = inst.tool('csv', 'le.Dat', 'entnahme')
    built = subprocess.run([os.path.join(BUILD, 'bin/orvanta-tool'), 'csv', 'le.Dat', 'entnahme'],
                           cwd=inst.work, capture_output=True, timeout=120)
    check(installed.returncode == 0 and installed.stdout == built.stdout and installed.stdout.count(b'\n') > 3,
          f'csv with the installed mortality table: {installed.stderr!r}')


def wait_for(cond, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        if cond():
            return True
        time.sleep(0.2)
    return False


def xdo(*args):
    return subprocess.run(['xdotool', *args], capture_output=True, text=True, timeout=60)


class Program:
    """The installed program in its own process, found by its window caption."""

    def __init__(self, inst, *args):
        # Standard error goes to a file: a pipe nobody reads could block the
        # program, and a failed start should say why.
        self.log = tempfile.TemporaryFile(dir=inst.work)
        self.proc = subprocess.Popen([inst.bin('orvanta'), *args], cwd=inst.work, env=inst.env,
                                     stdout=subprocess.DEVNULL, stderr=self.log)
        self.window = None

    def errors(self):
        self.log.seek(0)
        lines = self.log.read().decode(errors='replace').splitlines()
        return '\n'.join(lines[:40])

    def find(self, caption, seconds=30):
        def found():
            r = xdo('search', '--onlyvisible', '--name', caption)
            if r.returncode == 0 and r.stdout.split():
                self.window = r.stdout.split()[0]
                return True
            return False
        return wait_for(found, seconds)

    def type_into_focus(self, text):
        xdo('windowfocus', '--sync', self.window)
        time.sleep(0.5)
        xdo('key', 'ctrl+a')
        xdo('type', '--delay', '20', text)
        xdo('key', 'Tab')

    def save_and_quit(self):
        # "&speichern und beenden"
        xdo('key', 'alt+s')
        try:
            return self.proc.wait(20) == 0
        except subprocess.TimeoutExpired:
            return False

    def screenshot(self, name):
        if shutil.which('import'):
            subprocess.run(['import', '-window', 'root', os.path.join(BUILD, name)], capture_output=True)

    def end(self):
        if self.proc.poll() is not None:
            return
        self.proc.terminate()
        try:
            self.proc.wait(20)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()


def window(inst):
    delivered = read(os.path.join(inst.share, 'Orvan.Dat'))
    user_plan = os.path.join(inst.user, 'Orvan.Dat')

    first = Program(inst)
    try:
        if not check(first.find('^Orvanta 1.6'), f'first start: no main window\n{first.errors()}'):
            return
        check(os.path.isfile(user_plan), 'first start: no plan in the user folder')
        for name in os.listdir(inst.share):
            check(os.path.isfile(os.path.join(inst.user, name)), f'first start: {name} not copied')
        check(wait_for(lambda: inst.surname(user_plan) == 'Mustermann'), 'first start: not the demo plan')
        first.screenshot('install-first-start.png')
        first.type_into_focus('Musterfrau')
        check(first.save_and_quit(), f'"speichern und beenden" did not end the program\n{first.errors()}')
        saved = inst.surname(user_plan)
        check(saved == 'Musterfrau', f'change not saved in the user folder: {saved!r}')
    finally:
        first.end()
    check(read(os.path.join(inst.share, 'Orvan.Dat')) == delivered, 'DESTDIR/usr/share/orvanta/Orvan.Dat changed')
    check(not any(n.startswith('Orvan.Dat.') for n in os.listdir(inst.share)), 'files left under usr/share')

    second = Program(inst)
    try:
        check(second.find('^Orvanta 1.6'), f'second start: no main window\n{second.errors()}')
        time.sleep(1)
        second.screenshot('install-second-start.png')
        check(inst.surname(user_plan) == 'Musterfrau', 'second start: the change is gone')
    finally:
        second.end()


def main():
    with tempfile.TemporaryDirectory(prefix='orvanta-install-') as tmp:
        inst = install(tmp)
        if inst:
            command_line(inst)
            gui = os.environ.get('DISPLAY') and shutil.which('xdotool')
            if gui:
                window(inst)
            else:
                print('Kein Display oder kein xdotool: Fensterteil übersprungen')
    for f in failures:
        print('FEHLER:', f)
    print(f'{len(failures)} Fehler')
    return 1 if failures else 0


sys.exit(main())
