#!/bin/sh
# Prints how many tweaks the catalogue holds, read from its one table, for the checks that count rows.
sed -n 's/.*kTweakCount = \([0-9][0-9]*\);.*/\1/p' "$(dirname "$0")/../tweaks/TweakCatalogue.h"
