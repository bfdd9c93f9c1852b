#pragma once

#include <QString>

namespace pagula::document {

// Border edges of an inline picture, numbered as the word processor numbers its border items.
enum class BorderEdge { Top = 1, Left = 2, Bottom = 3, Right = 4 };

enum class CropSide { Bottom, Top, Left, Right };

// Picture colour types as the word processor numbers them.
enum class ColorType { Automatic = 1, Greyscale = 2, BlackAndWhite = 3 };

constexpr int LineStyleSingle = 1;
constexpr int LineWidthQuarterPoint = 2; // the word processor's code for a 1/4 pt line

// Control characters understood by Engine::insertAfter().
constexpr char16_t ParagraphMark = 13;
constexpr char16_t LineBreak = 11;
constexpr char16_t PageBreak = 12;

// The word-processor operations that the composition drives, shaped after a word processor's
// automation model (application, documents, page setup, a range, inline pictures, picture
// format, borders). The built-in document layer implements it; a Word or LibreOffice engine
// could implement it too. Lengths are points (1/72 inch). Every operation may throw
// pagula::Error with a message for the user.
class Engine {
public:
    virtual ~Engine() = default;

    // --- application
    // Attaches to a running application or starts one, hidden.
    virtual void connect() = 0;
    // Switches off application settings that would disturb the layout; no-op where none exist.
    virtual void disableOptions() = 0;
    virtual void setCaption(const QString& caption) = 0;
    // Makes the application and its documents visible and brings them to the front.
    virtual void showAndActivate() = 0;
    // Lets go of the application; it keeps running with its documents.
    virtual void releaseApplication() = 0;

    // --- documents
    // Adds a blank document from the default template (A4 portrait) and makes it current.
    virtual void addDocument() = 0;
    virtual void releaseDocument() = 0;
    virtual void setTopMargin(float points) = 0;
    virtual void setLeftMargin(float points) = 0;
    virtual void setBottomMargin(float points) = 0;
    virtual void setRightMargin(float points) = 0;

    // --- the range of the current document that insertions use
    // The range becomes the whole document.
    virtual void selectWholeDocument() = 0;
    // Position after the last content of the range.
    virtual int rangeEnd() = 0;
    virtual void setRange(int start, int end) = 0;
    // Text added behind the range, the range grown over it. The document layer takes the
    // control characters ParagraphMark, LineBreak and PageBreak.
    virtual void insertAfter(const QString& text) = 0;
    // An inline picture at the range. Fails with a message naming the file and the reason
    // when the file is missing, unreadable or not a picture; the document keeps what it had.
    virtual void addPicture(const QString& path, bool linkToFile, bool saveWithDocument) = 0;
    // Number of inline pictures in the range.
    virtual int pictureCount() = 0;

    // --- inline picture n of the range, counted from 1 in document order
    virtual void setScaleHeight(int n, float percent) = 0;
    virtual void setScaleWidth(int n, float percent) = 0;
    virtual float width(int n) = 0;
    virtual float height(int n) = 0;
    // Displayed size; width and height are set each alone, without keeping the aspect ratio.
    virtual void setWidth(int n, float points) = 0;
    virtual void setHeight(int n, float points) = 0;
    // 0.0 to 1.0, 0.5 neutral.
    virtual void setBrightness(int n, float value) = 0;
    virtual void setContrast(int n, float value) = 0;
    virtual void setColorType(int n, ColorType type) = 0;
    // Cuts a side off, in points of the picture at 100 %; later sizing applies to the rest.
    virtual void setCrop(int n, CropSide side, float points) = 0;
    virtual void setBorder(int n, BorderEdge edge, int lineStyle, int lineWidth) = 0;
};

} // namespace pagula::document
