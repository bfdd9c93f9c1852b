#pragma once

#include <QDir>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace pagula::document
{
class Document;
}

namespace pagula::app
{

class Program;

// A scripted walk through the program that saves pictures of its windows as PNG files, for
// looking at the program without sitting in front of it. Started only when the environment
// variable PAGULA_SCREENSHOTS names a folder: it adds the pictures of the current folder to
// the job list, shows the preview, the About dialog, a generation with its progress dialog and
// the document window, a two-sided run's front window maximised, the question of printing by
// hand, the two-sided print dialog, the back offset dialog and the question about an unsaved
// job list, and then ends the program. Message boxes are answered and written to messages.txt
// in that folder.
class ScreenshotTour : public QObject
{
    Q_OBJECT
public:
    static constexpr const char* EnvironmentVariable = "PAGULA_SCREENSHOTS";

    ScreenshotTour(Program& program, const QString& folder);
    // The tour's document windows: the program's own, closed at the end without asking.
    static QWidget* makeDocumentWindow(std::shared_ptr<document::Document> document,
                                       const QString& label);
    ~ScreenshotTour() override;

    void start();

private:
    using Step = std::function<void()>;
    void next();
    void then(int delayMs, Step step);
    void save(QWidget& widget, const QString& name);
    void saveScreen(const QString& name);
    void note(const QString& line);

    Program& program_;
    QDir folder_;
    std::vector<std::pair<int, Step>> steps_;
    size_t nextStep_ = 0;
};

} // namespace pagula::app
