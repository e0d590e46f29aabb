#!/bin/sh
# Fails on any error or warning in the AppStream metainfo ($1) or the desktop entry ($2).
metainfo=$1
desktop=$2
appstreamcli validate --no-net --explain "$metainfo" || exit 1
report=$(desktop-file-validate "$desktop" 2>&1)
status=$?
if [ "$status" -ne 0 ] || [ -n "$report" ]; then
  echo "$report"
  exit 1
fi
