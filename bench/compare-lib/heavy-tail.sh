# The heavy-tailed case of bench/compare, sourced by it: 100 ordinary files,
# three large but quick workbooks listed first, and one modest workbook that
# prints about 900 pages listed last. Pressmoor's wall time is set against
# that workbook converted alone, the bound no order of work can beat.
# Cold: a fresh user, who has no cost history; warm: the user of an earlier
# run of the same batch.
src=$(batch_of 100)
python3 "$here/compare-lib/make-heavy-tail.py" "$src" "$tail_rows"
alone=$work/alone
mkdir -p "$alone"
ln "$src/0099-ledger.xlsx" "$alone/"
pressmoor_options=(-x)
warm=$work/state-warm
echo "Priming the warm user's cost history with one run..."
mkdir -p "$work/out-prime"
run_pressmoor "$src" "$work/out-prime" "$warm" >/dev/null
printf '%-6s | %8s %6s | %8s %6s | %8s %6s | %8s\n' run cold_s PDFs warm_s PDFs soffice_s PDFs alone_s
cold=() hot=() reference=() single=()
for run in $(seq "$runs"); do
  for side in cold warm soffice alone; do rm -rf "$work/out-$side"; mkdir -p "$work/out-$side"; done
  read -r c_wall _ < <(run_pressmoor "$src" "$work/out-cold")
  read -r w_wall _ < <(run_pressmoor "$src" "$work/out-warm" "$warm")
  read -r s_wall _ < <(run_soffice "$src" "$work/out-soffice")
  read -r a_wall _ < <(run_pressmoor "$alone" "$work/out-alone")
  cold+=("$c_wall") hot+=("$w_wall") reference+=("$s_wall") single+=("$a_wall")
  printf '%-6s | %8.2f %6d | %8.2f %6d | %8.2f %6d | %8.2f\n' "$run" "$c_wall" "$(pdfs "$work/out-cold")" \
    "$w_wall" "$(pdfs "$work/out-warm")" "$s_wall" "$(pdfs "$work/out-soffice")" "$a_wall"
done
c_median=$(median "${cold[@]}") w_median=$(median "${hot[@]}") s_median=$(median "${reference[@]}")
a_median=$(median "${single[@]}")
printf '%-6s | %8.2f %6s | %8.2f %6s | %8.2f %6s | %8.2f\n' median "$c_median" "" "$w_median" "" "$s_median" "" "$a_median"
# What the offices spent on each document printed ahead, as the warm user's
# history holds it: shared by two offices, about the least any order of work
# takes, however short the long workbook alone.
work=$(awk -F '\t' -v dir="$src/" 'index($2, dir) == 1 { s += $1 } END { printf "%.2f", s }' \
  "$warm/user/document-costs.tsv")
echo
echo "office seconds of the whole batch, from the warm history: $work; shared by two offices: $(calc "$work / 2")"
echo "ratios to the long workbook alone (target <= 1.15): cold $(ratio "$c_median" "$a_median")," \
  "warm $(ratio "$w_median" "$a_median"), soffice $(ratio "$s_median" "$a_median")"
echo "RESULT heavy-tail cold_ratio=$(ratio "$c_median" "$a_median") warm_ratio=$(ratio "$w_median" "$a_median") wall_ratio=$(ratio "$c_median" "$s_median")"
