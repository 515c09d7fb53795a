// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base of every window on screen: it builds widgets bound to the window's model, routes what
// a person does to the model's handlers, and re-reads the model after each handler.

#include "core/forms/Form.h"
#include "ui/platform/Desktop.h"

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QValidator>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QTableView;
class QTimer;

namespace quaderna {
class ChartBox;
class Grid;
class MonthCalendar;
} // namespace quaderna

namespace quaderna::ui {

class QtPlatform;
class ChartWidget;
class ImageButton;
class LinkLabel;
class PictureBox;
class SuggestionList;

// Fonts as the windows name them; sizes in pixels.
QFont typeface(const char* family, int pixelSize, bool bold = false, bool italic = false);

class FormView : public QDialog {
    Q_OBJECT
public:
    FormView(QtPlatform& platform, Form& model, QWidget* parent = nullptr);
    ~FormView() override;

    Form& model() const { return model_; }
    QtPlatform& platform() const { return platform_; }

    // Re-reads every bound control from the model.
    void refresh();
    // The widget bound to a control of the model.
    QWidget* widgetOf(const Control& c) const;

    // Ends the window: for a modal dialog its loop, otherwise it just hides.
    void finish();
    // Set while the window runs as a modal dialog.
    bool modalLoop = false;

    // A text box on screen: its model, its line edit, and for a drop-down its list and the
    // suggestions shown while typing.
    struct TextBox {
        Edit* model = nullptr;
        QLineEdit* line = nullptr;
        QComboBox* combo = nullptr;
        SuggestionList* suggestions = nullptr;
    };
    // Where text that no key brought (a paste, a middle click, a drop, an input method, a pick,
    // an undo) reaches the window model: every change of a box's text passes here, and the box
    // shows what the model lets stand.
    QValidator::State propose(TextBox& box, QString& input, int& pos);
    // Maximised work windows show maximised.
    bool maximised() const { return maximised_; }

protected:
    // Window shapes. A fixed window has no title-bar buttons, or only the close button.
    void fixedWindow(int width, int height, TitleButtons buttons = TitleButtons::None);
    void maximisedWindow();
    // A white or shaded content panel centred in the window.
    QWidget* centredPanel(int width, int height, const QColor& background = Qt::white);

    // Bound widgets.
    QLineEdit* edit(QWidget* parent, Edit& m, const QRect& r, const QFont& f, bool highlight = true);
    QComboBox* combo(QWidget* parent, ComboEdit& m, const QRect& r, const QFont& f, bool highlight = true);
    QCheckBox* check(QWidget* parent, CheckBox& m, const QRect& r, const QString& text, const QFont& f);
    QLabel* label(QWidget* parent, Label& m, const QRect& r, const QFont& f, const QColor& colour = Qt::black,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
    QPushButton* button(QWidget* parent, Button& m, const QRect& r, const QString& text, const QFont& f);
    ImageButton* imageButton(QWidget* parent, Button& m, const QRect& r, const QString& resource);
    // A picture button with its caption written by the program over the picture, in `area` (the
    // button's own coordinates; the whole button when empty), white bold Verdana fitted to it.
    ImageButton* captionButton(QWidget* parent, Button& m, const QRect& r, const QString& resource,
                               const QString& caption, QRect area = {}, int pixelSize = 15,
                               const QColor& colour = Qt::white);
    // A link text: underlined, in the colour the model holds; Tab reaches it when it is a tab stop.
    LinkLabel* link(QWidget* parent, LinkText& m, const QRect& r, const QFont& f);
    // A list; a line chosen by a click, or by the arrow keys, runs the list's onClick.
    QListView* list(QWidget* parent, ListBox& m, const QRect& r, const QFont& f, int itemWidth = 0);
    // A month calendar in Italian, weeks from Monday: the day selected is the model's date; a
    // double-click on a day, or Enter, runs its onDblClick.
    QCalendarWidget* calendar(QWidget* parent, MonthCalendar& m, const QRect& r);
    QWidget* panel(QWidget* parent, Panel& m, const QRect& r, const QColor& background = Qt::transparent);
    PictureBox* picture(QWidget* parent, Picture& m, const QRect& r);
    // The chart of the window, redrawn whenever its description changes.
    ChartWidget* chart(QWidget* parent, ChartBox& m, const QRect& r);
    // A grid: the columns' headers and widths from the model, alternating row colours, rows of
    // `rowHeight` pixels; cells of the columns not marked read-only can be changed.
    QTableView* grid(QWidget* parent, Grid& m, const QRect& r, const QFont& f, int rowHeight);
    void timer(Timer& m);

    // Decoration.
    QLabel* text(QWidget* parent, const QString& s, const QRect& r, const QFont& f,
                 const QColor& colour = Qt::black, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
    QLabel* art(QWidget* parent, const QString& resource, const QRect& r);
    QWidget* shade(QWidget* parent, const QRect& r, const QColor& colour, int radius = 6);

    // Runs `f` after the bound widgets whenever the window re-reads its model.
    void onRefresh(std::function<void()> f) { refreshers_.push_back(std::move(f)); }
    // A box that takes no typing: shaded, so that it does not look editable.
    static void lockedLook(QLineEdit* box, bool locked);

    // The status line along the bottom, with its idle sentence; hints show on it.
    QLabel* statusLine(QWidget* parent, const QRect& r, const QString& idle);
    void setHint(QWidget* w, const QString& hint);
    void setBackground(QWidget* w) { setHint(w, QString()); }

    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void track(Control& c, QWidget* w);
    void watchInput(Control& c, QWidget* w);
    QFrame* highlightFrame(QWidget* parent, const Control& m, const QRect& r);
    TextBox& takeInput(Edit& m, QLineEdit* e, QComboBox* combo);
    TextBox* textBoxOf(const QWidget* w);
    void keepWidth(QLineEdit* e, const Edit& m);
    // A key pressed in a text box; true when the key was used up.
    bool keyInBox(TextBox& box, const QKeyEvent* event, Key& key);
    void pick(TextBox& box, int item);
    void refreshSoon();
    void applyFocus();
    void openingFocus();
    QtPlatform& platform_;
    Form& model_;
    std::vector<std::function<void()>> refreshers_;
    std::vector<std::pair<const Control*, QWidget*>> widgets_;
    std::vector<std::unique_ptr<TextBox>> boxes_;
    QLabel* status_ = nullptr;
    QString idle_;
    QPoint pointerAtShow_;
    bool idleHeld_ = false;
    bool placed_ = false;
    bool refreshing_ = false;
    bool applying_ = false;
    bool refreshQueued_ = false;
    bool maximised_ = false;
    std::optional<TitleButtons> titleButtons_;
    std::uint64_t focusApplied_ = ~std::uint64_t{0};
    void relayout();
};

} // namespace quaderna::ui
