<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>CommandLine</name>
    <message>
        <source>only one settings file may be named: &apos;%1&apos;</source>
        <translation>можно указать только один файл настроек: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--record needs a file name</source>
        <translation>для --record нужно имя файла</translation>
    </message>
    <message>
        <source>--folder needs a folder name</source>
        <translation>для --folder нужно имя папки</translation>
    </message>
    <message>
        <source>--language needs a language code such as de or ru</source>
        <translation>для --language нужен код языка, например de или ru</translation>
    </message>
    <message>
        <source>--snapshot needs a file name</source>
        <translation>для --snapshot нужно имя файла</translation>
    </message>
    <message>
        <source>--cycles needs a number</source>
        <translation>для --cycles нужно число</translation>
    </message>
    <message>
        <source>--cycles needs a whole number of at least 1, not &apos;%1&apos;</source>
        <translation>для --cycles нужно целое число не меньше 1, а не &apos;%1&apos;</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>неизвестный параметр &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--user-folder and --folder cannot go together</source>
        <translation>--user-folder и --folder нельзя указывать вместе</translation>
    </message>
    <message>
        <source>--cycles only goes with --snapshot</source>
        <translation>--cycles используется только вместе с --snapshot</translation>
    </message>
    <message>
        <source>--web-port needs a port number from 1 to 65535, not &apos;%1&apos;</source>
        <translation>для --web-port нужен номер порта от 1 до 65535, а не &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Usage: %1 [SETTINGS-FILE] [--demo] [--snapshot FILE.png [--cycles N]] [--record FILE.csv] [--unlock]
       [--web-port PORT]
       [--user-folder | --folder DIR] [--language CODE] [--verbose] [--version] [--help]

An always-on-top instrument panel fed by a DeviceLink server.

  SETTINGS-FILE      settings file that names the layout file (default Vanemark.ini)
  --demo             show a synthetic motion instead of DeviceLink values
  --snapshot FILE    run N cycles, write the panel to FILE as PNG and exit
  --cycles N         cycles before the snapshot (default 3)
  --record FILE      record the flight into FILE as CSV from the start
  --unlock           start unlocked, whatever the settings file says
  --web-port PORT    serve the panel to browsers on PORT (this computer only,
                     unless the settings allow other computers)
  --user-folder      keep the files in the per-user folder (%2),
                     seeded with the shipped ones on first use
  --folder DIR       keep the files in DIR, seeded the same way
  --language CODE    interface language (de, ru, ...); en forces English
  --verbose          write the DeviceLink client&apos;s diagnostics to standard error
  --version          print the version and exit
  --help             print this help and exit
</source>
        <translation>Использование: %1 [ФАЙЛ-НАСТРОЕК] [--demo] [--snapshot ФАЙЛ.png [--cycles N]] [--record ФАЙЛ.csv] [--unlock]
       [--web-port PORT]
       [--user-folder | --folder ПАПКА] [--language КОД] [--verbose] [--version] [--help]

Панель приборов поверх всех окон, получающая данные от сервера DeviceLink.

  ФАЙЛ-НАСТРОЕК      файл настроек, в котором указан файл раскладки (по умолчанию Vanemark.ini)
  --demo             показывать имитацию движения вместо значений DeviceLink
  --snapshot ФАЙЛ    выполнить N циклов, записать панель в ФАЙЛ в формате PNG и выйти
  --cycles N         число циклов до снимка (по умолчанию 3)
  --record ФАЙЛ      записывать полёт в ФАЙЛ в формате CSV с самого начала
  --unlock           запуститься незакреплённым, что бы ни было в файле настроек
  --web-port PORT    показывать панель браузерам на порту PORT (только этому
                     компьютеру, если настройки не разрешают другие)
  --user-folder      хранить файлы в папке пользователя (%2),
                     при первом запуске скопировав туда стандартные
  --folder ПАПКА     хранить файлы в ПАПКЕ, заполнив её так же
  --language КОД     язык интерфейса (de, ru, ...); en включает английский
  --verbose          выводить диагностику клиента DeviceLink в стандартный поток ошибок
  --version          показать версию и выйти
  --help             показать эту справку и выйти
</translation>
    </message>
