#include "platform/qt/qt_host.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/controls.h"
#include "platform/qt/form_view.h"
#include "platform/qt/text.h"

namespace vz {
namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Help:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

void flushWindowSystem() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

}  // namespace

QStringList qtNameFilters(const std::string& filter) {
    QStringList parts = toQt(filter).split('|');
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        QString pattern = parts[i + 1];
        QString suffix = "(" + pattern + ")";
        result << (description.endsWith(suffix) ? description : description + " " + suffix);
    }
    return result;
}

int QtHost::showMessage(const MessageDialog& dialog) {
    QMessageBox box(qtIcon(dialog.icon), toQt(dialog.caption), toQt(dialog.text),
                    QMessageBox::NoButton, mainWindow_);
    QAbstractButton* ok = box.addButton("OK", QMessageBox::AcceptRole);
    QAbstractButton* cancel = nullptr;
    QAbstractButton* abort = nullptr;
    if (dialog.buttonCount >= 2)
        cancel = box.addButton("Cancelar", QMessageBox::RejectRole);
    if (dialog.buttonCount >= 3)
        abort = box.addButton("Abortar", QMessageBox::DestructiveRole);
    box.setDefaultButton(static_cast<QPushButton*>(ok));
    box.setEscapeButton(cancel ? cancel : ok);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == ok)
        return 1;
    if (clicked && clicked == abort)
        return 3;
    return 2;
}

std::optional<std::string> QtHost::runFileDialog(const FileDialog& dialog) {
    QFileDialog qt(mainWindow_, toQt(dialog.title()));
    qt.setOption(QFileDialog::DontUseNativeDialog);
    qt.setOption(QFileDialog::ReadOnly, false);
    qt.setNameFilters(qtNameFilters(dialog.filter()));
    qt.setDefaultSuffix(toQt(dialog.defaultExtension()));
    bool save = dialog.kind() == FileDialog::Kind::Save;
    qt.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    qt.setFileMode(dialog.options().fileMustExist ? QFileDialog::ExistingFile
                                                  : QFileDialog::AnyFile);
    if (!dialog.options().overwritePrompt)
        qt.setOption(QFileDialog::DontConfirmOverwrite);
    if (!dialog.fileName.empty()) {
        QFileInfo preset(toQt(dialog.fileName));
        if (preset.fileName() != toQt(dialog.fileName))
            qt.setDirectory(preset.absolutePath());
        qt.selectFile(preset.fileName());
    }
    if (qt.exec() != QDialog::Accepted || qt.selectedFiles().isEmpty())
        return std::nullopt;
    return fromQt(qt.selectedFiles().first());
}

void QtHost::showModal(Form& form) {
    // One dialog per form for the whole run, so repeated showings build nothing new.
    auto& dialog = modalDialogs_[&form];
    if (!dialog) {
        dialog = new QDialog(mainWindow_);
        dialog->setWindowTitle(toQt(form.caption()));
        dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
        auto* layout = new QVBoxLayout(dialog);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* view = new FormView(form, *this, {}, dialog);
        view->setWindowFlags(Qt::Widget);
        layout->addWidget(view);
        dialog->setFixedSize(form.clientWidth(), form.clientHeight());
        QPointer<QDialog> guard(dialog);
        form.observe([guard, &form] {
            if (guard && !form.visible() && guard->isVisible())
                guard->accept();
        });
    }
    form.open();
    dialog->exec();
    form.setVisible(false);
}

void QtHost::reportError(const std::string& text) {
    QMessageBox::critical(mainWindow_, QApplication::applicationDisplayName(), toQt(text));
}

void QtHost::minimizedToTray() {
    flushWindowSystem();
}

void QtHost::restoredFromTray() {
    if (mainWindow_) {
        mainWindow_->raise();
        mainWindow_->activateWindow();
    }
    flushWindowSystem();
}

}  // namespace vz
