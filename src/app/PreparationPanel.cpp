#include "app/PreparationPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QSignalBlocker>

namespace pagula::app
{

PreparationPanel::PreparationPanel(QWidget* parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("preparationGroup"));
    setTitle(tr("Подготовка страниц"));
    findPageBox_ = addBox(tr("Контур страницы"), "findPageBox");
    straightenBox_ = addBox(tr("Выпрямить"), "straightenBox");
    evenBackgroundBox_ = addBox(tr("Ровный фон"), "evenBackgroundBox");
    allBox_ = addBox(tr("Всё"), "allPreparationBox");
    keepProportionsBox_ = addBox(tr("Сохранять пропорции"), "keepProportionsBox");

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 0, 6, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(0);
    grid->addWidget(findPageBox_, 0, 0);
    grid->addWidget(straightenBox_, 0, 1);
    grid->addWidget(evenBackgroundBox_, 1, 0);
    grid->addWidget(allBox_, 1, 1);
    grid->addWidget(keepProportionsBox_, 2, 0, 1, 2);

    for (QCheckBox* part : {findPageBox_, straightenBox_, evenBackgroundBox_})
        connect(part, &QCheckBox::toggled, this, [this] { showAllState(); });
    // The switch itself is never left partly checked by a click: it turns all on or all off.
    connect(allBox_, &QCheckBox::clicked, this, [this] {
        const bool on =
            !preparation().findPage || !preparation().straighten || !preparation().evenBackground;
        for (QCheckBox* part : {findPageBox_, straightenBox_, evenBackgroundBox_})
            part->setChecked(on);
        showAllState();
    });
}

QCheckBox* PreparationPanel::addBox(const QString& text, const char* name)
{
    auto* box = new QCheckBox(text, this);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(false);
    return box;
}

void PreparationPanel::showAllState()
{
    const imaging::PreparationOptions p = preparation();
    const int on = int(p.findPage) + int(p.straighten) + int(p.evenBackground);
    const QSignalBlocker quiet(allBox_);
    allBox_->setTristate(on > 0 && on < 3);
    allBox_->setCheckState(on == 3 ? Qt::Checked : on == 0 ? Qt::Unchecked : Qt::PartiallyChecked);
}

imaging::PreparationOptions PreparationPanel::preparation() const
{
    return {findPageBox_->isChecked(), straightenBox_->isChecked(),
            evenBackgroundBox_->isChecked()};
}

bool PreparationPanel::keepProportions() const
{
    return keepProportionsBox_->isChecked();
}

} // namespace pagula::app