</context>
<context>
    <name>CommandRow</name>
    <message>
        <source>Show or hide the window</source>
        <translation>Показать или скрыть окно</translation>
    </message>
    <message>
        <source>Lock or unlock</source>
        <translation>Закрепить или открепить</translation>
    </message>
    <message>
        <source>Start or stop recording</source>
        <translation>Начать или остановить запись</translation>
    </message>
    <message>
        <source>Scale up</source>
        <translation>Крупнее</translation>
    </message>
    <message>
        <source>Scale down</source>
        <translation>Мельче</translation>
    </message>
    <message>
        <source>Show or hide hand markers</source>
        <translation>Показать или скрыть метки рук</translation>
    </message>
    <message>
        <source>Learn</source>
        <translation>Назначить</translation>
    </message>
    <message>
        <source>Press the key combination now.</source>
        <translation>Нажмите сочетание клавиш.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Press the joystick button now.</source>
        <translation>Нажмите кнопку джойстика.</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>%1, hat %2 up</source>
        <translation>%1, шляпка %2 вверх</translation>
    </message>
    <message>
        <source>%1, hat %2 right</source>
        <translation>%1, шляпка %2 вправо</translation>
    </message>
    <message>
        <source>%1, hat %2 down</source>
        <translation>%1, шляпка %2 вниз</translation>
    </message>
    <message>
        <source>%1, hat %2 left</source>
        <translation>%1, шляпка %2 влево</translation>
    </message>
    <message>
        <source>%1, button %2</source>
        <translation>%1, кнопка %2</translation>
    </message>
</context>
<context>
    <name>FlightRecording</name>
    <message>
        <source>Cannot record the flight into %1</source>
        <translation>Не удаётся записать полёт в %1</translation>
    </message>
    <message>
        <source>The flight recording stopped: %1</source>
        <translation>Запись полёта остановлена: %1</translation>
    </message>
    <message>
        <source>Record flight</source>
        <translation>Запись полёта</translation>
    </message>
    <message>
        <source>Flight recordings (*.csv);;All files (*)</source>
        <translation>Записи полётов (*.csv);;Все файлы (*)</translation>
    </message>
</context>
<context>
    <name>LayoutEdit</name>
    <message>
        <source>Hide</source>
        <translation>Скрыть</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Показать</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Вверх</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Вниз</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Влево</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Вправо</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>Полная</translation>
    </message>
    <message>
        <source>Dual</source>
        <translation>Двусторонняя</translation>
    </message>
</context>
<context>
    <name>LinkStatus</name>
    <message>
        <source>Joysticks cannot be read: %1</source>
        <translation>Джойстики недоступны: %1</translation>
    </message>
    <message>
        <source>Joysticks: every bound device connected</source>
        <translation>Джойстики: все назначенные устройства подключены</translation>
    </message>
    <message>
        <source>Joystick not connected: %1</source>
        <translation>Джойстик не подключён: %1</translation>
    </message>
    <message>
        <source>this computer&apos;s address</source>
        <translation>адрес этого компьютера</translation>
    </message>
    <message>
        <source>No reply for %1 s. Check that
- the simulator runs, with DeviceLink enabled;
- its conf.ini has, in section [DeviceLink]:
    port=%2
    host=%3
    IPS=%4
  port equal to ours; host the address we send to (without it the simulator
  listens on the machine&apos;s network address, not on 127.0.0.1); IPS listing
  our address (several separated by spaces).</source>
        <translation>Нет ответа %1 с. Проверьте, что
