#!/usr/bin/env python3
"""orvanta-tool csv and new, run as the adviser runs them.

The CSV figures must be the figures of `orvanta-tool calc` after German
formatting (two decimals, rounded half away from zero after 15 significant
digits, decimal comma, no grouping), and a spreadsheet-style read back
(Python csv with ";") must give the same numbers.

Usage: check_csv.py TOOL DATA_DIR WORK_DIR
"""
import csv, io, json, math, os, shutil, subprocess, sys
from decimal import Decimal, ROUND_HALF_UP

TOOL, DATA, WORK = sys.argv[1], sys.argv[2], sys.argv[3]
failures = []


def check(cond, what):
    if not cond:
        failures.append(what)


def run(*args, cwd=DATA):
    return subprocess.run([TOOL, *args], cwd=cwd, capture_output=True, timeout=120)


def german(v):
    d = Decimal(format(v, '.15g')).quantize(Decimal('0.01'), rounding=ROUND_HALF_UP)
    if d == 0:
        d = Decimal('0.00')
    return str(d).replace('.', ',')


def read_back(text):
    # What a German spreadsheet does with a cell: the comma is the decimal point.
    return float(text.replace(',', '.'))


def table(plan, name, first='Jahr'):
    p = run('csv', plan, name)
    check(p.returncode == 0, f'csv {name} {plan}: exit {p.returncode} {p.stderr!r}')
    raw = p.stdout
    check(raw.startswith(b'\xef\xbb\xbf'), f'csv {name}: no byte order mark')
    check(b'\n' not in raw.replace(b'\r\n', b''), f'csv {name}: a line not ended by CR LF')
    rows = list(csv.reader(io.StringIO(raw.decode('utf-8-sig'), newline=''), delimiter=';'))
    check(len(rows) >= 1 and rows[0][0] == first, f'csv {name}: header {rows[:1]}')
    check(all(len(r) == len(rows[0]) for r in rows), f'csv {name}: rows of different length')
    return rows[0], rows[1:]


def same(cell, value, what):
    check(cell == german(value), f'{what}: {cell!r} != {german(value)!r}')
    check(abs(read_back(cell) - value) <= 0.005 + 1e-9 * abs(value), f'{what}: read back {cell!r} vs {value}')


def compare(plan):
    calc = run('calc', plan)
    check(calc.returncode == 0, f'calc {plan}: {calc.stderr!r}')
    res = json.loads(calc.stdout)
    perf = res['record']['Performance']

    head, rows = table(plan, 'aufbau')
    check(head[3] == f'Netto-Depotwert {german(perf[1])[:-1]} % (EUR)', f'aufbau header {head[3]!r}')
    expected = res['aufbautabelle'][1:]
    check(len(rows) == len(expected), f'aufbau {plan}: {len(rows)} rows, {len(expected)} expected')
    for row, z in zip(rows, expected):
        check(row[0] == str(math.trunc(z['Jahr'])) and row[1] == str(z['Alter']), f'aufbau year/age {row[:2]}')
        same(row[2], z['Betrag'], f'aufbau Betrag year {row[0]}')
        for k in range(4):
            same(row[3 + k], z['NIW'][k + 1], f'aufbau NIW[{k + 1}] year {row[0]}')

    head, rows = table(plan, 'entnahme')
    expected = res['entnahmetabelle']
    check(len(rows) == len(expected), f'entnahme {plan}: {len(rows)} rows, {len(expected)} expected')
    for row, z in zip(rows, expected):
        check(row[0] == str(math.trunc(z['Jahr'])), f'entnahme year {row[0]}')
        same(row[2], z['Betrag'], f'entnahme Betrag year {row[0]}')
        for k in range(4):
            same(row[3 + k], z['NIW'][k + 1], f'entnahme NIW[{k + 1}] year {row[0]}')
            same(row[7 + k], z['Summe'][k + 1], f'entnahme Summe[{k + 1}] year {row[0]}')

    head, rows = table(plan, 'provision')
    jahre = res['provision']['Jahre']
    check(len(rows) == len(jahre), f'provision {plan}: {len(rows)} rows, {len(jahre)} expected')
    with_frv = res['record']['Anlageart'] == 1
    check(len(head) == (5 if with_frv else 3), f'provision header {head}')
    for row, j in zip(rows, jahre):
        same(row[1], j['BP'], f'provision BP year {row[0]}')
        same(row[2], j['BP_Summe'], f'provision BP_Summe year {row[0]}')
        if with_frv:
            same(row[3], j['FRV'], f'provision FRV year {row[0]}')
            same(row[4], j['FRV_Summe'], f'provision FRV_Summe year {row[0]}')

    # The cost overview: one row per figure, the columns of calc's "kosten".
    head, rows = table(plan, 'kosten', 'Kennzahl')
    check(head[1:] == [f'Wertentwicklung {german(p)[:-1]} %' for p in perf[1:5]], f'kosten header {head}')
    kosten = res['kosten']
    names = ['Einzahlungen', 'Einrichtungsgebuehr', 'Managementgebuehr', 'Depotgebuehr',
             'KostenGesamt', 'DepotwertOhneKosten', 'DepotwertMitKosten', 'Renditeminderung']
    check(len(rows) == (len(names) if kosten else 0), f'kosten {plan}: {len(rows)} rows')
    for row, name in zip(rows, names):
        for k in range(4):
            v = kosten[k][name]
            if v is None:
                check(row[1 + k] == '', f'kosten {name}[{k + 1}]: {row[1 + k]!r} for none')
            else:
                same(row[1 + k], v, f'kosten {name}[{k + 1}]')


