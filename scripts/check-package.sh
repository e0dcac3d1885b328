#!/usr/bin/env bash
# Checks that a built .deb holds what `cmake --install` puts in place, and prints its Depends.
#   scripts/check-package.sh build/tessarine_0.1.0_amd64.deb
set -euo pipefail
deb=${1:?usage: $0 PACKAGE.deb}
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
missing=0
for path in \
  usr/bin/tessarine usr/bin/tessarine-cli usr/libexec/tessarine/tessarine-cli-full \
  usr/share/applications/io.tessarine.Tessarine.desktop \
  usr/share/metainfo/io.tessarine.Tessarine.metainfo.xml \
  usr/share/dbus-1/services/io.tessarine.Tessarine.service \
  usr/share/dbus-1/interfaces/io.tessarine.Services.xml \
  usr/share/icons/hicolor/scalable/apps/io.tessarine.Tessarine.svg \
  usr/share/icons/hicolor/48x48/apps/io.tessarine.Tessarine.png \
  usr/share/icons/hicolor/256x256/apps/io.tessarine.Tessarine.png \
  usr/share/man/man1/tessarine.1 usr/share/man/man1/tessarine-cli.1 \
  usr/share/bash-completion/completions/tessarine-cli \
  usr/share/zsh/vendor-completions/_tessarine-cli \
  usr/share/fish/vendor_completions.d/tessarine-cli.fish; do
  if ! grep -qx "\./$path" <<<"$listing"; then
    echo "check-package: $deb lacks /$path" >&2
    missing=1
  fi
done
exec_line=$(dpkg-deb --fsys-tarfile "$deb" |
  tar -xO ./usr/share/dbus-1/services/io.tessarine.Tessarine.service | grep '^Exec=')
if [ "$exec_line" != "Exec=/usr/bin/tessarine" ]; then
  echo "check-package: the activation file says $exec_line" >&2
  missing=1
fi
[ "$missing" -eq 0 ] || exit 1
echo "check-package: $deb is complete; Depends: $(dpkg-deb -f "$deb" Depends)"
