#pragma once

#include "document/Document.h"
#include "document/ExportResult.h"

#include <QList>
#include <QString>

#include <QCoreApplication>
#include <functional>
#include <optional>

namespace pagula::docwindow
{

// A file format the document window saves to: the file dialog's filter, the file suffix and
// the writer. Writers share one shape (document, path, title, progress), and every one keeps the
// previous file when it fails or is cancelled. The title goes into the file where its format
// holds one (the PDF's Title).
struct SaveFormat {
    using Writer = std::function<document::ExportResult(const document::Document&,
                                                        const QString& path, const QString& title,
                                                        const document::ProgressCallback&)>;

    QString filter; // e.g. "Документ PDF (*.pdf)"
    QString suffix; // without the dot
    Writer write;
    // What the writer's progress counts, for "Сохранение: страница 3 из 20".
    QString progressUnit = QCoreApplication::translate("SaveFormats", "страница");
};

// What "Сохранить как..." offers, in the dialog's order: PDF, then ODT and DOCX, each with its
// pictures linked to their files or stored in it.
QList<SaveFormat> documentSaveFormats();
// What "Сохранить страницы как PNG..." offers: one picture file per page.
QList<SaveFormat> pageImageFormats();

QStringList saveFilters(const QList<SaveFormat>& formats);

struct SaveTarget {
    QString path;
    SaveFormat format;
};

// The file and format for a name the user chose with a filter selected. A name ending in a
// known format's suffix is saved in that format whatever the filter (the selected filter's,
// when several formats share the suffix); any other name is saved in the selected filter's
// format with its suffix added. Without formats nothing is chosen.
std::optional<SaveTarget> resolveSaveTarget(const QString& chosenPath,
                                            const QString& selectedFilter,
                                            const QList<SaveFormat>& formats);

} // namespace pagula::docwindow
