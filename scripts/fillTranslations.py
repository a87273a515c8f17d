#!/usr/bin/python3
"""Fill translations/ztModBusUtility_ru.ts from the dictionary below.

Usage:
    python3 scripts/fillTranslations.py [TS_FILE] [--check] [--keep-existing]

Workflow after texts change:
    scripts/updateTranslations          # lupdate adds new texts as unfinished
    python3 scripts/fillTranslations.py --check  # lists texts missing from the dictionary
    (add them to BY_CONTEXT / COMMON below)
    python3 scripts/fillTranslations.py          # writes the translations, marks them finished

Lookup order: BY_CONTEXT[context][source], then COMMON[source].  A message
found in neither keeps its current translation if it is finished and
non-empty; otherwise it is reported and the script exits with status 1.
The file is edited as text in lupdate's own layout, so diffs stay minimal.
Each translation is checked to keep the source's %N placeholders, '&'
accelerator count and leading/trailing whitespace.
"""

import html
import re
import sys

DEFAULT_TS = "/work/main/translations/ztModBusUtility_ru.ts"

# Texts that mean the same wherever they appear.
COMMON = {
    # Generic words and buttons
    "Close": "Закрыть",
    "OK": "ОК",
    "Cancel": "Отмена",
    "Warning": "Предупреждение",
    "Are you sure?": "Вы уверены?",
    "Exit": "Выход",
    "Help": "Справка",
    "About": "О программе",
    "Description": "Описание",
    "Value": "Значение",
    "Address": "Адрес",
    "Address:": "Адрес:",
    "Device": "Устройство",
    "Variant": "Исполнение",
    "Channel": "Канал",
    "Mode": "Режим",
    "Status:": "Состояние:",
    "Set": "Задать",
    "Reset": "Сбросить",
    "Search": "Поиск",
    "Temp": "Временное",
    "TextLabel": "Текстовая метка",
    "№": "№",
    ">>": ">>",
    "00": "00",
    "0x0": "0x0",
    "COM x": "COM x",

    # Ports and line settings
    "Baud Rate": "Скорость обмена",
    "Baud Rate:": "Скорость обмена:",
    "Configuration": "Конфигурация",
    "Configuration:": "Конфигурация:",
    "COM Port:": "COM-порт:",
    "Port Configuration:": "Конфигурация порта:",
    "Port Baud Rate:": "Скорость обмена порта:",
    "Open COM Port": "Открыть COM-порт",
    "Close COM Port": "Закрыть COM-порт",
    "1200": "1200",
    "2400": "2400",
    "4800": "4800",
    "9600": "9600",
    "19200": "19200",
    "38400": "38400",
    "57600": "57600",
    "115200": "115200",
    "8N1": "8N1",
    "8N2": "8N2",
    "8E1": "8E1",
    "8O1": "8O1",
    "None (N,8,1)": "Нет (N,8,1)",
    "None(N,8,2)": "Нет (N,8,2)",
    "Even (E,8,1)": "Чёт (E,8,1)",
    "Odd(O,8,1)": "Нечёт (O,8,1)",
    "ms": "мс",
    " ms": " мс",
    "s": "с",
    "V": "В",
    " V": " В",
    " Om": " Ом",

    # Search
    "Search Settings": "Настройки поиска",
    "Waiting for action": "Ожидание действия",
    "Search modules": "Поиск модулей",
    "Pause in search": "Поиск приостановлен",
    "Nothing Found": "Ничего не найдено",
    "Found Devices: %1": "Найдено устройств: %1",
    "Search Completed": "Поиск завершён",
    "Start Search Modules": "Начать поиск модулей",
    "Pause Search Modules": "Приостановить поиск модулей",
    "Stop Search Modules": "Остановить поиск модулей",
    "Start Module Search": "Начать поиск модулей",
    "Pause Search": "Приостановить поиск",
    "Stop Search": "Остановить поиск",
    "Range Scaning Address:": "Диапазон адресов сканирования:",
    "Current Status:": "Текущее состояние:",
    "Select COM to search:": "Выберите COM-порт для поиска:",
    "Timeout Settings:": "Настройки тайм-аута:",
    "Baud Rate Options:": "Варианты скорости обмена:",
    "Parity Settings:": "Настройки чётности:",

    # Errors
    "Operation is not possible": "Операция невозможна",
    "Operation not posible": "Операция невозможна",
    "COM Port is not selected.": "COM-порт не выбран.",
    "Baud Rate value is not selected.": "Скорость обмена не выбрана.",
    "Configuration Port value is not selected.": "Конфигурация порта не выбрана.",
    "The port %1 does not exist": "Порт %1 не существует",
    "Access to the port %1 is denied: no permission to use it":
        "Доступ к порту %1 запрещён: нет прав на его использование",
    "The port %1 cannot be opened": "Не удаётся открыть порт %1",
    "The port %1 is busy with an external process": "Порт %1 занят другим процессом",
    "The start address must not be above the end address.":
        "Начальный адрес не должен быть больше конечного.",
    "Already Open!": "Уже открыт!",
    "Open!": "Открыт!",

    # Menus and about box
    "&File": "&Файл",
    "&Settings": "&Настройки",
    "&Help": "&Справка",
    "Version %1 from %2": "Версия %1 от %2",
    "Mar 30 2022": "30 марта 2022",
    "\n\nThis program build with Qt library, that using under the GNU LGPL version 2.1":
        "\n\nПрограмма собрана с библиотекой Qt, используемой на условиях GNU LGPL версии 2.1",
    "About zt programm": "О программе zt",
    # Product name; kept as written.
    "ZT-33xx VudOze Ruveziz": "ZT-33xx VudOze Ruveziz",

    # Module dialog: tabs
    "VRD-3310": "VRD-3310",
    "General Settings": "Общие настройки",
    "Communication Parameters": "Параметры связи",
    "System Parameters": "Системные параметры",
    "DI Channels": "Каналы DI",
    "DO Channels": "Каналы DO",
    "AI Channels": "Каналы AI",
    "AO Channels": "Каналы AO",
    "Pt1000 Channels": "Каналы Pt1000",
    "1-Wire Channel": "Канал 1-Wire",

    # Module dialog: communication and system parameters
    "ModBus Mode:": "Режим ModBus:",
    "Slave": "Ведомый",
    "Master": "Ведущий",
    "Order Byte:": "Порядок байтов:",
    "3-2-1-0": "3-2-1-0",
    "0-1-2-3": "0-1-2-3",
    "1-0-3-2": "1-0-3-2",
    "2-3-0-1": "2-3-0-1",
    "ModBus Slave address:": "Адрес ведомого ModBus:",
    "Safety Timeout:": "Тайм-аут безопасности:",
    "WDT Timeout:": "Тайм-аут WDT:",
    "Off": "Выкл.",
    "Safe Reset:": "Сброс в безопасное состояние:",
    "Not Active": "Не активен",
    "Active": "Активен",
    "Reset to factory settings": "Сброс к заводским настройкам",

    # Module dialog: channel tables and modes
    "Normal State": "Нормальное состояние",
    "Counter": "Счётчик",
    "Pulse/Sec": "Имп./с",
    "Normal": "Обычный",
    "Tachometer": "Тахометр",
    "Encoder (C)": "Энкодер (C)",
    "Encoder (C+T)": "Энкодер (C+T)",
    "Safety Mode": "Режим безопасности",
    "Safety Level": "Безопасный уровень",
    "Safety State": "Безопасное состояние",
    "Fast": "Быстрый",
    "PWM": "ШИМ",
    "Disabled": "Отключено",
    "Enabled": "Включено",
    "False": "Ложь",
    "True": "Истина",
    "Sensor Type": "Тип датчика",
    "Sensor type": "Тип датчика",
    "Sensor ID": "ID датчика",
    "Current Value": "Текущее значение",
    "Current Value (V)": "Текущее значение (В)",
    "Current Value (C)": "Текущее значение (°C)",
    "Safety Value (V)": "Безопасное значение (В)",
    "Survey": "Опрос",
    "a3850": "a3850",
    "a3911": "a3911",

    # Module dialog: calibration
    "Calibration": "Калибровка",
    "Calibration Execute": "Выполнить калибровку",
    "Status calibration executing:": "Состояние выполнения калибровки:",
    "Negative Value:": "Отрицательное значение:",
    "Positive Value:": "Положительное значение:",
    "Different Calibration Value:": "Разностное значение калибровки:",
    "Low Value:": "Нижнее значение:",
    "High Value:": "Верхнее значение:",
    "Low Value (V):": "Нижнее значение (В):",
    "High Value (V):": "Верхнее значение (В):",
}

