<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="uk">
<context>
    <name>Configurator</name>
    <message>
        <location filename="../src/gui/app/messages.cpp" line="+10"/>
        <location line="+8"/>
        <source>Конфігуратор V-8.5</source>
        <translation>Configurator V-8.5</translation>
    </message>
    <message>
        <location filename="../src/gui/app/language.cpp" line="+70"/>
        <source>Не вдалося записати файл налаштувань %1</source>
        <translation>Could not write the settings file %1</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>&amp;Українська</source>
        <translation>&amp;Ukrainian</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;English</source>
        <translation>&amp;English</translation>
    </message>
    <message>
        <location filename="../src/gui/app/save_failure.cpp" line="+13"/>
        <source>Його не вдалося прочитати, тому він залишився без змін.</source>
        <translation>It could not be read, so it was left unchanged.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Він позначений лише для читання і залишився без змін.</source>
        <translation>It is marked read-only and was left unchanged.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Не вдалося зберегти його власника і права доступу (%1); файл залишився без змін.</source>
        <translation>Could not keep its owner and permissions (%1); the file was left unchanged.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Помилка запису (%1); файл залишився без змін.</source>
        <translation>Write error (%1); the file was left unchanged.</translation>
    </message>
    <message>
        <location filename="../src/gui/app/language.cpp" line="+1"/>
        <source>Мова · Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Українська</source>
        <translation type="vanished">Ukrainian</translation>
    </message>
    <message>
        <source>English</source>
        <translation type="vanished">English</translation>
    </message>
    <message>
        <location line="-7"/>
        <source>Мову буде змінено з наступного запуску програми.</source>
        <translation>The new language takes effect the next time the program starts.</translation>
    </message>