- симулятор запущен и DeviceLink в нём включён;
- в его conf.ini в разделе [DeviceLink] есть:
    port=%2
    host=%3
    IPS=%4
  port совпадает с нашим; host — адрес, на который мы отправляем (без него симулятор
  слушает сетевой адрес компьютера, а не 127.0.0.1); в IPS указан
  наш адрес (несколько — через пробел).</translation>
    </message>
    <message>
        <source>Demo motion: DeviceLink values are not shown</source>
        <translation>Демо-режим: значения DeviceLink не показываются</translation>
    </message>
    <message>
        <source>DeviceLink server %1:%2</source>
        <translation>Сервер DeviceLink %1:%2</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Соединение есть</translation>
    </message>
    <message>
        <source>Waiting for the simulator</source>
        <translation>Ожидание симулятора</translation>
    </message>
    <message>
        <source>Aircraft: %1</source>
        <translation>Самолёт: %1</translation>
    </message>
    <message>
        <source>Last reply: %1 s ago</source>
        <translation>Последний ответ: %1 с назад</translation>
    </message>
    <message>
        <source>Last reply: none yet</source>
        <translation>Последний ответ: ещё не было</translation>
    </message>
    <message>
        <source>Replies per second: %1</source>
        <translation>Ответов в секунду: %1</translation>
    </message>
    <message>
        <source>speed</source>
        <translation>скорость</translation>
    </message>
    <message>
        <source>power</source>
        <translation>мощность</translation>
    </message>
    <message>
        <source>flaps</source>
        <translation>закрылки</translation>
    </message>
    <message>
        <source>stick x</source>
        <translation>ручка x</translation>
    </message>
    <message>
        <source>stick y</source>
        <translation>ручка y</translation>
    </message>
    <message>
        <source>rudder</source>
        <translation>руль направления</translation>
    </message>
    <message>
        <source>pitch</source>
        <translation>тангаж</translation>
    </message>
    <message>
        <source>bank</source>
        <translation>крен</translation>
    </message>
    <message>
        <source>propeller pitch</source>
        <translation>шаг винта</translation>
    </message>
    <message>
        <source>brakes</source>
        <translation>тормоза</translation>
    </message>
    <message>
        <source>heading</source>
        <translation>курс</translation>
    </message>
    <message>
        <source>aileron trim</source>
        <translation>триммер элеронов</translation>
    </message>
    <message>
        <source>elevator trim</source>
        <translation>триммер руля высоты</translation>
    </message>
    <message>
        <source>rudder trim</source>
        <translation>триммер руля направления</translation>
    </message>
    <message>
        <source>Key table %1: no key could be read, so nothing is asked for</source>
        <translation>Таблица ключей %1: ни один ключ не прочитан, поэтому ничего не запрашивается</translation>
    </message>
    <message>
        <source>Not in the key table %1, never asked for: %2</source>
        <translation>Нет в таблице ключей %1, не запрашивается: %2</translation>
    </message>
    <message>
        <source>Not sent by the simulator: %1</source>
        <translation>Не передаётся симулятором: %1</translation>
    </message>
    <message>
        <source> (online mission?)</source>
        <translation> (сетевая миссия?)</translation>
    </message>
    <message>
        <source>Cannot start: %1; trying again every few seconds</source>
        <translation>Не удаётся запустить: %1; новая попытка каждые несколько секунд</translation>
    </message>
    <message>
        <source>Not in the cockpit: the simulator answers only its clock</source>
        <translation>Не в кабине: симулятор отвечает только часами</translation>
    </message>
</context>
<context>
    <name>Simulator</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: in a battle (%2)</source>
        <translation>%1: в бою (%2)</translation>
    </message>
    <message>
        <source>%1: not in a battle (%2)</source>
        <translation>%1: не в бою (%2)</translation>
    </message>
    <message>
        <source>DeviceLink (IL-2 1946)</source>
        <translation>DeviceLink (Ил-2 1946)</translation>
    </message>
    <message>
        <source>IL-2 Great Battles</source>
        <translation>Ил-2 Штурмовик: Великие битвы</translation>
    </message>
    <message>
        <source>X-Plane</source>
        <translation>X-Plane</translation>
    </message>
    <message>
        <source>FlightGear</source>
        <translation>FlightGear</translation>
    </message>
    <message>
        <source>War Thunder</source>
        <translation>War Thunder</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Автоматически</translation>
    </message>
    <message>
        <source>%1: cannot listen on UDP port %2: %3</source>
        <translation>%1: не удаётся слушать UDP-порт %2: %3</translation>
    </message>
    <message>
        <source>%1: receiving on UDP port %2</source>
        <translation>%1: приём на UDP-порту %2</translation>
    </message>
    <message>
        <source>%1: nothing received on UDP port %2; are the motion and telemetry devices enabled in data/startup.cfg?</source>
        <translation>%1: на UDP-порт %2 ничего не приходит; включены ли motiondevice и telemetrydevice в data/startup.cfg?</translation>
    </message>
    <message>
        <source>%1: nothing received on UDP port %2; was FlightGear started with --generic=socket,out,30,127.0.0.1,%2,udp,vanemark?</source>
        <translation>%1: на UDP-порт %2 ничего не приходит; запущен ли FlightGear с --generic=socket,out,30,127.0.0.1,%2,udp,vanemark?</translation>
    </message>
    <message>
        <source>%1: cannot open a UDP port: %2</source>
        <translation>%1: не удаётся открыть UDP-порт: %2</translation>
    </message>
    <message>
        <source>%1: cannot ask %2 port %3: %4</source>
        <translation>%1: не удаётся запросить %2 порт %3: %4</translation>
    </message>
    <message>
        <source>%1: receiving from %2 port %3</source>
        <translation>%1: приём от %2 порт %3</translation>
    </message>
    <message>
        <source>%1: no answer from %2 port %3</source>
        <translation>%1: нет ответа от %2 порт %3</translation>
    </message>