def variant(name, **fields):
    src = json.loads(run('dump', os.path.join(DATA, 'Orvan.Dat')).stdout)
    src.update(fields)
    path = os.path.join(WORK, name + '.json')
    with open(path, 'w', encoding='utf-8') as f:
        json.dump(src, f, ensure_ascii=False)
    out = os.path.join(WORK, name + '.Dat')
    p = run('make', path, out)
    check(p.returncode == 0, f'make {name}: {p.stderr!r}')
    return out


def main():
    shutil.rmtree(WORK, ignore_errors=True)
    os.makedirs(WORK)
    demo = os.path.join(DATA, 'Orvan.Dat')
    compare(demo)
    # Life expectancy from the mortality table; a lump sum without FRV figures.
    compare(variant('lebenserwartung', AuszEndeArt=2, Geschlecht=2))
    compare(variant('einmalanlage', Anlageart=2, Anlagebetrag=25000.0, AgioZahlungsart=1))
    # No accumulation: the cost overview is the header alone.
    compare(variant('laufzeit0', Anlageart=2, Anlagebetrag=5000.0, Laufzeit=0, Einzahlungsdauer=0,
                    Kapital_aus_Einzahlung=False))

    # new: the delivered plan, byte for byte; an existing file stays as it was.
    fresh = os.path.join(WORK, 'Kunde Meier.Dat')
    p = run('new', fresh)
    check(p.returncode == 0, f'new: {p.stderr!r}')
    with open(fresh, 'rb') as a, open(demo, 'rb') as b:
        check(a.read() == b.read(), 'new: not the delivered plan')
    with open(fresh, 'wb') as f:
        f.write(b'x' * 10)
    p = run('new', fresh)
    check(p.returncode == 1 and 'bleibt unverändert' in p.stderr.decode(), f'new over a file: {p.returncode} {p.stderr!r}')
    with open(fresh, 'rb') as f:
        check(f.read() == b'x' * 10, 'new replaced an existing file')
    # A bare name gets ".Dat", so the program's "*.Dat" dialogs show it; a name
    # with an extension is taken as it stands.
    for given, made in [('Weber', 'Weber.Dat'), ('Frau Weber', 'Frau Weber.Dat'),
                        ('Weber.dat', 'Weber.dat'), ('Weber.plan', 'Weber.plan')]:
        p = run('new', given, cwd=WORK)
        check(p.returncode == 0 and os.path.isfile(os.path.join(WORK, made))
              and made in p.stdout.decode() and (given == made or not os.path.exists(os.path.join(WORK, given))),
              f'new {given}: {p.returncode} {p.stdout!r} {p.stderr!r}')
    p = run('new', 'Weber', cwd=WORK)
    check(p.returncode == 1 and 'Weber.Dat' in p.stderr.decode(), f'new Weber twice: {p.stderr!r}')

    # Wrong use and files that are no plan.
    short = os.path.join(WORK, 'kurz.Dat')
    with open(short, 'wb') as f:
        f.write(b'\0' * 100)
    for args, code, text in [
        (('csv', demo, 'tabelle'), 2, 'Aufruf'),
        (('csv', demo), 2, 'Aufruf'),
        (('new',), 2, 'Aufruf'),
        (('csv', short, 'aufbau'), 1, 'Versuch hinter dem Dateiende zu lesen'),
        (('csv', os.path.join(WORK, 'fehlt.Dat'), 'aufbau'), 1, 'Datei nicht gefunden'),
    ]:
        p = run(*args)
        check(p.returncode == code and text in p.stderr.decode() and not p.stdout,
              f'{args}: exit {p.returncode} {p.stderr!r}')

    for f in failures:
        print('FEHLER:', f)
    print(f'{len(failures)} Abweichungen')
    return 1 if failures else 0


sys.exit(main())
