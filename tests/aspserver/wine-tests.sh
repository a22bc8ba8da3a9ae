#!/usr/bin/env bash
# Runs the COM server's tests in Wine, one step per call, all steps sharing
# one fresh prefix under build-win/:
#   wine-tests.sh prefix       makes the prefix (fonts as on Windows)
#   wine-tests.sh register     regsvr32, then reg query for every key
#   wine-tests.sh host         the test host's checks (tests/aspserver/wine)
#   wine-tests.sh unregister   regsvr32 /u twice; every key is gone
#   wine-tests.sh cleanup      stops the prefix's wineserver, removes it
#   wine-tests.sh serve        prefix + register + one served page on stdout
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
bin="$root/build-win/bin"
export WINEPREFIX="${QUILL_WINEPREFIX:-$root/build-win/wine-test}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
# The server is registered from a folder with a space in its name, so its
# class key must name it by the short path.
install_dir="$WINEPREFIX/drive_c/Quill Asp"
dll_win='C:\Quill Asp\QuillAsp.dll'

fail() { echo "FAIL: $*" >&2; exit 1; }
# A path of this machine as Wine's Z: drive shows it.
win_path() { printf 'Z:%s' "$1" | tr / '\\'; }
wine_q() { wine "$@" 2>/dev/null | tr -d '\r'; }

clsid='{E4235CDF-1F33-40DB-A45F-B3051A0F35D4}'
libid='{DFA9DECD-9BBF-4D90-A7E7-275ED93C59D1}'
iid='{BE68EBD0-5E65-4184-8F4D-A86F669C8870}'
progid='QuillAspObjectLibrary.QuillAspObject'

# Key, value name ("" for the default) and expected data; "*" takes any.
keys=(
  "HKCR\\CLSID\\$clsid||QuillAspObject Object"
  "HKCR\\CLSID\\$clsid\\InprocServer32||*"
  "HKCR\\CLSID\\$clsid\\InprocServer32|ThreadingModel|Apartment"
  "HKCR\\CLSID\\$clsid\\ProgID||$progid"
  "HKCR\\CLSID\\$clsid\\Version||1.0"
  "HKCR\\CLSID\\$clsid\\TypeLib||$libid"
  "HKCR\\$progid||QuillAspObject Object"
  "HKCR\\$progid\\Clsid||$clsid"
  "HKCR\\TypeLib\\$libid\\1.0||QuillAsp Library"
  "HKCR\\TypeLib\\$libid\\1.0\\409\\win64||$dll_win"
  "HKCR\\Interface\\$iid||IQuillAspObject"
)

# Prints the data of one value, or fails when the key or value is missing.
reg_value() {
  local key="$1" name="$2" out
  if [ -z "$name" ]; then out="$(wine_q reg query "$key" /ve)" || return 1
  else out="$(wine_q reg query "$key" /v "$name")" || return 1; fi
  printf '%s\n' "$out" | sed -n 's/^ *[^ ].*  *REG_SZ  *//p' | head -n 1
}

make_prefix() {
  [ -x "$bin/QuillAsp.dll" ] || [ -f "$bin/QuillAsp.dll" ] || fail "build-win/bin/QuillAsp.dll is missing; run scripts/build-win.sh"
  [ -d "$WINEPREFIX" ] && { wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"; }
  wineboot -i >/dev/null 2>&1 || fail "cannot create the Wine prefix $WINEPREFIX"
  # Metric-compatible faces stand in for the fonts pages name, as the real
  # fonts would on Windows.
  local fonts='HKCU\Software\Wine\Fonts\Replacements'
  wine_q reg add "$fonts" /v "Times New Roman" /d "Liberation Serif" /f >/dev/null
  wine_q reg add "$fonts" /v "Arial" /d "Liberation Sans" /f >/dev/null
  mkdir -p "$install_dir"
  cp "$bin/QuillAsp.dll" "$install_dir/"
}

register() {
  wine regsvr32 /s "$dll_win" >/dev/null 2>&1 || fail "regsvr32 could not register $dll_win"
  local entry key name want got
  for entry in "${keys[@]}"; do
    IFS='|' read -r key name want <<<"$entry"
    got="$(reg_value "$key" "$name")" || fail "missing key $key ${name:+value $name}"
    if [ "$want" != "*" ] && [ "${got,,}" != "${want,,}" ]; then
      fail "$key ${name:-(default)} is \"$got\", expected \"$want\""
    fi
  done
  got="$(reg_value "HKCR\\CLSID\\$clsid\\InprocServer32" "")"
  case "$got" in *" "*|"") fail "InprocServer32 is \"$got\", expected the short path" ;; esac
  case "${got,,}" in *'\quillasp.dll') ;; *) fail "InprocServer32 \"$got\" names another file" ;; esac
  echo "registered: ${#keys[@]} keys found; server path $got"
}

unregister() {
  local round entry key name want
  for round in 1 2; do
    wine regsvr32 /s /u "$dll_win" >/dev/null 2>&1 || fail "regsvr32 /u failed in round $round"
  done
  for entry in "${keys[@]}"; do
    IFS='|' read -r key name want <<<"$entry"
    # The type library keeps its Interface entry only as long as it is registered.
    if wine_q reg query "$key" >/dev/null; then fail "key $key is still there after regsvr32 /u"; fi
  done
  echo "unregistered twice: every key is gone"
}

case "${1:-}" in
  prefix) make_prefix ;;
  register) register ;;
  host)
    [ -f "$bin/QuillAspTest.dll" ] || fail "build-win/bin/QuillAspTest.dll is missing; run scripts/build-win.sh"
    wine "$bin/quillasp_host.exe" test "$dll_win" "$(win_path "$root/tests/golden/PageOne.html")" \
      "$(win_path "$bin/QuillAspTest.dll")" | tr -d '\r' ;;
  unregister) unregister ;;
  cleanup) wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX" ;;
  serve)
    trap 'wineserver -k 2>/dev/null || true' EXIT
    make_prefix >&2
    register >&2
    wine "$bin/quillasp_host.exe" serve ;;
  *) echo "usage: $0 prefix|register|host|unregister|cleanup|serve" >&2; exit 2 ;;
esac
