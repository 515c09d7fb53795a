#include "ui/platform/QtProgress.h"

namespace quaderna::ui {

namespace {
// The bar counts in thousandths of the job: the window is redrawn at most a thousand times,
// however many steps the job has.
constexpr int kSteps = 1000;
} // namespace

QtProgress::QtProgress(QWidget* parent, const QString& label, int delayMs)
    : parent_(parent), label_(label), delay_(delayMs) {}

QtProgress::~QtProgress() = default;

bool QtProgress::update(std::int64_t done, std::int64_t total) {
    if (!dialog_) {
        dialog_ = std::make_unique<QProgressDialog>(label_, QStringLiteral("Annulla"), 0, kSteps, parent_);
        dialog_->setObjectName(QStringLiteral("frmAvanzamento"));
        dialog_->setWindowTitle(QStringLiteral("Quaderna 3.0"));
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setMinimumDuration(delay_);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
    }
    const std::int64_t value = total > 0 ? std::min<std::int64_t>(done, total) * kSteps / total : 0;
    dialog_->setValue(static_cast<int>(value));
    return !dialog_->wasCanceled();
}

} // namespace quaderna::ui
