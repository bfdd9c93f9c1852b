#include "app/LanguageCommands.h"

#include "app/StartArguments.h"
#include "common/Language.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QWidget>

namespace pagula::app
{

LanguageCommands::LanguageCommands(QWidget* aboutButton, QObject* parent) : QObject(parent)
{
    auto* group = new QActionGroup(this);
    russian_ = new QAction(QCoreApplication::translate("LanguageCommands", "Русский язык"), group);
    russian_->setObjectName(QStringLiteral("russianLanguageAction"));
    english_ = new QAction(QStringLiteral("English"), group);
    english_->setObjectName(QStringLiteral("englishLanguageAction"));
    const bool english = common::currentLanguage() == common::Language::English;
    for (QAction* action : {russian_, english_}) {
        action->setCheckable(true);
        aboutButton->addAction(action);
    }
    (english ? english_ : russian_)->setChecked(true);
    connect(russian_, &QAction::triggered, this, [this] { choose(QStringLiteral("ru")); });
    connect(english_, &QAction::triggered, this, [this] { choose(QStringLiteral("en")); });
    aboutButton->setContextMenuPolicy(Qt::ActionsContextMenu);
    aboutButton->setToolTip(QCoreApplication::translate(
        "LanguageCommands", "О программе; правая кнопка мыши: язык программы"));
}

void LanguageCommands::choose(const QString& code)
{
    storeLanguage(code);
    emit chosen(code == QLatin1String("en")
                    ? QStringLiteral("The window will speak English from the next start.")
                    : QStringLiteral("Окно заговорит по-русски со следующего запуска."));
}

} // namespace pagula::app
