// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/FormView.h"

#include "core/Application.h"
#include "core/forms/Calendar.h"
#include "core/text/Text.h"
#include "ui/platform/QtPlatform.h"
#include "ui/platform/Widening.h"
#include "ui/platform/Widgets.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDate>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

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
    k.command = command;
    k.code = e->key() & 0xFFFF;
    if (k.code >= 'a' && k.code <= 'z')
        k.code -= 32;
    return k.code != 0;
}

// Characters (code points) in the first `units` UTF-16 units of s.
std::size_t charsIn(const QString& s, qsizetype units) {
    units = std::clamp<qsizetype>(units, 0, s.size());
    std::size_t n = 0;
    for (qsizetype i = 0; i < units; ++i)
        if (!s.at(i).isLowSurrogate())
            ++n;
    return n;
}

// UTF-16 units taken by the first `chars` characters of s.
int unitsFor(const QString& s, std::size_t chars) {
    qsizetype i = 0;
    while (chars > 0 && i < s.size()) {
        i += s.at(i).isHighSurrogate() && i + 1 < s.size() ? 2 : 1;
        --chars;
    }
    return static_cast<int>(i);
}

// The one validator of every text box: it hands each change to the window model.
class InputGate : public QValidator {
public:
    InputGate(FormView& view, FormView::TextBox& box) : QValidator(box.line), view_(view), box_(box) {}
    State validate(QString& input, int& pos) const override { return view_.propose(box_, input, pos); }

private:
    FormView& view_;
    FormView::TextBox& box_;
};

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
    new FocusMark(this);
}

FormView::~FormView() {
    // The boxes outlive this part of the window for a moment: they must not call back into it.
    for (const auto& b : boxes_) {
        b->line->setValidator(nullptr);
        b->line->disconnect(this);
        if (b->suggestions)
            delete b->suggestions;
    }
    platform_.forgetView(this);
}

void FormView::fixedWindow(int width, int height, TitleButtons buttons) {
    // No title-bar buttons (the window closes through its own buttons), or only the close button;
    // never a minimise or maximise button that could do nothing for a fixed dialog.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   (buttons == TitleButtons::Close ? Qt::WindowCloseButtonHint : Qt::WindowType(0)));
    setFixedSize(width, height);
    titleButtons_ = buttons;
}

void FormView::maximisedWindow() {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    maximised_ = true;
    const QRect screen = QApplication::primaryScreen() ? QApplication::primaryScreen()->availableGeometry()
                                                       : QRect(0, 0, 1280, 800);
    resize(std::max(kWorkWidth, screen.width()), std::max(kWorkHeight, screen.height()));
    setMinimumSize(kWorkWidth, kWorkHeight);
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
    // The yellow rectangle behind a box, named "eff" + the field (the box's name without "txt" or
    // "tit"): shown while the box has the focus.
    auto* eff = new QFrame(parent);
    const std::string& name = m.name();
    const bool prefixed = name.rfind("txt", 0) == 0 || name.rfind("tit", 0) == 0;
    eff->setObjectName(qs("eff" + name.substr(prefixed ? 3 : 0)));
    eff->setGeometry(r.adjusted(-3, -3, 3, 3));
    eff->setStyleSheet(QStringLiteral("background-color: #FFE135; border-radius: 3px;"));
    eff->hide();
    return eff;
}

FormView::TextBox& FormView::takeInput(Edit& m, QLineEdit* e, QComboBox* combo) {
    auto box = std::make_unique<TextBox>();
    box->model = &m;
    box->line = e;
    box->combo = combo;
    TextBox& b = *box;
    boxes_.push_back(std::move(box));
    // Every route by which text reaches the box ends in its validator, and so in the model.
    e->setValidator(new InputGate(*this, b));
    connect(e, &QLineEdit::textChanged, this, [this] {
        if (refreshQueued_ && !refreshing_ && !applying_) {
            refreshQueued_ = false;
            platform_.refreshAll();
        }
    });
    return b;
}

void FormView::keepWidth(QLineEdit* e, const Edit& m) {
    // The box shows the field's width as its own limit too (a longer text set by the program
    // stays whole). Only a change is passed on: setting the limit rewrites the box's text.
    const int len = static_cast<int>(text::length(m.text));
    const int limit = m.maxLength > 0 ? std::max(m.maxLength, len) : 32767;
    if (e->maxLength() != limit)
        e->setMaxLength(limit);
}

FormView::TextBox* FormView::textBoxOf(const QWidget* w) {
    for (const auto& b : boxes_)
        if (b->line == w || (b->combo && b->combo == w))
            return b.get();
    return nullptr;
}

