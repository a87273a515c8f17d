<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>cBusMonitor</name>
    <message>
        <source>Bus Traffic</source>
        <translation>Обмен по шине</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Dir.</source>
        <translation>Напр.</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Байты</translation>
    </message>
    <message>
        <source>Meaning</source>
        <translation>Расшифровка</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>all</source>
        <translation>все</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Сохранить...</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Адрес:</translation>
    </message>
    <message>
        <source>Save Bus Traffic</source>
        <translation>Сохранение обмена по шине</translation>
    </message>
    <message>
        <source>CSV (*.csv);;Text (*.txt)</source>
        <translation>CSV (*.csv);;Текст (*.txt)</translation>
    </message>
    <message>
        <source>The file %1 cannot be written.</source>
        <translation>Не удаётся записать файл %1.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Silence, ms</source>
        <translation>Тишина, мс</translation>
    </message>
    <message>
        <source>Reply after, ms</source>
        <translation>Ответ через, мс</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Линия</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Фильтр</translation>
    </message>
    <message>
        <source>all addresses</source>
        <translation>все адреса</translation>
    </message>
    <message>
        <source>address %1</source>
        <translation>адрес %1</translation>
    </message>
    <message>
        <source>echo of the request</source>
        <translation>эхо запроса</translation>
    </message>
</context>
<context>
    <name>cCalibrPanel</name>
    <message>
        <source>Not started</source>
        <translation>Не начата</translation>
    </message>
    <message>
        <source>No verdict</source>
        <translation>Нет заключения</translation>
    </message>
</context>
<context>
    <name>cChannelReadings</name>
    <message>
        <source>Pt100/Pt1000 Channels</source>
        <translation>Каналы Pt100/Pt1000</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Калибровка</translation>
    </message>
    <message>
        <source>%1 Ω</source>
        <translation>%1 Ом</translation>
    </message>
    <message>
        <source>%1 °C</source>
        <translation>%1 °C</translation>
    </message>
    <message>
        <source>AI Channels</source>
        <translation>Каналы AI</translation>
    </message>
    <message>
        <source>%1 V</source>
        <translation>%1 В</translation>
    </message>
    <message>
        <source>AO Channels</source>
        <translation>Каналы AO</translation>
    </message>
    <message>
        <source>Output level</source>
        <translation>Уровень выхода</translation>
    </message>
    <message>
        <source>1-Wire Channels</source>
        <translation>Каналы 1-Wire</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Температура</translation>
    </message>
    <message>
        <source>no sensor</source>
        <translation>нет датчика</translation>
    </message>
</context>
<context>
    <name>cChannelSelection</name>
    <message>
        <source>Operation not posible</source>
        <translation>Операция невозможна</translation>
    </message>
    <message>
        <source>You must select a channel for editing.</source>
        <translation>Для редактирования необходимо выбрать канал.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>cConfigBatchDialog</name>
    <message>
        <source>Operation not posible</source>
        <translation>Операция невозможна</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Stop the search first.</source>
        <translation>Сначала остановите поиск.</translation>
    </message>
    <message>
        <source>Select the rows of the VRD-3310 modules in the table of found modules first.</source>
        <translation>Сначала выделите строки модулей VRD-3310 в таблице найденных модулей.</translation>
    </message>
    <message>
        <source>Save Configurations to Folder</source>
        <translation>Сохранение конфигураций в папку</translation>
    </message>
    <message>
        <source>Apply Configuration File</source>
        <translation>Применение файла конфигурации</translation>
    </message>
    <message>
        <source>Module configuration (*.json)</source>
        <translation>Конфигурация модуля (*.json)</translation>
    </message>
    <message>
        <source>The file is refused, nothing is written: %1</source>
        <translation>Файл отклонён, ничего не записано: %1</translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>ожидание</translation>
    </message>
    <message numerus="yes">
        <source>Save the configuration of %n module(s) to %1.</source>
        <translation>
            <numerusform>Сохранить конфигурацию %n модуля в %1.</numerusform>
            <numerusform>Сохранить конфигурацию %n модулей в %1.</numerusform>
            <numerusform>Сохранить конфигурацию %n модулей в %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Apply %1 (%2 %3) to %n module(s): only what differs is written, each write is read back.</source>
        <translation>
            <numerusform>Применить %1 (%2 %3) к %n модулю: записывается только отличающееся, с обратным чтением.</numerusform>
            <numerusform>Применить %1 (%2 %3) к %n модулям: записывается только отличающееся, с обратным чтением.</numerusform>
            <numerusform>Применить %1 (%2 %3) к %n модулям: записывается только отличающееся, с обратным чтением.</numerusform>
        </translation>
    </message>
    <message>
        <source>working...</source>
        <translation>выполняется...</translation>
    </message>
    <message>
        <source>Module %1 of %2, address %3</source>
        <translation>Модуль %1 из %2, адрес %3</translation>
    </message>
    <message>
        <source>Stopped. </source>
        <translation>Остановлено. </translation>
    </message>
    <message>
        <source>%1 of %2 modules done without a fault.</source>
        <translation>Без ошибок обработано модулей: %1 из %2.</translation>
    </message>
</context>
<context>
    <name>cConfigBatchRun</name>
    <message>
        <source>not reached: stopped</source>
        <translation>не обработан: остановлено</translation>
    </message>
    <message>
        <source>the port is lost</source>
        <translation>связь с портом потеряна</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>нет ответа</translation>
    </message>
    <message>
        <source>bus error %1</source>
        <translation>ошибка обмена %1</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>не удаётся прочитать: %1</translation>
    </message>
    <message>
        <source>saved to %1</source>
        <translation>сохранено в %1</translation>
    </message>
    <message>
        <source>refused: %1</source>
        <translation>отклонено: %1</translation>
    </message>
    <message>
        <source>nothing differs</source>
        <translation>различий нет</translation>
    </message>
    <message numerus="yes">
        <source>%n parameter(s) written and checked</source>
        <translation>
            <numerusform>записан и проверен %n параметр</numerusform>
            <numerusform>записано и проверено %n параметра</numerusform>
            <numerusform>записано и проверено %n параметров</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of %2 written and checked; %3</source>
        <translation>записано и проверено %1 из %2; %3</translation>
    </message>
    <message>
        <source>refused: one file&apos;s address, line settings and sensor IDs cannot go to %1 modules</source>
        <translation>отклонено: адрес, параметры линии и ID датчиков из одного файла нельзя записать сразу в несколько модулей (%1)</translation>
    </message>
</context>
<context>
    <name>cConfigComparison</name>
    <message>
        <source>The file is for a %1, the module is a %2.</source>
        <translation>Файл для %1, а модуль — %2.</translation>
    </message>
    <message>
        <source>The file is for variant %1, the module is variant %2.</source>
        <translation>Файл для варианта %1, а модуль — вариант %2.</translation>
    </message>
