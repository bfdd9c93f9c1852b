#pragma once

#include <QImage>
#include <QWidget>

namespace pagula::layout
{

// Shows the page schematic unscaled; the widget takes the size of its picture.
class SchematicView : public QWidget
{
    Q_OBJECT
public:
    explicit SchematicView(QWidget* parent = nullptr);

    const QImage& image() const { return image_; }
    void setImage(const QImage& image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

} // namespace pagula::layout
