// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop as the window models see it, made of Qt.

#include "core/forms/Form.h"
#include "core/forms/Platform.h"

#include <QImage>
#include <QPointer>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <typeindex>
#include <vector>

class QDialog;
class QUrl;
class QPrinter;
class QWidget;

namespace quaderna {
class Application;
}

namespace quaderna::ui {

class FormView;
class FileChooserGuard;

struct QtImage : Image {
    explicit QtImage(QImage i) : image(std::move(i)) {}
    QImage image;
};
QImage imageOf(const ImageRef& ref);
ImageRef makeImage(QImage image);

QString qs(std::string_view utf8);
std::string us(const QString& s);
// "\r\n", "\n\r" and a lone "\r" become one line break.
QString messageText(std::string_view text);

class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    void setApplication(Application& app) { app_ = &app; }
    Application& application() const { return *app_; }

    // Each window class has one view, built when the window is first shown (a dialog: at each use).
    using ViewFactory = std::function<FormView*(QtPlatform&, Form&, QWidget* parent)>;
    template <class F> void registerView(ViewFactory factory) {
        factories_[std::type_index(typeid(F))] = std::move(factory);
        kinds_.push_back([](Application& app) -> std::unique_ptr<Form> { return std::make_unique<F>(app); });
    }
    // The view V, built as V(platform, model, parent), for the window model M.
    template <class M, class V> void registerView() {
        registerView<M>([](QtPlatform& p, Form& f, QWidget* parent) -> FormView* {
            return new V(p, static_cast<M&>(f), parent);
        });
    }
    // A fresh model of every kind of window that has a view, for looking at them all (tests).
    std::vector<std::unique_ptr<Form>> sampleWindows(Application& app) const {
        std::vector<std::unique_ptr<Form>> r;
        for (const auto& make : kinds_)
            r.push_back(make(app));
        return r;
    }
    FormView* createView(Form& form, QWidget* parent = nullptr);
    FormView* viewOf(const Form& form) const;
    void forgetView(FormView* view);

    // Re-reads the models of every window on screen.
    void refreshAll();
    // Runs a handler on behalf of a person, then refreshes the screen (unless asked not to, by a
    // box that is in the middle of changing its own text). An unexpected failure is shown with
    // its text and the program goes on.
    void dispatch(const std::function<void()>& handler, bool refresh = true);

    MsgButton messageBox(std::string_view text, MsgKind kind) override;
    void showMessage(std::string_view text) override;
    bool showStatus(Form& form, std::string_view text) override;
    void show(Form& form) override;
    void hide(Form& form) override;
    void showModal(Form& form) override;
    void terminate() override;
    std::optional<std::filesystem::path> openFile(std::string_view title,
                                                  const std::vector<FileFilter>& filters) override;
    ImageRef loadPicture(const std::filesystem::path& path) override;
    bool savePictureJpeg(const ImageRef& image, const std::filesystem::path& path) override;
    ImageRef builtinPicture(std::string_view name) override;
    bool shellOpen(std::string_view command) override;
    bool print(const Report& report) override;
    void preview(const Report& report) override;
    std::filesystem::path programFolder() override;
    bool printChart(const Chart& chart, int copies) override;
    std::optional<std::string> inputBox(std::string_view caption, std::string_view prompt,
                                        std::string_view value) override;
    std::unique_ptr<Progress> progress(std::string_view text) override;
    Date today() override;
    DateTime now() override;

    // What shellOpen hands to the desktop, encoded as a URL (exposed for tests).
    static QString urlFor(std::string_view command);
    // Called instead of the desktop when set (tests).
    std::function<void(const QString& url)> shellOpenHook;
    // Answers instead of the desktop whether any program opens the address (tests).
    std::function<bool(const QUrl& url)> desktopHandlerHook;
    // Whether the desktop has a program for the address: a handler for its scheme, or for the
    // type of the file it names.
    static bool desktopCanOpen(const QUrl& url);
    // Called instead of showing message boxes when set (tests): returns the answer.
    std::function<MsgButton(const QString& text, MsgKind kind, bool plain)> messageHook;
    // Called instead of the print dialog when set (tests, the print check): configures the
    // printer as the person would; false is the dialog cancelled.
    std::function<bool(QPrinter& printer)> printDialogHook;
    // Called instead of showing the preview window when set (tests): looks at it, drives it; the
    // window is destroyed when the hook returns.
    std::function<void(QDialog& window)> previewHook;
    // Called instead of showing the input box when set (tests): looks at it, drives it; the box
    // answers as it was left (accepted or rejected) when the hook returns.
    std::function<void(QDialog& box)> inputHook;

    // A print or a preview that promises to last longer than this shows its progress, with
    // "Annulla" (milliseconds).
    int progressDelayMs = 500;

    // Draws the report straight into a PDF file, with no dialog.
    bool renderToPdf(const Report& report, const QString& file);

    // A reader, not the librarian, is at the keyboard (the catalogue is open): printing goes to
    // a printer only, no file chooser opens and nothing is handed to another program.
    bool readerAtDesk() const;

private:
    QWidget* activeParent() const;
    // The print dialog (or its stand-in) for `printer`; `pages` > 0 offers a page range and
    // collated copies. False when it was cancelled, or when the output it chose is refused: a
    // file while a reader is at the catalogue, a file of the data folder that is not a PDF.
    bool askPrinter(QPrinter& printer, int pages);
    std::unique_ptr<FileChooserGuard> chooserGuard_;
    Application* app_ = nullptr;
    std::map<std::type_index, ViewFactory> factories_;
    std::vector<std::function<std::unique_ptr<Form>(Application&)>> kinds_;
    std::map<const Form*, FormView*> views_;
    int dispatchDepth_ = 0;
};

} // namespace quaderna::ui
