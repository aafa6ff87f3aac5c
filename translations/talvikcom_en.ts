<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="uk">
<context>
    <name>Configurator</name>
    <message>
        <source>Конфігуратор V-8.5</source>
        <translation>Configurator V-8.5</translation>
    </message>
    <message>
        <source>Конфігуратор плат &quot;ТАЛВІКОР&quot; 2025-V_8.5</source>
        <translation>Board configurator &quot;TALVIKOR&quot; 2025-V_8.5</translation>
    </message>
    <message>
        <source>IP - Плати що конфігуруеться = 000.000.000.000</source>
        <translation>IP - Board being configured = 000.000.000.000</translation>
    </message>
    <message>
        <source>IP - Плати що перезавантажуется = 000.000.000.000</source>
        <translation>IP - Board being rebooted = 000.000.000.000</translation>
    </message>
    <message>
        <source>Port 6767 ERROR</source>
        <translation>Port 6767 ERROR</translation>
    </message>
    <message>
        <source>Динамічна IP адреса Пульта</source>
        <translation>Dynamic console IP address</translation>
    </message>
    <message>
        <source>Статична IP адреса Пульта</source>
        <translation>Static console IP address</translation>
    </message>
    <message>
        <source>Динамічна IP адреса Плати ( DHCP )</source>
        <translation>Dynamic board IP address ( DHCP )</translation>
    </message>
    <message>
        <source>Статична IP адреса Плати</source>
        <translation>Static board IP address</translation>
    </message>
    <message>
        <source>Статична IP адреса Плати </source>
        <translation>Static board IP address </translation>
    </message>
    <message>
        <source> - Версія программи</source>
        <translation> - Firmware version</translation>
    </message>
    <message>
        <source>-------------</source>
        <translation>-------------</translation>
    </message>
    <message>
        <source>-----------------------------</source>
        <translation>-----------------------------</translation>
    </message>
    <message>
        <source>010.000.000.002</source>
        <translation>010.000.000.002</translation>
    </message>
    <message>
        <source>__</source>
        <translation>__</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>000.000.000.000</source>
        <translation>000.000.000.000</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Pusk</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>  IP - Плати що конфігуруеться  </source>
        <translation>  IP - Board being configured  </translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation>Reboot</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>&amp;Retry</source>
        <translation>&amp;Retry</translation>
    </message>
    <message>
        <source>Конфігурування по Ідентифікатору</source>
        <translation>Configure by identifier</translation>
    </message>
    <message>
        <source>Ідентифікатор</source>
        <translation>Identifier</translation>
    </message>
    <message>
        <source>Перезапуск масиву</source>
        <translation>Reboot a range</translation>
    </message>
    <message>
        <source>Записати</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Прочитати</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>постійна памьять</source>
        <translation>Permanent memory</translation>
    </message>
    <message>
        <source>робоча конфігурація</source>
        <translation>Working configuration</translation>
    </message>
    <message>
        <source>IP - Ліфта</source>
        <translation>IP - Lift</translation>
    </message>
    <message>
        <source>MASK</source>
        <translation>Subnet mask</translation>
    </message>
    <message>
        <source>ROUTER</source>
        <translation>Gateway</translation>
    </message>
    <message>
        <source>MAC</source>
        <translation>MAC</translation>
    </message>
    <message>
        <source>IP --&gt; MAC</source>
        <translation>IP --&gt; MAC</translation>
    </message>
    <message>
        <source>Тип IP адреси</source>
        <translation>IP address type</translation>
    </message>
    <message>
        <source>IP - Комп&apos;ютера диспетч.</source>
        <translation>IP - Dispatcher PC</translation>
    </message>
    <message>
        <source>IP - Резервний №1</source>
        <translation>IP - Reserve #1</translation>
    </message>
    <message>
        <source>IP - Резервний №2</source>
        <translation>IP - Reserve #2</translation>
    </message>
    <message>
        <source>Статична IP адреса Плати ( DHCP )</source>
        <translation>Static board IP address ( DHCP )</translation>
    </message>
    <message>
        <source>&lt;-</source>
        <translation>&lt;-</translation>
    </message>
    <message>
        <source>IP - першої плати</source>
        <translation>IP - First board</translation>
    </message>
    <message>
        <source>кількість плат</source>
        <translation>number of boards</translation>
    </message>
    <message>
        <source>Reboot START</source>
        <translation>Reboot START</translation>
    </message>
    <message>
        <source>Reboot STOP</source>
        <translation>Reboot STOP</translation>
    </message>
    <message>
        <source>Ідентифікатор плати
(номер луча
пристрою зв&apos;язку)</source>
        <translation>Board identifier
(line number of
the link device)</translation>
    </message>
    <message>
        <source>№ луча
(мережевий)</source>
        <translation>Line no.
