<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>ConverterDialog</name>
    <message>
        <source>Converter</source>
        <translation>Конвертер</translation>
    </message>
    <message>
        <source>Serial:</source>
        <translation>Серийный номер:</translation>
    </message>
    <message>
        <source>Create LLA (latitude, longitude, altitude) file</source>
        <translation>Создать файл LLA (широта, долгота, высота)</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Конвертировать</translation>
    </message>
    <message>
        <source>No data to convert</source>
        <translation>Нет данных для конвертирования</translation>
    </message>
    <message>
        <source>Records of another length left out: %1</source>
        <translation>Пропущено записей другой длины: %1</translation>
    </message>
    <message>
        <source>VKT files</source>
        <translation>Файлы VKT</translation>
    </message>
    <message>
        <source>Can not open file</source>
        <translation>Не удалось открыть файл</translation>
    </message>
    <message>
        <source>Can not write data to file</source>
        <translation>Не удалось записать данные в файл</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>New project</source>
        <translation>Новый проект</translation>
    </message>
    <message>
        <source>Save project</source>
        <translation>Сохранить проект</translation>
    </message>
    <message>
        <source>Open project</source>
        <translation>Открыть проект</translation>
    </message>
    <message>
        <source>Load data</source>
        <translation>Загрузить данные</translation>
    </message>
    <message>
        <source>Export data</source>
        <translation>Экспорт данных</translation>
    </message>
    <message>
        <source>Add slice</source>
        <translation>Добавить срез</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Компоновка</translation>
    </message>
    <message>
        <source>Slices</source>
        <translation>Срезы</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Processing options</source>
        <translation>Параметры обработки</translation>
    </message>
    <message>
        <source>Converter</source>
        <translation>Конвертер</translation>
    </message>
    <message>
        <source>About Tundrack</source>
        <translation>О программе Tundrack</translation>
    </message>
    <message>
        <source>About Qt</source>
        <translation>О Qt</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Проект</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Режим</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Инструменты</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>Save current project?</source>
        <translation>Сохранить текущий проект?</translation>
    </message>
    <message>
        <source>Can not build models</source>
        <translation>Не удалось построить модели</translation>
    </message>
    <message>
        <source>Tundrack project files</source>
        <translation>Файлы проектов Tundrack</translation>
    </message>
    <message>
        <source>Can not save project</source>
        <translation>Не удалось сохранить проект</translation>
    </message>
    <message>
        <source>Can not open project</source>
        <translation>Не удалось открыть проект</translation>
    </message>
    <message>
        <source>Kvarn session files</source>
        <translation>Файлы сеансов Kvarn</translation>
    </message>
    <message>
        <source>Can not load file %1</source>
        <translation>Не удалось загрузить файл %1</translation>
    </message>
    <message>
        <source>Voxler data files</source>
        <translation>Файлы данных Voxler</translation>
    </message>
    <message>
        <source>CSV files</source>
        <translation>Файлы CSV</translation>
    </message>
    <message>
        <source>Can not open file</source>
        <translation>Не удалось открыть файл</translation>
    </message>
    <message>
        <source>Can not write data to file</source>
        <translation>Не удалось записать данные в файл</translation>
    </message>
</context>
<context>
    <name>PContextMenu</name>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Fix</source>
        <translation>Исправить</translation>
    </message>
</context>
<context>
    <name>ProcessOptionsDialog</name>
    <message>
        <source>Project data contain unknown probe (%1::%2)</source>
        <translation>Данные проекта содержат неизвестный зонд (%1::%2)</translation>
    </message>
</context>
<context>
    <name>RecordTranslator</name>
    <message>
        <source>Supply voltage: %1 V</source>
        <translation>Напряжение питания: %1 В</translation>
    </message>
</context>
<context>
    <name>SampleCollector</name>
    <message>
        <source>Project data contain unknown probe</source>
        <translation>Данные проекта содержат неизвестный зонд</translation>
    </message>
</context>
<context>
    <name>SliceObjectLineWidget</name>
    <message>
        <source>h = %1 m</source>
        <translation>h = %1 м</translation>
    </message>
    <message>
        <source>Remove %1?</source>
        <translation>Удалить %1?</translation>
    </message>
</context>
<context>
    <name>SlicePlot</name>
    <message>
        <source>Surfer Data Files</source>
        <translation>Файлы данных Surfer</translation>
    </message>
    <message>
        <source>Portable Network Graphics</source>
        <translation>Изображения PNG</translation>
    </message>
    <message>
        <source>Export image</source>
        <translation>Экспорт изображения</translation>
    </message>
    <message>
        <source>Can not export image</source>
        <translation>Не удалось экспортировать изображение</translation>
    </message>
