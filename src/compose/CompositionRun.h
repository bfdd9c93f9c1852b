#pragma once

#include "compose/CompositionHost.h"
#include "compose/CompositionSettings.h"
#include "compose/ProgressDialog.h"
#include "compose/Session.h"
#include "document/DocumentBuilder.h"

#include <QString>

namespace pagula::compose
{

// The generation run behind "Сформировать документ": one document for one-sided output, or a
// front and a back document for two-sided output, built through the document builder and
// handed over to be shown. Failures end the run with their message; what was placed stays.
class CompositionRun
{
public:
    CompositionRun(document::DocumentBuilder& builder, CompositionSettings& settings,
                   CompositionHost& host, ProgressDialog& dialog, QString fillerPath);

    // Generates the document from the ticked entries. A start while a run is in progress is
    // ignored.
    void generate();
    bool isRunning() const { return running_; }

    static QString twoSidedMessage();

private:
    void startNewDocument(bool backSide);
    void collectTicked(joblist::JobEntries& entries, int keepFrom);
    void run();
    // After a failure: its message is shown already, so a failing hand-over adds none.
    void handOverQuietly();

    document::DocumentBuilder& builder_;
    CompositionSettings& settings_;
    CompositionHost& host_;
    ProgressDialog& dialog_;
    QString fillerPath_;
    Session session_;
    bool running_ = false;
};

} // namespace pagula::compose
