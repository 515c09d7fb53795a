#include "ui/platform/FormView.h"

#include "core/forms/Application.h"
#include "core/text/Text.h"
#include "ui/platform/QtPlatform.h"
#include "ui/platform/Widgets.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

namespace quaderna::ui {

namespace {

const char* kHint = "quadernaHint";
const char* kControl = "quadernaControl";

// A key press as the window models see it; false for keys left to Qt (Tab moves the focus).
bool toKey(const QKeyEvent* e, Key& k) {
    switch (e->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        k.code = VK::Return;
        return true;
    case Qt::Key_Backspace:
        k.code = VK::Back;
        return true;
    case Qt::Key_Delete:
        k.code = VK::Delete;
        return true;
    case Qt::Key_Left:
        k.code = VK::Left;
        return true;
    case Qt::Key_Right:
        k.code = VK::Right;
        return true;
    case Qt::Key_Up:
        k.code = VK::Up;
        return true;
    case Qt::Key_Down:
        k.code = VK::Down;
        return true;
    case Qt::Key_Home:
        k.code = VK::Home;
        return true;
    case Qt::Key_End:
        k.code = VK::End;
        return true;
    case Qt::Key_Escape:
        k.code = VK::Escape;
        return true;
    default:
        break;
    }
    const QString t = e->text();
    const bool command = e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!command && !t.isEmpty() && t.at(0).isPrint()) {
        k.ch = t.toUcs4().value(0);
        return true;
    }
    // Other keys (shortcuts such as Ctrl+V, function keys) carry a key code and no character.
    k.code = e->key() & 0xFFFF;
    if (k.code >= 'a' && k.code <= 'z')
        k.code -= 32;
    return k.code != 0;
}

} // namespace

