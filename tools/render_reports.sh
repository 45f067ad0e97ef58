#!/usr/bin/env bash
# Renders the report set of the demo plan and of a few variants, and the
# comparison print of the demo plan with the FRV data beside the program, to
# PDF and to PNG pages (60 dpi) for looking at them:
#
#   tools/render_reports.sh [BUILD_DIR] [OUT_DIR]
#
# Needs a built orvanta-tool with its data (cmake --build BUILD_DIR --target
# orvanta-tool orvanta_data), python3 and poppler-utils (pdftoppm, pdftotext,
# pdfinfo). The withdrawal coverage page is also rendered at 150 dpi.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
OUT=${2:-$BUILD/report-pages}
BIN=$BUILD/bin
TOOL=$BIN/orvanta-tool
mkdir -p "$OUT"
rm -f "$OUT"/*.png "$OUT"/*.pdf "$OUT"/*.json "$OUT"/*.Dat

# name, then JSON fields to change in the demo plan
variants=(
  'demo|{}'
  'einmalanlage-laufzeit0|{"Anlageart": 2, "Anlagebetrag": 50, "Laufzeit": 0, "Einzahlungsdauer": 0, "AgioZahlungsart": 1, "Kapital_aus_Einzahlung": false, "Dynamik": 0}'
  'systemeinmalanlage|{"Anlageart": 3, "Anlagebetrag": 25000, "Uebertragungsmonate": 24, "Laufzeit": 12, "Einzahlungsdauer": 12, "AgioZahlungsart": 1, "Grafik_drucken": false, "Dynamik": 0}'
  'entnahme-40-jahre|{"AuszEndeArt": 1, "AuszBeginn": 60, "AuszEnde": 100, "Laufzeit": 25, "Einzahlungsdauer": 20, "AgioZahlungsart": 2, "Monatsrente": 900}'
  'ohne-kapitalverzehr|{"AuszEndeArt": 5, "Anlagestrategie_Entnahme": 4, "Monatsrente": 300}'
  'nur-entnahme|{"Einzahlungsphase_drucken": false, "Kapital_aus_Einzahlung": false, "Rentenkapital": 250000}'
  'lang-99-jahre|{"Eintrittsalter": 0, "Laufzeit": 99, "Einzahlungsdauer": 99, "AuszEndeArt": 1, "AuszBeginn": 35, "AuszEnde": 95, "Kapital_aus_Einzahlung": false, "Rentenkapital": 1000000, "Monatsrente": 4000}'
)

# The plans at the input limits that the report tests check.
while IFS='|' read -r name change; do
  variants+=("$name|$change")
done < <(python3 - tests/reports/extremeplans.json <<'PY'
import json, sys
for name, change in json.load(open(sys.argv[1], encoding="utf-8")).items():
    if not name.startswith("_"):
        print(name + "|" + json.dumps(change, ensure_ascii=False))
PY
)

# Comparison prints: the FRV files lie beside the program, and the program
# looks them up in its working directory.
comparisons=(
  'vergleich-demo|{}'
  'vergleich-ohne-dynamik|{"Dynamik": 0}'
  'vergleich-25-jahre|{"Laufzeit": 25, "Einzahlungsdauer": 25}'
)

make_plan() { # name, change
  python3 - "data/Orvan.json" "$OUT/$1.json" "$2" <<'PY'
import json, sys
plan = json.load(open(sys.argv[1], encoding="utf-8"))
plan.update(json.loads(sys.argv[3]))
json.dump(plan, open(sys.argv[2], "w", encoding="utf-8"), ensure_ascii=False, indent=1)
PY
  "$TOOL" make "$OUT/$1.json" "$OUT/$1.Dat" >/dev/null
}

for v in "${variants[@]}"; do
  name=${v%%|*}
  make_plan "$name" "${v#*|}"
  "$TOOL" report "$OUT/$name.Dat" "$OUT/$name.pdf"
  pdftoppm -png -r 60 "$OUT/$name.pdf" "$OUT/$name"
  # The withdrawal coverage page once more at 150 dpi, for its small print.
  pages=$(pdfinfo "$OUT/$name.pdf" | awk '/^Pages:/ {print $2}')
  for ((n = 1; n <= pages; n++)); do
    if pdftotext -f $n -l $n "$OUT/$name.pdf" - | grep -q "Individueller Auszahlungsplan"; then
      pdftoppm -png -r 150 -f $n -l $n -singlefile "$OUT/$name.pdf" "$OUT/$name-deckung-150dpi"
    fi
  done
done

ABS_OUT=$(cd "$OUT" && pwd)
for v in "${comparisons[@]}"; do
  name=${v%%|*}
  make_plan "$name" "${v#*|}"
  (cd "$BIN" && ./orvanta-tool report --vergleich "$ABS_OUT/$name.Dat" "$ABS_OUT/$name.pdf")
  pdftoppm -png -r 60 "$OUT/$name.pdf" "$OUT/$name"
done
ls "$OUT"/*.png | wc -l | xargs echo "Seitenbilder:"
