#!/bin/sh
# Stands in for a test that runs under Wine when Wine is not installed: a
# skip (exit 77) where this release's archive has no Wine to install, as
# Debian testing at times; a failure where it has one (Debian 12 and 13),
# since tools/install-deps should have installed it there.
candidate=$(apt-cache policy wine 2>/dev/null | awk '/Candidate:/ { print $2 }')
release=$(. /etc/os-release 2>/dev/null && echo "$PRETTY_NAME")
if [ -n "$candidate" ] && [ "$candidate" != "(none)" ]; then
  echo "FAIL - Wine is not installed, though ${release:-this system} offers wine $candidate: run tools/install-deps"
  exit 1
fi
echo "skip - ${release:-this system} has no Wine package to install, so the Windows program is not run"
exit 77