QFont typeface(const char* family, int pixelSize, bool bold, bool italic) {
    QFont f{QString::fromLatin1(family)};
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

FormView::FormView(QtPlatform& platform, Form& model, QWidget* parent)
    : QDialog(parent), platform_(platform), model_(model) {
    setObjectName(qs(model.className()));
    setWindowTitle(qs(model.caption));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setModal(false);
}

FormView::~FormView() {
    platform_.forgetView(this);
}

void FormView::fixedWindow(int width, int height) {
    // No title-bar buttons: the window closes through its own buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(width, height);
}

void FormView::maximisedWindow() {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    maximised_ = true;
    const QRect screen = QApplication::primaryScreen() ? QApplication::primaryScreen()->availableGeometry()
                                                       : QRect(0, 0, 1280, 800);
    resize(std::max(1024, screen.width()), std::max(740, screen.height()));
    setMinimumSize(1000, 700);
    auto* bg = new GradientBackground(this);
    bg->setObjectName(QStringLiteral("backgroundGradient"));
    bg->setGeometry(rect());
    bg->lower();
    setBackground(bg);
}

QWidget* FormView::centredPanel(int width, int height, const QColor& background) {
    auto* p = new QFrame(this);
    p->setObjectName(QStringLiteral("panContenitore"));
    p->setFixedSize(width, height);
    p->setAutoFillBackground(true);
    QPalette pal = p->palette();
    pal.setColor(QPalette::Window, background);
    p->setPalette(pal);
    p->setFrameShape(QFrame::NoFrame);
    setBackground(p);
    p->move((this->width() - width) / 2, std::max(0, (this->height() - height) / 2));
    p->setProperty("quadernaCentred", true);
    return p;
}

void FormView::track(Control& c, QWidget* w) {
    w->setObjectName(qs(c.name()));
    w->setProperty(kControl, QVariant::fromValue(static_cast<void*>(&c)));
    widgets_.emplace_back(&c, w);
}

QWidget* FormView::widgetOf(const Control& c) const {
    for (const auto& [control, widget] : widgets_)
        if (control == &c)
            return widget;
    return nullptr;
}

void FormView::watchInput(Control& c, QWidget* w) {
    w->setProperty(kControl, QVariant::fromValue(static_cast<void*>(&c)));
    w->installEventFilter(this);
}

QFrame* FormView::highlightFrame(QWidget* parent, const Control& m, const QRect& r) {
    // The yellow rectangle behind a box, named "eff" + the field: shown while the box has the focus.
    auto* eff = new QFrame(parent);
    const std::string& name = m.name();
    eff->setObjectName(qs("eff" + name.substr(name.rfind("txt", 0) == 0 ? 3 : 0)));
    eff->setGeometry(r.adjusted(-3, -3, 3, 3));
    eff->setStyleSheet(QStringLiteral("background-color: #FFE135; border-radius: 3px;"));
    eff->hide();
    return eff;
}

void FormView::takeTyping(QLineEdit* e, Edit& m) {
    // Whatever changes the text on screen (typing, pasting, a completion) reaches the model.
    connect(e, &QLineEdit::textChanged, this, [this, &m](const QString& t) {
        if (refreshing_)
            return;
        platform_.dispatch([&m, t] {
            m.text = us(t);
            if (m.onChange)
                m.onChange();
        });
    });
}

QLineEdit* FormView::edit(QWidget* parent, Edit& m, const QRect& r, const QFont& f, bool highlight) {
    QFrame* eff = highlight ? highlightFrame(parent, m, r) : nullptr;
    auto* e = new QLineEdit(parent);
    track(m, e);
    e->setGeometry(r);
    e->setFont(f);
    watchInput(m, e);
    if (m.onKeyDown) {
        // A box that filters its keys takes text only from the keyboard: no pasting from the
        // context menu, no dropping.
        e->setContextMenuPolicy(Qt::NoContextMenu);
        e->setAcceptDrops(false);
    }
    takeTyping(e, m);
    refreshers_.push_back([this, e, eff, &m] {
        const QString want = qs(m.text);
        const int len = static_cast<int>(text::length(m.text));
        const int maxLen = m.maxLength > 0 ? std::max(m.maxLength, len) : 32767;
        if (e->maxLength() != maxLen)
            e->setMaxLength(maxLen);
        if (e->text() != want) {
            const int pos = e->cursorPosition();
            e->setText(want);
            e->setCursorPosition(std::min(pos, static_cast<int>(want.size())));
        }
        e->setReadOnly(m.readOnly);
        e->setEchoMode(m.password ? QLineEdit::Password : QLineEdit::Normal);
        e->setEnabled(m.enabled);
        e->setVisible(m.visible);
        if (eff)
            eff->setVisible(m.visible && model_.hasFocus(m));
    });
    return e;
}

QComboBox* FormView::combo(QWidget* parent, ComboEdit& m, const QRect& r, const QFont& f, bool highlight) {
    QFrame* eff = highlight ? highlightFrame(parent, m, r) : nullptr;
    auto* c = new QComboBox(parent);
    track(m, c);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setGeometry(r);
    c->setFont(f);
    c->setMaxVisibleItems(20);
    auto* completer = new QCompleter(c->model(), c);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    c->setCompleter(completer);
    watchInput(m, c);
    watchInput(m, c->lineEdit());
    auto items = std::make_shared<std::vector<std::string>>();
    takeTyping(c->lineEdit(), m);
    connect(c, qOverload<int>(&QComboBox::activated), this, [this, &m, c](int index) {
        if (refreshing_)
            return;
        platform_.dispatch([&m, index, c] {
            m.itemIndex = index;
            m.text = us(c->itemText(index));
            if (m.onChange)
                m.onChange();
        });
    });
    refreshers_.push_back([this, c, eff, &m, items] {
        if (*items != m.items) {
            *items = m.items;
            c->clear();
            QStringList l;
            for (const auto& s : m.items)
                l << qs(s);
            c->addItems(l);
        }
        if (c->currentIndex() != m.itemIndex)
            c->setCurrentIndex(m.itemIndex);
        const QString want = qs(m.text);
        const int len = static_cast<int>(text::length(m.text));
        c->lineEdit()->setMaxLength(m.maxLength > 0 ? std::max(m.maxLength, len) : 32767);
        if (c->lineEdit()->text() != want)
            c->lineEdit()->setText(want);
        c->lineEdit()->setReadOnly(m.readOnly);
        c->setEnabled(m.enabled);
        c->setVisible(m.visible);
        if (eff)
            eff->setVisible(m.visible && model_.hasFocus(m));
    });
    return c;
}

QCheckBox* FormView::check(QWidget* parent, CheckBox& m, const QRect& r, const QString& caption,
                           const QFont& f) {
    auto* b = new QCheckBox(caption, parent);
    track(m, b);
    b->setGeometry(r);
    b->setFont(f);
    watchInput(m, b);
    connect(b, &QCheckBox::clicked, this, [this, &m](bool on) {
        platform_.dispatch([&m, on] {
            m.checked = on;
            if (m.onClick)
                m.onClick();
            if (m.onChange)
                m.onChange();
        });
    });
    refreshers_.push_back([b, &m] {
        if (b->isChecked() != m.checked)
            b->setChecked(m.checked);
        b->setEnabled(m.enabled);
        b->setVisible(m.visible);
    });
    return b;
}

QLabel* FormView::label(QWidget* parent, Label& m, const QRect& r, const QFont& f, const QColor& colour,
                        Qt::Alignment align) {
    auto* l = new QLabel(parent);
    track(m, l);
    l->setGeometry(r);
    l->setFont(f);
    l->setAlignment(align);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
    l->setTextFormat(Qt::PlainText);
    refreshers_.push_back([l, &m] {
        const QString want = messageText(m.text);
        if (l->text() != want)
            l->setText(want);
        l->setVisible(m.visible);
    });
    return l;
}

QPushButton* FormView::button(QWidget* parent, Button& m, const QRect& r, const QString& caption,
                              const QFont& f) {
    auto* b = new QPushButton(caption, parent);
    track(m, b);
    b->setGeometry(r);
    b->setFont(f);
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setCursor(Qt::PointingHandCursor);
    watchInput(m, b);
    connect(b, &QPushButton::pressed, this, [this, &m] {
        if (m.onMouseDown)
            platform_.dispatch([&m] { m.onMouseDown(); });
    });
    connect(b, &QPushButton::clicked, this, [this, &m] {
        platform_.dispatch([&m] {
            if (m.enabled && m.onClick)
                m.onClick();
        });
    });
    refreshers_.push_back([b, &m] {
        if (!m.text.empty() && b->text() != qs(m.text))
            b->setText(qs(m.text));
        b->setEnabled(m.enabled);
        b->setVisible(m.visible);
    });
    return b;
}

ImageButton* FormView::imageButton(QWidget* parent, Button& m, const QRect& r, const QString& resource) {
    auto* b = new ImageButton(parent);
    track(m, b);
    b->setGeometry(r);
    b->setArt(resource);
    connect(b, &ImageButton::pressed, this, [this, &m] {
        if (m.onMouseDown)
            platform_.dispatch([&m] { m.onMouseDown(); });
    });
    connect(b, &ImageButton::clicked, this, [this, &m] {
        platform_.dispatch([&m] {
            if (m.enabled && m.onClick)
                m.onClick();
        });
    });
    refreshers_.push_back([b, &m] {
        b->setEnabled(m.enabled);
        b->setVisible(m.visible);
    });
    return b;
}

QListView* FormView::list(QWidget* parent, ListBox& m, const QRect& r, const QFont& f, int itemWidth) {
    auto* v = new QListView(parent);
    track(m, v);
    v->setGeometry(r);
    v->setFont(f);
    v->setUniformItemSizes(true);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    v->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* lines = new LinesModel(m, v);
    v->setModel(lines);
    if (itemWidth > 0) {
        v->setStyleSheet(QStringLiteral("QListView::item { min-width: %1px; }").arg(itemWidth));
    }
    watchInput(m, v);
    connect(v->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, &m](const QModelIndex& current) {
                if (!refreshing_)
                    m.itemIndex = current.isValid() ? current.row() : -1;
            });
    connect(v, &QListView::doubleClicked, this, [this, &m](const QModelIndex& index) {
        platform_.dispatch([&m, index] {
            m.itemIndex = index.row();
            if (m.onDblClick)
                m.onDblClick();
        });
    });
    connect(v, &QListView::activated, this, [this, &m](const QModelIndex& index) {
        // Enter on a line works like a double-click.
        if (QApplication::mouseButtons() != Qt::NoButton)
            return;
        platform_.dispatch([&m, index] {
            m.itemIndex = index.row();
            if (m.onDblClick)
                m.onDblClick();
        });
    });
    refreshers_.push_back([v, lines, &m] {
        lines->sync();
        const int row = v->currentIndex().isValid() ? v->currentIndex().row() : -1;
        if (row != m.itemIndex) {
            if (m.itemIndex >= 0 && m.itemIndex < m.count()) {
                const QModelIndex i = lines->index(m.itemIndex);
                v->setCurrentIndex(i);
                v->scrollTo(i);
            } else {
                v->setCurrentIndex(QModelIndex());
                v->clearSelection();
            }
        }
        v->setEnabled(m.enabled);
        v->setVisible(m.visible);
    });
    return v;
}

