#pragma once

#include "layout/LayoutControls.h"
#include "layout/LayoutHandlers.h"
#include "layout/LayoutSettings.h"

#include <QCheckBox>
#include <QImage>
#include <QPointer>
#include <QWidget>

class QComboBox;
class QLineEdit;

namespace pagula::widgets
{
class UpDown;
} // namespace pagula::widgets

namespace pagula::layout
{

class ClickableLineEdit;
class SchematicView;

// The layout settings group of the left panel with the page schematic `schematicView` under it.
// Each control's object name is its member's name. Every text change, typed or written by code,
// runs its handler at once.
//
// The frame and two-sided check boxes belong to the main window's right panel; until they are
// attached the panel uses hidden stand-ins with the same start states.
class LayoutPanel : public QWidget, private LayoutControls
{
    Q_OBJECT
public:
    explicit LayoutPanel(QWidget* parent = nullptr);
    ~LayoutPanel() override;

    // The settings as last read from the controls.
    const LayoutSettings& settings() const { return handlers_.settings(); }
    // The gutter side is never cached: the drop-down's live selection.
    GutterSide gutterSide() const;
    // Selects a gutter side; a change runs onCellSizeEdited as a user's selection does.
    void setGutterSide(GutterSide side);
    // Selects a gutter side as code does while the back side is built: the drop-down shows it,
    // but no handler runs and the cached settings and the schematic stay as they are.
    void showGutterSide(GutterSide side);

    // Takes the main window's `frameBox` and `twoSideBox` check boxes; a click on either runs
    // onCellSizeEdited. The stand-ins are dropped.
    void attachCheckBoxes(QCheckBox* frame, QCheckBox* twoSide);
    QCheckBox* frameCheckBox() const { return frame_; }
    QCheckBox* twoSideCheckBox() const { return twoSide_; }

    SchematicView* schematicView() const { return schematicView_; }
    QImage schematic() const;

    // For tests: reports each handler start and its nesting depth.
    void setHandlerTrace(LayoutHandlers::Trace trace) { handlers_.setTrace(std::move(trace)); }

    void onGridOrMarginsEdited();
    void onCellSizeEdited();
    void stepCellSize(QObject* sender, bool upArrow);
    void takeMaxCellWidth();
    void takeMaxCellHeight();
    void redrawSchematic() override;

signals:
    // After every redraw of the schematic.
    void schematicDrawn();

private:
    // LayoutControls
    int columnsPosition() const override;
    int rowsPosition() const override;
    int gutterPosition() const override;
    QString text(LayoutEdit edit) const override;
    void setText(LayoutEdit edit, const QString& text) override;

    void buildControls();
    void applyLook();
    void connectHandlers();
    void connectCheckBoxes();
    QLineEdit* lineEdit(LayoutEdit edit) const;

    LayoutHandlers handlers_;

    QLineEdit* columnsEdit_ = nullptr;
    QLineEdit* rowsEdit_ = nullptr;
    QLineEdit* cellWidthEdit_ = nullptr;
    QLineEdit* cellHeightEdit_ = nullptr;
    ClickableLineEdit* maxCellWidthEdit_ = nullptr;
    ClickableLineEdit* maxCellHeightEdit_ = nullptr;
    QLineEdit* leftMarginEdit_ = nullptr;
    QLineEdit* rightMarginEdit_ = nullptr;
    QLineEdit* topMarginEdit_ = nullptr;
    QLineEdit* bottomMarginEdit_ = nullptr;
    QLineEdit* gutterSizeEdit_ = nullptr;
    widgets::UpDown* columnsSpin_ = nullptr;
    widgets::UpDown* rowsSpin_ = nullptr;
    widgets::UpDown* leftMarginSpin_ = nullptr;
    widgets::UpDown* rightMarginSpin_ = nullptr;
    widgets::UpDown* topMarginSpin_ = nullptr;
    widgets::UpDown* bottomMarginSpin_ = nullptr;
    widgets::UpDown* cellWidthStep_ = nullptr;
    widgets::UpDown* cellHeightStep_ = nullptr;
    widgets::UpDown* gutterSizeSpin_ = nullptr;
    QComboBox* gutterSideBox_ = nullptr;
    SchematicView* schematicView_ = nullptr;
    QPointer<QCheckBox> frame_;
    QPointer<QCheckBox> twoSide_;
    bool ownsCheckBoxes_ = true;
};

} // namespace pagula::layout
