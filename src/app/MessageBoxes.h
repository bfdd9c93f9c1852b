#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace pagula::app
{

// The kinds of message box the main window shows for a generation run.
enum class MessageKind {
    Error,       // stop icon, one OK button
    Plain,       // no icon, one OK button: a failure's own message
    Information, // information icon, one OK button
};

// Message boxes titled "Pagula" that wait until the user dismisses them. Tests answer them
// through the hook instead.
class MessageBoxes
{
public:
    static void show(QWidget* parent, MessageKind kind, const QString& text);

    // While set, show() hands the kind and the text as it would be shown to the hook.
    using Hook = std::function<void(MessageKind kind, const QString& text)>;
    static void setHook(Hook hook);

    // The text as the box shows it: a lone carriage return between two texts is a line break
    // where the texts were written for, so it becomes one here.
    static QString displayText(const QString& text);
};

} // namespace pagula::app