</context>
<context>
    <name>SliceWidget</name>
    <message>
        <source>Slice is too large</source>
        <translation>Срез слишком велик</translation>
    </message>
</context>
<context>
    <name>TrackBlockEntryInfoDialog</name>
    <message>
        <source>Unknown</source>
        <translation>Неизвестен</translation>
    </message>
    <message>
        <source>Load specifications</source>
        <translation>Загрузить характеристики</translation>
    </message>
    <message>
        <source>Replace probe specifications of %1 with %2?</source>
        <translation>Заменить характеристики зонда трассы %1 данными из %2?</translation>
    </message>
    <message>
        <source>Track %1 has unknown probe (%2::%3)</source>
        <translation>%1: неизвестный зонд (%2::%3)</translation>
    </message>
    <message>
        <source>Illegal specifications for probe %1</source>
        <translation>Недопустимые характеристики для зонда %1</translation>
    </message>
    <message>
        <source>Save specifications</source>
        <translation>Сохранить характеристики</translation>
    </message>
    <message>
        <source>Save raw data</source>
        <translation>Сохранить сырые данные</translation>
    </message>
    <message>
        <source>Project data contain unknown probe</source>
        <translation>Данные проекта содержат неизвестный зонд</translation>
    </message>
    <message>
        <source>File is not empty. Append data?</source>
        <translation>Файл не пуст. Дописать данные в конец?</translation>
    </message>
    <message>
        <source>Can not open file</source>
        <translation>Не удалось открыть файл</translation>
    </message>
    <message>
        <source>Can not read file data</source>
        <translation>Не удалось прочитать данные файла</translation>
    </message>
    <message>
        <source>Can not write data to file</source>
        <translation>Не удалось записать данные в файл</translation>
    </message>
    <message>
        <source>File is too large for probe specifications</source>
        <translation>Файл слишком велик для характеристик зонда</translation>
    </message>
</context>
<context>
    <name>TrackBlockLineWidget</name>
    <message>
        <source>Remove %1?</source>
        <translation>Удалить %1?</translation>
    </message>
</context>
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
<context>
    <name>UIAddSliceDialog</name>
    <message>
        <source>Add slice</source>
        <translation>Добавить срез</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Название:</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Вертикальный</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Горизонтальный</translation>
    </message>
    <message>
        <source>X1 [m]:</source>
        <translation>X1 [м]:</translation>
    </message>
    <message>
        <source>Y1 [m]:</source>
        <translation>Y1 [м]:</translation>
    </message>
    <message>
        <source>X2 [m]:</source>
        <translation>X2 [м]:</translation>
    </message>
    <message>
        <source>Y2 [m]:</source>
        <translation>Y2 [м]:</translation>
    </message>
    <message>
        <source>Height [m]:</source>
        <translation>Высота [м]:</translation>
    </message>
    <message>
        <source>X3 [m]:</source>
        <translation>X3 [м]:</translation>
    </message>
    <message>
        <source>Y3 [m]:</source>
        <translation>Y3 [м]:</translation>
    </message>
    <message>
        <source>X4 [m]:</source>
        <translation>X4 [м]:</translation>
    </message>
    <message>
        <source>Y4 [m]:</source>
        <translation>Y4 [м]:</translation>
    </message>
</context>
<context>
    <name>UIDistributionDialog</name>
    <message>
        <source>Distribution</source>
        <translation>Распределение</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Intervals:</source>
        <translation>Интервалы:</translation>
    </message>
</context>
<context>
    <name>UIGraphicOptionsWidget_Kestrion</name>
    <message>
        <source>Frequency:</source>
        <translation>Частота:</translation>
    </message>
</context>
<context>
    <name>UIGraphicOptionsWidget_Legacy</name>
    <message>
        <source>Frequency:</source>
        <translation>Частота:</translation>
    </message>
</context>
<context>
    <name>UIMeasureOptionsWidget_Kestrion</name>
    <message>
        <source>Frequencies:</source>
        <translation>Частоты:</translation>
    </message>
</context>
<context>
    <name>UIMeasureOptionsWidget_Legacy</name>
    <message>
        <source>Frequencies:</source>
        <translation>Частоты:</translation>
    </message>
