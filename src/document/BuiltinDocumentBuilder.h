#pragma once

#include "document/Document.h"
#include "document/DocumentBuilder.h"

#include <functional>
#include <memory>
#include <vector>

namespace pagula::document
{

// Builds documents of the built-in document model. Documents live as long as someone holds
// them: the builder keeps every document it made; handOver() gives the ones made since the
// last hand-over to the document handler, in the order they were made.
class BuiltinDocumentBuilder : public DocumentBuilder
{
public:
    using DocumentHandler = std::function<void(std::shared_ptr<Document>)>;

    // Receives the documents at handOver(). Without a handler, documents wait for the next
    // hand-over that has one.
    void setDocumentHandler(DocumentHandler handler);
    const std::vector<std::shared_ptr<Document>>& documents() const { return documents_; }
    std::shared_ptr<Document> currentDocument() const { return current_; }

    void beginDocument(const QMarginsF& margins) override;
    void addCell(const Cell& cell) override;
    void endRow() override;
    void breakLine() override;
    void breakPage() override;
    void handOver() override;

private:
    Document& document();
    void append(ItemKind mark);

    std::vector<std::shared_ptr<Document>> documents_;
    size_t firstUnshown_ = 0;
    std::shared_ptr<Document> current_;
    DocumentHandler handler_;
};

} // namespace pagula::document