</context>
<context>
    <name>cConfigFile</name>
    <message>
        <source>file</source>
        <translation>файл</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>файл пуст</translation>
    </message>
    <message>
        <source>not valid JSON at character %1 (%2); the file may be truncated</source>
        <translation>ошибка JSON в символе %1 (%2); возможно, файл обрезан</translation>
    </message>
    <message>
        <source>not a JSON object</source>
        <translation>не объект JSON</translation>
    </message>
    <message>
        <source>missing or not &quot;%1&quot;: not a module configuration</source>
        <translation>отсутствует или не «%1»: это не конфигурация модуля</translation>
    </message>
    <message>
        <source>must be a whole number from 1</source>
        <translation>должно быть целым числом не меньше 1</translation>
    </message>
    <message>
        <source>%1 is newer than this program reads (%2): use a newer program</source>
        <translation>%1 новее, чем читает эта программа (%2): используйте более новую программу</translation>
    </message>
    <message>
        <source>missing or not a module type number</source>
        <translation>отсутствует или не номер типа модуля</translation>
    </message>
    <message>
        <source>missing or not a variant number</source>
        <translation>отсутствует или не номер варианта</translation>
    </message>
    <message>
        <source>%1 is not a version such as &quot;2.05.09&quot;</source>
        <translation>%1 — не версия вида «2.05.09»</translation>
    </message>
    <message>
        <source>must be a list of %1 entries</source>
        <translation>должен быть списком из %1 элементов</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>отсутствует</translation>
    </message>
    <message>
        <source>%1 is not a whole number from %2 to %3</source>
        <translation>%1 — не целое число от %2 до %3</translation>
    </message>
    <message>
        <source>%1 is not a baud rate the module has</source>
        <translation>%1 — скорость, которой нет у модуля</translation>
    </message>
    <message>
        <source>%1 is not one of &quot;8N1&quot;, &quot;8N2&quot;, &quot;8E1&quot;, &quot;8O1&quot;</source>
        <translation>%1 — не одно из «8N1», «8N2», «8E1», «8O1»</translation>
    </message>
    <message>
        <source>%1 is not one of &quot;%2&quot;</source>
        <translation>%1 — не одно из «%2»</translation>
    </message>
    <message>
        <source>%1 is not true or false</source>
        <translation>%1 — не true и не false</translation>
    </message>
    <message>
        <source>%1 is not a number of volts from 0 to 10</source>
        <translation>%1 — не число вольт от 0 до 10</translation>
    </message>
    <message>
        <source>%1 is not &quot;0x&quot; and 1 to 16 hexadecimal digits</source>
        <translation>%1 — не «0x» с 1–16 шестнадцатеричными цифрами</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>Не удаётся записать %1: %2</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>Не удаётся прочитать %1: %2</translation>
    </message>
</context>
<context>
    <name>cConfigModuleActions</name>
    <message>
        <source>Module configuration (*.json)</source>
        <translation>Конфигурация модуля (*.json)</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Конфигурация</translation>
    </message>
    <message>
        <source>Save configuration...</source>
        <translation>Сохранить конфигурацию...</translation>
    </message>
    <message>
        <source>Compare with file...</source>
        <translation>Сравнить с файлом...</translation>
    </message>
    <message>
        <source>Apply file...</source>
        <translation>Применить файл...</translation>
    </message>
    <message>
        <source>Operation not posible</source>
        <translation>Операция невозможна</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>The module&apos;s configuration cannot be read (error %1). Nothing was done.</source>
        <translation>Не удаётся прочитать конфигурацию модуля (ошибка %1). Ничего не сделано.</translation>
    </message>
    <message>
        <source>Save Configuration</source>
        <translation>Сохранение конфигурации</translation>
    </message>
    <message>
        <source>The configuration was saved to %1.</source>
        <translation>Конфигурация сохранена в %1.</translation>
    </message>
    <message>
        <source>Open Configuration</source>
        <translation>Открытие конфигурации</translation>
    </message>
    <message>
        <source>The file is refused, nothing is written: %1</source>
        <translation>Файл отклонён, ничего не записано: %1</translation>
    </message>
    <message>
        <source>Apply File</source>
        <translation>Применение файла</translation>
    </message>
    <message>
        <source>Apply only the parameters both variants have?</source>
        <translation>Применить только параметры, общие для обоих вариантов?</translation>
    </message>
    <message>
        <source>Apply shared</source>
        <translation>Применить общие</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>The module already has the file&apos;s configuration: nothing to write.</source>
        <translation>Конфигурация модуля уже совпадает с файлом: записывать нечего.</translation>
    </message>
    <message>
        <source>A module with the file&apos;s address %1 already exists in the list: nothing was written.</source>
        <translation>Модуль с адресом %1 из файла уже есть в списке: ничего не записано.</translation>
    </message>
</context>
<context>
    <name>cConfigResultsDialog</name>
    <message>
        <source>Compare with File</source>
        <translation>Сравнение с файлом</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Параметр</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Module</source>
        <translation>Модуль</translation>
    </message>
    <message>
        <source>Differs</source>
        <translation>Отличается</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>да</translation>
    </message>
    <message numerus="yes">
        <source>%1
%n parameter(s) differ, marked.</source>
        <translation>
            <numerusform>%1
Отличается %n параметр, отмечен.</numerusform>
            <numerusform>%1
Отличаются %n параметра, отмечены.</numerusform>
            <numerusform>%1
Отличаются %n параметров, отмечены.</numerusform>
        </translation>
    </message>
    <message>
        <source>Apply File</source>
        <translation>Применение файла</translation>
    </message>
    <message>
        <source>Module now</source>
        <translation>В модуле</translation>
    </message>
    <message>
        <source>To write</source>
        <translation>Будет записано</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Примечание</translation>
    </message>
    <message>
        <source>this module&apos;s own</source>
        <translation>собственный параметр модуля</translation>
    </message>
    <message>
        <source>not shared with the file&apos;s variant: kept</source>
        <translation>нет у варианта из файла: остаётся</translation>
    </message>
    <message>
        <source>These parameters differ and will be written, each read back; the address and line settings last. Apply them?</source>
        <translation>Эти параметры отличаются и будут записаны с обратным чтением; адрес и параметры линии — последними. Применить?</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Module before</source>
        <translation>В модуле до</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Результат</translation>
    </message>
    <message>
        <source>%1 of %2 parameters written and checked.</source>
        <translation>Записано и проверено параметров: %1 из %2.</translation>
    </message>
    <message>
        <source>The apply was stopped.</source>
        <translation>Применение остановлено.</translation>
    </message>
    <message>
        <source>The module or the port stopped answering: what is marked was not confirmed.</source>
        <translation>Модуль или порт перестал отвечать: отмеченное не подтверждено.</translation>
    </message>
</context>
<context>
    <name>cConfigSession</name>
    <message>
        <source>written, checked</source>
        <translation>записано, проверено</translation>
    </message>
    <message>
        <source>written, the module reports another value</source>
        <translation>записано, модуль сообщает другое значение</translation>
    </message>
    <message>
        <source>written, not read back</source>
        <translation>записано, не прочитано обратно</translation>
    </message>
    <message>
        <source>sent, no answer: may or may not be taken</source>
        <translation>отправлено, нет ответа: могло быть принято или нет</translation>
    </message>
    <message>
        <source>refused by the module</source>
        <translation>отклонено модулем</translation>
    </message>
    <message>
        <source>not written</source>
        <translation>не записано</translation>
    </message>
