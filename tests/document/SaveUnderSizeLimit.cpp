// Saves a PDF of one picture under a file size limit, for the test of a write failing half way.
// A child process of its own, because Qt's worker threads do not survive a fork.
//   save_under_size_limit <limit bytes> <picture> <output>
// Exit code 0 when the save failed with a write error naming the output, 1 when it saved,
// 2 for any other failure; the error message goes to standard output.
#include "common/Error.h"
#include "document/PdfExport.h"

#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

using namespace pagula::document;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4)
        return 2;
    const QString picturePath = QString::fromLocal8Bit(argv[2]);
    const QString output = QString::fromLocal8Bit(argv[3]);

    Document doc;
    for (int i = 0; i < 9; ++i) {
        InlinePicture picture(picturePath, QSizeF(450, 225), true, false);
        picture.setWidth(180 - i); // each its own size, so each is stored
        picture.setHeight(90);
        doc.insertPicture(doc.itemCount(), picture);
    }

    // Beyond the limit every write fails with EFBIG, even for root.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlim_t bytes = std::strtoull(argv[1], nullptr, 10);
    const rlimit limit{bytes, bytes};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return 2;
    try {
        savePdf(doc, output);
        return 1;
    } catch (const pagula::common::Error& e) {
        std::printf("%s\n", e.message().toUtf8().constData());
        return e.message().startsWith(QStringLiteral("Cannot write file ") + output) ? 0 : 2;
    }
}
