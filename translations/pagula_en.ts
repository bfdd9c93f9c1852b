<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ru_RU">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Pagula %1
Печать шпаргалок: сканы и фотографии страниц ложатся на лист A4 мелкими ячейками, готовыми к резке и переплёту.</source>
        <translation>Pagula %1
Crib sheet printing: scans and photos of pages are laid out on A4 sheets in small cells, ready to cut and bind.</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>О программе...</source>
        <translation>About...</translation>
    </message>
</context>
<context>
    <name>AdjustmentsPanel</name>
    <message>
        <source>Тип изображения</source>
        <translation>Picture type</translation>
    </message>
    <message>
        <source>Авто</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Оттенки серого</source>
        <translation>Greyscale</translation>
    </message>
    <message>
        <source>Черно/белое</source>
        <translation>Black/white</translation>
    </message>
    <message>
        <source>Яркость:</source>
        <translation>Brightness:</translation>
    </message>
    <message>
        <source>Контраст:</source>
        <translation>Contrast:</translation>
    </message>
    <message>
        <source>Рамка вокруг рисунков</source>
        <translation>Frame around pictures</translation>
    </message>
    <message>
        <source>Двусторонняя печать</source>
        <translation>Two-sided printing</translation>
    </message>
</context>
<context>
    <name>ArgumentChecks</name>
    <message>
        <source>--duplex записывает PDF; %1 — не файл .pdf</source>
        <translation>--duplex writes a PDF; %1 is no .pdf file</translation>
    </message>
    <message>
        <source>--back без --two-sided ничего не меняет</source>
        <translation>--back has no effect without --two-sided</translation>
    </message>
    <message>
        <source>--back-offset без --two-sided ничего не меняет</source>
        <translation>--back-offset has no effect without --two-sided</translation>
    </message>
    <message>
        <source>--embed ничего не меняет для PDF: он всегда хранит свои рисунки</source>
        <translation>--embed has no effect on a PDF, which always holds its pictures</translation>
    </message>
    <message>
        <source>--dpi ничего не меняет для .odt и .docx: рисунки в них остаются в своём разрешении</source>
        <translation>--dpi has no effect on an .odt or .docx, which keeps the pictures at their own resolution</translation>
    </message>
    <message>
        <source>РЕЗУЛЬТАТ</source>
        <translation>OUTPUT</translation>
    </message>
    <message>
        <source>обратная сторона (--back)</source>
        <translation>the back side (--back)</translation>
    </message>
    <message>
        <source>список заданий</source>
        <translation>the job list</translation>
    </message>
    <message>
        <source>рисунок</source>
        <translation>the picture</translation>
    </message>
</context>
<context>
    <name>BackOffsetDialog</name>
    <message>
        <source> мм</source>
        <translation> mm</translation>
    </message>
    <message>
        <source>Сдвиг обратной стороны</source>
        <translation>Back side offset</translation>
    </message>
    <message>
        <source>Насколько сдвинуть всё содержимое обратной стороны, как её видно на листе. Значения читаются по листу калибровки.</source>
        <translation>How far to move everything on the back side, as the back is seen on the sheet. Read the values off the calibration sheet.</translation>
    </message>
    <message>
        <source>Вправо (X):</source>
        <translation>Right (X):</translation>
    </message>
    <message>
        <source>Вниз (Y):</source>
        <translation>Down (Y):</translation>
    </message>
    <message>
        <source>Введите число от %1 до %2 мм, например 2,5 или -1.5.</source>
        <translation>Enter a number from %1 to %2 mm, for example 2.5 or -1.5.</translation>
    </message>
</context>
<context>
    <name>BothSidesCommands</name>
    <message>
        <source>Сохранить обе стороны в PDF...</source>
        <translation>Save both sides to PDF...</translation>
    </message>
    <message>
        <source>Печать обеих сторон...</source>
        <translation>Print both sides...</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Сохранить обе стороны в PDF</source>
        <translation>Save both sides to PDF</translation>
    </message>
    <message>
        <source>Сохранение</source>
        <translation>Saving</translation>
    </message>
    <message>
        <source>Сохранено: %1</source>
        <translation>Saved: %1</translation>
    </message>
</context>
<context>
    <name>CalibrationSheet</name>
    <message>
        <source>Лист калибровки двусторонней печати</source>
        <translation>Two-sided printing calibration sheet</translation>
    </message>
    <message>
        <source>1. Напечатайте обе страницы на одном листе, с переворотом по длинному краю (или вложите лист обратно в лоток вручную), с масштабом 100 %.
2. Посмотрите лист на просвет со стороны, где напечатаны шкалы.
3. Прочитайте, на какое число шкалы X попадает вертикальная линия этого креста, и на какое число шкалы Y — его горизонтальная линия (шаг 0,5 мм).
4. Введите эти числа в «Сдвиг обратной стороны» (правая кнопка мыши на «Двусторонняя печать»): X — вправо, Y — вниз, в мм.</source>
        <translation>1. Print both pages on one sheet, flipped on the long edge (or feed the sheet back into the tray by hand), at 100 % scale.
2. Hold the sheet against the light, looking at the side with the scales.
3. Read the number on scale X that the vertical line of this cross meets, and the number on scale Y that its horizontal line meets (steps of 0.5 mm).
4. Enter these numbers in &quot;Back side offset&quot; (right mouse button on &quot;Two-sided printing&quot;): X to the right, Y down, in mm.</translation>
    </message>
    <message>
        <source>крест лицевой стороны</source>
        <translation>front side cross</translation>
    </message>
    <message>
        <source>Обратная сторона листа калибровки: смотрите на просвет с этой стороны</source>
        <translation>Back of the calibration sheet: hold it against the light from this side</translation>
    </message>
    <message>
        <source>Вертикальная линия креста лицевой стороны показывает на шкале X сдвиг вправо, горизонтальная на шкале Y — сдвиг вниз. Если линия попала на 0, сдвиг не нужен.</source>
        <translation>The vertical line of the front side cross shows the offset to the right on scale X, the horizontal line the offset down on scale Y. A line on 0 needs no offset.</translation>
    </message>
    <message>
        <source>X, мм</source>
        <translation>X, mm</translation>
    </message>
    <message>
        <source>Y, мм</source>
        <translation>Y, mm</translation>
    </message>