# Where a context needs a different wording than COMMON.
BY_CONTEXT = {
    "srchSettings": {},
    "mainClassClass": {},
    "vrd3310_Settings": {},
    "cChannelSelection": {
        "You must select a channel for editing.": "Для редактирования необходимо выбрать канал.",
    },
    "cDlgVrd_3310": {
        "Pt100 Channels": "Каналы Pt100",
        "Pt1000 Channels": "Каналы Pt1000",
        "Baud Rate": "Скорость обмена",
        "Stop Bits": "Стоповые биты",
        "Parity": "Чётность",
        "ModBus Mode": "Режим ModBus",
        "Byte Order": "Порядок байтов",
        "ModBus Slave address": "Адрес ведомого ModBus",
        "Safety TimeOut": "Тайм-аут безопасности",
        "WDT TimeOut": "Тайм-аут WDT",
        "Module Name": "Название модуля",
        "Version Number": "Номер версии",
        "Version Date": "Дата версии",
        "MCU Temperature": "Температура МК",
        "Manufactured Version": "Исполнение",
        "The list of found modules is empty.": "Список найденных модулей пуст.",
        "A module with this address already exists in the list.": "Модуль с таким адресом уже есть в списке.",
        "  After executing this command,": "  После выполнения этой команды",
        "you return to the factory settings.": "будут восстановлены заводские настройки.",
        "       Are you sure?": "       Вы уверены?",
        "Yes": "Да",
        "Slave": "Ведомый",
        "Master": "Ведущий",
    },
    "cShareFunction": {
        # Parity names
        "No": "Нет",
        "Odd": "Нечёт",
        "Even": "Чёт",
        # Calibration status of the module
        "To Progress": "Выполняется",
        "Save Error": "Ошибка сохранения",
        "Incorrect sequence of actions": "Неверная последовательность действий",
        "Invalid Value": "Недопустимое значение",
        "Calibration points are too close": "Точки калибровки слишком близки",
        "Is Successful": "Успешно",
        # Factory-reset progress window
        "Restore settings. Expect ...": "Восстановление настроек. Ожидайте ...",
        "Progress": "Ход выполнения",
    },
}