QValidator::State FormView::propose(TextBox& box, QString& input, int& pos) {
    if (refreshing_ || applying_)
        return QValidator::Acceptable;
    Edit& m = *box.model;
    const QString shown = qs(m.text);
    if (input == shown)
        return QValidator::Acceptable;
    // The change: what the person's text and the model's have in common at either end, the new
    // text ending where the platform put the caret when that is one of the possible readings.
    const qsizetype common = std::min(shown.size(), input.size());
    qsizetype prefix = 0;
    while (prefix < common && shown.at(prefix) == input.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < common - prefix &&
           shown.at(shown.size() - 1 - suffix) == input.at(input.size() - 1 - suffix))
        ++suffix;
    if (pos >= 0 && pos <= input.size() && input.size() - pos < suffix && pos >= prefix) {
        const qsizetype shift = suffix - (input.size() - pos);
        suffix -= shift;
        prefix = std::min(prefix, common - suffix);
    }
    Proposal change;
    change.start = charsIn(shown, prefix);
    change.length = charsIn(shown, shown.size() - suffix) - change.start;
    change.text = us(input.mid(prefix, input.size() - suffix - prefix));
    InputResult r;
    platform_.dispatch([&] { r = model_.input(m, change); }, false);
    input = qs(r.text);
    pos = unitsFor(input, r.caret);
    refreshSoon();
    return QValidator::Acceptable;
}

void FormView::refreshSoon() {
    if (refreshQueued_)
        return;
    refreshQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        if (refreshQueued_) {
            refreshQueued_ = false;
            platform_.refreshAll();
        }
    });
}

bool FormView::keyInBox(TextBox& box, const QKeyEvent* event, Key& key) {
    QLineEdit* e = box.line;
    SuggestionList* list = box.suggestions;
    if (list && list->isVisible()) {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            list->step(event->key() == Qt::Key_Down ? 1 : -1);
            return true;
        case Qt::Key_Escape:
            list->hide();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            // Enter takes what is shown: the highlighted suggestion, or the text as typed; then
            // it moves on like any Enter.
            const int item = list->highlighted();
            list->hide();
            if (item >= 0)
                pick(box, item);
            break;
        }
        default:
            break;
        }
    }
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool editing = key.ch != 0 || (!ctrl && (key.code == VK::Back || key.code == VK::Delete));
    if (!editing) {
        platform_.dispatch([&] { model_.keyDown(*box.model, key); });
        // Enter belongs to the window (its chain), never to the box or the dialog.
        return key.swallowed() || key.code == VK::Return;
    }
    const QString before = e->text();
    const qsizetype selStart = e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
    const qsizetype selUnits = e->hasSelectedText() ? e->selectedText().size() : 0;
    const std::size_t start = charsIn(before, selStart);
    const std::size_t length = charsIn(before, selStart + selUnits) - start;
    InputResult r;
    platform_.dispatch([&] { r = model_.typeKey(*box.model, key, start, length); }, false);
    if (!key.swallowed() && r.changed) {
        // Show the change the way the box itself would make it, so that its undo history holds.
        const QString want = qs(r.text);
        QString plain = before;
        QString typed;
        if (key.ch != 0) {
            typed = QString::fromUcs4(&key.ch, 1);
            plain.replace(selStart, selUnits, typed);
        } else if (selUnits > 0) {
            plain.remove(selStart, selUnits);
        } else if (key.code == VK::Back) {
            plain.remove(selStart - 1, 1);
        } else {
            plain.remove(selStart, 1);
        }
        applying_ = true;
        if (plain != want)
            e->setText(want);
        else if (key.ch != 0)
            e->insert(typed);
        else if (key.code == VK::Back)
            e->backspace();
        else
            e->del();
        e->setCursorPosition(unitsFor(want, r.caret));
        applying_ = false;
        if (list && key.ch != 0 && !box.model->readOnly)
            list->suggest(static_cast<ComboEdit*>(box.model)->items, e->text());
        else if (list)
            list->hide();
    }
    platform_.refreshAll();
    return true;
}

void FormView::pick(TextBox& box, int item) {
    auto* m = static_cast<ComboEdit*>(box.model);
    if (item < 0 || item >= static_cast<int>(m->items.size()))
        return;
    platform_.dispatch([&] {
        model_.input(*m, {0, text::length(m->text), m->items[static_cast<std::size_t>(item)],
                          Proposal::Route::Pick, item});
    });
    box.line->end(false);
}

