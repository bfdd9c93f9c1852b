#pragma once

#include "compose/CompositionSettings.h"
#include "document/Document.h"

#include <QStringList>

#include <memory>
#include <vector>

namespace pagula::document::test
{

// The main window's settings as plain data, at their start values unless a test changes them.
using LayoutChoice = compose::CompositionSettings;

// Runs the composition with the built-in document layer over ticked job entries (written as in
// the job list file: picture path and crop code) and returns the documents it made: one, or a
// front and a back side. The filler picture is written at fillerPath. Fails the test when the
// run reports an error.
std::vector<std::shared_ptr<Document>>
composeDocuments(const QStringList& ticked, const LayoutChoice& layout, const QString& fillerPath);

} // namespace pagula::document::test