</context>
<context>
    <name>cDlgVrd_3310</name>
    <message>
        <source>Pt100 Channels</source>
        <translation>Каналы Pt100</translation>
    </message>
    <message>
        <source>Pt1000 Channels</source>
        <translation>Каналы Pt1000</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>Скорость обмена</translation>
    </message>
    <message>
        <source>Stop Bits</source>
        <translation>Стоповые биты</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Чётность</translation>
    </message>
    <message>
        <source>ModBus Mode</source>
        <translation>Режим ModBus</translation>
    </message>
    <message>
        <source>Byte Order</source>
        <translation>Порядок байтов</translation>
    </message>
    <message>
        <source>ModBus Slave address</source>
        <translation>Адрес ModBus</translation>
    </message>
    <message>
        <source>Safety TimeOut</source>
        <translation>Тайм-аут безоп.</translation>
    </message>
    <message>
        <source>WDT TimeOut</source>
        <translation>Тайм-аут WDT</translation>
    </message>
    <message>
        <source>Module Name</source>
        <translation>Название модуля</translation>
    </message>
    <message>
        <source>Version Number</source>
        <translation>Номер версии</translation>
    </message>
    <message>
        <source>Version Date</source>
        <translation>Дата версии</translation>
    </message>
    <message>
        <source>MCU Temperature</source>
        <translation>Температура МК</translation>
    </message>
    <message>
        <source>Manufactured Version</source>
        <translation>Исполнение</translation>
    </message>
    <message>
        <source>Operation not posible</source>
        <translation>Операция невозможна</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Ведущий</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>Ведомый</translation>
    </message>
    <message>
        <source>The list of found modules is empty.</source>
        <translation>Список найденных модулей пуст.</translation>
    </message>
    <message>
        <source>A module with this address already exists in the list.</source>
        <translation>Модуль с таким адресом уже есть в списке.</translation>
    </message>
    <message>
        <source>  After executing this command,</source>
        <translation>  После выполнения этой команды</translation>
    </message>
    <message>
        <source>you return to the factory settings.</source>
        <translation>будут восстановлены заводские настройки.</translation>
    </message>
    <message>
        <source>       Are you sure?</source>
        <translation>       Вы уверены?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>The module has not reported its current settings yet. Wait until the table shows them, then try again.</source>
        <translation>Модуль ещё не сообщил свои текущие настройки. Дождитесь, пока таблица заполнится, и повторите.</translation>
    </message>
    <message>
        <source>Survey</source>
        <translation>Опрос</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Калибровка</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Отключено</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Обычный</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Быстрый</translation>
    </message>
    <message>
        <source>Not Active</source>
        <translation>Не активен</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Активен</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Счётчик</translation>
    </message>
    <message>
        <source>Tachometr</source>
        <translation>Тахометр</translation>
    </message>
    <message>
        <source>Inc.Encoder (Counter)</source>
        <translation>Инкр. энкодер (счётчик)</translation>
    </message>
    <message>
        <source>Inc.Encoder (Counter+Tachometer)</source>
        <translation>Инкр. энкодер (счётчик+тахометр)</translation>
    </message>
    <message>
        <source>False</source>
        <translation>Ложь</translation>
    </message>
    <message>
        <source>True</source>
        <translation>Истина</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>ШИМ</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Включено</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>Enter the sensor ID as &quot;0x&quot; followed by 1 to 16 hexadecimal digits.</source>
        <translation>Введите ID датчика: &quot;0x&quot; и от 1 до 16 шестнадцатеричных цифр.</translation>
    </message>
    <message>
        <source>a3850</source>
        <translation>a3850</translation>
    </message>
    <message>
        <source>a3911</source>
        <translation>a3911</translation>
    </message>
    <message>
        <source>VRD-%1 at address %2 - %3, %4 %5</source>
        <translation>VRD-%1, адрес %2 - %3, %4 %5</translation>
    </message>
    <message>
        <source>No answer from the module since %1: the values shown are not current.</source>
        <translation>Модуль не отвечает с %1: показанные значения неактуальны.</translation>
    </message>
    <message>
        <source>Bus</source>
        <translation>Шина</translation>
    </message>
    <message>
        <source>Bus traffic</source>
        <translation>Обмен по шине</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Переподключить</translation>
    </message>
    <message>
        <source>The port %1 was lost: nothing reaches the module. Reconnect once the port is back.</source>
        <translation>Порт %1 потерян: до модуля ничего не доходит. Переподключитесь, когда порт вернётся.</translation>
    </message>
    <message>
        <source>The value %1 is outside the allowed range from %2 to %3.</source>
        <translation>Значение %1 вне допустимого диапазона от %2 до %3.</translation>
    </message>
    <message>
        <source>A watchdog time-out of %1 ms is shorter than this program&apos;s poll period of %2 ms: the module&apos;s watchdog will run out between two polls, while the module is in use. Set it anyway?</source>
        <translation>Тайм-аут сторожевого таймера %1 мс короче периода опроса программы (%2 мс): сторожевой таймер модуля будет срабатывать между двумя опросами, пока модуль в работе. Всё равно установить?</translation>
    </message>
    <message>
        <source>The module has gone back to its factory address and line settings: a new search will find it there.</source>
        <translation>Модуль вернулся к заводскому адресу и настройкам линии: новый поиск найдёт его там.</translation>
    </message>
    <message>
        <source>Factory Settings</source>
        <translation>Заводские настройки</translation>
    </message>
    <message>
        <source>no sensor</source>
        <translation>нет датчика</translation>
    </message>
    <message>
        <source>%1 Ω</source>
        <translation>%1 Ом</translation>
    </message>
    <message>
        <source>%1 °C</source>
        <translation>%1 °C</translation>
    </message>
    <message>
        <source>Service Report...</source>
        <translation>Сервисный отчёт...</translation>
    </message>
    <message>
        <source>Service Report</source>
        <translation>Сервисный отчёт</translation>
    </message>
    <message>
        <source>The module did not answer: the report was not written.</source>
        <translation>Модуль не ответил: отчёт не записан.</translation>
    </message>
    <message>
        <source>The report %1 cannot be written: %2</source>
        <translation>Отчёт %1 не удаётся записать: %2</translation>
    </message>
    <message>
        <source>VRD-%1 at address %2</source>
        <translation>VRD-%1 по адресу %2</translation>
    </message>
    <message>
        <source>VRD-%1 at address %2 - %3</source>
        <translation>VRD-%1, адрес %2 - %3</translation>
    </message>
    <message>
        <source>The link to %1 was lost: nothing reaches the module. Reconnect once the device server is back.</source>
        <translation>Связь с %1 потеряна: до модуля ничего не доходит. Переподключитесь, когда сервер вернётся.</translation>
    </message>
</context>
<context>
    <name>cEndpoint</name>
    <message>
        <source>Unknown kind of endpoint &quot;%1://&quot;: use rtu+tcp://HOST:PORT or tcp://HOST:PORT.</source>
        <translation>Неизвестный вид адреса «%1://»: укажите rtu+tcp://УЗЕЛ:ПОРТ или tcp://УЗЕЛ:ПОРТ.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no TCP port: give one from 1 to 65535 after the host.</source>
        <translation>«%1» — не порт TCP: укажите после узла число от 1 до 65535.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names no host: write HOST:PORT, an IPv6 address in brackets ([::1]:502).</source>
        <translation>«%1» не называет узел: пишите УЗЕЛ:ПОРТ, адрес IPv6 — в квадратных скобках ([::1]:502).</translation>
    </message>