</context>
<context>
    <name>vanemark</name>
    <message>
        <source>Windows sockets initialization failed.</source>
        <translation>Не удалось инициализировать сокеты Windows.</translation>
    </message>
    <message>
        <source>This system names no per-user configuration folder.</source>
        <translation>Система не сообщает папку настроек пользователя.</translation>
    </message>
    <message>
        <source>Cannot work in the folder %1: %2</source>
        <translation>Не удаётся работать в папке %1: %2</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>неизвестная ошибка</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1: %2.</source>
        <translation>Не удалось сохранить настройки в %1: %2.</translation>
    </message>
</context>
<context>
    <name>vanemark::CColorPage</name>
    <message>
        <source>Colors:</source>
        <translation>Цвета:</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>Фон:</translation>
    </message>
    <message>
        <source>Instruments:</source>
        <translation>Приборы:</translation>
    </message>
    <message>
        <source>Flaps positions:</source>
        <translation>Положения закрылков:</translation>
    </message>
    <message>
        <source>Pitch:</source>
        <translation>Тангаж:</translation>
    </message>
    <message>
        <source>Stick:</source>
        <translation>Ручка:</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Шрифт:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Choose the panel font</source>
        <translation>Выбрать шрифт панели</translation>
    </message>
    <message>
        <source>Show window title</source>
        <translation>Показывать заголовок окна</translation>
    </message>
    <message>
        <source>%1, %2 pt</source>
        <translation>%1, %2 пт</translation>
    </message>
    <message>
        <source>Panel font</source>
        <translation>Шрифт панели</translation>
    </message>
</context>
<context>
    <name>vanemark::CColourButton</name>
    <message>
        <source>Color</source>
        <translation>Цвет</translation>
    </message>
    <message>
        <source>More Colors...</source>
        <translation>Другие цвета...</translation>
    </message>
</context>
<context>
    <name>vanemark::CCommandsPage</name>
    <message>
        <source>Command</source>
        <translation>Команда</translation>
    </message>
    <message>
        <source>Key combination</source>
        <translation>Сочетание клавиш</translation>
    </message>
    <message>
        <source>Joystick button</source>
        <translation>Кнопка джойстика</translation>
    </message>
    <message>
        <source>Vanemark only reads joystick buttons: a button the game uses works in the game too.</source>
        <translation>Vanemark только читает кнопки джойстика: кнопка, занятая в игре, работает и в игре.</translation>
    </message>
    <message>
        <source>Joysticks cannot be read: %1</source>
        <translation>Джойстики недоступны: %1</translation>
    </message>
    <message>
        <source>%1 now runs &quot;%2&quot;.</source>
        <translation>%1 теперь выполняет «%2».</translation>
    </message>
    <message>
        <source>No button was pressed.</source>
        <translation>Ни одна кнопка не нажата.</translation>
    </message>
    <message>
        <source>Global hotkeys are unavailable: %1</source>
        <translation>Глобальные сочетания клавиш недоступны: %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: press the button now (%2 s)</source>
        <translation>%1: нажмите кнопку (%2 с)</translation>
    </message>
