#pragma once

// The whole program on the offscreen platform, with its message boxes and error reports
// answered and recorded, and helpers that drive it as a user would.

#include "app/FileBrowser.h"
#include "app/MainWindow.h"
#include "app/MessageBoxes.h"
#include "app/Program.h"
#include "document/Document.h"
#include "joblist/ui/UnsavedListQuestion.h"
#include "support/TestSupport.h"
#include "widgets/ErrorReport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace pagula::app::test
{

struct Message {
    MessageKind kind;
    QString text;
};

class ProgramFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    MainWindow& main() { return program->mainWindow(); }

    // A child of the main window by object name; fails the test when there is none.
    template <class T = QWidget> T* control(const char* name)
    {
        T* found = main().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // Writes JPEG files (each a flat colour) into the temporary folder; returns their names.
    QStringList makeJpegs(int count, const QString& prefix = QStringLiteral("page-"));
    // Points the file browser at a folder through its folder tree and waits until the file
    // list shows `expected` (in this order).
    void browseTo(const QString& folder, const QStringList& expected);
    // Selects the file list's rows first..last as a click and a shift-click do, and presses
    // "Добавить >>>".
    void addFiles(int first, int last);
    // Presses a widget with the left mouse button.
    static void press(QWidget* widget);
    // Presses "Сформировать документ" and waits until the run has handed its documents on.
    void generate();
    // Runs `action` once, from the event pass that follows the progress bar's first reaching
    // `value` (the run goes on only after that pass).
    void atProgress(int value, std::function<void()> action);

    // The documents handed to document windows so far.
    std::vector<std::shared_ptr<document::Document>> documents() const;

    QTemporaryDir dir;
    std::unique_ptr<Program> program;
    int quits = 0;
    std::vector<Message> messages;
    QStringList reports;
    // The question before closing with an unsaved job list: the entries it counted, the answer.
    std::vector<int> listQuestions;
    joblist::UnsavedListAnswer listAnswer = joblist::UnsavedListAnswer::Discard;
};

// The pictures of a document in order: file names, "filler" for the white filler picture.
QStringList pictureNames(const document::Document& doc);
// The same without the gutter strips: only pictures wider than `minWidthPt`.
QStringList cellNames(const document::Document& doc, double minWidthPt = 30.0);

} // namespace pagula::app::test
