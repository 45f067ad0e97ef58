#!/bin/sh
# Builds the Debian package in the build folder given as $1, checks the
# dependencies dpkg-shlibdeps cannot see, and lets lintian look at it with
# every tag shown (pedantic and informational): no error, no warning, and,
# when $2 is ON (Debian's hardening flags are in the build), none of the
# hardening tags. Sanitizer builds go without those flags on purpose.
set -eu
build=$1
hardened=${2:-ON}
if ! command -v lintian >/dev/null 2>&1; then
    echo "lintian fehlt: scripts/install-deps.sh installiert es" >&2
    exit 77
fi
cd "$build"
rm -f orvanta_*.deb
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log; exit 1; }
deb=$(ls orvanta_*.deb)

# What the package installs is checked by test_install.py (same install rules).
depends=$(dpkg-deb --field "$deb" Depends)
for d in fonts-liberation qt6-translations-l10n qt6-qpa-plugins libqt6widgets6 libjpeg62-turbo; do
    printf '%s\n' "$depends" | grep -q "$d" || { echo "Abhängigkeit fehlt: $d ($depends)" >&2; exit 1; }
done

rc=0
lintian -I --pedantic --fail-on error,warning --tag-display-limit 0 "$deb" >lintian.log 2>&1 || rc=$?
cat lintian.log
[ "$rc" -eq 0 ] || exit 1
if [ "$hardened" = ON ] && grep -q 'hardening-' lintian.log; then
    echo "lintian: Härtung fehlt (dpkg-buildflags)" >&2
    exit 1
fi
if [ "$hardened" = ON ]; then
    echo "$build/$deb: lintian ohne Fehler und Warnungen, Härtung vollständig"
else
    echo "$build/$deb: lintian ohne Fehler und Warnungen (Bau ohne Härtung)"
fi
