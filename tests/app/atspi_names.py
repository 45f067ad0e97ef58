#!/usr/bin/env python3
"""What a screen reader reads: starts the program on a copy of the delivered
plan under a virtual X display with an accessibility bus and reads its
window through AT-SPI (pyatspi), as Orca does. Skips (77) where no
accessibility bus or reader library is at hand.

atspi_names.py PROGRAM BIN_DIR WORK_DIR [--zeigen]
"""
import os
import shutil
import subprocess
import sys
import time

SKIP = 77
NOCHMAL = 75  # the virtual display was taken by a parallel run: once more


def innen(programm, arbeit, zeigen):
    import pyatspi

    plan = os.path.join(arbeit, "Plan.Dat")
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               QT_ACCESSIBILITY="1", XDG_CONFIG_HOME=os.path.join(arbeit, "config"))
    prozess = subprocess.Popen([programm, plan], env=env)
    try:
        fenster = None
        for _ in range(200):
            if prozess.poll() is not None:
                print("Das Programm endete vorzeitig (kein Bildschirm?).")
                return NOCHMAL
            desktop = pyatspi.Registry.getDesktop(0)
            for app in desktop:
                if app is not None and app.name.lower() == "orvanta":
                    for f in app:
                        if f is not None and f.name.startswith("Orvanta"):
                            fenster = f
            if fenster is not None and len(list(gesammelt(fenster))) > 100:
                break
            time.sleep(0.1)
        if fenster is None:
            print("Kein Fenster über AT-SPI gefunden.")
            return 1
        gelesen = list(gesammelt(fenster))
        if zeigen:
            for rolle, name in gelesen:
                print(f"{rolle:16} {name}")
        gefunden = set(gelesen)
        erwartet = [("text", "Name"), ("text", "Vorname"), ("text", "Alter"),
                    ("text", "Monatsbetrag Aufbauplan"), ("text", "Anlagedauer"),
                    ("text", "Einzahlungsdauer"), ("check box", "Dynamik"),
                    ("text", "Entnahme ab Alter"), ("text", "Entnahme bis Alter individuell"),
                    ("text", "Monatliche Entnahme"), ("text", "Kapital bei Entnahmebeginn"),
                    ("push button", "speichern und beenden"),
                    ("push button", "Ergebnis / Ausdruck"), ("push button", "Einstellungen"),
                    ("heading", "Angaben zur Person"), ("menu item", "Datei"), ("menu item", "Hilfe")]
        fehlt = [e for e in erwartet if e not in gefunden]
        zellen = [n for r, n in gelesen if r == "table cell"]
        if len(zellen) != 26 or not any(n.startswith("Mögliche monatliche Entnahme") and
                                        ", 6 %: " in n for n in zellen):
            fehlt.append(("table cell", f"{len(zellen)} Zellen: {zellen[:3]}"))
        if fehlt:
            print("Fehlt:", fehlt)
            return 1
        print(f"{len(gelesen)} Elemente gelesen, {len(zellen)} Ergebniszellen.")
        return 0
    finally:
        prozess.terminate()
        prozess.wait(10)


def gesammelt(knoten, tiefe=0):
    """(role, name) of every showing node below knoten."""
    import pyatspi
    if tiefe > 30 or knoten is None:
        return
    try:
        zustand = knoten.getState()
        if not zustand.contains(pyatspi.STATE_SHOWING) and tiefe > 0:
            return
        yield knoten.getRoleName(), knoten.name
        for kind in knoten:
            yield from gesammelt(kind, tiefe + 1)
    except Exception:
        return


def main():
    programm, bin_dir, arbeit = sys.argv[1:4]
    zeigen = "--zeigen" in sys.argv
    if os.environ.get("ORVANTA_ATSPI_INNEN"):
        return innen(programm, arbeit, zeigen)
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        # Debian's reader library belongs to the system's Python.
        system = "/usr/bin/python3"
        if os.path.realpath(sys.executable) != os.path.realpath(system) and os.path.exists(system):
            os.execv(system, [system, os.path.abspath(__file__)] + sys.argv[1:])
        print("pyatspi fehlt (python3-pyatspi): übersprungen.")
        return SKIP
    for werkzeug in ("xvfb-run", "dbus-run-session"):
        if not shutil.which(werkzeug):
            print(f"{werkzeug} fehlt: übersprungen.")
            return SKIP
    if not os.path.exists("/usr/libexec/at-spi-bus-launcher"):
        print("at-spi2-core fehlt: übersprungen.")
        return SKIP
    shutil.rmtree(arbeit, ignore_errors=True)
    os.makedirs(arbeit)
    shutil.copy(os.path.join(bin_dir, "Orvan.Dat"), os.path.join(arbeit, "Plan.Dat"))
    env = dict(os.environ, ORVANTA_ATSPI_INNEN="1")
    env.pop("QT_QPA_PLATFORM", None)
    for _ in range(3):
        ergebnis = subprocess.run(
            ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", "dbus-run-session", "--",
             sys.executable, os.path.abspath(__file__)] + sys.argv[1:], env=env, timeout=120)
        if ergebnis.returncode != NOCHMAL:
            break
    return ergebnis.returncode


if __name__ == "__main__":
    sys.exit(main())