</context>
<context>
    <name>FleetWindow</name>
    <message>
        <location filename="../src/fleet/fleet_model.cpp" line="+55"/>
        <location line="+17"/>
        <source>так</source>
        <translation>yes</translation>
    </message>
    <message>
        <location line="-16"/>
        <location line="+15"/>
        <source>ні</source>
        <translation>no</translation>
    </message>
    <message>
        <location line="-12"/>
        <source>статична</source>
        <translation>static</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>динамічна</source>
        <translation>dynamic</translation>
    </message>
    <message>
        <location filename="../src/fleet/fleet_wording.cpp" line="+53"/>
        <source>не відповідає</source>
        <translation>not answering</translation>
    </message>
    <message>
        <location line="+150"/>
        <source>знову на зв&apos;язку</source>
        <translation>back online</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>не повернулася</source>
        <translation>did not come back</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>не підтвердила перезавантаження</source>
        <translation>did not acknowledge the reboot</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>копію збережено</source>
        <translation>backup saved</translation>
    </message>
    <message>
        <location line="-3"/>
        <location line="+4"/>
        <source>копію не збережено: %1</source>
        <translation>backup not saved: %1</translation>
    </message>
    <message>
        <location line="-62"/>
        <source>записано, перевірено</source>
        <translation>written, verified</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>записано; діятиме після перезавантаження</source>
        <translation>written; takes effect after a reboot</translation>
    </message>
    <message>
        <location line="-7"/>
        <source>; не записано: %1 (зі статичним пультом кадр їх не несе)</source>
        <translation>; not written: %1 (with a static console the frame does not carry them)</translation>
    </message>
    <message>
        <location line="+19"/>
        <location line="+191"/>
        <source>записано, але плата має інше: %1</source>
        <translation>written, but the board holds something else: %1</translation>
    </message>
    <message>
        <location line="-169"/>
        <source>записано, не прочитано назад</source>
        <translation>written, not read back</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>не вдалося надіслати</source>
        <translation>could not send</translation>
    </message>
    <message>
        <location line="-27"/>
        <source>записано, не перевірено</source>
        <translation>written, not verified</translation>
    </message>
    <message>
        <location line="-24"/>
        <location line="+225"/>
        <source>не пробувано: %1</source>
        <translation>not tried: %1</translation>
    </message>
    <message>
        <location line="-222"/>
        <source>роботу зупинено після невдач</source>
        <translation>job stopped after failures</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>журнал не записується</source>
        <translation>the journal cannot be written</translation>
    </message>
    <message>
        <location line="-3"/>
        <location line="+75"/>
        <source>скасовано</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <location line="-17"/>
        <source>не записано: постійна пам&apos;ять не прочитана</source>
        <translation>not written: permanent memory not read</translation>
    </message>
    <message>
        <location line="-21"/>
        <location line="+13"/>
        <location line="+347"/>
        <source>не записано: %1</source>
        <translation>not written: %1</translation>
    </message>
    <message>
        <location line="-435"/>
        <source>диспетчер і резервні адреси надсилаються лише з динамічним пультом, а в цієї плати він статичний</source>
        <translation>the dispatcher and reserve addresses are sent only with a dynamic console, and this board&apos;s is static</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>зі статичним пультом кадр не несе: %1</source>
        <translation>with a static console the frame does not carry: %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>плату змінено після цього запису</source>
        <translation>the board was changed after this write</translation>
    </message>
    <message>
        <location line="-10"/>
        <source>DHCP зі статичним пультом: конфігуратор такого не записує</source>
        <translation>DHCP with a static console: the configurator does not write that</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>це копія робочої конфігурації</source>
        <translation>this is a backup of the working configuration</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>на адресі %1 з копії ще відповідає плата</source>
        <translation>a board still answers at the backup&apos;s address %1</translation>
    </message>
    <message>
        <location line="+50"/>
        <location filename="../src/gui/fleet_window/history_dialog.cpp" line="+30"/>
        <source>нічого не зміниться</source>
        <translation>nothing will change</translation>
    </message>
    <message>
        <location line="+84"/>
        <source>(без результату)</source>
        <translation>(no result)</translation>
    </message>
    <message>
        <location filename="../src/gui/fleet_window/history_dialog.cpp" line="-4"/>
        <source>(попередня пам&apos;ять невідома)</source>
        <translation>(earlier memory unknown)</translation>
    </message>
    <message>
        <location filename="../src/fleet/fleet_wording.cpp" line="-17"/>
        <source>Конфігуратор</source>
        <translation>Configurator</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Мережа плат: застосування копій</source>
        <translation>Board network: applying backups</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Мережа плат: зміна полів</source>
        <translation>Board network: changing fields</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Мережа плат: заміна плати</source>
        <translation>Board network: replacing a board</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Мережа плат: повернення</source>
        <translation>Board network: reverting</translation>
    </message>
    <message>
        <location filename="../src/gui/fleet_window/history_dialog.cpp" line="+14"/>
        <source>перша копія</source>
        <translation>first backup</translation>
    </message>
    <message>
        <location filename="../src/fleet/fleet_wording.cpp" line="+24"/>
        <location line="+273"/>
        <source>записано, але плата має інше</source>
        <translation>written, but the board holds something else</translation>
    </message>
    <message>
        <location line="-354"/>
        <location line="+79"/>
        <source>записано, скасовано до перевірки</source>
        <translation>written, cancelled before verifying</translation>
    </message>
    <message>
        <source>нова</source>
        <translation type="vanished">new</translation>
    </message>
    <message>
        <source>зникла</source>
        <translation type="vanished">missing</translation>
    </message>
    <message>
        <source>змінена</source>
        <translation type="vanished">changed</translation>
    </message>
    <message>
        <location line="+295"/>
        <source>Зупинено: невдало на %1 з %2; решту не пробувано (%3). «Повторити невдалі» спробує знову.</source>
        <translation>Stopped: failed on %1 of %2; the rest not tried (%3). “Retry failed” tries them again.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Зупинено: журнал записів не записується; решту не пробувано (%1).</source>
        <translation>Stopped: the journal of writes cannot be written; the rest not tried (%1).</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Скасовано; не зроблено: %1.</source>
        <translation>Cancelled; not done: %1.</translation>
    </message>
    <message>
        <source>%1: не адреса плати (0.0.0.0, 255.255.255.255, .0, .255 і групові адреси не підходять)</source>
        <translation type="vanished">%1: not a board address (0.0.0.0, 255.255.255.255, .0, .255 and multicast addresses will not do)</translation>
    </message>
    <message>
        <source>%1: діапазон має бути в одній мережі /24, до .254</source>
        <translation type="vanished">%1: a range must lie in one /24 network, up to .254</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>%1: не адреса і не діапазон адрес</source>
        <translation>%1: neither an address nor a range of addresses</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Забагато адрес: не більше %1 за один пошук.</source>
        <translation>Too many addresses: at most %1 in one search.</translation>
    </message>
    <message>
        <location line="-314"/>
        <source>Файлу %1 немає.</source>
        <translation>File %1 does not exist.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 — не звичайний файл (тека, канал чи пристрій).</source>
        <translation>%1 is not a regular file (a folder, pipe or device).</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Файл %1 завеликий: %2, а можна не більше %3.</source>
        <translation>File %1 is too large: %2, at most %3 allowed.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Файл %1 не вдалося прочитати (%2).</source>
        <translation>File %1 could not be read (%2).</translation>
    </message>
    <message>
        <location line="-71"/>
        <source>файл %1 не вдалося записати (%2)</source>
        <translation>file %1 could not be written (%2)</translation>
    </message>
    <message numerus="yes">
        <location line="-204"/>
        <source>%1 байтів</source>
        <translation>
            <numerusform>%1 byte</numerusform>
            <numerusform>%1 bytes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+27"/>
        <source>неповна відповідь (%n байтів)</source>
        <translation>
            <numerusform>short reply (%n byte)</numerusform>
            <numerusform>short reply (%n bytes)</numerusform>
        </translation>
    </message>
    <message>
        <location line="+260"/>
        <source>Копія %1, рядок %2: не «ключ=значення»: %3.</source>
        <translation>Backup %1, line %2: not “key=value”: %3.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Копія %1, рядок %2: %3 вдруге (уперше в рядку %4).</source>
        <translation>Backup %1, line %2: %3 a second time (first on line %4).</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>У копії %1 немає рядка «%2=».</source>
        <translation>Backup %1 has no “%2=” line.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Копія %1, рядок %2: %3 %4 — неправильне значення.</source>
        <translation>Backup %1, line %2: %3 %4 is not a valid value.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Копія %1, рядок %2: невідомий ключ %3.</source>
        <translation>Backup %1, line %2: unknown key %3.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Копія %1: DHCP зі статичним пультом, а конфігуратор такого не записує.</source>
        <translation>Backup %1: DHCP with a static console, which the configurator does not write.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Копія %1 названа за платою %2, а містить адресу %3.</source>
        <translation>Backup %1 is named for board %2 but holds address %3.</translation>
    </message>
    <message>
        <location line="+75"/>
        <source>%1 %2 стане %3</source>
        <translation>%1 %2 becomes %3</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 після перезавантаження: кадр зі статичним пультом його не несе</source>
        <translation>%1 after the reboot: with a static console the frame does not carry it</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 після перезавантаження: кадр зі статичним пультом їх не несе</source>
        <translation>%1 after the reboot: with a static console the frame does not carry them</translation>
    </message>
    <message>
        <location line="+156"/>
        <source>%1, %2, %3</source>
        <comment>new, missing, changed boards</comment>
        <translation>%1, %2, %3</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n нових</source>
        <translation>
            <numerusform>%n new</numerusform>
            <numerusform>%n new</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n зниклих</source>
        <translation>
            <numerusform>%n missing</numerusform>
            <numerusform>%n missing</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n змінених</source>
        <translation>
            <numerusform>%n changed</numerusform>
            <numerusform>%n changed</numerusform>
        </translation>
    </message>
    <message>
        <location line="+11"/>
        <source>%1: не адреса плати, а адреса самої мережі %2 чи її широкомовна</source>
        <translation>%1: not a board address but the network address of %2 or its broadcast</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1: не адреса плати (0.0.0.0, 255.255.255.255 і групові адреси не підходять)</source>
        <translation>%1: not a board address (0.0.0.0, 255.255.255.255 and multicast addresses will not do)</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1, рядок %2, об&apos;єкт «%3»: %4</source>
        <translation>%1, line %2, site “%3”: %4</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Журнал %1 не прочитано (%2).</source>
        <translation>The journal %1 was not read (%2).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>У журналі %1 немає роботи %2.</source>
        <translation>The journal %1 has no job %2.</translation>
    </message>
    <message>
        <location filename="../src/fleet/fleet_files.cpp" line="+138"/>
        <source>У %1 немає заголовка таблиці плат (address, ip, …).</source>
        <translation>%1 has no board table header (address, ip, …).</translation>
    </message>
    <message>
        <location filename="../src/fleet/fleet_wording.cpp" line="-551"/>
        <source>IP 0.0.0.0 — не адреса вузла</source>
        <translation>IP 0.0.0.0 — not a host address</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>IP 255.255.255.255 — широкомовна адреса</source>
        <translation>IP 255.255.255.255 — broadcast address</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>IP %1 — групова або зарезервована адреса</source>
        <translation>IP %1 — multicast or reserved address</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>IP %1 — локальна адреса комп&apos;ютера: плата нікому не відповість</source>
        <translation>IP %1 — this computer&apos;s loopback address: the board would answer no one</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>IP %1 — адреса мережі для маски %2</source>
        <translation>IP %1 — network address for mask %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>IP %1 — широкомовна адреса мережі для маски %2</source>
        <translation>IP %1 — broadcast address of the network for mask %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>маска %1 має розрив в одиничних бітах</source>
        <translation>mask %1 has a gap in its one bits</translation>
    </message>
    <message>
        <location line="-39"/>
        <location line="+172"/>
        <source>у відповіді немає версії, тож немає прапорця DHCP</source>
        <translation>the reply has no version, so no DHCP flag</translation>
    </message>
    <message>
        <location line="+136"/>
        <source>записано й перевірено: %1</source>
        <translation>written and verified: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>записано, діятиме після перезавантаження: %1</source>
        <translation>written, taking effect at the next reboot: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>записано без перевірки: %1</source>
        <translation>written without a check: %1</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>перезавантажено: %1</source>
        <translation>rebooted: %1</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>копій збережено: %1</source>
        <translation>backups saved: %1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>невдало: %1</source>
        <translation>failed: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>відмовлено: %1</source>
        <translation>refused: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>скасовано: %1</source>
        <translation>cancelled: %1</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Підсумок: %1.</source>
        <translation>Summary: %1.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Зупинено одразу: записано, але не прочитано назад: %1.</source>
        <translation>Stopped at once: written but not read back: %1.</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>Зупинено одразу: перезавантаження надіслано, але не дочекалися: %1.</source>
        <translation>Stopped at once: the reboot was sent but not waited for: %1.</translation>
    </message>
    <message>
        <source>%1 не буде записано: зі статичним пультом кадр його не несе</source>
        <translation type="vanished">%1 will not be written: with a static console the frame does not carry it</translation>
    </message>
    <message>
        <source>%1 не буде записано: зі статичним пультом кадр їх не несе</source>
        <translation type="vanished">%1 will not be written: with a static console the frame does not carry them</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>плата може стати недосяжною: %1</source>
        <translation>the board may become unreachable: %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>буде записано копію робочої конфігурації, а не постійної пам&apos;яті</source>
        <translation>a backup of the working configuration will be written, not one of the permanent memory</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>буде скасовано й те, що змінили на платі після цього запису: %1</source>
        <translation>what was changed on the board after that write is undone too: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>на адресі %1 ще відповідає стара плата: дві плати матимуть одну адресу</source>
        <translation>the old board still answers at %1: two boards will have one address</translation>
    </message>
    <message>
        <location line="-320"/>
        <source>плату записала пізніша робота %1</source>
        <translation>a later job, %1, wrote the board</translation>
    </message>
    <message>
        <location line="+325"/>
        <source>буде скасовано й те, що записала пізніша робота %1</source>
        <translation>what the later job %1 wrote is undone too</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>зміна полів: %1</source>
        <translation>fields changed: %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>запис копій</source>
        <translation>backups written</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>заміна плати</source>
        <translation>board replaced</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>повернення роботи %1</source>
        <translation>undo of job %1</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>повернення запису</source>
        <translation>undo of a write</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>перезавантаження</source>
        <translation>reboot</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>запис конфігуратора</source>
        <translation>configurator write</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>не завершена: не дійшла до плат: %1</source>
        <translation>not ended: boards not reached: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>зупинена після невдач</source>
        <translation>stopped after failures</translation>
    </message>
    <message>
        <location line="-128"/>
        <source>Цієї роботи немає в журналі: він не записується.</source>
        <translation>This job is not in the journal: it cannot be written.</translation>
    </message>
    <message>
        <location line="+135"/>
        <source>надіслано, результату немає (програму зупинено)</source>
        <translation>sent, no result (the program was stopped)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>робота до неї не дійшла</source>
        <translation>the job did not reach it</translation>
    </message>
    <message>
        <location line="-61"/>
        <source>зі статичним пультом кадр не несе деяких полів</source>
        <translation>with a static console the frame does not carry some fields</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>плата стала б недосяжною</source>
        <translation>the board would be out of reach</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>на адресі з копії ще відповідала плата</source>
        <translation>a board still answered at the backup&apos;s address</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>плату записала пізніша робота</source>
        <translation>a later job wrote the board</translation>
    </message>
    <message>
        <location line="-229"/>
        <source>Мережа плат: повернення роботи</source>
        <translation>Board network: undoing a job</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Мережа плат: повтор роботи</source>
        <translation>Board network: retrying a job</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Мережа плат: перезавантаження</source>
        <translation>Board network: reboot</translation>
    </message>
    <message>
        <location line="+127"/>
        <source>без змін: %1</source>
        <translation>unchanged: %1</translation>
    </message>