QLineEdit* FormView::edit(QWidget* parent, Edit& m, const QRect& r, const QFont& f, bool highlight) {
    QFrame* eff = highlight ? highlightFrame(parent, m, r) : nullptr;
    auto* e = new QLineEdit(parent);
    track(m, e);
    e->setGeometry(r);
    e->setFont(f);
    watchInput(m, e);
    takeInput(m, e, nullptr);
    refreshers_.push_back([this, e, eff, &m] {
        const QString want = qs(m.text);
        keepWidth(e, m);
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

void FormView::lockedLook(QLineEdit* box, bool locked) {
    if (box->property("quadernaLocked").toBool() == locked)
        return;
    box->setProperty("quadernaLocked", locked);
    box->setStyleSheet(locked ? QStringLiteral("QLineEdit { background-color: #E3E8EE; color: #44546A; "
                                               "border: 1px solid #B8C2CE; border-radius: 2px; }")
                              : QString());
}

QComboBox* FormView::combo(QWidget* parent, ComboEdit& m, const QRect& r, const QFont& f, bool highlight) {
    QFrame* eff = highlight ? highlightFrame(parent, m, r) : nullptr;
    auto* c = new ComboBox(parent);
    track(m, c);
    c->setEditable(true);
    c->setCompleter(nullptr);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setGeometry(r);
    c->setFont(f);
    c->setMaxVisibleItems(20);
    QLineEdit* e = c->lineEdit();
    watchInput(m, c);
    watchInput(m, e);
    TextBox& box = takeInput(m, e, c);
    box.suggestions = new SuggestionList(e);
    connect(box.suggestions, &SuggestionList::picked, this, [this, &box](int item) { pick(box, item); });
    // A line chosen from the drop-down list: its text has already come through the gate; the
    // model learns which line it was.
    connect(c, qOverload<int>(&QComboBox::activated), this, [this, &m, c](int index) {
        if (refreshing_ || index < 0 || index >= static_cast<int>(m.items.size()) ||
            m.text != m.items[static_cast<std::size_t>(index)])
            return;
        m.itemIndex = index;
        Q_UNUSED(c);
    });
    auto items = std::make_shared<std::vector<std::string>>();
    refreshers_.push_back([this, c, e, eff, &m, items, &box] {
        const QString want = qs(m.text);
        // Changing the list or its current line rewrites the box on the platform's side: keep the
        // caret and the selection where the person left them.
        const auto keepCaret = [e](const std::function<void()>& change) {
            const int pos = e->cursorPosition();
            const int selStart = e->selectionStart();
            const int selLength = e->selectedText().size();
            change();
            if (selStart >= 0)
                e->setSelection(selStart, selLength);
            else
                e->setCursorPosition(std::min(pos, static_cast<int>(e->text().size())));
        };
        if (*items != m.items) {
            *items = m.items;
            keepCaret([&] {
                c->clear();
                QStringList l;
                for (const auto& s : m.items)
                    l << qs(s);
                c->addItems(l);
                e->setText(want);
            });
        }
        if (c->currentIndex() != m.itemIndex)
            keepCaret([&] {
                c->setCurrentIndex(m.itemIndex);
                e->setText(want);
            });
        keepWidth(e, m);
        if (e->text() != want) {
            const int pos = e->cursorPosition();
            e->setText(want);
            e->setCursorPosition(std::min(pos, static_cast<int>(want.size())));
        }
        e->setReadOnly(m.readOnly);
        c->locked = m.readOnly;
        c->setEnabled(m.enabled);
        c->setVisible(m.visible);
        if (!m.visible || !m.enabled || !model_.hasFocus(m))
            box.suggestions->hide();
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
    connect(b, &QCheckBox::clicked, this,
            [this, &m] { platform_.dispatch([this, &m] { model_.toggle(m); }); });
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
        if (QApplication::mouseButtons() != Qt::NoButton)
            platform_.dispatch([this, &m] { model_.mouseDown(m); });
    });
    connect(b, &QPushButton::clicked, this,
            [this, &m] { platform_.dispatch([this, &m] { model_.click(m); }); });
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
    // Enter presses it through the window model, as it presses a push button.
    watchInput(m, b);
    connect(b, &ImageButton::pressed, this,
            [this, &m] { platform_.dispatch([this, &m] { model_.mouseDown(m); }); });
    connect(b, &ImageButton::released, this,
            [this, &m] { platform_.dispatch([this, &m] { model_.mouseUp(m); }); });
    connect(b, &ImageButton::clicked, this,
            [this, &m] { platform_.dispatch([this, &m] { model_.click(m); }); });
    refreshers_.push_back([b, &m] {
        b->setEnabled(m.enabled);
        b->setVisible(m.visible);
    });
    return b;
}

ImageButton* FormView::captionButton(QWidget* parent, Button& m, const QRect& r, const QString& resource,
                                     const QString& caption, QRect area, int pixelSize,
                                     const QColor& colour) {
    ImageButton* b = imageButton(parent, m, r, resource);
    if (area.isNull())
        area = QRect(QPoint(0, 0), r.size()).adjusted(8, 2, -8, -4);
    b->setCaption(caption, typeface("Verdana", pixelSize, true), colour, area);
    return b;
}

LinkLabel* FormView::link(QWidget* parent, LinkText& m, const QRect& r, const QFont& f) {
    auto* l = new LinkLabel(parent);
    track(m, l);
    l->setGeometry(r);
    QFont underlined = f;
    underlined.setUnderline(true);
    l->setFont(underlined);
    l->setFocusPolicy(m.tabStop ? Qt::StrongFocus : Qt::NoFocus);
    watchInput(m, l);
    connect(l, &LinkLabel::pressed, this,
            [this, &m] { platform_.dispatch([this, &m] { model_.mouseDown(m); }); });
    connect(l, &LinkLabel::released, this,
            [this, &m] { platform_.dispatch([this, &m] { model_.mouseUp(m); }); });
    connect(l, &LinkLabel::clicked, this,
            [this, &m] { platform_.dispatch([this, &m] { model_.click(m); }); });
    refreshers_.push_back([l, &m] {
        if (l->text() != qs(m.text))
            l->setText(qs(m.text));
        QPalette pal = l->palette();
        const QColor colour = QColor::fromRgba(m.colour);
        if (pal.color(QPalette::WindowText) != colour) {
            pal.setColor(QPalette::WindowText, colour);
            l->setPalette(pal);
        }
        l->setEnabled(m.enabled);
        l->setVisible(m.visible);
    });
    return l;
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
    scrollHomeOnShow(v);
    connect(v->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, &m](const QModelIndex& current) {
                if (refreshing_)
                    return;
                m.itemIndex = current.isValid() ? current.row() : -1;
                // A line reached with the arrow keys is chosen as by a click.
                if (m.onClick && current.isValid() && QApplication::mouseButtons() == Qt::NoButton)
                    platform_.dispatch([&m] {
                        if (m.onClick)
                            m.onClick();
                    });
            });
    connect(v, &QListView::clicked, this, [this, &m](const QModelIndex& index) {
        if (!m.onClick || !index.isValid())
            return;
        platform_.dispatch([&m, index] {
            m.itemIndex = index.row();
            if (m.onClick)
                m.onClick();
        });
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

QCalendarWidget* FormView::calendar(QWidget* parent, MonthCalendar& m, const QRect& r) {
    auto* c = new QCalendarWidget(parent);
    track(m, c);
    c->setGeometry(r);
    c->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    c->setFirstDayOfWeek(Qt::Monday);
    c->setGridVisible(true);
    c->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    c->setFocusPolicy(Qt::StrongFocus);
    const auto day = [c] {
        const QDate d = c->selectedDate();
        return Date{d.year(), d.month(), d.day()};
    };
    connect(c, &QCalendarWidget::selectionChanged, this, [this, &m, day] {
        if (!refreshing_)
            platform_.dispatch([&m, day] { m.date = day(); });
    });
    connect(c, &QCalendarWidget::activated, this, [this, &m, day] {
        platform_.dispatch([&m, day] {
            m.date = day();
            if (m.onDblClick)
                m.onDblClick();
        });
    });
    refreshers_.push_back([c, &m] {
        const QDate want(m.date.year, m.date.month, m.date.day);
        if (want.isValid() && c->selectedDate() != want)
            c->setSelectedDate(want);
        c->setEnabled(m.enabled);
        c->setVisible(m.visible);
    });
    return c;
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
    connect(p, &PictureBox::clicked, this,
            [this, &m] { platform_.dispatch([this, &m] { model_.click(m); }); });
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
    idle_ = idle;
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
    auto* control = static_cast<Control*>(w ? w->property(kControl).value<void*>() : nullptr);
    switch (event->type()) {
    case QEvent::Enter:
        // A hint follows the pointer. A window that opens under a pointer that has not moved
        // keeps its idle sentence until the pointer goes somewhere.
        if (status_ && w && w->property(kHint).isValid()) {
            const QString hint = w->property(kHint).toString();
            if (!hint.isEmpty())
                idleHeld_ = false;
            else if (idleHeld_ && QCursor::pos() == pointerAtShow_)
                break;
            idleHeld_ = false;
            status_->setText(hint);
        }
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        if (!control)
            break;
        auto* ke = static_cast<QKeyEvent*>(event);
        TextBox* box = textBoxOf(w);
        // A key that a drop-down's line edit left alone goes on to the drop-down: it has been
        // seen already.
        if (box && w == box->combo && focusWidget() == box->line)
            break;
        Key key;
        if (!toKey(ke, key))
            break;
        if (event->type() == QEvent::KeyRelease) {
            platform_.dispatch([&] { model_.keyUp(*control, key); });
            break;
        }
        if (box)
            return keyInBox(*box, ke, key);
        platform_.dispatch([&] { model_.keyDown(*control, key); });
        // A swallowed key never reaches the control. Enter belongs to the window: its chain, or
        // the press of a focused button; in a list it opens the line like a double-click.
        if (key.swallowed())
            return true;
        if (key.code == VK::Return)
            return !qobject_cast<QListView*>(w);
        break;
    }
    case QEvent::FocusIn: {
        if (!control || refreshing_ || model_.hasFocus(*control))
            break;
        // A button pressed with the mouse takes the focus after its mouse-down handler.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason &&
            (qobject_cast<QPushButton*>(w) || qobject_cast<QCheckBox*>(w)) &&
            QApplication::mouseButtons() != Qt::NoButton)
            break;
        platform_.dispatch([&] {
            model_.setFocus(*control);
            if (model_.hasFocus(*control))
                focusApplied_ = model_.focusMoves();
        });
        break;
    }
    case QEvent::FocusOut:
        if (TextBox* box = textBoxOf(w); box && box->suggestions)
            box->suggestions->hide();
        break;
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
    applyFocus();
    refreshing_ = false;
}

void FormView::applyFocus() {
    // The program moved the focus (an Enter chain, a failed check, a window opening): the
    // screen follows, and a box entered this way has its text selected, so typing replaces it.
    // A focus the person moved is already where the model has it.
    if (!isVisible() || model_.focusMoves() == focusApplied_)
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != this)
        return;
    Control* f = model_.focused();
    QWidget* w = f ? widgetOf(*f) : nullptr;
    if (!w || !w->isVisible() || !w->isEnabled() || w->focusPolicy() == Qt::NoFocus)
        return;
    focusApplied_ = model_.focusMoves();
    if (focusWidget() != w)
        w->setFocus(Qt::OtherFocusReason);
    if (auto* c = qobject_cast<QComboBox*>(w))
        c->lineEdit()->selectAll();
    else if (auto* e = qobject_cast<QLineEdit*>(w))
        e->selectAll();
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
    // Before the window is mapped, so the window manager frames it with these buttons at once.
    if (titleButtons_ && !event->spontaneous())
        setTitleButtons(*this, *titleButtons_);
    // A window of its own (the login, the password change) opens in the middle of the screen; a
    // dialog opens over the window that owns it.
    if (!placed_ && !maximised_ && !parentWidget() && !event->spontaneous()) {
        if (QScreen* screen = this->screen() ? this->screen() : QApplication::primaryScreen())
            move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    placed_ = true;
    relayout();
    if (status_)
        status_->setText(idle_);
    pointerAtShow_ = QCursor::pos();
    idleHeld_ = true;
    // The focus the window opens with is the model's, however it was left last time.
    focusApplied_ = ~std::uint64_t{0};
    refresh();
    openingFocus();
}

void FormView::openingFocus() {
    // A window whose model names no focus opens on its first text box in Tab's order, or else on
    // its first command: never on a check box, which the first space typed would tick.
    if (model_.focused())
        return;
    QWidget* first = nullptr;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(this) || !w->isEnabled() ||
            w->window() != this)
            continue;
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)) {
            first = w;
            break;
        }
        if (!first && !qobject_cast<QCheckBox*>(w))
            first = w;
    }
    if (first && focusWidget() != first)
        first->setFocus(Qt::OtherFocusReason);
}

void FormView::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    relayout();
}

void FormView::relayout() {
    if (auto* bg =
            findChild<GradientBackground*>(QStringLiteral("backgroundGradient"), Qt::FindDirectChildrenOnly))
        bg->setGeometry(rect());
    widenPanels(this);
    for (auto* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->property("quadernaCentred").toBool())
            child->move((width() - child->width()) / 2, std::max(0, (height() - child->height()) / 2));
}

} // namespace quaderna::ui
