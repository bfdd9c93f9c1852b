#include "joblist/ui/UnsavedListQuestion.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace pagula::joblist
{

UnsavedListAnswer askAboutUnsavedList(QWidget* parent, int entries)
{
    QMessageBox box(
        QMessageBox::Question, QStringLiteral("Pagula"),
        QCoreApplication::translate("UnsavedListQuestion",
                                    "Список заданий изменён и не сохранён (записей: %1). "
                                    "Сохранить его перед выходом? Сохранённый список вернёт "
                                    "«Загрузить» в меню списка.")
            .arg(entries),
        QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("unsavedListBox"));
    QPushButton* keep = box.addButton(
        QCoreApplication::translate("UnsavedListQuestion", "Сохранить"), QMessageBox::AcceptRole);
    QPushButton* discard =
        box.addButton(QCoreApplication::translate("UnsavedListQuestion", "Не сохранять"),
                      QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(
        QCoreApplication::translate("UnsavedListQuestion", "Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(keep);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == keep)
        return UnsavedListAnswer::Keep;
    if (box.clickedButton() == discard)
        return UnsavedListAnswer::Discard;
    return UnsavedListAnswer::Cancel;
}

} // namespace pagula::joblist
