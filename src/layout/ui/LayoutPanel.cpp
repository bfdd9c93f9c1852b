#include "layout/ui/LayoutPanel.h"

#include "common/Conversions.h"
#include "common/Fonts.h"
#include "layout/SchematicPainter.h"
#include "layout/ui/ClickableLineEdit.h"
#include "layout/ui/SchematicView.h"
#include "widgets/ErrorReport.h"
#include "widgets/UpDown.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace pagula::layout
{

namespace
{

const QColor kPanelColour(182, 196, 231);
const QColor kEditColour(223, 230, 244);
constexpr int kControlHeight = 21; // the height of the spin buttons
constexpr int kCaptionWidth = 46;  // "Ширина:", "Высота:", "Размер:"
constexpr int kSizeEditWidth = 46;
constexpr int kMarginEditWidth = 33;
constexpr int kCountEditWidth = 30;

QLabel* caption(const QString& text, QWidget* parent, int width = -1)
{
    auto* l = new QLabel(text, parent);
    if (width > 0)
        l->setFixedWidth(width);
    return l;
}

template <class Edit = QLineEdit>
Edit* makeEdit(const char* name, int width, bool readOnly, QWidget* parent)
{
    auto* e = new Edit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setFixedSize(width, kControlHeight);
    e->setReadOnly(readOnly);
    return e;
}

widgets::UpDown* makeUpDown(const char* name, QWidget* parent)
{
    auto* u = new widgets::UpDown(parent);
    u->setObjectName(QString::fromLatin1(name));
    return u;
}

// A spin button bound to its edit: the edit takes the start position as its text.
void bind(widgets::UpDown* upDown, QLineEdit* edit, int minimum, int maximum, int position)
{
    upDown->setRange(minimum, maximum);
    upDown->setAssociate(edit);
    upDown->setPosition(position);
}

QHBoxLayout* addRow(QVBoxLayout* column)
{
    auto* r = new QHBoxLayout;
    r->setSpacing(0);
    r->setContentsMargins(0, 0, 0, 0);
    column->addLayout(r);
    return r;
}

QCheckBox* standIn(const char* name, const QString& text, bool checked, QWidget* parent)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    box->hide();
    return box;
}

} // namespace

LayoutPanel::LayoutPanel(QWidget* parent)
    : QWidget(parent),
      handlers_(static_cast<LayoutControls&>(*this),
                [this](const QString& message) { widgets::ErrorReport::show(this, message); })
{
    buildControls();
    applyLook();

    // The main window's start values. Selecting the first gutter side runs nothing yet; the
    // chosen sizes start above any maximum, so the first computation clamps them down.
    gutterSideBox_->setCurrentIndex(gutterSideIndex(GutterSide::Left));
    const LayoutSettings& s = handlers_.settings();
    cellWidthEdit_->setText(common::formatOneDecimal(s.cellWidth));
    cellHeightEdit_->setText(common::formatOneDecimal(s.cellHeight));
    maxCellWidthEdit_->setText(common::formatOneDecimal(s.maxCellWidth));
    maxCellHeightEdit_->setText(common::formatOneDecimal(s.maxCellHeight));
    QImage blank(kSchematicWidth, kSchematicHeight, QImage::Format_RGB32);
    blank.fill(Qt::white);
    schematicView_->setImage(blank);

    frame_ =
        standIn("frameBox", QCoreApplication::translate("LayoutPanel", "Рамка вокруг рисунков"),
                true, this);
    twoSide_ =
        standIn("twoSideBox", QCoreApplication::translate("LayoutPanel", "Двусторонняя печать"),
                false, this);

    connectHandlers();
    connectCheckBoxes();

    // The controls have come up with their start values: the layout is computed once.
    onGridOrMarginsEdited();
    onCellSizeEdited();
}

LayoutPanel::~LayoutPanel()
{
    // The handlers go before the child widgets; no late signal may reach them.
    const auto children = findChildren<QObject*>();
    for (QObject* child : children)
        QObject::disconnect(child, nullptr, this, nullptr);
    for (QCheckBox* box : {frame_.data(), twoSide_.data()})
        if (box)
            QObject::disconnect(box, nullptr, this, nullptr);
}

