<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>UIAboutDialog</name>
    <message>
        <source>About Tundrack</source>
        <translation>О программе Tundrack</translation>
    </message>
    <message>
        <source>(c) 2026 The Tundrack developers. Survey data processing for electromagnetic probes.</source>
        <translation>(c) 2026 Разработчики Tundrack. Обработка данных съёмки электромагнитными зондами.</translation>
    </message>
</context>
</TS>
