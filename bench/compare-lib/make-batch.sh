#!/usr/bin/env bash
# Writes a mixed batch of COUNT documents into DIR: per ten files three .txt,
# two .rtf, one .html, one .htm, two .doc and one .xls; every fourth file runs
# to several pages. Text, RTF and HTML are written directly; the .doc and .xls
# files are made by LibreOffice from generated RTF and CSV, in a fresh
# profile. The same COUNT always gives the same files, and the first N files
# of a larger batch are the batch of N.
# Usage: make-batch.sh COUNT DIR
set -euo pipefail
count=$1
out=$2
soffice=${SOFFICE:-soffice}
mkdir -p "$out"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/doc" "$stage/xls"

awk -v count="$count" -v out="$out" -v stage="$stage" '
BEGIN {
  split("txt rtf html doc txt xls htm rtf doc txt", kinds, " ")
  n = split("account answer autumn balance border bridge budget candle carbon castle " \
            "channel circle climate copper corner council current custom dealer delivery " \
            "desert detail engine evening export factor fabric figure garden glass " \
            "harbour height income island journal kitchen ladder letter market meadow " \
            "member method motion notice number office orchard output paper pattern " \
            "pocket quarter railway record region report river saddle sample season " \
            "signal silver spring station summer supply survey table teacher timber " \
            "tunnel valley vessel voyage weather window winter yellow", words, " ")
  for (i = 1; i <= count; i++) {
    srand(i)
    kind = kinds[(i - 1) % 10 + 1]
    long = (i % 4 == 0)
    paragraphs = long ? 60 : 3
    base = sprintf("%04d-%s", i, words[int(rand() * n) + 1])
    if (kind == "txt") WriteText(out "/" base ".txt", paragraphs)
    else if (kind == "rtf") WriteRtf(out "/" base ".rtf", paragraphs)
    else if (kind == "html" || kind == "htm") WriteHtml(out "/" base "." kind, paragraphs, base)
    else if (kind == "doc") WriteRtf(stage "/doc/" base ".rtf", paragraphs)
    else WriteCsv(stage "/xls/" base ".csv", long ? 900 : 25)
  }
}
function Sentence(   s, k, w) {
  w = 6 + int(rand() * 10)
  s = words[int(rand() * n) + 1]
  s = toupper(substr(s, 1, 1)) substr(s, 2)
  for (k = 1; k < w; k++) s = s " " words[int(rand() * n) + 1]
  return s "."
}
function Paragraph(   p, k) {
  p = Sentence()
  for (k = 1; k < 4 + int(rand() * 6); k++) p = p " " Sentence()
  return p
}
function WriteText(file, paragraphs,   k) {
  for (k = 1; k <= paragraphs; k++) print Paragraph() "\n" > file
  close(file)
}
function WriteRtf(file, paragraphs,   k) {
  print "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Liberation Serif;}}\\f0\\fs24" > file
  print "{\\b\\fs32 " Sentence() "}\\par" > file
  for (k = 1; k <= paragraphs; k++) print Paragraph() "\\par" > file
  print "}" > file
  close(file)
}
function WriteHtml(file, paragraphs, title,   k) {
  print "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" title "</title></head><body>" > file
  print "<h1>" Sentence() "</h1>" > file
  for (k = 1; k <= paragraphs; k++) print "<p>" Paragraph() "</p>" > file
  print "</body></html>" > file
  close(file)
}
function WriteCsv(file, rows,   r, c) {
  print "Item,Region,Quarter,Units,Price,Total,Notes" > file
  for (r = 1; r <= rows; r++) {
    printf "%s,%s,Q%d,%d,%.2f,%.2f,%s\n", words[int(rand() * n) + 1], words[int(rand() * n) + 1],
      1 + int(rand() * 4), int(rand() * 500), rand() * 90, rand() * 45000, Sentence() > file
  }
  close(file)
}'

# One LibreOffice pass per made type, each in a fresh profile.
convert() {
  local target=$1 folder=$2 filter=$3
  compgen -G "$folder/*" >/dev/null || return 0
  local profile
  profile=$(mktemp -d)
  "$soffice" -env:UserInstallation="file://$profile" --headless --norestore ${filter:+--infilter="$filter"} \
    --convert-to "$target" --outdir "$out" "$folder"/* >/dev/null 2>&1
  rm -rf "$profile"
}
convert doc "$stage/doc" ""
convert xls "$stage/xls" "CSV:44,34,76,1"
