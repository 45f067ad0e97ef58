#!/usr/bin/env python3
"""Installs into a temporary DESTDIR and uses the installed program and tool
the way users of the machine do, each with HOME and XDG_DATA_HOME in a
temporary folder: the first start makes the user's private folder with the
demo plan alone and opens it; a change lands in the user's folder, never
under DESTDIR/usr/share; a second start finds it. A package update that
corrects the mortality table reaches tool and program at once, also for a
user whose folder still holds the copies an earlier version made there. File
managers tell a plan from other .dat files.

The window part needs an X display and xdotool (CTest runs this under
xvfb-run when it is installed); without them only the files and the tool are
checked.

Usage: test_install.py BUILD_DIR
"""
import json, os, re, shutil, stat, subprocess, sys, tempfile, time

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
    'usr/share/metainfo/de.orvanta.orvanta.metainfo.xml', 'usr/share/mime/packages/orvanta.xml',
    'usr/share/man/man1/orvanta.1.gz', 'usr/share/man/man1/orvanta-tool.1.gz',
    'usr/share/doc/orvanta/copyright', 'usr/share/doc/orvanta/changelog.gz',
]


def read(path):
    with open(path, 'rb') as f:
        return f.read()


class Installed:
    def __init__(self, tmp, home='home'):
        self.tmp = tmp
        self.root = os.path.join(tmp, 'root')
        self.home = os.path.join(tmp, home)
        self.work = os.path.join(tmp, 'Kunden')
        self.share = os.path.join(self.root, 'usr/share/orvanta')
        self.user = os.path.join(self.home, '.local/share/orvanta')
        runtime = os.path.join(tmp, 'run-' + home)
        for d in (self.home, self.work, runtime):
            os.makedirs(d, mode=0o700, exist_ok=True)
        self.env = dict(os.environ, HOME=self.home, XDG_DATA_HOME=os.path.join(self.home, '.local/share'),
                        XDG_CONFIG_HOME=os.path.join(self.home, '.config'), XDG_RUNTIME_DIR=runtime)
        self.env.pop('QT_QPA_PLATFORM', None)

    def other_user(self, home):
        return Installed(self.tmp, home)

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

    def withdrawal_years(self, plan):
        p = self.tool('calc', plan)
        return json.loads(p.stdout)['record']['AuszDauer'] if p.returncode == 0 else None


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

    # A table beside the plan is not the program's: the tool does not read it either.
    before = inst.withdrawal_years('le.Dat')
    with open(os.path.join(inst.work, 'Sterbetafel_2004.csv'), 'wb') as f:
        f.write(b'Alter;Maenner;Frauen\r\n0;1,0;1,0\r\n')
    check(inst.withdrawal_years('le.Dat') == before, 'the tool read the mortality table beside the plan')
    # The package update corrects the mortality table: the result changes at once.
    update_mortality_table(inst, 10)
    after = inst.withdrawal_years('le.Dat')
    check(before is not None and after == before + 10, f'update: withdrawal years {before} -> {after}')
    return before


def update_mortality_table(inst, years):
    """As a package update would: the installed table with every value raised by years."""
    path = os.path.join(inst.share, 'Sterbetafel_2004.csv')
    lines = read(path).decode('ascii').split('\r\n')
    raise_ = lambda m: f"{float(m.group(0).replace(',', '.')) + years:.2f}".replace('.', ',')
    lines[1:] = [re.sub(r'\d+,\d+', raise_, line) for line in lines[1:]]
    with open(path, 'wb') as f:
        f.write('\r\n'.join(lines).encode('ascii'))


def mime_types(inst):
    """What a file manager takes a plan and other .dat files for (gio, with the
    installed shared-mime-info definition)."""
    if not (shutil.which('gio') and shutil.which('update-mime-database')):
        print('gio oder update-mime-database fehlt: MIME-Teil übersprungen')
        return
    share = os.path.join(inst.tmp, 'mime-share')
    os.makedirs(os.path.join(share, 'mime/packages'))
    shutil.copy(os.path.join(inst.root, 'usr/share/mime/packages/orvanta.xml'), os.path.join(share, 'mime/packages'))
    p = subprocess.run(['update-mime-database', os.path.join(share, 'mime')], capture_output=True, text=True)
    check(p.returncode == 0, f'update-mime-database: {p.stderr}')
    env = dict(inst.env, XDG_DATA_DIRS=share + ':/usr/share')
    plan = read(os.path.join(inst.work, 'Meier.Dat'))
    samples = {'Kunde.Dat': plan, 'kunde.dat': plan, 'Kunde ohne Endung': plan,
               'fremd.dat': bytes((i * 7919) % 251 for i in range(4824)), 'notiz.dat': b'Telefon 0123\n' * 400}
    for name, content in samples.items():
        with open(os.path.join(inst.work, name), 'wb') as f:
            f.write(content)
        p = subprocess.run(['gio', 'info', '-a', 'standard::content-type', name], cwd=inst.work, env=env,
                           capture_output=True, text=True)
        is_plan = 'application/x-orvanta-plan' in p.stdout
        check(p.returncode == 0 and is_plan == (content == plan), f'gio info {name}: {p.stdout} {p.stderr}')
    desktop = read(os.path.join(inst.root, 'usr/share/applications/orvanta.desktop')).decode()
    check('MimeType=application/x-orvanta-plan;' in desktop and 'Exec=orvanta %f' in desktop,
          'desktop entry: no MimeType or no %f')


