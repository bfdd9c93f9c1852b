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

namespace pagula {

class ClickableLineEdit;
class SchematicView;
class UpDown;

// The layout settings group of the left panel with the page schematic `Image1` under it.
// Controls carry the names they are known by (Edit1...Edit12, UpDown1...UpDown10, cb1), as
// object names too. Every text change, typed or written by code, runs its handler at once.
//
// The frame and two-sided check boxes belong to the main window's right panel; until they are
// attached the panel uses hidden stand-ins with the same start states.
class LayoutPanel : public QWidget, private LayoutControls {
    Q_OBJECT
public:
    explicit LayoutPanel(QWidget* parent = nullptr);
    ~LayoutPanel() override;

    // The settings as last read from the controls.
    const LayoutSettings& settings() const { return handlers_.settings(); }
    // The gutter side is never cached: the drop-down's live index (-1 when none is selected).
    int gutterSide() const;
    // Selects a gutter side; a change runs Edit4Change as a user's selection does.
    void setGutterSide(int index);
    // Selects a gutter side as code does while the back side is built: the drop-down shows it,
    // but no handler runs and the cached settings and the schematic stay as they are.
    void showGutterSide(int index);

    // Takes the main window's `Frame` and `TwoSide` check boxes; a click on either runs
    // Edit4Change. The stand-ins are dropped.
    void attachCheckBoxes(QCheckBox* frame, QCheckBox* twoSide);
    QCheckBox* frameCheckBox() const { return frame_; }
    QCheckBox* twoSideCheckBox() const { return twoSide_; }

    SchematicView* schematicView() const { return Image1; }
    QImage schematic() const;

    // For tests: reports each handler start and its nesting depth.
    void setHandlerTrace(LayoutHandlers::Trace trace) { handlers_.setTrace(std::move(trace)); }

    void PositionChange();
    void Edit4Change();
    void SizeChange(QObject* sender, bool upArrow);
    void Edit5Click();
    void Edit6Click();
    void DrawPreView() override;

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

    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    ClickableLineEdit* Edit5 = nullptr;
    ClickableLineEdit* Edit6 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QLineEdit* Edit12 = nullptr;
    UpDown* UpDown1 = nullptr;
    UpDown* UpDown2 = nullptr;
    UpDown* UpDown3 = nullptr;
    UpDown* UpDown4 = nullptr;
    UpDown* UpDown5 = nullptr;
    UpDown* UpDown6 = nullptr;
    UpDown* UpDown7 = nullptr;
    UpDown* UpDown8 = nullptr;
    UpDown* UpDown10 = nullptr;
    QComboBox* cb1 = nullptr;
    SchematicView* Image1 = nullptr;
    QPointer<QCheckBox> frame_;
    QPointer<QCheckBox> twoSide_;
    bool ownsCheckBoxes_ = true;
};

} // namespace pagula
