#!/bin/sh
# Builds the Debian package in the build folder given as $1, checks that it
# carries what an installation needs, and lets lintian look at it: no errors.
set -eu
build=$1
if ! command -v lintian >/dev/null 2>&1; then
    echo "lintian fehlt: scripts/install-deps.sh installiert es" >&2
    exit 77
fi
cd "$build"
rm -f orvanta_*.deb
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log; exit 1; }
deb=$(ls orvanta_*.deb)

contents=$(dpkg-deb --contents "$deb")
for f in ./usr/bin/orvanta ./usr/bin/orvanta-tool \
         ./usr/share/orvanta/Orvan.Dat ./usr/share/orvanta/Sterbetafel_2004.csv \
         "./usr/share/orvanta/FAZ 30_05_06.pdf" ./usr/share/orvanta/bank_logo.jpg \
         "./usr/share/orvanta/G002 m 35 100 1 5 30.txt" \
         ./usr/share/applications/orvanta.desktop \
         ./usr/share/icons/hicolor/scalable/apps/orvanta.svg \
         ./usr/share/icons/hicolor/256x256/apps/orvanta.png \
         ./usr/share/metainfo/de.orvanta.orvanta.metainfo.xml \
         ./usr/share/man/man1/orvanta.1.gz ./usr/share/man/man1/orvanta-tool.1.gz \
         ./usr/share/doc/orvanta/copyright; do
    printf '%s\n' "$contents" | grep -qF " $f" || { echo "fehlt im Paket: $f" >&2; exit 1; }
done

depends=$(dpkg-deb --field "$deb" Depends)
for d in fonts-liberation qt6-translations-l10n qt6-qpa-plugins libqt6widgets6 libjpeg62-turbo; do
    printf '%s\n' "$depends" | grep -q "$d" || { echo "Abhängigkeit fehlt: $d ($depends)" >&2; exit 1; }
done

lintian --fail-on error --no-tag-display-limit "$deb"
echo "$build/$deb: lintian ohne Fehler"
