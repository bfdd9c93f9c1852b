#pragma once

#include "common/Error.h"

#include <QString>
#include <exception>
#include <functional>

class QWidget;

namespace pagula::widgets
{

// The application's default error report: a message box with a stop icon and an OK button,
// titled "Pagula", showing common::errorReportText(message). Every handler that does not catch its
// own errors runs through runGuarded(), so a failure ends that handler and the event loop goes on.
class ErrorReport
{
public:
    static void show(QWidget* parent, const QString& message);

    // Test seam: while set, show() hands the final text to the hook instead of opening a box.
    using Hook = std::function<void(const QString& text)>;
    static void setHook(Hook hook);
};

// Runs a handler body; reports a failure through ErrorReport. Returns false on failure.
template <class F> bool runGuarded(QWidget* parent, F&& body)
{
    try {
        body();
        return true;
    } catch (const common::Error& e) {
        ErrorReport::show(parent, e.message());
    } catch (const std::exception& e) {
        ErrorReport::show(parent, QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace pagula::widgets
