#include "joblist/ui/CropTabSet.h"

#include "common/Fonts.h"
#include "joblist/JobListModel.h"
#include "joblist/ProgramIcons.h"
#include "widgets/ButtonLooks.h"
#include "widgets/GradientButton.h"
#include "widgets/UpDown.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>

namespace pagula::joblist
{

namespace
{

constexpr int TabSetWidth = 208;
constexpr int TabSetHeight = 88;
constexpr int TabHeight = 17;
constexpr int RowHeight = 21;

// Button-like tabs: raised when idle, sunken when chosen, lit under the mouse.
const char* const TabStyle = R"(
QTabBar::tab {
    height: 15px; min-width: 22px; padding: 0 4px; margin-right: 2px;
    border: 1px solid; border-color: #ffffff #404040 #404040 #ffffff;
    background: #b6c4e7;
}
QTabBar::tab:selected { border-color: #404040 #ffffff #ffffff #404040; background: #dfe6f4; }
QTabBar::tab:hover:!selected { background: #d2dbf0; }
)";

struct ProfileSide {
    int spinOffset; // 0 left, 1 right, 2 top, 3 bottom
    const char* caption;
    int column;
    int row;
};

// Left column: left, then right; right column: bottom, then top.
constexpr ProfileSide Sides[] = {
    {0, QT_TRANSLATE_NOOP("CropTabSet", "Слева:                %"), 0, 0},
    {1, QT_TRANSLATE_NOOP("CropTabSet", "Справа:              %"), 0, 1},
    {3, QT_TRANSLATE_NOOP("CropTabSet", "Снизу:                %"), 1, 0},
    {2, QT_TRANSLATE_NOOP("CropTabSet", "Сверху:              %"), 1, 1},
};

} // namespace

CropTabSet::CropTabSet(JobListModel* model, QWidget* parent) : QTabWidget(parent), model_(model)
{
    setObjectName(QStringLiteral("cropTabs"));
    setFont(common::pixelFont(QStringLiteral("MS Sans Serif"), 11));
    setFixedSize(TabSetWidth, TabSetHeight);
    setIconSize(QSize(ProgramIcons::IconSize, ProgramIcons::IconSize));
    tabBar()->setExpanding(false);
    tabBar()->setMouseTracking(true); // hot tracking
    tabBar()->setStyleSheet(QString::fromLatin1(TabStyle));
    setUsesScrollButtons(false);

    addTab(buildModeTab(), ProgramIcons::icon(ProgramIcons::PageIcon),
           QCoreApplication::translate("CropTabSet", "Вид обрезки"));
    addTab(buildProfileTab(QStringLiteral("profileOneTab"), 0,
                           QStringLiteral("applyProfileOneButton")),
           ProgramIcons::icon(ProgramIcons::ArrowLeftIcon), QString());
    addTab(buildProfileTab(QStringLiteral("profileTwoTab"), 4,
                           QStringLiteral("applyProfileTwoButton")),
           ProgramIcons::icon(ProgramIcons::ArrowRightIcon), QString());
    setCurrentIndex(0);
}

QWidget* CropTabSet::buildModeTab()
{
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("cropModeTab"));
    cropType_ = new QRadioButton(QCoreApplication::translate("CropTabSet", "С одной стороны"), tab);
    cropType_->setObjectName(QStringLiteral("cropType"));
    cropType_->setGeometry(6, 3, 130, 17);
    cropType_->setChecked(true);
    twoSideMode_ =
        new QRadioButton(QCoreApplication::translate("CropTabSet", "С двух сторон"), tab);
    twoSideMode_->setObjectName(QStringLiteral("twoSideMode"));
    twoSideMode_->setGeometry(6, 21, 130, 17);
    widgets::GradientButton* selectAll =
        addButton(tab, QStringLiteral("cropAllButton"),
                  QCoreApplication::translate("CropTabSet", "Выделить все"), QRect(6, 44, 92, 16));
    widgets::GradientButton* reset =
        addButton(tab, QStringLiteral("cropResetButton"),
                  QCoreApplication::translate("CropTabSet", "Сброс"), QRect(104, 44, 92, 16));
    connect(selectAll, &widgets::GradientButton::clicked, this, &CropTabSet::cropAll);
    connect(reset, &widgets::GradientButton::clicked, this, &CropTabSet::resetCrop);
    return tab;
}

QWidget* CropTabSet::buildProfileTab(const QString& name, int firstSpin, const QString& applyName)
{
    // Each value's caption, spin buttons and edit box are named after it ("profileOneLeft" gives
    // "profileOneLeftCaption", "profileOneLeftSpin" and "profileOneLeftEdit"); per profile in the
    // order left, right, top, bottom.
    static const char* const valueNames[2][4] = {
        {"profileOneLeft", "profileOneRight", "profileOneTop", "profileOneBottom"},
        {"profileTwoLeft", "profileTwoRight", "profileTwoTop", "profileTwoBottom"}};
    auto* tab = new QWidget;
    tab->setObjectName(name);
    const int profile = firstSpin / 4;
    for (const ProfileSide& side : Sides) {
        const QPoint at(4 + side.column * 100, 2 + side.row * (RowHeight + 2));
        addProfileValue(tab, firstSpin + side.spinOffset,
                        QString::fromLatin1(valueNames[profile][side.spinOffset]),
                        QCoreApplication::translate("CropTabSet", side.caption), at);
    }
    widgets::GradientButton* apply =
        addButton(tab, applyName, QCoreApplication::translate("CropTabSet", "Применить"),
                  QRect(4, 2 + 2 * (RowHeight + 2) + 1, 92, 16));
    connect(apply, &widgets::GradientButton::clicked, this, &CropTabSet::applyProfile);
    return tab;
}

void CropTabSet::addProfileValue(QWidget* tab, int spinIndex, const QString& valueName,
                                 const QString& caption, const QPoint& at)
{
    // The caption spans the edit box: the side's name left of it, "%" right of it, the box and
    // its spin arrows over the run of spaces between.
    auto* label = new QLabel(caption, tab);
    label->setObjectName(valueName + QStringLiteral("Caption"));
    const QFontMetrics fm(font());
    const QString name = caption.left(caption.indexOf(QLatin1Char(':')) + 1);
    const int editLeft = at.x() + fm.horizontalAdvance(name + QLatin1Char(' '));
    const int percentLeft = at.x() + fm.horizontalAdvance(caption.left(caption.size() - 1));
    label->setGeometry(at.x(), at.y() + (RowHeight - fm.height()) / 2,
                       fm.horizontalAdvance(caption) + 2, fm.height());

    auto* spin = new widgets::UpDown(tab);
    spin->setObjectName(valueName + QStringLiteral("Spin"));
    auto* edit = new QLineEdit(tab);
    edit->setObjectName(valueName + QStringLiteral("Edit"));
    edit->setReadOnly(true); // only stepped, never typed
    edit->setAlignment(Qt::AlignRight);
    const int editWidth = std::max(18, percentLeft - editLeft - spin->width() - 1);
    edit->setGeometry(editLeft, at.y(), editWidth, RowHeight);
    spin->move(editLeft + editWidth, at.y());
    spin->setRange(0, 100);
    spin->setIncrement(1);
    spin->setAssociate(edit);
    spin->setPosition(0);
    spins_[static_cast<size_t>(spinIndex)] = spin;
    edits_[static_cast<size_t>(spinIndex)] = edit;
}

widgets::GradientButton* CropTabSet::addButton(QWidget* tab, const QString& name,
                                               const QString& caption, const QRect& geometry)
{
    auto* b = new widgets::GradientButton(tab);
    b->setObjectName(name);
    b->setCaption(caption);
    widgets::applyButtonLook(*b, widgets::ButtonLook::Command);
    b->setGeometry(geometry);
    return b;
}

CropMode CropTabSet::cropMode() const
{
    return twoSideMode_->isChecked() ? CropMode::TwoSide : CropMode::OneSide;
}

CropProfile CropTabSet::profile(int number) const
{
    const size_t first = number == 2 ? 4 : 0;
    return CropProfile{spins_[first]->position(), spins_[first + 1]->position(),
                       spins_[first + 2]->position(), spins_[first + 3]->position()};
}

void CropTabSet::cropAll()
{
    model_->selectAllCrops(cropMode());
}

void CropTabSet::resetCrop()
{
    model_->resetCrops();
}

void CropTabSet::applyProfile()
{
    emit previewRefreshRequested();
}

} // namespace pagula::joblist