QWidget* FormView::panel(QWidget* parent, Panel& m, const QRect& r, const QColor& background) {
    auto* p = new QFrame(parent);
    track(m, p);
    p->setGeometry(r);
    if (background.alpha() > 0) {
        p->setAutoFillBackground(true);
        QPalette pal = p->palette();
        pal.setColor(QPalette::Window, background);
        p->setPalette(pal);
    }
    setBackground(p);
    refreshers_.push_back([p, &m] { p->setVisible(m.visible); });
    return p;
}

PictureBox* FormView::picture(QWidget* parent, Picture& m, const QRect& r) {
    auto* p = new PictureBox(parent);
    track(m, p);
    p->setGeometry(r);
    connect(p, &PictureBox::clicked, this, [this, &m] {
        platform_.dispatch([&m] {
            if (m.onClick)
                m.onClick();
        });
    });
    refreshers_.push_back([p, &m] {
        p->setImage(imageOf(m.image));
        p->setVisible(m.visible);
    });
    return p;
}

void FormView::timer(Timer& m) {
    auto* t = new QTimer(this);
    t->setObjectName(qs(m.name()));
    connect(t, &QTimer::timeout, this, [this, &m] {
        platform_.dispatch([&m] {
            if (m.enabled && m.onTimer)
                m.onTimer();
        });
    });
    refreshers_.push_back([t, &m] {
        if (m.enabled && !t->isActive())
            t->start(m.interval);
        else if (!m.enabled && t->isActive())
            t->stop();
    });
}

