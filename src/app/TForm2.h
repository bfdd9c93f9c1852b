#pragma once

#include "compose/ProgressDialog.h"

#include <QWidget>

class QLabel;

namespace pagula
{
class GradientButton;
}

namespace pagula::app
{

class BevelPanel;

// The progress dialog "Формирование документа....": a status line and "Отмена". It is not
// modal, so the main window stays usable while a document is generated. Its Tag is the cancel
// flag the generation polls: 8 from the moment the dialog goes from hidden to shown, 0 once
// "Отмена" has been pressed.
class TForm2 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    int Tag() const { return flag_.value(); }

    // FormShow: the dialog went from hidden to shown.
    void FormShow();
    // "Отмена": the generation stops after the entry in progress; the dialog stays up.
    void Button1Click();

    // Shows the dialog centred on the screen, without making it modal; a dialog that is up
    // stays where it is (and keeps its Tag).
    void showDialog();

    // What the composition uses of the dialog.
    compose::ProgressDialog& port() { return port_; }

    QLabel* statusLabel() const { return Label1; }
    GradientButton* cancelButton() const { return GradBtn6; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    class Port : public compose::ProgressDialog
    {
    public:
        explicit Port(TForm2& form) : form_(form) {}
        void setStatus(const QString& text) override;
        void show() override { form_.showDialog(); }
        void close() override;
        void repaint() override;
        int cancelFlag() const override { return form_.Tag(); }

    private:
        TForm2& form_;
    };

    BevelPanel* Panel2;
    BevelPanel* Panel1;
    QLabel* Label1;
    GradientButton* GradBtn6;
    compose::CancelFlag flag_;
    Port port_{*this};
};

} // namespace pagula::app
