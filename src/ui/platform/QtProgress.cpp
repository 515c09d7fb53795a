// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/QtProgress.h"

#include <QCoreApplication>

namespace quaderna::ui {

namespace {
// The bar counts in thousandths of the job: the window is redrawn at most a thousand times,
// however many steps the job has.
constexpr int kSteps = 1000;
} // namespace

QtProgress::QtProgress(QWidget* parent, const QString& label, int delayMs)
    : parent_(parent), label_(label), delay_(delayMs) {
    clock_.start();
}

QtProgress::~QtProgress() = default;

void QtProgress::finish() {
    dialog_.reset();
}

bool QtProgress::update(std::int64_t done, std::int64_t total) {
    if (canceled_)
        return false;
    if (total > 0 && done >= total) {
        // An "Annulla" pressed while the last steps ran still counts.
        if (dialog_) {
            QCoreApplication::processEvents();
            canceled_ = dialog_->wasCanceled();
        }
        finish();
        return !canceled_;
    }
    if (!dialog_) {
        if (clock_.elapsed() < delay_)
            return true;
        // The window is shown here and only here: the dialog's own timer, which would show it
        // later by itself, perhaps over a job long finished, is never started.
        dialog_ = std::make_unique<QProgressDialog>(label_, QStringLiteral("Annulla"), 0, kSteps, parent_);
        dialog_->setObjectName(QStringLiteral("frmAvanzamento"));
        dialog_->setWindowTitle(QStringLiteral("Quaderna 3.0"));
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->show();
    }
    const std::int64_t value = total > 0 ? std::min<std::int64_t>(done, total) * kSteps / total : 0;
    if (value != dialog_->value())
        dialog_->setValue(static_cast<int>(value));
    // The job runs on this thread: the window is drawn, and "Annulla" is heard, only here.
    QCoreApplication::processEvents();
    canceled_ = dialog_->wasCanceled();
    if (canceled_)
        finish();
    return !canceled_;
}

} // namespace quaderna::ui
