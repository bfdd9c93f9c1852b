#pragma once

#include <QWidget>

class QLabel;

namespace pagula::widgets
{
class GradientButton;
} // namespace pagula::widgets

namespace pagula::app
{

class BevelPanel;

// The progress dialog "Формирование документа....": a status line and "Отмена". It is not
// modal, so the main window stays usable while a document is generated. Its cancel flag is 8
// from the moment the dialog goes from hidden to shown, 0 once "Отмена" has been pressed, which
// also tells the generation to stop.
class GenerationProgressDialog : public QWidget
{
    Q_OBJECT
public:
    explicit GenerationProgressDialog(QWidget* parent = nullptr);

    int cancelFlag() const { return flag_.value(); }

    // The dialog went from hidden to shown: a new generation may go on.
    void armCancelFlag();
    // "Отмена": the generation stops after the entry in progress; the dialog stays up.
    void cancel();

    // Shows the dialog centred on the screen, without making it modal; a dialog that is up
    // stays where it is (and keeps its cancel flag).
    void showDialog();
    void setStatus(const QString& text);

    QLabel* statusLabel() const { return statusLabel_; }
    widgets::GradientButton* cancelButton() const { return dialogButton_; }

signals:
    void cancelled();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Armed (8) when the dialog goes from hidden to shown, cleared (0) by "Отмена"; a show
    // while visible does not re-arm it, and it keeps its value while hidden.
    class CancelFlag
    {
    public:
        static constexpr int Armed = 8;
        static constexpr int Cancelled = 0;
        void arm() { value_ = Armed; }
        void cancel() { value_ = Cancelled; }
        int value() const { return value_; }

    private:
        int value_ = Cancelled;
    };

    BevelPanel* bodyPanel_;
    BevelPanel* headerPanel_;
    QLabel* statusLabel_;
    widgets::GradientButton* dialogButton_;
    CancelFlag flag_;
};

} // namespace pagula::app