PLACEHOLDER = re.compile(r"%L?\d+")
CONTEXT_RE = re.compile(r"(<context>\s*<name>)(.*?)(</name>)(.*?)(</context>)", re.S)
MESSAGE_RE = re.compile(r"<message(?P<attrs>[^>]*)>(?P<body>.*?)</message>", re.S)
SOURCE_RE = re.compile(r"<source>(.*?)</source>", re.S)
TRANSLATION_RE = re.compile(r"<translation(?P<attrs>[^>]*?)(?:/>|>(?P<text>.*?)</translation>)", re.S)


def escape(text):
    # The same escaping lupdate writes.
    return (text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
            .replace('"', "&quot;").replace("'", "&apos;"))


def accelerators(text):
    return text.replace("&&", "").count("&")


def edges(text):
    return (text[:len(text) - len(text.lstrip())], text[len(text.rstrip()):])


def validate(source, translation):
    problems = []
    if sorted(PLACEHOLDER.findall(source)) != sorted(PLACEHOLDER.findall(translation)):
        problems.append("placeholders differ")
    if accelerators(source) != accelerators(translation):
        problems.append("accelerator count differs")
    if edges(source) != edges(translation):
        problems.append("leading/trailing whitespace differs")
    if not translation:
        problems.append("empty translation")
    return problems


def lookup(context, source):
    table = BY_CONTEXT.get(context, {})
    if source in table:
        return table[source]
    return COMMON.get(source)


def main(argv):
    args = [a for a in argv[1:] if not a.startswith("--")]
    check_only = "--check" in argv
    keep_existing = "--keep-existing" in argv
    path = args[0] if args else DEFAULT_TS

    with open(path, encoding="utf-8") as f:
        text = f.read()

    missing = []
    bad = []
    counts = {}

    def do_message(context, m):
        attrs, body = m.group("attrs"), m.group("body")
        if 'numerus="yes"' in attrs:
            missing.append((context, "(plural form, translate by hand)"))
            return m.group(0)
        src = html.unescape(SOURCE_RE.search(body).group(1))
        tr_m = TRANSLATION_RE.search(body)
        tr_attrs = tr_m.group("attrs") or ""
        current = html.unescape(tr_m.group("text") or "")
        finished = "type=" not in tr_attrs
        wanted = lookup(context, src)
        if wanted is None or (keep_existing and finished and current):
            if finished and current:
                counts[context] = counts.get(context, 0) + 1
            else:
                missing.append((context, src))
            return m.group(0)
        problems = validate(src, wanted)
        if problems:
            bad.append((context, src, wanted, problems))
            return m.group(0)
        counts[context] = counts.get(context, 0) + 1
        new_tr = "<translation>%s</translation>" % escape(wanted)
        new_body = body[:tr_m.start()] + new_tr + body[tr_m.end():]
        return "<message%s>%s</message>" % (attrs, new_body)

    def do_context(c):
        name = html.unescape(c.group(2))
        inner = MESSAGE_RE.sub(lambda m: do_message(name, m), c.group(4))
        return c.group(1) + c.group(2) + c.group(3) + inner + c.group(5)

    new_text = CONTEXT_RE.sub(do_context, text)

    for context, src, wanted, problems in bad:
        print("BAD  [%s] %r -> %r: %s" % (context, src, wanted, ", ".join(problems)))
    for context, src in missing:
        print("MISSING [%s] %r" % (context, src))
    for context in sorted(counts):
        print("%-20s %d translated" % (context, counts[context]))
    print("total %d translated, %d missing, %d rejected"
          % (sum(counts.values()), len(missing), len(bad)))

    if not check_only and new_text != text:
        with open(path, "w", encoding="utf-8") as f:
            f.write(new_text)
    return 1 if (missing or bad) else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
