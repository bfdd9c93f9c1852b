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
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace pagula {

namespace {

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

UpDown* makeUpDown(const char* name, QWidget* parent)
{
    auto* u = new UpDown(parent);
    u->setObjectName(QString::fromLatin1(name));
    return u;
}

// A spin button bound to its edit: the edit takes the start position as its text.
void bind(UpDown* upDown, QLineEdit* edit, int minimum, int maximum, int position)
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
                [this](const QString& message) { ErrorReport::show(this, message); })
{
    buildControls();
    applyLook();

    // The main window's start values. Selecting the first gutter side runs nothing yet; the
    // chosen sizes start above any maximum, so the first computation clamps them down.
    cb1->setCurrentIndex(GutterLeft);
    const LayoutSettings& s = handlers_.settings();
    Edit3->setText(formatOneDecimal(s.CellWidth));
    Edit4->setText(formatOneDecimal(s.CellHeight));
    Edit5->setText(formatOneDecimal(s.MaxCellWidth));
    Edit6->setText(formatOneDecimal(s.MaxCellHeight));
    QImage blank(kSchematicWidth, kSchematicHeight, QImage::Format_RGB32);
    blank.fill(Qt::white);
    Image1->setImage(blank);

    frame_ = standIn("Frame", QStringLiteral("Рамка вокруг рисунков"), true, this);
    twoSide_ = standIn("TwoSide", QStringLiteral("Двусторонняя печать"), false, this);

    connectHandlers();
    connectCheckBoxes();

    // The controls have come up with their start values: the layout is computed once.
    PositionChange();
    Edit4Change();
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
    Edit2 = makeEdit("Edit2", kCountEditWidth, true, this);
    UpDown2 = makeUpDown("UpDown2", this);
    Edit1 = makeEdit("Edit1", kCountEditWidth, true, this);
    UpDown1 = makeUpDown("UpDown1", this);
    const struct {
        const char* text;
        QLineEdit* edit;
        UpDown* upDown;
    } counts[] = {{"Количество строк:", Edit2, UpDown2}, {"Количество столбцов:", Edit1, UpDown1}};
    for (const auto& c : counts) {
        QHBoxLayout* r = addRow(column);
        r->addWidget(caption(QString::fromUtf8(c.text), this));
        r->addStretch();
        r->addWidget(c.edit);
        r->addWidget(c.upDown);
        r->addSpacing(20);
    }
    bind(UpDown2, Edit2, 1, 15, 3);
    bind(UpDown1, Edit1, 1, 15, 3);

    // Page margins.
    column->addSpacing(2);
    column->addWidget(caption(QStringLiteral("Отступы (в мм):"), this));
    column->addWidget(caption(QStringLiteral("Слева   Справа  Сверху  Снизу"), this));
    Edit7 = makeEdit("Edit7", kMarginEditWidth, false, this);
    Edit8 = makeEdit("Edit8", kMarginEditWidth, false, this);
    Edit9 = makeEdit("Edit9", kMarginEditWidth, false, this);
    Edit10 = makeEdit("Edit10", kMarginEditWidth, false, this);
    UpDown3 = makeUpDown("UpDown3", this);
    UpDown4 = makeUpDown("UpDown4", this);
    UpDown5 = makeUpDown("UpDown5", this);
    UpDown6 = makeUpDown("UpDown6", this);
    const struct {
        QLineEdit* edit;
        UpDown* upDown;
        int start;
    } margins[] = {
        {Edit7, UpDown3, 7}, {Edit8, UpDown4, 10}, {Edit9, UpDown5, 7}, {Edit10, UpDown6, 20}};
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
    header->addWidget(caption(QStringLiteral("Установлено Максимально"), this));
    header->addStretch();
    Edit3 = makeEdit("Edit3", kSizeEditWidth, false, this);
    UpDown7 = makeUpDown("UpDown7", this);
    Edit5 = makeEdit<ClickableLineEdit>("Edit5", kSizeEditWidth, true, this);
    Edit4 = makeEdit("Edit4", kSizeEditWidth, false, this);
    UpDown8 = makeUpDown("UpDown8", this);
    Edit6 = makeEdit<ClickableLineEdit>("Edit6", kSizeEditWidth, true, this);
    // The step buttons are not bound to an edit; their tag tells width (0) from height (1).
    UpDown7->setProperty("Tag", 0);
    UpDown8->setProperty("Tag", 1);
    const struct {
        const char* text;
        QLineEdit* chosen;
        UpDown* step;
        QLineEdit* largest;
    } sizes[] = {{"Ширина:", Edit3, UpDown7, Edit5}, {"Высота:", Edit4, UpDown8, Edit6}};
    for (const auto& sz : sizes) {
        QHBoxLayout* r = addRow(column);
        r->addWidget(caption(QString::fromUtf8(sz.text), this, kCaptionWidth));
        r->addWidget(sz.chosen);
        r->addWidget(sz.step);
        r->addSpacing(8);
        r->addWidget(sz.largest);
        r->addSpacing(4);
        r->addWidget(caption(QStringLiteral("мм"), this));
        r->addStretch();
    }

    // Binding gutter.
    column->addSpacing(2);
    column->addWidget(caption(QStringLiteral("Отступ для переплета"), this));
    Edit12 = makeEdit("Edit12", kCountEditWidth, true, this);
    UpDown10 = makeUpDown("UpDown10", this);
    cb1 = new QComboBox(this);
    cb1->setObjectName(QStringLiteral("cb1"));
    cb1->addItems({QStringLiteral("Слева"), QStringLiteral("Справа"), QStringLiteral("Сверху"),
                   QStringLiteral("Снизу")});
    cb1->setFixedHeight(kControlHeight);
    QHBoxLayout* gutterRow = addRow(column);
    gutterRow->addWidget(caption(QStringLiteral("Размер:"), this, kCaptionWidth));
    gutterRow->addWidget(Edit12);
    gutterRow->addWidget(UpDown10);
    gutterRow->addSpacing(4);
    gutterRow->addWidget(caption(QStringLiteral("мм"), this));
    gutterRow->addSpacing(8);
    gutterRow->addWidget(cb1, 1);
    bind(UpDown10, Edit12, 0, 30, 6);

    // The page schematic sits under the settings.
    column->addSpacing(6);
    Image1 = new SchematicView(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    column->addWidget(Image1, 0, Qt::AlignHCenter);
    column->addStretch();
}

void LayoutPanel::applyLook()
{
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kPanelColour);
    pal.setColor(QPalette::Button, kPanelColour);
    pal.setColor(QPalette::Base, kEditColour);
    setPalette(pal);
    setAutoFillBackground(true);
}

void LayoutPanel::connectHandlers()
{
    for (QLineEdit* e : {Edit1, Edit2, Edit7, Edit8, Edit9, Edit10})
        connect(e, &QLineEdit::textChanged, this, &LayoutPanel::PositionChange);
    for (QLineEdit* e : {Edit3, Edit4, Edit12})
        connect(e, &QLineEdit::textChanged, this, &LayoutPanel::Edit4Change);
    connect(cb1, &QComboBox::currentIndexChanged, this, &LayoutPanel::Edit4Change);
    for (UpDown* u : {UpDown7, UpDown8})
        connect(u, &UpDown::arrowClicked, this, [this, u](bool up) { SizeChange(u, up); });
    connect(Edit5, &ClickableLineEdit::clicked, this, &LayoutPanel::Edit5Click);
    connect(Edit6, &ClickableLineEdit::clicked, this, &LayoutPanel::Edit6Click);
}

void LayoutPanel::connectCheckBoxes()
{
    // A state change made by code counts as a click, as the check boxes' click event does.
    for (QCheckBox* box : {frame_.data(), twoSide_.data()})
        if (box)
            connect(box, &QCheckBox::toggled, this, &LayoutPanel::Edit4Change);
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
    DrawPreView(); // the picture shows the states of the boxes now in use
}

int LayoutPanel::gutterSide() const
{
    return cb1->currentIndex();
}

void LayoutPanel::setGutterSide(int index)
{
    cb1->setCurrentIndex(index);
}

void LayoutPanel::showGutterSide(int index)
{
    const QSignalBlocker quiet(cb1);
    cb1->setCurrentIndex(index);
}

QImage LayoutPanel::schematic() const
{
    return Image1->image();
}

void LayoutPanel::PositionChange()
{
    handlers_.PositionChange();
}

void LayoutPanel::Edit4Change()
{
    handlers_.Edit4Change();
}

void LayoutPanel::SizeChange(QObject* sender, bool upArrow)
{
    handlers_.SizeChange(sender->property("Tag").toInt(), upArrow);
}

void LayoutPanel::Edit5Click()
{
    handlers_.Edit5Click();
}

void LayoutPanel::Edit6Click()
{
    handlers_.Edit6Click();
}

void LayoutPanel::DrawPreView()
{
    SchematicInput input;
    input.layout.settings = handlers_.settings();
    input.layout.gutterSide = gutterSide();
    input.layout.twoSide = twoSide_ && twoSide_->isChecked();
    input.frame = !frame_ || frame_->isChecked();
    const QPalette appPalette = QApplication::palette();
    input.tooltipBackground = appPalette.color(QPalette::ToolTipBase);
    input.windowText = appPalette.color(QPalette::WindowText);
    QImage picture = Image1->image();
    drawSchematic(picture, input);
    Image1->setImage(picture);
    emit schematicDrawn();
}

int LayoutPanel::columnsPosition() const
{
    return UpDown1->position();
}

int LayoutPanel::rowsPosition() const
{
    return UpDown2->position();
}

int LayoutPanel::gutterPosition() const
{
    return UpDown10->position();
}

QLineEdit* LayoutPanel::lineEdit(LayoutEdit edit) const
{
    switch (edit) {
    case LayoutEdit::Edit3:
        return Edit3;
    case LayoutEdit::Edit4:
        return Edit4;
    case LayoutEdit::Edit5:
        return Edit5;
    case LayoutEdit::Edit6:
        return Edit6;
    case LayoutEdit::Edit7:
        return Edit7;
    case LayoutEdit::Edit8:
        return Edit8;
    case LayoutEdit::Edit9:
        return Edit9;
    case LayoutEdit::Edit10:
        return Edit10;
    }
    return Edit3;
}

QString LayoutPanel::text(LayoutEdit edit) const
{
    return lineEdit(edit)->text();
}

void LayoutPanel::setText(LayoutEdit edit, const QString& text)
{
    lineEdit(edit)->setText(text); // a change runs the edit's handler before this returns
}

} // namespace pagula
