#!/usr/bin/env bash
# Checks the built manual itself, as its reader gets it: the PDF exists with its fonts embedded, has a
# plausible page count, page numbers in the table of contents and the footer, states the angle
# rule on the same page as its figure, and quotes the example's results exactly as the program
# shows them (with the grams for a 20 g trial weight).
# manual_test.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
pdf="$build/bin/Ostrelin_manual.pdf"
fail() { echo "manual_test: $*" >&2; exit 1; }

[ -s "$pdf" ] || fail "no manual at $pdf"
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
((pages >= 10 && pages <= 30)) || fail "$pages pages, expected 10 to 30"
if pdffonts "$pdf" | tail -n +3 | awk '$(NF-4) != "yes"' | grep -q .; then
  fail "a font is not embedded"
fi

# Text of a page range, or of the whole document, on one line.
text() { pdftotext -q "$@" "$pdf" - | tr -s ' \n\f' '   '; }
all=$(text)
has() { [[ $1 == *"$2"* ]] || fail "missing: $2"; }

rule="Угол Fp отсчитывается от места, где в плоскости p был закреплён пробный груз, в направлении, противоположном тому, в котором прибор отсчитывает фазу."
has "$all" "$rule"
has "$all" "Все пробные грузы снимают до установки корректирующих грузов."
has "$all" "действительна на том же радиусе, на котором стоял пробный груз."
has "$all" "Страница 3 из $pages"
[[ $all =~ Где\ ставить\ корректирующие\ грузы[\ .]+[0-9]+ ]] || fail "no page number in the contents"

# The rule and its figure on one page.
page=0
for ((p = 1; p <= pages; p++)); do
  [[ $(text -f $p -l $p) == *"$rule"* ]] && { page=$p; break; }
done
((page > 0)) || fail "the angle rule is split across pages"
has "$(text -f $page -l $page)" "Рисунок 2."

# The example's table: for each plane, the program's own two texts, the grams for a 20 g trial weight
# and the same place counted in the phase direction, in one row.
read -r -a shown <<<"$("$build/bin/balance4-calc" --example)"
((${#shown[@]} == 8)) || fail "balance4-calc --example gave ${#shown[@]} texts"
table=$(pdftotext -q -layout "$pdf" -)
for plane in 1 2 3 4; do
  mass=${shown[plane - 1]} angle=${shown[plane + 3]}
  grams=$(LC_ALL=C awk -v m="${mass/,/.}" 'BEGIN { printf "%.2f", 20 * m / 100 }')
  other=$(LC_ALL=C awk -v a="${angle/,/.}" 'BEGIN { printf "%.2f", 360 - a }')
  row="^ *$plane +$mass +$angle +${grams/./,} г +${other/./,} *\$"
  grep -Eq "$row" <<<"$table" || fail "no example row for plane $plane: $mass $angle ${grams/./,} г ${other/./,}"
done
echo "manual_test: $pages pages; the rule and its figure on page $page; the example agrees with the program"