</context>
<context>
    <name>cFrameDecoder</name>
    <message>
        <source>short frame</source>
        <translation>короткий кадр</translation>
    </message>
    <message>
        <source>address %1, function %2</source>
        <translation>адрес %1, функция %2</translation>
    </message>
    <message>
        <source>, echo %1</source>
        <translation>, эхо %1</translation>
    </message>
    <message>
        <source>, register %1, count %2</source>
        <translation>, регистр %1, количество %2</translation>
    </message>
    <message>
        <source>, confirmed</source>
        <translation>, подтверждено</translation>
    </message>
    <message>
        <source>, values %1</source>
        <translation>, значения %1</translation>
    </message>
    <message>
        <source>time-out</source>
        <translation>тайм-аут</translation>
    </message>
    <message>
        <source>time-out: incomplete reply</source>
        <translation>тайм-аут: неполный ответ</translation>
    </message>
    <message>
        <source>CRC error</source>
        <translation>ошибка CRC</translation>
    </message>
    <message>
        <source>refused: wrong length</source>
        <translation>отклонён: неверная длина</translation>
    </message>
    <message>
        <source>exception %1</source>
        <translation>исключение %1</translation>
    </message>
    <message>
        <source>refused: wrong byte count</source>
        <translation>отклонён: неверное число байтов</translation>
    </message>
    <message>
        <source>refused: echo differs from the request</source>
        <translation>отклонён: эхо не совпадает с запросом</translation>
    </message>
    <message>
        <source>refused: wrong address or function</source>
        <translation>отклонён: неверный адрес или функция</translation>
    </message>
    <message>
        <source>port closed</source>
        <translation>порт закрыт</translation>
    </message>
    <message>
        <source>refused (%1)</source>
        <translation>отклонён (%1)</translation>
    </message>
    <message>
        <source>refused: the adapter&apos;s echo of the request is missing</source>
        <translation>отклонён: нет эха запроса от адаптера</translation>
    </message>
</context>
<context>
    <name>cHelpDocument</name>
    <message>
        <source>The help document &quot;%1&quot; was not found. It was looked for in these folders:
%2</source>
        <translation>Документ справки «%1» не найден. Он искался в этих папках:
%2</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>The help document could not be shown: no program to view PDF files could be started. The document is here:
%1</source>
        <translation>Не удалось показать документ справки: не запустилась ни одна программа просмотра PDF. Документ находится здесь:
%1</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Открыть папку</translation>
    </message>
    <message>
        <source>The folder %1 could not be opened either.</source>
        <translation>Папку %1 тоже не удалось открыть.</translation>
    </message>
</context>
<context>
    <name>cLanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Язык (Language)</translation>
    </message>
    <message>
        <source>&amp;Russian</source>
        <translation>&amp;Русский</translation>
    </message>
    <message>
        <source>&amp;English</source>
        <translation>&amp;English</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>The new language takes effect when the program is started again.</source>
        <translation>Новый язык будет применён при следующем запуске программы.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>cLinkStats</name>
    <message>
        <source>%1 / %2 / %3 ms</source>
        <translation>%1 / %2 / %3 мс</translation>
    </message>
    <message>
        <source>Requests %1 · time-outs %2 · CRC %3 · exceptions %4 · other %5 · reply %6</source>
        <translation>Запросов %1 · тайм-аутов %2 · CRC %3 · исключений %4 · прочих %5 · ответ %6</translation>
    </message>
    <message>
        <source>The module requests since the port was opened: how many went out, how many got no reply in time, a reply with a wrong CRC, an exception reply or another wrong reply; the time from sending a request to the end of its reply, minimum / median / maximum.</source>
        <translation>Запросы к модулю с открытия порта: сколько отправлено, сколько осталось без ответа в срок, получили ответ с неверной CRC, ответ-исключение или другой неверный ответ; время от отправки запроса до конца ответа: минимум / медиана / максимум.</translation>
    </message>
</context>
<context>
    <name>cModuleConfig</name>
    <message>
        <source>Normal</source>
        <translation>Нормальный</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Счётчик</translation>
    </message>
    <message>
        <source>Tachometer</source>
        <translation>Тахометр</translation>
    </message>
    <message>
        <source>Encoder (Counter)</source>
        <translation>Энкодер (счётчик)</translation>
    </message>
    <message>
        <source>Encoder (Counter+Tachometer)</source>
        <translation>Энкодер (счётчик+тахометр)</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Быстрый</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>ШИМ</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Отключен</translation>
    </message>
    <message>
        <source>Survey</source>
        <translation>Опрос</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Калибровка</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>False</source>
        <translation>Ложь</translation>
    </message>
    <message>
        <source>True</source>
        <translation>Истина</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Включен</translation>
    </message>
    <message>
        <source>Not Active</source>
        <translation>Не активен</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Активен</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>Ведомый</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Ведущий</translation>
    </message>
    <message>
        <source>ModBus address</source>
        <translation>Адрес ModBus</translation>
    </message>
    <message>
        <source>Safety time-out</source>
        <translation>Тайм-аут безопасности</translation>
    </message>
    <message>
        <source>WDT time-out</source>
        <translation>Тайм-аут WDT</translation>
    </message>
    <message>
        <source>Baud rate</source>
        <translation>Скорость</translation>
    </message>
    <message>
        <source>Frame format</source>
        <translation>Формат кадра</translation>
    </message>
    <message>
        <source>ModBus mode</source>
        <translation>Режим ModBus</translation>
    </message>
    <message>
        <source>Byte order</source>
        <translation>Порядок байтов</translation>
    </message>
    <message>
        <source>Safe reset</source>
        <translation>Безопасный сброс</translation>
    </message>
    <message>
        <source>DI %1 mode</source>
        <translation>DI %1 режим</translation>
    </message>
    <message>
        <source>DO %1 mode</source>
        <translation>DO %1 режим</translation>
    </message>
    <message>
        <source>DO %1 normal state</source>
        <translation>DO %1 нормальное состояние</translation>
    </message>
    <message>
        <source>DO %1 safety mode</source>
        <translation>DO %1 режим безопасности</translation>
    </message>
    <message>
        <source>DO %1 safety level</source>
        <translation>DO %1 безопасный уровень</translation>
    </message>
    <message>
        <source>AI %1 mode</source>
        <translation>AI %1 режим</translation>
    </message>
    <message>
        <source>AO %1 mode</source>
        <translation>AO %1 режим</translation>
    </message>
    <message>
        <source>AO %1 level</source>
        <translation>AO %1 уровень</translation>
    </message>
    <message>
        <source>AO %1 safety state</source>
        <translation>AO %1 состояние безопасности</translation>
    </message>
    <message>
        <source>AO %1 safety level</source>
        <translation>AO %1 безопасный уровень</translation>
    </message>
    <message>
        <source>Pt %1 mode</source>
        <translation>Pt %1 режим</translation>
    </message>
    <message>
        <source>Pt %1 sensor curve</source>
        <translation>Pt %1 характеристика датчика</translation>
    </message>
    <message>
        <source>1-Wire %1 poll mode</source>
        <translation>1-Wire %1 режим опроса</translation>
    </message>
    <message>
        <source>1-Wire %1 sensor ID</source>
        <translation>1-Wire %1 ID датчика</translation>
    </message>
    <message>
        <source>Module</source>
        <translation>Модуль</translation>
    </message>
    <message>
        <source>Variant</source>
        <translation>Вариант</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Прошивка</translation>
    </message>
    <message>
        <source>Firmware date</source>
        <translation>Дата прошивки</translation>
    </message>