</context>
<context>
    <name>talvik::FieldChangeDialog</name>
    <message>
        <location filename="../src/gui/fleet_window/field_change_dialog.cpp" line="+34"/>
        <source>Змінити поля вибраних плат</source>
        <translation>Change fields of the selected boards</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Позначте поля, які змінити. Кожну плату буде записано на основі її власної постійної пам&apos;яті.</source>
        <translation>Tick the fields to change. Each board is written from its own permanent memory.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>статична</source>
        <translation>static</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>динамічна</source>
        <translation>dynamic</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>ні</source>
        <translation>no</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>так</source>
        <translation>yes</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>&amp;Переглянути</source>
        <translation>&amp;Preview</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Записати</source>
        <translation>&amp;Write</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>За&amp;крити</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Значення змінено: «Переглянути» ще раз, перш ніж записати.</source>
        <translation>A value has changed: “Preview” again before writing.</translation>
    </message>
    <message>
        <source>Переглянути</source>
        <translation type="vanished">Preview</translation>
    </message>
    <message>
        <source>Записати</source>
        <translation type="vanished">Write</translation>
    </message>
    <message>
        <source>Закрити</source>
        <translation type="vanished">Close</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>%1: «%2» — не адреса</source>
        <translation>%1: “%2” is not an address</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Позначте хоча б одне поле.</source>
        <translation>Tick at least one field.</translation>
    </message>
</context>
<context>
    <name>talvik::FleetWindow</name>
    <message numerus="yes">
        <location filename="../src/gui/fleet_window/fleet_actions.cpp" line="+78"/>
        <source>Шукати плати в %n адресах: %1?</source>
        <translation>
            <numerusform>Search %n address for boards: %1?</numerusform>
            <numerusform>Search %n addresses for boards: %1?</numerusform>
        </translation>
    </message>
    <message>
        <location line="+11"/>
        <location filename="../src/gui/fleet_window/fleet_site_actions.cpp" line="+26"/>
        <source>Не задано жодної плати.</source>
        <translation>No board given.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Порт 6767 зайнятий іншою програмою: відповіді плат сюди не дійдуть. Закрийте ту програму.</source>
        <translation>Port 6767 is taken by another program: board replies will not reach this one. Close that program.</translation>
    </message>
    <message>
        <location line="+6"/>
        <location filename="../src/gui/fleet_window/fleet_window.cpp" line="+179"/>
        <source>Список адрес з файлу</source>
        <translation>Address list from a file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Список адрес (*.txt *.hosts);;Усі файли (*)</source>
        <translation>Address list (*.txt *.hosts);;All files (*)</translation>
    </message>
    <message numerus="yes">
        <location line="+33"/>
        <location line="+7"/>
        <source>Перезавантажити %n плат?</source>
        <translation>
            <numerusform>Reboot %n board?</numerusform>
            <numerusform>Reboot %n boards?</numerusform>
        </translation>
    </message>
    <message>
        <location line="-6"/>
        <source>Перезавантажити</source>
        <translation>Reboot</translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>%n плат не відповідали: пропустити їх?