</context>
<context>
    <name>ComposeOptions</name>
    <message>
        <source>--%1: число должно быть от %2 до %3</source>
        <translation>--%1 must be between %2 and %3</translation>
    </message>
    <message>
        <source>--%1: нужны четыре процента через запятую: слева,справа,сверху,снизу</source>
        <translation>--%1 takes four percentages: L,R,T,B</translation>
    </message>
    <message>
        <source>--%1: проценты должны быть от 0 до 100</source>
        <translation>--%1 percentages must be between 0 and 100</translation>
    </message>
    <message>
        <source>--back-offset: нужны две длины в мм через запятую: X,Y</source>
        <translation>--back-offset takes two lengths in mm: X,Y</translation>
    </message>
    <message>
        <source>--back-offset: длины должны быть от %1 до %2 мм</source>
        <translation>--back-offset lengths must be between %1 and %2 mm</translation>
    </message>
    <message>
        <source>
Справка: pagula-compose --help.
</source>
        <translation>
Try pagula-compose --help.
</translation>
    </message>
    <message>
        <source>pagula-compose: нужно указать файл списка заданий и файл результата.</source>
        <translation>pagula-compose needs a job list file and an output file.</translation>
    </message>
    <message>
        <source>--gutter-side: left, right, top или bottom</source>
        <translation>--gutter-side is left, right, top or bottom</translation>
    </message>
    <message>
        <source>--color: auto, grey или bw</source>
        <translation>--color is auto, grey or bw</translation>
    </message>
    <message>
        <source>--duplex действует только вместе с --two-sided</source>
        <translation>--duplex needs --two-sided</translation>
    </message>
    <message>
        <source>--duplex записывает один файл; --back с ним не сочетается</source>
        <translation>--duplex writes one file; --back does not go with it</translation>
    </message>
    <message>
        <source>--dpi: число должно быть от 30 до 1200</source>
        <translation>--dpi must be between 30 and 1200</translation>
    </message>
    <message>
        <source>--lang: ru или en</source>
        <translation>--lang is ru or en</translation>
    </message>
    <message>
        <source>Справка: pagula-compose --help.
</source>
        <translation>Try pagula-compose --help.
</translation>
    </message>
    <message>
        <source>Использование: pagula-compose [параметры] СПИСОК РЕЗУЛЬТАТ

Раскладывает каждую запись файла списка заданий СПИСОК (путь к рисунку в строке, за ним
код обрезки 0, 1 или 2, как их сохраняет программа) сеткой ячеек на листах A4
и записывает документ в РЕЗУЛЬТАТ: PDF, документ OpenDocument (.odt) или Word (.docx),
по расширению. Рисунок - это файл JPEG, PNG, WebP, HEIC/HEIF, BMP, TIFF, GIF или PCX
либо страница PDF, записанная как &quot;&lt;page N&gt;&quot; перед путём к PDF; путь к PDF без номера
означает все его страницы. По умолчанию - начальные значения программы.

Сетка:
  -c, --columns N          ячеек в ряду, от 1 до 15 (3)
  -r, --rows N             рядов на листе, от 1 до 15 (3)
  --margin-left ММ         поля листа в целых миллиметрах (7)
  --margin-right ММ        (10)
  --margin-top ММ          (7)
  --margin-bottom ММ       (20)
  --cell-width ММ          ширина ячейки; большие значения уменьшаются до самой
                           большой ячейки, которая помещается (по умолчанию - она)
  --cell-height ММ         высота ячейки, так же
  --gutter ММ              отступ для переплёта в каждой ячейке, от 0 до 30 (6)
  --gutter-side СТОРОНА    left, right, top или bottom (left)

Рисунки:
  --crop1 Л,П,В,Н          профиль обрезки 1 (записи с кодом 1): сколько процентов
                           рисунка срезать слева, справа, сверху, снизу, от 0 до 100
                           (0,0,0,0)
  --crop2 Л,П,В,Н          профиль обрезки 2 (записи с кодом 2)
  --brightness N           от 0 до 100, 50 - без изменений (50)
  --contrast N             от 0 до 100, 50 - без изменений (50)
  --color ТИП              auto, grey или bw (grey)
  --no-frame               без рамки вокруг ячеек

Подготовка страниц (до профиля обрезки; по умолчанию всё выключено):
  --find-page              оставить только страницу: лист на фотографии, печать
                           внутри белых полей скана; в ячейке она сохраняет
                           свои пропорции
  --straighten             выровнять строки повёрнутого скана; сфотографированный
                           лист становится прямоугольником
  --even-background        ровно белая бумага (тени, серая или жёлтая бумага);
                           с --color bw порог местный, по размеру печати
  --prepare                все три выше
  --keep-proportions       вписать каждый рисунок в ячейку с сохранением пропорций,
                           по центру

Результат:
  --two-sided              лицевая сторона с 1-й, 3-й, 5-й... записями в РЕЗУЛЬТАТ,
                           обратная со 2-й, 4-й... в зеркальных рядах
  --back ФАЙЛ              куда записать обратную сторону (РЕЗУЛЬТАТ с &quot;-back&quot;)
  --duplex                 с --two-sided: один PDF РЕЗУЛЬТАТ, лицевые и обратные
                           страницы вперемежку (лицевая 1, обратная 1, лицевая 2...),
                           для двусторонней печати с переворотом по длинному краю;
                           без отдельного файла обратной стороны
  --back-offset X,Y        сдвиг обратной стороны на принтере в мм: X вправо, Y вниз,
                           как видна обратная страница, от -30 до 30 (0,0)
  --dpi N                  разрешение рисунков в PDF, от 30 до 1200 (300)
  --embed                  хранить рисунки внутри .odt или .docx, чтобы файл можно
                           было перенести на другой компьютер (иначе - ссылки на них)
  -q, --quiet              не показывать ход работы
  --lang ЯЗЫК              язык сообщений: ru или en (по умолчанию по локали:
                           en* - английский, иначе русский)
  -h, --help               этот текст
  --version                версия программы

