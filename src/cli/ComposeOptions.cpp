#include "cli/ComposeOptions.h"

#include "cli/TerminalText.h"
#include "common/Conversions.h"
#include "common/Error.h"
#include "common/Language.h"
#include "compose/BackPlacement.h"
#include "layout/CellLimits.h"
#include "layout/LayoutSettings.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <QCoreApplication>
#include <cmath>

namespace pagula::cli
{

namespace
{

QString helpText()
{
    return QCoreApplication::translate(
        "ComposeOptions",
        "Использование: pagula-compose [параметры] СПИСОК РЕЗУЛЬТАТ\n"
        "\n"
        "Раскладывает каждую запись файла списка заданий СПИСОК (путь к рисунку в строке, за ним\n"
        "код обрезки 0, 1 или 2, как их сохраняет программа) сеткой ячеек на листах A4\n"
        "и записывает документ в РЕЗУЛЬТАТ: PDF, документ OpenDocument (.odt) или Word (.docx),\n"
        "по расширению. Рисунок - это файл JPEG, PNG, WebP, HEIC/HEIF, BMP, TIFF, GIF или PCX\n"
        "либо страница PDF, записанная как \"<page N>\" перед путём к PDF; путь к PDF без номера\n"
        "означает все его страницы. По умолчанию - начальные значения программы.\n"
        "\n"
        "Сетка:\n"
        "  -c, --columns N          ячеек в ряду, от 1 до 15 (3)\n"
        "  -r, --rows N             рядов на листе, от 1 до 15 (3)\n"
        "  --margin-left ММ         поля листа в целых миллиметрах (7)\n"
        "  --margin-right ММ        (10)\n"
        "  --margin-top ММ          (7)\n"
        "  --margin-bottom ММ       (20)\n"
        "  --cell-width ММ          ширина ячейки; большие значения уменьшаются до самой\n"
        "                           большой ячейки, которая помещается (по умолчанию - она)\n"
        "  --cell-height ММ         высота ячейки, так же\n"
        "  --gutter ММ              отступ для переплёта в каждой ячейке, от 0 до 30 (6)\n"
        "  --gutter-side СТОРОНА    left, right, top или bottom (left)\n"
        "\n"
        "Рисунки:\n"
        "  --crop1 Л,П,В,Н          профиль обрезки 1 (записи с кодом 1): сколько процентов\n"
        "                           рисунка срезать слева, справа, сверху, снизу, от 0 до 100\n"
        "                           (0,0,0,0)\n"
        "  --crop2 Л,П,В,Н          профиль обрезки 2 (записи с кодом 2)\n"
        "  --brightness N           от 0 до 100, 50 - без изменений (50)\n"
        "  --contrast N             от 0 до 100, 50 - без изменений (50)\n"
        "  --color ТИП              auto, grey или bw (grey)\n"
        "  --no-frame               без рамки вокруг ячеек\n"
        "\n"
        "Подготовка страниц (до профиля обрезки; по умолчанию всё выключено):\n"
        "  --find-page              оставить только страницу: лист на фотографии, печать\n"
        "                           внутри белых полей скана; в ячейке она сохраняет\n"
        "                           свои пропорции\n"
        "  --straighten             выровнять строки повёрнутого скана; сфотографированный\n"
        "                           лист становится прямоугольником\n"
        "  --even-background        ровно белая бумага (тени, серая или жёлтая бумага);\n"
        "                           с --color bw порог местный, по размеру печати\n"
        "  --prepare                все три выше\n"
        "  --keep-proportions       вписать каждый рисунок в ячейку с сохранением пропорций,\n"
        "                           по центру\n"
        "\n"
        "Результат:\n"
        "  --two-sided              лицевая сторона с 1-й, 3-й, 5-й... записями в РЕЗУЛЬТАТ,\n"
        "                           обратная со 2-й, 4-й... в зеркальных рядах\n"
        "  --back ФАЙЛ              куда записать обратную сторону (РЕЗУЛЬТАТ с \"-back\")\n"
        "  --duplex                 с --two-sided: один PDF РЕЗУЛЬТАТ, лицевые и обратные\n"
        "                           страницы вперемежку (лицевая 1, обратная 1, лицевая 2...),\n"
        "                           для двусторонней печати с переворотом по длинному краю;\n"
        "                           без отдельного файла обратной стороны\n"
        "  --back-offset X,Y        сдвиг обратной стороны на принтере в мм: X вправо, Y вниз,\n"
        "                           как видна обратная страница, от -30 до 30 (0,0)\n"
        "  --dpi N                  разрешение рисунков в PDF, от 30 до 1200 (300)\n"
        "  --embed                  хранить рисунки внутри .odt или .docx, чтобы файл можно\n"
        "                           было перенести на другой компьютер (иначе - ссылки на них)\n"
        "  -q, --quiet              не показывать ход работы\n"
        "  --lang ЯЗЫК              язык сообщений: ru или en (по умолчанию по локали:\n"
        "                           en* - английский, иначе русский)\n"
        "  -h, --help               этот текст\n"
        "  --version                версия программы\n"
        "\n"
        "Настройки, с которыми лист не сложить, и результаты, совпадающие со списком, одним\n"
        "из его рисунков или друг с другом, отклоняются до начала работы. Двусторонний\n"
        "запуск заменяет оба файла или ни одного.\n"
        "Рисунки декодируются по нескольку сразу в пределах одного бюджета памяти: четверть\n"
        "памяти компьютера, не больше 1 ГиБ; рисунок, которому нужно больше, отклоняется.\n"
        "Ctrl+C останавливает работу после текущего рисунка и записывает то, что размещено;\n"
        "Ctrl+C во время записи, SIGTERM, SIGHUP и SIGPIPE (сообщения больше никто не читает)\n"
        "останавливают работу в течение секунды, не меняя ни одного файла результата.\n"
        "Временные файлы хранятся в собственной папке программы; следующий запуск удаляет те,\n"
        "что оставил прерванный запуск.\n"
        "Код выхода: 0 готово, 1 ошибка, 2 неверные аргументы, 3 прервано.\n");
}

int wholeNumber(const QCommandLineParser& p, const QString& name, int lo, int hi, int fallback)
{
    if (!p.isSet(name))
        return fallback;
    const int v = common::parseInteger(p.value(name));
    if (v < lo || v > hi)
        throw common::Error(
            QCoreApplication::translate("ComposeOptions", "--%1: число должно быть от %2 до %3")
                .arg(name)
                .arg(lo)
                .arg(hi));
    return v;
}

compose::CropProfile profile(const QCommandLineParser& p, const QString& name)
{
    if (!p.isSet(name))
        return {};
    const QStringList parts = p.value(name).split(QLatin1Char(','));
    if (parts.size() != 4)
        throw common::Error(
            QCoreApplication::translate(
                "ComposeOptions",
                "--%1: нужны четыре процента через запятую: слева,справа,сверху,снизу")
                .arg(name));
    int v[4];
    for (int k = 0; k < 4; ++k) {
        v[k] = common::parseInteger(parts[k].trimmed());
        if (v[k] < 0 || v[k] > 100)
            throw common::Error(QCoreApplication::translate(
                                    "ComposeOptions", "--%1: проценты должны быть от 0 до 100")
                                    .arg(name));
    }
    return {v[0], v[1], v[2], v[3]};
}

QPointF backOffset(const QCommandLineParser& p)
{
    const QString name = QStringLiteral("back-offset");
    if (!p.isSet(name))
        return {};
    const QStringList parts = p.value(name).split(QLatin1Char(','));
    if (parts.size() != 2)
        throw common::Error(QCoreApplication::translate(
            "ComposeOptions", "--back-offset: нужны две длины в мм через запятую: X,Y"));
    double v[2];
    for (int k = 0; k < 2; ++k) {
        bool ok = false;
        v[k] = parts[k].trimmed().toDouble(&ok);
        if (!ok || !(std::abs(v[k]) <= compose::MaxBackOffsetMm))
            throw common::Error(
                QCoreApplication::translate("ComposeOptions",
                                            "--back-offset: длины должны быть от %1 до %2 мм")
                    .arg(-compose::MaxBackOffsetMm)
                    .arg(compose::MaxBackOffsetMm));
    }
    return {v[0], v[1]};
}

double chosen(std::optional<double> requested, double maximum)
{
    double size = requested.value_or(maximum + 1.0);
    if (layout::clampToMaximum(size, maximum)) {
        // The edit then shows the maximum as one-decimal text and is read back; a re-read
        // above the maximum is clamped once more to the exact value.
        const double shown = common::parseDecimal(common::formatOneDecimal(maximum));
        size = shown > maximum ? maximum : shown;
    }
    return size;
}

} // namespace

QString requestedLanguage(const QStringList& arguments)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--"))
            break;
        if (a.startsWith(QLatin1String("--lang=")))
            return a.mid(7);
        if (a == QLatin1String("--lang") && i + 1 < arguments.size())
            return arguments[i + 1];
    }
    return {};
}

