#!/usr/bin/env bash
# What a screen reader finds in the real window, read over AT-SPI: every value
# field named by its caption and labelled by it, every action and linked
# picture named by what it does, in Russian and after a switch to English; no
# two controls alike; every action focusable and offering an action.
set -u
source "$(cd "$(dirname "$0")" && pwd)/accessibility_support.sh"

# clang-format off
#  role           Russian name                                            English name                              labelled by (Russian; English)
expected=(
  "text|Ядер|Cores|Ядер|Cores"
  "text|Потоки|Streams|Потоки|Streams"
  "text|Сокет|Socket|Сокет|Socket"
  "text|Процессор|CPU|Процессор|CPU"
  "text|Базовая частота|Base frequency|Базовая частота|Base frequency"
  "text|Турбо частота|Turbo frequency|Турбо частота|Turbo frequency"
  "text|PCI Express|PCI Express|PCI Express|PCI Express"
  "text|CPU для|CPU for|CPU для|CPU for"
  "text|Кодовое имя|Codename|Кодовое имя|Codename"
  "text|Модель процессора|Processor model|Модель процессора|Processor model"
  "text|Встроеная графика|Integrated GPU|Встроеная графика|Integrated GPU"
  "text|Макс. поддерживаемая память|Supported memory|Макс. поддерживаемая память|Supported memory"
  "text|Литография|Lithography|Литография|Lithography"
  "text|Макс. темп|Max. temp...|Макс. темп|Max. temp..."
  "text|Кэш память L3|L3 cache|Кэш память L3|L3 cache"
  "text|Технологии, интерфейсы, функции в процессоре|Technologies, interfaces, functions in the processor|Технологии, интерфейсы, функции в процессоре|Technologies, interfaces, functions in the processor"
  "text|Полное название процессора|Full name of the processor||"
  "text|Семейство|Family|Семейство|Family"
  "text|Модель|Model|Модель|Model"
  "text|Степпинг|Stepping|Степпинг|Stepping"
  "combo box|Russian|English|Languages|Languages"
  "push button|Сохранить скриншот окна|Save a screenshot of the window||"
  "push button|О программе|About the program||"
  "push button|Показать или скрыть семейство, модель и степпинг|Show or hide family, model and stepping||"
  "push button|Закрыть|Close||"
  "push button|Скрыть|Hide||"
  "link|Открыть страницу с фото процессора|Open the front photo's page||"
  "link|Открыть страницу с фото обратной стороны процессора|Open the back photo's page||"
  "link|Открыть страницу с подробной информацией о процессоре|Open the processor's detailed page||"
)
# clang-format on

# check_tree LANGUAGE(2 Russian, 3 English) FILE
check_tree() {
  local column=$1 file=$2 language row role name label
  language=$([ "$column" -eq 2 ] && echo Russian || echo English)
  for row in "${expected[@]}"; do
    IFS='|' read -r role ru en label_ru label_en <<<"$row"
    name=$([ "$column" -eq 2 ] && echo "$ru" || echo "$en")
    label=$([ "$column" -eq 2 ] && echo "$label_ru" || echo "$label_en")
    check "$language: a $role named \"$name\"" \
      awk -F'\t' -v r="$role" -v n="$name" '$2 == r && $3 == n && $7 != "hidden" { found = 1 } END { exit !found }' "$file"
    [ -n "$label" ] && check "$language: \"$name\" labelled by \"$label\"" \
      awk -F'\t' -v r="$role" -v n="$name" -v l="$label" '$2 == r && $3 == n && $6 == l { found = 1 } END { exit !found }' "$file"
  done
  # No field is named by the frame's title any more, no two controls alike.
  check "$language: no field takes the frame's title" \
    awk -F'\t' '$2 == "text" && $3 ~ /^(Краткая информация|Brief information)/ { bad = 1 } END { exit bad }' "$file"
  local shared
  shared=$(awk -F'\t' '($2 == "text" || $2 == "push button" || $2 == "link" || $2 == "combo box") && $3 != "" { print $3 }' "$file" |
    sort | uniq -d)
  check "$language: no two controls share a name: $shared" [ -z "$shared" ]
  local nameless
  nameless=$(awk -F'\t' '($2 == "push button" || $2 == "link") && $3 == "" { print $2 }' "$file" | wc -l)
  check "$language: no button or link without a name ($nameless)" [ "$nameless" -eq 0 ]
  # Every action: focusable, with a press action.
  local unreachable
  unreachable=$(awk -F'\t' '($2 == "push button" || $2 == "link") && ($4 !~ /focusable/ || $5 !~ /Press/) { print $3 }' "$file")
  check "$language: every action focusable and pressable: $unreachable" [ -z "$unreachable" ]
}

start_window
tree tree "$app" >"$scratch/russian.tsv"
check_tree 2 "$scratch/russian.tsv"

# The names follow a switch of the language list, made by the keyboard.
tab_to Russian
key Down
tree tree "$app" >"$scratch/english.tsv"
check_tree 3 "$scratch/english.tsv"
stop_window

# The about box names its link and buttons too, in the language chosen.
start_window 1
tab_to "About the program"
key Return
tree tree "$app" >"$scratch/about.tsv"
for name in "Open the program's web site" "Site program" "Close"; do
  check "about box: an action named \"$name\"" \
    awk -F'\t' -v n="$name" '($2 == "link" || $2 == "push button") && $3 == n && $4 ~ /focusable/ { f = 1 } END { exit !f }' \
    "$scratch/about.tsv"
done
finish
