#!/bin/sh
# Stands in for a test whose program's package is not installed (Wine,
# Firefox ESR): a skip (exit 77) where this release's archive has no such
# package to install, as Debian testing at times lacks Wine and some
# architectures Firefox ESR; a failure where it has one, since
# tools/install-deps should have installed it there.
# usage: not-installed.sh PACKAGE WHAT-IS-NOT-DONE
package=$1
candidate=$(apt-cache policy "$package" 2>/dev/null | awk '/Candidate:/ { print $2 }')
release=$(. /etc/os-release 2>/dev/null && echo "$PRETTY_NAME")
if [ -n "$candidate" ] && [ "$candidate" != "(none)" ]; then
  echo "FAIL - $package is not installed, though ${release:-this system} offers $package $candidate: run tools/install-deps"
  exit 1
fi
echo "skip - ${release:-this system} has no $package package to install, so $2"
exit 77
