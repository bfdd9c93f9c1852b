#pragma once

#include <QObject>

class QAction;
class QWidget;

namespace pagula::app
{

// The language of the window, chosen from the popup menu of the About button ("?"): Russian
// or English, ticked as stored. A choice is kept for the next start (the windows are built in
// one language) and reported through `chosen`.
class LanguageCommands : public QObject
{
    Q_OBJECT
public:
    LanguageCommands(QWidget* aboutButton, QObject* parent);

    QAction* russianAction() const { return russian_; }
    QAction* englishAction() const { return english_; }

signals:
    // The text to show the user after a choice.
    void chosen(const QString& message);

private:
    void choose(const QString& code);

    QAction* russian_;
    QAction* english_;
};

} // namespace pagula::app
