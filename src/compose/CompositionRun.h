#pragma once

#include "compose/CompositionHost.h"
#include "compose/CompositionSettings.h"
#include "compose/ProgressDialog.h"
#include "compose/Session.h"
#include "document/Engine.h"

#include <QString>

namespace pagula::compose {

// The generation run behind "Сформировать документ": one document for one-sided output, or a
// front and a back document for two-sided output, built through the engine and left open and
// shown. Failures end the run with their message; what was placed stays.
class CompositionRun {
public:
    CompositionRun(document::Engine& engine, CompositionSettings& settings,
                   CompositionHost& host, ProgressDialog& dialog, QString fillerPath);

    // Generates the document from the ticked entries. A start while a run is in progress is
    // ignored.
    void generate();
    bool isRunning() const { return running_; }

    static QString engineStartFailureText();
    static QString twoSidedMessage();

private:
    void startEngine();
    void startNewDocument(bool backSide);
    void collectTicked(QStringList& entries, int keepFrom);
    void run();

    document::Engine& engine_;
    CompositionSettings& settings_;
    CompositionHost& host_;
    ProgressDialog& dialog_;
    QString fillerPath_;
    Session session_;
    bool running_ = false;
};

} // namespace pagula::compose
