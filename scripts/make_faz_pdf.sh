#!/bin/sh
# Makes data/FAZ 30_05_06.pdf, the background note that the third link of the
# main window opens, from the text below (groff and Ghostscript, both in the
# Debian packages groff and ghostscript). Run from anywhere:
#     scripts/make_faz_pdf.sh
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/data/FAZ 30_05_06.pdf"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cat > "$tmp/note.ms" <<'EOF'
.\" German note, one A4 page, in plain troff (no macro package needed).
.pl 29.7c
.po 2.2c
.ll 16.6c
.ps 10
.vs 12.5p
.ft H
.ad b
.hy 1
.\" Section heading: some space, bold, no break inside the heading.
.de SH
.sp 0.7v
.ne 3v
.ad l
.ft HB
.ps 11
..
.\" Paragraph: ends the heading and starts the text.
.de PP
.br
.ps 10
.ft H
.ad b
.in 0
..
.\" List item with a bullet hanging in front.
.de IP
.br
.ps 10
.ft H
.in 1.2m
.ti -1.2m
\(bu\h'|0'\h'1.2m'\c
..
.\" Footer text at the bottom of the page.
.de FO
'sp |27.6c
.ps 8
.ft HI
.tl 'Eigene Zusammenfassung zur Vorbereitung des Beratungsgesprächs''Keine Anlageberatung.'
..
.wh 27.2c FO
.sp 1.6c
.ps 9
HINTERGRUNDINFORMATION \(em Stand: 30.05.2006
.sp 0.8v
.ps 16
.vs 19p
.ft HB
.ad l
Fondsgebundene Rentenversicherung mit Lücken
.br
.ft H
.ps 11
.vs 14p
Was Abschluss- und laufende Kosten vom Ertrag übrig lassen
.ps 10
.vs 12.5p
.sp 0.2v
\l'16.6c'
.SH
Worum es geht
.PP
Eine fondsgebundene Rentenversicherung (FRV) legt die Beiträge in Investmentfonds an
und verbindet das Fondssparen mit einem Versicherungsvertrag: Rentenzahlung im Alter,
auf Wunsch Hinterbliebenenschutz. Für diese Hülle zahlt der Kunde, und zwar vor allem
am Anfang. Wer eine FRV mit einem unmittelbaren Fondssparplan vergleicht, sollte daher
nicht nur auf die angenommene Wertentwicklung schauen, sondern auf die Kosten, die davon
abgehen.
.SH
Abschlusskosten: früh und gebündelt
.PP
Die Abschluss- und Vertriebskosten einer FRV werden meist aus der Summe aller Beiträge
der gesamten Laufzeit berechnet, aber schon mit den Beiträgen der ersten Jahre verrechnet.
In dieser Zeit fließt nur ein kleiner Teil des Geldes in die Fonds. Wer den Vertrag
früh kündigt oder beitragsfrei stellt, erhält entsprechend wenig zurück; der Rückkaufswert
kann in den ersten Jahren deutlich unter den eingezahlten Beiträgen liegen.
.SH
Laufende Kosten: Jahr für Jahr
.PP
Hinzu kommen Verwaltungskosten des Versicherers, oft als Prozentsatz der Beiträge oder
des Guthabens, gegebenenfalls Kosten für den Risikoschutz und die Verwaltungsvergütung
der Fonds selbst. Einzeln wirken diese Sätze klein. Über Jahrzehnte summieren sie sich
aber, weil sie das Kapital mindern, das weiter Erträge bringen könnte.
.SH
Zum Vergleich: der Fondssparplan
.PP
Beim direkten Fondssparplan fallen ein Ausgabeaufschlag auf jede Rate, eine jährliche
Depotgebühr und die Verwaltungsvergütung der Fonds an. Die Kosten verteilen sich
gleichmäßiger über die Laufzeit, das Guthaben ist jederzeit verfügbar, und ein Wechsel
oder eine Pause kostet wenig. Eine lebenslange Rente garantiert der Sparplan dagegen
nicht; sie muss aus dem Kapital über Entnahmen selbst gestaltet werden. Die steuerliche
Behandlung beider Wege unterscheidet sich und ist hier nicht betrachtet.
.SH
Ein Beispiel mit runden Zahlen
.PP
100 Euro monatlich über 30 Jahre, zusammen 36.000 Euro: Bei 6 % Wertentwicklung im Jahr
vor Kosten wachsen sie auf rund 100.000 Euro. Mindern Kosten die Wertentwicklung um einen
Prozentpunkt auf 5 %, bleiben rund 83.000 Euro, etwa ein Sechstel weniger. Bei 1,5
Prozentpunkten (4,5 %) sind es rund 76.000 Euro. Die Beispielwerte sind gerundet und
dienen nur der Veranschaulichung; sie sagen nichts über die künftige Entwicklung eines
bestimmten Produkts.
.SH
Fragen für das Gespräch
.IP
Wie hoch sind die Abschlusskosten in Euro, und über welche Jahre werden sie verrechnet?
.IP
Wie hoch ist der Rückkaufswert nach 5 und nach 10 Jahren im Verhältnis zu den Beiträgen?
.IP
Welche laufenden Kosten fallen insgesamt an, als Prozentsatz im Jahr ausgedrückt?
.IP
Wie beweglich ist der Vertrag bei Pausen, Zuzahlungen und Fondswechseln?
.IP
Wird eine lebenslange Rente wirklich gebraucht, oder genügt ein planbarer Auszahlplan?
EOF

groff -Kutf8 -mden -Tps -dpaper=a4 -P-pa4 "$tmp/note.ms" > "$tmp/note.ps"
ps2pdf -sPAPERSIZE=a4 -dPDFSETTINGS=/prepress "$tmp/note.ps" "$out"
echo "$out"
