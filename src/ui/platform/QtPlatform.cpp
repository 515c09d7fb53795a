// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/QtPlatform.h"

#include "core/Application.h"
#include "core/storage/Files.h"
#include "ui/platform/FileChoosers.h"
#include "ui/platform/FormView.h"
#include "ui/platform/Widgets.h"

#include <QApplication>
#include <QBuffer>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

#include <exception>
#include <optional>

namespace quaderna::ui {

QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
std::string us(const QString& s) {
    return s.toStdString();
}

QString messageText(std::string_view text) {
    QString t = qs(text);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

QImage imageOf(const ImageRef& ref) {
    const auto* img = dynamic_cast<const QtImage*>(ref.get());
    return img ? img->image : QImage();
}

ImageRef makeImage(QImage image) {
    if (image.isNull())
        return nullptr;
    return std::make_shared<QtImage>(std::move(image));
}

QtPlatform::QtPlatform() {
    // Every dialog is Qt's own, in Italian, and every file chooser among them is read-only: a
    // desktop's own chooser would offer renaming and deleting the files it lists.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
    chooserGuard_ = std::make_unique<FileChooserGuard>([this] { return readerAtDesk(); });
    if (QCoreApplication* instance = QCoreApplication::instance())
        instance->installEventFilter(chooserGuard_.get());
}
QtPlatform::~QtPlatform() = default;

bool QtPlatform::readerAtDesk() const {
    return app_ && app_->readerAtDesk();
}

FormView* QtPlatform::createView(Form& form, QWidget* parent) {
    const auto it = factories_.find(std::type_index(typeid(form)));
    if (it == factories_.end())
        return nullptr;
    FormView* view = it->second(*this, form, parent);
    views_[&form] = view;
    return view;
}

FormView* QtPlatform::viewOf(const Form& form) const {
    const auto it = views_.find(&form);
    return it == views_.end() ? nullptr : it->second;
}

void QtPlatform::forgetView(FormView* view) {
    for (auto it = views_.begin(); it != views_.end(); ++it)
        if (it->second == view) {
            views_.erase(it);
            return;
        }
}

void QtPlatform::refreshAll() {
    for (auto& [form, view] : views_)
        if (view->isVisible())
            view->refresh();
}

void QtPlatform::dispatch(const std::function<void()>& handler, bool refresh) {
    ++dispatchDepth_;
    try {
        handler();
    } catch (const std::exception& e) {
        // The program's top-level handler: show the system's text and go on.
        --dispatchDepth_;
        refreshAll();
        showMessage(e.what());
        return;
    }
    --dispatchDepth_;
    // Nested handlers (those of a modal dialog) refresh too: the screen always shows the models.
    if (refresh)
        refreshAll();
}

QWidget* QtPlatform::activeParent() const {
    if (QWidget* w = QApplication::activeModalWidget())
        return w;
    if (QWidget* w = QApplication::activeWindow())
        return w;
    for (const auto& [form, view] : views_)
        if (view->isVisible() && form->modal())
            return view;
    for (const auto& [form, view] : views_)
        if (view->isVisible())
            return view;
    return nullptr;
}

MsgButton QtPlatform::messageBox(std::string_view text, MsgKind kind) {
    refreshAll();
    const QString t = messageText(text);
    if (messageHook)
        return messageHook(t, kind, false);
    QMessageBox::Icon icon = QMessageBox::Warning;
    QString title = QStringLiteral("Avviso");
    QMessageBox::StandardButtons buttons = QMessageBox::Ok | QMessageBox::Cancel;
    switch (kind) {
    case MsgKind::Warning:
        break;
    case MsgKind::Error:
        icon = QMessageBox::Critical;
        title = QStringLiteral("Errore");
        break;
    case MsgKind::Information:
        icon = QMessageBox::Information;
        title = QStringLiteral("Informazione");
        break;
    case MsgKind::Confirmation:
        icon = QMessageBox::Question;
        title = QStringLiteral("Conferma");
        buttons = QMessageBox::Yes | QMessageBox::No;
        break;
    }
    QMessageBox box(icon, title, t, buttons, activeParent());
    box.setDefaultButton(kind == MsgKind::Confirmation ? QMessageBox::Yes : QMessageBox::Ok);
    const int r = box.exec();
    switch (r) {
    case QMessageBox::Yes:
        return MsgButton::Yes;
    case QMessageBox::No:
        return MsgButton::No;
    case QMessageBox::Cancel:
        return MsgButton::Cancel;
    default:
        return MsgButton::OK;
    }
}

void QtPlatform::showMessage(std::string_view text) {
    refreshAll();
    const QString t = messageText(text);
    if (messageHook) {
        messageHook(t, MsgKind::Information, true);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quaderna 3.0"), t, QMessageBox::Ok, activeParent());
    box.exec();
}

bool QtPlatform::showStatus(Form& form, std::string_view text) {
    FormView* view = viewOf(form);
    auto* status = view ? view->findChild<QLabel*>(QStringLiteral("panInfo")) : nullptr;
    if (!status)
        return false;
    status->setText(qs(text));
    return true;
}

void QtPlatform::show(Form& form) {
    FormView* view = viewOf(form);
    if (!view)
        view = createView(form);
    if (!view)
        return;
    view->refresh();
    if (view->maximised())
        view->showMaximized();
    else
        view->show();
    view->raise();
    view->activateWindow();
    view->refresh();
}

void QtPlatform::hide(Form& form) {
    if (FormView* view = viewOf(form))
        view->finish();
}

void QtPlatform::showModal(Form& form) {
    if (!form.visible())
        return;
    QWidget* parent = form.owner() ? viewOf(*form.owner()) : nullptr;
    refreshAll();
    FormView* view = createView(form, parent ? parent : activeParent());
    if (!view)
        return;
    view->setWindowModality(Qt::ApplicationModal);
    view->modalLoop = true;
    view->refresh();
    view->exec();
    view->modalLoop = false;
    forgetView(view);
    delete view;
}

void QtPlatform::terminate() {
    for (auto& [form, view] : views_)
        view->hide();
    // Ends every running event loop; with none running (start-up, tests) there is nothing to end.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

std::optional<std::filesystem::path> QtPlatform::openFile(std::string_view title,
                                                          const std::vector<FileFilter>& filters) {
    refreshAll();
    if (readerAtDesk())
        return std::nullopt;
    QStringList parts;
    for (const auto& f : filters) {
        QString patterns = qs(f.patterns);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        parts << QStringLiteral("%1 (%2)").arg(qs(f.description).section(QLatin1Char('('), 0, 0).trimmed(),
                                               patterns);
    }
    const QString file =
        QFileDialog::getOpenFileName(activeParent(), qs(title), QString(), parts.join(QLatin1String(";;")),
                                     nullptr, QFileDialog::ReadOnly | QFileDialog::DontUseNativeDialog);
    if (file.isEmpty())
        return std::nullopt;
    return std::filesystem::path(file.toStdString());
}

ImageRef QtPlatform::loadPicture(const std::filesystem::path& path) {
    // Only a regular file of a sane size is read: a FIFO or a device never holds the window up.
    std::optional<std::string> bytes;
    try {
        bytes = files::readRegular(path, files::kPictureLimit);
    } catch (const IoError&) {
        return nullptr;
    }
    if (!bytes)
        return nullptr;
    QByteArray data = QByteArray::fromStdString(*bytes);
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    QImage img = reader.read();
    return makeImage(std::move(img));
}

bool QtPlatform::savePictureJpeg(const ImageRef& image, const std::filesystem::path& path) {
    QImage img = imageOf(image);
    if (img.isNull())
        return false;
    if (img.hasAlphaChannel()) {
        QImage flat(img.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter p(&flat);
        p.drawImage(0, 0, img);
        p.end();
        img = flat;
    }
    // Encoded in memory, then written whole in place of the old file: a failure (a full disk)
    // leaves the old picture as it was.
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    if (!buffer.open(QIODevice::WriteOnly) || !img.save(&buffer, "JPG", 90))
        return false;
    try {
        files::replaceFile(path, std::string_view(jpeg.constData(), static_cast<std::size_t>(jpeg.size())));
    } catch (const IoError&) {
        return false;
    }
    return true;
}

ImageRef QtPlatform::builtinPicture(std::string_view name) {
    const QString res = QStringLiteral(":/art/%1.svg").arg(qs(name));
    QImage img(QSize(300, 400), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    p.drawPixmap(0, 0, artPixmap(res, img.size()));
    p.end();
    return makeImage(img.convertToFormat(QImage::Format_RGB32));
}

QString QtPlatform::urlFor(std::string_view command) {
    QString c = qs(command).trimmed();
    if (c.size() >= 2 && c.startsWith(QLatin1Char('"')) && c.endsWith(QLatin1Char('"')))
        c = c.mid(1, c.size() - 2);
    const auto encode = [](const QString& s) {
        return QString::fromLatin1(QUrl::toPercentEncoding(s, "@:/,."));
    };
    if (c.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)) {
        // mailto:address?subject=...&body=... with the subject and the body as they stand.
        QString rest = c.mid(7), subject, body;
        const int q = rest.indexOf(QLatin1String("?subject="));
        QString address = q < 0 ? rest : rest.left(q);
        if (q >= 0) {
            subject = rest.mid(q + 9);
            const int b = subject.indexOf(QLatin1String("&body="));
            if (b >= 0) {
                body = subject.mid(b + 6);
                subject = subject.left(b);
            }
        }
        QString url = QStringLiteral("mailto:") + encode(address.trimmed());
        if (q >= 0) {
            url += QStringLiteral("?subject=") + encode(subject);
            if (!body.isNull())
                url += QStringLiteral("&body=") + encode(body);
        }
        return url;
    }
    static const QRegularExpression web(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    if (web.match(c).hasMatch()) {
        const int q = c.indexOf(QLatin1Char('?'));
        if (q < 0)
            return QString::fromLatin1(QUrl(c, QUrl::TolerantMode).toEncoded());
        QString url = QString::fromLatin1(QUrl(c.left(q), QUrl::TolerantMode).toEncoded()) + QLatin1Char('?');
        const QStringList pairs = c.mid(q + 1).split(QLatin1Char('&'));
        for (int i = 0; i < pairs.size(); ++i) {
            const int eq = pairs[i].indexOf(QLatin1Char('='));
            if (i)
                url += QLatin1Char('&');
            if (eq < 0)
                url += encode(pairs[i]);
            else
                url += encode(pairs[i].left(eq)) + QLatin1Char('=') + encode(pairs[i].mid(eq + 1));
        }
        return url;
    }
    return QString::fromLatin1(QUrl::fromLocalFile(c).toEncoded());
}

namespace {

// What `xdg-mime query` answers, trimmed; nothing when the tool is missing or does not answer.
std::optional<QString> xdgMime(const QStringList& arguments) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (tool.isEmpty())
        return std::nullopt;
    QProcess p;
    p.start(tool, arguments);
    if (!p.waitForFinished(3000) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        return std::nullopt;
    }
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

} // namespace

bool QtPlatform::desktopCanOpen(const QUrl& url) {
    if (url.isLocalFile()) {
        const QString file = url.toLocalFile();
        if (!QFileInfo::exists(file))
            return false;
        const auto type = xdgMime({QStringLiteral("query"), QStringLiteral("filetype"), file});
        if (!type)
            return true; // no way to ask: the open call's own answer is all there is
        const auto handler = xdgMime({QStringLiteral("query"), QStringLiteral("default"), *type});
        return !handler || !handler->isEmpty();
    }
    const QString scheme = url.scheme().toLower();
    // xdg-open hands web addresses to $BROWSER when it is set.
    if ((scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
        !qEnvironmentVariableIsEmpty("BROWSER"))
        return true;
    const auto handler = xdgMime(
        {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/") + scheme});
    return !handler || !handler->isEmpty();
}

bool QtPlatform::shellOpen(std::string_view command) {
    // Another program has its own ways to the files (a viewer's "Save as", a browser's downloads).
    if (readerAtDesk())
        return false;
    const QString text = urlFor(command);
    const QUrl url = QUrl::fromEncoded(text.toLatin1());
    // The desktop's open call answers "done" even when nothing can open the address, so ask first
    // whether any program handles it.
    const bool canOpen = desktopHandlerHook ? desktopHandlerHook(url) : desktopCanOpen(url);
    if (!canOpen)
        return false;
    if (shellOpenHook) {
        shellOpenHook(text);
        return true;
    }
    return QDesktopServices::openUrl(url);
}

std::filesystem::path QtPlatform::programFolder() {
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

Date QtPlatform::today() {
    return localNow().date;
}
DateTime QtPlatform::now() {
    return localNow();
}

} // namespace quaderna::ui
