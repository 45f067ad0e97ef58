#!/usr/bin/env python3
"""Writes the FRV comparison files delivered in data/.

Each file holds, for one customer profile, the value of a fund-linked pension
insurance (FRV) with the same contributions as the fund plan at the end of
every year, for the scenario returns 0, 3, 6 and 9 % p.a. The values are a
plausible model, not a tariff: contributions grow with the Dynamik once a
year, the fund return is compounded monthly after running costs, and
acquisition costs, a small fixed charge and a risk charge are taken from the
contract value, so the FRV ends below the fund plan.

Run from anywhere:  python3 scripts/make_frv_files.py [TARGET_DIR]
"""

import math
import os
import sys

PREFIX = "G002"
PROFILE = 1  # the data file's FRV_Parameter
RATES = (0, 3, 6, 9)

RUNNING_COSTS = 1.5  # % p.a. taken from the return
ACQUISITION_SHARE = 0.025  # of all contributions of the term ...
ACQUISITION_MONTHS = 60  # ... charged over the first five years
FIXED_CHARGE = 1.0  # euro per month

# (sex, age, monthly amount, Dynamik, years); the first is the demo plan.
PROFILES = [
    ("m", 35, 100, 5, 30),
    ("m", 30, 100, 5, 30),
    ("m", 40, 100, 5, 30),
    ("w", 35, 100, 5, 30),
    ("m", 35, 100, 0, 30),
    ("w", 35, 100, 0, 30),
    ("m", 35, 150, 5, 30),
    ("m", 35, 100, 5, 25),
]


def shortest(x):
    """Shortest decimal form with a comma, as the program builds file names."""
    text = repr(float(x))
    if text.endswith(".0"):
        text = text[:-2]
    return text.replace(".", ",")


def german(x):
    """12.345,67"""
    cents = round(x * 100)
    sign = "-" if cents < 0 else ""
    cents = abs(cents)
    whole, frac = divmod(cents, 100)
    digits = f"{whole:,}".replace(",", ".")
    return f"{sign}{digits},{frac:02d}"


def death_rate(sex, age):
    """Yearly probability of death; a Gompertz curve near common tables."""
    q = 0.0006 * math.exp(0.085 * (age - 30))
    return q * (0.6 if sex == "w" else 1.0)


def contribution(amount, dynamik, year):
    return amount * (1 + dynamik / 100) ** (year - 1)


def values(sex, age, amount, dynamik, years, rate):
    total = sum(12 * contribution(amount, dynamik, y) for y in range(1, years + 1))
    acquisition = ACQUISITION_SHARE * total / ACQUISITION_MONTHS
    monthly = (1 + (rate - RUNNING_COSTS) / 100) ** (1 / 12)
    value = 0.0
    paid = 0.0
    result = []
    for year in range(1, years + 1):
        c = contribution(amount, dynamik, year)
        q = death_rate(sex, age + year - 1)
        for month in range(12):
            n = (year - 1) * 12 + month
            paid += c
            value += c - FIXED_CHARGE
            if n < ACQUISITION_MONTHS:
                value -= acquisition
            # The death benefit is at least the contributions paid: the risk
            # charge covers the difference.
            value -= q / 12 * max(0.0, paid - value)
            value *= monthly
        result.append((c, paid, value))
    return result


def write_file(target, sex, age, amount, dynamik, years):
    name = f"{PREFIX} {sex} {age} {shortest(amount)} {PROFILE} {shortest(dynamik)} {years}.txt"
    per_rate = [values(sex, age, amount, dynamik, years, r) for r in RATES]
    lines = [
        "FRV-Vergleichswerte zu VALMERA 47",
        f"Tarif {PREFIX}, fondsgebundene Rentenversicherung, Profil {PROFILE}",
        "Geschlecht " + ("maennlich" if sex == "m" else "weiblich"),
        f"Eintrittsalter {age} Jahre",
        f"Monatsbeitrag {german(amount)} EUR",
        f"Dynamik {shortest(dynamik)} % p.a.",
        f"Laufzeit {years} Jahre",
        "Vertragswerte zum Jahresende in EUR je Wertentwicklung",
        str(years),
        str(len(RATES)),
    ]
    lines += [str(r) for r in RATES]
    for y in range(years):
        c, paid, _ = per_rate[0][y]
        lines += [
            f"Jahr {y + 1}",
            f"Alter {age + y + 1}",
            f"Beitragssumme {german(paid)} EUR",
        ]
        lines += [german(per_rate[j][y][2]) for j in range(len(RATES))]
    with open(os.path.join(target, name), "w", encoding="cp1252", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")
    return name


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data")
    for p in PROFILES:
        print(write_file(target, *p))


if __name__ == "__main__":
    main()