Настройки, с которыми лист не сложить, и результаты, совпадающие со списком, одним
из его рисунков или друг с другом, отклоняются до начала работы. Двусторонний
запуск заменяет оба файла или ни одного.
Рисунки декодируются по нескольку сразу в пределах одного бюджета памяти: четверть
памяти компьютера, не больше 1 ГиБ; рисунок, которому нужно больше, отклоняется.
Ctrl+C останавливает работу после текущего рисунка и записывает то, что размещено;
Ctrl+C во время записи, SIGTERM, SIGHUP и SIGPIPE (сообщения больше никто не читает)
останавливают работу в течение секунды, не меняя ни одного файла результата.
Временные файлы хранятся в собственной папке программы; следующий запуск удаляет те,
что оставил прерванный запуск.
Код выхода: 0 готово, 1 ошибка, 2 неверные аргументы, 3 прервано.
</source>
        <translation>Usage: pagula-compose [options] JOBLIST OUTPUT

Lays out every entry of the job list file JOBLIST (one picture path per line, followed
by its crop code 0, 1 or 2, as the program saves it) as a grid of cells on A4 pages
and writes the document to OUTPUT: a PDF, or an OpenDocument (.odt) or Word (.docx)
document, by its extension. A picture is a JPEG, PNG, WebP, HEIC/HEIF, BMP, TIFF, GIF
or PCX file, or a page of a PDF, written &quot;&lt;page N&gt;&quot; before the PDF&apos;s path; a PDF&apos;s
path alone stands for all its pages. Defaults are the program&apos;s start values.

Grid:
  -c, --columns N          cells per row, 1 to 15 (3)
  -r, --rows N             rows per page, 1 to 15 (3)
  --margin-left MM         page margins in whole millimetres (7)
  --margin-right MM        (10)
  --margin-top MM          (7)
  --margin-bottom MM       (20)
  --cell-width MM          cell width; larger values come down to the largest cell
                           that fits (default: the largest)
  --cell-height MM         cell height, likewise
  --gutter MM              binding strip inside each cell, 0 to 30 (6)
  --gutter-side SIDE       left, right, top or bottom (left)

Pictures:
  --crop1 L,R,T,B          crop profile 1 (entries ending in 1): percentages of the
                           picture cut off left, right, top, bottom, 0 to 100 (0,0,0,0)
  --crop2 L,R,T,B          crop profile 2 (entries ending in 2)
  --brightness N           0 to 100, 50 unchanged (50)
  --contrast N             0 to 100, 50 unchanged (50)
  --color TYPE             auto, grey or bw (grey)
  --no-frame               no frame lines around the cells

Page preparation (before the crop profile; all off by default):
  --find-page              keep only the page: the sheet in a photo, the print
                           inside the white margins of a scan; it keeps its
                           proportions in the cell
  --straighten             level the lines of a turned scan; a photographed sheet
                           becomes a rectangle
  --even-background        paper evenly white (shadows, grey or yellow paper); with
                           --color bw the threshold is local, at the printed size
  --prepare                all three above
  --keep-proportions       fit each picture into its cell keeping its proportions,
                           centred

Output:
  --two-sided              front side with the 1st, 3rd, 5th... entries to OUTPUT,
                           back side with the 2nd, 4th... in mirrored rows
  --back FILE              where the back side goes (OUTPUT with &quot;-back&quot; added)
  --duplex                 with --two-sided: one PDF OUTPUT, front and back pages
                           interleaved (front 1, back 1, front 2...), for printing
                           two-sided, turned over the long edge; no back file
  --back-offset X,Y        printer offset of the back side in mm, X to the right and
                           Y down as the back page is seen, -30 to 30 (0,0)
  --dpi N                  resolution of the pictures in the PDF, 30 to 1200 (300)
  --embed                  store the pictures in an .odt or .docx, for a file that
                           can be moved to another computer (they are linked)
  -q, --quiet              no progress on the terminal
  --lang LANG              language of the messages: ru or en (by the locale:
                           en* English, otherwise Russian)
  -h, --help               this text
  --version                the program&apos;s version

Settings that cannot make a page, and outputs that are the job list, one of its
pictures or each other, are refused before any work. A two-sided run replaces both
files or neither.
Pictures are decoded several at once within one memory budget: a quarter of the
computer&apos;s memory, at most 1 GiB; a picture that needs more is refused.
Ctrl+C stops after the picture in progress and writes what was placed; Ctrl+C while
writing, SIGTERM, SIGHUP and SIGPIPE (the reader of the messages gone) stop within a
second without changing any output file.
Temporary files go to a folder of the program&apos;s own; a later run removes those that
a killed run left.
Exit status: 0 done, 1 failed, 2 wrong arguments, 3 interrupted.
</translation>
    </message>
</context>
<context>
    <name>CropTabSet</name>
    <message>
        <source>Слева:                %</source>
        <translation>Left:                   %</translation>
    </message>
    <message>
        <source>Справа:              %</source>
        <translation>Right:                 %</translation>
    </message>
    <message>
        <source>Снизу:                %</source>
        <translation>Bottom:              %</translation>
    </message>
    <message>
        <source>Сверху:              %</source>
        <translation>Top:                   %</translation>
    </message>
    <message>
        <source>Вид обрезки</source>
        <translation>Crop type</translation>
    </message>
    <message>
        <source>С одной стороны</source>
        <translation>One side</translation>
    </message>
    <message>
        <source>С двух сторон</source>
        <translation>Both sides</translation>
    </message>
    <message>
        <source>Выделить все</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Сброс</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
</context>
<context>
    <name>DocumentOutput</name>
    <message>
        <source>Невозможно записать %1: расширение результата должно быть .pdf, .odt или .docx</source>
        <translation>Cannot write %1: the output&apos;s extension must be .pdf, .odt or .docx</translation>
    </message>
    <message>
        <source>страница</source>
        <translation>page</translation>
    </message>
    <message>
        <source>шаг</source>
        <translation>step</translation>
    </message>