QLabel* FormView::text(QWidget* parent, const QString& s, const QRect& r, const QFont& f,
                       const QColor& colour, Qt::Alignment align) {
    auto* l = new QLabel(s, parent);
    l->setGeometry(r);
    l->setFont(f);
    l->setAlignment(align);
    l->setWordWrap(r.height() > QFontMetrics(f).height() * 3 / 2);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
    return l;
}

QLabel* FormView::art(QWidget* parent, const QString& resource, const QRect& r) {
    auto* l = new QLabel(parent);
    l->setGeometry(r);
    l->setPixmap(artPixmap(resource, r.size()));
    return l;
}

QWidget* FormView::shade(QWidget* parent, const QRect& r, const QColor& colour, int radius) {
    auto* f = new QFrame(parent);
    f->setGeometry(r);
    f->setStyleSheet(
        QStringLiteral("background-color: %1; border-radius: %2px;").arg(colour.name()).arg(radius));
    f->lower();
    setBackground(f);
    return f;
}

QLabel* FormView::statusLine(QWidget* parent, const QRect& r, const QString& idle) {
    status_ = new QLabel(idle, parent);
    status_->setObjectName(QStringLiteral("panInfo"));
    status_->setGeometry(r);
    status_->setFont(typeface("Verdana", 12));
    status_->setStyleSheet(QStringLiteral("QLabel { background-color: #E8EEF5; border-top: 1px solid #9AB; "
                                          "padding-left: 8px; color: #123; }"));
    return status_;
}

void FormView::setHint(QWidget* w, const QString& hint) {
    w->setProperty(kHint, hint);
    w->installEventFilter(this);
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::Enter:
        if (status_ && w && w->property(kHint).isValid())
            status_->setText(w->property(kHint).toString());
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* control = static_cast<Control*>(w ? w->property(kControl).value<void*>() : nullptr);
        if (!control)
            break;
        auto* ke = static_cast<QKeyEvent*>(event);
        Key key;
        if (!toKey(ke, key))
            break;
        const bool press = event->type() == QEvent::KeyPress;
        platform_.dispatch([&] {
            if (press)
                model_.keyDown(*control, key);
            else
                model_.keyUp(*control, key);
        });
        // A swallowed key never reaches the box; Enter never reaches the dialog either.
        if (press && (key.swallowed() || key.code == VK::Return))
            return true;
        break;
    }
    case QEvent::FocusIn: {
        auto* control = static_cast<Control*>(w ? w->property(kControl).value<void*>() : nullptr);
        if (control && !refreshing_ && !model_.hasFocus(*control))
            platform_.dispatch([&] { model_.setFocus(*control); });
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void FormView::refresh() {
    refreshing_ = true;
    const QString caption = qs(model_.caption);
    if (windowTitle() != caption)
        setWindowTitle(caption);
    for (const auto& r : refreshers_)
        r();
    if (isVisible()) {
        QWidget* modal = QApplication::activeModalWidget();
        const bool mine = !modal || modal == this;
        if (Control* f = model_.focused(); f && mine) {
            QWidget* w = widgetOf(*f);
            if (auto* c = qobject_cast<QComboBox*>(w))
                w = c->lineEdit();
            if (w && w->isVisible() && w->isEnabled() && !w->hasFocus() && w->focusPolicy() != Qt::NoFocus)
                w->setFocus(Qt::OtherFocusReason);
        }
    }
    refreshing_ = false;
}

void FormView::finish() {
    if (modalLoop)
        done(0);
    else
        hide();
}

void FormView::closeEvent(QCloseEvent* event) {
    event->ignore();
    platform_.dispatch([this] { model_.app.close(model_); });
}

void FormView::reject() {
    // Escape does not close windows; each window closes through its own buttons.
}

void FormView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    relayout();
    refresh();
}

void FormView::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    relayout();
}

void FormView::relayout() {
    if (auto* bg =
            findChild<GradientBackground*>(QStringLiteral("backgroundGradient"), Qt::FindDirectChildrenOnly))
        bg->setGeometry(rect());
    for (auto* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->property("quadernaCentred").toBool())
            child->move((width() - child->width()) / 2, std::max(0, (height() - child->height()) / 2));
}

} // namespace quaderna::ui