</context>
<context>
    <name>cReportCollector</name>
    <message>
        <source>The module did not answer when its configuration was read.</source>
        <translation>Модуль не ответил при чтении его конфигурации.</translation>
    </message>
    <message>
        <source>The module stopped answering while its channels were read: the channels not shown were not read.</source>
        <translation>Модуль перестал отвечать во время чтения каналов: не показанные каналы не прочитаны.</translation>
    </message>
</context>
<context>
    <name>cReportHtml</name>
    <message>
        <source>Service Report</source>
        <translation>Сервисный отчёт</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Дата и время</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Линия</translation>
    </message>
    <message>
        <source>Found Modules</source>
        <translation>Найденные модули</translation>
    </message>
    <message>
        <source>No module has been found.</source>
        <translation>Модули не найдены.</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>№</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Устройство</translation>
    </message>
    <message>
        <source>Variant</source>
        <translation>Исполнение</translation>
    </message>
    <message>
        <source>Baud rate</source>
        <translation>Скорость</translation>
    </message>
    <message>
        <source>Frame format</source>
        <translation>Формат кадра</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Каналы</translation>
    </message>
    <message>
        <source>Identity</source>
        <translation>Идентификация</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Конфигурация</translation>
    </message>
    <message>
        <source>Link Statistics</source>
        <translation>Статистика связи</translation>
    </message>
    <message>
        <source>No module request since the port was opened; the search&apos;s probes are not counted.</source>
        <translation>С открытия порта запросов к модулям не было; опросы поиска не учитываются.</translation>
    </message>
    <message>
        <source>Requests</source>
        <translation>Запросы</translation>
    </message>
    <message>
        <source>Time-outs</source>
        <translation>Тайм-ауты</translation>
    </message>
    <message>
        <source>CRC errors</source>
        <translation>Ошибки CRC</translation>
    </message>
    <message>
        <source>Exception replies</source>
        <translation>Ответы-исключения</translation>
    </message>
    <message>
        <source>Other failures</source>
        <translation>Прочие сбои</translation>
    </message>
    <message>
        <source>Reply time, min / median / max</source>
        <translation>Время ответа, мин. / медиана / макс.</translation>
    </message>
</context>
<context>
    <name>cReportWriter</name>
    <message>
        <source>PDF (*.pdf);;HTML (*.html)</source>
        <translation>PDF (*.pdf);;HTML (*.html)</translation>
    </message>
    <message>
        <source>A report is a .pdf or an .html file.</source>
        <translation>Отчёт записывается в файл .pdf или .html.</translation>
    </message>
    <message>
        <source>Service Report</source>
        <translation>Сервисный отчёт</translation>
    </message>
</context>
<context>
    <name>cScanEstimate</name>
    <message>
        <source>%1 s</source>
        <translation>%1 с</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 мин %2 с</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 ч %2 мин</translation>
    </message>
</context>
<context>
    <name>cSerialTransport</name>
    <message>
        <source>Held by another copy of the program!</source>
        <translation>Занят другой копией программы!</translation>
    </message>
    <message>
        <source>The lock file cannot be made!</source>
        <translation>Не удаётся создать файл блокировки!</translation>
    </message>
</context>
<context>
    <name>cServiceReport</name>
    <message>
        <source>VRD-%1 at address %2</source>
        <translation>VRD-%1 по адресу %2</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Устройство</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Variant</source>
        <translation>Исполнение</translation>
    </message>
    <message>
        <source>Baud rate</source>
        <translation>Скорость</translation>
    </message>
    <message>
        <source>Frame format</source>
        <translation>Формат кадра</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Каналы</translation>
    </message>
    <message>
        <source>The configuration and the live values are not in this report: the search reads only the identity. Open the module and make its report there.</source>
        <translation>Конфигурации и текущих значений в этом отчёте нет: поиск читает только идентификацию. Откройте модуль и составьте отчёт там.</translation>
    </message>
    <message>
        <source>searched at %1; %2</source>
        <translation>поиск на %1; %2</translation>
    </message>
</context>
<context>
    <name>cShareFunction</name>
    <message>
        <source>No</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Нечёт</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Чёт</translation>
    </message>
    <message>
        <source>To Progress</source>
        <translation>Выполняется</translation>
    </message>
    <message>
        <source>Save Error</source>
        <translation>Ошибка сохранения</translation>
    </message>
    <message>
        <source>Incorrect sequence of actions</source>
        <translation>Неверный порядок действий</translation>
    </message>
    <message>
        <source>Invalid Value</source>
        <translation>Недопустимое значение</translation>
    </message>
    <message>
        <source>Calibration points are too close</source>
        <translation>Точки слишком близки</translation>
    </message>
    <message>
        <source>Is Successful</source>
        <translation>Успешно</translation>
    </message>
    <message>
        <source>Restore settings. Expect ...</source>
        <translation>Восстановление настроек. Ожидайте ...</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Ход выполнения</translation>
    </message>
</context>
<context>
    <name>cSrchSettings</name>
    <message>
        <source>Operation is not possible</source>
        <translation>Операция невозможна</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>COM Port is not selected.</source>
        <translation>COM-порт не выбран.</translation>
    </message>
    <message>
        <source>Baud Rate value is not selected.</source>
        <translation>Скорость обмена не выбрана.</translation>
    </message>
    <message>
        <source>Configuration Port value is not selected.</source>
        <translation>Конфигурация порта не выбрана.</translation>
    </message>
    <message>
        <source>%1 (missing)</source>
        <translation>%1 (не найден)</translation>
    </message>
    <message>
        <source>Search time: about %1 (%2 addresses × %3 baud rates × %4 formats × %5 ms, plus the line&apos;s silences).</source>
        <translation>Время поиска: около %1 (адреса: %2, скорости: %3, форматы: %4, по %5 мс, плюс паузы линии).</translation>
    </message>
    <message>
        <source>A serial port, or a device server on the network:
rtu+tcp://HOST:PORT for RTU frames over TCP,
tcp://HOST:PORT for ModBus TCP</source>
        <translation>Последовательный порт или сервер в сети:
rtu+tcp://УЗЕЛ:ПОРТ — кадры RTU поверх TCP,
tcp://УЗЕЛ:ПОРТ — ModBus TCP</translation>
    </message>
    <message>
        <source>Search time: about %1 (%2 addresses × %3 ms; the line is the device server&apos;s).</source>
        <translation>Время поиска: около %1 (адреса: %2, по %3 мс; линию задаёт сервер в сети).</translation>
    </message>