</context>
<context>
    <name>vanemark::CControlsPage</name>
    <message>
        <source>Control</source>
        <translation>Орган управления</translation>
    </message>
    <message>
        <source>Axis</source>
        <translation>Ось</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Положение</translation>
    </message>
    <message>
        <source>Panel shows</source>
        <translation>Панель показывает</translation>
    </message>
    <message>
        <source>%1 now follows %2.</source>
        <translation>%1: назначено — %2.</translation>
    </message>
    <message>
        <source>No control moved.</source>
        <translation>Ни один орган управления не сдвинулся.</translation>
    </message>
    <message>
        <source>%1: move the control now (%2 s)</source>
        <translation>%1: двигайте орган управления (%2 с)</translation>
    </message>
    <message>
        <source>Joysticks cannot be read: %1. The bindings stay as they are.</source>
        <translation>Джойстики недоступны: %1. Назначения остаются как есть.</translation>
    </message>
    <message>
        <source>No joystick is attached.</source>
        <translation>Джойстик не подключён.</translation>
    </message>
    <message>
        <source>Stick X</source>
        <translation>Ручка X</translation>
    </message>
    <message>
        <source>Stick Y</source>
        <translation>Ручка Y</translation>
    </message>
    <message>
        <source>Rudder</source>
        <translation>Руль направления</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Мощность</translation>
    </message>
    <message>
        <source>Propeller pitch</source>
        <translation>Шаг винта</translation>
    </message>
    <message>
        <source>Brakes</source>
        <translation>Тормоза</translation>
    </message>
    <message>
        <source>Aileron trim</source>
        <translation>Триммер элеронов</translation>
    </message>
    <message>
        <source>Elevator trim</source>
        <translation>Триммер руля высоты</translation>
    </message>
    <message>
        <source>Rudder trim</source>
        <translation>Триммер руля направления</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>Инверсия</translation>
    </message>
    <message>
        <source>Learn</source>
        <translation>Назначить</translation>
    </message>
    <message>
        <source>Move the control now: the axis that moves furthest within 3 seconds is bound.</source>
        <translation>Двигайте орган управления: назначается ось, сдвинувшаяся дальше всех за 3 секунды.</translation>
    </message>
    <message>
        <source>Simulator</source>
        <translation>Симулятор</translation>
    </message>
    <message>
        <source>Joystick</source>
        <translation>Джойстик</translation>
    </message>
    <message>
        <source>Both</source>
        <translation>Оба</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>%1, axis %2</source>
        <translation>%1, ось %2</translation>
    </message>
    <message>
        <source>%1, axis %2 (not connected)</source>
        <translation>%1, ось %2 (не подключено)</translation>
    </message>
</context>
<context>
    <name>vanemark::CGeneralPage</name>
    <message>
        <source>Server:</source>
        <translation>Сервер:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Порт:</translation>
    </message>
    <message>
        <source>Localhost:</source>
        <translation>Локальный адрес:</translation>
    </message>
    <message>
        <source>msec</source>
        <translation>мс</translation>
    </message>
    <message>
        <source>Update Interval:</source>
        <translation>Интервал обновления:</translation>
    </message>
    <message>
        <source>Please enter a server address without blanks, tabs, commas, equals signs or #.</source>
        <translation>Введите адрес сервера без пробелов, табуляций, запятых, знаков равенства и #.</translation>
    </message>
    <message>
        <source>Please enter a local address without blanks, tabs, commas, equals signs or #.</source>
        <translation>Введите локальный адрес без пробелов, табуляций, запятых, знаков равенства и #.</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Введите целое число от %1 до %2.</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Введите целое число.</translation>
    </message>
    <message>
        <source>Please enter a positive integer.</source>
        <translation>Введите положительное целое число.</translation>
    </message>
    <message>
        <source>Automatic listens for every simulator at once and shows whichever answers.</source>
        <translation>«Автоматически» слушает все симуляторы сразу и показывает тот, что отвечает.</translation>
    </message>
    <message>
        <source>Simulator:</source>
        <translation>Симулятор:</translation>
    </message>
</context>
<context>
    <name>vanemark::CSettingsDlg</name>
    <message>
        <source>Settings:</source>
        <translation>Настройки:</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source>Color settings</source>
        <translation>Цвета</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Окно</translation>
    </message>
    <message>
        <source>Controls</source>
        <translation>Управление</translation>
    </message>
    <message>
        <source>Web panel</source>
        <translation>Веб-панель</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Команды</translation>
    </message>
</context>
<context>
    <name>vanemark::CSettingsPage</name>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>vanemark::CVanemarkDlg</name>
    <message>
        <source>Edit layout</source>
        <translation>Редактировать раскладку</translation>
    </message>
    <message>
        <source>Save the changes to the layout?</source>
        <translation>Сохранить изменения раскладки?</translation>
    </message>
    <message>
        <source>Save layout</source>
        <translation>Сохранить раскладку</translation>
    </message>
    <message>
        <source>Save layout for %1</source>
        <translation>Сохранить раскладку для %1</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>vanemark::CWebPanelPage</name>
    <message>
        <source>Serve the panel to browsers</source>
        <translation>Показывать панель в браузерах</translation>
    </message>
    <message>
        <source>For OBS&apos;s browser source, a tablet or a second computer.</source>
        <translation>Для источника «Браузер» в OBS, планшета или второго компьютера.</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Порт:</translation>
    </message>
    <message>
        <source>Allow other computers</source>
        <translation>Разрешить другим компьютерам</translation>
    </message>
    <message>
        <source>Any computer on your network can then see the panel and its values (read-only).</source>
        <translation>Тогда любой компьютер в вашей сети сможет видеть панель и её значения (только чтение).</translation>
    </message>
    <message>
        <source>For OBS: add ?bg=transparent; ?scale=2 for a larger picture.</source>
        <translation>Для OBS: добавьте ?bg=transparent; ?scale=2 — для более крупного изображения.</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>The panel cannot be served: %1. The window runs on without it.</source>
        <translation>Панель недоступна браузерам: %1. Окно работает дальше без неё.</translation>
    </message>
    <message>
        <source>The panel is not being served. Apply tries again.</source>
        <translation>Панель сейчас недоступна браузерам. «Применить» попробует снова.</translation>
    </message>
    <message>
        <source>Browsers find the panel at:</source>
        <translation>Адреса панели для браузеров:</translation>
    </message>