(network)</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Unknown error</translation>
    </message>
    <message>
        <source>Не вдалося записати файл налаштувань %1</source>
        <translation>Could not write the settings file %1</translation>
    </message>
    <message>
        <source>Його не вдалося прочитати, тому він залишився без змін.</source>
        <translation>It could not be read, so it was left unchanged.</translation>
    </message>
    <message>
        <source>Він позначений лише для читання і залишився без змін.</source>
        <translation>It is marked read-only and was left unchanged.</translation>
    </message>
    <message>
        <source>Не вдалося зберегти його власника і права доступу (%1); файл залишився без змін.</source>
        <translation>Could not keep its owner and permissions (%1); the file was left unchanged.</translation>
    </message>
    <message>
        <source>Помилка запису (%1); файл залишився без змін.</source>
        <translation>Write error (%1); the file was left unchanged.</translation>
    </message>
    <message>
        <source>Ind - %1 * IP - %2 * Port - %3 - Tim - %4</source>
        <translation>Ind - %1 * IP - %2 * Port - %3 - Tim - %4</translation>
    </message>
    <message>
        <source> (прочитано)</source>
        <translation> (read back)</translation>
    </message>
    <message>
        <source>Дізнатися зовнішню IP-адресу</source>
        <translation>Look up the external IP address</translation>
    </message>
    <message>
        <source>Дізнатися зовнішню IP-адресу цього комп&apos;ютера</source>
        <translation>Look up this computer&apos;s external IP address</translation>
    </message>
    <message>
        <source>Перенести прочитану конфігурацію в поля запису</source>
        <translation>Copy the configuration read back into the fields to write</translation>
    </message>
    <message>
        <source>Стан перезавантаження</source>
        <translation>Reboot status</translation>
    </message>
    <message>
        <source>Отримано датаграм</source>
        <translation>Datagrams received</translation>
    </message>
    <message>
        <source>Адреса відправника</source>
        <translation>Sender address</translation>
    </message>
    <message>
        <source>Порт відправника</source>
        <translation>Sender port</translation>
    </message>
    <message>
        <source>Ідентифікатор останньої датаграми</source>
        <translation>Identifier of the last datagram</translation>
    </message>
    <message>
        <source>Діагностика плати</source>
        <translation>Board diagnostics</translation>
    </message>
    <message>
        <source>Зовнішня IP-адреса</source>
        <translation>External IP address</translation>
    </message>
    <message>
        <source>Версія програми плати</source>
        <translation>Board firmware version</translation>
    </message>
    <message>
        <source>Адреса відправлення</source>
        <translation>Destination address</translation>
    </message>
    <message>
        <source>Журнал ідентифікаторів</source>
        <translation>Identifier log</translation>
    </message>
    <message>
        <source>Мова · Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Українська</source>
        <translation>Ukrainian</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Мову буде змінено з наступного запуску програми.</source>
        <translation>The new language takes effect the next time the program starts.</translation>
    </message>