</context>
<context>
    <name>cSrchSettingsStore</name>
    <message>
        <source>%1 = &quot;%2&quot; is not usable: %3 is used</source>
        <translation>%1 = &quot;%2&quot; не годится: взято %3</translation>
    </message>
    <message>
        <source>%1 is missing: %2 is used</source>
        <translation>%1 отсутствует: взято %2</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read, nor be moved to %2: the defaults are used.</source>
        <translation>Файл настроек %1 не читается и не может быть перенесён в %2: взяты значения по умолчанию.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read: it is kept as %2.</source>
        <translation>Файл настроек %1 не читается: он сохранён как %2.</translation>
    </message>
</context>
<context>
    <name>cTcpTransport</name>
    <message>
        <source>The device server %1:%2 closed the connection.</source>
        <translation>Сервер %1:%2 закрыл соединение.</translation>
    </message>
</context>
<context>
    <name>cUart</name>
    <message>
        <source>Already Open!</source>
        <translation>Уже открыт!</translation>
    </message>
    <message>
        <source>Open!</source>
        <translation>Открыт!</translation>
    </message>
</context>
<context>
    <name>cUsbLatency</name>
    <message>
        <source>USB latency timer: %1 ms.</source>
        <translation>Таймер задержки USB: %1 мс.</translation>
    </message>
    <message>
        <source>High: each request waits about %1 ms more.</source>
        <translation>Это много: каждый запрос ждёт примерно на %1 мс дольше.</translation>
    </message>
    <message>
        <source>Lower it to 1 ms: Device Manager &gt; Ports &gt; the port&apos;s Properties &gt; Port Settings &gt; Advanced &gt; Latency Timer.</source>
        <translation>Уменьшите его до 1 мс: Диспетчер устройств &gt; Порты &gt; Свойства порта &gt; Параметры порта &gt; Дополнительно &gt; Время ожидания (Latency Timer).</translation>
    </message>
    <message>
        <source>Lower it to 1 ms: echo 1 &gt; latency_timer in /sys/bus/usb-serial/devices/%1 (as root), or with a udev rule.</source>
        <translation>Уменьшите его до 1 мс: echo 1 &gt; latency_timer в /sys/bus/usb-serial/devices/%1 (от root) или правилом udev.</translation>
    </message>
</context>
<context>
    <name>configBatch</name>
    <message>
        <source>Configurations of Modules</source>
        <translation>Конфигурации модулей</translation>
    </message>
    <message>
        <source>Modules of another variant (Pt100, Pt1000) take only the parameters both have; otherwise they are refused</source>
        <translation>Модулям другого варианта (Pt100, Pt1000) записывать только общие параметры; иначе они отклоняются</translation>
    </message>
    <message>
        <source>Also write each module&apos;s own address, line settings and sensor IDs from the file</source>
        <translation>Записать из файла и собственные адрес, параметры линии и ID датчиков каждого модуля</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Module</source>
        <translation>Модуль</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Результат</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Старт</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>configResults</name>
    <message>
        <source>Module Configuration</source>
        <translation>Конфигурация модуля</translation>
    </message>
    <message>
        <source>Keep this module&apos;s own address, line settings and sensor IDs</source>
        <translation>Сохранить собственные адрес, параметры линии и ID датчиков модуля</translation>
    </message>
    <message>
        <source>Show only the differences</source>
        <translation>Показывать только различия</translation>
    </message>
</context>
<context>
    <name>mainClass</name>
    <message>
        <source>Waiting for action</source>
        <translation>Ожидание действия</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Настройки</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>Operation not posible</source>
        <translation>Операция невозможна</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>The port %1 does not exist</source>
        <translation>Порт %1 не существует</translation>
    </message>
    <message>
        <source>Access to the port %1 is denied: no permission to use it</source>
        <translation>Доступ к порту %1 запрещён: нет прав на его использование</translation>
    </message>
    <message>
        <source>The port %1 cannot be opened</source>
        <translation>Не удаётся открыть порт %1</translation>
    </message>
    <message>
        <source>The port %1 is busy with an external process</source>
        <translation>Порт %1 занят другим процессом</translation>
    </message>
    <message>
        <source>Search modules</source>
        <translation>Поиск модулей</translation>
    </message>
    <message>
        <source>The start address must not be above the end address.</source>
        <translation>Начальный адрес не должен быть больше конечного.</translation>
    </message>
    <message>
        <source>Pause in search</source>
        <translation>Поиск приостановлен</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Вы уверены?</translation>
    </message>
    <message>
        <source>Nothing Found</source>
        <translation>Ничего не найдено</translation>
    </message>
    <message>
        <source>Found Devices: %1</source>
        <translation>Найдено устройств: %1</translation>
    </message>
    <message>
        <source>Search Completed</source>
        <translation>Поиск завершён</translation>
    </message>
    <message>
        <source>Version %1 from %2</source>
        <translation>Версия %1 от %2</translation>
    </message>
    <message>
        <source>Mar 30 2022</source>
        <translation>30 марта 2022</translation>
    </message>
    <message>
        <source>

This program build with Qt library, that using under the GNU LGPL version 2.1</source>
        <translation>

Программа собрана с библиотекой Qt, используемой на условиях GNU LGPL версии 2.1</translation>
    </message>
    <message>
        <source>About zt programm</source>
        <translation>О программе zt</translation>
    </message>
    <message>
        <source>No port is chosen. Choose the port of the bus in the search settings.</source>
        <translation>Порт не выбран. Выберите порт шины в настройках поиска.</translation>
    </message>
    <message>
        <source>Search Incomplete</source>
        <translation>Поиск не завершён</translation>
    </message>
    <message>
        <source>Save Found Modules...</source>
        <translation>Сохранить найденные модули...</translation>
    </message>
    <message>
        <source>Bus Traffic...</source>
        <translation>Обмен по шине...</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Save Found Modules</source>
        <translation>Сохранение найденных модулей</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>The file %1 cannot be written.</source>
        <translation>Не удаётся записать файл %1.</translation>
    </message>
    <message>
        <source>The port %1 did not open in time. Try again in a moment.</source>
        <translation>Порт %1 не открылся вовремя. Повторите через несколько секунд.</translation>
    </message>
    <message>
        <source>No baud rate is chosen. Choose at least one in the search settings.</source>
        <translation>Скорость не выбрана. Выберите хотя бы одну в настройках поиска.</translation>
    </message>
    <message>
        <source>No frame format is chosen. Choose at least one in the search settings.</source>
        <translation>Конфигурация порта не выбрана. Выберите хотя бы одну в настройках поиска.</translation>
    </message>
    <message>
        <source>Search Stopped</source>
        <translation>Поиск остановлен</translation>
    </message>
    <message>
        <source>The stored search settings could not be used as they were:
%1
Confirm the search settings to store what is used now.</source>
        <translation>Сохранённые настройки поиска нельзя использовать как есть:
%1
Подтвердите настройки поиска, чтобы сохранить то, что используется сейчас.</translation>
    </message>
    <message>
        <source>Search Settings</source>
        <translation>Настройки поиска</translation>
    </message>
    <message>
        <source>There is nothing to save: no module has been found.</source>
        <translation>Сохранять нечего: ни один модуль не найден.</translation>
    </message>
    <message>
        <source>%p% - about %1 left</source>
        <translation>%p% - осталось около %1</translation>
    </message>
    <message>
        <source>Service Report...</source>
        <translation>Сервисный отчёт...</translation>
    </message>
    <message>
        <source>Save Configurations of Selected Modules...</source>
        <translation>Сохранить конфигурации выделенных модулей...</translation>
    </message>
    <message>
        <source>Apply Configuration File to Selected Modules...</source>
        <translation>Применить файл конфигурации к выделенным модулям...</translation>
    </message>
    <message>
        <source>A report reads the modules: wait until the search has ended.</source>
        <translation>Для отчёта модули читаются заново: дождитесь окончания поиска.</translation>
    </message>
    <message>
        <source>Reading the modules for the report...</source>
        <translation>Чтение модулей для отчёта...</translation>
    </message>
    <message>
        <source>The report cannot be written: %1</source>
        <translation>Отчёт не удаётся записать: %1</translation>
    </message>
    <message>
        <source>Select the modules to report in the table of found modules.</source>
        <translation>Выберите модули для отчёта в таблице найденных модулей.</translation>
    </message>
    <message>
        <source>Service Report</source>
        <translation>Сервисный отчёт</translation>
    </message>
    <message>
        <source>The device server %1 refused the connection: nothing listens at that port</source>
        <translation>Сервер %1 отклонил подключение: на этом порту соединений не ждут</translation>
    </message>
    <message>
        <source>The host of %1 is unknown: check its name</source>
        <translation>Узел в %1 неизвестен: проверьте его имя</translation>
    </message>
    <message>
        <source>The device server %1 cannot be reached over the network</source>
        <translation>Сервер %1 недоступен по сети</translation>
    </message>
    <message>
        <source>The device server %1 did not take the connection within %2 s</source>
        <translation>Сервер %1 не принял подключение за %2 с</translation>
    </message>
    <message>
        <source>The port %1 was lost at address %2, %3.
The search is incomplete: from address %2 on nothing was searched. Modules found: %4.</source>
        <translation>Связь с портом %1 потеряна на адресе %2, %3.
Поиск не завершён: адреса начиная с %2 не опрошены. Найдено модулей: %4.</translation>
    </message>
    <message>
        <source>The search was stopped at address %1, %2.
The search is incomplete: the rest of the range was not searched. Modules found: %3.</source>
        <translation>Поиск остановлен на адресе %1, %2.
Поиск не завершён: остаток диапазона не просмотрен. Найдено модулей: %3.</translation>
    </message>
    <message>
        <source>on the device server&apos;s line</source>
        <translation>на линии сервера</translation>
    </message>
    <message>
        <source>set by the device server</source>
        <translation>задаёт сервер</translation>
    </message>
</context>
<context>
    <name>mainClassClass</name>
    <message>
        <source>ZT-33xx VudOze Ruveziz</source>
        <translation>ZT-33xx VudOze Ruveziz</translation>
    </message>
    <message>
        <source>Range Scaning Address:</source>
        <translation>Диапазон адресов сканирования:</translation>
    </message>
    <message>
        <source>&gt;&gt;</source>
        <translation>&gt;&gt;</translation>
    </message>
    <message>
        <source>Current Status:</source>
        <translation>Текущее состояние:</translation>
    </message>
    <message>
        <source>Waiting for action</source>
        <translation>Ожидание действия</translation>
    </message>
    <message>
        <source>Start Search Modules</source>
        <translation>Начать поиск модулей</translation>
    </message>
    <message>
        <source>Pause Search Modules</source>
        <translation>Приостановить поиск модулей</translation>
    </message>
    <message>
        <source>Stop Search Modules</source>
        <translation>Остановить поиск модулей</translation>
    </message>
    <message>
        <source>Open COM Port</source>
        <translation>Открыть COM-порт</translation>
    </message>
    <message>
        <source>Close COM Port</source>
        <translation>Закрыть COM-порт</translation>
    </message>
    <message>
        <source>№</source>
        <translation>№</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Устройство</translation>
    </message>
    <message>
        <source>Variant</source>
        <translation>Исполнение</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>Скорость</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Формат</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Описание</translation>
    </message>
    <message>
        <source>COM Port:</source>
        <translation>COM-порт:</translation>
    </message>
    <message>
        <source>COM x</source>
        <translation>COM x</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Адрес:</translation>
    </message>
    <message>
        <source>00</source>
        <translation>00</translation>
    </message>
    <message>
        <source>Port Configuration:</source>
        <translation>Конфигурация порта:</translation>
    </message>
    <message>
        <source>8N1</source>
        <translation>8N1</translation>
    </message>
    <message>
        <source>Port Baud Rate:</source>
        <translation>Скорость обмена порта:</translation>
    </message>
    <message>
        <source>115200</source>
        <translation>115200</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Search Settings</source>
        <translation>Настройки поиска</translation>
    </message>
    <message>
        <source>Temp</source>
        <translation>Временное</translation>
    </message>
    <message>
        <source>Start Module Search</source>
        <translation>Начать поиск модулей</translation>
    </message>
    <message>
        <source>Pause Search</source>
        <translation>Приостановить поиск</translation>
    </message>
    <message>
        <source>Stop Search</source>
        <translation>Остановить поиск</translation>
    </message>
</context>
<context>
    <name>srchSettings</name>
    <message>
        <source>Search Settings</source>
        <translation>Настройки поиска</translation>
    </message>
    <message>
        <source>Select COM to search:</source>
        <translation>Порт для поиска:</translation>
    </message>
    <message>
        <source>Timeout Settings:</source>
        <translation>Тайм-аут:</translation>
    </message>
    <message>
        <source>Baud Rate Options:</source>
        <translation>Варианты скорости обмена:</translation>
    </message>
    <message>
        <source>115200</source>
        <translation>115200</translation>
    </message>
    <message>
        <source>57600</source>
        <translation>57600</translation>
    </message>
    <message>
        <source>38400</source>
        <translation>38400</translation>
    </message>
    <message>
        <source>19200</source>
        <translation>19200</translation>
    </message>
    <message>
        <source>9600</source>
        <translation>9600</translation>
    </message>
    <message>
        <source>4800</source>
        <translation>4800</translation>
    </message>
    <message>
        <source>2400</source>
        <translation>2400</translation>
    </message>
    <message>
        <source>1200</source>
        <translation>1200</translation>
    </message>
    <message>
        <source>Parity Settings:</source>
        <translation>Настройки чётности:</translation>
    </message>
    <message>
        <source>None (N,8,1)</source>
        <translation>Нет (N,8,1)</translation>
    </message>
    <message>
        <source>None(N,8,2)</source>
        <translation>Нет (N,8,2)</translation>
    </message>
    <message>
        <source>Even (E,8,1)</source>
        <translation>Чёт (E,8,1)</translation>
    </message>
    <message>
        <source>Odd(O,8,1)</source>
        <translation>Нечёт (O,8,1)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> мс</translation>
    </message>
    <message>
        <source>Adapter echoes:</source>
        <translation>Эхо адаптера:</translation>
    </message>
    <message>
        <source>Many RS-485 adapters send back a copy of every request. Automatic strips such a copy when it comes; yes expects it before every reply; no takes everything for the reply.</source>
        <translation>Многие адаптеры RS-485 возвращают копию каждого запроса. «Автоматически» убирает такую копию, если она пришла; «да» ждёт её перед каждым ответом; «нет» считает ответом всё принятое.</translation>
    </message>
    <message>
        <source>automatic</source>
        <translation>автоматически</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>да</translation>
    </message>
    <message>
        <source>no</source>
        <translation>нет</translation>
    </message>