</context>
<context>
    <name>vanemark::CWindowPage</name>
    <message>
        <source> x</source>
        <translation> x</translation>
    </message>
    <message>
        <source>Every panel pixel is shown as a square of this many screen pixels.</source>
        <translation>Каждый пиксель панели выводится квадратом из стольких пикселей экрана.</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <source>How opaque the whole window is. Needs a desktop with a compositor; without one the window stays opaque.</source>
        <translation>Непрозрачность всего окна. Нужен рабочий стол с композитным менеджером; без него окно остаётся непрозрачным.</translation>
    </message>
    <message>
        <source>km/h</source>
        <translation>км/ч</translation>
    </message>
    <message>
        <source>mph</source>
        <translation>миль/ч</translation>
    </message>
    <message>
        <source>knots</source>
        <translation>узлы</translation>
    </message>
    <message>
        <source>Hide when not flying</source>
        <translation>Скрывать, когда нет полёта</translation>
    </message>
    <message>
        <source>While the simulator does not answer, only the tray icon shows. Never in demo mode.</source>
        <translation>Пока симулятор не отвечает, виден только значок в области уведомлений. В демо-режиме окно не скрывается.</translation>
    </message>
    <message>
        <source>This desktop has no system tray to bring a hidden window back.</source>
        <translation>На этом рабочем столе нет области уведомлений, через которую можно вернуть скрытое окно.</translation>
    </message>
    <message>
        <source>Scale:</source>
        <translation>Масштаб:</translation>
    </message>
    <message>
        <source>Opacity:</source>
        <translation>Непрозрачность:</translation>
    </message>
    <message>
        <source>Speed unit:</source>
        <translation>Единица скорости:</translation>
    </message>
</context>
<context>
    <name>vanemark::CommandInput</name>
    <message>
        <source>%1 is not a key combination</source>
        <translation>%1 не является сочетанием клавиш</translation>
    </message>
    <message>
        <source>%1 is taken</source>
        <translation>%1 уже занято</translation>
    </message>
    <message>
        <source>%1 cannot be bound on this desktop</source>
        <translation>%1 нельзя назначить на этом рабочем столе</translation>
    </message>
</context>
<context>
    <name>vanemark::GlobalHotkeys</name>
    <message>
        <source>This desktop offers no global hotkeys.</source>
        <translation>Этот рабочий стол не поддерживает глобальные сочетания клавиш.</translation>
    </message>
</context>
<context>
    <name>vanemark::WindowCommands</name>
    <message>
        <source>Unlock</source>
        <translation>Открепить</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Остановить запись</translation>
    </message>
    <message>
        <source>Record flight...</source>
        <translation>Записать полёт...</translation>
    </message>
    <message>
        <source>Lock in place</source>
        <translation>Закрепить</translation>
    </message>
    <message>
        <source>This desktop has no system tray, so a locked window could not be unlocked.</source>
        <translation>На этом рабочем столе нет области уведомлений, и закреплённое окно нельзя было бы открепить.</translation>
    </message>
    <message>
        <source>Edit layout</source>
        <translation>Редактировать раскладку</translation>
    </message>
    <message>
        <source>Show hand markers</source>
        <translation>Показывать метки рук</translation>
    </message>
    <message>
        <source>Hide window</source>
        <translation>Скрыть окно</translation>
    </message>
    <message>
        <source>Show window</source>
        <translation>Показать окно</translation>
    </message>
    <message>
        <source>This desktop has no system tray, so a hidden window could not be shown.</source>
        <translation>На этом рабочем столе нет области уведомлений, поэтому скрытое окно нельзя было бы показать.</translation>
    </message>
</context>
</TS>
