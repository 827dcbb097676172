#!/bin/sh
# Wine's spooler runs this once per print job with the job's PostScript on standard input.
# Each job becomes DIR/job-<nanoseconds>.ps; the name appears only when the file is complete.
dir=$1
mkdir -p "$dir"
t=$(date +%s%N)
cat >"$dir/.job-$t.part" && mv "$dir/.job-$t.part" "$dir/job-$t.ps"
