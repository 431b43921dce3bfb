#include "ui/qtplatform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStandardPaths>

namespace kvx {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

std::optional<FileChoice> runFileDialog(const FileDialogRequest& request, bool saving) {
    QFileDialog dialog(QApplication::activeWindow(), toDisplayText(request.title));
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The patterns are part of each filter for Qt; the user sees the program's texts alone.
    QFileDialog::Options options = QFileDialog::HideNameFilterDetails;
    if (saving && !request.confirmOverwrite)
        options |= QFileDialog::DontConfirmOverwrite;
    dialog.setOptions(options);

    const QStringList filters = qtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    if (!request.initialFolder.empty())
        dialog.setDirectory(toQPath(request.initialFolder));
    if (!request.proposedName.empty())
        dialog.selectFile(toQPath(request.proposedName));
    if (saving)
        dialog.setDefaultSuffix(toQPath(request.defaultSuffix));

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    FileChoice choice;
    choice.path = fromQPath(dialog.selectedFiles().constFirst());
    choice.filterIndex = chosenFilterIndex(request.filter, dialog.selectedNameFilter());
    return choice;
}

} // namespace

int chosenFilterIndex(const std::string& filter, const QString& selected) {
    // Qt hands the selected filter back whole, or (with HideNameFilterDetails, depending on the
    // Qt version and dialog) as the text the user saw, which is the program's own text.
    const QStringList filters = qtNameFilters(filter);
    const QStringList parts = toQString(filter).split(QLatin1Char('|'));
    for (qsizetype i = 0; i < filters.size(); ++i)
        if (selected == filters[i] || selected == parts[2 * i])
            return static_cast<int>(i) + 1;
    return 1;
}

QStringList qtNameFilters(const std::string& filter) {
    const QStringList parts = toQString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

void QtPlatform::messageBox(const std::string& title, const std::string& text, MessageIcon icon) {
    QMessageBox box(qtIcon(icon), toDisplayText(title), toDisplayText(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

Answer QtPlatform::question(const std::string& title, const std::string& text) {
    const auto button = QMessageBox::question(
        QApplication::activeWindow(), toDisplayText(title), toDisplayText(text),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (button == QMessageBox::Yes)
        return Answer::Yes;
    if (button == QMessageBox::No)
        return Answer::No;
    return Answer::Cancel;
}

std::optional<FileChoice> QtPlatform::openFile(const FileDialogRequest& request) {
    return runFileDialog(request, false);
}

std::optional<FileChoice> QtPlatform::saveFile(const FileDialogRequest& request) {
    return runFileDialog(request, true);
}

std::optional<std::string> QtPlatform::inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) {
    bool ok = false;
    const QString answer = QInputDialog::getText(QApplication::activeWindow(), toDisplayText(title),
                                                 toDisplayText(prompt), QLineEdit::Normal,
                                                 toQString(defaultText), &ok);
    if (!ok)
        return std::nullopt;
    return fromQString(answer);
}

void QtPlatform::beep() {
    QApplication::beep();
}

Date QtPlatform::today() {
    const QDate date = QDate::currentDate();
    return Date{date.year(), date.month(), date.day()};
}

std::string QtPlatform::programDirectory() {
    return fromQPath(QCoreApplication::applicationDirPath());
}

std::string QtPlatform::userConfigDirectory() {
    return fromQPath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                     QStringLiteral("/kvxm2000"));
}

} // namespace kvx
