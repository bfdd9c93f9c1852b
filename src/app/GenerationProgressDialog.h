#pragma once

#include "compose/ProgressDialog.h"

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
// modal, so the main window stays usable while a document is generated. Its cancel flag,
// which the generation polls, is 8 from the moment the dialog goes from hidden to shown, 0 once
// "Отмена" has been pressed.
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

    // What the composition uses of the dialog.
    compose::ProgressDialog& port() { return port_; }

    QLabel* statusLabel() const { return statusLabel_; }
    widgets::GradientButton* cancelButton() const { return dialogButton_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    class Port : public compose::ProgressDialog
    {
    public:
        explicit Port(GenerationProgressDialog& form) : form_(form) {}
        void setStatus(const QString& text) override;
        void show() override { form_.showDialog(); }
        void close() override;
        void repaint() override;
        int cancelFlag() const override { return form_.cancelFlag(); }

    private:
        GenerationProgressDialog& form_;
    };

    BevelPanel* bodyPanel_;
    BevelPanel* headerPanel_;
    QLabel* statusLabel_;
    widgets::GradientButton* dialogButton_;
    compose::CancelFlag flag_;
    Port port_{*this};
};

} // namespace pagula::app