void LayoutPanel::buildControls()
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(3);

    // Rows and columns of cells.
    rowsEdit_ = makeEdit("rowsEdit", kCountEditWidth, true, this);
    rowsSpin_ = makeUpDown("rowsSpin", this);
    columnsEdit_ = makeEdit("columnsEdit", kCountEditWidth, true, this);
    columnsSpin_ = makeUpDown("columnsSpin", this);
    const struct {
        const char* text;
        QLineEdit* edit;
        widgets::UpDown* upDown;
    } counts[] = {
        {QT_TRANSLATE_NOOP("LayoutPanel", "Количество строк:"), rowsEdit_, rowsSpin_},
        {QT_TRANSLATE_NOOP("LayoutPanel", "Количество столбцов:"), columnsEdit_, columnsSpin_}};
    for (const auto& c : counts) {
        QHBoxLayout* r = addRow(column);
        r->addWidget(caption(QCoreApplication::translate("LayoutPanel", c.text), this));
        r->addStretch();
        r->addWidget(c.edit);
        r->addWidget(c.upDown);
        r->addSpacing(20);
    }
    bind(rowsSpin_, rowsEdit_, 1, 15, 3);
    bind(columnsSpin_, columnsEdit_, 1, 15, 3);

    // Page margins.
    column->addSpacing(2);
    column->addWidget(caption(QCoreApplication::translate("LayoutPanel", "Отступы (в мм):"), this));
    column->addWidget(
        caption(QCoreApplication::translate("LayoutPanel", "Слева   Справа  Сверху  Снизу"), this));
    leftMarginEdit_ = makeEdit("leftMarginEdit", kMarginEditWidth, false, this);
    rightMarginEdit_ = makeEdit("rightMarginEdit", kMarginEditWidth, false, this);
    topMarginEdit_ = makeEdit("topMarginEdit", kMarginEditWidth, false, this);
    bottomMarginEdit_ = makeEdit("bottomMarginEdit", kMarginEditWidth, false, this);
    leftMarginSpin_ = makeUpDown("leftMarginSpin", this);
    rightMarginSpin_ = makeUpDown("rightMarginSpin", this);
    topMarginSpin_ = makeUpDown("topMarginSpin", this);
    bottomMarginSpin_ = makeUpDown("bottomMarginSpin", this);
    const struct {
        QLineEdit* edit;
        widgets::UpDown* upDown;
        int start;
    } margins[] = {{leftMarginEdit_, leftMarginSpin_, 7},
                   {rightMarginEdit_, rightMarginSpin_, 10},
                   {topMarginEdit_, topMarginSpin_, 7},
                   {bottomMarginEdit_, bottomMarginSpin_, 20}};
    QHBoxLayout* marginRow = addRow(column);
    for (const auto& m : margins) {
        marginRow->addWidget(m.edit);
        marginRow->addWidget(m.upDown);
        marginRow->addSpacing(3);
        bind(m.upDown, m.edit, 0, 100, m.start);
    }
    marginRow->addStretch();

    // Chosen and largest cell size.
    column->addSpacing(2);
    QHBoxLayout* header = addRow(column);
    header->addSpacing(kCaptionWidth);
    header->addWidget(
        caption(QCoreApplication::translate("LayoutPanel", "Установлено Максимально"), this));
    header->addStretch();
    cellWidthEdit_ = makeEdit("cellWidthEdit", kSizeEditWidth, false, this);
    cellWidthStep_ = makeUpDown("cellWidthStep", this);
    maxCellWidthEdit_ = makeEdit<ClickableLineEdit>("maxCellWidthEdit", kSizeEditWidth, true, this);
    cellHeightEdit_ = makeEdit("cellHeightEdit", kSizeEditWidth, false, this);
    cellHeightStep_ = makeUpDown("cellHeightStep", this);
    maxCellHeightEdit_ =
        makeEdit<ClickableLineEdit>("maxCellHeightEdit", kSizeEditWidth, true, this);
    // The step buttons are not bound to an edit; their tag tells width (0) from height (1).
    cellWidthStep_->setProperty("Tag", 0);
    cellHeightStep_->setProperty("Tag", 1);
    const struct {
        const char* text;
        QLineEdit* chosen;
        widgets::UpDown* step;
        QLineEdit* largest;
    } sizes[] = {{QT_TRANSLATE_NOOP("LayoutPanel", "Ширина:"), cellWidthEdit_, cellWidthStep_,
                  maxCellWidthEdit_},
                 {QT_TRANSLATE_NOOP("LayoutPanel", "Высота:"), cellHeightEdit_, cellHeightStep_,
                  maxCellHeightEdit_}};
    for (const auto& sz : sizes) {
        QHBoxLayout* r = addRow(column);
        r->addWidget(
            caption(QCoreApplication::translate("LayoutPanel", sz.text), this, kCaptionWidth));
        r->addWidget(sz.chosen);
        r->addWidget(sz.step);
        r->addSpacing(8);
        r->addWidget(sz.largest);
        r->addSpacing(4);
        r->addWidget(caption(QCoreApplication::translate("LayoutPanel", "мм"), this));
        r->addStretch();
    }

    // Binding gutter.
    column->addSpacing(2);
    column->addWidget(
        caption(QCoreApplication::translate("LayoutPanel", "Отступ для переплета"), this));
    gutterSizeEdit_ = makeEdit("gutterSizeEdit", kCountEditWidth, true, this);
    gutterSizeSpin_ = makeUpDown("gutterSizeSpin", this);
    gutterSideBox_ = new QComboBox(this);
    gutterSideBox_->setObjectName(QStringLiteral("gutterSideBox"));
    gutterSideBox_->addItems({QCoreApplication::translate("LayoutPanel", "Слева"),
                              QCoreApplication::translate("LayoutPanel", "Справа"),
                              QCoreApplication::translate("LayoutPanel", "Сверху"),
                              QCoreApplication::translate("LayoutPanel", "Снизу")});
    gutterSideBox_->setFixedHeight(kControlHeight);
    QHBoxLayout* gutterRow = addRow(column);
    gutterRow->addWidget(
        caption(QCoreApplication::translate("LayoutPanel", "Размер:"), this, kCaptionWidth));
    gutterRow->addWidget(gutterSizeEdit_);
    gutterRow->addWidget(gutterSizeSpin_);
    gutterRow->addSpacing(4);
    gutterRow->addWidget(caption(QCoreApplication::translate("LayoutPanel", "мм"), this));
    gutterRow->addSpacing(8);
    gutterRow->addWidget(gutterSideBox_, 1);
    bind(gutterSizeSpin_, gutterSizeEdit_, 0, 30, 6);

    // The page schematic sits under the settings.
    column->addSpacing(6);
    schematicView_ = new SchematicView(this);
    schematicView_->setObjectName(QStringLiteral("schematicView"));
    column->addWidget(schematicView_, 0, Qt::AlignHCenter);
    column->addStretch();
}