</context>
<context>
    <name>UIMove1Dialog</name>
    <message>
        <source>Move</source>
        <translation>Перемещение</translation>
    </message>
    <message>
        <source>X [m]:</source>
        <translation>X [м]:</translation>
    </message>
    <message>
        <source>Y [m]:</source>
        <translation>Y [м]:</translation>
    </message>
    <message>
        <source>Z [m]:</source>
        <translation>Z [м]:</translation>
    </message>
</context>
<context>
    <name>UIMove2Dialog</name>
    <message>
        <source>Move</source>
        <translation>Перемещение</translation>
    </message>
    <message>
        <source>X1 [m]:</source>
        <translation>X1 [м]:</translation>
    </message>
    <message>
        <source>Y1 [m]:</source>
        <translation>Y1 [м]:</translation>
    </message>
    <message>
        <source>X2 [m]:</source>
        <translation>X2 [м]:</translation>
    </message>
    <message>
        <source>Y2 [m]:</source>
        <translation>Y2 [м]:</translation>
    </message>
</context>
<context>
    <name>UIMove3Dialog</name>
    <message>
        <source>Move</source>
        <translation>Перемещение</translation>
    </message>
    <message>
        <source>Height [m]:</source>
        <translation>Высота [м]:</translation>
    </message>
    <message>
        <source>X1 [m]:</source>
        <translation>X1 [м]:</translation>
    </message>
    <message>
        <source>Y1 [m]:</source>
        <translation>Y1 [м]:</translation>
    </message>
    <message>
        <source>X2 [m]:</source>
        <translation>X2 [м]:</translation>
    </message>
    <message>
        <source>Y2 [m]:</source>
        <translation>Y2 [м]:</translation>
    </message>
    <message>
        <source>X3 [m]:</source>
        <translation>X3 [м]:</translation>
    </message>
    <message>
        <source>Y3 [m]:</source>
        <translation>Y3 [м]:</translation>
    </message>
    <message>
        <source>X4 [m]:</source>
        <translation>X4 [м]:</translation>
    </message>
    <message>
        <source>Y4 [m]:</source>
        <translation>Y4 [м]:</translation>
    </message>
</context>
<context>
    <name>UIPlanMapPlotToolWidget</name>
    <message>
        <source>Y [m]:</source>
        <translation>Y [м]:</translation>
    </message>
    <message>
        <source>X [m]:</source>
        <translation>X [м]:</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Вписать</translation>
    </message>
</context>
<context>
    <name>UIPreferencesDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Язык:</translation>
    </message>
    <message>
        <source>Image pixel size [m]:</source>
        <translation>Размер пикселя изображения [м]:</translation>
    </message>
    <message>
        <source>Bilinear interpolation</source>
        <translation>Билинейная интерполяция</translation>
    </message>
    <message>
        <source>Ignore height values</source>
        <translation>Игнорировать значения высоты</translation>
    </message>
    <message>
        <source>Create Surfer blank files</source>
        <translation>Создавать бланковочные файлы Surfer</translation>
    </message>
</context>
<context>
    <name>UIProcessOptionsDialog</name>
    <message>
        <source>Processing options</source>
        <translation>Параметры обработки</translation>
    </message>
</context>
<context>
    <name>UIProcessOptionsWidget_Kestrion</name>
    <message>
        <source>Emf [uV]</source>
        <translation>ЭДС [мкВ]</translation>
    </message>
    <message>
        <source>Phase [*]</source>
        <translation>Фаза [°]</translation>
    </message>
    <message>
        <source>App.res. [Ohm*m]</source>
        <translation>Каж. сопр. [Ом·м]</translation>
    </message>
    <message>
        <source>Modulus</source>
        <translation>Модуль</translation>
    </message>
    <message>
        <source>Real part</source>
        <translation>Действительная часть</translation>
    </message>
    <message>
        <source>Imaginary part</source>
        <translation>Мнимая часть</translation>
    </message>
    <message>
        <source>User air calibration</source>
        <translation>Пользовательская калибровка в воздухе</translation>
    </message>
</context>
<context>
    <name>UIProcessOptionsWidget_Legacy</name>
    <message>
        <source>Modulus</source>
        <translation>Модуль</translation>
    </message>
    <message>
        <source>Real part</source>
        <translation>Действительная часть</translation>
    </message>
    <message>
        <source>Imaginary part</source>
        <translation>Мнимая часть</translation>
    </message>
</context>
<context>
    <name>UIProfileDialog</name>
    <message>
        <source>Profile</source>
        <translation>Профиль</translation>
    </message>
    <message>
        <source>H [m]</source>
        <translation>H [м]</translation>
    </message>
    <message>
        <source>X [m]</source>
        <translation>X [м]</translation>
    </message>
