// Saves an ODT or DOCX package with stored pictures under a file size limit, for the test of a
// write failing half way. A child process of its own, because the limit holds for the process.
//   save_package_under_size_limit <limit bytes> odt|docx <picture> <output>
// Exit code 0 when the save failed with a write error naming the output, 1 when it saved, 2 for
// any other failure; the error message goes to standard output.
#include "common/Error.h"
#include "document/DocxExport.h"
#include "document/OdtExport.h"

#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

using namespace pagula::document;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 5)
        return 2;
    const bool odt = std::strcmp(argv[2], "odt") == 0;
    const QString output = QString::fromLocal8Bit(argv[4]);

    // Each picture a file of its own, so each is stored.
    Document doc;
    for (int i = 0; i < 9; ++i) {
        const QString copy = output + QStringLiteral(".picture%1.png").arg(i);
        QFile::remove(copy);
        if (!QFile::copy(QString::fromLocal8Bit(argv[3]), copy))
            return 2;
        doc.insertPicture(doc.itemCount(), InlinePicture(copy, QSizeF(225, 225), true, false));
    }

    // Beyond the limit every write fails with EFBIG, even for root.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlim_t bytes = std::strtoull(argv[1], nullptr, 10);
    const rlimit limit{bytes, bytes};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return 2;
    int code = 2;
    try {
        if (odt) {
            OdtOptions options;
            options.embedPictures = true;
            saveOdt(doc, output, options);
        } else {
            DocxOptions options;
            options.embedPictures = true;
            saveDocx(doc, output, options);
        }
        code = 1;
    } catch (const pagula::common::Error& e) {
        std::printf("%s\n", e.message().toUtf8().constData());
        code = e.message().startsWith(QStringLiteral("Cannot write file ") + output) ? 0 : 2;
    }
    for (int i = 0; i < 9; ++i)
        QFile::remove(output + QStringLiteral(".picture%1.png").arg(i));
    return code;
}
