#pragma once

#include <QDialog>

class QLabel;

namespace pagula
{
class GradientButton;
}

namespace pagula::app
{

class BevelPanel;

// The About dialog "О программе...": a short credits text and "Ok". Shown modally from the
// main window's "?" button; "Ok" closes it, ready to be shown again.
class TForm3 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    // Runs the dialog modally, centred on the screen; returns when it is closed.
    int showModal();

    // "Ok".
    void GradBtn6Click();

    static QString creditsText();

    QLabel* creditsLabel() const { return Label1; }
    GradientButton* okButton() const { return GradBtn6; }

private:
    BevelPanel* Panel1;
    BevelPanel* Panel2;
    QLabel* Label1;
    GradientButton* GradBtn6;
};

} // namespace pagula::app
