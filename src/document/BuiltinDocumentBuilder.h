#pragma once

#include "document/Document.h"
#include "document/DocumentBuilder.h"

#include <memory>

namespace pagula::document
{

// The own size (points) of a picture file as a cell takes it in, read from the file's header.
// Throws pagula::common::Error "Cannot insert picture <path>: <reason>" when the file is missing,
// unreadable or not a picture. May run on any thread.
QSizeF cellPictureSize(const QString& path);

// Builds documents of the built-in document model. Documents live as long as someone holds
// them; the builder holds the one it is building.
class BuiltinDocumentBuilder : public DocumentBuilder
{
public:
    std::shared_ptr<Document> currentDocument() const { return current_; }

    std::shared_ptr<Document> beginDocument(const QMarginsF& margins) override;
    void addCell(const Cell& cell) override;
    void endRow() override;
    void breakLine() override;
    void breakPage() override;

private:
    Document& document();
    void append(ItemKind mark);

    std::shared_ptr<Document> current_;
};

} // namespace pagula::document
