#pragma once

#include <QWidget>

#include <memory>

namespace pagula::document
{
class Document;
}

namespace pagula::app
{

// A plain window titled "Pagula" (and the side of a two-sided run) that lists a generated
// document's pages as small pictures. It stands in for the document window until that window is
// part of the program.
class InterimDocumentWindow : public QWidget
{
    Q_OBJECT
public:
    InterimDocumentWindow(std::shared_ptr<document::Document> document, const QString& label);

private:
    std::shared_ptr<document::Document> document_;
};

} // namespace pagula::app