</context>
<context>
    <name>DocumentWindow</name>
    <message>
        <source>Pagula - документ %1</source>
        <translation>Pagula - document %1</translation>
    </message>
    <message>
        <source>Pagula - документ %1, %2</source>
        <translation>Pagula - document %1, %2</translation>
    </message>
    <message>
        <source>Сохранить как...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>Сохранить страницы как PNG...</source>
        <translation>Save pages as PNG...</translation>
    </message>
    <message>
        <source>Печать...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Открыть в LibreOffice</source>
        <translation>Open in LibreOffice</translation>
    </message>
    <message>
        <source>Предыдущая страница</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>Следующая страница</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>Первая страница</source>
        <translation>First page</translation>
    </message>
    <message>
        <source>Последняя страница</source>
        <translation>Last page</translation>
    </message>
    <message>
        <source>Увеличить</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>Уменьшить</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Реальный размер</source>
        <translation>Actual size</translation>
    </message>
    <message>
        <source>Документ</source>
        <translation>Document</translation>
    </message>
    <message>
        <source>Страницы</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>Номер страницы</source>
        <translation>Page number</translation>
    </message>
    <message>
        <source> из %1 </source>
        <translation> of %1 </translation>
    </message>
    <message>
        <source>Масштаб</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Не удалось показать рисунков: %1</source>
        <translation>Pictures that could not be shown: %1</translation>
    </message>
    <message>
        <source>Сохранить как</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Сохранить страницы как PNG</source>
        <translation>Save pages as PNG</translation>
    </message>
    <message>
        <source>Сохранение</source>
        <translation>Saving</translation>
    </message>
    <message>
        <source>Сохранено: %1</source>
        <translation>Saved: %1</translation>
    </message>
    <message>
        <source>Подготовка для LibreOffice</source>
        <translation>Preparing for LibreOffice</translation>
    </message>
    <message>
        <source>шаг</source>
        <translation>step</translation>
    </message>
    <message>
        <source>Открыто в LibreOffice: %1</source>
        <translation>Opened in LibreOffice: %1</translation>
    </message>
    <message>
        <source>Документ не сохранён. Сохранить его перед закрытием?</source>
        <translation>The document has not been saved. Save it before closing?</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Не сохранять</source>
        <translation>Don&apos;t save</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>страница</source>
        <translation>page</translation>
    </message>
</context>
<context>
    <name>DroppedPictures</name>
    <message>
        <source>Добавлено рисунков: %1.</source>
        <translation>Pictures added: %1.</translation>
    </message>
    <message>
        <source>ещё %1</source>
        <translation>%1 more</translation>
    </message>
    <message>
        <source> Перетащенное не добавлено: это не рисунки и не папки.</source>
        <translation> What was dropped was not added: it is neither pictures nor folders.</translation>
    </message>
    <message>
        <source> Не рисунки и не папки, не добавлены: %1.</source>
        <translation> Not pictures or folders, not added: %1.</translation>
    </message>
</context>
<context>
    <name>ExportProgress</name>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Отмена...</source>
        <translation>Cancelling...</translation>
    </message>
    <message>
        <source>%1: %2 %3 из %4</source>
        <translation>%1: %2 %3 of %4</translation>
    </message>
    <message>
        <source>страница</source>
        <translation>page</translation>
    </message>
</context>
<context>
    <name>FileBrowser</name>
    <message>
        <source>Диск:</source>
        <translation>Drive:</translation>
    </message>
    <message>
        <source>Добавить &gt;&gt;&gt;</source>
        <translation>Add &gt;&gt;&gt;</translation>
    </message>
    <message>
        <source>Добавление - правая кнопка мыши</source>
        <translation>Right mouse button to add</translation>
    </message>
    <message>
        <source>Добавить</source>
        <translation>Add</translation>
    </message>
</context>
<context>
    <name>FileFilters</name>
    <message>
        <source>Рисунки JPEG</source>
        <translation>JPEG pictures</translation>
    </message>
    <message>
        <source>Рисунки PNG, WebP</source>
        <translation>PNG, WebP pictures</translation>
    </message>
    <message>
        <source>Фотографии HEIC, HEIF</source>
        <translation>HEIC, HEIF photos</translation>
    </message>
    <message>
        <source>Рисунки BMP, TIFF</source>
        <translation>BMP, TIFF pictures</translation>
    </message>
    <message>
        <source>Рисунки GIF, PCX</source>
        <translation>GIF, PCX pictures</translation>
    </message>
    <message>
        <source>Документы PDF</source>
        <translation>PDF documents</translation>
    </message>
    <message>
        <source>Все рисунки и PDF</source>
        <translation>All pictures and PDF</translation>
    </message>
</context>
<context>
    <name>FileIdentity</name>
    <message>
        <source>%1 %2 — тот же файл, что и %3 %4; он был бы перезаписан</source>
        <translation>%1 %2 is the same file as %3 %4; it would be overwritten</translation>
    </message>
</context>
<context>
    <name>GenerationProgressDialog</name>
    <message>
        <source>Формирование документа....</source>
        <translation>Generating the document....</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>GenerationRun</name>
    <message>
        <source>Были сформированы два документа: лицевая и обратная стороны.</source>
        <translation>Two documents were generated: the front and the back side.</translation>
    </message>
    <message>
        <source>Обратная сторона уже выровнена по лицевой: напечатайте обе стороны на одних листах с переворотом по длинному краю, например командой «Печать обеих сторон» в окне лицевой стороны.</source>
        <translation>The back side is already aligned to the front: print both sides on the same sheets, flipped on the long edge, for example with &quot;Print both sides&quot; in the front side&apos;s window.</translation>
    </message>
    <message>
        <source>Подготовка...</source>
        <translation>Preparing...</translation>
    </message>
    <message>
        <source>Формирование...</source>
        <translation>Generating...</translation>
    </message>
    <message>
        <source>Формирование лицевой стороны...</source>
        <translation>Generating the front side...</translation>
    </message>
    <message>
        <source>Формирование обратной стороны...</source>
        <translation>Generating the back side...</translation>
    </message>
</context>
<context>
    <name>JobEntry</name>
    <message>
        <source>(пустая страница)</source>
        <translation>(blank page)</translation>
    </message>
    <message>
        <source>%1, стр. %2</source>
        <translation>%1, p. %2</translation>
    </message>
    <message>
        <source>Выбрано файлов: %1</source>
        <translation>Files selected: %1</translation>
    </message>
