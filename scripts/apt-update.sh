#!/bin/bash
# Refreshes apt's package lists. A mirror in the middle of a sync can serve
# one index of the wrong size, which makes apt-get update fail although every
# other list is fresh; so it is tried a few times, and a last failure only
# warns: whatever then cannot be found fails later, naming the package.
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
for attempt in 1 2 3; do
  $SUDO apt-get update -qq && exit 0
  [ $attempt -lt 3 ] && sleep $((attempt * 10))
done
echo "apt-update: apt-get update failed three times; going on with the package lists there are" >&2
exit 0
