#!/usr/bin/env bash
# Checks the built manual itself, as its reader gets it: the PDF exists with its fonts embedded, has a
# plausible page count, page numbers in the table of contents and the footer, states the angle
# rule on the same page as its figure and ties it to the rotation, warns about the calculator's
# input traps, has the job window's chapter and a quick-reference card on a page of its own, and
# quotes the example's results and balance4-calc's output exactly as the programs give them.
# manual_test.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
pdf="$build/bin/Ostrelin_manual.pdf"
fail() { echo "manual_test: $*" >&2; exit 1; }

[ -s "$pdf" ] || fail "no manual at $pdf"
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
((pages >= 10 && pages <= 45)) || fail "$pages pages, expected 10 to 45"
if pdffonts "$pdf" | tail -n +3 | awk '$(NF-4) != "yes"' | grep -q .; then
  fail "a font is not embedded"
fi

# Text of a page range, or of the whole document, on one line.
text() { pdftotext -q "$@" "$pdf" - | tr -s ' \n\f' '   '; }
all=$(text)
has() { [[ $1 == *"$2"* ]] || fail "missing: $2"; }

rule="Угол Fp отсчитывается от места, где в плоскости p был закреплён пробный груз, в направлении, противоположном тому, в котором прибор отсчитывает фазу."
has "$all" "$rule"
has "$all" "Все пробные грузы снимают до установки корректирующих грузов. (Исключение — режим «Пробные грузы остаются на роторе»"
has "$all" "действительна на том же радиусе, на котором стоял пробный груз."
has "$all" "Страница 3 из $pages"
[[ $all =~ Где\ ставить\ корректирующие\ грузы[\ .]+[0-9]+ ]] || fail "no page number in the contents"

# The rule tied to the rotation and its check before the trial runs; the calculator's input traps.
has "$all" "У обычного прибора фаза растёт против вращения, поэтому угол Fp откладывают от места пробного груза по направлению вращения."
has "$all" "переставьте метку датчика фазы на 90° по вращению"
has "$all" "переставьте на 90° сам датчик фазы, но против вращения"
has "$all" "на каждой машине стрелку вращения на торце ротора рисуют заново"
has "$all" "Vo1 → Vo2 → Fo1 → Fo2 → Vo3 → Fo3 → Vo4 → Fo4"
has "$all" "Перед вводом нажмите F8"
has "$all" "Поле, которое вы забудете заполнить, сохранит значение примера"
has "$all" "Окно балансировки balance4-job"
has "$all" "Работа по шагам"

# The rule and its figure on one page.
page=0
for ((p = 1; p <= pages; p++)); do
  [[ $(text -f $p -l $p) == *"$rule"* ]] && { page=$p; break; }
done
((page > 0)) || fail "the angle rule is split across pages"
has "$(text -f $page -l $page)" "Рисунок 2."

# The quick-reference card: its page holds the rule, the procedure and the keys, and nothing else.
card=0
for ((p = pages; p > 1; p--)); do
  [[ $(text -f $p -l $p) == *"Краткая памятка Одна страница"* ]] && { card=$p; break; }
done
((card > 0)) || fail "no quick-reference card"
for part in "F откладывают по вращению" "Порядок работы" "10. Выше нормы" "Клавиши"; do
  has "$(text -f $card -l $card)" "$part"
done
if ((card < pages)); then
  [[ $(text -f $((card + 1)) -l $((card + 1))) == *"Краткая памятка"* ]] && fail "the card runs over its page"
fi
[[ $(text -f $((card - 1)) -l $((card - 1))) == *"Порядок работы"* ]] && fail "the card does not start a page"

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

# balance4-calc job's example as quoted: every quoted line, in order, among the program's own lines
# (later versions may print more lines between them).
quoted=$(pdftotext -q -layout "$pdf" - | sed -n '/\$ balance4-calc job --example --trial-mass 20 --holes 12/,/по фазе\.$/p' |
  sed '1d; s/^ *//; s/ *$//; s/  */ /g')
[[ -n $quoted ]] || fail "no quoted balance4-calc job example"
printed=$("$build/bin/balance4-calc" job --example --trial-mass 20 --holes 12 | sed 's/^ *//; s/ *$//; s/  */ /g') || true
rest=$printed
while IFS= read -r line; do
  [[ -z $line ]] && continue
  [[ $rest == *"$line"* ]] || fail "balance4-calc job does not print, or not in this order: $line"
  rest=${rest#*"$line"}
done <<<"$quoted"

echo "manual_test: $pages pages; the rule and its figure on page $page; the card on page $card; the examples agree with the programs"