</context>
<context>
    <name>JobListFileDialog</name>
    <message>
        <source>Сохранить список как</source>
        <translation>Save list as</translation>
    </message>
    <message>
        <source>Открыть список</source>
        <translation>Open list</translation>
    </message>
    <message>
        <source>Списки рисунков (*.txt)</source>
        <translation>Picture lists (*.txt)</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>JobListModel</name>
    <message>
        <source>добавление рисунков</source>
        <translation>adding pictures</translation>
    </message>
    <message>
        <source>загрузку списка</source>
        <translation>loading the list</translation>
    </message>
    <message>
        <source>очистку списка</source>
        <translation>clearing the list</translation>
    </message>
    <message>
        <source>вид обрезки строки</source>
        <translation>the row&apos;s crop type</translation>
    </message>
    <message>
        <source>«Выделить все»</source>
        <translation>&quot;Select all&quot;</translation>
    </message>
    <message>
        <source>«Сброс»</source>
        <translation>&quot;Reset&quot;</translation>
    </message>
    <message>
        <source>«Инвертировать»</source>
        <translation>&quot;Invert&quot;</translation>
    </message>
    <message>
        <source>«Четные»</source>
        <translation>&quot;Even&quot;</translation>
    </message>
    <message>
        <source>«Нечетные»</source>
        <translation>&quot;Odd&quot;</translation>
    </message>
    <message>
        <source>«Удалить»</source>
        <translation>&quot;Delete&quot;</translation>
    </message>
    <message>
        <source>отметку строки</source>
        <translation>the row&apos;s tick</translation>
    </message>
    <message>
        <source>«Выделить все» обрезки</source>
        <translation>crop &quot;Select all&quot;</translation>
    </message>
    <message>
        <source>«Сброс» обрезки</source>
        <translation>crop &quot;Reset&quot;</translation>
    </message>
    <message>
        <source>вставку пустой страницы</source>
        <translation>inserting a blank page</translation>
    </message>
    <message>
        <source>удаление строки</source>
        <translation>removing the row</translation>
    </message>
</context>
<context>
    <name>JobListView</name>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Загрузить</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Сохранить список как...</source>
        <translation>Save list as...</translation>
    </message>
    <message>
        <source>Открыть список...</source>
        <translation>Open list...</translation>
    </message>
    <message>
        <source>Очистить список</source>
        <translation>Clear list</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Redo</translation>
    </message>
</context>
<context>
    <name>LanguageCommands</name>
    <message>
        <source>Русский язык</source>
        <translation>Russian</translation>
    </message>
    <message>
        <source>О программе; правая кнопка мыши: язык программы</source>
        <translation>About; right mouse button: language of the program</translation>
    </message>
</context>
<context>
    <name>LayoutCheck</name>
    <message>
        <source>Число столбцов</source>
        <translation>Number of columns</translation>
    </message>
    <message>
        <source>Число строк</source>
        <translation>Number of rows</translation>
    </message>
    <message>
        <source>Отступ слева</source>
        <translation>Left margin</translation>
    </message>
    <message>
        <source>Отступ справа</source>
        <translation>Right margin</translation>
    </message>
    <message>
        <source>Отступ сверху</source>
        <translation>Top margin</translation>
    </message>
    <message>
        <source>Отступ снизу</source>
        <translation>Bottom margin</translation>
    </message>
    <message>
        <source>Ширина ячейки</source>
        <translation>Cell width</translation>
    </message>
    <message>
        <source>Высота ячейки</source>
        <translation>Cell height</translation>
    </message>
    <message>
        <source>Отступ для переплета</source>
        <translation>Binding strip</translation>
    </message>
    <message>
        <source>Обрезка профиля 1</source>
        <translation>Crop profile 1</translation>
    </message>
    <message>
        <source>Обрезка профиля 2</source>
        <translation>Crop profile 2</translation>
    </message>
    <message>
        <source> мм</source>
        <translation> mm</translation>
    </message>
    <message>
        <source>больше %1%3 и не больше %2%3</source>
        <translation>more than %1%3, at most %2%3</translation>
    </message>
    <message>
        <source>от %1 до %2%3</source>
        <translation>%1 to %2%3</translation>
    </message>
    <message>
        <source>%1: %2%3 — %4. Допустимо %5.</source>
        <translation>%1: %2%3 — %4. Allowed: %5.</translation>
    </message>
    <message>
        <source>недопустимое число</source>
        <translation>out of range</translation>
    </message>
    <message>
        <source>ячейки выйдут за край листа</source>
        <translation>the cells would run off the sheet</translation>
    </message>
    <message>
        <source>на листе не остается места для ячеек</source>
        <translation>no room is left on the sheet for the cells</translation>
    </message>
    <message>
        <source>на рисунок не остается места: ячейка не больше %1 мм</source>
        <translation>no room is left for the picture: the cell is at most %1 mm</translation>
    </message>
    <message>
        <source>рядом с отступом для переплета (%1 мм) не остается места для рисунка</source>
        <translation>no room is left for the picture beside the binding strip (%1 mm)</translation>
    </message>
    <message>
        <source>для рисунка не остается места</source>
        <translation>no room is left for the picture</translation>
    </message>
    <message>
        <source>от рисунка не остается ничего (слева + справа)</source>
        <translation>nothing is left of the picture (left + right)</translation>
    </message>
    <message>
        <source>от рисунка не остается ничего (сверху + снизу)</source>
        <translation>nothing is left of the picture (top + bottom)</translation>
    </message>
    <message>
        <source>меньше нуля</source>
        <translation>below zero</translation>
    </message>
