# The environment every Wine program of the project runs in. Source it from
# a script under scripts/ after setting $root.
export WINEPREFIX="${WINEPREFIX:-${OMBRELLE_BUILD_DIR:-$root/build}/wineprefix}"
export WINEARCH=win64
# Debian's /usr/bin/wine looks for the 32-bit loader first; use the 64-bit one.
export WINELOADER=/usr/lib/wine/wine64
export WINEDEBUG="${WINEDEBUG:--all}"
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# ODBC (Wine's bridge to unixODBC) sees the project's driver list only.
export ODBCSYSINI="$root/scripts/odbc" ODBCINSTINI=odbcinst.ini ODBCINI="$root/scripts/odbc/odbc.ini"
# Programs start through our launcher, which turns address randomisation off
# (scripts/lib/wine64); WINELOADER stays Wine's own loader, which the
# processes it starts inherit the setting through.
wine="$root/scripts/lib/wine64"
wineserver=/usr/lib/wine/wineserver64
