#include "ComposedDocuments.h"

#include "compose/CompositionRun.h"
#include "document/BuiltinDocumentBuilder.h"

#include <gtest/gtest.h>

namespace pagula::document::test
{

std::vector<std::shared_ptr<Document>>
composeDocuments(const QStringList& ticked, const LayoutChoice& layout, const QString& fillerPath)
{
    compose::CompositionRequest request{layout, fillerPath, {}, 0};
    for (const QString& e : ticked)
        request.settings.ticked.append(joblist::JobEntry::fromText(e));
    compose::CompositionEvents quiet;
    const std::atomic<bool> cancel{false};
    BuiltinDocumentBuilder builder;
    const compose::CompositionResult result =
        compose::runComposition(request, builder, quiet, cancel);
    EXPECT_FALSE(result.failure) << result.failure->toStdString();
    std::vector<std::shared_ptr<Document>> documents;
    for (const compose::ComposedDocument& d : result.documents)
        documents.push_back(d.document);
    return documents;
}

} // namespace pagula::document::test
