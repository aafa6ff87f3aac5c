<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk" sourcelanguage="uk">
<context>
    <name>FleetWindow</name>
    <message numerus="yes">
        <location filename="../src/fleet/fleet_wording.cpp" line="+18"/>
        <source>%1 байтів</source>
        <translation>
            <numerusform>%1 байт</numerusform>
            <numerusform>%1 байти</numerusform>
            <numerusform>%1 байтів</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+27"/>
        <source>неповна відповідь (%n байтів)</source>
        <translation>
            <numerusform>неповна відповідь (%n байт)</numerusform>
            <numerusform>неповна відповідь (%n байти)</numerusform>
            <numerusform>неповна відповідь (%n байтів)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+529"/>
        <source>%n нових</source>
        <translation>
            <numerusform>%n нова</numerusform>
            <numerusform>%n нових</numerusform>
            <numerusform>%n нових</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n зниклих</source>
        <translation>
            <numerusform>%n зникла</numerusform>
            <numerusform>%n зникли</numerusform>
            <numerusform>%n зникло</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n змінених</source>
        <translation>
            <numerusform>%n змінена</numerusform>
            <numerusform>%n змінені</numerusform>
            <numerusform>%n змінених</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>talvik::FleetWindow</name>
    <message numerus="yes">
        <location filename="../src/gui/fleet_window/fleet_actions.cpp" line="+78"/>
        <source>Шукати плати в %n адресах: %1?</source>
        <translation>
            <numerusform>Шукати плати в %n адресі: %1?</numerusform>
            <numerusform>Шукати плати в %n адресах: %1?</numerusform>
            <numerusform>Шукати плати в %n адресах: %1?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+69"/>
        <location line="+7"/>
        <source>Перезавантажити %n плат?</source>
        <translation>
            <numerusform>Перезавантажити %n плату?</numerusform>
            <numerusform>Перезавантажити %n плати?</numerusform>
            <numerusform>Перезавантажити %n плат?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="-1"/>
        <source>%n плат не відповідали: пропустити їх?
%1</source>
        <translation>
            <numerusform>%n плата не відповідала: пропустити її?
%1</numerusform>
            <numerusform>%n плати не відповідали: пропустити їх?
%1</numerusform>
            <numerusform>%n плат не відповідали: пропустити їх?
%1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+65"/>
        <source>Записати копії в %n плат?</source>
        <translation>
            <numerusform>Записати копії в %n плату?</numerusform>
            <numerusform>Записати копії в %n плати?</numerusform>
            <numerusform>Записати копії в %n плат?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/gui/fleet_window/fleet_window.cpp" line="+365"/>
        <source>%n датаграм втрачено через перевантаження цього комп&apos;ютера (плати запитано знову)</source>
        <translation>
            <numerusform>%n датаграму втрачено через перевантаження цього комп&apos;ютера (плати запитано знову)</numerusform>
            <numerusform>%n датаграми втрачено через перевантаження цього комп&apos;ютера (плати запитано знову)</numerusform>
            <numerusform>%n датаграм втрачено через перевантаження цього комп&apos;ютера (плати запитано знову)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+63"/>
        <source>%n адрес: %1</source>
        <translation>
            <numerusform>%n адреса: %1</numerusform>
            <numerusform>%n адреси: %1</numerusform>
            <numerusform>%n адрес: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n адрес в мережі %1</source>
        <translation type="vanished">
            <numerusform>%n адреса в мережі %1</numerusform>
            <numerusform>%n адреси в мережі %1</numerusform>
            <numerusform>%n адрес в мережі %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n адрес в мережах %1</source>
        <translation type="vanished">
            <numerusform>%n адреса в мережах %1</numerusform>
            <numerusform>%n адреси в мережах %1</numerusform>
            <numerusform>%n адрес в мережах %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+65"/>
        <source>…і ще %n рядків, що не називають плат</source>
        <translation>
            <numerusform>…і ще %n рядок, що не називає плат</numerusform>
            <numerusform>…і ще %n рядки, що не називають плат</numerusform>
            <numerusform>…і ще %n рядків, що не називають плат</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/gui/fleet_window/fleet_write_actions.cpp" line="+269"/>
        <source>Повернути роботу «%1» від %2 на %n платах?</source>
        <translation>
            <numerusform>Повернути роботу «%1» від %2 на %n платі?</numerusform>
            <numerusform>Повернути роботу «%1» від %2 на %n платах?</numerusform>
            <numerusform>Повернути роботу «%1» від %2 на %n платах?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>Повторити роботу «%1» від %2 на %n платах?</source>
        <translation>
            <numerusform>Повторити роботу «%1» від %2 на %n платі?</numerusform>
            <numerusform>Повторити роботу «%1» від %2 на %n платах?</numerusform>
            <numerusform>Повторити роботу «%1» від %2 на %n платах?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/gui/fleet_window/fleet_window_keys.cpp" line="+172"/>
        <source>Показано %1 з %n плат</source>
        <translation>
            <numerusform>Показано %1 з %n плати</numerusform>
            <numerusform>Показано %1 з %n плат</numerusform>
            <numerusform>Показано %1 з %n плат</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>talvik::HistoryDialog</name>
    <message numerus="yes">
        <location filename="../src/gui/fleet_window/history_dialog.cpp" line="+99"/>
        <source>Історія записів: %n плат</source>
        <translation>
            <numerusform>Історія записів: %n плата</numerusform>
            <numerusform>Історія записів: %n плати</numerusform>
            <numerusform>Історія записів: %n плат</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+155"/>
        <source> і ще %n</source>
        <translation>
            <numerusform> і ще %n</numerusform>
            <numerusform> і ще %n</numerusform>
            <numerusform> і ще %n</numerusform>
        </translation>
    </message>
</context>
</TS>