ParseResult parseComposeArguments(const QStringList& arguments)
{
    QCommandLineParser p;
    p.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QStringList valued{"columns",    "rows",          "margin-left", "margin-right",
                             "margin-top", "margin-bottom", "cell-width",  "cell-height",
                             "gutter",     "gutter-side",   "crop1",       "crop2",
                             "brightness", "contrast",      "color",       "back",
                             "dpi",        "back-offset",   "lang"};
    for (const QString& name : valued) {
        QStringList names{name};
        if (name == QLatin1String("columns"))
            names.prepend(QStringLiteral("c"));
        if (name == QLatin1String("rows"))
            names.prepend(QStringLiteral("r"));
        p.addOption(QCommandLineOption(names, QString(), QStringLiteral("value")));
    }
    p.addOption(QCommandLineOption(QStringList{"no-frame"}));
    p.addOption(QCommandLineOption(QStringList{"two-sided"}));
    p.addOption(QCommandLineOption(QStringList{"duplex"}));
    p.addOption(QCommandLineOption(QStringList{"embed"}));
    for (const char* flag :
         {"find-page", "straighten", "even-background", "prepare", "keep-proportions"})
        p.addOption(QCommandLineOption(QStringList{QString::fromLatin1(flag)}));
    p.addOption(QCommandLineOption(QStringList{"q", "quiet"}));
    p.addOption(QCommandLineOption(QStringList{"h", "help"}));
    p.addOption(QCommandLineOption(QStringList{"version"}));

    ParseResult result;
    if (!p.parse(arguments)) {
        // What was typed is made safe before it joins the lines of the message.
        result.text =
            terminalSafe(p.errorText()) +
            QCoreApplication::translate("ComposeOptions", "\nСправка: pagula-compose --help.\n");
        result.exitCode = 2;
        return result;
    }
    if (p.isSet(QStringLiteral("help"))) {
        result.text = helpText();
        return result;
    }
    if (p.isSet(QStringLiteral("version"))) {
        result.text =
            QStringLiteral("pagula-compose (Pagula) %1\n").arg(QStringLiteral(PAGULA_VERSION));
        return result;
    }
    if (p.positionalArguments().size() != 2) {
        result.text =
            QCoreApplication::translate(
                "ComposeOptions",
                "pagula-compose: нужно указать файл списка заданий и файл результата.") +
            QCoreApplication::translate("ComposeOptions", "\nСправка: pagula-compose --help.\n");
        result.exitCode = 2;
        return result;
    }

    try {
        ComposeOptions o;
        o.jobListPath = p.positionalArguments().at(0);
        o.outputPath = p.positionalArguments().at(1);
        o.columns = wholeNumber(p, QStringLiteral("columns"), 1, 15, o.columns);
        o.rows = wholeNumber(p, QStringLiteral("rows"), 1, 15, o.rows);
        const int big = 1000000;
        o.marginLeft = wholeNumber(p, QStringLiteral("margin-left"), -big, big, o.marginLeft);
        o.marginRight = wholeNumber(p, QStringLiteral("margin-right"), -big, big, o.marginRight);
        o.marginTop = wholeNumber(p, QStringLiteral("margin-top"), -big, big, o.marginTop);
        o.marginBottom = wholeNumber(p, QStringLiteral("margin-bottom"), -big, big, o.marginBottom);
        if (p.isSet(QStringLiteral("cell-width")))
            o.cellWidth = common::parseDecimal(p.value(QStringLiteral("cell-width")));
        if (p.isSet(QStringLiteral("cell-height")))
            o.cellHeight = common::parseDecimal(p.value(QStringLiteral("cell-height")));
        o.gutterSize = wholeNumber(p, QStringLiteral("gutter"), 0, 30, o.gutterSize);
        if (p.isSet(QStringLiteral("gutter-side"))) {
            const QStringList sides{"left", "right", "top", "bottom"};
            const auto side = sides.indexOf(p.value(QStringLiteral("gutter-side")).toLower());
            if (side < 0)
                throw common::Error(QCoreApplication::translate(
                    "ComposeOptions", "--gutter-side: left, right, top или bottom"));
            o.gutterSide = layout::gutterSideFromIndex(int(side));
        }
        o.profile1 = profile(p, QStringLiteral("crop1"));
        o.profile2 = profile(p, QStringLiteral("crop2"));
        o.brightness = wholeNumber(p, QStringLiteral("brightness"), 0, 100, o.brightness);
        o.contrast = wholeNumber(p, QStringLiteral("contrast"), 0, 100, o.contrast);
        if (p.isSet(QStringLiteral("color"))) {
            const QStringList types{"auto", "grey", "bw"};
            const auto type = types.indexOf(p.value(QStringLiteral("color")).toLower());
            if (type < 0)
                throw common::Error(
                    QCoreApplication::translate("ComposeOptions", "--color: auto, grey или bw"));
            o.colorType = document::ColorType(type + 1); // listed in the colour types' order
        }
        o.frame = !p.isSet(QStringLiteral("no-frame"));
        const bool all = p.isSet(QStringLiteral("prepare"));
        o.preparation.findPage = all || p.isSet(QStringLiteral("find-page"));
        o.preparation.straighten = all || p.isSet(QStringLiteral("straighten"));
        o.preparation.evenBackground = all || p.isSet(QStringLiteral("even-background"));
        o.keepProportions = p.isSet(QStringLiteral("keep-proportions"));
        o.twoSided = p.isSet(QStringLiteral("two-sided"));
        o.duplex = p.isSet(QStringLiteral("duplex"));
        if (o.duplex && !o.twoSided)
            throw common::Error(QCoreApplication::translate(
                "ComposeOptions", "--duplex действует только вместе с --two-sided"));
        if (o.duplex && p.isSet(QStringLiteral("back")))
            throw common::Error(QCoreApplication::translate(
                "ComposeOptions", "--duplex записывает один файл; --back с ним не сочетается"));
        o.backOffset = backOffset(p);
        o.backOffsetGiven = p.isSet(QStringLiteral("back-offset"));
        o.backOutputGiven = p.isSet(QStringLiteral("back"));
        o.backOutputPath = p.isSet(QStringLiteral("back")) ? p.value(QStringLiteral("back"))
                                                           : defaultBackOutputPath(o.outputPath);
        o.dpiGiven = p.isSet(QStringLiteral("dpi"));
        if (o.dpiGiven) {
            o.pictureDpi = common::parseDecimal(p.value(QStringLiteral("dpi")));
            if (o.pictureDpi < 30 || o.pictureDpi > 1200)
                throw common::Error(QCoreApplication::translate(
                    "ComposeOptions", "--dpi: число должно быть от 30 до 1200"));
        }
        o.embedPictures = p.isSet(QStringLiteral("embed"));
        o.quiet = p.isSet(QStringLiteral("quiet"));
        if (p.isSet(QStringLiteral("lang")) &&
            !common::languageFromCode(p.value(QStringLiteral("lang"))))
            throw common::Error(QCoreApplication::translate("ComposeOptions", "--lang: ru или en"));
        result.options = o;
    } catch (const common::Error& e) {
        result.text =
            terminalSafe(e.message()) +
            QCoreApplication::translate("ComposeOptions", "\nСправка: pagula-compose --help.\n");
        result.exitCode = 2;
    }
    return result;
}

double chosenCellWidth(const ComposeOptions& o)
{
    return chosen(o.cellWidth, layout::maxCellSize(layout::kPageWidthMm, o.marginLeft,
                                                   o.marginRight, o.columns));
}

double chosenCellHeight(const ComposeOptions& o)
{
    return chosen(o.cellHeight,
                  layout::maxCellSize(layout::kPageHeightMm, o.marginTop, o.marginBottom, o.rows));
}

QString defaultBackOutputPath(const QString& outputPath)
{
    const QFileInfo info(outputPath);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? outputPath : outputPath.chopped(suffix.size() + 1);
    return suffix.isEmpty() ? base + QStringLiteral("-back")
                            : base + QStringLiteral("-back.") + suffix;
}

} // namespace pagula::cli