void LayoutPanel::applyLook()
{
    setFont(common::pixelFont(QStringLiteral("MS Sans Serif"), 11));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kPanelColour);
    pal.setColor(QPalette::Button, kPanelColour);
    pal.setColor(QPalette::Base, kEditColour);
    setPalette(pal);
    setAutoFillBackground(true);
}

void LayoutPanel::connectHandlers()
{
    for (QLineEdit* e : {columnsEdit_, rowsEdit_, leftMarginEdit_, rightMarginEdit_, topMarginEdit_,
                         bottomMarginEdit_})
        connect(e, &QLineEdit::textChanged, this, &LayoutPanel::onGridOrMarginsEdited);
    for (QLineEdit* e : {cellWidthEdit_, cellHeightEdit_, gutterSizeEdit_})
        connect(e, &QLineEdit::textChanged, this, &LayoutPanel::onCellSizeEdited);
    connect(gutterSideBox_, &QComboBox::currentIndexChanged, this, &LayoutPanel::onCellSizeEdited);
    for (widgets::UpDown* u : {cellWidthStep_, cellHeightStep_})
        connect(u, &widgets::UpDown::arrowClicked, this,
                [this, u](bool up) { stepCellSize(u, up); });
    connect(maxCellWidthEdit_, &ClickableLineEdit::clicked, this, &LayoutPanel::takeMaxCellWidth);
    connect(maxCellHeightEdit_, &ClickableLineEdit::clicked, this, &LayoutPanel::takeMaxCellHeight);
}

