#pragma once

#include <QDialog>

class QLabel;

namespace pagula::widgets
{
class GradientButton;
} // namespace pagula::widgets

namespace pagula::app
{

class BevelPanel;

// The About dialog "О программе...": a short credits text and "Ok". Shown modally from the
// main window's "?" button; "Ok" closes it, ready to be shown again.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // Runs the dialog modally, centred on the screen; returns when it is closed.
    int showModal();

    // "Ok".
    void onOkClicked();

    static QString creditsText();

    QLabel* creditsLabel() const { return creditsLabel_; }
    widgets::GradientButton* okButton() const { return dialogButton_; }

private:
    BevelPanel* bodyPanel_;
    BevelPanel* headerPanel_;
    QLabel* creditsLabel_;
    widgets::GradientButton* dialogButton_;
};

} // namespace pagula::app