def wait_for(cond, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        if cond():
            return True
        time.sleep(0.2)
    return False


def xdo(*args):
    return subprocess.run(['xdotool', *args], capture_output=True, text=True, timeout=60)


def window_named(caption, seconds=30):
    """The first visible window whose name matches caption, waited for."""
    found = []
    def look():
        r = xdo('search', '--onlyvisible', '--name', caption)
        found[:] = r.stdout.split() if r.returncode == 0 else []
        return bool(found)
    return found[0] if wait_for(look, seconds) else None


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
        self.window = window_named(caption, seconds)
        return self.window is not None

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
        # The plan alone, private: the delivered files are read where they lie.
        files = [n for n in os.listdir(inst.user) if not n.endswith('.lock')]
        check(files == ['Orvan.Dat'], f'first start: the user folder holds {files}')
        check(stat.S_IMODE(os.stat(user_plan).st_mode) == 0o600 and stat.S_IMODE(os.stat(inst.user).st_mode) == 0o700,
              'first start: the plan or the folder can be read by others')
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


def earlier_version_user(inst, old):
    """A user of an earlier version: the copies it made of the delivered files
    (as the build delivers them, before the update of command_line), one FRV
    file changed by the user, and the plan ending at life expectancy, whose
    withdrawal years were old before the update."""
    b = inst.other_user('home-b')
    os.makedirs(b.user)
    built = os.path.join(BUILD, 'bin')
    for name in os.listdir(built):
        if re.fullmatch(r'Sterbetafel_2004\.csv|G002 .*\.txt|.*\.jpg|.*\.pdf', name):
            shutil.copy(os.path.join(built, name), b.user)
    changed = 'G002 m 35 100 1 5 30.txt'
    with open(os.path.join(b.user, changed), 'ab') as f:
        f.write(b'eigene Zeile\r\n')
    plan = os.path.join(b.user, 'Orvan.Dat')
    check(b.tool('make', 'le.json', plan).returncode == 0, 'make the earlier plan')

    prog = Program(b)
    try:
        if not check(prog.find('^Orvanta 1.6'), f'earlier user: no main window\n{prog.errors()}'):
            return
        notice = window_named('^Orvanta$')
        if check(notice, 'earlier user: no notice about the changed file'):
            prog.screenshot('install-notice.png')
            xdo('windowfocus', '--sync', notice)
            xdo('key', 'Return')
            check(wait_for(lambda: not window_named('^Orvanta$', 0.5)), 'the notice does not close')
        files = sorted(n for n in os.listdir(b.user) if not n.endswith('.lock'))
        check(files == ['.alte-Referenzdaten-gemeldet', changed, 'Orvan.Dat'], f'earlier user: the folder holds {files}')
        prog.type_into_focus('Mustermann-Neu')
        check(prog.save_and_quit(), f'earlier user: "speichern und beenden"\n{prog.errors()}')
    finally:
        prog.end()
    # The program's result is the tool's, both with the updated table.
    saved = json.loads(b.tool('dump', plan).stdout)
    check(saved['Nachname'] == 'Mustermann-Neu' and saved['AuszDauer'] == b.withdrawal_years(plan) == old + 10,
          f'earlier user: withdrawal years {saved["AuszDauer"]}, before the update {old}')


def main():
    with tempfile.TemporaryDirectory(prefix='orvanta-install-') as tmp:
        inst = install(tmp)
        if inst:
            old = command_line(inst)
            gui = os.environ.get('DISPLAY') and shutil.which('xdotool')
            mime_types(inst)
            if gui:
                window(inst)
                earlier_version_user(inst, old)
            else:
                print('Kein Display oder kein xdotool: Fensterteil übersprungen')
    for f in failures:
        print('FEHLER:', f)
    print(f'{len(failures)} Fehler')
    return 1 if failures else 0


sys.exit(main())