</context>
<context>
    <name>vrd3310_Settings</name>
    <message>
        <source>VRD-3310</source>
        <translation>VRD-3310</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Описание</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Baud Rate:</source>
        <translation>Скорость обмена:</translation>
    </message>
    <message>
        <source>1200</source>
        <translation>1200</translation>
    </message>
    <message>
        <source>2400</source>
        <translation>2400</translation>
    </message>
    <message>
        <source>4800</source>
        <translation>4800</translation>
    </message>
    <message>
        <source>9600</source>
        <translation>9600</translation>
    </message>
    <message>
        <source>19200</source>
        <translation>19200</translation>
    </message>
    <message>
        <source>38400</source>
        <translation>38400</translation>
    </message>
    <message>
        <source>57600</source>
        <translation>57600</translation>
    </message>
    <message>
        <source>115200</source>
        <translation>115200</translation>
    </message>
    <message>
        <source>Configuration:</source>
        <translation>Конфигурация:</translation>
    </message>
    <message>
        <source>8N1</source>
        <translation>8N1</translation>
    </message>
    <message>
        <source>8N2</source>
        <translation>8N2</translation>
    </message>
    <message>
        <source>8E1</source>
        <translation>8E1</translation>
    </message>
    <message>
        <source>8O1</source>
        <translation>8O1</translation>
    </message>
    <message>
        <source>ModBus Mode:</source>
        <translation>Режим ModBus:</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>Ведомый</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Ведущий</translation>
    </message>
    <message>
        <source>Order Byte:</source>
        <translation>Порядок байтов:</translation>
    </message>
    <message>
        <source>3-2-1-0</source>
        <translation>3-2-1-0</translation>
    </message>
    <message>
        <source>0-1-2-3</source>
        <translation>0-1-2-3</translation>
    </message>
    <message>
        <source>1-0-3-2</source>
        <translation>1-0-3-2</translation>
    </message>
    <message>
        <source>2-3-0-1</source>
        <translation>2-3-0-1</translation>
    </message>
    <message>
        <source>ModBus Slave address:</source>
        <translation>Адрес ModBus:</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Задать</translation>
    </message>
    <message>
        <source>Communication Parameters</source>
        <translation>Параметры связи</translation>
    </message>
    <message>
        <source>Safety Timeout:</source>
        <translation>Тайм-аут безопасности:</translation>
    </message>
    <message>
        <source>WDT Timeout:</source>
        <translation>Тайм-аут WDT:</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>Safe Reset:</source>
        <translation>Сброс в безопасное состояние:</translation>
    </message>
    <message>
        <source>Not Active</source>
        <translation>Не активен</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Активен</translation>
    </message>
    <message>
        <source>Reset to factory settings</source>
        <translation>Сброс к заводским</translation>
    </message>
    <message>
        <source>System Parameters</source>
        <translation>Системные параметры</translation>
    </message>
    <message>
        <source>General Settings</source>
        <translation>Общие настройки</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Режим</translation>
    </message>
    <message>
        <source>Normal State</source>
        <translation>Нормальное состояние</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Счётчик</translation>
    </message>
    <message>
        <source>Pulse/Sec</source>
        <translation>Имп./с</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Обычный</translation>
    </message>
    <message>
        <source>Tachometer</source>
        <translation>Тахометр</translation>
    </message>
    <message>
        <source>Encoder (C)</source>
        <translation>Энкодер (C)</translation>
    </message>
    <message>
        <source>Encoder (C+T)</source>
        <translation>Энкодер (C+T)</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <source>DI Channels</source>
        <translation>Каналы DI</translation>
    </message>
    <message>
        <source>Safety Mode</source>
        <translation>Режим безопасности</translation>
    </message>
    <message>
        <source>Safety Level</source>
        <translation>Безопасный уровень</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Быстрый</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>ШИМ</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Отключено</translation>
    </message>
    <message>
        <source>False</source>
        <translation>Ложь</translation>
    </message>
    <message>
        <source>True</source>
        <translation>Истина</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Включено</translation>
    </message>
    <message>
        <source>DO Channels</source>
        <translation>Каналы DO</translation>
    </message>
    <message>
        <source>Sensor Type</source>
        <translation>Тип датчика</translation>
    </message>
    <message>
        <source>Current Value</source>
        <translation>Текущее значение</translation>
    </message>
    <message>
        <source>Survey</source>
        <translation>Опрос</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Калибровка</translation>
    </message>
    <message>
        <source>Sensor type</source>
        <translation>Тип датчика</translation>
    </message>
    <message>
        <source>a3850</source>
        <translation>a3850</translation>
    </message>
    <message>
        <source>a3911</source>
        <translation>a3911</translation>
    </message>
    <message>
        <source>Status calibration executing:</source>
        <translation>Состояние выполнения калибровки:</translation>
    </message>
    <message>
        <source>Negative Value:</source>
        <translation>Отрицательное значение:</translation>
    </message>
    <message>
        <source> Om</source>
        <translation> Ом</translation>
    </message>
    <message>
        <source>Positive Value:</source>
        <translation>Положительное значение:</translation>
    </message>
    <message>
        <source>Calibration Execute</source>
        <translation>Выполнить калибровку</translation>
    </message>
    <message>
        <source>Pt1000 Channels</source>
        <translation>Каналы Pt1000</translation>
    </message>
    <message>
        <source>Different Calibration Value:</source>
        <translation>Разностное значение калибровки:</translation>
    </message>
    <message>
        <source> V</source>
        <translation> В</translation>
    </message>
    <message>
        <source>Low Value:</source>
        <translation>Нижнее значение:</translation>
    </message>
    <message>
        <source>High Value:</source>
        <translation>Верхнее значение:</translation>
    </message>
    <message>
        <source>AI Channels</source>
        <translation>Каналы AI</translation>
    </message>
    <message>
        <source>Current Value (V)</source>
        <translation>Текущее значение (В)</translation>
    </message>
    <message>
        <source>Safety State</source>
        <translation>Безопасное состояние</translation>
    </message>
    <message>
        <source>Safety Value (V)</source>
        <translation>Безопасное значение (В)</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Состояние:</translation>
    </message>
    <message>
        <source>Low Value (V):</source>
        <translation>Нижнее значение (В):</translation>
    </message>
    <message>
        <source>High Value (V):</source>
        <translation>Верхнее значение (В):</translation>
    </message>
    <message>
        <source>AO Channels</source>
        <translation>Каналы AO</translation>
    </message>
    <message>
        <source>Current Value (C)</source>
        <translation>Текущее значение (°C)</translation>
    </message>
    <message>
        <source>Sensor ID</source>
        <translation>ID датчика</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>0x0</source>
        <translation>0x0</translation>
    </message>
    <message>
        <source>1-Wire Channel</source>
        <translation>Канал 1-Wire</translation>
    </message>
    <message>
        <source> s</source>
        <translation> с</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> мс</translation>
    </message>
</context>
</TS>