</context>
<context>
    <name>LayoutOption</name>
    <message>
        <source> мм</source>
        <translation> mm</translation>
    </message>
    <message>
        <source>больше %1%3, но не больше %2%3</source>
        <translation>more than %1%3, at most %2%3</translation>
    </message>
    <message>
        <source>от %1 до %2%3</source>
        <translation>%1 to %2%3</translation>
    </message>
    <message>
        <source>%1: %2; допустимо %3</source>
        <translation>%1 %2; allowed %3</translation>
    </message>
    <message>
        <source>недопустимое число</source>
        <translation>is out of range</translation>
    </message>
    <message>
        <source>ячейки выходят за край листа</source>
        <translation>puts the cells off the page</translation>
    </message>
    <message>
        <source>на листе не остаётся места для ячеек</source>
        <translation>leaves no room for the cells</translation>
    </message>
    <message>
        <source>на рисунок не остаётся места: самая широкая ячейка — %1 мм</source>
        <translation>leaves no room for the picture: the largest cell is %1 mm wide</translation>
    </message>
    <message>
        <source>на рисунок не остаётся места: самая высокая ячейка — %1 мм</source>
        <translation>leaves no room for the picture: the largest cell is %1 mm high</translation>
    </message>
    <message>
        <source>не оставляет места для рисунка рядом с отступом для переплёта %1 мм</source>
        <translation>leaves no room for the picture beside the %1 mm binding strip</translation>
    </message>
    <message>
        <source>не оставляет места для рисунка</source>
        <translation>leaves no room for the picture</translation>
    </message>
    <message>
        <source>обрезает всю ширину: слева + справа = %1%</source>
        <translation>cuts off the whole width: left + right is %1%</translation>
    </message>
    <message>
        <source>обрезает всю высоту: сверху + снизу = %1%</source>
        <translation>cuts off the whole height: top + bottom is %1%</translation>
    </message>
    <message>
        <source>меньше нуля</source>
        <translation>is below zero</translation>
    </message>
</context>
<context>
    <name>LayoutPanel</name>
    <message>
        <source>Рамка вокруг рисунков</source>
        <translation>Frame around pictures</translation>
    </message>
    <message>
        <source>Двусторонняя печать</source>
        <translation>Two-sided printing</translation>
    </message>
    <message>
        <source>Количество строк:</source>
        <translation>Number of rows:</translation>
    </message>
    <message>
        <source>Количество столбцов:</source>
        <translation>Number of columns:</translation>
    </message>
    <message>
        <source>Отступы (в мм):</source>
        <translation>Margins (mm):</translation>
    </message>
    <message>
        <source>Слева   Справа  Сверху  Снизу</source>
        <translation>Left     Right     Top    Bottom</translation>
    </message>
    <message>
        <source>Установлено Максимально</source>
        <translation>Chosen      Largest</translation>
    </message>
    <message>
        <source>Ширина:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>Высота:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>мм</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Отступ для переплета</source>
        <translation>Binding strip</translation>
    </message>
    <message>
        <source>Слева</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Справа</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Сверху</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>Снизу</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>Размер:</source>
        <translation>Size:</translation>
    </message>
</context>
<context>
    <name>LeftPanel</name>
    <message>
        <source>Сформировать документ</source>
        <translation>Generate document</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Распечатка Pagula</source>
        <translation>Pagula printout</translation>
    </message>
    <message>
        <source>Не отмечено ни одного рисунка.</source>
        <translation>No picture is ticked.</translation>
    </message>
</context>
<context>
    <name>OutputTarget</name>
    <message>
        <source>Невозможно записать %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>это папка</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>это канал или сокет, а не файл</source>
        <translation>it is a pipe or socket, not a file</translation>
    </message>
    <message>
        <source>это устройство, а не файл</source>
        <translation>it is a device, not a file</translation>
    </message>
    <message>
        <source>Невозможно записать %1: это ссылка на %2, у которого расширение не .%3</source>
        <translation>Cannot write %1: it is a link to %2, whose extension is not .%3</translation>
    </message>
    <message>
        <source>Невозможно заменить %1: он принадлежит %2, а новый файл принадлежал бы %3</source>
        <translation>Cannot replace %1: it belongs to %2, and the new file would belong to %3</translation>
    </message>
    <message>
        <source>Невозможно заменить %1: его группа (%2) не из ваших, и новый файл не смог бы её сохранить</source>
        <translation>Cannot replace %1: its group (%2) is not one of yours, so the new file could not keep it</translation>
    </message>
    <message>
        <source>у %1 есть другие жёсткие ссылки (%2), они сохранят прежнее содержимое</source>
        <translation>%1 has %2 other hard link(s), which keep the previous contents</translation>
    </message>
</context>
<context>
    <name>PreviewTabs</name>
    <message>
        <source>Включен</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Все подряд</source>
        <translation>All in turn</translation>
    </message>
    <message>
        <source>По типу обрезки</source>
        <translation>By crop type</translation>
    </message>
    <message>
        <source>Просмотр</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Переход</source>
        <translation>Go to</translation>
    </message>
</context>
<context>
    <name>PreviewWindow</name>
    <message>
        <source>Предварительный просмотр</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Масштаб:</source>
        <translation>Zoom:</translation>
    </message>
    <message>
        <source>По размеру окна</source>
        <translation>Fit to window</translation>
    </message>
    <message>
        <source>Масштаб %1 не помещается в память: рисунок %2 x %3 точек был бы показан размером %4 x %5 точек. Выберите меньший масштаб.</source>
        <translation>Zoom %1 does not fit in memory: the %2 x %3 pixel picture would be shown %4 x %5 pixels large. Choose a smaller zoom.</translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>Задание ждёт очереди на принтере.</source>
        <translation>The job is waiting in the printer queue.</translation>
    </message>
    <message>
        <source>Принтер печатает лицевые стороны...</source>
        <translation>The printer is printing the front sides...</translation>
    </message>
    <message>
        <source>Принтер остановлен: %1</source>
        <translation>The printer has stopped: %1</translation>
    </message>
    <message>
        <source>Лицевые стороны напечатаны.</source>
        <translation>The front sides are printed.</translation>
    </message>
    <message>
        <source>Принтер «%1» не печатает на листах A4, а страницы Pagula печатаются только на A4 в натуральную величину. Выберите другой принтер или добавьте этому формат A4 в его настройках.</source>
        <translation>The printer &quot;%1&quot; does not print on A4 sheets, and Pagula pages are printed only on A4 at actual size. Choose another printer or add the A4 size to this one in its settings.</translation>
    </message>
    <message>
        <source>Печать</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Принтер «%1» не принял задание: %2
Ничего не напечатано.</source>
        <translation>The printer &quot;%1&quot; did not accept the job: %2