</context>
<context>
    <name>UIRangeDialog</name>
    <message>
        <source>Range</source>
        <translation>Диапазон</translation>
    </message>
    <message>
        <source>All values</source>
        <translation>Все значения</translation>
    </message>
    <message>
        <source>Custom range</source>
        <translation>Заданный диапазон</translation>
    </message>
    <message>
        <source>Min:</source>
        <translation>Мин.:</translation>
    </message>
    <message>
        <source>Max:</source>
        <translation>Макс.:</translation>
    </message>
</context>
<context>
    <name>UIRotateDialog</name>
    <message>
        <source>Rotate</source>
        <translation>Поворот</translation>
    </message>
    <message>
        <source>Angle [*]:</source>
        <translation>Угол [*]:</translation>
    </message>
</context>
<context>
    <name>UIScaleDialog</name>
    <message>
        <source>Scale</source>
        <translation>Масштабирование</translation>
    </message>
    <message>
        <source>X factor:</source>
        <translation>Коэффициент по X:</translation>
    </message>
    <message>
        <source>Y factor:</source>
        <translation>Коэффициент по Y:</translation>
    </message>
</context>
<context>
    <name>UISliceObjectLineWidget</name>
    <message>
        <source>Vertical</source>
        <translation>Вертикальный</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Горизонтальный</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Включить</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Высота</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Переместить</translation>
    </message>
</context>
<context>
    <name>UISliceWidget</name>
    <message>
        <source>Please wait...</source>
        <translation>Подождите...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>X [m]:</source>
        <translation>X [м]:</translation>
    </message>
    <message>
        <source>Y [m]:</source>
        <translation>Y [м]:</translation>
    </message>
    <message>
        <source>Value:</source>
        <translation>Значение:</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Сетка</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Экспорт</translation>
    </message>
</context>
<context>
    <name>UISpecificProcessOptionsWidget</name>
    <message>
        <source>Enable</source>
        <translation>Включить</translation>
    </message>
    <message>
        <source>Specific data</source>
        <translation>Выборочные данные</translation>
    </message>
</context>
<context>
    <name>UITrackBlockEntryInfoDialog</name>
    <message>
        <source>Info</source>
        <translation>Информация</translation>
    </message>
    <message>
        <source>Probe:</source>
        <translation>Зонд:</translation>
    </message>
    <message>
        <source>Specifications:</source>
        <translation>Характеристики:</translation>
    </message>
    <message>
        <source>Load specifications</source>
        <translation>Загрузить характеристики</translation>
    </message>
    <message>
        <source>Save specifications</source>
        <translation>Сохранить характеристики</translation>
    </message>
    <message>
        <source>Raw data:</source>
        <translation>Сырые данные:</translation>
    </message>
    <message>
        <source>Include data headers</source>
        <translation>Включить заголовки столбцов</translation>
    </message>
    <message>
        <source>Save raw data</source>
        <translation>Сохранить сырые данные</translation>
    </message>
</context>
<context>
    <name>UITrackBlockEntryLineWidget</name>
    <message>
        <source>Profile</source>
        <translation>Профиль</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Информация</translation>
    </message>
    <message>
        <source>Values distribution</source>
        <translation>Распределение значений</translation>
    </message>
</context>
<context>
    <name>UITrackBlockInfoDialog</name>
    <message>
        <source>Info</source>
        <translation>Информация</translation>
    </message>
    <message>
        <source>Origin latitude [*]:</source>
        <translation>Широта начала координат [*]:</translation>
    </message>
    <message>
        <source>Origin longitude [*]:</source>
        <translation>Долгота начала координат [*]:</translation>
    </message>
    <message>
        <source>Origin altitude [m]:</source>
        <translation>Высота начала координат [м]:</translation>
    </message>
</context>
<context>
    <name>UITrackBlockLineWidget</name>
    <message>
        <source>Remove</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Переместить</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Повернуть</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>Масштабировать</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Информация</translation>
    </message>
    <message>
        <source>Values distribution</source>
        <translation>Распределение значений</translation>
    </message>
</context>
<context>
    <name>VktConversion</name>
    <message>
        <source>Latitude [*]</source>
        <translation>Широта [*]</translation>
    </message>
    <message>
        <source>Longitude [*]</source>
        <translation>Долгота [*]</translation>
    </message>
    <message>
        <source>Altitude [m]</source>
        <translation>Высота [м]</translation>
    </message>
</context>
</TS>
