#pragma once

class QWidget;

namespace pagula::joblist
{

enum class UnsavedListAnswer { Keep, Discard, Cancel };

// Asked before the main window closes with a changed job list that is not saved: keep it (save
// it as "Сохранить" does, for "Загрузить" to bring back), discard it, or do not close.
UnsavedListAnswer askAboutUnsavedList(QWidget* parent, int entries);

} // namespace pagula::joblist