</context>
<context>
    <name>FleetWindow</name>
    <message>
        <source>Мережа плат</source>
        <translation>Board network</translation>
    </message>
    <message>
        <source>Пошук плат</source>
        <translation>Find boards</translation>
    </message>
    <message>
        <source>Діапазон</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>Перша адреса</source>
        <translation>First address</translation>
    </message>
    <message>
        <source>Остання адреса</source>
        <translation>Last address</translation>
    </message>
    <message>
        <source>–</source>
        <translation>–</translation>
    </message>
    <message>
        <source>Список</source>
        <translation>List</translation>
    </message>
    <message>
        <source>Адреси й діапазони, по одному в рядку (# - коментар)</source>
        <translation>Addresses and ranges, one per line (# comment)</translation>
    </message>
    <message>
        <source>Файл…</source>
        <translation>File…</translation>
    </message>
    <message>
        <source>Мої мережі</source>
        <translation>My networks</translation>
    </message>
    <message>
        <source>у цього комп&apos;ютера немає мережі /24, крім локальної</source>
        <translation>this computer has no /24 network besides loopback</translation>
    </message>
    <message>
        <source>Також постійна памьять (показує записане, але ще не завантажене)</source>
        <translation>Permanent memory too (shows what is written but not yet loaded)</translation>
    </message>
    <message>
        <source>Шукати</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Скасувати</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Хід роботи</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Стан пошуку</source>
        <translation>Search status</translation>
    </message>
    <message>
        <source>%v з %m</source>
        <translation>%v of %m</translation>
    </message>
    <message>
        <source>Фільтр</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Очистити фільтр</source>
        <translation>Clear filter</translation>
    </message>
    <message>
        <source>Фільтр за всіма стовпцями (Ctrl+F)</source>
        <translation>Filter on every column (Ctrl+F)</translation>
    </message>
    <message>
        <source>Плати мережі</source>
        <translation>Boards of the network</translation>
    </message>
    <message>
        <source>Відкрити в конфігураторі</source>
        <translation>Open in the configurator</translation>
    </message>
    <message>
        <source>Перезавантажити…</source>
        <translation>Reboot…</translation>
    </message>
    <message>
        <source>Зберегти копії…</source>
        <translation>Save backups…</translation>
    </message>
    <message>
        <source>Застосувати копії…</source>
        <translation>Apply backups…</translation>
    </message>
    <message>
        <source>Усі копії з теки…</source>
        <translation>All backups in a folder…</translation>
    </message>
    <message>
        <source>Вибрані файли…</source>
        <translation>Selected files…</translation>
    </message>
    <message>
        <source>Експорт…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>Усі рядки…</source>
        <translation>All rows…</translation>
    </message>
    <message>
        <source>Лише рядки, що видно (за фільтром)…</source>
        <translation>Only the rows shown (by the filter)…</translation>
    </message>
    <message>
        <source>Таблиця CSV (*.csv);;JSON Lines (*.jsonl)</source>
        <translation>CSV table (*.csv);;JSON Lines (*.jsonl)</translation>
    </message>
    <message>
        <source>Експорт або копія плати (*.csv *.jsonl *.json *.conf)</source>
        <translation>Export or board backup (*.csv *.jsonl *.json *.conf)</translation>
    </message>
    <message>
        <source>Копії плат (*.conf)</source>
        <translation>Board backups (*.conf)</translation>
    </message>
    <message>
        <source>Список адрес (*.txt *.hosts);;Усі файли (*)</source>
        <translation>Address list (*.txt *.hosts);;All files (*)</translation>
    </message>
    <message>
        <source>Порівняти…</source>
        <translation>Compare…</translation>
    </message>
    <message>
        <source>З попереднім експортом (CSV, JSON Lines) або текою копій (*.conf)</source>
        <translation>With an earlier export (CSV, JSON Lines) or a folder of backups (*.conf)</translation>
    </message>
    <message>
        <source>Тека для копій плат</source>
        <translation>Folder for board backups</translation>
    </message>
    <message>
        <source>Копії плат для запису</source>
        <translation>Board backups to write</translation>
    </message>
    <message>
        <source>Експорт таблиці</source>
        <translation>Export the table</translation>
    </message>
    <message>
        <source>Порівняти з</source>
        <translation>Compare with</translation>
    </message>
    <message>
        <source>Список адрес з файлу</source>
        <translation>Address list from a file</translation>
    </message>
    <message>
        <source>Адреса</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Ідентифікатор</source>
        <translation>Identifier</translation>
    </message>
    <message>
        <source>Версія</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <source>Маска</source>
        <translation>Mask</translation>
    </message>
    <message>
        <source>Шлюз</source>
        <translation>Gateway</translation>
    </message>
    <message>
        <source>MAC</source>
        <translation>MAC</translation>
    </message>
    <message>
        <source>DHCP</source>
        <translation>DHCP</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Console</translation>
    </message>
    <message>
        <source>Диспетчер</source>
        <translation>Dispatcher</translation>
    </message>
    <message>
        <source>Луч</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Резерв 1</source>
        <translation>Reserve 1</translation>
    </message>
    <message>
        <source>Резерв 2</source>
        <translation>Reserve 2</translation>
    </message>
    <message>
        <source>Пост. ≠ роб.</source>
        <translation>Perm. ≠ work.</translation>
    </message>
    <message>
        <source>Стан</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Востаннє</source>
        <translation>Last seen</translation>
    </message>
    <message>
        <source>Об&apos;єкт</source>
        <translation>Site</translation>
    </message>
    <message>
        <source>так</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>ні</source>
        <translation>no</translation>
    </message>
    <message>
        <source>статична</source>
        <translation>static</translation>
    </message>
    <message>
        <source>динамічна</source>
        <translation>dynamic</translation>
    </message>
    <message>
        <source>на зв&apos;язку</source>
        <translation>online</translation>
    </message>
    <message>
        <source>відповіла</source>
        <translation>answered</translation>
    </message>
    <message>
        <source>не відповідає</source>
        <translation>not answering</translation>
    </message>
    <message>
        <source>перезавантажується</source>
        <translation>rebooting</translation>
    </message>
    <message>
        <source>знову на зв&apos;язку</source>
        <translation>back online</translation>
    </message>
    <message>
        <source>не повернулася</source>
        <translation>did not come back</translation>
    </message>
    <message>
        <source>не підтвердила перезавантаження</source>
        <translation>did not acknowledge the reboot</translation>
    </message>
    <message>
        <source>копію збережено</source>
        <translation>backup saved</translation>
    </message>
    <message>
        <source>копію не збережено: %1</source>
        <translation>backup not saved: %1</translation>
    </message>
    <message>
        <source>записано, перевірено</source>
        <translation>written, verified</translation>
    </message>
    <message>
        <source>записано; діятиме після перезавантаження</source>
        <translation>written; takes effect after a reboot</translation>
    </message>
    <message>
        <source>; не записано: %1 (зі статичним пультом кадр їх не несе)</source>
        <translation>; not written: %1 (with a static console the frame does not carry them)</translation>
    </message>
    <message>
        <source>записано, але плата має інше: %1</source>
        <translation>written, but the board holds something else: %1</translation>
    </message>
    <message>
        <source>записано, не прочитано назад</source>
        <translation>written, not read back</translation>
    </message>
    <message>
        <source>не вдалося надіслати</source>
        <translation>could not send</translation>
    </message>
    <message>
        <source>записано, не перевірено</source>
        <translation>written, not verified</translation>
    </message>
    <message>
        <source>не пробувано: %1</source>
        <translation>not tried: %1</translation>
    </message>
    <message>
        <source>роботу зупинено після невдач</source>
        <translation>job stopped after failures</translation>
    </message>
    <message>
        <source>журнал не записується</source>
        <translation>the journal cannot be written</translation>
    </message>
    <message>
        <source>скасовано</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>не записано: постійна пам&apos;ять не прочитана</source>
        <translation>not written: permanent memory not read</translation>
    </message>
    <message>
        <source>не записано: %1</source>
        <translation>not written: %1</translation>
    </message>
    <message>
        <source>журнал недоступний</source>
        <translation>the journal is unavailable</translation>
    </message>
    <message>
        <source>диспетчер і резервні адреси надсилаються лише з динамічним пультом, а в цієї плати він статичний</source>
        <translation>the dispatcher and reserve addresses are sent only with a dynamic console, and this board&apos;s is static</translation>
    </message>
    <message>
        <source>зі статичним пультом кадр не несе: %1</source>
        <translation>with a static console the frame does not carry: %1</translation>
    </message>
    <message>
        <source>плату змінено після цього запису</source>
        <translation>the board was changed after this write</translation>
    </message>
    <message>
        <source>DHCP зі статичним пультом: конфігуратор такого не записує</source>
        <translation>DHCP with a static console: the configurator does not write that</translation>
    </message>
    <message>
        <source>це копія робочої конфігурації</source>
        <translation>this is a backup of the working configuration</translation>
    </message>
    <message>
        <source>на адресі %1 з копії ще відповідає плата</source>
        <translation>a board still answers at the backup&apos;s address %1</translation>
    </message>
    <message>
        <source>Змінити поля…</source>
        <translation>Change fields…</translation>
    </message>
    <message>
        <source>Історія…</source>
        <translation>History…</translation>
    </message>
    <message>
        <source>Замінити плату…</source>
        <translation>Replace board…</translation>
    </message>
    <message>
        <source>Змінити поля вибраних плат</source>
        <translation>Change fields of the selected boards</translation>
    </message>
    <message>
        <source>Позначте поля, які змінити. Кожну плату буде записано на основі її власної постійної пам&apos;яті.</source>
        <translation>Tick the fields to change. Each board is written from its own permanent memory.</translation>
    </message>
    <message>
        <source>Переглянути</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Записати</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Закрити</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Плата;Поле;Зараз;Нове;Чому не буде записано</source>
        <translation>Board;Field;Now;New;Why it will not be written</translation>
    </message>
    <message>
        <source>нічого не зміниться</source>
        <translation>nothing will change</translation>
    </message>
    <message>
        <source>Позначте хоча б одне поле.</source>
        <translation>Tick at least one field.</translation>
    </message>
    <message>
        <source>%1: «%2» — не адреса</source>
        <translation>%1: “%2” is not an address</translation>
    </message>
    <message>
        <source>Читаю постійну пам&apos;ять плат…</source>
        <translation>Reading the boards&apos; permanent memory…</translation>
    </message>
    <message>
        <source>Історія записів: %1</source>
        <translation>Write history: %1</translation>
    </message>
    <message>
        <source>Час;Плата;Хто;Результат;Зміни</source>
        <translation>Time;Board;By;Result;Changes</translation>
    </message>
    <message>
        <source>(без результату)</source>
        <translation>(no result)</translation>
    </message>
    <message>
        <source>(попередня пам&apos;ять невідома)</source>
        <translation>(earlier memory unknown)</translation>
    </message>
    <message>
        <source>Повернути</source>
        <translation>Revert</translation>
    </message>
    <message>
        <source>Записати постійну пам&apos;ять, яку плата мала до вибраного запису</source>
        <translation>Write the permanent memory the board had before the selected write</translation>
    </message>
    <message>
        <source>Повернути плату %1 до пам&apos;яті, яку вона мала до запису %2?
%3</source>
        <translation>Revert board %1 to the memory it had before the write of %2?
%3</translation>
    </message>
    <message>
        <source>Виберіть одну плату.</source>
        <translation>Select one board.</translation>
    </message>
    <message>
        <source>Замінити плату %1</source>
        <translation>Replace board %1</translation>
    </message>
    <message>
        <source>Копію старої плати буде записано в нову (вибрану) плату. Стара плата не повинна відповідати на своїй адресі.</source>
        <translation>The old board&apos;s backup will be written to the new (selected) board. The old board must no longer answer at its address.</translation>
    </message>
    <message>
        <source>Файл копії…</source>
        <translation>Backup file…</translation>
    </message>
    <message>
        <source>(копію не вибрано)</source>
        <translation>(no backup chosen)</translation>
    </message>
    <message>
        <source>Взяти MAC старої плати</source>
        <translation>Take the old board&apos;s MAC</translation>
    </message>
    <message>
        <source>Замінити</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>%1 не записано: %2. Все одно записати?</source>
        <translation>%1 not written: %2. Write anyway?</translation>
    </message>
    <message>
        <source>Конфігуратор</source>
        <translation>Configurator</translation>
    </message>
    <message>
        <source>Мережа плат: застосування копій</source>
        <translation>Board network: applying backups</translation>
    </message>
    <message>
        <source>Мережа плат: зміна полів</source>
        <translation>Board network: changing fields</translation>
    </message>
    <message>
        <source>Мережа плат: заміна плати</source>
        <translation>Board network: replacing a board</translation>
    </message>
    <message>
        <source>Мережа плат: повернення</source>
        <translation>Board network: reverting</translation>
    </message>
    <message>
        <source>Копії в git</source>
        <translation>Backups in git</translation>
    </message>
    <message>
        <source>коміт %1</source>
        <translation>commit %1</translation>
    </message>
    <message>
        <source>перша копія</source>
        <translation>first backup</translation>
    </message>
    <message>
        <source>записано, але плата має інше</source>
        <translation>written, but the board holds something else</translation>
    </message>
    <message>
        <source>записано, скасовано до перевірки</source>
        <translation>written, cancelled before verifying</translation>
    </message>
    <message>
        <source>нова</source>
        <translation>new</translation>
    </message>
    <message>
        <source>зникла</source>
        <translation>missing</translation>
    </message>
    <message>
        <source>змінена</source>
        <translation>changed</translation>
    </message>
    <message>
        <source>змінена, було: %1</source>
        <translation>changed, was: %1</translation>
    </message>
    <message>
        <source>Порівняти з еталоном…</source>
        <translation>Compare with reference…</translation>
    </message>
    <message>
        <source>Позначити на платах того самого об&apos;єкта поля, що відрізняються від вибраної плати</source>
        <translation>Mark the fields that differ from the selected board on the boards of its site</translation>
    </message>
    <message>
        <source>відрізняється від еталона</source>
        <translation>differs from the reference</translation>
    </message>
    <message>
        <source>еталон: %1</source>
        <translation>reference: %1</translation>
    </message>
    <message>
        <source>Від еталона %1 відрізняються: %2</source>
        <translation>Differing from reference %1: %2</translation>
    </message>
    <message>
        <source>Усі плати об&apos;єкта збігаються з еталоном %1</source>
        <translation>Every board of the site matches reference %1</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>Виберіть одну плату, що відповіла: вона буде еталоном.</source>
        <translation>Select one board that answered: it becomes the reference.</translation>
    </message>
    <message>
        <source>Зберегти як об&apos;єкт…</source>
        <translation>Save as site…</translation>
    </message>
    <message>
        <source>Назва об&apos;єкта</source>
        <translation>Site name</translation>
    </message>
    <message>
        <source>Назва об&apos;єкта для цих адрес:</source>
        <translation>Site name for these addresses:</translation>
    </message>
    <message>
        <source>(об&apos;єктів ще немає)</source>
        <translation>(no sites yet)</translation>
    </message>
    <message>
        <source>Файл об&apos;єктів %1 не збережено (%2); він лишився як був.</source>
        <translation>Sites file %1 not saved (%2); it was left as it was.</translation>
    </message>
    <message>
        <source>Файл об&apos;єктів не прочитано: %1</source>
        <translation>Sites file not read: %1</translation>
    </message>
    <message>
        <source>Повторити невдалі</source>
        <translation>Retry failed</translation>
    </message>
    <message>
        <source>Ще раз ту саму дію на платах, де вона не вдалася, не пробувалася або скасована</source>
        <translation>The same action again on the boards where it failed, was not tried or was cancelled</translation>
    </message>
    <message>
        <source>Зупинено: невдало на %1 з %2; решту не пробувано (%3). «Повторити невдалі» спробує знову.</source>
        <translation>Stopped: failed on %1 of %2; the rest not tried (%3). “Retry failed” tries them again.</translation>
    </message>
    <message>
        <source>Зупинено: журнал записів не записується; решту не пробувано (%1).</source>
        <translation>Stopped: the journal of writes cannot be written; the rest not tried (%1).</translation>
    </message>
    <message>
        <source>Скасовано; не зроблено: %1.</source>
        <translation>Cancelled; not done: %1.</translation>
    </message>
    <message>
        <source>Перезавантажити %1?</source>
        <translation>Reboot %1?</translation>
    </message>
    <message>
        <source>Записати копії в %1?</source>
        <translation>Write backups to %1?</translation>
    </message>
    <message>
        <source>Перезавантажити</source>
        <translation>Reboot</translation>
    </message>
    <message>
        <source>Спершу виберіть плати в таблиці.</source>
        <translation>First select boards in the table.</translation>
    </message>
    <message>
        <source>%1: не адреса плати (0.0.0.0, 255.255.255.255, .0, .255 і групові адреси не підходять)</source>
        <translation>%1: not a board address (0.0.0.0, 255.255.255.255, .0, .255 and multicast addresses will not do)</translation>
    </message>
    <message>
        <source>%1: діапазон має бути в одній мережі /24, до .254</source>
        <translation>%1: a range must lie in one /24 network, up to .254</translation>
    </message>
    <message>
        <source>%1: не адреса і не діапазон адрес</source>
        <translation>%1: neither an address nor a range of addresses</translation>
    </message>
    <message>
        <source>Забагато адрес: не більше %1 за один пошук.</source>
        <translation>Too many addresses: at most %1 in one search.</translation>
    </message>
    <message>
        <source>Не задано жодної плати.</source>
        <translation>No board given.</translation>
    </message>
    <message>
        <source>Порт 6767 зайнятий іншою програмою: відповіді плат сюди не дійдуть. Закрийте ту програму.</source>
        <translation>Port 6767 is taken by another program: board replies will not reach this one. Close that program.</translation>
    </message>
    <message>
        <source>Файлу %1 немає.</source>
        <translation>File %1 does not exist.</translation>
    </message>
    <message>
        <source>%1 — не звичайний файл (тека, канал чи пристрій).</source>
        <translation>%1 is not a regular file (a folder, pipe or device).</translation>
    </message>
    <message>
        <source>Файл %1 завеликий: %2, а можна не більше %3.</source>
        <translation>File %1 is too large: %2, at most %3 allowed.</translation>
    </message>
    <message>
        <source>Файл %1 не вдалося прочитати (%2).</source>
        <translation>File %1 could not be read (%2).</translation>
    </message>
    <message>
        <source>файл %1 не вдалося записати (%2)</source>
        <translation>file %1 could not be written (%2)</translation>
    </message>
    <message>
        <source>Копія %1, рядок %2: не «ключ=значення»: %3.</source>
        <translation>Backup %1, line %2: not “key=value”: %3.</translation>
    </message>
    <message>
        <source>Копія %1, рядок %2: %3 вдруге (уперше в рядку %4).</source>
        <translation>Backup %1, line %2: %3 a second time (first on line %4).</translation>
    </message>
    <message>
        <source>У копії %1 немає рядка «%2=».</source>
        <translation>Backup %1 has no “%2=” line.</translation>
    </message>
    <message>
        <source>Копія %1, рядок %2: %3 %4 — неправильне значення.</source>
        <translation>Backup %1, line %2: %3 %4 is not a valid value.</translation>
    </message>
    <message>
        <source>Копія %1, рядок %2: невідомий ключ %3.</source>
        <translation>Backup %1, line %2: unknown key %3.</translation>
    </message>
    <message>
        <source>Копія %1: DHCP зі статичним пультом, а конфігуратор такого не записує.</source>
        <translation>Backup %1: DHCP with a static console, which the configurator does not write.</translation>
    </message>
    <message>
        <source>Копія %1 названа за платою %2, а містить адресу %3.</source>
        <translation>Backup %1 is named for board %2 but holds address %3.</translation>
    </message>
    <message>
        <source>У %1 немає заголовка таблиці плат (address, ip, …).</source>
        <translation>%1 has no board table header (address, ip, …).</translation>
    </message>
    <message>
        <source>%1 і %2 — копії однієї плати %3: залиште одну.</source>
        <translation>%1 and %2 are backups of the same board %3: keep one.</translation>
    </message>
    <message>
        <source>Ці копії не можна записати як є:
%1
Все одно записати?</source>
        <translation>These backups cannot be written as they are:
%1
Write anyway?</translation>
    </message>
    <message>
        <source>Все одно записати</source>
        <translation>Write anyway</translation>
    </message>
    <message>
        <source>IP 0.0.0.0 — не адреса вузла</source>
        <translation>IP 0.0.0.0 — not a host address</translation>
    </message>
    <message>
        <source>IP 255.255.255.255 — широкомовна адреса</source>
        <translation>IP 255.255.255.255 — broadcast address</translation>
    </message>
    <message>
        <source>IP %1 — групова або зарезервована адреса</source>
        <translation>IP %1 — multicast or reserved address</translation>
    </message>
    <message>
        <source>IP %1 — локальна адреса комп&apos;ютера: плата нікому не відповість</source>
        <translation>IP %1 — this computer&apos;s loopback address: the board would answer no one</translation>
    </message>
    <message>
        <source>IP %1 — адреса мережі для маски %2</source>
        <translation>IP %1 — network address for mask %2</translation>
    </message>
    <message>
        <source>IP %1 — широкомовна адреса мережі для маски %2</source>
        <translation>IP %1 — broadcast address of the network for mask %2</translation>
    </message>
    <message>
        <source>маска %1 має розрив в одиничних бітах</source>
        <translation>mask %1 has a gap in its one bits</translation>
    </message>
    <message>
        <source>неповна відповідь (%1)</source>
        <translation>short reply (%1)</translation>
    </message>
    <message>
        <source>у відповіді немає версії, тож немає прапорця DHCP</source>
        <translation>the reply has no version, so no DHCP flag</translation>
    </message>
    <message>
        <source>Не вдалося записати %1: %2</source>
        <translation>Could not write %1: %2</translation>
    </message>
    <message>
        <source>uk</source>
        <comment>the language of the plural rule</comment>
        <translation>en</translation>
    </message>
    <message>
        <source>байт</source>
        <comment>1 byte</comment>
        <translation>byte</translation>
    </message>
    <message>
        <source>байти</source>
        <comment>2 bytes</comment>
        <translation>bytes</translation>
    </message>
    <message>
        <source>байтів</source>
        <comment>5 bytes</comment>
        <translation>bytes</translation>
    </message>
    <message>
        <source>датаграму</source>
        <comment>1 datagram lost</comment>
        <translation>datagram</translation>
    </message>
    <message>
        <source>датаграми</source>
        <comment>2 datagrams lost</comment>
        <translation>datagrams</translation>
    </message>
    <message>
        <source>датаграм</source>
        <comment>5 datagrams lost</comment>
        <translation>datagrams</translation>
    </message>
    <message>
        <source> втрачено через перевантаження цього комп&apos;ютера (плати запитано знову)</source>
        <translation> lost to this computer&apos;s overload (boards asked again)</translation>
    </message>
    <message>
        <source>плату</source>
        <comment>1 board</comment>
        <translation>board</translation>
    </message>
    <message>
        <source>плати</source>
        <comment>2 boards</comment>
        <translation>boards</translation>
    </message>
    <message>
        <source>плат</source>
        <comment>5 boards</comment>
        <translation>boards</translation>
    </message>
    <message>
        <source>адреса</source>
        <comment>1 address</comment>
        <translation>address</translation>
    </message>
    <message>
        <source>адреси</source>
        <comment>2 addresses</comment>
        <translation>addresses</translation>
    </message>
    <message>
        <source>адрес</source>
        <comment>5 addresses</comment>
        <translation>addresses</translation>
    </message>
    <message>
        <source> в мережі </source>
        <translation> on network </translation>
    </message>
    <message>
        <source> в мережах </source>
        <translation> on networks </translation>
    </message>
    <message>
        <source>нова</source>
        <comment>1 new</comment>
        <translation>new</translation>
    </message>
    <message>
        <source>нових</source>
        <comment>2 new</comment>
        <translation>new</translation>
    </message>
    <message>
        <source>нових</source>
        <comment>5 new</comment>
        <translation>new</translation>
    </message>
    <message>
        <source>зникла</source>
        <comment>1 missing</comment>
        <translation>missing</translation>
    </message>
    <message>
        <source>зникли</source>
        <comment>2 missing</comment>
        <translation>missing</translation>
    </message>
    <message>
        <source>зникло</source>
        <comment>5 missing</comment>
        <translation>missing</translation>
    </message>
    <message>
        <source>змінена</source>
        <comment>1 changed</comment>
        <translation>changed</translation>
    </message>
    <message>
        <source>змінені</source>
        <comment>2 changed</comment>
        <translation>changed</translation>
    </message>
    <message>
        <source>змінених</source>
        <comment>5 changed</comment>
        <translation>changed</translation>
    </message>
    <message>
        <source>записано й перевірено: %1</source>
        <translation>written and verified: %1</translation>
    </message>
    <message>
        <source>записано, діятиме після перезавантаження: %1</source>
        <translation>written, taking effect at the next reboot: %1</translation>
    </message>
    <message>
        <source>записано без перевірки: %1</source>
        <translation>written without a check: %1</translation>
    </message>
    <message>
        <source>перезавантажено: %1</source>
        <translation>rebooted: %1</translation>
    </message>
    <message>
        <source>копій збережено: %1</source>
        <translation>backups saved: %1</translation>
    </message>
    <message>
        <source>прочитано: %1</source>
        <translation>read: %1</translation>
    </message>
    <message>
        <source>невдало: %1</source>
        <translation>failed: %1</translation>
    </message>
    <message>
        <source>відмовлено: %1</source>
        <translation>refused: %1</translation>
    </message>
    <message>
        <source>скасовано: %1</source>
        <translation>cancelled: %1</translation>
    </message>
    <message>
        <source>Підсумок: %1.</source>
        <translation>Summary: %1.</translation>
    </message>
    <message>
        <source>Зупинено одразу: записано, але не прочитано назад: %1.</source>
        <translation>Stopped at once: written but not read back: %1.</translation>
    </message>
    <message>
        <source>Зупинено одразу: перезавантаження надіслано, але не дочекалися: %1.</source>
        <translation>Stopped at once: the reboot was sent but not waited for: %1.</translation>
    </message>
    <message>
        <source>Зупиняю: плати, яким уже надіслано, дописуються й перевіряються. Ще раз «Скасувати» — зупинити одразу, без перевірки.</source>
        <translation>Stopping: the boards already sent to are finished and checked. “Cancel” once more stops at once, without the check.</translation>
    </message>
    <message>
        <source>Записати все одно? Тоді:
%1</source>
        <translation>Write anyway? Then:
%1</translation>
    </message>
    <message>
        <source>%1 не буде записано: зі статичним пультом кадр його не несе</source>
        <translation>%1 will not be written: with a static console the frame does not carry it</translation>
    </message>
    <message>
        <source>%1 не буде записано: зі статичним пультом кадр їх не несе</source>
        <translation>%1 will not be written: with a static console the frame does not carry them</translation>
    </message>
    <message>
        <source>плата може стати недосяжною: %1</source>
        <translation>the board may become unreachable: %1</translation>
    </message>
    <message>
        <source>буде записано копію робочої конфігурації, а не постійної пам&apos;яті</source>
        <translation>a backup of the working configuration will be written, not one of the permanent memory</translation>
    </message>
    <message>
        <source>буде скасовано й те, що змінили на платі після цього запису: %1</source>
        <translation>what was changed on the board after that write is undone too: %1</translation>
    </message>
    <message>
        <source>на адресі %1 ще відповідає стара плата: дві плати матимуть одну адресу</source>
        <translation>the old board still answers at %1: two boards will have one address</translation>
    </message>
    <message>
        <source>Читаю історію копій у git…</source>
        <translation>Reading the history of the backups in git…</translation>
    </message>
    <message>
        <source>Історію копій у git не прочитано: %1</source>
        <translation>The history of the backups in git was not read: %1</translation>
    </message>
    <message>
        <source>Пропустити їх</source>
        <translation>Skip them</translation>
    </message>
    <message>
        <source>Перезавантажити всі</source>
        <translation>Reboot all</translation>
    </message>
    <message>
        <source>Записати копії</source>
        <translation>Write backups</translation>
    </message>
    <message>
        <source>%1: пропустити їх?
%2</source>
        <translation>%1: skip them?
%2</translation>
    </message>
    <message>
        <source>плата не відповідала</source>
        <comment>1 board did not answer</comment>
        <translation>board did not answer</translation>
    </message>
    <message>
        <source>плати не відповідали</source>
        <comment>2 boards did not answer</comment>
        <translation>boards did not answer</translation>
    </message>
    <message>
        <source>плат не відповідали</source>
        <comment>5 boards did not answer</comment>
        <translation>boards did not answer</translation>
    </message>
    <message>
        <source>плату записала пізніша робота %1</source>
        <translation>a later job, %1, wrote the board</translation>
    </message>
    <message>
        <source>буде скасовано й те, що записала пізніша робота %1</source>
        <translation>what the later job %1 wrote is undone too</translation>
    </message>
    <message>
        <source>Записи</source>
        <translation>Writes</translation>
    </message>
    <message>
        <source>Роботи</source>
        <translation>Jobs</translation>
    </message>
    <message>
        <source>Час;Хто;Що;Плат;Що вийшло</source>
        <translation>Time;Who;What;Boards;Outcome</translation>
    </message>
    <message>
        <source>Плати вибраної роботи</source>
        <translation>Boards of the selected job</translation>
    </message>
    <message>
        <source>Плата;Що вийшло;Зміни</source>
        <translation>Board;Outcome;Changes</translation>
    </message>
    <message>
        <source>Повернути роботу</source>
        <translation>Undo job</translation>
    </message>
    <message>
        <source>Записати кожній платі роботи (і її повторів) пам&apos;ять, яку вона мала до неї</source>
        <translation>Write each board of the job (and of its retries) back to the memory it had before it</translation>
    </message>
    <message>
        <source>Ще раз цю роботу на її платах, де вона не вдалася або до яких не дійшла</source>
        <translation>This job again on its boards where it failed or that it never reached</translation>
    </message>
    <message>
        <source>Повернути роботу «%1» від %2 на %3?</source>
        <translation>Undo the job “%1” of %2 on %3?</translation>
    </message>
    <message>
        <source>Повторити роботу «%1» від %2 на %3?</source>
        <translation>Retry the job “%1” of %2 on %3?</translation>
    </message>
    <message>
        <source>Не чіпатиму: %1</source>
        <translation>Left alone: %1</translation>
    </message>
    <message>
        <source>Усі плати цієї роботи вже записано або відмовлено: повторювати нічого.</source>
        <translation>Every board of this job was written or refused already: nothing to retry.</translation>
    </message>
    <message>
        <source>Ця робота не записала успішно жодної плати: повертати нічого.</source>
        <translation>This job wrote no board successfully: nothing to undo.</translation>
    </message>
    <message>
        <source>Роботу не прочитано з журналу: %1</source>
        <translation>The job was not read from the journal: %1</translation>
    </message>
    <message>
        <source>зміна полів: %1</source>
        <translation>fields changed: %1</translation>
    </message>
    <message>
        <source>запис копій</source>
        <translation>backups written</translation>
    </message>
    <message>
        <source>заміна плати</source>
        <translation>board replaced</translation>
    </message>
    <message>
        <source>повернення роботи %1</source>
        <translation>undo of job %1</translation>
    </message>
    <message>
        <source>повернення запису</source>
        <translation>undo of a write</translation>
    </message>
    <message>
        <source>перезавантаження</source>
        <translation>reboot</translation>
    </message>
    <message>
        <source>запис конфігуратора</source>
        <translation>configurator write</translation>
    </message>
    <message>
        <source>не завершена: не дійшла до плат: %1</source>
        <translation>not ended: boards not reached: %1</translation>
    </message>
    <message>
        <source>зупинена після невдач</source>
        <translation>stopped after failures</translation>
    </message>
    <message>
        <source>Цієї роботи немає в журналі: він не записується.</source>
        <translation>This job is not in the journal: it cannot be written.</translation>
    </message>
    <message>
        <source>надіслано, результату немає (програму зупинено)</source>
        <translation>sent, no result (the program was stopped)</translation>
    </message>
    <message>
        <source>робота до неї не дійшла</source>
        <translation>the job did not reach it</translation>
    </message>
    <message>
        <source>зі статичним пультом кадр не несе деяких полів</source>
        <translation>with a static console the frame does not carry some fields</translation>
    </message>
    <message>
        <source>плата стала б недосяжною</source>
        <translation>the board would be out of reach</translation>
    </message>
    <message>
        <source>на адресі з копії ще відповідала плата</source>
        <translation>a board still answered at the backup&apos;s address</translation>
    </message>
    <message>
        <source>плату записала пізніша робота</source>
        <translation>a later job wrote the board</translation>
    </message>
    <message>
        <source>Записати без них</source>
        <translation>Write without them</translation>
    </message>
    <message>
        <source>Мережа плат: повернення роботи</source>
        <translation>Board network: undoing a job</translation>
    </message>
    <message>
        <source>Мережа плат: повтор роботи</source>
        <translation>Board network: retrying a job</translation>
    </message>
    <message>
        <source>Мережа плат: перезавантаження</source>
        <translation>Board network: reboot</translation>
    </message>
    <message>
        <source>без змін: %1</source>
        <translation>unchanged: %1</translation>
    </message>
</context>
</TS>
