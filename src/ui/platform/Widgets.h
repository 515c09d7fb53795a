// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small widgets the windows share.

#include <QAbstractListModel>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

namespace quaderna {
class ListBox;
}

namespace quaderna::ui {

// A picture that acts as a button: hand cursor, click on release inside. Tab reaches it (a click
// leaves the focus where it was) and the space bar presses it, as it presses a push button.
class ImageButton : public QLabel {
    Q_OBJECT
public:
    explicit ImageButton(QWidget* parent);
    void setArt(const QString& resource);
    // Writes a caption over the picture, centred in `area` (the button's own coordinates); the
    // font shrinks until every line fits, whatever face the system gives for the family asked.
    void setCaption(const QString& caption, const QFont& font, const QColor& colour, const QRect& area);
    const QString& caption() const { return caption_; }
    const QFont& captionFont() const { return captionFont_; }
    const QRect& captionArea() const { return captionArea_; }
signals:
    void pressed();
    // The button let go after a press on the picture, wherever the pointer is; then clicked()
    // when it is on the picture.
    void released();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QString resource_;
    QString caption_;
    QFont captionFont_;
    QColor captionColour_;
    QRect captionArea_;
    bool down_ = false;
    bool spaceDown_ = false;
};

// Underlined words that act as a button: hand cursor, pressed on the press, released on any
// release after it, clicked on a release over the words or on the space bar.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent);
signals:
    void pressed();
    void released();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    bool down_ = false;
};

// The largest pixel size, from the font's own down to `smallest`, at which every line of `text`
// fits `area` (the smallest when none does).
QFont fittedFont(const QString& text, QFont font, const QSize& area, int smallest = 8);

// A picture scaled to its frame, keeping its proportions.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent) : QWidget(parent) {}
    void setImage(const QImage& image);
signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QImage image_;
};

// A background from steel blue at the top to white at the bottom.
class GradientBackground : public QWidget {
public:
    explicit GradientBackground(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent* e) override;
};

// The lines of a list model, shown without copying them into the view.
class LinesModel : public QAbstractListModel {
public:
    explicit LinesModel(const ListBox& lines, QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Reloads when the lines changed since the last look.
    bool sync();

private:
    const ListBox& lines_;
    std::uint64_t revision_ = ~std::uint64_t{0};
};

// An editable drop-down list that a read-only box locks: no popup, no wheel, no arrow keys.
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent);
    bool locked = false;
    void showPopup() override;

protected:
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};

// The suggestions that match what is typed in a box, listed under it. The list never takes the
// keyboard or the mouse away from the window: the box keeps the focus, Up and Down move the
// highlight, a click on a line picks it, a click anywhere else reaches its target.
class SuggestionList : public QListWidget {
    Q_OBJECT
public:
    explicit SuggestionList(QWidget* box);
    // Lists the items that start with `typed` (letters a-z matched without regard to case);
    // hidden when none does, or when the only one is what is typed.
    void suggest(const std::vector<std::string>& items, const QString& typed);
    // Moves the highlight by one line; false when the list is hidden.
    bool step(int delta);
    // The highlighted line's item index, -1 for none.
    int highlighted() const;
signals:
    void picked(int item);

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QWidget* box_;
};

// The mark around the command that holds the keyboard focus in a window: a ring drawn just outside
// a push button, a picture button, a check box or a link, whatever brought the focus there (Tab,
// a click, the program). Text boxes show their own yellow highlight instead.
class FocusMark : public QWidget {
    Q_OBJECT
public:
    explicit FocusMark(QWidget* window);
    // The widget the mark is around; none when the focus is elsewhere.
    QWidget* target() const { return target_; }
    // Whether a widget with the focus shows the mark.
    static bool marks(const QWidget* w);

protected:
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(QWidget* now);
    void place();
    QWidget* window_;
    QPointer<QWidget> target_;
};

// An SVG or bitmap resource drawn at the given size.
QPixmap artPixmap(const QString& resource, const QSize& size);

} // namespace quaderna::ui
