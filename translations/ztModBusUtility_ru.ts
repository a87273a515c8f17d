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
</context>
<context>
    <name>cCalibrPanel</name>
    <message>
        <source>Not started</source>
        <translation>Не начата</translation>
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
        <source>A serial port, or a device server on the network:
rtu+tcp://HOST:PORT for RTU frames over TCP,
tcp://HOST:PORT for ModBus TCP</source>
        <translation>Последовательный порт или сервер в сети:
rtu+tcp://УЗЕЛ:ПОРТ — кадры RTU поверх TCP,
tcp://УЗЕЛ:ПОРТ — ModBus TCP</translation>
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
