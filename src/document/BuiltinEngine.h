#pragma once

#include "document/Document.h"
#include "document/Engine.h"

#include <functional>
#include <memory>
#include <vector>

namespace pagula::document {

// The engine over the built-in document model. Documents live as long as someone holds them:
// the engine keeps every document it made; showAndActivate() hands the ones made since the
// last show to the document handler, in the order they were made.
//
// The range is held in the current document as item positions. Picture numbers count the
// inline pictures inside the range, from 1, as the word processor's collection does.
class BuiltinEngine : public Engine {
public:
    using DocumentHandler = std::function<void(std::shared_ptr<Document>)>;

    // Receives the documents at showAndActivate(). Without a handler, documents wait for the
    // next show that has one.
    void setDocumentHandler(DocumentHandler handler);
    const std::vector<std::shared_ptr<Document>>& documents() const { return documents_; }
    std::shared_ptr<Document> currentDocument() const { return current_; }
    int rangeStart() const { return rangeStart_; }

    void connect() override {}
    void disableOptions() override {}
    void setCaption(const QString&) override {}
    void showAndActivate() override;
    void releaseApplication() override {}

    void addDocument() override;
    void releaseDocument() override;
    void setTopMargin(float points) override;
    void setLeftMargin(float points) override;
    void setBottomMargin(float points) override;
    void setRightMargin(float points) override;

    void selectWholeDocument() override;
    int rangeEnd() override;
    void setRange(int start, int end) override;
    void insertAfter(const QString& text) override;
    void addPicture(const QString& path, bool linkToFile, bool saveWithDocument) override;
    int pictureCount() override;

    void setScaleHeight(int n, float percent) override;
    void setScaleWidth(int n, float percent) override;
    float width(int n) override;
    float height(int n) override;
    void setWidth(int n, float points) override;
    void setHeight(int n, float points) override;
    void setBrightness(int n, float value) override;
    void setContrast(int n, float value) override;
    void setColorType(int n, ColorType type) override;
    void setCrop(int n, CropSide side, float points) override;
    void setBorder(int n, BorderEdge edge, int lineStyle, int lineWidth) override;

private:
    Document& document();
    InlinePicture& picture(int n);

    std::vector<std::shared_ptr<Document>> documents_;
    size_t firstUnshown_ = 0;
    std::shared_ptr<Document> current_;
    int rangeStart_ = 0;
    int rangeEnd_ = 0;
    DocumentHandler handler_;
};

} // namespace pagula::document
