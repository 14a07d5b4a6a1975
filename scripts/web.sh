#!/usr/bin/env bash
# The game in a browser. Installs what it needs, builds the page into build/web/ (index.html,
# rovuzu.js, rovuzu.wasm, rovuzu.data, rovuzu.mp3 (the music, which the page fetches once the
# round has begun), the app's manifest, icons and offline worker, and .br and .gz copies: a
# static folder that any static HTTPS host can serve) and, when asked, serves it:
#   scripts/web.sh                 builds build/web/
#   scripts/web.sh serve           and serves it on http://127.0.0.1:8080/
#   scripts/web.sh serve --https   and serves it on https://<this machine>:8443/ to the network,
#                                  with a certificate made here, so that a phone can play
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
    echo "usage: scripts/web.sh [serve [--https]]" >&2
    exit 2
}

# A self-signed certificate for this machine's names and addresses, made again when they change.
make_certificate() {
    local folder=build/web-cert names="DNS:localhost,IP:127.0.0.1" address
    for address in $(hostname -I 2>/dev/null); do
        names+=",IP:${address}"
    done
    if [ -f "$folder/cert.pem" ] && [ "$(cat "$folder/names" 2>/dev/null)" = "$names" ]; then
        return
    fi
    mkdir -p "$folder"
    openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 825 -subj "/CN=rovuzu on $(hostname)" \
        -keyout "$folder/key.pem" -out "$folder/cert.pem" -addext "subjectAltName=$names" \
        -addext "extendedKeyUsage=serverAuth" 2>/dev/null
    echo "$names" >"$folder/names"
    echo "rovuzu: made a certificate for $names in $folder/ (a phone asks once to trust it)" >&2
}

case "${1:-}" in
    "") ;;
    serve) [ $# -le 2 ] && { [ $# -lt 2 ] || [ "$2" = --https ]; } || usage ;;
    *) usage ;;
esac

scripts/install-deps.sh
cmake --preset web >/dev/null
cmake --build --preset web
rm -rf build/web
mkdir -p build/web
cp build/web-build/app/{rovuzu.js,rovuzu.wasm,rovuzu.data} build/web/
# The page's own files come from the source, with what makes the page an app to install that
# plays offline, and the music the page fetches once the round has begun; then the worker's list
# of the files to keep, and .br and .gz copies of the big files.
cp platform/host/web/{index.html,webapp.js,service-worker.js,rovuzu.webmanifest} platform/host/web/icons/*.png \
    resources/rovuzu.mp3 build/web/
node tools/web/pack.mjs build/web

if [ "${1:-}" != serve ]; then
    echo "rovuzu: the page is in build/web/; scripts/web.sh serve plays it on http://127.0.0.1:8080/" >&2
elif [ "${2:-}" = --https ]; then
    make_certificate
    for address in $(hostname -I 2>/dev/null); do
        case "$address" in
            *:*) ;;  # the server listens on IPv4
            *) echo "rovuzu: on a phone on this network, open https://${address}:8443/" >&2 ;;
        esac
    done
    exec node tools/web/serve.mjs build/web --https build/web-cert
else
    exec node tools/web/serve.mjs build/web
fi
