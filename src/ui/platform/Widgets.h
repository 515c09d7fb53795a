#pragma once
// Small widgets the windows share.

#include <QAbstractListModel>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <cstdint>

namespace quaderna {
class ListBox;
}

namespace quaderna::ui {

// A picture that acts as a button: hand cursor, click on release inside.
class ImageButton : public QLabel {
    Q_OBJECT
public:
    explicit ImageButton(QWidget* parent);
    void setArt(const QString& resource);
signals:
    void pressed();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    QString resource_;
    bool down_ = false;
};

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

// An SVG or bitmap resource drawn at the given size.
QPixmap artPixmap(const QString& resource, const QSize& size);

} // namespace quaderna::ui