%1</source>
        <translation>
            <numerusform>%n board did not answer: skip it?
%1</numerusform>
            <numerusform>%n boards did not answer: skip them?
%1</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Пропустити їх</source>
        <translation>Skip them</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Перезавантажити всі</source>
        <translation>Reboot all</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Тека для копій плат</source>
        <translation>Folder for board backups</translation>
    </message>
    <message>
        <location line="+12"/>
        <location line="+8"/>
        <location filename="../src/gui/fleet_window/fleet_write_actions.cpp" line="+330"/>
        <source>Копії плат для запису</source>
        <translation>Board backups to write</translation>
    </message>
    <message>
        <location line="+0"/>
        <location filename="../src/gui/fleet_window/fleet_write_actions.cpp" line="+0"/>
        <source>Копії плат (*.conf)</source>
        <translation>Board backups (*.conf)</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1 і %2 — копії однієї плати %3: залиште одну.</source>
        <translation>%1 and %2 are backups of the same board %3: keep one.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Записати копії</source>
        <translation>Write backups</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Записати копії в %n плат?</source>
        <translation>
            <numerusform>Write backups to %n board?</numerusform>
            <numerusform>Write backups to %n boards?</numerusform>
        </translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Експорт таблиці</source>
        <translation>Export the table</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Таблиця CSV (*.csv);;JSON Lines (*.jsonl)</source>
        <translation>CSV table (*.csv);;JSON Lines (*.jsonl)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Не вдалося записати %1: %2</source>
        <translation>Could not write %1: %2</translation>
    </message>
    <message>
        <location filename="../src/gui/fleet_window/fleet_site_actions.cpp" line="+38"/>
        <source>Назва об&apos;єкта</source>
        <translation>Site name</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Назва об&apos;єкта для цих адрес:</source>
        <translation>Site name for these addresses:</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Перейменувати об&apos;єкт</source>
        <translation>Rename site</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Нова назва об&apos;єкта «%1»:</source>
        <translation>New name of site “%1”:</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+15"/>
        <source>Об&apos;єкта «%1» у файлі вже немає.</source>
        <translation>The file no longer has site “%1”.</translation>
    </message>
    <message>
        <location line="-13"/>
        <source>Об&apos;єкт «%1» уже є.</source>
        <translation>Site “%1” already exists.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Адреси об&apos;єкта</source>
        <translation>Site addresses</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Адреси й діапазони об&apos;єкта «%1», по одному в рядку:</source>
        <translation>Addresses and ranges of site “%1”, one per line:</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Видалити об&apos;єкт «%1» з файлу об&apos;єктів? Плати не зміняться.</source>
        <translation>Remove site “%1” from the sites file? The boards stay as they are.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Видалити</source>
        <translation>Remove</translation>
    </message>
    <message>
        <location line="-85"/>
        <location filename="../src/gui/fleet_window/fleet_window.cpp" line="+309"/>
        <source>Файл об&apos;єктів не прочитано: %1</source>
        <translation>Sites file not read: %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Файл об&apos;єктів %1 не збережено (%2); він лишився як був.</source>
        <translation>Sites file %1 not saved (%2); it was left as it was.</translation>
    </message>
    <message>
        <location filename="../src/gui/fleet_window/fleet_actions.cpp" line="+10"/>
        <source>Виберіть одну плату, що відповіла: вона буде еталоном.</source>
        <translation>Select one board that answered: it becomes the reference.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Усі плати об&apos;єкта збігаються з еталоном %1</source>
        <translation>Every board of the site matches reference %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Від еталона %1 відрізняються: %2</source>
        <translation>Differing from reference %1: %2</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Порівняти з</source>
        <translation>Compare with</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Експорт або копія плати (*.csv *.jsonl *.json *.conf)</source>
        <translation>Export or board backup (*.csv *.jsonl *.json *.conf)</translation>
    </message>
    <message>
        <location filename="../src/gui/fleet_window/fleet_window.cpp" line="-417"/>
        <source>Мережа плат</source>
        <translation>Board network</translation>
    </message>
    <message>
        <source>Фільтр</source>
        <translation type="vanished">Filter</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Фільтр за всіма стовпцями (Ctrl+F)</source>
        <translation>Filter on every column (Ctrl+F)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Очистити фільтр</source>
        <translation>Clear filter</translation>
    </message>
    <message>
        <location line="-50"/>
        <source>Плати мережі</source>
        <translation>Boards of the network</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>&amp;Оператор…</source>
        <translation>&amp;Operator…</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>&amp;Фільтр</source>
        <translation>&amp;Filter</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Показ&amp;ати</source>
        <translation>Sho&amp;w</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Усі плати</source>
        <translation>All boards</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Не відповідають</source>
        <translation>Not answering</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Відрізняються від еталона</source>
        <translation>Differing from the reference</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Чекають перезавантаження (пост. ≠ роб.)</source>
        <translation>Waiting for a reboot (perm. ≠ work.)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Нові, зниклі й змінені після порівняння</source>
        <translation>New, missing and changed since the comparison</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Пошук плат</source>
        <translation>Find boards</translation>
    </message>
    <message>
        <source>Діапазон</source>
        <translation type="vanished">Range</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Перша адреса</source>
        <translation>First address</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Остання адреса</source>
        <translation>Last address</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>–</source>
        <translation>–</translation>
    </message>
    <message>
        <source>Список</source>
        <translation type="vanished">List</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Адреси й діапазони, по одному в рядку (# - коментар)</source>
        <translation>Addresses and ranges, one per line (# comment)</translation>
    </message>
    <message>
        <source>Файл…</source>
        <translation type="vanished">File…</translation>
    </message>
    <message>
        <source>Мої мережі</source>
        <translation type="vanished">My networks</translation>
    </message>
    <message>
        <source>Об&apos;єкт</source>
        <translation type="vanished">Site</translation>
    </message>
    <message>
        <source>Зберегти як об&apos;єкт…</source>
        <translation type="vanished">Save as site…</translation>
    </message>
    <message>
        <source>Також постійна памьять (показує записане, але ще не завантажене)</source>
        <translation type="vanished">Permanent memory too (shows what is written but not yet loaded)</translation>
    </message>
    <message>
        <source>Шукати</source>
        <translation type="vanished">Search</translation>
    </message>
    <message>
        <source>Скасувати</source>
        <translation type="vanished">Cancel</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Хід роботи</source>
        <translation>Progress</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%v з %m</source>
        <translation>%v of %m</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Стан пошуку</source>
        <translation>Search status</translation>
    </message>
    <message>
        <source>Відкрити в конфігураторі</source>
        <translation type="vanished">Open in the configurator</translation>
    </message>
    <message>
        <source>Перезавантажити…</source>
        <translation type="vanished">Reboot…</translation>
    </message>
    <message>
        <source>Зберегти копії…</source>
        <translation type="vanished">Save backups…</translation>
    </message>
    <message>
        <source>Застосувати копії…</source>
        <translation type="vanished">Apply backups…</translation>
    </message>
    <message>
        <source>Експорт…</source>
        <translation type="vanished">Export…</translation>
    </message>
    <message>
        <source>Порівняти…</source>
        <translation type="vanished">Compare…</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>З попереднім експортом (CSV, JSON Lines) або текою копій (*.conf)</source>
        <translation>With an earlier export (CSV, JSON Lines) or a folder of backups (*.conf)</translation>
    </message>
    <message>
        <source>Змінити поля…</source>
        <translation type="vanished">Change fields…</translation>
    </message>
    <message>
        <location filename="../src/gui/fleet_window/fleet_write_actions.cpp" line="-226"/>
        <source>Історія…</source>
        <translation>History…</translation>
    </message>
    <message>
        <source>Замінити плату…</source>
        <translation type="vanished">Replace board…</translation>
    </message>
    <message>
        <location line="-6"/>
        <source>Повторити невдалі</source>
        <translation>Retry failed</translation>
    </message>
    <message>
        <location filename="../src/gui/fleet_window/fleet_window.cpp" line="+6"/>
        <source>Ще раз ту саму дію на платах, де вона не вдалася, не пробувалася або скасована</source>
        <translation>The same action again on the boards where it failed, was not tried or was cancelled</translation>
    </message>
    <message>
        <source>Порівняти з еталоном…</source>
        <translation type="vanished">Compare with reference…</translation>
    </message>
    <message>
        <location line="-104"/>
        <source>&amp;Діапазон</source>
        <translation>Ra&amp;nge</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>&amp;Список</source>
        <translation>&amp;List</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Фа&amp;йл…</source>
        <translation>Fil&amp;e…</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Мої &amp;мережі</source>
        <translation>M&amp;y networks</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Адаптер</source>
        <translation>Adapter</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Мережі якого адаптера цього комп&apos;ютера шукати</source>
        <translation>Which adapter&apos;s networks of this PC to search</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Об&apos;єкт</source>
        <translation>S&amp;ite</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Зберегти як о&amp;б&apos;єкт…</source>
        <translation>Sa&amp;ve as site…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Змінити об&apos;&amp;єкт…</source>
        <translation>E&amp;dit site…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Перейменувати…</source>
        <translation>&amp;Rename…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Змінити &amp;адреси…</source>
        <translation>Change &amp;addresses…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ви&amp;далити…</source>
        <translation>&amp;Delete…</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>&amp;Також постійна пам&apos;ять (показує записане, але ще не завантажене)</source>
        <translation>Permanent memory too (shows what is written b&amp;ut not yet loaded)</translation>
    </message>
    <message>
        <location filename="../src/gui/fleet_window/fleet_actions.cpp" line="-183"/>
        <location filename="../src/gui/fleet_window/fleet_window.cpp" line="+4"/>
        <source>&amp;Шукати</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <location filename="../src/gui/fleet_window/fleet_window.cpp" line="+2"/>
        <source>Скас&amp;увати</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>&amp;Відкрити в конфігураторі</source>
        <translation>&amp;Open in the configurator</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Перезавантажити…</source>
        <translation>&amp;Reboot…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Збере&amp;гти копії…</source>
        <translation>Save bac&amp;kups…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Застосуват&amp;и копії…</source>
        <translation>&amp;Apply backups…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Е&amp;кспорт…</source>
        <translation>E&amp;xport…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Порівн&amp;яти…</source>
        <translation>Co&amp;mpare…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Змінити поля…</source>
        <translation>Chan&amp;ge fields…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Історія…</source>
        <translation>&amp;History…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Замі&amp;нити плату…</source>
        <translation>Replace &amp;board…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Повто&amp;рити невдалі</source>
        <translation>Re&amp;try failed</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Порівняти з &amp;еталоном…</source>
        <translation>Com&amp;pare with reference…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Позначити на платах того самого об&apos;єкта поля, що відрізняються від вибраної плати</source>
        <translation>Mark the fields that differ from the selected board on the boards of its site</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Усі копії з теки…</source>
        <translation>&amp;All backups in a folder…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Вибрані файли…</source>
        <translation>&amp;Selected files…</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Усі рядки…</source>
        <translation>&amp;All rows…</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Лише рядки, що видно (за фільтром)…</source>
        <translation>&amp;Only the rows shown (by the filter)…</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Зупиняю: нічого нового не надсилаю; плати, яким уже надіслано запис, перевіряються. Ще раз «Скасувати» — зупинити одразу, без перевірки.</source>
        <translation>Stopping: nothing new is sent; the boards already sent a write are checked. “Cancel” once more stops at once, without the check.</translation>
    </message>
    <message>
        <location line="+104"/>
        <source>усі</source>
        <translation>all</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>у цього комп&apos;ютера немає мережі плат, крім локальної (від /16 до /30)</source>
        <translation>this PC has no network of boards besides loopback (from /16 to /30)</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n адрес: %1</source>
        <translation>
            <numerusform>%n address: %1</numerusform>
            <numerusform>%n addresses: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Усі копії з теки…</source>
        <translation type="vanished">All backups in a folder…</translation>
    </message>
    <message>
        <source>Вибрані файли…</source>
        <translation type="vanished">Selected files…</translation>
    </message>
    <message>
        <source>Усі рядки…</source>
        <translation type="vanished">All rows…</translation>
    </message>
    <message>
        <source>Лише рядки, що видно (за фільтром)…</source>
        <translation type="vanished">Only the rows shown (by the filter)…</translation>
    </message>
    <message>
        <source>Зупиняю: плати, яким уже надіслано, дописуються й перевіряються. Ще раз «Скасувати» — зупинити одразу, без перевірки.</source>
        <translation type="vanished">Stopping: the boards already sent to are finished and checked. “Cancel” once more stops at once, without the check.</translation>
    </message>
    <message numerus="yes">
        <location line="-63"/>
        <source>%n датаграм втрачено через перевантаження цього комп&apos;ютера (плати запитано знову)</source>
        <translation>
            <numerusform>%n datagram lost to this computer&apos;s overload (boards asked again)</numerusform>
            <numerusform>%n datagrams lost to this computer&apos;s overload (boards asked again)</numerusform>
        </translation>
    </message>
    <message>
        <source>у цього комп&apos;ютера немає мережі /24, крім локальної</source>
        <translation type="vanished">this computer has no /24 network besides loopback</translation>
    </message>
    <message numerus="yes">
        <source>%n адрес в мережі %1</source>
        <translation type="vanished">
            <numerusform>%n address on network %1</numerusform>
            <numerusform>%n addresses on network %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n адрес в мережах %1</source>
        <translation type="vanished">
            <numerusform>%n address on networks %1</numerusform>
            <numerusform>%n addresses on networks %1</numerusform>
        </translation>
    </message>
    <message>
        <location line="+112"/>
        <source>(об&apos;єктів ще немає)</source>
        <translation>(no sites yet)</translation>
    </message>
    <message numerus="yes">
        <location line="+16"/>
        <source>…і ще %n рядків, що не називають плат</source>
        <translation>
            <numerusform>…and %n more line that names no board</numerusform>
            <numerusform>…and %n more lines that name no board</numerusform>
        </translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Не вдалося записати файл налаштувань %1</source>
        <translation>Could not write the settings file %1</translation>
    </message>
    <message>
        <source>Записати все одно? Тоді:
%1</source>
        <translation type="vanished">Write anyway? Then:
%1</translation>
    </message>
    <message>
        <source>Все одно записати</source>
        <translation type="vanished">Write anyway</translation>
    </message>
    <message>
        <source>Записати без них</source>
        <translation type="vanished">Write without them</translation>
    </message>
    <message>
        <location filename="../src/gui/fleet_window/fleet_write_actions.cpp" line="-2"/>
        <source>Не чіпатиму: %1</source>
        <translation>Left alone: %1</translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+90"/>
        <source>Спершу виберіть плати в таблиці.</source>
        <translation>First select boards in the table.</translation>
    </message>
    <message>
        <location line="-58"/>
        <source>Читаю постійну пам&apos;ять плат…</source>
        <translation>Reading the boards&apos; permanent memory…</translation>
    </message>
    <message>
        <location line="+202"/>
        <source>Замінити плату</source>
        <translation>Replace board</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Записати плату %1 копією замінної?</source>
        <translation>Write the replaced board&apos;s backup to %1?</translation>
    </message>
    <message>
        <source>Роботу не прочитано з журналу: %1</source>
        <translation type="vanished">The job was not read from the journal: %1</translation>
    </message>
    <message>
        <location line="-108"/>
        <source>Повернути плату %1 до пам&apos;яті, яку вона мала до запису %2?
%3</source>
        <translation>Revert board %1 to the memory it had before the write of %2?
%3</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Повернути</source>
        <translation>Revert</translation>
    </message>
    <message>
        <source>Ця робота не записала успішно жодної плати: повертати нічого.</source>
        <translation type="vanished">This job wrote no board successfully: nothing to undo.</translation>
    </message>
    <message numerus="yes">
        <location line="+27"/>
        <source>Повернути роботу «%1» від %2 на %n платах?</source>
        <translation>
            <numerusform>Undo the job “%1” of %2 on %n board?</numerusform>
            <numerusform>Undo the job “%1” of %2 on %n boards?</numerusform>
        </translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Усі плати цієї роботи вже записано або відмовлено: повторювати нічого.</source>
        <translation>Every board of this job was written or refused already: nothing to retry.</translation>
    </message>
    <message>
        <location line="-227"/>
        <source>Ці плати записати лише на ваше слово. Якщо записати всі:
%1</source>
        <translation>These boards are written only on your word. If all are written:
%1</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+2"/>
        <source>&amp;Записати всі</source>
        <translation>&amp;Write all</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&amp;Пропустити ці плати (%1)</source>
        <translation>&amp;Skip these boards (%1)</translation>
    </message>
    <message>
        <location line="+220"/>
        <source>Ця робота не записала жодної плати: повертати нічого.</source>
        <translation>This job wrote no board: nothing to undo.</translation>
    </message>
    <message numerus="yes">
        <location line="+7"/>
        <source>Повторити роботу «%1» від %2 на %n платах?</source>
        <translation>
            <numerusform>Retry the job “%1” of %2 on %n board?</numerusform>
            <numerusform>Retry the job “%1” of %2 on %n boards?</numerusform>
        </translation>
    </message>
    <message>
        <location line="+20"/>
        <source>На цьому комп&apos;ютері немає програми git: історію копій не прочитано.</source>
        <translation>This computer has no git program: the history of the backups was not read.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Історію копій у git не прочитано: %1</source>
        <translation>The history of the backups in git was not read: %1</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Виберіть одну плату.</source>
        <translation>Select one board.</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/gui/fleet_window/fleet_window_keys.cpp" line="+172"/>
        <source>Показано %1 з %n плат</source>
        <translation>
            <numerusform>Showing %1 of %n board</numerusform>
            <numerusform>Showing %1 of %n boards</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/gui/fleet_window/fleet_window_settings.cpp" line="+56"/>
        <source>Оператор</source>
        <translation>Operator</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ваше ім&apos;я для журналу робіт (поруч із користувачем системи й комп&apos;ютером):</source>
        <translation>Your name for the journal of jobs (beside the system&apos;s user and the PC):</translation>
    </message>
</context>
<context>
    <name>talvik::HistoryDialog</name>
    <message>
        <location filename="../src/gui/fleet_window/history_dialog.cpp" line="+58"/>
        <source>Історія записів: %1</source>
        <translation>Write history: %1</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Історія записів: %n плат</source>
        <translation>
            <numerusform>Write history: %n board</numerusform>
            <numerusform>Write history: %n boards</numerusform>
        </translation>
    </message>
    <message>
        <source>Записи</source>
        <translation type="vanished">Writes</translation>
    </message>
    <message>
        <location line="+77"/>
        <source>Роботи</source>
        <translation>Jobs</translation>
    </message>
    <message>
        <source>Закрити</source>
        <translation type="vanished">Close</translation>
    </message>
    <message>
        <location line="-40"/>
        <source>Час;Плата;Хто;Результат;Зміни</source>
        <translation>Time;Board;By;Result;Changes</translation>
    </message>
    <message>
        <source>Скасувати</source>
        <translation type="vanished">Cancel</translation>
    </message>
    <message>
        <source>Повернути</source>
        <translation type="vanished">Revert</translation>
    </message>
    <message>
        <location line="-24"/>
        <source>&amp;Записи</source>
        <translation>&amp;Writes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Р&amp;оботи</source>
        <translation>&amp;Jobs</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>За&amp;крити</source>
        <translation>C&amp;lose</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>&amp;Скасувати</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Повернути</source>
        <translation>&amp;Revert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Записати постійну пам&apos;ять, яку плата мала до вибраного запису</source>
        <translation>Write the permanent memory the board had before the selected write</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Час;Чим;Хто;Що;Плат;Що вийшло</source>
        <translation>Time;By;Who;What;Boards;Outcome</translation>
    </message>
    <message>
        <source>Час;Хто;Що;Плат;Що вийшло</source>
        <translation type="vanished">Time;Who;What;Boards;Outcome</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Плати вибраної роботи</source>
        <translation>Boards of the selected job</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Плата;Що вийшло;Зміни</source>
        <translation>Board;Outcome;Changes</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Повернути &amp;роботу</source>
        <translation>&amp;Undo job</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Повторити &amp;невдалі</source>
        <translation>Retry &amp;failed</translation>
    </message>
    <message>
        <source>Повернути роботу</source>
        <translation type="vanished">Undo job</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Записати кожній платі роботи (і її повторів) пам&apos;ять, яку вона мала до неї</source>
        <translation>Write each board of the job (and of its retries) back to the memory it had before it</translation>
    </message>
    <message>
        <source>Повторити невдалі</source>
        <translation type="vanished">Retry failed</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ще раз цю роботу на її платах, де вона не вдалася або до яких не дійшла</source>
        <translation>This job again on its boards where it failed or that it never reached</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Читаю журнал…</source>
        <translation>Reading the journal…</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Не рядки журналу «%1», пропущено: %2</source>
        <translation>Not lines of the journal “%1”, skipped: %2</translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source> і ще %n</source>
        <translation>
            <numerusform> and %n more</numerusform>
            <numerusform> and %n more</numerusform>
        </translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Читаю історію копій у git…</source>
        <translation>Reading the history of the backups in git…</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Копії в git</source>
        <translation>Backups in git</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>коміт %1</source>
        <translation>commit %1</translation>
    </message>
</context>
<context>
    <name>talvik::ReplaceDialog</name>
    <message>
        <location filename="../src/gui/fleet_window/replace_dialog.cpp" line="+18"/>
        <source>Замінити плату %1</source>
        <translation>Replace board %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+38"/>
        <source>Копію старої плати буде записано в нову (вибрану) плату. Стара плата не повинна відповідати на своїй адресі.</source>
        <translation>The old board&apos;s backup will be written to the new (selected) board. The old board must no longer answer at its address.</translation>
    </message>
    <message>
        <location line="-32"/>
        <source>&amp;Файл копії…</source>
        <translation>&amp;Backup file…</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Взяти &amp;MAC старої плати</source>
        <translation>Take the old board&apos;s &amp;MAC</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Замінити</source>
        <translation>&amp;Replace</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>За&amp;крити</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Файл копії…</source>
        <translation type="vanished">Backup file…</translation>
    </message>
    <message>
        <location line="-13"/>
        <location line="+2"/>
        <source>(копію не вибрано)</source>
        <translation>(no backup chosen)</translation>
    </message>
    <message>
        <source>Взяти MAC старої плати</source>
        <translation type="vanished">Take the old board&apos;s MAC</translation>
    </message>
    <message>
        <source>Замінити</source>
        <translation type="vanished">Replace</translation>
    </message>
    <message>
        <source>Закрити</source>
        <translation type="vanished">Close</translation>
    </message>
</context>
<context>
    <name>talvik::TForm1_Config_UDP</name>
    <message>
        <location filename="../src/gui/app/accessible_names.cpp" line="+31"/>
        <location line="+1"/>
        <location line="+4"/>
        <location line="+2"/>
        <source> (прочитано)</source>
        <translation> (read back)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Стан перезавантаження</source>
        <translation>Reboot status</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Зовнішня IP-адреса</source>
        <translation>External IP address</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Адреса відправлення</source>
        <translation>Destination address</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Журнал ідентифікаторів</source>
        <translation>Identifier log</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Отримано датаграм</source>
        <translation>Datagrams received</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Адреса відправника</source>
        <translation>Sender address</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Порт відправника</source>
        <translation>Sender port</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Ідентифікатор останньої датаграми</source>
        <translation>Identifier of the last datagram</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Діагностика плати</source>
        <translation>Board diagnostics</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Версія програми плати</source>
        <translation>Board firmware version</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Дізнатися зовнішню IP-адресу</source>
        <translation>Look up the external IP address</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Дізнатися зовнішню IP-адресу цього комп&apos;ютера</source>
        <translation>Look up this computer&apos;s external IP address</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Перенести прочитану конфігурацію в поля запису</source>
        <translation>Copy the configuration read back into the fields to write</translation>
    </message>
    <message>
        <location filename="../src/gui/app/build_range_group.cpp" line="+17"/>
        <source>IP - першої плати</source>
        <translation>IP - First board</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>кількість плат</source>
        <translation>number of boards</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Reboot START</source>
        <translation>Reboot START</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reboot STOP</source>
        <translation>Reboot STOP</translation>
    </message>
    <message>
        <location filename="../src/gui/app/build_readback_group.cpp" line="+32"/>
        <source>постійна памьять</source>
        <translation>Permanent memory</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+3"/>
        <source>Прочитати</source>
        <translation>Read</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>робоча конфігурація</source>
        <translation>Working configuration</translation>
    </message>
    <message>
        <location line="+13"/>
        <location filename="../src/gui/app/build_write_group.cpp" line="+31"/>
        <source>№ луча
(мережевий)</source>
        <translation>Line no.
(network)</translation>
    </message>
    <message>
        <location line="+20"/>
        <location filename="../src/gui/app/build_write_group.cpp" line="+15"/>
        <source>IP - Ліфта</source>
        <translation>IP - Lift</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/gui/app/build_write_group.cpp" line="+1"/>
        <source>MASK</source>
        <translation>Subnet mask</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/gui/app/build_write_group.cpp" line="+1"/>
        <source>ROUTER</source>
        <translation>Gateway</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/gui/app/build_write_group.cpp" line="+1"/>
        <source>MAC</source>
        <translation>MAC</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-------------</source>
        <translation>-------------</translation>
    </message>
    <message>
        <location line="+5"/>
        <location filename="../src/gui/app/build_write_group.cpp" line="+9"/>
        <source>Тип IP адреси</source>
        <translation>IP address type</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Статична IP адреса Плати ( DHCP )</source>
        <translation>Static board IP address ( DHCP )</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/gui/app/build_write_group.cpp" line="+3"/>
        <location filename="../src/gui/replies/readback_display.cpp" line="+60"/>
        <location filename="../src/gui/ui/toggles.cpp" line="+16"/>
        <source>Статична IP адреса Пульта</source>
        <translation>Static console IP address</translation>
    </message>
    <message>
        <location line="+3"/>
        <location filename="../src/gui/app/build_write_group.cpp" line="+1"/>
        <source>IP - Комп&apos;ютера диспетч.</source>
        <translation>IP - Dispatcher PC</translation>
    </message>
    <message>
        <location line="+4"/>
        <location filename="../src/gui/app/build_write_group.cpp" line="+2"/>
        <source>Ідентифікатор плати
(номер луча
пристрою зв&apos;язку)</source>
        <translation>Board identifier
(line number of
the link device)</translation>
    </message>
    <message>
        <location line="+8"/>
        <location filename="../src/gui/app/build_write_group.cpp" line="+5"/>
        <source>IP - Резервний №1</source>
        <translation>IP - Reserve #1</translation>
    </message>
    <message>
        <location line="+4"/>
        <location filename="../src/gui/app/build_write_group.cpp" line="+2"/>
        <source>IP - Резервний №2</source>
        <translation>IP - Reserve #2</translation>
    </message>
    <message>
        <location filename="../src/gui/app/build_top_band.cpp" line="+22"/>
        <source>Конфігурування по Ідентифікатору</source>
        <translation>Configure by identifier</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ідентифікатор</source>
        <translation>Identifier</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Перезапуск масиву</source>
        <translation>Reboot a range</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>  IP - Плати що конфігуруеться  </source>
        <translation>  IP - Board being configured  </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>010.000.000.002</source>
        <translation>010.000.000.002</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>-----------------------------</source>
        <translation>-----------------------------</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Reboot</source>
        <translation>Reboot</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <location line="+9"/>
        <location filename="../src/gui/commands/commands.cpp" line="+122"/>
        <source>__</source>
        <translation>__</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>000.000.000.000</source>
        <translation>000.000.000.000</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Retry</source>
        <translation>&amp;Retry</translation>
    </message>
    <message>
        <location line="+6"/>
        <location filename="../src/gui/range/ident_mode.cpp" line="+59"/>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location filename="../src/gui/app/build_write_group.cpp" line="-48"/>
        <source>Записати</source>
        <translation>Write</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>IP --&gt; MAC</source>
        <translation>IP --&gt; MAC</translation>
    </message>
    <message>
        <location line="+6"/>
        <location filename="../src/gui/replies/readback_display.cpp" line="+9"/>
        <source>Статична IP адреса Плати </source>
        <translation>Static board IP address </translation>
    </message>
    <message>
        <location filename="../src/gui/app/TForm1_Config_UDP.cpp" line="+28"/>
        <source>Конфігуратор плат &quot;ТАЛВІКОР&quot; 2025-V_8.5</source>
        <translation>Board configurator &quot;TALVIKOR&quot; 2025-V_8.5</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>&lt;-</source>
        <translation>&lt;-</translation>
    </message>
    <message>
        <location line="+99"/>
        <source>Unknown error</source>
        <translation>Unknown error</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Port 6767 ERROR</source>
        <translation>Port 6767 ERROR</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Не вдалося записати файл налаштувань %1</source>
        <translation>Could not write the settings file %1</translation>
    </message>
    <message>
        <location filename="../src/gui/commands/sending.cpp" line="+15"/>
        <source>IP - Плати що конфігуруеться = 000.000.000.000</source>
        <translation>IP - Board being configured = 000.000.000.000</translation>
    </message>
    <message>
        <location filename="../src/gui/range/ident_mode.cpp" line="+0"/>
        <source>Pusk</source>
        <translation>Start</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Ind - %1 * IP - %2 * Port - %3 - Tim - %4</source>
        <translation>Ind - %1 * IP - %2 * Port - %3 - Tim - %4</translation>
    </message>
    <message>
        <location filename="../src/gui/range/range_reboot.cpp" line="+50"/>
        <source>IP - Плати що перезавантажуется = 000.000.000.000</source>
        <translation>IP - Board being rebooted = 000.000.000.000</translation>
    </message>
    <message>
        <location filename="../src/gui/replies/readback_display.cpp" line="-55"/>
        <source> - Версія программи</source>
        <translation> - Firmware version</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <location line="+20"/>
        <location filename="../src/gui/ui/toggles.cpp" line="-3"/>
        <source>Динамічна IP адреса Пульта</source>
        <translation>Dynamic console IP address</translation>
    </message>
    <message>
        <location line="+8"/>
        <location filename="../src/gui/ui/toggles.cpp" line="+16"/>
        <source>Динамічна IP адреса Плати ( DHCP )</source>
        <translation>Dynamic board IP address ( DHCP )</translation>
    </message>
    <message>
        <location filename="../src/gui/ui/toggles.cpp" line="+4"/>
        <source>Статична IP адреса Плати</source>
        <translation>Static board IP address</translation>
    </message>
</context>
<context>
    <name>talvik::WritePreview</name>
    <message>
        <location filename="../src/gui/fleet_window/write_preview.cpp" line="+28"/>
        <source>Переглянути</source>
        <translation>Preview</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Плата;Поле;Зараз;Нове;Чому не буде записано</source>
        <translation>Board;Field;Now;New;Why it will not be written</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>не записано: постійна пам&apos;ять не прочитана</source>
        <translation>not written: permanent memory not read</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>нічого не зміниться</source>
        <translation>nothing will change</translation>
    </message>
</context>
<context>
    <name>talvik::WritePreviewDialog</name>
    <message>
        <source>Записати</source>
        <translation type="vanished">Write</translation>
    </message>
    <message>
        <source>Закрити</source>
        <translation type="vanished">Close</translation>
    </message>
    <message>
        <location filename="../src/gui/fleet_window/write_preview_dialog.cpp" line="+23"/>
        <source>&amp;Записати</source>
        <translation>&amp;Write</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>За&amp;крити</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Читаю постійну пам&apos;ять плат…</source>
        <translation>Reading the boards&apos; permanent memory…</translation>
    </message>
</context>
<context>
    <name>talvik::fleet::FleetJobs</name>
    <message>
        <location filename="../src/fleet/fleet_jobs.cpp" line="+14"/>
        <source>перезавантажується</source>
        <translation>rebooting</translation>
    </message>
</context>
<context>
    <name>talvik::fleet::FleetModel</name>
    <message>
        <source>відрізняється від еталона</source>
        <translation type="vanished">differs from the reference</translation>
    </message>
    <message>
        <location filename="../src/fleet/fleet_model.cpp" line="+108"/>
        <source>еталон: %1</source>
        <translation>reference: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>змінена, було: %1</source>
        <translation>changed, was: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>нова</source>
        <translation>new</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+235"/>
        <source>зникла</source>
        <translation>missing</translation>
    </message>
    <message>
        <location line="-199"/>
        <source>Адреса</source>
        <translation>Address</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Ідентифікатор</source>
        <translation>Identifier</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Версія</source>
        <translation>Version</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Маска</source>
        <translation>Mask</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Шлюз</source>
        <translation>Gateway</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>MAC</source>
        <translation>MAC</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>DHCP</source>
        <translation>DHCP</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Пульт</source>
        <translation>Console</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Диспетчер</source>
        <translation>Dispatcher</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Луч</source>
        <translation>Line</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Резерв 1</source>
        <translation>Reserve 1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Резерв 2</source>
        <translation>Reserve 2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Пост. ≠ роб.</source>
        <translation>Perm. ≠ work.</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>Стан</source>
        <translation>State</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Востаннє</source>
        <translation>Last seen</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Об&apos;єкт</source>
        <translation>Site</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Адаптер</source>
        <translation>Adapter</translation>
    </message>
    <message>
        <location line="+99"/>
        <source>відповіла</source>
        <translation>answered</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>не відповідає</source>
        <translation>not answering</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>на зв&apos;язку</source>
        <translation>online</translation>
    </message>
</context>
</TS>
