#!/usr/bin/env bash
# The real window worked by the keyboard alone (xdotool on Xvfb, the focus
# read over AT-SPI): Tab and Shift+Tab go through the fields and the actions
# in order; Enter and Space press the tool buttons and open the pictures'
# pages; Escape hides the family/model/stepping panel and the about box.
set -u
source "$(cd "$(dirname "$0")" && pwd)/accessibility_support.sh"

# The Tab order of the main window, by name, the panel hidden.
order=(
  "Открыть страницу с фото процессора" "Открыть страницу с фото обратной стороны процессора"
  "Открыть страницу с подробной информацией о процессоре"
  "Полное название процессора" "Базовая частота" "Турбо частота" "Процессор" "Ядер" "Потоки" "Макс. темп"
  "Кодовое имя" "Литография" "Макс. поддерживаемая память" "CPU для" "Технологии, интерфейсы, функции в процессоре"
  "Russian" "Кэш память L3" "Модель процессора" "Встроеная графика" "Закрыть" "PCI Express" "Сокет"
  "Показать или скрыть семейство, модель и степпинг" "О программе" "Сохранить скриншот окна"
)

start_window
check "the first control has the focus at start" [ "$(focused | cut -f2)" = "${order[0]}" ]
path=("$(focused | cut -f2)")
for _ in "${order[@]}"; do
  key Tab
  path+=("$(focused | cut -f2)")
done
expected=("${order[@]}" "${order[0]}")
for i in "${!expected[@]}"; do
  check "Tab step $i reaches \"${expected[$i]}\", not \"${path[$i]}\"" [ "${path[$i]}" = "${expected[$i]}" ]
done
key shift+Tab
check "Shift+Tab goes back to the screenshot button" [ "$(focused | cut -f2)" = "Сохранить скриншот окна" ]
key shift+Tab
check "and on back to the about button" [ "$(focused | cut -f2)" = "О программе" ]

# Enter on the screenshot button offers the save dialog; Escape cancels it.
tab_to "Сохранить скриншот окна"
key Return
check "Enter on the screenshot button offers a save dialog: $(tree windows "$app" | tr '\n' ' ')" \
  bash -c "'$atspi_python' '$tree_tool' windows $app | grep -q '^\(dialog\|file chooser\)'"
key Escape
check "Escape cancels the dialog" bash -c "! '$atspi_python' '$tree_tool' windows $app | grep -q '^\(dialog\|file chooser\)'"
check "no screenshot was written" [ -z "$(find "$scratch" -name '*.jpg')" ]
refocus

# Enter and Space on the pictures open their pages; the reader's press does too.
tab_to "Открыть страницу с фото процессора"
key Return
tab_to "Открыть страницу с фото обратной стороны процессора"
key space
tab_to "Открыть страницу с подробной информацией о процессоре"
key KP_Enter
tree press "$app" "Открыть страницу с фото процессора"
sleep 0.5
opened=$(cat "$scratch/opened" 2>/dev/null)
check "four pages opened: $(echo "$opened" | tr '\n' ' ')" [ "$(echo "$opened" | grep -c '^https://')" -eq 4 ]
check "the front photo's page first" [ "$(echo "$opened" | sed -n 1p)" = "$(echo "$opened" | sed -n 4p)" ]
check "the back photo's page second" bash -c "echo '$(echo "$opened" | sed -n 2p)' | grep -q -- '/cpu/back-'"
check "the detailed page third" bash -c "echo '$(echo "$opened" | sed -n 3p)' | grep -q -- '/cpu/detailed-'"

# Space on the FMS button shows the panel, whose fields Tab then reaches;
# Escape hides it again.
panel="Семейство, модель и степпинг процессора"
tab_to "Показать или скрыть семейство, модель и степпинг"
key space
check "Space on the FMS button shows the panel" [ "$(tree showing "$app" "$panel")" = yes ]
check "Tab reaches the panel's family field" tab_to "Семейство"
key Escape
check "Escape hides the panel" [ "$(tree showing "$app" "$panel")" = no ]

# Enter on the about button shows the about box; Escape hides it.
tab_to "О программе"
key Return
about="О программе Wexmora v.1.5"
check "Enter on the about button shows the about box: $(tree windows "$app" | tr '\n' ' ')" \
  bash -c "'$atspi_python' '$tree_tool' windows $app | grep -q '$about'"
check "the about box's close button has the focus" [ "$(focused | cut -f2)" = "Закрыть" ]
key Escape
check "Escape hides the about box" bash -c "! '$atspi_python' '$tree_tool' windows $app | grep -q '$about'"
finish