Nothing was printed.</translation>
    </message>
    <message>
        <source>Напечатано страниц: %1</source>
        <translation>Pages printed: %1</translation>
    </message>
    <message>
        <source>Отправлено на принтер «%1»: страниц %2 (задание %3)</source>
        <translation>Sent to the printer &quot;%1&quot;: %2 pages (job %3)</translation>
    </message>
    <message>
        <source>не сообщена</source>
        <translation>not given</translation>
    </message>
    <message>
        <source>Напечатано на «%1»: страниц %2 (задание %3)</source>
        <translation>Printed on &quot;%1&quot;: %2 pages (job %3)</translation>
    </message>
    <message>
        <source>Задание %1 на принтере «%2» отменено, листы не напечатаны.
Причина: %3</source>
        <translation>Job %1 on the printer &quot;%2&quot; was cancelled; the sheets were not printed.
Reason: %3</translation>
    </message>
    <message>
        <source>Задание %1 на принтере «%2» прервано службой печати, листы не напечатаны.
Причина: %3</source>
        <translation>Job %1 on the printer &quot;%2&quot; was aborted by the print service; the sheets were not printed.
Reason: %3</translation>
    </message>
    <message>
        <source>Двусторонняя печать</source>
        <translation>Two-sided printing</translation>
    </message>
    <message>
        <source>Лицевые стороны отправлены на принтер (листов: %1). Когда они напечатаются, возьмите всю стопку из выходного лотка, не меняя порядка листов, и вложите её в лоток подачи:
• чистой стороной туда, где принтер печатает (в кассете лазерного принтера обычно вниз, в заднем или ручном лотке — вверх);
• верхним краем страниц вперёд, в принтер — тем краем, которым листы выходили.</source>
        <translation>The front sides were sent to the printer (sheets: %1). When they are printed, take the whole stack from the output tray without changing the order of the sheets and put it into the input tray:
• blank side where the printer prints (usually down in a laser printer&apos;s cassette, up in a rear or manual tray);
• top edge of the pages first, into the printer — the edge the sheets came out with.</translation>
    </message>
    <message>
        <source>Если для этого стопку пришлось перевернуть, сверху лежит лист 1; если она легла как была, сверху последний лист. Как это устроено у вашего принтера, один раз покажет «Пробная двусторонняя печать» (правая кнопка мыши на «Двусторонняя печать» в главном окне).</source>
        <translation>If you had to turn the stack over for that, sheet 1 is on top; if it went in as it was, the last sheet is on top. &quot;Two-sided test print&quot; (right mouse button on &quot;Two-sided printing&quot; in the main window) shows once how your printer does it.</translation>
    </message>
    <message>
        <source>Стопка перевёрнута: печатать обороты</source>
        <translation>Stack turned over: print the backs</translation>
    </message>
    <message>
        <source>Стопка как была: печатать обороты</source>
        <translation>Stack as it was: print the backs</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source>лист калибровки</source>
        <translation>calibration sheet</translation>
    </message>
    <message>
        <source>пробная двусторонняя печать</source>
        <translation>two-sided test print</translation>
    </message>
    <message>
        <source>лицевая сторона</source>
        <translation>front side</translation>
    </message>
    <message>
        <source>обратная сторона</source>
        <translation>back side</translation>
    </message>
</context>
<context>
    <name>RawArguments</name>
    <message>
        <source>аргумент %1 (%2) — имя, которое кодировка этой системы не может передать; файл с таким именем нельзя ни записать, ни прочитать. Переименуйте его.</source>
        <translation>argument %1 (%2) is not a name this system&apos;s encoding can hold; a file of that name could not be written or read back. Rename it.</translation>
    </message>
</context>
<context>
    <name>SaveFormats</name>
    <message>
        <source>шаг</source>
        <translation>step</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Документ ODF (*.odt)</source>
        <translation>ODF document (*.odt)</translation>
    </message>
    <message>
        <source>Документ ODF со встроенными рисунками (*.odt)</source>
        <translation>ODF document with embedded pictures (*.odt)</translation>
    </message>
    <message>
        <source>Документ Word (*.docx)</source>
        <translation>Word document (*.docx)</translation>
    </message>
    <message>
        <source>Документ Word со встроенными рисунками (*.docx)</source>
        <translation>Word document with embedded pictures (*.docx)</translation>
    </message>
    <message>
        <source>Рисунки PNG (*.png)</source>
        <translation>PNG pictures (*.png)</translation>
    </message>
    <message>
        <source>страница</source>
        <translation>page</translation>
    </message>
</context>
<context>
    <name>SidesTestPrint</name>
    <message>
        <source>верхний край</source>
        <translation>top edge</translation>
    </message>
    <message>
        <source>Лист %1, лицевая сторона</source>
        <translation>Sheet %1, front side</translation>
    </message>
    <message>
        <source>Лист %1, обратная сторона</source>
        <translation>Sheet %1, back side</translation>
    </message>
    <message>
        <source>На обороте этого листа должна стоять цифра %1, и стрелка там должна показывать на тот же край листа.</source>
        <translation>The back of this sheet should show the number %1, and its arrow should point at the same edge of the sheet.</translation>
    </message>
    <message>
        <source>Всё верно, если за 1 стоит 2, за 3 стоит 4 и стрелки обеих сторон показывают на один край. Иначе в следующий раз:
• за 1 стоит 4 — отвечайте о стопке наоборот («как была» вместо «перевёрнута» или наоборот);
• цифра оборота вверх ногами — вкладывайте стопку другим краем вперёд;
• оборот напечатан поверх лицевой стороны — кладите стопку другой стороной вверх.</source>
        <translation>All is well if 2 is behind 1, 4 behind 3, and the arrows of both sides point at the same edge. Otherwise, next time:
• 4 behind 1 — answer the other way about the stack (&quot;as it was&quot; instead of &quot;turned over&quot; or the other way round);
• the back&apos;s number upside down — feed the stack with the other edge first;
• the back printed over the front side — put the stack in the other side up.</translation>
    </message>
</context>
<context>
    <name>StagedOutputs</name>
    <message>
        <source>Невозможно записать файл %1: %2; ни один файл результата не изменён</source>
        <translation>Cannot write file %1: %2; no output file was changed</translation>
    </message>
    <message>
        <source>Невозможно передать %1 владельца и права доступа %2: %3; ни один файл результата не изменён</source>
        <translation>Cannot give %1 the owner and permissions of %2: %3; no output file was changed</translation>
    </message>
