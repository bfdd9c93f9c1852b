#pragma once

#include <QWidget>

namespace pagula::app
{

// A panel as the program's windows use them: a background colour, up to two one-pixel bevel
// rings (outer, then inner) and an optional caption drawn inside them. Child layouts keep clear
// of the rings through the contents margins.
class BevelPanel : public QWidget
{
    Q_OBJECT
public:
    enum class Bevel { None, Lowered, Raised, Space };

    explicit BevelPanel(QWidget* parent = nullptr);

    void setBevels(Bevel outer, Bevel inner);
    Bevel outerBevel() const { return outer_; }
    Bevel innerBevel() const { return inner_; }
    // Pixels taken by the rings on each side.
    int bevelDepth() const;

    void setColor(const QColor& colour);
    QColor color() const;

    void setCaption(const QString& caption, Qt::Alignment alignment = Qt::AlignCenter);
    QString caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateMargins();

    Bevel outer_ = Bevel::Raised;
    Bevel inner_ = Bevel::None;
    QString caption_;
    Qt::Alignment captionAlignment_ = Qt::AlignCenter;
};

} // namespace pagula::app
