#!/usr/bin/env bash
# Checks the built manual itself, as its reader gets it: the PDF exists with its fonts embedded, has a
# plausible page count, page numbers in the table of contents and the footer, states the angle
# rule on the same page as its figure and ties it to the rotation, warns about the calculator's
# input traps, has the job window's chapter and a quick-reference card on a page of its own, and
# quotes the example's results, balance4-calc's output and the job window's controls exactly as the
# programs give them.
# manual_test.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
pdf="$build/bin/Ostrelin_manual.pdf"
fail() { echo "manual_test: $*" >&2; exit 1; }

[ -s "$pdf" ] || fail "no manual at $pdf"
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
((pages >= 10 && pages <= 60)) || fail "$pages pages, expected 10 to 60"
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

# The job window's controls and lines as the manual names them: each is in the manual (words split
# at a line end joined again) and among the program's own texts, so that a control renamed in the
# window, or a name mistyped in the manual, is caught.
sources=$(realpath "$(dirname "$0")/../../src")
joined=$(LC_ALL=C.UTF-8 sed -E 's/([[:alpha:]])[-‐] /\1/g' <<<"$all")
window_texts=(
  "Углы на роторе" "(как фаза у прибора)" "Единица показаний" "мкм, мм/с, mils…"
  "Добавить повтор пуска" "Удалить повтор" "по разбросу повторных показаний (он больше погрешности прибора)"
  "Подобрать пробные массы…" "Вписать в пустые" "Радиус пробного груза, мм" "Пробная масса на плоскость: "
  "наименьший наибольший остаток" "Пределы вибрации по точкам" "Пределы массы по плоскостям"
  "Веса частот (пусто — 1):" "Грузов в отверстие:" "Время подбора, с:" "+ частота" "Убрать частоту"
  "Оба ответа рядом — на вкладке «Оптимизация»." "Наибольшая остаточная" "Среднеквадратичная"
  "Допуск ISO 21940-11 (по остаточному дисбалансу):" "Центр масс от опор A; B, мм"
  "Опоры A; B по оси, мм" "Плоскости по оси, мм" "Уточнять коэффициенты по контрольным пускам"
  "Норма вибрации не задана: итог не оценивается."
)
for quoted in "${window_texts[@]}"; do
  [[ $joined == *"$quoted"* ]] || fail "the manual does not name the window's «$quoted»"
  grep -rqF -- "$quoted" "$sources" || fail "the manual names «$quoted», which the program does not show"
done

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

# Every quoted run of balance4-calc, in the order of the manual: the command after «$ » (with its
# «\» continuations) is run in a folder holding the manual's example files, in that order, so that
# a saved job flows into the next command; each quoted line, «…» aside, must be among the
# program's own lines, in order (later versions may print more lines between them). A block ends at
# its last quoted line, listed here in the manual's order.
block_ends=(
  "33,63 87,30 123,26 20,38 282,20 226,05 70,85 115,48"
  "изменено в пределах ±2 % по амплитуде и ±2° по фазе."
  "m = s·M·g / (N·r·ω²), ω = 2π·n/60; M — масса ротора, N — число плоскостей, r — радиус."
  "изменено в пределах ±2 % по амплитуде и ±2° по фазе."
  "Внимание, плоскость 2: сомнительно — разброс больше 30 % самой поправки."
  "Без точки 4: плоскость 1 — 98,73 г, 294,71° от нуля; плоскость 2 — 65,16 г, 137,83° от нуля."
  "Внимание: Плоскости 2 и 3 действуют почти одинаково: уберите одну или переставьте датчики."
  "Углы отсчитываются против вращения: от места пробного груза (F) и от нулевой метки."
  "изменено в пределах ±2 % по амплитуде и ±2° по фазе."
  "Это наилучшая раскладка."
  "среднеквадратичная 0,11 0,11"
  "Задание сохранено в «ротор.json»."
  "Задание сохранено в «ротор.json»."
  "Итог: вибрация в норме во всех точках (контрольный пуск 2)."
  "на опору A 17 904,9 г·мм, на опору B 10 743,0 г·мм (по расстояниям до центра масс)"
  "Допуск ISO 21940-11, G 2,5: выполнен"
)
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$(dirname "$0")"/data/* "$folder"/
# The programs group thousands with a no-break space, which the PDF's text gives as a space.
squeeze() { sed 's/\xc2\xa0/ /g; s/^ *//; s/ *$//; s/[ \t][ \t]*/ /g'; }
mapfile -t layout < <(pdftotext -q -layout "$pdf" - | squeeze)
blocks=0
for ((i = 0; i < ${#layout[@]}; i++)); do
  [[ ${layout[i]} == '$ balance4-calc'* ]] || continue
  ((blocks < ${#block_ends[@]})) || fail "a quoted balance4-calc run not listed in the test: ${layout[i]}"
  command=${layout[i]#\$ }
  while [[ $command == *' \' ]]; do
    i=$((i + 1))
    command="${command:0:${#command}-2} ${layout[i]}"
  done
  printed=$(cd "$folder" && PATH="$build/bin:$PATH" bash -c "$command" 2>&1 | squeeze) || true
  rest=$printed
  end=${block_ends[blocks]}
  while :; do
    i=$((i + 1))
    ((i < ${#layout[@]})) || fail "the quote of «$command» does not end with: $end"
    line=${layout[i]}
    [[ -z $line || $line == "…" ]] && continue
    [[ $rest == *"$line"* ]] || fail "«$command» does not print, or not in this order: $line"
    rest=${rest#*"$line"}
    [[ $line == "$end" ]] && break
  done
  blocks=$((blocks + 1))
done
((blocks == ${#block_ends[@]})) || fail "$blocks quoted balance4-calc runs, the test lists ${#block_ends[@]}"

echo "manual_test: $pages pages; the rule and its figure on page $page; the card on page $card; $blocks quoted runs agree with balance4-calc"