</context>
<context>
    <name>StartArguments</name>
    <message>
        <source>--lang: нужно указать ru или en</source>
        <translation>--lang: give ru or en</translation>
    </message>
    <message>
        <source>--lang: язык «%1» неизвестен; нужно указать ru или en</source>
        <translation>--lang: unknown language &quot;%1&quot;; give ru or en</translation>
    </message>
    <message>
        <source>Использование: pagula [параметры] [ФАЙЛ|ПАПКА...]

Окно Pagula: сканы и фотографии страниц ложатся на лист A4 мелкими ячейками,
готовыми к резке и переплёту. Файлы и папки из командной строки добавляются
в список заданий.

Параметры:
  --lang ЯЗЫК              язык программы: ru или en (по умолчанию по локали:
                           en* - английский, иначе русский)
  -h, --help               этот текст
  --version                версия программы

Без окна, для пакетной работы: pagula-compose.
</source>
        <translation>Usage: pagula [options] [FILE|FOLDER...]

The Pagula window: scans and photos of pages are laid out on A4 sheets in small
cells, ready to cut and bind. Files and folders on the command line are added
to the job list.

Options:
  --lang LANG              language of the program: ru or en (by default the
                           locale&apos;s: en* English, otherwise Russian)
  -h, --help               this text
  --version                the program&apos;s version

Without the window, for batches: pagula-compose.
</translation>
    </message>
</context>
<context>
    <name>TerminalProgress</name>
    <message>
        <source>Подготовка</source>
        <translation>Preparing</translation>
    </message>
    <message>
        <source>Формирование</source>
        <translation>Composing</translation>
    </message>
    <message>
        <source>Лицевая сторона</source>
        <translation>Front side</translation>
    </message>
    <message>
        <source>Обратная сторона</source>
        <translation>Back side</translation>
    </message>
    <message>
        <source>%1 [%2] ячейки: %3/%4</source>
        <translation>%1 [%2] %3/%4 cells</translation>
    </message>
    <message>
        <source>Запись %1: %2 %3 из %4</source>
        <translation>Writing %1: %2 %3 of %4</translation>
    </message>
</context>
<context>
    <name>TickButtonStrip</name>
    <message>
        <source>Кол-во колонок:</source>
        <translation>Columns:</translation>
    </message>
    <message>
        <source>Выделить все</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Сброс</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Инвертировать</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>Четные</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>Нечетные</source>
        <translation>Odd</translation>
    </message>
</context>
<context>
    <name>TwoSidedCommands</name>
    <message>
        <source>Сдвиг обратной стороны...</source>
        <translation>Back side offset...</translation>
    </message>
    <message>
        <source>Лист калибровки двусторонней печати</source>
        <translation>Two-sided printing calibration sheet</translation>
    </message>
    <message>
        <source>Пробная двусторонняя печать</source>
        <translation>Two-sided test print</translation>
    </message>
    <message>
        <source>Правая кнопка мыши: сдвиг обратной стороны, лист калибровки, пробная двусторонняя печать</source>
        <translation>Right mouse button: back side offset, calibration sheet, two-sided test print</translation>
    </message>
</context>
<context>
    <name>UnsavedListQuestion</name>
    <message>
        <source>Список заданий изменён и не сохранён (записей: %1). Сохранить его перед выходом? Сохранённый список вернёт «Загрузить» в меню списка.</source>
        <translation>The job list has changed and is not saved (entries: %1). Save it before leaving? &quot;Load&quot; in the list&apos;s menu brings a saved list back.</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Не сохранять</source>
        <translation>Don&apos;t save</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ZoomSetting</name>
    <message>
        <source>По ширине</source>
        <translation>Fit width</translation>
    </message>
    <message>
        <source>Страница целиком</source>
        <translation>Whole page</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>предупреждение: %1</source>
        <translation>warning: %1</translation>
    </message>
    <message>
        <source>%1: в списке заданий нет рисунков; ничего не записано</source>
        <translation>%1: the job list holds no pictures; nothing was written</translation>
    </message>
    <message>
        <source>Невозможно создать временную папку: %1</source>
        <translation>Cannot create a temporary folder: %1</translation>
    </message>
    <message>
        <source>остановлено сигналом; ни один файл результата не изменён</source>
        <translation>terminated; no output file was changed</translation>
    </message>
    <message>
        <source>%1: страниц: %2</source>
        <translation>%1: %2 page(s)</translation>
    </message>
    <message>
        <source>прервано; ни один файл результата не изменён</source>
        <translation>interrupted; no output file was changed</translation>
    </message>
    <message>
        <source> (слишком велик для %1 dpi; попробуйте --dpi %2)</source>
        <translation> (too large for %1 dpi; try --dpi %2)</translation>
    </message>
    <message>
        <source>ни один файл результата не изменён</source>
        <translation>no output file was changed</translation>
    </message>
    <message>
        <source>прервано; в результате — ячейки, размещённые до прерывания</source>
        <translation>interrupted; the output holds the cells placed before</translation>
    </message>
</context>
<context>
    <name>pagula::app::PreparationPanel</name>
    <message>
        <source>Подготовка страниц</source>
        <translation>Page preparation</translation>
    </message>
    <message>
        <source>Контур страницы</source>
        <translation>Page outline</translation>
    </message>
    <message>
        <source>Выпрямить</source>
        <translation>Straighten</translation>
    </message>
    <message>
        <source>Ровный фон</source>
        <translation>Even background</translation>
    </message>
    <message>
        <source>Всё</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Сохранять пропорции</source>
        <translation>Keep proportions</translation>
    </message>
</context>
<context>
    <name>pagula::preview::PreparedPreview</name>
    <message>
        <source>В ячейке %1 точек на дюйм: мелкий текст будет плохо читаться</source>
        <translation>The cell holds %1 dots per inch: small print will be hard to read</translation>
    </message>
    <message>
        <source>В ячейке %1 точек на дюйм</source>
        <translation>The cell holds %1 dots per inch</translation>
    </message>
</context>
<context>
    <name>pagula::preview::PreviewWindow</name>
    <message>
        <source>Исходный рисунок</source>
        <translation>Original picture</translation>
    </message>
</context>
</TS>
