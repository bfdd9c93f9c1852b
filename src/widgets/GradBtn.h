#pragma once

#include <QWidget>

namespace pagula {

// The custom-painted command button used for every command button of the program.
// Interim declaration: the full class (properties, states, painting) replaces it; what stays is
// the constructor, caption()/setCaption() and the clicked() signal.
class TGradBtn : public QWidget {
    Q_OBJECT
public:
    explicit TGradBtn(QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

signals:
    // OnClick.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString caption_;
};

} // namespace pagula