void LayoutPanel::connectCheckBoxes()
{
    // A state change made by code counts as a click, as the check boxes' click event does.
    for (QCheckBox* box : {frame_.data(), twoSide_.data()})
        if (box)
            connect(box, &QCheckBox::toggled, this, &LayoutPanel::onCellSizeEdited);
}

void LayoutPanel::attachCheckBoxes(QCheckBox* frame, QCheckBox* twoSide)
{
    for (QCheckBox* box : {frame_.data(), twoSide_.data()}) {
        if (!box)
            continue;
        QObject::disconnect(box, nullptr, this, nullptr);
        if (ownsCheckBoxes_)
            box->deleteLater();
    }
    ownsCheckBoxes_ = false;
    frame_ = frame;
    twoSide_ = twoSide;
    connectCheckBoxes();
    redrawSchematic(); // the picture shows the states of the boxes now in use
}

GutterSide LayoutPanel::gutterSide() const
{
    return gutterSideFromIndex(gutterSideBox_->currentIndex());
}

void LayoutPanel::setGutterSide(GutterSide side)
{
    gutterSideBox_->setCurrentIndex(gutterSideIndex(side));
}

void LayoutPanel::showGutterSide(GutterSide side)
{
    const QSignalBlocker quiet(gutterSideBox_);
    gutterSideBox_->setCurrentIndex(gutterSideIndex(side));
}

QImage LayoutPanel::schematic() const
{
    return schematicView_->image();
}

void LayoutPanel::onGridOrMarginsEdited()
{
    handlers_.onGridOrMarginsEdited();
}

void LayoutPanel::onCellSizeEdited()
{
    handlers_.onCellSizeEdited();
}

void LayoutPanel::stepCellSize(QObject* sender, bool upArrow)
{
    handlers_.stepCellSize(sender->property("Tag").toInt(), upArrow);
}

void LayoutPanel::takeMaxCellWidth()
{
    handlers_.takeMaxCellWidth();
}

void LayoutPanel::takeMaxCellHeight()
{
    handlers_.takeMaxCellHeight();
}

void LayoutPanel::redrawSchematic()
{
    SchematicInput input;
    input.layout.settings = handlers_.settings();
    input.layout.gutterSide = gutterSide();
    input.layout.twoSide = twoSide_ && twoSide_->isChecked();
    input.frame = !frame_ || frame_->isChecked();
    const QPalette appPalette = QApplication::palette();
    input.tooltipBackground = appPalette.color(QPalette::ToolTipBase);
    input.windowText = appPalette.color(QPalette::WindowText);
    QImage picture = schematicView_->image();
    drawSchematic(picture, input);
    schematicView_->setImage(picture);
    emit schematicDrawn();
}

int LayoutPanel::columnsPosition() const
{
    return columnsSpin_->position();
}

int LayoutPanel::rowsPosition() const
{
    return rowsSpin_->position();
}

int LayoutPanel::gutterPosition() const
{
    return gutterSizeSpin_->position();
}

QLineEdit* LayoutPanel::lineEdit(LayoutEdit edit) const
{
    switch (edit) {
    case LayoutEdit::CellWidth:
        return cellWidthEdit_;
    case LayoutEdit::CellHeight:
        return cellHeightEdit_;
    case LayoutEdit::MaxCellWidth:
        return maxCellWidthEdit_;
    case LayoutEdit::MaxCellHeight:
        return maxCellHeightEdit_;
    case LayoutEdit::MarginLeft:
        return leftMarginEdit_;
    case LayoutEdit::MarginRight:
        return rightMarginEdit_;
    case LayoutEdit::MarginTop:
        return topMarginEdit_;
    case LayoutEdit::MarginBottom:
        return bottomMarginEdit_;
    }
    return cellWidthEdit_;
}

QString LayoutPanel::text(LayoutEdit edit) const
{
    return lineEdit(edit)->text();
}

void LayoutPanel::setText(LayoutEdit edit, const QString& text)
{
    lineEdit(edit)->setText(text); // a change runs the edit's handler before this returns
}

} // namespace pagula::layout
